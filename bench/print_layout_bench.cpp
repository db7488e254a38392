// Printing a full catalogue (32,769 records) on a canvas with fixed metrics: the layout's
// own cost (measuring every cell, then every page), without a printer behind it.
#include <memory>

#include <benchmark/benchmark.h>

#include "bench/sample_records.h"
#include "core/catalogue.h"
#include "core/progress_box.h"
#include "tests/support/fake_print_canvas.h"
#include "ui/print_layout.h"
#include "ui/printer_dialog.h"

namespace tracklore::bench {
namespace {

void PrintFullCatalogue(benchmark::State& state, uint32_t columns, int look) {
    TTracklore catalogue;
    for (TrackRecord& record : MakeSampleRecords(TTracklore::kSlotCount))
        catalogue.Insert(record);
    ui::TPrintJob job;
    job.Columns = columns;
    job.Look = look;
    job.JobTitle = "Print music.tracklore...";
    job.PrintTitle = "music.tracklore";
    for (auto _ : state) {
        test::TFakePrintCanvas canvas;
        canvas.Record = false;
        ui::TProgressBox progress;
        ui::PrintDB(catalogue, job, canvas, progress);
        benchmark::DoNotOptimize(canvas.PageNumber());
    }
    state.SetItemsProcessed(state.iterations() * TTracklore::kSlotCount);
}

void BM_PrintLayoutDefaultColumns(benchmark::State& state) {
    PrintFullCatalogue(state, ui::TPrinterDialog().PrintColumns(), ui::kLookNone);
}
BENCHMARK(BM_PrintLayoutDefaultColumns)->Unit(benchmark::kMillisecond);

void BM_PrintLayoutAllColumnsCells(benchmark::State& state) {
    PrintFullCatalogue(state, 0xFFF, ui::kLookCells);
}
BENCHMARK(BM_PrintLayoutAllColumnsCells)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tracklore::bench
