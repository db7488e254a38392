// Fixture for the play pipeline: three labelled test drives (a fixed disk, a CD-ROM, a
// removable drive without a label), a temporary-copy folder, the fake plug-in in the
// current folder, and a shell that records every state the progress box was shown in.
#pragma once

#include <array>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/progress_box.h"
#include "playback/ext_player.h"
#include "playback/player_settings.h"
#include "tests/support/env_guard.h"
#include "tests/support/fake_plugin_host.h"
#include "tests/support/scripted_shell.h"
#include "tests/support/temp_dir.h"

namespace tracklore::test {

class TRecordingShell : public TScriptedShell {
public:
    struct ProgressState {
        bool Visible = false;
        std::string Job;
        std::array<std::string, 3> Steps;
        int Progress = 0;
        int Current = 0;
    };
    std::vector<ProgressState> ProgressStates;

    void ShowProgress(ui::TProgressBox& box, bool visible) override {
        ProgressStates.push_back({visible,
                                  box.JobDesc(),
                                  {box.Step(1), box.Step(2), box.Step(3)},
                                  box.Progress(),
                                  box.CurrentStep()});
        TScriptedShell::ShowProgress(box, visible);
    }
};

class PlayerFixture : public testing::Test {
protected:
    PlayerFixture() {
        for (const char* folder : {"fixed/Music", "cd/Music", "usb", "copies"})
            std::filesystem::create_directories(dir_.Path(folder));
        SetDrives("c:fixed=" + dir_.Path("fixed") + "|FIXED1;e:cdrom=" + dir_.Path("cd") +
                  "|DISC1;f:removable=" + dir_.Path("usb") + "|");
        host_.Install();
    }

    void SetDrives(const std::string& table) { drives_.Set(table); }

    std::string Registry() const { return dir_.Path("player.reg"); }

    /// Settings with the fake plug-in, the copy folder and the searched drives `letters`.
    playback::TPlayerSettings Settings(const std::string& letters = "cef") const {
        playback::TPlayerSettings settings;
        settings.PluginPlayer = "PL_Fake.so";
        settings.TempStoragePath = dir_.Path("copies") + "/";
        settings.TempStorageLim = 50;
        settings.SearchDriveSet = playback::DriveSetOf(letters);
        return settings;
    }

    /// A player created from `settings` stored in the registry, its load forgotten.
    std::unique_ptr<playback::TExtPlayer> MakePlayer(const playback::TPlayerSettings& settings) {
        playback::SavePlayerSettings(settings, Registry());
        auto player = std::make_unique<playback::TExtPlayer>(shell_, Registry());
        host_.ClearCalls();
        return player;
    }

    /// Puts `bytes` into the test folder at `name` ("cd/Music/a.mp3").
    std::string Put(const std::string& name, const std::string& bytes) {
        WriteFileBytes(dir_.Path(name), bytes);
        return dir_.Path(name);
    }

    TTempDir dir_;
    TEnvGuard drives_{"TRACKLORE_DRIVES", std::nullopt};
    TFakePluginHost host_;
    TRecordingShell shell_;
};

}  // namespace tracklore::test
