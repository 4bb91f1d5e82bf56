// Costs of the waveform preview, each next to a floor measured in the same run:
// - a full rebuild (3 x 65536 levels into the LED bar and the traces, then both redrawn)
//   against clearing the same bytes with memset: goal within 10x;
// - a keystroke in a tick cell until the wave screen is repainted (cell editor, check,
//   rebuild, repaint, pending paint events): goal under 5 ms median, 95th percentile reported;
// - building and showing the main window against a bare QMainWindow in the same process:
//   goal within 1.5x.
// Times are CPU time of this thread, so other programs on a shared machine do not inflate
// them; the keystroke also reports wall-clock time.
#include "app/TForm1.h"
#include "preview/PreviewArea.h"
#include "preview/WaveformPreview.h"
#include "sequence/SequenceEditor.h"
#include "sequence/SequenceGridView.h"
#include "tests/support/ScriptedPrompts.h"
#include "widgets/RgbLedBar.h"
#include "widgets/SpinEdit.h"
#include "widgets/WaveScreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QMainWindow>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
#include <memory>
#include <vector>

namespace {

constexpr int kSamples = 65536;

double ThreadSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) * 1e-9;
}

template <typename F> double BestSecondsPerCall(F f, int calls, int rounds = 5)
{
    double best = 1e9;
    for (int r = 0; r < rounds; ++r) {
        const double start = ThreadSeconds();
        for (int i = 0; i < calls; ++i)
            f();
        best = std::min(best, (ThreadSeconds() - start) / calls);
    }
    return best;
}

double Percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    const auto k = std::size_t(p * double(v.size() - 1) + 0.5);
    return v[std::min(k, v.size() - 1)];
}

struct Window {
    ScriptedPrompts prompts;
    std::unique_ptr<TForm1> form;

    Window()
    {
        FormServices s;
        s.prompts = &prompts;
        s.pause = [](int) {};
        s.exitProcess = [](int) {};
        form = std::make_unique<TForm1>(s);
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qWarning("main window not exposed");
        QCoreApplication::processEvents();
    }
};

// The floor: the bytes a rebuild writes (three byte arrays of the bar, three double arrays of
// the traces), cleared with memset.
struct Floor {
    std::vector<unsigned char> bytes = std::vector<unsigned char>(std::size_t(kSamples) * 3 * (1 + sizeof(double)));
    void run()
    {
        std::memset(bytes.data(), int(bytes[0]) + 1, bytes.size());
        benchmark::DoNotOptimize(bytes.data());
        benchmark::ClobberMemory();
    }
};

void BM_FloorMemsetRebuildBytes(benchmark::State& state)
{
    Floor floor;
    for (auto _ : state)
        floor.run();
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(floor.bytes.size()));
}
BENCHMARK(BM_FloorMemsetRebuildBytes)->Unit(benchmark::kMicrosecond);

// The whole RebuildPreview as the check calls it, with the start-up sequence (TS_End 1530,
// zoom unchanged, so the only redraws are the final ones of bar and screen).
void BM_RebuildPreview(benchmark::State& state)
{
    Window w;
    Floor floor;
    const double floorSeconds = BestSecondsPerCall([&] { floor.run(); }, 200);
    const double start = ThreadSeconds();
    for (auto _ : state) {
        w.form->waveform->RebuildPreview(7, 1530);
        benchmark::DoNotOptimize(w.form->preview->WaveScreen1->frame().constBits());
    }
    const double perRebuild = (ThreadSeconds() - start) / double(state.iterations());
    state.counters["floor_us"] = floorSeconds * 1e6;
    state.counters["x_floor"] = perRebuild / floorSeconds;
}
BENCHMARK(BM_RebuildPreview)->Unit(benchmark::kMicrosecond);

// What a rebuild spends on the levels alone (3 x 65536 into a byte array).
void BM_RebuildLevelsOnly(benchmark::State& state)
{
    const SequenceTable table;
    std::vector<std::uint8_t> levels(kSamples);
    for (auto _ : state) {
        for (ColourChannel c : {Red, Green, Blue}) {
            LevelsForTicks(table.curve(c), 7, 0, levels.size(), levels.data());
            benchmark::DoNotOptimize(levels.data());
            benchmark::ClobberMemory();
        }
    }
}
BENCHMARK(BM_RebuildLevelsOnly)->Unit(benchmark::kMicrosecond);

// What a rebuild spends on its two final redraws alone, to tell sampling from drawing.
void BM_RebuildRedrawsOnly(benchmark::State& state)
{
    Window w;
    for (auto _ : state) {
        w.form->preview->RGB_LED_Balken1->Repaint();
        w.form->preview->WaveScreen1->Repaint();
        benchmark::DoNotOptimize(w.form->preview->WaveScreen1->frame().constBits());
    }
}
BENCHMARK(BM_RebuildRedrawsOnly)->Unit(benchmark::kMicrosecond);

// A keystroke in a tick cell until the repainted wave screen is on the (offscreen) window.
// range(0) 0: row 1's tick "0" <-> "05" (zoom stays); 1: row 7's "1530" <-> "15300" (the zoom
// changes with every keystroke, so the screen's background is rebuilt as well).
void BM_KeystrokeToRepaintedScreen(benchmark::State& state)
{
    Window w;
    const bool zoomChanges = state.range(0) == 1;
    const int row = zoomChanges ? 7 : 1;
    auto* view = w.form->findChild<SequenceGridView*>(QStringLiteral("Sequenz_StringGrid"));
    view->openCellEditor(SequenceGridModel::ColTicks, row);
    QLineEdit* editor = view->cellEditor();
    if (!editor) {
        state.SkipWithError("no cell editor");
        return;
    }
    QTest::keyClick(editor, Qt::Key_End);
    const Qt::Key append = zoomChanges ? Qt::Key_0 : Qt::Key_5;
    std::vector<double> cpu, wall;
    bool longer = false;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        const double start = ThreadSeconds();
        QTest::keyClick(editor, longer ? Qt::Key_Backspace : append);
        QCoreApplication::processEvents();   // the pending paint events of screen and bar
        cpu.push_back(ThreadSeconds() - start);
        wall.push_back(double(clock.nsecsElapsed()) * 1e-9);
        longer = !longer;
    }
    if (!w.prompts.errors.isEmpty() || !w.prompts.exceptions.isEmpty())
        state.SkipWithError("the check reported something");
    state.counters["cpu_median_ms"] = Percentile(cpu, 0.5) * 1e3;
    state.counters["cpu_p95_ms"] = Percentile(cpu, 0.95) * 1e3;
    state.counters["wall_median_ms"] = Percentile(wall, 0.5) * 1e3;
    state.counters["wall_p95_ms"] = Percentile(wall, 0.95) * 1e3;
    state.counters["tsEnd"] = w.form->editor->TSEnd_CSpinEdit->value();
    state.SetLabel(zoomChanges ? "zoom changes" : "zoom stays");
}
BENCHMARK(BM_KeystrokeToRepaintedScreen)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(200);

// Build, show and wait for the first exposure; then destroy.
template <typename Make> double BuildAndShow(Make make)
{
    const double start = ThreadSeconds();
    {
        auto window = make();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("window not exposed");
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(window.get());
    }
    return ThreadSeconds() - start;
}

std::unique_ptr<QMainWindow> BareWindow()
{
    auto window = std::make_unique<QMainWindow>();
    window->resize(TForm1::DesignWidth, TForm1::DesignHeight);
    return window;
}

// A main window with as many plain children as the program's window has widgets (labels and
// buttons with short captions on a raster): what that many widgets cost by themselves.
std::unique_ptr<QMainWindow> CrowdedWindow(int children)
{
    auto window = BareWindow();
    auto* central = new QWidget(window.get());
    window->setCentralWidget(central);
    for (int i = 0; i < children; ++i) {
        QWidget* w = i % 2 ? static_cast<QWidget*>(new QPushButton(QStringLiteral("B%1").arg(i), central))
                           : static_cast<QWidget*>(new QLabel(QStringLiteral("L%1").arg(i), central));
        w->setGeometry((i % 16) * 64, (i / 16) * 40, 60, 22);
    }
    return window;
}

void BM_FloorBareMainWindow(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(BuildAndShow(BareWindow));
}
BENCHMARK(BM_FloorBareMainWindow)->Unit(benchmark::kMillisecond);

void BM_MainWindowStart(benchmark::State& state)
{
    ScriptedPrompts prompts;
    const auto makeForm = [&] {
        FormServices s;
        s.prompts = &prompts;
        s.pause = [](int) {};
        s.exitProcess = [](int) {};
        return std::make_unique<TForm1>(s);
    };
    // Interleaved with the floor, so both see the same state of the machine.
    std::vector<double> form, bare;
    for (auto _ : state) {
        form.push_back(BuildAndShow(makeForm));
        state.PauseTiming();
        bare.push_back(BuildAndShow(BareWindow));
        state.ResumeTiming();
    }
    state.counters["form_median_ms"] = Percentile(form, 0.5) * 1e3;
    state.counters["bare_median_ms"] = Percentile(bare, 0.5) * 1e3;
    state.counters["x_bare"] = Percentile(form, 0.5) / Percentile(bare, 0.5);
}
BENCHMARK(BM_MainWindowStart)->Unit(benchmark::kMillisecond)->Iterations(30);

// Where the main window's start goes: construction (every area, the start-up check and the
// preview rebuild), the first show until exposed and painted, and destruction; each next to
// the same phase of a bare QMainWindow and of a window with as many plain child widgets.
void BM_MainWindowStartPhases(benchmark::State& state)
{
    ScriptedPrompts prompts;
    std::vector<double> build, show, destroy, bareBuild, bareShow, bareDestroy;
    int widgets = 0;
    const auto phases = [](auto make, std::vector<double>& b, std::vector<double>& s, std::vector<double>& d) {
        double t0 = ThreadSeconds();
        auto window = make();
        double t1 = ThreadSeconds();
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("window not exposed");
        QCoreApplication::processEvents();
        double t2 = ThreadSeconds();
        const int count = int(window->template findChildren<QWidget*>().size());
        window.reset();
        double t3 = ThreadSeconds();
        b.push_back(t1 - t0);
        s.push_back(t2 - t1);
        d.push_back(t3 - t2);
        return count;
    };
    const auto makeForm = [&] {
        FormServices sv;
        sv.prompts = &prompts;
        sv.pause = [](int) {};
        sv.exitProcess = [](int) {};
        return std::make_unique<TForm1>(sv);
    };
    std::vector<double> crowdBuild, crowdShow, crowdDestroy;
    for (auto _ : state) {
        widgets = phases(makeForm, build, show, destroy);
        phases(BareWindow, bareBuild, bareShow, bareDestroy);
        phases([&] { return CrowdedWindow(widgets); }, crowdBuild, crowdShow, crowdDestroy);
    }
    state.counters["crowd_build_ms"] = Percentile(crowdBuild, 0.5) * 1e3;
    state.counters["crowd_show_ms"] = Percentile(crowdShow, 0.5) * 1e3;
    state.counters["crowd_destroy_ms"] = Percentile(crowdDestroy, 0.5) * 1e3;
    state.counters["build_ms"] = Percentile(build, 0.5) * 1e3;
    state.counters["show_ms"] = Percentile(show, 0.5) * 1e3;
    state.counters["destroy_ms"] = Percentile(destroy, 0.5) * 1e3;
    state.counters["bare_build_ms"] = Percentile(bareBuild, 0.5) * 1e3;
    state.counters["bare_show_ms"] = Percentile(bareShow, 0.5) * 1e3;
    state.counters["bare_destroy_ms"] = Percentile(bareDestroy, 0.5) * 1e3;
    state.counters["widgets"] = widgets;
    const auto total = [](const std::vector<double>& b, const std::vector<double>& s) {
        return Percentile(b, 0.5) + Percentile(s, 0.5);
    };
    state.counters["x_bare"] = total(build, show) / total(bareBuild, bareShow);
    state.counters["x_crowd"] = total(build, show) / total(crowdBuild, crowdShow);
}
BENCHMARK(BM_MainWindowStartPhases)->Unit(benchmark::kMillisecond)->Iterations(30);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
