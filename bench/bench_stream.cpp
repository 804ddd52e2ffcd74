// Throughput of SysEx packing, unpacking and the stream splitter on a
// realistic mixed stream, against memcpy of the same bytes.
#include "streamsplitter.h"
#include "sysexpacking.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

namespace {

std::vector<uchar> makeFrame(std::mt19937 &rng, uint len)
{
    std::vector<uchar> f(len);
    for (auto &b : f)
        b = uchar(rng());
    f[0] = 0x78;
    if (len > 1)
        f[1] = 0x59;
    return f;
}

// Device frames of 7 to 4,937 bytes, foreign SysEx, notes, controllers and
// clock, in the proportions a busy page sees.
std::vector<uchar> makeMixedStream(size_t target)
{
    std::mt19937 rng(42);
    std::vector<uchar> s;
    std::vector<uchar> packed(packedSysExSize(4937));
    const uint frameSizes[] = {7, 9, 39, 72, 830, 4937};
    while (s.size() < target) {
        switch (rng() % 6) {
        case 0: {
            const uint len = frameSizes[rng() % 6];
            auto f = makeFrame(rng, len);
            const uint n = packSysEx(f.data(), len, packed.data());
            s.insert(s.end(), packed.begin(), packed.begin() + n);
            break;
        }
        case 1: {
            const uchar sx[] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
            s.insert(s.end(), sx, sx + sizeof sx);
            break;
        }
        case 2:
            s.insert(s.end(), {0x90, uchar(rng() & 0x7F), uchar(rng() & 0x7F)});
            break;
        case 3:
            s.insert(s.end(), {0xB0, uchar(rng() & 0x7F), uchar(rng() & 0x7F)});
            break;
        default:
            s.push_back(0xF8);
            break;
        }
    }
    return s;
}

class NullSink : public MidiStreamSink
{
public:
    uint frames = 0, sysex = 0, shorts = 0;
    void onFrame(const uchar *, uint) override { ++frames; }
    void onSysEx(const uchar *, uint) override { ++sysex; }
    void onShortMessage(uint) override { ++shorts; }
};

void BM_Memcpy(benchmark::State &state)
{
    const auto stream = makeMixedStream(size_t(state.range(0)));
    std::vector<uchar> out(stream.size());
    for (auto _ : state) {
        std::memcpy(out.data(), stream.data(), stream.size());
        benchmark::DoNotOptimize(out.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(stream.size()));
}

void BM_Splitter(benchmark::State &state)
{
    const auto stream = makeMixedStream(size_t(state.range(0)));
    static uchar frameBuf[SDeviceFrame::kMaxReceivedFrame];
    uint frameLen = 0;
    NullSink sink;
    for (auto _ : state) {
        benchmark::DoNotOptimize(
            splitMidiStream(stream.data(), uint(stream.size()), FrameBuffer{frameBuf, sizeof frameBuf, &frameLen}, sink));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(stream.size()));
}

void BM_Pack(benchmark::State &state)
{
    std::mt19937 rng(7);
    const auto frame = makeFrame(rng, uint(state.range(0)));
    std::vector<uchar> out(packedSysExSize(uint(frame.size())));
    for (auto _ : state) {
        benchmark::DoNotOptimize(packSysEx(frame.data(), uint(frame.size()), out.data()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(frame.size()));
}

void BM_Unpack(benchmark::State &state)
{
    std::mt19937 rng(7);
    const auto frame = makeFrame(rng, uint(state.range(0)));
    std::vector<uchar> packed(packedSysExSize(uint(frame.size())));
    const uint n = packSysEx(frame.data(), uint(frame.size()), packed.data());
    std::vector<uchar> out(frame.size());
    for (auto _ : state) {
        benchmark::DoNotOptimize(unpackSysEx(packed.data(), n, out.data(), uint(out.size())));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(n));
}

} // namespace

// 7,168 bytes: what the connection window drains in one 20 ms tick.
BENCHMARK(BM_Memcpy)->Arg(7168)->Arg(1 << 20);
BENCHMARK(BM_Splitter)->Arg(7168)->Arg(1 << 20);
BENCHMARK(BM_Pack)->Arg(830)->Arg(4937);
BENCHMARK(BM_Unpack)->Arg(830)->Arg(4937);
BENCHMARK_MAIN();
