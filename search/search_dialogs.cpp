#include "search/search_dialogs.h"

#include <exception>

#include "core/convert.h"
#include "core/format.h"
#include "core/strings.h"
#include "media/genres.h"
#include "search/dialog_fields.h"
#include "search/scanner_parser.h"
#include "ui/shell.h"

namespace tracklore {

void TSearchDialog::Preset(const TrackRecord& pattern) {
    PresetFields(pattern);
}

void TSearchDialog::ReadBack(TrackRecord& pattern) const {
    ReadFieldsBack(pattern);
    pattern.Genre = GenreFromComboText(CB_Genre);
}

bool TSearchDialog::OKBtnClick(ui::TShell& shell) const {
    try {
        IdFromFieldText(MED_ID);
        return true;
    } catch (const EConvertError& e) {
        // Closing would throw away every criterion typed; the user mends the field instead.
        shell.MessageBox(Format(msg::SearchFieldError, msg::SearchIdField, e.what()), msg::AppTitle,
                         ui::TMsgKind::Error, ui::mbOK);
        return false;
    }
}

bool TSearchDialog::Execute(TrackRecord& pattern, ui::TShell& shell) {
    Preset(pattern);
    if (!shell.ExecuteSearchDialog(*this)) return false;
    ReadBack(pattern);
    return true;
}

std::string MessageWithHint(const std::exception& error) {
    std::string text = error.what();
    if (const auto* parserError = dynamic_cast<const EParserError*>(&error)) {
        if (*parserError->Hint() != '\0') {
            text += '\n';
            text += parserError->Hint();
        }
    }
    return text;
}

void TSearchDialog2::DoParsing() {
    Tree.reset();
    Tree = tracklore::DoParsing(E_Expr);
}

void TSearchDialog2::B_TestClick() {
    try {
        DoParsing();
        L_Parsed = Tree->Describe(0);
    } catch (const std::exception& e) {
        Tree.reset();
        L_Parsed = MessageWithHint(e);
    }
}

bool TSearchDialog2::B_SearchClick(ui::TShell& shell) {
    try {
        DoParsing();
        return true;
    } catch (const std::exception& e) {
        Tree.reset();
        shell.MessageBox(MessageWithHint(e), msg::ErrorParsingCaption, ui::TMsgKind::Error,
                         ui::mbOK);
        return false;
    }
}

}  // namespace tracklore
