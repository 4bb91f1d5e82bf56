// The work of one keystroke in the grid: the check plus the 3 x 65536 level evaluations of
// the preview rebuild, against a floor of merely clearing the same output arrays (the LED
// bar's 3 x 65536 bytes and the traces' 3 x 65536 doubles).
#include "sequence/SequenceCheck.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t Ticks = 65536;

struct Outputs {
    std::vector<std::uint8_t> bar[3];
    std::vector<double> trace[3];
    Outputs()
    {
        for (int c = 0; c < 3; ++c) {
            bar[c].assign(Ticks, 0);
            trace[c].assign(Ticks, 0.0);
        }
    }
};

class ArrayGrid : public CheckGrid {
public:
    QString cells[StorageSteps + 1][6];
    QString cellText(int row, int column) const override { return cells[row][column]; }
    void setCellText(int row, int column, const QString& text) override { cells[row][column] = text; }
};

class SilentReporter : public CheckReporter {
public:
    void message(const QString&) override {}
    void conversionError(const QString&) override {}
};

// The start-up colour circle, or 37 steps spread over the whole tick range (ramps everywhere).
void fillGrid(ArrayGrid& g, bool spread)
{
    const SequenceTable startup;
    for (int r = 1; r <= StorageSteps; ++r) {
        const SequenceStep s = startup.step(r - 1);
        const int time = spread ? (r - 1) * 1820 : s.time;
        g.cells[r][1] = QString::number(time);
        g.cells[r][3] = QString::number(spread ? (r * 97) % 256 : s.red);
        g.cells[r][4] = QString::number(spread ? (r * 53) % 256 : s.green);
        g.cells[r][5] = QString::number(spread ? (r * 31) % 256 : s.blue);
    }
}

void floorWork(Outputs& o)
{
    for (int c = 0; c < 3; ++c) {
        std::memset(o.bar[c].data(), 0, Ticks);
        std::memset(o.trace[c].data(), 0, Ticks * sizeof(double));
    }
    benchmark::ClobberMemory();
}

// The bar keeps each level modulo 256; the traces take the bar's entries back as doubles.
void rebuildFast(const SequenceTable& table, int count, Outputs& o)
{
    for (int c = 0; c < 3; ++c) {
        LevelsForTicks(table.curves[std::size_t(c)], count, 0, Ticks, o.bar[c].data());
        const std::uint8_t* bar = o.bar[c].data();
        double* trace = o.trace[c].data();
        for (std::size_t i = 0; i < Ticks; ++i)
            trace[i] = bar[i];
    }
    benchmark::ClobberMemory();
}

void rebuildPerTick(const SequenceTable& table, int count, Outputs& o)
{
    for (std::uint32_t i = 0; i < Ticks; ++i)
        for (int c = 0; c < 3; ++c) {
            o.bar[c][i] = std::uint8_t(LevelAtTick(table.curves[std::size_t(c)], count, i));
            o.trace[c][i] = o.bar[c][i];
        }
    benchmark::ClobberMemory();
}

void checkAndRebuild(ArrayGrid& grid, SequenceTable& table, Outputs& o)
{
    SilentReporter reporter;
    const CheckResult r = runSequenceCheck(grid, reporter, table, StorageSteps, 10);
    rebuildFast(table, r.count, o);
}

void BM_Floor(benchmark::State& state)
{
    Outputs o;
    for (auto _ : state)
        floorWork(o);
}
BENCHMARK(BM_Floor)->Unit(benchmark::kMicrosecond);

void BM_Check(benchmark::State& state)
{
    ArrayGrid grid;
    fillGrid(grid, state.range(0) != 0);
    SequenceTable table;
    SilentReporter reporter;
    for (auto _ : state) {
        const CheckResult r = runSequenceCheck(grid, reporter, table, StorageSteps, 10);
        benchmark::DoNotOptimize(r.count);
    }
}
BENCHMARK(BM_Check)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The rebuild alone, from the table a check of the grid left.
void timeRebuild(benchmark::State& state, void (*rebuild)(const SequenceTable&, int, Outputs&))
{
    ArrayGrid grid;
    fillGrid(grid, state.range(0) != 0);
    SequenceTable table;
    SilentReporter reporter;
    const int count = runSequenceCheck(grid, reporter, table, StorageSteps, 10).count;
    Outputs o;
    for (auto _ : state)
        rebuild(table, count, o);
}

void BM_RebuildFast(benchmark::State& state)
{
    timeRebuild(state, rebuildFast);
}
BENCHMARK(BM_RebuildFast)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_RebuildPerTick(benchmark::State& state)
{
    timeRebuild(state, rebuildPerTick);
}
BENCHMARK(BM_RebuildPerTick)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_CheckAndRebuild(benchmark::State& state)
{
    ArrayGrid grid;
    fillGrid(grid, state.range(0) != 0);
    SequenceTable table;
    Outputs o;
    for (auto _ : state)
        checkAndRebuild(grid, table, o);
}
BENCHMARK(BM_CheckAndRebuild)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Check plus rebuild against the floor, timed alternately in the same loop; the counter
// "ratio" is the goal's figure (it should stay below 10).
void BM_RatioToFloor(benchmark::State& state)
{
    using clock = std::chrono::steady_clock;
    ArrayGrid grid;
    fillGrid(grid, state.range(0) != 0);
    SequenceTable table;
    Outputs o;
    clock::duration work{}, floor{};
    for (auto _ : state) {
        const auto t0 = clock::now();
        floorWork(o);
        const auto t1 = clock::now();
        checkAndRebuild(grid, table, o);
        const auto t2 = clock::now();
        floor += t1 - t0;
        work += t2 - t1;
    }
    state.counters["floor_us"] = std::chrono::duration<double, std::micro>(floor).count() / double(state.iterations());
    state.counters["work_us"] = std::chrono::duration<double, std::micro>(work).count() / double(state.iterations());
    state.counters["ratio"] = double(work.count()) / double(floor.count());
}
BENCHMARK(BM_RatioToFloor)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
