// A main window stand-in for the view tests: an in-memory catalogue, an optional selected
// set, the command mask and the active page, over a scripted shell.
#pragma once

#include <memory>
#include <string>

#include "core/catalogue.h"
#include "tests/support/scripted_shell.h"
#include "ui/browse_folder.h"  // the scripted shell keeps the folder dialogs it showed
#include "ui/views.h"

namespace tracklore::test {

class TTestViewHost : public ui::TViewHost {
public:
    TTracklore Catalogue_;
    std::unique_ptr<TTracklore> Selected_;
    uint16_t Mask = 0x6E7;
    ui::TPage Page = ui::TPage::List;
    TScriptedShell ShellLog;

    TTracklore& Catalogue() override { return Catalogue_; }
    TTracklore* SelectedSet() override { return Selected_.get(); }
    uint16_t CommandMask() const override { return Mask; }
    void SetCommandMask(uint16_t mask) override {
        Mask = mask;
        ShellLog.ApplyCommandMask(mask);
    }
    ui::TPage ActivePage() const override { return Page; }
    ui::TShell& Shell() override { return ShellLog; }

    /// Inserts a record with the given texts and returns its new ID.
    int32_t Add(const std::string& artist, const std::string& title,
                const std::string& album = "") {
        TrackRecord record;
        record.Artist = artist;
        record.Title = title;
        record.Album = album;
        Catalogue_.Insert(record);
        return record.ID;
    }
    TrackRecord Get(int32_t id) const {
        TrackRecord record;
        Catalogue_.GetByID(id, record);
        return record;
    }
};

}  // namespace tracklore::test
