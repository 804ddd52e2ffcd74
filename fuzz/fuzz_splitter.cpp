// Feeds arbitrary bytes to the stream splitter and to the SysEx unpacker.
// The first byte picks where the input is cut into two calls, as the 20 ms
// timer cuts the ring's contents.
#include "streamsplitter.h"
#include "sysexpacking.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

class CheckingSink : public MidiStreamSink
{
public:
    const uchar *buf = nullptr;
    uint cap = 0;
    const uchar *dataBegin = nullptr;
    const uchar *dataEnd = nullptr;
    // The bytes of every frame handed on.
    uint framed = 0;

    void onFrame(const uchar *frame, uint len) override
    {
        if (frame != buf || len > cap)
            abort();
        framed += len;
    }
    void onSysEx(const uchar *msg, uint len) override
    {
        if (msg < dataBegin || msg + len > dataEnd || len < 2 || msg[0] != 0xF0 || msg[len - 1] != 0xF7)
            abort();
    }
    void onShortMessage(uint message) override
    {
        if ((message & 0x80) == 0 || message > 0xFFFFFF)
            abort();
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static uchar frameBuf[SDeviceFrame::kMaxReceivedFrame];
    uint frameLen = 0;
    CheckingSink sink;
    sink.buf = frameBuf;
    sink.cap = sizeof frameBuf;
    sink.dataBegin = data;
    sink.dataEnd = data + size;

    const size_t cut = size ? data[0] % (size + 1) : 0;
    const uint stop1 = splitMidiStream(data, uint(cut), FrameBuffer{frameBuf, sizeof frameBuf, &frameLen}, sink);
    if (stop1 > cut)
        abort();
    const uint stop2 = splitMidiStream(data + cut, uint(size - cut), FrameBuffer{frameBuf, sizeof frameBuf, &frameLen}, sink);
    if (stop2 > size - cut)
        abort();

    // The unpacker with a small and a large output buffer must agree.
    static uchar small[64];
    static uchar large[8192];
    const uint lenSmall = unpackSysEx(data, uint(size), small, sizeof small);
    const uint lenLarge = unpackSysEx(data, uint(size), large, sizeof large);
    if (lenSmall != lenLarge)
        abort();
    // Each frame is unpacked from input bytes no other frame took, and eight
    // packed bytes give at most seven: the frames together hold no more than
    // the whole input unpacks to.
    if (sink.framed > lenLarge)
        abort();
    for (uint i = 0; i < lenSmall && i < sizeof small; ++i)
        if (small[i] != large[i])
            abort();

    // Packing what was unpacked and unpacking again gives the same bytes.
    if (lenLarge <= 4096) {
        static uchar repacked[packedSysExSize(4096)];
        static uchar again[4096];
        const uint n = packSysEx(large, lenLarge, repacked);
        if (unpackSysEx(repacked, n, again, sizeof again) != lenLarge)
            abort();
        for (uint i = 0; i < lenLarge; ++i)
            if (again[i] != large[i])
                abort();
    }
    return 0;
}
