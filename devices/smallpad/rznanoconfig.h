// The small pad controller's data: its 679-byte configuration block, its
// 32-byte system record, the unpacked SysEx messages of its Customize
// controls, the record checks and the section frames the page sends, all
// without any window.
#pragma once

#include "devices/shared/controlrecords.h"
#include "devices/shared/listrows.h"
#include "devices/shared/sysexpool.h"
#include "deviceframe.h"

#include <cstddef>
#include <cstdint>

namespace rznano {

constexpr uint kPadBanks = 3;
constexpr uint kPadsPerBank = 16;
constexpr uint kKeys = 3;
constexpr uint kPresets = 8;
constexpr uint kThresholds = 16;
constexpr uint kPoolSize = 300; // bytes of the SysEx pool of a block
constexpr uint kSysexMax = 40;  // bytes of one control's message
constexpr uint kBlockSize = 679;
constexpr uint kSystemSize = 32;
// Bytes of a received system record the page takes over; byte 31 stays its own.
constexpr uint kSystemTaken = 31;

// The Customize mode: the record's values are an SSysexRef into the pool.
constexpr uint kPadCustomMode = 4;
constexpr uint kKeyCustomMode = 5;

// Lengths of the frames the page sends (payload + 7).
constexpr uint kSystemFrameSize = kSystemSize + 7;    // 39
constexpr uint kPadColoursFrameSize = 55 + 7;         // 62
constexpr uint kModeColoursFrameSize = 18 + 7;        // 25
constexpr uint kKeysFrameSize = 24 + 7;               // 31
constexpr uint kPadsFrameSize = 65 + 7;               // 72
constexpr uint kConfigFrameSize = kBlockSize + 7;     // 686
constexpr uint kPoolFrameMaxSize = kPoolSize + 2 + 7; // 309
// A buffer of this size holds any frame the page sends.
constexpr uint kTxBufferSize = 4096;

// Pad index of a colour frame that addresses every pad of the bank.
constexpr uchar kAllPads = 0xFF;

// The small pad's system record, payload of CMD_SYSTEM_CONFIG in both
// directions. The pad controller's record has another layout.
struct SSystemConfigData
{
    uchar tempoLow;                // 0-1  tempo 30..300, little-endian
    uchar tempoHigh;
    uchar padBank;                 // 2    0..2
    uchar preset;                  // 3    0..7
    uchar velocityCurve;           // 4    0..4
    uchar division;                // 5    0..7
    uchar gate;                    // 6    1..99 percent
    uchar swing;                   // 7    one of the swing table
    uchar aftertouchMode;          // 8    0, 1
    uchar aftertouchDelay;         // 9    half the delay in ms, 5..150
    uchar padThreshold[kThresholds]; // 10-25 pad 1 first, 10..90
    uchar noteRepeatMode;          // 26   0, 1
    uchar fullLevelVelocity;       // 27   1..127
    uchar switchFlags;             // 28   a bit per switch, bits 6-7 kept
    uchar displayFlags;            // 29   bits 0-2 pad-down colour, 3-5 standby, 6 battery splash, 7 low battery
    uchar deviceByte;              // 30   taken from the device, sent back unchanged
    uchar hostByte;                // 31   never taken from the device

    std::uint16_t tempo() const { return std::uint16_t(tempoLow | (tempoHigh << 8)); }
    void setTempo(std::uint16_t t)
    {
        tempoLow = uchar(t & 0xFF);
        tempoHigh = uchar(t >> 8);
    }
};
static_assert(sizeof(SSystemConfigData) == kSystemSize, "system record is 32 bytes");
static_assert(offsetof(SSystemConfigData, padBank) == 2, "pad bank at 2");
static_assert(offsetof(SSystemConfigData, preset) == 3, "preset at 3");
static_assert(offsetof(SSystemConfigData, aftertouchDelay) == 9, "aftertouch delay at 9");
static_assert(offsetof(SSystemConfigData, padThreshold) == 10, "thresholds at 10");
static_assert(offsetof(SSystemConfigData, noteRepeatMode) == 26, "note-repeat mode at 26");
static_assert(offsetof(SSystemConfigData, switchFlags) == 28, "switches at 28");
static_assert(offsetof(SSystemConfigData, displayFlags) == 29, "display byte at 29");
static_assert(offsetof(SSystemConfigData, deviceByte) == 30, "device byte at 30");

} // namespace rznano

// The configuration block of one preset of the small pad controller,
// byte-packed. Pads and buttons are numbered from 0; pad p of bank b is
// PadData[b][p].
struct SRznanoConfigData
{
    SControlRecord PadData[rznano::kPadBanks][rznano::kPadsPerBank];
    SColourGRB PadRGB[rznano::kPadBanks][rznano::kPadsPerBank];
    SControlRecord KeyData[rznano::kKeys];     // short press
    SControlRecord KeyLongData[rznano::kKeys]; // long press
    SColourGRB KnobModeRGB[rznano::kPadBanks];
    SColourGRB PadModeRGB[rznano::kPadBanks];  // the bank colour
    uchar SysexPool[rznano::kPoolSize];
    uchar CRC; // carried as received or loaded, never computed or checked
};
static_assert(sizeof(SRznanoConfigData) == rznano::kBlockSize, "configuration block is 679 bytes");
static_assert(offsetof(SRznanoConfigData, PadData) == 0, "PadData at 0");
static_assert(offsetof(SRznanoConfigData, PadRGB) == 192, "PadRGB at 192");
static_assert(offsetof(SRznanoConfigData, KeyData) == 336, "KeyData at 336");
static_assert(offsetof(SRznanoConfigData, KeyLongData) == 348, "KeyLongData at 348");
static_assert(offsetof(SRznanoConfigData, KnobModeRGB) == 360, "KnobModeRGB at 360");
static_assert(offsetof(SRznanoConfigData, PadModeRGB) == 369, "PadModeRGB at 369");
static_assert(offsetof(SRznanoConfigData, SysexPool) == 378, "SysexPool at 378");
static_assert(offsetof(SRznanoConfigData, CRC) == 678, "CRC at 678");

// The number of pool bytes in use followed by the working copy of every
// Customize control's message (40 bytes each), in this order: the
// per-control dialog is handed this struct.
struct SRznanoSysexWork
{
    std::uint16_t sysexPoolUsed;
    uchar padSysex[rznano::kPadBanks][rznano::kPadsPerBank][rznano::kSysexMax];
    uchar keySysex[rznano::kKeys][rznano::kSysexMax];
    uchar keyLongSysex[rznano::kKeys][rznano::kSysexMax];
};

namespace rznano {

// ---- block and system record ----------------------------------------------

// True when all 679 bytes are zero: the block has not been read yet.
bool isConfigEmpty(const SRznanoConfigData &block);

// Accepts a received record when the tempo is 30..300, the preset 0..7, the
// curve 0..4, the division 0..7 and the swing 50..70; tests nothing else.
// Writes the debug line "check_system_config_data Err---" when it refuses.
bool check_system_config_data(const SSystemConfigData &sys);

// Every failure is reported (debug lines "padbank err ---", "arrPadData err
// ---" with the record's byte 0): pad bank above 3, a pad mode above 4, a
// button with mode 7 on either press.
bool check_pad_data(const SRznanoConfigData &block, const SSystemConfigData &sys);

// The lists of the global tab, each showing one field of the system record.
enum GlobalList : int {
    ListTempo,             // bytes 0-1, row + 30
    ListPreset,            // byte 3
    ListCurve,             // byte 4, rows 0..3 (the device also takes 4)
    ListDivision,          // byte 5
    ListGate,              // byte 6, row + 1
    ListSwing,             // byte 7, through the swing table
    ListAftertouchMode,    // byte 8
    ListAftertouchDelay,   // byte 9, row + 5
    ListNoteRepeatMode,    // byte 26
    ListFullLevelVelocity, // byte 27, row + 1
    ListPadDownColour,     // byte 29 bits 0-2, rows 0..3
    ListStandby,           // byte 29 bits 3-5
    kGlobalLists
};
const pagekit::SListField &globalListField(int list);

// Bits of switchFlags (byte 28) and displayFlags (byte 29).
enum SwitchBit : uint {
    kEcoBit = 0,
    kDarkBit = 1,
    kDawBit = 2,
    kFullBit = 3,
    kAftertouchBit = 4,
    kBluetoothBit = 5,
    kBatterySplashBit = 6,
    kLowBatteryBit = 7,
};

// The record as the page sends it: thresholds outside 10..90 become 45 (in
// sys too), each list's row is written into its field, every other byte is
// sent as held. A list that shows no row (-1) leaves its field as received.
void encodeSystemRecord(SSystemConfigData &sys, const int rows[kGlobalLists]);

// The Customize records of a block with their working copies, in the order
// the device's pool holds them: short presses, long presses, then the pads of
// banks 0, 1 and 2. A pad is tagged with its bank, a button with -1.
inline pagekit::PoolList poolList(SRznanoConfigData &block, SRznanoSysexWork &work)
{
    pagekit::PoolList list;
    auto add = [&list](SControlRecord &rec, uchar *buffer, uint customMode, int tag) {
        if (rec.mode() == customMode)
            list.push_back(pagekit::SPoolEntry{&rec.ctrl, buffer, tag});
    };
    for (uint k = 0; k < kKeys; ++k)
        add(block.KeyData[k], work.keySysex[k], kKeyCustomMode, -1);
    for (uint k = 0; k < kKeys; ++k)
        add(block.KeyLongData[k], work.keyLongSysex[k], kKeyCustomMode, -1);
    for (uint b = 0; b < kPadBanks; ++b) {
        for (uint p = 0; p < kPadsPerBank; ++p)
            add(block.PadData[b][p], work.padSysex[b][p], kPadCustomMode, int(b));
    }
    return list;
}

// The pad bank to index the block with: the record's bank, or 0 when it is
// above 2.
uint bankOf(const SSystemConfigData &sys);

// ---- frames the page sends ------------------------------------------------
// Each builder writes a whole frame (header, payload, checksum) to out, which
// must hold the frame's size, and returns its length. A bank above 2 or a pad
// index other than 0..15 and kAllPads builds nothing and returns 0.

uint buildPadColoursFrame(uchar *out, const SRznanoConfigData &block, uchar padIndex, uint bank);
uint buildModeColoursFrame(uchar *out, const SRznanoConfigData &block);
uint buildWriteKeysFrame(uchar *out, const SRznanoConfigData &block);
uint buildWritePadsFrame(uchar *out, const SRznanoConfigData &block, uint bank);
uint buildWriteConfigFrame(uchar *out, const SRznanoConfigData &block);
// The system record and the pool go out through pagekit's builders.

} // namespace rznano
