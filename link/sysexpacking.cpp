#include "sysexpacking.h"

#include <cstring>

uint packSysEx(const uchar *frame, uint len, uchar *out)
{
    uint n = 0;
    out[n++] = 0xF0;
    uint acc = 0;
    uint bits = 0;
    for (uint i = 0; i < len; ++i) {
        acc |= uint(frame[i]) << bits;
        bits += 8;
        while (bits >= 7) {
            out[n++] = uchar(acc & 0x7F);
            acc >>= 7;
            bits -= 7;
        }
    }
    if (bits > 0)
        out[n++] = uchar(acc & 0x7F);
    out[n++] = 0xF7;
    return n;
}

uint wrapSysExRaw(const uchar *frame, uint len, uchar *out)
{
    out[0] = 0xF0;
    if (len)
        std::memcpy(out + 1, frame, len);
    out[len + 1] = 0xF7;
    return len + 2;
}

uint unpackSysEx(const uchar *packed, uint len, uchar *out, uint cap)
{
    SysExUnpacker unpacker;
    uint n = 0;
    for (uint i = 0; i < len; ++i) {
        const uchar c = packed[i];
        if (c == 0xF0 || c == 0xF7)
            continue;
        uchar b;
        if (unpacker.push(c, &b)) {
            if (n < cap)
                out[n] = b;
            ++n;
        }
    }
    return n;
}
