// The MIDI link's costs: one device frame's round trip through JACK (the
// wrapper sends it, a peer echoes it, it is read back from the receive ring),
// closing the port pair as a page's close road does, one 20 ms tick's read
// from a full ring, and the input callback's append.
// The round trip needs a JACK server: run under scripts/jack-env.sh.
#include "bench/benchiterations.h"
#include "midiportwrapper.h"
#include "midiports.h"
#include "sysexpacking.h"
#include "tests/midi/midipeer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double percentile(std::vector<double> sorted, double p)
{
    if (sorted.empty())
        return 0;
    std::sort(sorted.begin(), sorted.end());
    const size_t i = std::min(sorted.size() - 1, size_t(p * double(sorted.size() - 1) + 0.5));
    return sorted[i];
}

// The numbers of the peer's ports in the editor's lists; false, with the
// benchmark skipped, when there is no server or no peer.
bool findPeer(benchmark::State &state, const MidiPeer &peer, uint *out, uint *in)
{
    if (!std::getenv("JACK_DEFAULT_SERVER")) {
        state.SkipWithError("no JACK server (source scripts/jack-env.sh, start_private_jack)");
        return false;
    }
    if (!peer.isReady()) {
        state.SkipWithError(peer.error().c_str());
        return false;
    }
    MidiPortLister lister;
    const int inPort = lister.inputPortNames().indexOf(QString::fromStdString(peer.editorInputName()));
    const int outPort = lister.outputPortNames().indexOf(QString::fromStdString(peer.editorOutputName()));
    if (inPort < 0 || outPort < 0) {
        state.SkipWithError("the peer's ports are not listed");
        return false;
    }
    *in = uint(inPort);
    *out = uint(outPort);
    return true;
}

void BM_FrameRoundTrip(benchmark::State &state)
{
    MidiPeer peer("Bench Pad");
    uint in = 0;
    uint out = 0;
    if (!findPeer(state, peer, &out, &in))
        return;
    peer.setEcho(true);
    auto wrapper = std::make_unique<MidiPortWrapper>();
    if (!wrapper->open(out, in, true)) {
        state.SkipWithError("cannot open the peer's ports");
        return;
    }

    const uchar frame[] = {0x78, 0x59, 0x11, 0x00, 0x00, 0x00, 0xFF};
    const uint expected = packedSysExSize(sizeof frame);
    uchar buf[7168];
    std::vector<double> micros;
    int lost = 0;
    for (auto _ : state) {
        const auto start = Clock::now();
        wrapper->send(frame, int(sizeof frame));
        const auto deadline = start + std::chrono::milliseconds(200);
        while (wrapper->pending() < expected && Clock::now() < deadline)
            std::this_thread::yield();
        const uint got = wrapper->read(buf, expected, 1);
        const auto end = Clock::now();
        if (got != expected) {
            // A JACK server that is not synchronous can lose an event when a
            // client runs late; such a run is counted, not timed.
            ++lost;
            wrapper->flush();
            state.SetIterationTime(0);
            continue;
        }
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        micros.push_back(seconds * 1e6);
    }
    state.counters["lost"] = lost;
    state.counters["median_us"] = percentile(micros, 0.5);
    state.counters["p10_us"] = percentile(micros, 0.1);
    state.counters["p90_us"] = percentile(micros, 0.9);
    state.counters["max_us"] = percentile(micros, 1.0);
}
BENCHMARK(BM_FrameRoundTrip)->UseManualTime()->Iterations(benchIterations(1000))->Unit(benchmark::kMicrosecond);

// The wrapper's close of an open port pair (what the connection window does
// when a page hands back or its device goes), timed alone; the open before it
// is reported as a counter.
void BM_PortPairClose(benchmark::State &state)
{
    MidiPeer peer("Bench Pad");
    uint in = 0;
    uint out = 0;
    if (!findPeer(state, peer, &out, &in))
        return;
    auto wrapper = std::make_unique<MidiPortWrapper>();
    std::vector<double> micros;
    std::vector<double> openMicros;
    for (auto _ : state) {
        const auto opening = Clock::now();
        if (!wrapper->open(out, in, true)) {
            state.SkipWithError("cannot open the peer's ports");
            return;
        }
        openMicros.push_back(std::chrono::duration<double>(Clock::now() - opening).count() * 1e6);
        const auto start = Clock::now();
        wrapper->close();
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        micros.push_back(seconds * 1e6);
    }
    state.counters["median_us"] = percentile(micros, 0.5);
    state.counters["p90_us"] = percentile(micros, 0.9);
    state.counters["max_us"] = percentile(micros, 1.0);
    state.counters["open_median_us"] = percentile(openMicros, 0.5);
}
BENCHMARK(BM_PortPairClose)->UseManualTime()->Iterations(benchIterations(100))->Unit(benchmark::kMicrosecond);

// The connection window's tick reads up to 7,168 bytes; with a full ring the
// read returns at once, without the 10 ms pause.
void BM_TickReadFullRing(benchmark::State &state)
{
    auto wrapper = std::make_unique<MidiPortWrapper>();
    std::vector<uchar> fill(MidiPortWrapper::kRxRingSize - 1, 0x42);
    std::vector<uchar> buf(7168);
    std::vector<double> micros;
    for (auto _ : state) {
        wrapper->flush();
        // Move the indices around the ring so the read wraps now and then.
        wrapper->ringWrite(fill.data(), uint(micros.size() % 4096) + 1);
        wrapper->flush();
        wrapper->ringWrite(fill.data(), uint(fill.size()) - wrapper->pending());
        const auto start = Clock::now();
        const uint n = wrapper->read(buf.data(), uint(buf.size()), 1);
        const auto end = Clock::now();
        benchmark::DoNotOptimize(n);
        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        micros.push_back(seconds * 1e6);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * 7168);
    state.counters["median_us"] = percentile(micros, 0.5);
    state.counters["p90_us"] = percentile(micros, 0.9);
}
BENCHMARK(BM_TickReadFullRing)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The input callback's work for one message: a short message and the longest
// packed frame.
void BM_CallbackAppend(benchmark::State &state)
{
    auto wrapper = std::make_unique<MidiPortWrapper>();
    std::vector<uchar> message(size_t(state.range(0)), 0x11);
    for (auto _ : state) {
        MidiPortWrapper::midiCallback(0.0, &message, wrapper.get());
        if (wrapper->pending() > MidiPortWrapper::kRxRingSize / 2) {
            state.PauseTiming();
            wrapper->flush();
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_CallbackAppend)->Arg(3)->Arg(5645);

} // namespace

BENCHMARK_MAIN();
