// Records shared by the pad, small pad and keyboard controllers: what one pad,
// button or knob sends, a reference into a SysEx pool, and an LED colour. These
// are wire formats: they travel inside device frames byte for byte.
//
// How a page uses it: its block struct is made of these records (static_assert
// the offsets). A record in its Customize (SysEx) mode holds an SSysexRef in
// bytes 1..3, whatever its length: sysexRef()/setSysexRef() on the 4-byte
// SControlRecord and the 5-byte SKnobRecord, or sysexRefAt()/setSysexRefAt()
// on the raw bytes of any record.
#pragma once

#include "deviceframe.h"

#include <cstdint>

// LED colour, stored green, red, blue. The screen colour is rgb(r, g, b); a
// colour chosen as (R, G, B) is stored as G, R, B.
struct SColourGRB
{
    uchar g;
    uchar r;
    uchar b;

    static SColourGRB fromRgb(uchar red, uchar green, uchar blue) { return SColourGRB{green, red, blue}; }
    bool operator==(const SColourGRB &o) const { return g == o.g && r == o.r && b == o.b; }
    bool operator!=(const SColourGRB &o) const { return !(*this == o); }
};
static_assert(sizeof(SColourGRB) == 3, "SColourGRB is 3 bytes");

// Byte 0 of every control record: channel in bits 0-3, mode in bits 4-6, a flag
// in bit 7. Setters mask their argument, so a field never spills into another.
namespace ctrlbyte {
constexpr uchar channel(uchar b) { return uchar(b & 0x0F); }
constexpr uchar mode(uchar b) { return uchar((b >> 4) & 0x07); }
constexpr bool flag(uchar b) { return (b & 0x80) != 0; }
constexpr uchar withChannel(uchar b, uint ch) { return uchar((b & 0xF0) | (ch & 0x0F)); }
constexpr uchar withMode(uchar b, uint m) { return uchar((b & 0x8F) | ((m & 0x07) << 4)); }
constexpr uchar withFlag(uchar b, bool on) { return uchar(on ? (b | 0x80) : (b & 0x7F)); }
} // namespace ctrlbyte

// Where the message of a control in SysEx mode lies in its page's pool: a 16-bit
// little-endian offset and a length in bytes (record bytes 1, 2 and 3).
struct SSysexRef
{
    uchar offsetLow;
    uchar offsetHigh;
    uchar length;

    std::uint16_t offset() const { return std::uint16_t(offsetLow | (offsetHigh << 8)); }
    void setOffset(std::uint16_t off)
    {
        offsetLow = uchar(off & 0xFF);
        offsetHigh = uchar(off >> 8);
    }
};
static_assert(sizeof(SSysexRef) == 3, "SSysexRef is 3 bytes");

// The reference in bytes 1..3 of a record of any length.
inline SSysexRef sysexRefAt(const uchar *record)
{
    return SSysexRef{record[1], record[2], record[3]};
}
inline void setSysexRefAt(uchar *record, const SSysexRef &ref)
{
    record[1] = ref.offsetLow;
    record[2] = ref.offsetHigh;
    record[3] = ref.length;
}

// A pad, button or long-press action: byte 0 as above, then three values whose
// meaning depends on the mode. In SysEx mode the three values are an SSysexRef.
struct SControlRecord
{
    uchar ctrl;
    uchar data1;
    uchar value1;
    uchar value2;

    uchar channel() const { return ctrlbyte::channel(ctrl); }
    uchar mode() const { return ctrlbyte::mode(ctrl); }
    bool flag() const { return ctrlbyte::flag(ctrl); }
    void setChannel(uint ch) { ctrl = ctrlbyte::withChannel(ctrl, ch); }
    void setMode(uint m) { ctrl = ctrlbyte::withMode(ctrl, m); }
    void setFlag(bool on) { ctrl = ctrlbyte::withFlag(ctrl, on); }

    SSysexRef sysexRef() const { return SSysexRef{data1, value1, value2}; }
    void setSysexRef(const SSysexRef &ref)
    {
        data1 = ref.offsetLow;
        value1 = ref.offsetHigh;
        value2 = ref.length;
    }
};
static_assert(sizeof(SControlRecord) == 4, "SControlRecord is 4 bytes");

// A knob: byte 0 as above, controller, minimum (left), maximum (right), and the
// options byte (speed 0..4).
struct SKnobRecord
{
    uchar ctrl;
    uchar data1;
    uchar minimum;
    uchar maximum;
    uchar options;

    uchar channel() const { return ctrlbyte::channel(ctrl); }
    uchar mode() const { return ctrlbyte::mode(ctrl); }
    bool flag() const { return ctrlbyte::flag(ctrl); }
    void setChannel(uint ch) { ctrl = ctrlbyte::withChannel(ctrl, ch); }
    void setMode(uint m) { ctrl = ctrlbyte::withMode(ctrl, m); }
    void setFlag(bool on) { ctrl = ctrlbyte::withFlag(ctrl, on); }

    // In a Customize mode (keyboard knobs) bytes 1..3 are an SSysexRef; the
    // options byte stays the knob's.
    SSysexRef sysexRef() const { return SSysexRef{data1, minimum, maximum}; }
    void setSysexRef(const SSysexRef &ref)
    {
        data1 = ref.offsetLow;
        minimum = ref.offsetHigh;
        maximum = ref.length;
    }
};
static_assert(sizeof(SKnobRecord) == 5, "SKnobRecord is 5 bytes");
