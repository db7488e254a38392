// The Qt front end over a full catalogue: a full rebuild of the views with the item models
// attached and the main window shown (offscreen), a click on a list's column header, one
// screen of the List at a million records, and the Volumes page's build.
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "platform/drives.h"
#include "platform/locale.h"
#include "ui/main_window_qt.h"

namespace tracklore::bench {
namespace {

// A main form on a full catalogue, shown offscreen, its preferences in a private file.
class TFullForm {
public:
    explicit TFullForm(int records = TTracklore::kSlotCount)
        : registry_(std::filesystem::temp_directory_path() / "tracklore_gui_bench.reg") {
        form_ = std::make_unique<ui::TMainForm>(registry_.string());
        form_->Window().Catalogue().SetCapacity(records);
        for (TrackRecord& record : MakeSampleRecords(records))
            form_->Window().Catalogue().Insert(record);
        form_->resize(900, 600);
        form_->show();
        QApplication::processEvents();
    }
    ~TFullForm() {
        form_.reset();
        std::error_code ignored;
        std::filesystem::remove(registry_, ignored);
    }
    ui::TMainForm& Form() { return *form_; }

private:
    std::filesystem::path registry_;
    std::unique_ptr<ui::TMainForm> form_;
};

void BM_QtFullRebuild(benchmark::State& state) {
    TFullForm full;
    for (auto _ : state) {
        full.Form().Window().Views().RefreshViews(ui::FullRebuild);
        QApplication::processEvents();  // the views lay out and paint the new rows
    }
    state.counters["rows"] = full.Form().AllListView()->model()->rowCount();
}
BENCHMARK(BM_QtFullRebuild)->Unit(benchmark::kMillisecond);

// One form at the largest capacity, 1,048,576 records, made on first use (it takes
// seconds) and shared by the benchmarks below; main lets it go before the application.
std::unique_ptr<TFullForm> millionForm;

TFullForm& MillionForm() {
    if (!millionForm) millionForm = std::make_unique<TFullForm>(TTracklore::kMaxCapacity);
    return *millionForm;
}

// The same at the largest capacity. Target: 1.5 s.
void BM_QtFullRebuildMillion(benchmark::State& state) {
    TFullForm& full = MillionForm();
    for (auto _ : state) {
        full.Form().Window().Views().RefreshViews(ui::FullRebuild);
        QApplication::processEvents();
    }
    state.counters["rows"] = full.Form().AllListView()->model()->rowCount();
}
BENCHMARK(BM_QtFullRebuildMillion)->Unit(benchmark::kMillisecond)->Iterations(2);

constexpr int kScreenRows = 40;

// A screen of the List at a random place of a million rows: the texts of 40 rows in every
// column, fetched through the model the list shows (the quick filter's proxy), as a paint
// asks for them. Target: well under a frame (16 ms).
void BM_QtListScreenDataMillion(benchmark::State& state) {
    TFullForm& full = MillionForm();
    if (full.Form().Window().Views().AllList().RowCount() == 0)
        full.Form().Window().Views().RefreshViews(ui::FullRebuild);
    QAbstractItemModel* model = full.Form().AllListView()->model();
    std::mt19937 random(5);
    std::uniform_int_distribution<int> top(0, model->rowCount() - kScreenRows);
    qsizetype characters = 0;
    for (auto _ : state) {
        const int first = top(random);
        for (int row = first; row < first + kScreenRows; ++row)
            for (int column = 0; column < model->columnCount(); ++column)
                characters += model->index(row, column).data().toString().size();
    }
    benchmark::DoNotOptimize(characters);
    state.counters["rows"] = model->rowCount();
}
BENCHMARK(BM_QtListScreenDataMillion)->Unit(benchmark::kMicrosecond);

// The same screen scrolled to and painted: the list jumps to a random row and repaints.
void BM_QtListScrollMillion(benchmark::State& state) {
    TFullForm& full = MillionForm();
    if (full.Form().Window().Views().AllList().RowCount() == 0)
        full.Form().Window().Views().RefreshViews(ui::FullRebuild);
    QTableView* list = full.Form().AllListView();
    QAbstractItemModel* model = list->model();
    std::mt19937 random(7);
    std::uniform_int_distribution<int> top(0, model->rowCount() - kScreenRows);
    for (auto _ : state) {
        list->scrollTo(model->index(top(random), 0), QAbstractItemView::PositionAtTop);
        list->viewport()->repaint();
    }
    state.counters["rows"] = model->rowCount();
}
BENCHMARK(BM_QtListScrollMillion)->Unit(benchmark::kMicrosecond);

void BM_QtHeaderClickArtist(benchmark::State& state) {
    TFullForm full;
    full.Form().Window().Views().RefreshViews(ui::FullRebuild);
    QHeaderView* header = full.Form().AllListView()->horizontalHeader();
    for (auto _ : state) {
        // Each click flips the direction, so every one really reorders the rows.
        emit header->sectionClicked(2);
        QApplication::processEvents();
    }
}
BENCHMARK(BM_QtHeaderClickArtist)->Unit(benchmark::kMillisecond);

void BM_QtSelectAllRows(benchmark::State& state) {
    TFullForm full;
    full.Form().Window().Views().RefreshViews(ui::FullRebuild);
    QTableView* list = full.Form().AllListView();
    for (auto _ : state) {
        list->selectAll();
        list->clearSelection();
    }
}
BENCHMARK(BM_QtSelectAllRows)->Unit(benchmark::kMillisecond);

// One keystroke in the quick filter box: the proxy refilters 32,769 rows and the list
// repaints. The typed text grows letter by letter through two words of a real record.
void BM_QtQuickFilterKeystroke(benchmark::State& state) {
    TFullForm full;
    full.Form().Window().Views().RefreshViews(ui::FullRebuild);
    QApplication::processEvents();
    auto* box = full.Form().findChild<QLineEdit*>("QF_Filter");
    QTableView* list = full.Form().AllListView();
    const QString typed =
        list->model()->index(list->model()->rowCount() / 2, 2).data().toString().left(6) + " " +
        list->model()->index(list->model()->rowCount() / 2, 3).data().toString().left(4);
    qsizetype length = 0;
    for (auto _ : state) {
        length = length % typed.size() + 1;
        box->setText(typed.left(length));
        QApplication::processEvents();
    }
    state.counters["rows"] = full.Form().Window().Views().AllList().RowCount();
}
BENCHMARK(BM_QtQuickFilterKeystroke)->Unit(benchmark::kMillisecond);

// The Volumes page in front, rebuilt as a rebuild of the views rebuilds it: the rows from
// the catalogue and the drive table, then the sorted table laid out and painted.
// Target: 20 ms.
void BM_QtVolumesPageBuild(benchmark::State& state) {
    TFullForm full;
    ui::TVolumesView& volumes = full.Form().Window().Views().Volumes();
    volumes.SetDriveSource([] { return platform::DriveTable(); });
    full.Form().Window().ShowPage(ui::TPage::Volumes);
    QApplication::processEvents();
    for (auto _ : state) {
        volumes.Rebuild(full.Form().Window().Catalogue());
        QApplication::processEvents();
    }
    state.counters["records"] = full.Form().Window().Catalogue().Count();
    state.counters["volumes"] = volumes.RowCount();
}
BENCHMARK(BM_QtVolumesPageBuild)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tracklore::locale::SetLocale("en_US");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    tracklore::bench::millionForm.reset();
    return 0;
}
