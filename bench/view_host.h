// A view host over a full catalogue of sample records (32,769), for the benchmarks of the
// views and the quick filter.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bench/sample_records.h"
#include "bench/silent_shell.h"
#include "core/catalogue.h"
#include "platform/locale.h"
#include "ui/views.h"

namespace tracklore::bench {

class TBenchHost : public ui::TViewHost {
public:
    // `distinctArtists` > 0 spreads the records over exactly that many artist names.
    explicit TBenchHost(int distinctArtists = 0) {
        locale::SetLocale("en_US");
        std::vector<std::string> names(static_cast<size_t>(distinctArtists));
        int i = 0;
        for (TrackRecord& record : MakeSampleRecords(TTracklore::kSlotCount)) {
            if (distinctArtists > 0) {
                // Record i takes artist i mod n, spelled after the first record that had it.
                std::string& name = names[static_cast<size_t>(i % distinctArtists)];
                if (name.empty()) name = record.Artist.str() + " " + std::to_string(i);
                record.Artist = name;
                ++i;
            }
            catalogue_.Insert(record);
        }
    }
    TTracklore& Catalogue() override { return catalogue_; }
    TTracklore* SelectedSet() override { return nullptr; }
    uint16_t CommandMask() const override { return mask_; }
    void SetCommandMask(uint16_t mask) override { mask_ = mask; }
    ui::TPage ActivePage() const override { return ui::TPage::List; }
    ui::TShell& Shell() override { return shell_; }

private:
    TTracklore catalogue_;
    TSilentShell shell_;
    uint16_t mask_ = 0;
};

}  // namespace tracklore::bench
