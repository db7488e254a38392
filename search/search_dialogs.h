// The field search dialog ("Search Dialog", TSearchDialog) and the advanced search dialog
// ("Advanced search...", TSearchDialog2) as models: their controls' state, presetting and
// reading back, and the advanced dialog's handlers.
#pragma once

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "core/track_record.h"
#include "search/dialog_fields.h"
#include "search/expr.h"

namespace tracklore {

namespace ui {
class TShell;
}

/// The field search: a form shaped like a track record whose filled-in fields become the
/// conditions of a search pattern.
/// MED_ID takes up to seven digits with a leading minus allowed (-1: all).
struct TSearchDialog : TRecordFieldControls {
    bool CKB_UseSelected = false;
    bool CKB_UseSelectedEnabled = false;

    /// Presets the controls from `pattern`: the ID in decimal, the texts, the genre's name.
    void Preset(const TrackRecord& pattern);
    /// Reads the controls back into `pattern`, the ID first: a field without a number
    /// raises EConvertError "'%s' is not a valid integer value" before anything is written.
    /// An unknown or emptied genre text means "(none)" (255).
    void ReadBack(TrackRecord& pattern) const;
    /// The OK button: true when the dialog may close. An ID field without a number shows an
    /// error naming the field through `shell` and keeps the dialog open with its texts.
    bool OKBtnClick(ui::TShell& shell) const;
    /// Presets from `pattern`, runs the dialog through `shell` and on OK reads it back.
    /// False (pattern untouched) on Cancel.
    bool Execute(ui::TShell& shell, TrackRecord& pattern);
};

/// The error's message and, for a parser error that carries one, its line of help under it.
std::string MessageWithHint(const std::exception& error);

/// What the advanced search dialog shows under its box while an expression is typed.
enum class TExprCheckState { Empty, Valid, Invalid };
struct TExprCheck {
    TExprCheckState State = TExprCheckState::Empty;
    std::string Text;  ///< the printed form, or the message (with its position) and its help
};

/// Checks `text` as "&Search..." would, without touching any dialog's tree: the printed
/// form when it passes, else the error's message and line of help; nothing for no text.
TExprCheck CheckExpression(const std::string& text);

/// The advanced search: a typed expression, its test, and the tree the search uses. Lives as
/// long as the main window, so the text and the last tree survive between uses.
struct TSearchDialog2 {
    std::string E_Expr;
    std::string L_Parsed;  ///< the printed tree after "Test...", or the error's message and help
    bool CKB_UseSelected = false;
    bool CKB_UseSelectedEnabled = false;
    /// The names of the saved searches, as the combo box lists them.
    std::vector<std::string> CB_Saved;
    /// The registry store the saved searches live in ("" keeps none).
    std::string RegistryFile;
    /// The parsed expression: empty at start and after any failed parse.
    std::unique_ptr<TExpr> Tree;

    /// Drops the tree, then parses E_Expr and test-evaluates it on an empty record; raises
    /// EParserError with the message to show (the tree stays empty then).
    void DoParsing();
    /// "Test...": L_Parsed shows the printed tree, or the error's message.
    void B_TestClick();
    /// "&Search...": true when the dialog may close with OK. A failed parse shows its
    /// message in an "Error parsing" box through `shell` and keeps the dialog open.
    bool B_SearchClick(ui::TShell& shell);
    /// Fills CB_Saved from the store.
    void LoadSaved();
    /// Save: keeps E_Expr under `name` (blanks around it dropped) and lists it. Refuses, with
    /// a message through `shell` and false, a name that is empty or not one line, an
    /// expression that does not parse, a store that cannot be written; asks before it
    /// replaces a search of the same name.
    bool B_SaveClick(ui::TShell& shell, const std::string& name);
    /// A saved search chosen in the combo box: E_Expr becomes its expression. False (E_Expr
    /// kept) when the store no longer holds it.
    bool CB_SavedSelect(const std::string& name);
    /// Closing is allowed with Cancel, or with OK while a tree is present.
    bool FormCloseQuery(bool closingWithOk) const { return !closingWithOk || Tree != nullptr; }
};

}  // namespace tracklore
