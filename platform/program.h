// The running program: the folder it was started from, and starting other programs by name,
// detached from this one.
#pragma once

#include <string>
#include <vector>

namespace tracklore::platform {

/// The folder of the running program's file (from /proc/self/exe), ending in "/"; "" when
/// the system does not tell.
std::string ProgramFolder();

/// The folders of the program's own files, each ending in "/": its folder and, since an
/// installed program lives in PREFIX/bin with its private files in PREFIX/lib/tracklore,
/// that folder too. Empty when the system does not tell the program's folder.
std::vector<std::string> ProgramFolders();

/// The file `name` stands for: `name` itself when it holds a "/", otherwise the first
/// executable regular file of that name in the folders of $PATH (or "/bin:/usr/bin" when
/// PATH is unset; an empty entry is the current folder). "" when there is none.
std::string FindProgram(const std::string& name);

/// Starts the program `name` (see FindProgram) without arguments, in a session of its own,
/// and returns once it runs. The program is not this process's child, so nothing is left to
/// wait for. 0 when it started; ENOENT when there is no such program; otherwise the error
/// that kept it from starting (ENOEXEC for a file the system cannot run, for example).
int StartProgram(const std::string& name);

}  // namespace tracklore::platform
