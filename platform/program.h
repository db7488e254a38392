// The running program: the folder it was started from, and starting other programs by name,
// detached from this one.
#pragma once

#include <string>

namespace tracklore::platform {

/// The folder of the running program's file (from /proc/self/exe), ending in "/"; "" when
/// the system does not tell.
std::string ProgramFolder();

/// The file `name` stands for: `name` itself when it holds a "/", otherwise the first
/// executable regular file of that name in the folders of $PATH (or "/bin:/usr/bin" when
/// PATH is unset; an empty entry is the current folder). "" when there is none.
std::string FindProgram(const std::string& name);

/// Starts the program `name` (see FindProgram) without arguments, in a session of its own,
/// and returns at once. The program is not this process's child, so nothing is left to
/// wait for; whether it could be started is not reported.
void StartProgram(const std::string& name);

}  // namespace tracklore::platform
