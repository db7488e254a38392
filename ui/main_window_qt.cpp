// The Qt main window: menus, tool bar, the three pages and the status line.
#include "ui/main_window_qt.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include "ui/column_layout_qt.h"
#include "ui/dialog_util_qt.h"
#include "ui/keyboard_qt.h"
#include "ui/quick_filter_qt.h"
#include "ui/recent_files_qt.h"
#include "ui/shell_qt.h"
#include "ui/views_qt.h"
#include "ui/volumes_page_qt.h"

namespace tracklore::ui {

namespace {

constexpr int kTreeIndent = 19;
constexpr QSize kMinimumSize(420, 260);

// Columns the list control leaves at its default get widths that fit their usual texts.
int ColumnWidth(int column) {
    if (kColumnWidths[column] > 0) return kColumnWidths[column];
    switch (column) {
        case 0: return 55;    // ID
        case 5: return 45;    // Year
        case 7: return 90;    // Genre
        case 9: return 55;    // Time
        case 10: return 135;  // Quality
        case 11: return 75;   // Filesize
        default: return 100;
    }
}

QWidget* MakePage(const char* name, QWidget* view) {
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
    return page;
}

}  // namespace

TMainForm::TMainForm(const std::string& registryFile, QWidget* parent) : QMainWindow(parent) {
    setObjectName("MainForm");
    setWindowTitle(QString::fromUtf8(kAppTitle) + " - " + kUntitled);
    setMinimumSize(kMinimumSize);
    setAcceptDrops(true);
    shell_ = std::make_unique<TQtShell>(*this);
    window_ = std::make_unique<TMainWindow>(*shell_, registryFile);
    allModel_ = new TListModel(window_->Views().AllList(), this);
    selectedModel_ = new TListModel(window_->Views().SelectedList(), this);
    treeModel_ = new TTreeModel(window_->Views().Tree(), this);
    controls_ = BuildCommandControls(*this, [this](TCommandId command) { RunCommand(command); });
    BuildPages();
    statusBar()->setObjectName("StatusBar");
    BuildDesktopControls();
}

void TMainForm::BuildDesktopControls() {
    if (auto* file = findChild<QMenu*>("FileMenu")) {
        AddRecentFilesMenu(
            *file, findChild<QAction*>("M_FileSave"), findChild<QAction*>("M_FileOpen"),
            window_->Prefs().RecentFiles,
            [this](const std::string& path) { RunExclusive([&] { window_->OpenRecent(path); }); });
    }
    // Enter edits and Delete deletes in the lists, each only when its command is enabled.
    auto runIfEnabled = [this](const char* actionName, TCommandId command, TViewSource source) {
        auto* action = findChild<QAction*>(actionName);
        if (action != nullptr && action->isEnabled()) RunCommand(command, source);
    };
    for (auto [view, listSource] : {std::pair{allList_, TViewSource::AllList},
                                    std::pair{selectedList_, TViewSource::SelectedList}}) {
        // The lambdas capture a copy: clang 14 cannot capture a structured binding.
        const TViewSource source = listSource;
        new TListKeys(
            *view, [=] { runIfEnabled("M_Edit", TCommandId::ItemEdit, source); },
            [=] { runIfEnabled("M_Delete", TCommandId::ItemDelete, source); });
    }
    AddFilterBox(*controls_.ToolBar, *this, *quickFilter_);
    // Columns can be dragged into another order; the order is kept with the widths.
    allList_->horizontalHeader()->setSectionsMovable(true);
    selectedList_->horizontalHeader()->setSectionsMovable(true);
    for (QAction* top : menuBar()->actions())
        if (top->menu() != nullptr) AddMnemonics(*top->menu());
    AddMnemonics(*controls_.Popup);
}

TMainForm::~TMainForm() {
    // The views and models observe the core's views: let them go before the core does.
    delete pages_;
    delete quickFilter_;
    delete allModel_;
    delete selectedModel_;
    delete treeModel_;
}

void TMainForm::Start(const std::vector<std::string>& args) {
    RunExclusive([&] { window_->Create(args); });
    PlaceWindow();
    ApplyColumnLayout(*allList_->horizontalHeader(), window_->Prefs().AllListColumns);
    ApplyColumnLayout(*selectedList_->horizontalHeader(), window_->Prefs().SelectedListColumns);
}

QTableView* TMainForm::MakeList(const char* name, TListModel* model, TViewSource source) {
    auto* view = new QTableView;
    view->setObjectName(name);
    // The All list shows its rows through the quick filter; the Selected list directly.
    TQuickFilterModel* filter = nullptr;
    if (source == TViewSource::AllList) filter = quickFilter_ = new TQuickFilterModel(*model, this);
    view->setModel(filter != nullptr ? static_cast<QAbstractItemModel*>(filter) : model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSortingEnabled(false);  // the core orders the rows
    view->setShowGrid(false);
    view->setWordWrap(false);
    view->setTabKeyNavigation(false);
    view->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    view->verticalHeader()->hide();
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* header = view->horizontalHeader();
    header->setHighlightSections(false);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    for (int column = 0; column < kColumnCount; ++column)
        header->resizeSection(column, ColumnWidth(column));

    TListView& list = model->List();
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this, &list, source, filter](const QItemSelection& on, const QItemSelection& off) {
                if (filter != nullptr)
                    SyncListSelection(list, filter->mapSelectionToSource(on),
                                      filter->mapSelectionToSource(off));
                else
                    SyncListSelection(list, on, off);
                SelectionChanged(source);
            });
    // The arrow shows the core's sort state (also when a click was refused while a command
    // ran); a rebuild puts the rows back in catalogue order, so it hides the arrow.
    connect(header, &QHeaderView::sectionClicked, this, [this, source, header, &list](int column) {
        RunExclusive([&] { window_->ColumnClick(source, column); });
        header->setSortIndicatorShown(list.SortColumn > 0);
        if (list.SortColumn > 0)
            header->setSortIndicator(list.SortColumn - 1, list.SortDirection > 0
                                                              ? Qt::AscendingOrder
                                                              : Qt::DescendingOrder);
    });
    connect(model, &QAbstractItemModel::modelReset, header,
            [header] { header->setSortIndicatorShown(false); });
    connect(view, &QAbstractItemView::doubleClicked, this,
            [this, source] { RunExclusive([&] { window_->ViewDoubleClicked(source); }); });
    return view;
}

void TMainForm::BuildPages() {
    allList_ = MakeList("LV_Database", allModel_, TViewSource::AllList);
    selectedList_ = MakeList("LV_Selected", selectedModel_, TViewSource::SelectedList);

    tree_ = new QTreeView;
    tree_->setObjectName("TV_ArtistAlbum");
    tree_->setModel(treeModel_);
    tree_->setHeaderHidden(true);
    tree_->setIndentation(kTreeIndent);
    tree_->setUniformRowHeights(true);
    tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree_->setSelectionMode(QAbstractItemView::SingleSelection);
    tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
    treeModel_->SetExpandGate([this] { return !Busy(); });
    treeModel_->SetExpander(
        [this](TTreeNode* node) { RunExclusive([&] { window_->Views().ExpandNode(node); }); });
    connect(tree_->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        SyncTreeSelection(window_->Views().Tree(), *tree_->selectionModel());
        SelectionChanged(TViewSource::Tree);
    });
    // A view that has not laid itself out yet opens a node without asking the model for
    // more rows: fill the artist when it is reported opened.
    connect(tree_, &QTreeView::expanded, this, [this](const QModelIndex& index) {
        if (treeModel_->canFetchMore(index)) treeModel_->fetchMore(index);
    });
    connect(tree_, &QAbstractItemView::doubleClicked, this,
            [this] { RunExclusive([&] { window_->ViewDoubleClicked(TViewSource::Tree); }); });

    pages_ = new QTabWidget;
    pages_->setObjectName("Pages");
    pages_->setDocumentMode(true);
    pages_->addTab(MakePage("TS_StandardView", allList_), "List");
    pages_->addTab(MakePage("TS_TreeView", tree_), "Tree");
    pages_->addTab(MakePage("TS_Selected", selectedList_), "Selected");
    volumesPage_ = new TVolumesPage(
        window_->Views().Volumes(), [this](TVolumeAction action, const std::string& volume) {
            RunExclusive([&] { window_->VolumeAction(action, volume); });
        });
    pages_->addTab(volumesPage_, ToQ(msg::VolumesPageCaption));
    pages_->setCurrentIndex(static_cast<int>(TPage::List));
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        window_->PageChanged(static_cast<TPage>(index));
        // The keyboard follows the page: Ctrl+2 and then the arrow keys walk the tree.
        if (QWidget* view = PageView(static_cast<TPage>(index))) view->setFocus();
    });
    setCentralWidget(pages_);
    allList_->setFocus();

    // The pop-up menu belongs to the page control and the All list; the other views pass
    // their right clicks on to the page control.
    for (QWidget* owner : {static_cast<QWidget*>(pages_), static_cast<QWidget*>(allList_)}) {
        owner->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(owner, &QWidget::customContextMenuRequested, this, [this, owner](QPoint at) {
            if (!Busy()) controls_.Popup->exec(owner->mapToGlobal(at));
        });
    }
}

void TMainForm::PlaceWindow() {
    if (window_->FirstStart()) {
        PlaceFirstWindow();
        return;
    }
    const TPrefs& prefs = window_->Prefs();
    QRect wanted(prefs.Xpos, prefs.Ypos, std::max(prefs.Xsize, minimumWidth()),
                 std::max(prefs.Ysize, minimumHeight()));
    // A place stored on a screen that is gone would put the window out of sight.
    const QScreen* screen = QGuiApplication::screenAt(wanted.topLeft());
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    if (screen != nullptr && !screen->availableGeometry().intersects(wanted))
        wanted.moveTopLeft(screen->availableGeometry().topLeft() + QPoint(20, 20));
    resize(wanted.size());
    move(wanted.topLeft());
}

void TMainForm::PlaceFirstWindow() {
    // No placement stored yet: two thirds of the screen's free area, centred on it.
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const QRect area = screen->availableGeometry();
    const QSize size(std::max(area.width() * 2 / 3, minimumWidth()),
                     std::max(area.height() * 2 / 3, minimumHeight()));
    resize(size);
    move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

void TMainForm::ShowModifiedMarker() {
    setWindowModified(window_->Modified());
}

void TMainForm::RunCommand(TCommandId command, TViewSource source) {
    switch (command) {
        case TCommandId::Exit: close(); return;
        case TCommandId::ViewList:
        case TCommandId::ViewTree:
        case TCommandId::ViewSelected:
        case TCommandId::ViewVolumes:
            // Turning pages is harmless while a long command lets messages run.
            window_->Run(command, source);
            return;
        default: RunExclusive([&] { window_->Run(command, source); });
    }
}

bool TMainForm::RunExclusive(const std::function<void()>& work) {
    if (Busy()) return false;
    ++busy_;
    const bool ok = window_->Guarded(work);
    --busy_;
    // Every change of Modified happens inside a command: the caption follows afterwards.
    ShowModifiedMarker();
    if (!Busy()) FlushSelectionChanges();
    if (!Busy() && closePending_) {
        closePending_ = false;
        QTimer::singleShot(0, this, &QWidget::close);
    }
    return ok;
}

void TMainForm::SelectionChanged(TViewSource source) {
    // While a command runs (a delete removing selected rows, clicks delivered during a
    // rebuild) the mask is the command's: tell the core once the command is over.
    if (Busy()) {
        pendingSelection_.insert(source);
        return;
    }
    window_->Guarded([&] {
        if (source == TViewSource::Tree)
            window_->TreeSelectionChanged();
        else
            window_->ListSelectionChanged(source);
    });
}

void TMainForm::FlushSelectionChanges() {
    const std::set<TViewSource> pending = std::move(pendingSelection_);
    pendingSelection_.clear();
    // A mask of 0 means commands are off (a failed load); selection must not turn them on.
    if (window_->CommandMask() == 0) return;
    for (TViewSource source : pending)
        SelectionChanged(source);
}

void TMainForm::SetStatusText(const QString& text) {
    statusBar()->showMessage(text);
}

void TMainForm::ApplyCommandMask(uint16_t mask) {
    controls_.ApplyMask(mask);
}

QWidget* TMainForm::PageView(TPage page) const {
    switch (page) {
        case TPage::List: return allList_;
        case TPage::Tree: return tree_;
        case TPage::Selected: return selectedList_;
        case TPage::Volumes: return volumesPage_->View();
    }
    return nullptr;
}

void TMainForm::ShowPage(TPage page) {
    pages_->setCurrentIndex(static_cast<int>(page));
}

void TMainForm::ApplyViewLook(const QFont& font, const QColor& text, const QColor& background) {
    const int rowHeight = QFontMetrics(font).height() + 6;
    ScaleColumnsToFont(*allList_, font);
    ScaleColumnsToFont(*selectedList_, font);
    for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*>{
             allList_, selectedList_, tree_, volumesPage_->View()}) {
        QPalette palette = view->palette();
        palette.setColor(QPalette::Base, background);
        palette.setColor(QPalette::Text, text);
        view->setPalette(palette);
        view->setFont(font);
    }
    allList_->verticalHeader()->setDefaultSectionSize(rowHeight);
    selectedList_->verticalHeader()->setDefaultSectionSize(rowHeight);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (Busy()) {
        // Never free the catalogue under a running command: close once it has finished.
        closePending_ = true;
        event->ignore();
        return;
    }
    bool allow = false;
    ++busy_;
    window_->Guarded([&] { allow = window_->CloseQuery(); });
    if (allow) {
        window_->Prefs().AllListColumns = ColumnLayoutOf(*allList_->horizontalHeader());
        window_->Prefs().SelectedListColumns = ColumnLayoutOf(*selectedList_->horizontalHeader());
        const QRect place =
            isMaximized() || isFullScreen() ? normalGeometry() : QRect(pos(), size());
        window_->Guarded(
            [&] { window_->Destroy(place.x(), place.y(), place.width(), place.height()); });
    }
    --busy_;
    event->setAccepted(allow);
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    if (Busy() || !event->mimeData()->hasUrls()) return;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    std::vector<std::string> names;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) names.push_back(url.toLocalFile().toStdString());
    if (names.empty()) return;
    event->acceptProposedAction();
    RunExclusive([&] { window_->DropFiles(names); });
}

void TMainForm::ShowScanCancel(bool visible) {
    // Made on first use: the button sits at the right of the status line, where the status
    // texts never cover it, and Escape does what it does while it shows. Both call the core
    // directly, since the scan is the running command.
    auto* button = findChild<QPushButton*>("B_CancelScan");
    auto* escape = findChild<QShortcut*>("EscapeCancelScan");
    if (button == nullptr) {
        button = new QPushButton(ToQ(msg::PlainCancelButton), statusBar());
        button->setObjectName("B_CancelScan");
        button->setFocusPolicy(Qt::NoFocus);
        button->hide();
        statusBar()->addPermanentWidget(button);
        connect(button, &QPushButton::clicked, this, [this] { window_->CancelScan(); });
        escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
        escape->setObjectName("EscapeCancelScan");
        escape->setEnabled(false);
        connect(escape, &QShortcut::activated, this, [this] { window_->CancelScan(); });
    }
    button->setVisible(visible);
    escape->setEnabled(visible);
}

}  // namespace tracklore::ui
