// The main window of the desktop application (TMainForm): menus, tool bar, the page control
// with the views, the status line and file drops, all wired to the core's TMainWindow.
#pragma once

#include <QMainWindow>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ui/command_controls_qt.h"
#include "ui/main_window.h"

class QTabWidget;
class QTableView;
class QTreeView;

namespace tracklore::ui {

class TListModel;
class TQuickFilterModel;
class TTreeModel;
class TQtShell;
class TVolumesPage;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    /// `registryFile`: where the preferences live.
    explicit TMainForm(const std::string& registryFile = DefaultRegistryFile(),
                       QWidget* parent = nullptr);
    ~TMainForm() override;

    /// Start-up: TMainWindow::Create with the command-line arguments after the program
    /// name, then the window placement from the preferences.
    void Start(const std::vector<std::string>& args);

    TMainWindow& Window() { return *window_; }
    QTableView* AllListView() const { return allList_; }
    QTableView* SelectedListView() const { return selectedList_; }
    QTreeView* TreeView() const { return tree_; }
    QTabWidget* Pages() const { return pages_; }

    /// Runs a command (or view event) of the core unless another one is running; Exit closes.
    void RunCommand(TCommandId command, TViewSource source = TViewSource::None);
    /// True while a command of the core runs (its pending messages may be delivered).
    bool Busy() const { return busy_ > 0; }
    /// Runs `work` under the core's error handler, refused while another command runs.
    /// Returns false when refused or when it raised.
    bool RunExclusive(const std::function<void()>& work);

    // What the shell changes.
    void SetStatusText(const QString& text);
    void ApplyCommandMask(uint16_t mask);
    void ShowPage(TPage page);
    void ApplyViewLook(const QFont& font, const QColor& text, const QColor& background);
    /// Shows or hides the status line's Cancel button of a running folder scan.
    void ShowScanCancel(bool visible);
    void ShowCommand(TCommandId command, bool visible) const {
        controls_.ShowCommand(command, visible);
    }

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    QTableView* MakeList(const char* name, TListModel* model, TViewSource source);
    void BuildPages();
    /// The view shown on `page`.
    QWidget* PageView(TPage page) const;
    void PlaceWindow();
    /// What a desktop user expects beyond the command table: recent files, the quick filter,
    /// the extra keys.
    void BuildDesktopControls();
    /// The first start's placement: two thirds of the available screen, centred.
    void PlaceFirstWindow();
    /// Qt's modified marker in the caption ("*") while the catalogue is Modified.
    void ShowModifiedMarker();
    /// Tells the core that the selection of `source` changed, or remembers it for the end
    /// of the running command.
    void SelectionChanged(TViewSource source);
    void FlushSelectionChanges();

    std::unique_ptr<TQtShell> shell_;
    std::unique_ptr<TMainWindow> window_;
    TListModel* allModel_ = nullptr;
    TQuickFilterModel* quickFilter_ = nullptr;
    TListModel* selectedModel_ = nullptr;
    TTreeModel* treeModel_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QTableView* allList_ = nullptr;
    QTableView* selectedList_ = nullptr;
    QTreeView* tree_ = nullptr;
    TVolumesPage* volumesPage_ = nullptr;
    TCommandControls controls_;
    int busy_ = 0;
    bool closePending_ = false;
    std::set<TViewSource> pendingSelection_;
};

}  // namespace tracklore::ui
