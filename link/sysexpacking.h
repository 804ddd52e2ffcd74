// Frame transport inside SysEx: the frame's bits leave least significant bit
// first, seven to a byte, between F0 and F7. Every packed frame begins F0 78 32.
#pragma once

#include "deviceframe.h"

// Size of the packed message (F0 and F7 included) for a frame of len bytes.
constexpr uint packedSysExSize(uint len) { return 2 + (8 * len + 6) / 7; }

// Packs frame into out (which must hold packedSysExSize(len) bytes); returns the
// number of bytes written.
uint packSysEx(const uchar *frame, uint len, uchar *out);

// Copies the frame raw between F0 and F7 (len + 2 bytes).
uint wrapSysExRaw(const uchar *frame, uint len, uchar *out);

// Undoes the packing, one packed byte at a time. Eight packed bytes give seven
// frame bytes; the bits left over at the end (fewer than eight) are dropped.
class SysExUnpacker
{
public:
    void reset() { m_acc = 0; m_bits = 0; }
    // Takes one packed byte; true when a whole frame byte is ready in *out.
    bool push(uchar c, uchar *out)
    {
        m_acc |= uint(c) << m_bits;
        if (m_bits >= 1) {
            *out = uchar(m_acc & 0xFF);
            m_acc >>= 8;
            --m_bits;
            return true;
        }
        m_bits = 7;
        return false;
    }

private:
    uint m_acc = 0;
    uint m_bits = 0;
};

// Unpacks the bytes between F0 and F7 of a packed message (F0 and F7 bytes
// anywhere in the input are skipped). Writes at most cap bytes to out and
// returns the full unpacked length, which exceeds cap when out was too small.
uint unpackSysEx(const uchar *packed, uint len, uchar *out, uint cap);

// True when msg starts F0 78 32, the start of every packed device frame.
inline bool isPackedFrameStart(const uchar *msg, uint len)
{
    return len >= 3 && msg[0] == 0xF0 && msg[1] == 0x78 && msg[2] == 0x32;
}
