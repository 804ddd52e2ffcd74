// What the MIDI monitor costs while a device plays: a page (the pad
// controller's) is fed 1,000 short messages a second in 20 ms batches, as the
// connection window's tick hands them over, with its 500-line monitor full,
// under the offscreen platform. Each iteration is one second of real time in
// which the event loop runs as it would (layout, painting, the page's timer),
// so the process CPU time of an iteration is the share of one core that the
// monitor takes at that rate; the idle run gives what the page costs without
// traffic.
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QListWidget>
#include <QTimer>
#include <QTranslator>

#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/benchiterations.h"
#include "devices/pad/crzm7.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "tests/support/padtest.h"

namespace {

constexpr int kBatchMs = 20;
constexpr int kBatchesPerSecond = 1000 / kBatchMs;

// The bytes of one batch: note on, note off and a controller, in turn.
std::vector<uchar> batchBytes(int messages, int seed)
{
    std::vector<uchar> bytes;
    for (int i = 0; i < messages; ++i) {
        const uchar n = uchar((seed + i) % 128);
        switch (i % 3) {
        case 0: bytes.insert(bytes.end(), {0x90, n, 0x64}); break;
        case 1: bytes.insert(bytes.end(), {0x80, n, 0x00}); break;
        default: bytes.insert(bytes.end(), {0xB1, n, 0x40}); break;
        }
    }
    return bytes;
}

// Runs the event loop until the given time since start.
void runUntil(const QElapsedTimer &clock, qint64 ms)
{
    const qint64 left = ms - clock.elapsed();
    if (left <= 0) {
        QCoreApplication::processEvents();
        return;
    }
    QEventLoop loop;
    QTimer::singleShot(int(left), &loop, &QEventLoop::quit);
    loop.exec();
}

void BM_MonitorOneSecond(benchmark::State &state)
{
    const int perBatch = int(state.range(0));
    tavrotest::RecordingOwner owner;
    auto page = std::make_unique<CRZM7>(&owner);
    page->setEnabled(true);
    page->show();
    // The monitor is full before the clock starts.
    for (int k = 0; k < 40; ++k) {
        const std::vector<uchar> b = batchBytes(20, k);
        page->Slots_recv_data(b.data(), uint(b.size()));
        QCoreApplication::processEvents();
    }

    int seed = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        for (int k = 0; k < kBatchesPerSecond; ++k) {
            if (perBatch > 0) {
                const std::vector<uchar> b = batchBytes(perBatch, seed++);
                page->Slots_recv_data(b.data(), uint(b.size()));
            }
            runUntil(clock, qint64(k + 1) * kBatchMs);
        }
    }
    const double messages = double(perBatch) * kBatchesPerSecond;
    state.counters["msgs_per_s"] = messages;
    if (messages > 0)
        state.counters["cpu_per_msg"] =
            benchmark::Counter(messages, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
// 0: the idle page; 20 per batch: 1,000 messages a second.
BENCHMARK(BM_MonitorOneSecond)
    ->Arg(0)
    ->Arg(20)
    ->Iterations(benchIterations(5))
    ->MeasureProcessCPUTime()
    ->Unit(benchmark::kMillisecond);

// The monitor alone, flushing on its own tick as a page without a timer of
// its own has it (the foot pedal pages: 499 lines), in a shown list of the pad
// page's size.
void BM_MonitorListOwnTick(benchmark::State &state)
{
    const int perBatch = int(state.range(0));
    QListWidget list;
    list.resize(290, 650);
    list.show();
    MidiMonitorList monitor(&list, MidiMonitorList::SOptions{499, true, true, false});
    for (int k = 0; k < 600; ++k)
        monitor.addMessage(0x90 | uint(k % 128) << 8 | 0x40 << 16);
    QCoreApplication::processEvents();

    uint n = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        for (int k = 0; k < kBatchesPerSecond; ++k) {
            for (int i = 0; i < perBatch; ++i, ++n)
                monitor.addMessage((i % 2 ? 0x80u : 0xB1u) | (n % 128) << 8 | 0x40 << 16);
            runUntil(clock, qint64(k + 1) * kBatchMs);
        }
    }
    const double messages = double(perBatch) * kBatchesPerSecond;
    state.counters["msgs_per_s"] = messages;
    if (messages > 0)
        state.counters["cpu_per_msg"] =
            benchmark::Counter(messages, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_MonitorListOwnTick)->Arg(20)->Iterations(benchIterations(5))->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    g_translator = new QTranslator(&app);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
