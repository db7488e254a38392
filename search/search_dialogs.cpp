// The field search and advanced search models: presetting, reading back and the buttons.
#include "search/search_dialogs.h"

#include <algorithm>
#include <exception>

#include "core/convert.h"
#include "core/format.h"
#include "core/genres.h"
#include "core/messages.h"
#include "core/shell.h"
#include "core/text_scan.h"
#include "platform/registry.h"
#include "search/dialog_fields.h"
#include "search/saved_searches.h"
#include "search/scanner_parser.h"

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

bool TSearchDialog::Execute(ui::TShell& shell, TrackRecord& pattern) {
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

TExprCheck CheckExpression(const std::string& text) {
    if (text.empty()) return {};
    try {
        return {TExprCheckState::Valid, tracklore::DoParsing(text)->Describe(0)};
    } catch (const std::exception& e) {
        return {TExprCheckState::Invalid, MessageWithHint(e)};
    }
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

void TSearchDialog2::LoadSaved() {
    CB_Saved.clear();
    if (RegistryFile.empty()) return;
    for (const TSavedSearch& search : LoadSavedSearches(RegistryFile))
        CB_Saved.push_back(search.Name);
}

bool TSearchDialog2::B_SaveClick(ui::TShell& shell, const std::string& name) {
    const std::string trimmed(Trim(name, " "));
    const bool oneLine = std::none_of(trimmed.begin(), trimmed.end(), [](char c) {
        return static_cast<unsigned char>(c) < 32 || c == 127;
    });
    if (trimmed.empty() || !oneLine) {
        shell.MessageBox(msg::SavedSearchNeedsName, msg::SaveSearchCaption, ui::TMsgKind::Warning,
                         ui::mbOK);
        return false;
    }
    if (!B_SearchClick(shell)) return false;
    const bool known = std::any_of(CB_Saved.begin(), CB_Saved.end(), [&](const std::string& saved) {
        return platform::FoldName(saved) == platform::FoldName(trimmed);
    });
    if (known && shell.MessageBox(Format(msg::ReplaceSavedSearch, trimmed.c_str()),
                                  msg::SaveSearchCaption, ui::TMsgKind::Confirmation,
                                  ui::mbYes | ui::mbNo) != ui::TModalResult::Yes) {
        return false;
    }
    try {
        SaveSearch(RegistryFile, trimmed, E_Expr);
    } catch (const std::exception& e) {
        shell.MessageBox(e.what(), msg::SaveSearchCaption, ui::TMsgKind::Error, ui::mbOK);
        return false;
    }
    LoadSaved();
    return true;
}

bool TSearchDialog2::CB_SavedSelect(const std::string& name) {
    std::string expression;
    if (RegistryFile.empty() || !FindSavedSearch(RegistryFile, name, expression)) return false;
    E_Expr = expression;
    return true;
}

}  // namespace tracklore
