// Tests of the program folder and of finding and starting programs.
#include "platform/program.h"

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "tests/support/env_guard.h"
#include "tests/support/temp_dir.h"

namespace tracklore::platform {
namespace {

using test::TTempDir;
using test::WriteFileBytes;

// Sets PATH for one test and puts the old one back.
class TPathGuard : public test::TEnvGuard {
public:
    explicit TPathGuard(const std::string& path) : TEnvGuard("PATH", path) {}
};

void WriteScript(const std::string& path, const std::string& body, mode_t mode = 0755) {
    WriteFileBytes(path, "#!/bin/sh\n" + body + "\n");
    chmod(path.c_str(), mode);
}

TEST(ProgramFolder, IsTheFolderOfThisTestProgram) {
    const std::string folder = ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.front(), '/');
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(std::filesystem::exists(folder + "platform_tests"));
}

TEST(FindProgram, TakesTheFirstExecutableFileOnThePath) {
    TTempDir dir;
    std::filesystem::create_directories(dir.Path("a"));
    std::filesystem::create_directories(dir.Path("b"));
    std::filesystem::create_directories(dir.Path("c/tool"));  // a folder is no program
    WriteScript(dir.Path("a/tool"), "", 0644);                // not executable
    WriteScript(dir.Path("b/tool"), "");
    const TPathGuard path(dir.Path("c") + ":" + dir.Path("a") + ":" + dir.Path("b") + "/");
    EXPECT_EQ(FindProgram("tool"), dir.Path("b/tool"));
    EXPECT_EQ(FindProgram("absent"), "");
    EXPECT_EQ(FindProgram(""), "");
}

// Runs one test in another current folder and goes back.
class TFolderGuard {
public:
    explicit TFolderGuard(const std::string& folder) : old_(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~TFolderGuard() { std::filesystem::current_path(old_); }

private:
    std::filesystem::path old_;
};

TEST(FindProgram, EmptyPathEntriesMeanTheCurrentFolder) {
    TTempDir dir;
    std::filesystem::create_directories(dir.Path("here"));
    WriteScript(dir.Path("here/tool"), "");
    const TFolderGuard folder(dir.Path("here"));
    for (const std::string entries : {"", ":", "/nonexistent:", ":/nonexistent"}) {
        const TPathGuard path(entries);
        EXPECT_EQ(FindProgram("tool"), "./tool") << "PATH=" << entries;
    }
    const TPathGuard path("/nonexistent");
    EXPECT_EQ(FindProgram("tool"), "");
}

TEST(FindProgram, NameWithSlashIsUsedAsItIs) {
    TTempDir dir;
    WriteScript(dir.Path("tool"), "");
    const TPathGuard path("/nonexistent");
    EXPECT_EQ(FindProgram(dir.Path("tool")), dir.Path("tool"));
    EXPECT_EQ(FindProgram(dir.Path("missing")), "");
}

TEST(StartProgram, RunsTheProgramFoundOnThePathAndLeavesNoChild) {
    TTempDir dir;
    const std::string marker = dir.Path("started");
    WriteScript(dir.Path("tagsmith"),
                "echo \"$#\" > '" + marker + ".tmp' && mv '" + marker + ".tmp' '" + marker + "'");
    {
        const TPathGuard path(dir.Root() + ":/bin:/usr/bin");
        EXPECT_EQ(StartProgram("tagsmith"), 0);
    }
    // The program was not started as a child of ours: nothing is left to reap.
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
    // It runs on its own; wait for its mark (generously, on a loaded machine).
    for (int i = 0; i < 1000 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(std::filesystem::exists(marker));
    EXPECT_EQ(test::ReadFileBytes(marker), "0\n");  // started without arguments
}

TEST(StartProgram, ProgramGetsNoDescriptorOfOurs) {
    TTempDir dir;
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);  // no close-on-exec: only the start itself may keep them out
    const std::string marker = dir.Path("fds");
    WriteScript(dir.Path("tagsmith"),
                "for fd in " + std::to_string(ends[0]) + " " + std::to_string(ends[1]) +
                    "; do [ -e /proc/$$/fd/$fd ] && echo \"$fd\"; done"
                    " > '" +
                    marker + ".tmp'; mv '" + marker + ".tmp' '" + marker + "'");
    {
        const TPathGuard path(dir.Root() + ":/bin:/usr/bin");
        StartProgram("tagsmith");
    }
    close(ends[0]);
    close(ends[1]);
    for (int i = 0; i < 1000 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(std::filesystem::exists(marker));
    EXPECT_EQ(test::ReadFileBytes(marker), "");
}

TEST(StartProgram, MissingProgramIsReportedAsNotFound) {
    const TPathGuard path("/nonexistent");
    EXPECT_EQ(StartProgram("tagsmith.exe"), ENOENT);
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST(StartProgram, ProgramTheSystemCannotRunReportsTheExecError) {
    TTempDir dir;
    // Executable, but neither a program nor a script.
    test::WriteFileBytes(dir.Path("tagsmith"), std::string("\x01\x02 not a program"));
    ASSERT_EQ(::chmod(dir.Path("tagsmith").c_str(), 0755), 0);
    const TPathGuard path(dir.Root());
    EXPECT_EQ(StartProgram("tagsmith"), ENOEXEC);
    errno = 0;
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

}  // namespace
}  // namespace tracklore::platform
