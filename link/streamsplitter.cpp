#include "streamsplitter.h"

#include "sysexpacking.h"

namespace {

// Unpacks the device frame that starts at data[start] (an F0). Returns the
// index just past its F7, or 0 when the data ends before the F7.
uint takeFrame(const uchar *data, uint len, uint start, FrameBuffer frame, MidiStreamSink &sink)
{
    *frame.length = 0;
    bool overflow = false;
    SysExUnpacker unpacker;
    for (uint i = start; i < len; ++i) {
        const uchar c = data[i];
        if (c == 0xF0)
            continue;
        if (c == 0xF7) {
            if (!overflow)
                sink.onFrame(frame.data, *frame.length);
            return i + 1;
        }
        uchar b;
        if (unpacker.push(c, &b)) {
            if (*frame.length < frame.capacity)
                frame.data[(*frame.length)++] = b;
            else
                overflow = true;
        }
    }
    return 0;
}

} // namespace

uint splitMidiStream(const uchar *data, uint len, FrameBuffer frame, MidiStreamSink &sink)
{
    uint i = 0;
    while (i < len) {
        const uchar b = data[i];
        if (b == 0xF0) {
            if (i + 2 >= len)
                return i;
            if (data[i + 1] == 0x78 && data[i + 2] == 0x32) {
                const uint next = takeFrame(data, len, i, frame, sink);
                if (next == 0)
                    return i;
                i = next;
            } else {
                uint k = i + 1;
                while (k < len && data[k] != 0xF7)
                    ++k;
                if (k >= len)
                    return i;
                sink.onSysEx(data + i, k - i + 1);
                i = k + 1;
            }
        } else if ((b >= 0xC0 && b <= 0xDF) || b == 0xF1 || b == 0xF3) {
            if (i + 1 >= len)
                return i;
            sink.onShortMessage(uint(b) | (uint(data[i + 1]) << 8));
            i += 2;
        } else if (b == 0xF6 || b == 0xF8 || b == 0xFA || b == 0xFB || b == 0xFC || b == 0xFE) {
            sink.onShortMessage(b);
            i += 1;
        } else if ((b >= 0x80 && b <= 0xBF) || (b >= 0xE0 && b <= 0xEF) || b == 0xF2) {
            if (i + 2 >= len)
                return i;
            sink.onShortMessage(uint(b) | (uint(data[i + 1]) << 8) | (uint(data[i + 2]) << 16));
            i += 3;
        } else {
            ++i;
        }
    }
    return len;
}
