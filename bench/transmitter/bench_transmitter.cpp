// Speed of the transmitter link's bookkeeping: a device change must be handled well
// within a frame, even on a machine with many HID devices.
#include "tests/support/FakeHidBackend.h"
#include "transmitter/HidDeviceController.h"
#include "transmitter/ReportDescriptor.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <vector>

namespace {

const std::vector<std::uint8_t> transmitterDescriptor{0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x15,
                                                      0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x06,
                                                      0x09, 0x00, 0xB2, 0x02, 0x01, 0xC0};

// A descriptor near the kernel's 4096-byte limit: many feature reports with ids.
std::vector<std::uint8_t> largeDescriptor()
{
    std::vector<std::uint8_t> d;
    for (int id = 1; d.size() + 12 < 4096; id = id % 255 + 1) {
        const std::vector<std::uint8_t> item{0xA4, 0x85, std::uint8_t(id), 0x75, 0x08, 0x95,
                                             std::uint8_t(id % 64 + 1), 0x09, 0x01, 0xB1, 0x02, 0xB4};
        d.insert(d.end(), item.begin(), item.end());
    }
    return d;
}

void BM_FeatureLengthTransmitter(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportDescriptor::featureReportByteLength(transmitterDescriptor));
}
BENCHMARK(BM_FeatureLengthTransmitter);

void BM_FeatureLength4k(benchmark::State& state)
{
    const auto d = largeDescriptor();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportDescriptor::featureReportByteLength(d));
}
BENCHMARK(BM_FeatureLength4k);

// One notification with nothing changed, for n devices present.
void BM_EnumerationWithoutChange(benchmark::State& state)
{
    FakeHidBackend fake;
    for (int i = 0; i < state.range(0); ++i)
        fake.plugTransmitter();
    THidDeviceController controller(fake);
    QCoreApplication::processEvents();
    for (auto _ : state)
        controller.DeviceChangeNotification();
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_EnumerationWithoutChange)->RangeMultiplier(4)->Range(4, 256)->Complexity();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
