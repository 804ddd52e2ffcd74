// The keyboard controller's data: the 755-byte configuration block of one
// preset, the 30-byte system record, the per-control SysEx texts kept beside
// the block, and pure operations on them: the system record's list and switch
// codec, the pool's visiting order, the frames the page sends and checked
// parsers for the frames the device sends back.
#pragma once

#include "devices/shared/controlrecords.h"
#include "deviceframe.h"
#include "devices/shared/pageframes.h"
#include "devices/shared/sysexpool.h"

#include <cstddef>
#include <cstdint>

namespace vx18 {

constexpr uint kBanks = 4;          // knob banks and pad banks alike
constexpr uint kKnobsPerBank = 8;
constexpr uint kPadsPerBank = 8;
constexpr uint kKeys = 3;
constexpr uint kPresets = 8;
constexpr uint kThresholds = 8;
constexpr uint kKeybedKeys = 25;
constexpr uint kPoolSize = 300;
constexpr uint kSysexMax = 40;
constexpr uint kBlockSize = 755;
constexpr uint kSystemSize = 30;
constexpr uint kWheelPedalSize = 10;  // block bytes 0..9
constexpr uint kKeybedOffset = 724;   // block bytes 724..753
constexpr uint kKeybedSize = 30;

// Modes whose record bytes 1..3 are an SSysexRef.
constexpr uint kPadSysexMode = 4;
constexpr uint kKeySysexMode = 5;

// Byte 4 of a knob or button record: follows the keybed channel.
constexpr uchar kKeybedChannelBit = 0x08;

// Frame sizes (payload + 7).
constexpr uint kWheelPedalFrameSize = kWheelPedalSize + 7;   // 17
constexpr uint kKeybedFrameSize = kKeybedSize + 7;           // 37
constexpr uint kReadKeybedFrameSize = 7;
constexpr uint kSystemFrameSize = kSystemSize + 7;           // 37
constexpr uint kPadColoursFrameSize = 25 + 7;                // 32
constexpr uint kKeysFrameSize = 30 + 7;                      // 37
constexpr uint kPadsFrameSize = 33 + 7;                      // 40
constexpr uint kKnobsFrameSize = 41 + 7;                     // 48
constexpr uint kConfigFrameSize = kBlockSize + 7;            // 762
constexpr uint kPoolFrameMaxSize = kPoolSize + 2 + 7;        // 309
constexpr uint kReadPresetFrameSize = 8;
constexpr uint kEmptyFrameSize = 7;
constexpr uint kTxBufferSize = kConfigFrameSize;

constexpr uchar kAllPads = 0xFF;

// The keyboard's system record, payload of CMD_SYSTEM_CONFIG both ways.
struct SSystemConfigData
{
    uchar tempoLow;            // 0-1 tempo 30..300, little-endian
    uchar tempoHigh;
    uchar padBank;             // 2  0..3
    uchar knobBank;            // 3  0..3
    uchar preset;              // 4  0..7
    uchar padCurve;            // 5
    uchar keyCurve;            // 6
    uchar division;            // 7
    uchar gate;                // 8  1..99
    uchar swing;               // 9  50..75
    uchar aftertouchMode;      // 10
    uchar aftertouchDelay;     // 11 5..150, shown doubled
    uchar thresholds[kThresholds]; // 12-19 pads 1..8, 10..90
    uchar fullLevelVelocity;   // 20 1..127
    uchar arpMode;             // 21
    uchar arpOctave;           // 22
    uchar scaleType;           // 23 bit 7 ignored when read
    uchar scaleRoot;           // 24
    uchar chord;               // 25 0, 1, 3, 5
    uchar switches;            // 26 bits 0-5 switches, 6-7 kept
    uchar packed;              // 27 bits 0-2 pad-down colour, 3-5 standby, 6 splash battery, 7 low battery
    uchar latch;               // 28 bit 0 arpeggiator latch, 1-7 kept
    uchar deviceByte;          // 29 kept

    std::uint16_t tempo() const { return std::uint16_t(tempoLow | (tempoHigh << 8)); }
    void setTempo(std::uint16_t t)
    {
        tempoLow = uchar(t & 0xFF);
        tempoHigh = uchar(t >> 8);
    }
};
static_assert(sizeof(SSystemConfigData) == kSystemSize, "keyboard system record is 30 bytes");
static_assert(offsetof(SSystemConfigData, thresholds) == 12, "thresholds at 12");
static_assert(offsetof(SSystemConfigData, fullLevelVelocity) == 20, "full-level velocity at 20");
static_assert(offsetof(SSystemConfigData, switches) == 26, "switches at 26");
static_assert(offsetof(SSystemConfigData, deviceByte) == 29, "device byte at 29");

} // namespace vx18

// The configuration block of one keyboard preset, byte-packed, multi-byte
// values little-endian. Section names are the element names of the preset file.
struct SVX18ConfigData
{
    uchar ModCh;
    uchar ModCC;
    uchar ModMin;
    uchar ModMax;
    uchar PitchBendCh;
    uchar PedalType;   // bits 0-6 type, bit 7 advanced options shown
    uchar PedalCh;
    uchar PedalCC;
    uchar PedalMin;
    uchar PedalMax;
    SKnobRecord KnobData[vx18::kBanks][vx18::kKnobsPerBank];
    SControlRecord PadData[vx18::kBanks][vx18::kPadsPerBank];
    SColourGRB PadRGB[vx18::kBanks][vx18::kPadsPerBank];
    SKnobRecord KeyData[vx18::kKeys];      // press
    SKnobRecord KeyLongData[vx18::kKeys];  // long press
    uchar SysexPool[vx18::kPoolSize];
    uchar KBCh;
    uchar KBXPose;     // signed
    uchar KBOctave;    // signed
    uchar KBVelMin;
    uchar KBVelMax;
    uchar KBMCP[vx18::kKeybedKeys]; // bit 7 key switch, bits 0-6 note
    uchar CRC;         // carried as received or loaded, never computed
};
static_assert(sizeof(SVX18ConfigData) == vx18::kBlockSize, "keyboard block is 755 bytes");
static_assert(offsetof(SVX18ConfigData, PedalMax) == 9, "PedalMax at 9");
static_assert(offsetof(SVX18ConfigData, KnobData) == 10, "KnobData at 10");
static_assert(offsetof(SVX18ConfigData, PadData) == 170, "PadData at 170");
static_assert(offsetof(SVX18ConfigData, PadRGB) == 298, "PadRGB at 298");
static_assert(offsetof(SVX18ConfigData, KeyData) == 394, "KeyData at 394");
static_assert(offsetof(SVX18ConfigData, KeyLongData) == 409, "KeyLongData at 409");
static_assert(offsetof(SVX18ConfigData, SysexPool) == 424, "SysexPool at 424");
static_assert(offsetof(SVX18ConfigData, KBCh) == vx18::kKeybedOffset, "KBCh at 724");
static_assert(offsetof(SVX18ConfigData, KBMCP) == 729, "KBMCP at 729");
static_assert(offsetof(SVX18ConfigData, CRC) == 754, "CRC at 754");

// The custom SysEx messages of every control, kept per control beside the block
// because the pool inside the block is repacked whenever one message changes.
// A text's valid length is its record's byte 3.
struct SysexTextStore
{
    std::uint16_t poolFill;
    uchar padText[vx18::kBanks][vx18::kPadsPerBank][vx18::kSysexMax];
    uchar keyText[vx18::kKeys][vx18::kSysexMax];
    uchar keyLongText[vx18::kKeys][vx18::kSysexMax];
};

namespace vx18 {

inline const uchar *bytes(const SVX18ConfigData &b) { return reinterpret_cast<const uchar *>(&b); }
inline uchar *bytes(SVX18ConfigData &b) { return reinterpret_cast<uchar *>(&b); }

bool isConfigEmpty(const SVX18ConfigData &block);

// A bank or preset byte as an index into the block: out of range gives 0.
inline uint bankIndex(uchar b) { return b < kBanks ? b : 0; }

// ---- SysEx pool ---------------------------------------------------------------

// The records in Customize mode in the pool's fixed order: buttons 0..2, long
// presses 0..2, then pads of banks 0..3, pads 0..7 each (tagged with their bank).
pagekit::PoolList poolVisitingOrder(SVX18ConfigData &block, SysexTextStore &store);

// Fills every Customize record's text from the pool; poolFill = bytes taken.
void unpackSysexPool(SVX18ConfigData &block, SysexTextStore &store);
// Packs the texts into the pool, rewrites every Customize record's reference,
// sets poolFill and reports the pad banks whose references moved.
pagekit::SPackResult packSysexPool(SVX18ConfigData &block, SysexTextStore &store);

// ---- system record: lists and switches ------------------------------------------

enum class List {
    Tempo,             // bytes 0-1, index + 30
    PadBank,           // byte 2
    KnobBank,          // byte 3
    Preset,            // byte 4
    PadCurve,          // byte 5
    KeyCurve,          // byte 6
    Division,          // byte 7
    Gate,              // byte 8, index + 1
    Swing,             // byte 9, index + 50
    AftertouchMode,    // byte 10
    AftertouchDelay,   // byte 11, index + 5
    FullLevelVelocity, // byte 20, index + 1
    ArpMode,           // byte 21
    ArpOctave,         // byte 22
    ScaleType,         // byte 23, bit 7 ignored
    ScaleRoot,         // byte 24
    Chord,             // byte 25: 0, 1, 3, 5
    PadDownColour,     // byte 27 bits 0-2
    AutoStandby,       // byte 27 bits 3-5
};
constexpr int kListCount = 19;

int listEntryCount(List list);
// The entry that shows the record's field, or -1 when the list has none (the
// list is then left as it is).
int listIndex(const SSystemConfigData &sys, List list);
// Writes the field for an entry; an index outside the list (-1 included)
// changes nothing.
void setListIndex(SSystemConfigData &sys, List list, int index);

enum class Switch {
    Eco,           // byte 26 bit 0
    Dark,          // byte 26 bit 1
    DawSync,       // byte 26 bit 2
    FullLevel,     // byte 26 bit 3
    Aftertouch,    // byte 26 bit 4
    Bluetooth,     // byte 26 bit 5
    BatterySplash, // byte 27 bit 6
    LowBattery,    // byte 27 bit 7
    ArpLatch,      // byte 28 bit 0
};
bool switchState(const SSystemConfigData &sys, Switch sw);
// Sets one bit; dark mode switched on also clears ECO.
void setSwitch(SSystemConfigData &sys, Switch sw, bool on);

// Pad thresholds outside 10..90 become 45.
void clampThresholds(SSystemConfigData &sys);

// ---- frames the page sends ------------------------------------------------------
// Each writes a whole frame to out (at least kTxBufferSize bytes) and returns
// its length. A bank outside 0..3 is sent as bank 0.

uint buildWheelPedalFrame(uchar *out, const SVX18ConfigData &block);
uint buildKeybedFrame(uchar *out, const SVX18ConfigData &block);
uint buildReadKeybedFrame(uchar *out);
uint buildSystemConfigFrame(uchar *out, const SSystemConfigData &sys);
// padIndex 0..7 or kAllPads; the colours of the given bank.
uint buildPadColoursFrame(uchar *out, const SVX18ConfigData &block, uchar padIndex, uint bank);
uint buildWriteKeysFrame(uchar *out, const SVX18ConfigData &block);
uint buildWritePadsFrame(uchar *out, const SVX18ConfigData &block, uint bank);
uint buildWriteKnobsFrame(uchar *out, const SVX18ConfigData &block, uint bank);
uint buildWriteConfigFrame(uchar *out, const SVX18ConfigData &block);
// The first n pool bytes (n cut to 300) after n as u16 little-endian.
uint buildSysexPoolFrame(uchar *out, const SVX18ConfigData &block, uint n);
// Read preset, save and page close: pagekit's builders.
using pagekit::buildPageCloseFrame;
using pagekit::buildReadPresetFrame;
using pagekit::buildSaveFrame;

// ---- frames the device sends ------------------------------------------------------
// pagekit's parsers, given the keyboard's sizes; and the keybed reply: a whole
// 30-byte payload stored in block bytes 724..753 (true), else nothing (false).
bool parseKeybedReply(const uchar *frame, uint received, SVX18ConfigData *block);

} // namespace vx18
