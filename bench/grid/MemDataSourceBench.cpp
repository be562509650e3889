// Cost per cell of the memory cell store when a sheet is filled and painted row by
// row, and when one column is read from top to bottom (as a search down a column
// does). The cell counts grow so that a constant cost per cell shows as a flat
// time per item.
#include <benchmark/benchmark.h>

#include "grid/GridCell.h"
#include "grid/GridMemDataSource.h"

namespace {

constexpr int kColumns = 10;

GridCell ValueCell() {
    GridCell cell;
    cell.SetText("A value of some length");
    cell.SetBackColor(QColor(255, 255, 200));
    return cell;
}

void Fill(GridMemDataSource& store, int rows) {
    const GridCell cell = ValueCell();
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < kColumns; ++col) {
            store.SetCell(col, row, cell);
        }
    }
}

void BM_SetRowByRow(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0)) / kColumns;
    for (auto _ : state) {
        GridMemDataSource store;
        Fill(store, rows);
        benchmark::DoNotOptimize(store);
        state.PauseTiming();
        store.DeleteAll();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows * kColumns);
}

void BM_ReadRowByRow(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0)) / kColumns;
    GridMemDataSource store;
    Fill(store, rows);
    GridCell cell;
    for (auto _ : state) {
        for (int row = 0; row < rows; ++row) {
            for (int col = 0; col < kColumns; ++col) {
                cell.ClearAll();
                benchmark::DoNotOptimize(store.GetCell(col, row, cell));
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * rows * kColumns);
}

// Column 5 of 10: each row change puts the cursor back on the row's first cell,
// so every read walks five nodes along its row.
void BM_ReadOneColumnTopToBottom(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0)) / kColumns;
    GridMemDataSource store;
    Fill(store, rows);
    GridCell cell;
    for (auto _ : state) {
        for (int row = 0; row < rows; ++row) {
            cell.ClearAll();
            benchmark::DoNotOptimize(store.GetCell(5, row, cell));
        }
    }
    state.SetItemsProcessed(state.iterations() * rows);
}

} // namespace

BENCHMARK(BM_SetRowByRow)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadRowByRow)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadOneColumnTopToBottom)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
