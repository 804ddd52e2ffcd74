// Template bodies of connectlogic.h.
#pragma once

template <class OnFrame>
uint findPackedFrames(const uint8_t *data, uint len, uint8_t *out, uint cap, OnFrame onFrame)
{
    uint i = 0;
    while (i < len) {
        if (data[i] != 0xF0) {
            ++i;
            continue;
        }
        // A start cut by the end of the data may still become a frame.
        if (i + 2 >= len) {
            if (i + 1 == len || data[i + 1] == 0x78)
                return i;
            ++i;
            continue;
        }
        if (data[i + 1] != 0x78 || data[i + 2] != 0x32) {
            ++i;
            continue;
        }
        const uint start = i;
        uint acc = 0;
        uint bits = 0;
        uint n = 0;
        uint k = i + 1;
        bool ended = false;
        for (; k < len; ++k) {
            const uint8_t c = data[k];
            if (c == 0xF7) {
                ended = true;
                break;
            }
            if (c == 0xF0)
                continue;
            acc |= uint(c & 0x7F) << bits;
            bits += 7;
            if (bits >= 8) {
                if (n < cap)
                    out[n] = uint8_t(acc & 0xFF);
                ++n;
                acc >>= 8;
                bits -= 8;
            }
        }
        if (!ended)
            return start;
        if (n <= cap)
            onFrame(out, n);
        i = k + 1;
    }
    return len;
}
