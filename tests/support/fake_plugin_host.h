// Test host for the fake player plug-in (PL_Fake.so, built from tests/playback/fake_plugin.cpp):
// a private current folder and "program folder" to install copies of it in, its call log,
// and the result it returns. Restores the current folder and the environment when done.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "tests/support/env_guard.h"
#include "tests/support/temp_dir.h"

namespace tracklore::test {

class TFakePluginHost {
public:
    TFakePluginHost() {
        std::filesystem::create_directories(Current());
        std::filesystem::create_directories(Own());
        oldFolder_ = std::filesystem::current_path().string();
        std::filesystem::current_path(Current());
    }
    ~TFakePluginHost() {
        std::error_code ignored;
        std::filesystem::current_path(oldFolder_, ignored);
    }
    TFakePluginHost(const TFakePluginHost&) = delete;
    TFakePluginHost& operator=(const TFakePluginHost&) = delete;

    /// The folder made current, and the one standing in for the program's folder.
    std::string Current() const { return dir_.Path("current"); }
    std::string Own() const { return dir_.Path("own"); }

    /// Copies the fake plug-in into `folder` (by default the program's plug-in folder) as
    /// `name`; returns the path.
    std::string Install(const std::string& name, const std::string& folder) const {
        const std::string path = folder + "/" + name;
        std::filesystem::copy_file(TRACKLORE_FAKE_PLUGIN, path,
                                   std::filesystem::copy_options::overwrite_existing);
        return path;
    }
    std::string Install(const std::string& name = "PL_Fake.so") const {
        return Install(name, Own());
    }
    /// Copies the build of the fake plug-in that exports no Stop into the program's plug-in
    /// folder as `name`; returns the path.
    std::string InstallWithoutStop(const std::string& name) const {
        const std::string path = Own() + "/" + name;
        std::filesystem::copy_file(TRACKLORE_FAKE_PLUGIN_NO_STOP, path,
                                   std::filesystem::copy_options::overwrite_existing);
        return path;
    }

    /// The calls logged so far, one line each ("load", "Play 255 /x/a.mp3"...).
    std::vector<std::string> Calls() const {
        std::vector<std::string> lines;
        std::istringstream in(ReadFileBytes(dir_.Path("calls.log")));
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    void ClearCalls() const { std::filesystem::remove(dir_.Path("calls.log")); }

    /// What Play and Add return from now on.
    void SetResult(int result) const { result_.Set(std::to_string(result)); }
    void SetName(const std::string& name) const { name_.Set(name); }

private:
    TTempDir dir_;
    TEnvGuard pluginDir_{"TRACKLORE_PLUGIN_DIR", Own()};
    TEnvGuard log_{"TRACKLORE_FAKE_PLUGIN_LOG", dir_.Path("calls.log")};
    TEnvGuard result_{"TRACKLORE_FAKE_PLUGIN_RESULT", std::nullopt};
    TEnvGuard name_{"TRACKLORE_FAKE_PLUGIN_NAME", std::nullopt};
    std::string oldFolder_;
};

}  // namespace tracklore::test
