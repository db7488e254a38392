// The print dialog (TPrinterDialog) as a model: the column check boxes, header and footer,
// look and font, and the columns they give.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "core/messages.h"
#include "ui/prefs.h"
#include "ui/print_layout.h"

namespace tracklore {
class TTracklore;
}

namespace tracklore::ui {

class TShell;

struct TPrinterDialog {
    std::string Caption = msg::PrintDialogCaption;

    // The column check boxes, in printed order, with their initial states.
    bool CB_ID = false;
    bool CB_Volume = true;
    bool CB_Artist = true;
    bool CB_Title = true;
    bool CB_Album = true;
    bool CB_Year = true;
    bool CB_Comment = true;
    bool CB_Genre = false;
    bool CB_Filename = false;
    bool CB_Playtime = false;
    bool CB_Quality = false;

    bool CB_Head = true;
    bool CB_Foot = true;
    int CB_Look = kLookNone;  ///< index into kPrintLookNames
    /// The font of everything printed: Arial, 8 points, no style.
    TFontDesc Font{"Arial", 8, 0, 0};

    /// The column set of the ticked boxes; the quality box gives 0x400 and 0x800.
    uint32_t PrintColumns() const;
    /// The job the dialog's choices describe, for `set`.
    TPrintJob Job(const TTracklore& set) const;

    /// Captions the dialog after `set`'s print title and shows it through `shell`; a print
    /// choice prints `set` with the chosen options. True when a job was printed.
    bool Execute(TShell& shell, TTracklore& set);
};

/// One column check box: its name, caption and the model's field, in printed order.
struct TColumnBox {
    const char* Name;
    const char* Caption;
    bool TPrinterDialog::*Box;
};

// Each box has a letter of its own: the play time's is M, since I is the ID's.
// clang-format off
inline constexpr std::array<TColumnBox, kPrintColumnCount> kColumnBoxes{{
    {"CB_ID",       "&ID",       &TPrinterDialog::CB_ID},
    {"CB_Volume",   "&Volume",   &TPrinterDialog::CB_Volume},
    {"CB_Artist",   "&Artist",   &TPrinterDialog::CB_Artist},
    {"CB_Title",    "&Title",    &TPrinterDialog::CB_Title},
    {"CB_Album",    "Al&bum",    &TPrinterDialog::CB_Album},
    {"CB_Year",     "&Year",     &TPrinterDialog::CB_Year},
    {"CB_Comment",  "C&omment",  &TPrinterDialog::CB_Comment},
    {"CB_Genre",    "&Genre",    &TPrinterDialog::CB_Genre},
    {"CB_Filename", "File&name", &TPrinterDialog::CB_Filename},
    {"CB_Playtime", "Playti&me", &TPrinterDialog::CB_Playtime},
    {"CB_Quality",  "&Quality",  &TPrinterDialog::CB_Quality},
}};
// clang-format on

/// The quality box's second bit, which no column reads.
inline constexpr uint32_t kQualityExtraBit = 0x800;

}  // namespace tracklore::ui
