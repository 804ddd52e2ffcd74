// The pad controller's data: the 823-byte configuration block of one preset, the
// 32-byte system record, the unpacked SysEx messages, and pure operations on
// them: the pool order of SysEx references, the list and switch table of the
// global page, and the section frames the page sends. The block-free frames,
// the reply parsers, the pool packing and the list rules are the shared ones
// (devices/shared/).
#pragma once

#include "devices/shared/controlrecords.h"
#include "devices/shared/listrows.h"
#include "devices/shared/sysexpool.h"
#include "deviceframe.h"

#include <cstddef>
#include <cstdint>

namespace rz7 {

constexpr uint kPadBanks = 3;
constexpr uint kPadsPerBank = 16;
constexpr uint kKnobGroups = 3;
constexpr uint kKnobsPerGroup = 8;
constexpr uint kKeys = 6;
constexpr uint kPresets = 8;
constexpr uint kThresholds = 16;
constexpr uint kPoolSize = 300;   // bytes of the SysEx pool of a block
constexpr uint kSysexMax = 40;    // bytes of one control's message
constexpr uint kBlockSize = 823;
constexpr uint kSystemSize = 32;

// Modes that mean "this record's values are an SSysexRef".
constexpr uint kPadSysexMode = 4;
constexpr uint kKeySysexMode = 5;

// Lengths of the frames the page sends (payload + 7).
constexpr uint kSystemFrameSize = kSystemSize + 7;        // 39
constexpr uint kPadColoursFrameSize = 55 + 7;             // 62
constexpr uint kKeysFrameSize = 48 + 7;                   // 55
constexpr uint kPadsFrameSize = 65 + 7;                   // 72
constexpr uint kKnobsFrameSize = 41 + 7;                  // 48
constexpr uint kModeColoursFrameSize = 18 + 7;            // 25
constexpr uint kConfigFrameSize = kBlockSize + 7;         // 830
constexpr uint kPoolFrameMaxSize = kPoolSize + 2 + 7;     // 309
constexpr uint kReadPresetFrameSize = 1 + 7;              // 8
constexpr uint kEmptyFrameSize = 7;                       // save, page close
// A buffer of this size holds any frame the page sends.
constexpr uint kTxBufferSize = 4096;

// Pad index of a colour frame that addresses every pad of the bank.
constexpr uchar kAllPads = 0xFF;

// The device's system record, payload of CMD_SYSTEM_CONFIG. The small pad
// controller's record has another layout; this one lives in namespace rz7.
struct SSystemConfigData
{
    uchar tempoLow;           // 0-1  tempo 30..300, little-endian
    uchar tempoHigh;
    uchar padBank;            // 2    0..2
    uchar knobGroup;          // 3    0..2
    uchar preset;             // 4    0..7
    uchar velocityCurve;      // 5    0..3
    uchar division;           // 6    0..7
    uchar gate;               // 7    1..99 percent
    uchar swing;              // 8    one of the swing table
    uchar aftertouchMode;     // 9    0, 1
    uchar aftertouchDelay;    // 10   5..150
    uchar thresholds[kThresholds]; // 11-26 pad 1 first, 10..90
    uchar noteRepeatMode;     // 27   0, 1
    uchar fullLevelVelocity;  // 28   1..127
    uchar switches;           // 29   bit per switch, bits 6-7 kept
    uchar displayPower;       // 30   bits 0-2 pad-down colour, 3-5 standby, 6 battery splash, 7 low battery
    uchar deviceByte;         // 31   sent back as received

    std::uint16_t tempo() const { return std::uint16_t(tempoLow | (tempoHigh << 8)); }
    void setTempo(std::uint16_t t)
    {
        tempoLow = uchar(t & 0xFF);
        tempoHigh = uchar(t >> 8);
    }
};
static_assert(sizeof(SSystemConfigData) == kSystemSize, "system record is 32 bytes");
static_assert(offsetof(SSystemConfigData, thresholds) == 11, "thresholds at 11");
static_assert(offsetof(SSystemConfigData, noteRepeatMode) == 27, "note-repeat mode at 27");
static_assert(offsetof(SSystemConfigData, displayPower) == 30, "display byte at 30");

} // namespace rz7

// The configuration block of one preset, byte-packed, multi-byte values
// little-endian. Pads, buttons and knobs are numbered from 0.
struct SRZ7ConfigData
{
    SKnobRecord KnobData[rz7::kKnobGroups][rz7::kKnobsPerGroup];
    SControlRecord PadData[rz7::kPadBanks][rz7::kPadsPerBank];
    SColourGRB PadRGB[rz7::kPadBanks][rz7::kPadsPerBank];
    SControlRecord KeyData[rz7::kKeys];      // press action
    SControlRecord KeyLongData[rz7::kKeys];  // long-press action
    SColourGRB KnobModeRGB[rz7::kKnobGroups];
    SColourGRB PadModeRGB[rz7::kPadBanks];
    uchar SysexPool[rz7::kPoolSize];
    uchar CRC; // carried as received or loaded, never computed or checked
};
static_assert(sizeof(SRZ7ConfigData) == rz7::kBlockSize, "configuration block is 823 bytes");
static_assert(offsetof(SRZ7ConfigData, KnobData) == 0, "KnobData at 0");
static_assert(offsetof(SRZ7ConfigData, PadData) == 120, "PadData at 120");
static_assert(offsetof(SRZ7ConfigData, PadRGB) == 312, "PadRGB at 312");
static_assert(offsetof(SRZ7ConfigData, KeyData) == 456, "KeyData at 456");
static_assert(offsetof(SRZ7ConfigData, KeyLongData) == 480, "KeyLongData at 480");
static_assert(offsetof(SRZ7ConfigData, KnobModeRGB) == 504, "KnobModeRGB at 504");
static_assert(offsetof(SRZ7ConfigData, PadModeRGB) == 513, "PadModeRGB at 513");
static_assert(offsetof(SRZ7ConfigData, SysexPool) == 522, "SysexPool at 522");
static_assert(offsetof(SRZ7ConfigData, CRC) == 822, "CRC at 822");

// The unpacked SysEx messages of every control in SysEx mode: the number of
// pool bytes in use followed by one 40-byte buffer per control. A control's
// message is the first `length` bytes of its buffer (length = record byte 3).
struct SRZ7SysexStore
{
    std::uint16_t sysexTotal;
    uchar padSysex[rz7::kPadBanks][rz7::kPadsPerBank][rz7::kSysexMax];
    uchar keySysex[rz7::kKeys][rz7::kSysexMax];
    uchar keyLongSysex[rz7::kKeys][rz7::kSysexMax];
};

namespace rz7 {

// ---- block and system record ----------------------------------------------

// True when all 823 bytes are zero: the block has not been read yet.
bool isConfigEmpty(const SRZ7ConfigData &block);

// Accepts a received system record when tempo is 30..300, the preset 0..7, byte 5
// at most 4 and the division 0..7. Writes a debug line and returns false
// otherwise. (A pad bank or knob group above 2 does not refuse the record: the
// model takes them as 0.)
bool check_system_config_data(const SSystemConfigData &sys);

// True when the pad bank and knob group of the system record are 0..2, every pad
// mode is below 5, every knob mode below 3 and no button or long-press record
// has mode 7.
bool isBlockValid(const SRZ7ConfigData &block, const SSystemConfigData &sys);

// ---- SysEx pool -------------------------------------------------------------

// The records in SysEx mode with their buffers, in the pool's order: buttons,
// long-press actions, then the pads of banks 0..2 (tagged with their bank;
// buttons carry the tag -1).
pagekit::PoolList sysexPoolList(SRZ7ConfigData &block, SRZ7SysexStore &store);

// Copies the message of every control in SysEx mode from the pool into its
// buffer (pagekit::expandSysexPool in the pool's order); sysexTotal = the
// bytes copied.
void extractSysexData(SRZ7ConfigData &block, SRZ7SysexStore &store);

// Packs the buffers back into the pool in the pool's order
// (pagekit::packSysexPool); sysexTotal = the bytes in use.
pagekit::SPackResult packSysexPool(SRZ7ConfigData &block, SRZ7SysexStore &store);

// ---- global settings lists and switches -------------------------------------

// The lists of the global page; each maps a list index to its field.
enum class GlobalList {
    Preset,            // byte 4
    AutoStandby,       // byte 30 bits 3-5
    PadDownColour,     // byte 30 bits 0-2, 4 entries
    NoteRepeatMode,    // byte 27
    AftertouchMode,    // byte 9
    VelocityCurve,     // byte 5, 4 entries
    Division,          // byte 6
    Swing,             // byte 8 through the swing table
    Tempo,             // bytes 0-1, index + 30
    AftertouchDelay,   // byte 10, index + 5
    Gate,              // byte 7, index + 1
    FullLevelVelocity, // byte 28, index + 1
};

// The lists that edit a setting of the record (all but the preset, whose list
// switches presets).
extern const GlobalList kSettingLists[11];
extern const uchar kSwingTable[10];

// The field each list shows.
const pagekit::SListField &listField(GlobalList list);
int listEntryCount(GlobalList list);
// The list index that shows the record's field, or -1 when the list has no entry
// for it (the list then keeps its selection).
int listIndex(const SSystemConfigData &sys, GlobalList list);
// Writes the field for a list index; an index outside the list (-1 included)
// leaves the record as it was. Bit fields are written masked.
void setListIndex(SSystemConfigData &sys, GlobalList list, int index);

enum class Switch {
    Eco,           // byte 29 bit 0
    Dark,          // byte 29 bit 1
    DawSync,       // byte 29 bit 2
    FullLevel,     // byte 29 bit 3
    Aftertouch,    // byte 29 bit 4
    Bluetooth,     // byte 29 bit 5
    BatterySplash, // byte 30 bit 6
    LowBattery,    // byte 30 bit 7
};
pagekit::SSwitchBit switchBit(Switch sw);
bool switchState(const SSystemConfigData &sys, Switch sw);
// Sets one bit. Turning dark mode on also clears the ECO bit.
void setSwitch(SSystemConfigData &sys, Switch sw, bool on);

// ---- frames the page sends ----------------------------------------------------
// Each builder writes a whole frame (header, payload, checksum) to out, which
// must hold the frame's size, and returns its length. A bank or group outside
// 0..2 builds nothing and returns 0.

// padIndex 0..15 names the changed pad, kAllPads all of them; any other index
// builds nothing.
uint buildPadColoursFrame(uchar *out, const SRZ7ConfigData &block, uchar padIndex, uint padBank, uint knobGroup);
uint buildWriteKeysFrame(uchar *out, const SRZ7ConfigData &block);
uint buildWritePadsFrame(uchar *out, const SRZ7ConfigData &block, uint padBank);
uint buildWriteKnobsFrame(uchar *out, const SRZ7ConfigData &block, uint knobGroup);
uint buildModeColoursFrame(uchar *out, const SRZ7ConfigData &block);
uint buildWriteConfigFrame(uchar *out, const SRZ7ConfigData &block);
// The system record, the pool, read preset, save and page close are the shared
// builders of devices/shared/pageframes.h; the poll and the factory reset are
// the fixed frames g_fixedFramePoll and g_fixedFrameFactoryReset.

} // namespace rz7
