// Test fixture for the main window's command flows: a window over a scripted shell, its
// preferences in a private store, catalogue files and MP3 files in a private folder that an
// explicit drive table maps to a labelled drive.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/catalogue.h"
#include "tests/support/catalogue_ids.h"
#include "tests/support/env_guard.h"
#include "tests/support/mpeg_frames.h"
#include "tests/support/record_builder.h"
#include "tests/support/scripted_shell.h"
#include "tests/support/temp_dir.h"
#include "ui/main_window.h"
#include "ui/prefs.h"

namespace tracklore::test {

/// MPEG-1 Layer III frames (128 kbit/s, 44100 Hz, 417 bytes each) without a tag: the
/// smallest file the scanner accepts as audio.
inline std::string Mp3Frames(int count) {
    return Mp3FrameBytes(count);
}

class MainWindowFixture : public testing::Test {
protected:
    MainWindowFixture() { window_ = std::make_unique<ui::TMainWindow>(shell_, Registry()); }
    // Every flow, failed or not, must give the pointer back.
    void TearDown() override { EXPECT_EQ(shell_.BusyDepth, 0) << "hour-glass left on"; }

    std::string Registry() const { return dir_.Path("prefs.reg"); }

    /// Starts the window with stored preferences (so no first-run message), then forgets
    /// what start-up showed.
    void Start(const std::vector<std::string>& args = {}) {
        ui::SavePrefs(ui::TPrefs(), Registry());
        window_->Create(args);
    }
    void ForgetShell() {
        shell_.Messages.clear();
        shell_.Masks.clear();
        shell_.StatusTexts.clear();
    }

    /// Writes a catalogue file holding one record per title (artist "A").
    std::string WriteCatalogue(const std::string& name, const std::vector<std::string>& titles) {
        TTracklore catalogue;
        for (const std::string& title : titles) {
            TrackRecord record = MakeRecord("A", title);
            catalogue.Insert(record);
        }
        const std::string path = dir_.Path(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        catalogue.SaveToFile(path);
        return path;
    }

    /// Puts a file into the private folder (making its folders) and returns its path.
    std::string Put(const std::string& name, const std::string& bytes) {
        const std::string path = dir_.Path(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        WriteFileBytes(path, bytes);
        return path;
    }

    /// Adds records to the window's catalogue as a hand edit would, and marks it modified.
    void AddRecords(const std::vector<std::string>& titles) {
        for (const std::string& title : titles) {
            TrackRecord record = MakeRecord("A", title);
            window_->Catalogue().Insert(record);
        }
        window_->Views().RefreshViews(ui::FullRebuild);
        window_->SetModified(true);
    }

    std::vector<std::string> Titles() {
        std::vector<std::string> titles;
        for (int slot = 0; slot < TTracklore::kSlotCount; ++slot)
            if (const TrackRecord* record = window_->Catalogue().SlotRecord(slot))
                titles.emplace_back(record->Title.view());
        return titles;
    }

    std::string Caption(const std::string& file) const {
        return std::string(ui::kAppTitle) + " - " + file;
    }

    TTempDir dir_;
    TEnvGuard drives_{"TRACKLORE_DRIVES", "c=/;m=" + dir_.Root() + "|MUSIC01"};
    TScriptedShell shell_;
    std::unique_ptr<ui::TMainWindow> window_;
};

}  // namespace tracklore::test
