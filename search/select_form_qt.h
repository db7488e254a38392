// The result window ("SelectForm") of an advanced search: a non-modal window over a
// TSelectForm model, with its Save, Print and "Search within this view" actions.
#pragma once

#include <QFont>
#include <functional>
#include <memory>

class QWidget;

namespace tracklore {

class TSelectForm;

/// What the result window needs of the window that opens it: an owner, the look of its rows
/// and the three actions on the rows it shows. The owner runs each action as one of its
/// commands (and may refuse it while another one runs).
struct TSelectFormHost {
    /// Owns the window, which closes with it.
    QWidget* Owner = nullptr;
    /// The rows' font and height, so a result reads like the owner's lists (height 0: Qt's).
    QFont RowFont;
    int RowHeight = 0;
    std::function<void(const TSelectForm&)> Save;
    std::function<void(const TSelectForm&)> Print;
    std::function<void(const TSelectForm&)> SearchWithin;
};

/// Opens the window for `form` and shows it without blocking.
void ShowSelectFormQt(const TSelectFormHost& host, std::unique_ptr<TSelectForm> form);

}  // namespace tracklore
