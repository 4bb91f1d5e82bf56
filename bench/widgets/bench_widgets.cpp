// Redraw cost of the display widgets. The wave screen's goal: a repaint of the program's
// 733 x 373 screen with three 65536-sample traces fully visible stays within 10x of one pass
// that only sums the visible samples (x_floor counter, measured in the same run).
#include "widgets/RgbLedBar.h"
#include "widgets/WaveScreen.h"

#include <QApplication>
#include <QRandomGenerator>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <memory>

namespace {

constexpr int kSamples = 65536;

enum Content { Ramps, Noise };

// Program-like content: ramps between levels as a colour sequence makes them, each channel
// with its own phase; or random levels, the worst case (a full-height stroke per column).
double Level(Content content, int channel, int i)
{
    if (content == Noise) {
        return QRandomGenerator::global()->bounded(256);
    }
    const int t = (i + channel * 510) % 1530;
    return t < 255 ? t : t < 765 ? 255 : t < 1020 ? 1020 - t : 0;
}

struct Screen {
    QWidget panel;
    TWaveScreen* screen = new TWaveScreen(&panel);

    explicit Screen(Content content)
    {
        TWaveScreen& s = *screen;
        s.resize(733, 373);
        for (auto set : {&TScreenBorders::SetTop, &TScreenBorders::SetBottom, &TScreenBorders::SetLeft,
                         &TScreenBorders::SetRight}) {
            (s.ScreenBorder().*set)(5);
        }
        s.ScreenColors().SetGrid(QColor(48, 48, 48));
        s.ScreenGrid().SetHorizontalAuxLineCount(1);
        s.ScreenGrid().SetVerticalGridEnabled(false);
        const QColor colors[] = {Qt::red, QColor(0, 128, 0), Qt::blue};
        TScreenWaveBuffer* traces[] = {&s.WaveBufferA(), &s.WaveBufferB(), &s.WaveBufferC()};
        for (int k = 0; k < 3; ++k) {
            TScreenWaveBuffer& t = *traces[k];
            t.SetSize(kSamples);
            t.SetAmplitudePerDiv(25.5);
            t.SetSamplePerDiv(6554); // all 65536 samples across the plot
            t.SetWaveMode(TPenMode::Xor);
            t.SetZeroLinePos(TScreenPos::zlpBottom);
            t.SetWaveColor(colors[k]);
            t.SetEnabled(true);
            for (int i = 0; i < kSamples; ++i) {
                t.SetBuffer(i, Level(content, k, i));
            }
        }
        s.ScreenCursor().SetCursorStyle(TCursorStyle::csVertLine);
        s.ScreenCursor().SetColor(QColor(128, 128, 128));
        s.ScreenCursor().SetMarkerEnabled(false);
        s.ScreenCursor().SetSnapToX(true);
        s.ScreenCursor().SetSnapToY(true);
        s.ScreenCursor().SetPosMX(30000);
        s.Repaint();
    }
};

// The floor: one pass over the visible samples of the three traces, summing them.
double SumVisible(TWaveScreen& s)
{
    double sum = 0.0;
    for (TScreenWaveBuffer* t : {&s.WaveBufferA(), &s.WaveBufferB(), &s.WaveBufferC()}) {
        const double* data = t->Data();
        for (int i = 0; i < t->Size(); ++i) {
            sum += data[i];
        }
    }
    return sum;
}

// CPU time of this thread: other programs on a shared machine do not inflate it.
double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename F> double SecondsPerCall(F f, int calls)
{
    const double start = ThreadSeconds();
    for (int i = 0; i < calls; ++i) {
        f();
    }
    return (ThreadSeconds() - start) / calls;
}

void BM_FloorSumVisibleSamples(benchmark::State& state)
{
    Screen screen(Ramps);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SumVisible(*screen.screen));
    }
}
BENCHMARK(BM_FloorSumVisibleSamples)->Unit(benchmark::kMicrosecond);

void BM_WaveScreenRepaint(benchmark::State& state)
{
    Screen screen(Content(state.range(0)));
    TWaveScreen& s = *screen.screen;
    // The floor measured here too, best of several rounds, so the ratio compares like with like.
    double floor = 1e9;
    for (int round = 0; round < 5; ++round) {
        floor = std::min(floor, SecondsPerCall([&] { benchmark::DoNotOptimize(SumVisible(s)); }, 200));
    }
    const double start = ThreadSeconds();
    for (auto _ : state) {
        s.Repaint();
        benchmark::DoNotOptimize(s.frame().constBits());
    }
    const double perRepaint = (ThreadSeconds() - start) / double(state.iterations());
    state.counters["floor_us"] = floor * 1e6;
    state.counters["x_floor"] = perRepaint / floor;
    state.SetLabel(state.range(0) == Ramps ? "ramps" : "noise");
}
BENCHMARK(BM_WaveScreenRepaint)->Arg(Ramps)->Arg(Noise)->Unit(benchmark::kMicrosecond);

void BM_LedBarRepaint(benchmark::State& state)
{
    TRGB_LED_Balken bar;
    bar.resize(722, 19);
    bar.SetBufferSize(kSamples);
    for (int i = 0; i < kSamples; ++i) {
        bar.SetBufferR(i, i);
        bar.SetBufferG(i, i >> 8);
    }
    bar.SetView(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        bar.Repaint();
        benchmark::DoNotOptimize(bar.image().constBits());
    }
}
BENCHMARK(BM_LedBarRepaint)->Arg(100)->Arg(65536)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
