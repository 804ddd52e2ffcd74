// The older foot pedal's configuration image (firmware 4 and below), without
// any window: 1,184 bytes that the pedal sends whole in its poll answer, that
// the page keeps one copy of and edits in place, and that its preset files
// carry compressed. Every field is a byte or a byte array, so the structs lie
// over the wire bytes with no padding on any compiler; the two SysEx lengths,
// the only wider numbers, are little-endian byte pairs read through helpers.
//
// Layout (offset, width, field):
//      0   64  PedalData      16 expression entries {Channel, CC, Min, Max}
//     64    1  PedalCount     entries in use, 0..16
//     65    1  Preset         1..5 (Preset1..3, Customize1, Customize2)
//     66   10  PresetDisplay  a pair per preset: code | dot << 7, code
//     76    1  Reserved1      carried unchanged
//     77 1104  SwitchData     4 switch records of 276 bytes (A..D)
//   1181    3  Reserved2      carried unchanged
//
// Switch record (276 bytes):
//      0    1  Type           trigger type 1..5
//      1    1  SysexFlags     0xF0: list 1 holds a SysEx message, 0x0F: list 2
//      2    1  Count1         events in use in List1, 0..16
//      3    1  Count2
//      4   64  List1          16 events {Channel, Status, Data1, Data2}
//     68   64  List2
//    132    1  Reserved1
//    133    2  SysexLen1      little-endian, 0..64
//    135    2  SysexLen2
//    137   65  Sysex1         the message and the zero after it
//    202   65  Sysex2
//    267    1  Latch          switch number << 4 | momentary (Customize1)
//    268    1  Channel        Customize1 channel
//    269    1  Data1          Customize1 data byte
//    270    4  Display        [0] [1] with list 1, [2] [3] with list 2; dots in bit 7 of [0] and [2]
//    274    2  Reserved2
//
// A received image or a loaded file may carry counts above 16 or SysEx
// lengths above 64: the used* helpers cap them, and every reader goes through
// them, so nothing reads past a list or a SysEx field.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <cstddef>

namespace pedalold {

constexpr int kImageSize = 1184;
constexpr int kSwitchRecordSize = 276;
constexpr int kSwitchCount = 4;
constexpr int kMaxEvents = 16;
constexpr int kMaxPedalEntries = 16;
constexpr int kMaxSysex = 64;
constexpr int kSysexField = 65;
constexpr int kPresetCount = 5;

// One expression-pedal entry.
struct SPedalCCEntry
{
    quint8 Channel;
    quint8 CC;
    quint8 Min;
    quint8 Max;
};

// One event of a switch list.
struct SMidiEvent
{
    quint8 Channel;
    quint8 Status;
    quint8 Data1;
    quint8 Data2;
};

// The nibble of SysexFlags that marks list 1 or 2 as a SysEx message.
constexpr quint8 sysexNibble(int list) { return list == 1 ? 0xF0 : 0x0F; }

} // namespace pedalold

struct SSwitchRecord
{
    quint8 Type;
    quint8 SysexFlags;
    quint8 Count1;
    quint8 Count2;
    pedalold::SMidiEvent List1[pedalold::kMaxEvents];
    pedalold::SMidiEvent List2[pedalold::kMaxEvents];
    quint8 Reserved1;
    quint8 SysexLen1[2];
    quint8 SysexLen2[2];
    quint8 Sysex1[pedalold::kSysexField];
    quint8 Sysex2[pedalold::kSysexField];
    quint8 Latch;
    quint8 Channel;
    quint8 Data1;
    quint8 Display[4];
    quint8 Reserved2[2];

    // List 1 or 2 (any other number reads as 2).
    bool isSysex(int list) const { return (SysexFlags & pedalold::sysexNibble(list)) != 0; }
    void setSysex(int list, bool on);
    quint8 rawCount(int list) const { return list == 1 ? Count1 : Count2; }
    int usedCount(int list) const { return qMin(int(rawCount(list)), pedalold::kMaxEvents); }
    void setCount(int list, int n) { (list == 1 ? Count1 : Count2) = quint8(n); }
    pedalold::SMidiEvent *events(int list) { return list == 1 ? List1 : List2; }
    const pedalold::SMidiEvent *events(int list) const { return list == 1 ? List1 : List2; }
    quint16 rawSysexLen(int list) const;
    int usedSysexLen(int list) const { return qMin(int(rawSysexLen(list)), pedalold::kMaxSysex); }
    void setSysexLen(int list, quint16 len);
    quint8 *sysex(int list) { return list == 1 ? Sysex1 : Sysex2; }
    const quint8 *sysex(int list) const { return list == 1 ? Sysex1 : Sysex2; }
};

struct SMIDIConfigData
{
    pedalold::SPedalCCEntry PedalData[pedalold::kMaxPedalEntries];
    quint8 PedalCount;
    quint8 Preset;
    quint8 PresetDisplay[2 * pedalold::kPresetCount];
    quint8 Reserved1;
    SSwitchRecord SwitchData[pedalold::kSwitchCount];
    quint8 Reserved2[3];

    int usedPedalCount() const { return qMin(int(PedalCount), pedalold::kMaxPedalEntries); }

    // The 1,184 bytes in block order.
    QByteArray toByteArray() const;
    // A copy of exactly 1,184 bytes; any other size gives an all-zero block
    // and the debug warning "ByteArray size mismatch for SMIDIConfigData".
    static SMIDIConfigData fromByteArray(const QByteArray &bytes);
};

static_assert(sizeof(SSwitchRecord) == pedalold::kSwitchRecordSize, "switch record is 276 bytes");
static_assert(offsetof(SSwitchRecord, List1) == 4, "List1");
static_assert(offsetof(SSwitchRecord, List2) == 68, "List2");
static_assert(offsetof(SSwitchRecord, Reserved1) == 132, "Reserved1");
static_assert(offsetof(SSwitchRecord, SysexLen1) == 133, "SysexLen1");
static_assert(offsetof(SSwitchRecord, SysexLen2) == 135, "SysexLen2");
static_assert(offsetof(SSwitchRecord, Sysex1) == 137, "Sysex1");
static_assert(offsetof(SSwitchRecord, Sysex2) == 202, "Sysex2");
static_assert(offsetof(SSwitchRecord, Latch) == 267, "Latch");
static_assert(offsetof(SSwitchRecord, Channel) == 268, "Channel");
static_assert(offsetof(SSwitchRecord, Data1) == 269, "Data1");
static_assert(offsetof(SSwitchRecord, Display) == 270, "Display");
static_assert(offsetof(SSwitchRecord, Reserved2) == 274, "Reserved2");
static_assert(sizeof(SMIDIConfigData) == pedalold::kImageSize, "configuration image is 1,184 bytes");
static_assert(offsetof(SMIDIConfigData, PedalCount) == 64, "PedalCount");
static_assert(offsetof(SMIDIConfigData, Preset) == 65, "Preset");
static_assert(offsetof(SMIDIConfigData, PresetDisplay) == 66, "PresetDisplay");
static_assert(offsetof(SMIDIConfigData, Reserved1) == 76, "Reserved1");
static_assert(offsetof(SMIDIConfigData, SwitchData) == 77, "SwitchData");
static_assert(offsetof(SMIDIConfigData, Reserved2) == 1181, "Reserved2");

// The check of an image from the pedal: Preset 1..5; per switch both counts
// at most 16 and the four display codes at most 39; PedalCount at most 16;
// the ten preset display codes at most 39. A switch's Type refuses no image,
// whatever the preset: the page sends a Type above 5 as action 0 (a loaded
// file may hold one), so the pedal's next image may hold a Type the page has
// no row for. Such a switch shows no action until the user picks one.
bool isValidImage(const SMIDIConfigData &image);
// Every display code of the image, presets' and switches', at most 39.
bool displayCodesValid(const SMIDIConfigData &image);

namespace pedalold {

// The one rule of a preset file, saved and loaded: it holds what the page
// shows and sends. Counts above 16 and SysEx lengths above 64 (a pedal's image
// may bring a length, a file anything) are held as 16 and 64; the other bytes
// are kept as they are (a Type the page has no row for among them), since
// nothing the page reads or sends from them goes past a field. So the page
// loads its own file again, and a loaded file sends nothing past a list.
SMIDIConfigData fileImage(SMIDIConfigData image);

// The page's take of a preset file's decoded body: refused, *image untouched,
// when the body is not 1,184 bytes or a display code is above 39 (it would
// reach the pedal as it is, and the pedal's next image would fail its own
// check); otherwise *image is fileImage of the body.
bool imageFromFileBody(const QByteArray &body, SMIDIConfigData *image);

} // namespace pedalold
