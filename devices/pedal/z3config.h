// The foot pedal's configuration image (firmware above 4), without any
// window: 4,930 bytes that the pedal sends whole on a poll, that the page
// keeps one copy of and edits in place, and that the preset and raw files
// store. The image is held as plain bytes with offset accessors: the last key
// record's byte 133 is also the low byte of sysexPoolUsed, so the records
// cannot be laid over it as packed structs.
//
// Layout (offset, width, field):
//      0   64  pedalEntries   16 expression entries {channel, controller, min, max}
//     64    1  pedalCount     entries in use, 0..16
//     65    1  mode           1..4
//     66    8  displayChars   two bytes per mode: code | dot << 7, code
//     74   12  switches       4 x {number << 4 | momentary, channel, data1}
//     86    1  -              carried unchanged
//     87 4288  keys           8 groups x 4 keys x 134-byte records
//   4374    2  sysexPoolUsed  little-endian, 0..512
//   4376  512  sysexPool
//   4888   32  -              carried unchanged
//   4920    1  mode1Max       4..128 in steps of 4
//   4921    1  mode2Max
//   4922    1  groupSelect    current group << 4 | (group count - 1)
//   4923    2  -
//   4925    1  btMode         0..2
//   4926    2  -
//   4928    1  passThrough    0 or 1
//   4929    1  -
//
// Key record (134-byte stride, 132 bytes used): triggerType, sysexFlags
// (0xF0: list 1 holds a SysEx reference, 0x0F: list 2 does), count1, count2,
// list1 (16 x 4 bytes), list2 (16 x 4 bytes). An entry is an event {channel,
// status, data1, data2} or, as entry 0 of a marked list, a SysEx reference
// {offset high, offset low, length, untouched}.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

namespace z3 {

constexpr int kImageSize = 4930;

constexpr int kPedalEntries = 0;
constexpr int kPedalCount = 64;
constexpr int kMode = 65;
constexpr int kDisplayChars = 66;
constexpr int kSwitches = 74;
constexpr int kKeys = 87;
constexpr int kPoolUsed = 4374;
constexpr int kPool = 4376;
constexpr int kMode1Max = 4920;
constexpr int kMode2Max = 4921;
constexpr int kGroupSelect = 4922;
constexpr int kBtMode = 4925;
constexpr int kPassThrough = 4928;

constexpr int kGroups = 8;
constexpr int kKeysPerGroup = 4;
constexpr int kKeyStride = 134;
constexpr int kGroupStride = kKeysPerGroup * kKeyStride; // 536
constexpr int kMaxEntries = 16;
constexpr int kEntrySize = 4;
constexpr int kPoolSize = 512;
constexpr int kSwitchCount = 4;
constexpr int kSwitchSize = 3;
constexpr int kDisplayBytes = 8;
constexpr int kMaxPedalEntries = 16;

// Offsets inside a key record.
constexpr int kTriggerType = 0;
constexpr int kSysexFlags = 1;
constexpr int kCount1 = 2;
constexpr int kCount2 = 3;
constexpr int kList1 = 4;
constexpr int kList2 = 68;

static_assert(kKeys + kGroups * kGroupStride == kPoolUsed + 1, "the last record ends on the low byte of sysexPoolUsed");
static_assert(kPool + kPoolSize == 4888, "pool end");

// The nibble of sysexFlags that marks list 1 or list 2 as holding a message.
constexpr quint8 sysexNibble(int list) { return list == 1 ? 0xF0 : 0x0F; }

} // namespace z3

// One key record inside an image, reached through a pointer to its first
// byte. Counts above 16 read as 16 (only a received or loaded image can hold
// them), so nothing built from a record reads past its lists.
class Z3KeyRecord
{
public:
    explicit Z3KeyRecord(quint8 *bytes) : p(bytes) {}

    quint8 triggerType() const { return p[z3::kTriggerType]; }
    void setTriggerType(quint8 type) { p[z3::kTriggerType] = type; }
    quint8 sysexFlags() const { return p[z3::kSysexFlags]; }
    void setSysexFlags(quint8 flags) { p[z3::kSysexFlags] = flags; }
    // True when list 1 or 2 holds a SysEx reference (any bit of its nibble).
    bool isSysex(int list) const { return (p[z3::kSysexFlags] & z3::sysexNibble(list)) != 0; }
    void setSysex(int list, bool on);
    // The count byte as stored, and as used (at most 16).
    quint8 rawCount(int list) const { return p[list == 1 ? z3::kCount1 : z3::kCount2]; }
    int count(int list) const { return qMin(int(rawCount(list)), z3::kMaxEntries); }
    void setCount(int list, int n) { p[list == 1 ? z3::kCount1 : z3::kCount2] = quint8(n); }
    // Entry i (0..15) of list 1 or 2: 4 bytes.
    quint8 *entry(int list, int i) { return p + (list == 1 ? z3::kList1 : z3::kList2) + z3::kEntrySize * i; }
    const quint8 *entry(int list, int i) const
    {
        return p + (list == 1 ? z3::kList1 : z3::kList2) + z3::kEntrySize * i;
    }

private:
    quint8 *p;
};

class SZ3ProConfigData
{
public:
    static constexpr int kSize = z3::kImageSize;

    SZ3ProConfigData() { m_bytes.fill(0); }

    // The 4,930 bytes in order, as the preset and raw files store them.
    QByteArray toByteArray() const;
    // A copy of exactly 4,930 bytes; any other size gives a zero image and a
    // debug warning.
    static SZ3ProConfigData fromByteArray(const QByteArray &bytes);

    quint8 *data() { return m_bytes.data(); }
    const quint8 *data() const { return m_bytes.data(); }
    quint8 byte(int offset) const { return m_bytes[size_t(offset)]; }
    void setByte(int offset, quint8 value) { m_bytes[size_t(offset)] = value; }
    bool operator==(const SZ3ProConfigData &o) const { return m_bytes == o.m_bytes; }
    bool operator!=(const SZ3ProConfigData &o) const { return m_bytes != o.m_bytes; }

    // Expression pedal: count as stored and as used (at most 16).
    quint8 pedalCount() const { return byte(z3::kPedalCount); }
    int pedalEntryCount() const { return qMin(int(pedalCount()), z3::kMaxPedalEntries); }
    void setPedalCount(int n) { setByte(z3::kPedalCount, quint8(n)); }
    quint8 *pedalEntry(int i) { return data() + z3::kPedalEntries + 4 * i; }
    const quint8 *pedalEntry(int i) const { return data() + z3::kPedalEntries + 4 * i; }

    quint8 mode() const { return byte(z3::kMode); }
    void setMode(quint8 mode) { setByte(z3::kMode, mode); }
    // Display byte 0..7: mode m uses 2(m-1) and 2(m-1) + 1.
    quint8 displayChar(int index) const { return byte(z3::kDisplayChars + index); }
    void setDisplayChar(int index, quint8 value) { setByte(z3::kDisplayChars + index, value); }
    // Switch record 0..3 (A..D): 3 bytes.
    quint8 *switchRecord(int s) { return data() + z3::kSwitches + z3::kSwitchSize * s; }
    const quint8 *switchRecord(int s) const { return data() + z3::kSwitches + z3::kSwitchSize * s; }

    // The record of group g (0..7) and key k (0..3).
    Z3KeyRecord key(int group, int key) { return Z3KeyRecord(keyBytes(group, key)); }
    const Z3KeyRecord key(int group, int key) const
    {
        return Z3KeyRecord(const_cast<quint8 *>(m_bytes.data()) + keyOffset(group, key));
    }
    quint8 *keyBytes(int group, int key) { return data() + keyOffset(group, key); }
    static constexpr int keyOffset(int group, int key)
    {
        return z3::kKeys + z3::kGroupStride * group + z3::kKeyStride * key;
    }

    // Pool bytes in use as stored, and as used (at most 512).
    quint16 rawPoolUsed() const { return quint16(byte(z3::kPoolUsed) | (byte(z3::kPoolUsed + 1) << 8)); }
    int poolUsed() const { return qMin(int(rawPoolUsed()), z3::kPoolSize); }
    void setPoolUsed(int used)
    {
        setByte(z3::kPoolUsed, quint8(used & 0xFF));
        setByte(z3::kPoolUsed + 1, quint8(used >> 8));
    }
    quint8 *pool() { return data() + z3::kPool; }
    const quint8 *pool() const { return data() + z3::kPool; }

    quint8 mode1Max() const { return byte(z3::kMode1Max); }
    quint8 mode2Max() const { return byte(z3::kMode2Max); }
    quint8 groupSelect() const { return byte(z3::kGroupSelect); }
    void setGroupSelect(quint8 value) { setByte(z3::kGroupSelect, value); }
    int currentGroup() const { return groupSelect() >> 4; }
    int lastGroup() const { return groupSelect() & 0x0F; }
    quint8 btMode() const { return byte(z3::kBtMode); }
    quint8 passThrough() const { return byte(z3::kPassThrough); }

private:
    std::array<quint8, kSize> m_bytes;
};

// The test an image from the pedal or a preset file must pass: the current
// group and the last group in use are 0..7; pedalCount is at most 16; every
// display byte names a code of at most 39. Neither a key's list count nor its
// trigger type is a reason to refuse an image, in any mode or group: the page
// lets the user choose any group and mode (and the pedal changes group by
// itself), so whichever group the pedal's next image names as current must
// be taken. A count above 16 is held as 16 (takeConfigImage); a key whose
// type the page has no row for shows no action and no list until the user
// picks one, and its type goes back as stored.
bool check_config_data(const SZ3ProConfigData &image);

// How the page takes an image, from the pedal or a preset file: false when
// it fails check_config_data; otherwise true, with every list count above 16,
// in every group, stored as the 16 entries the page shows and sends, so that
// its copy, the pedal after the next write and a saved preset agree.
bool takeConfigImage(SZ3ProConfigData &image);

// A SysEx reference (entry 0 of a marked list): offset (big-endian) and length.
inline int sysexRefOffset(const quint8 *ref) { return (ref[0] << 8) | ref[1]; }
inline int sysexRefLength(const quint8 *ref) { return ref[2]; }

// ---- the page's preset file ----------------------------------------------------

enum class Z3PresetLoad {
    Ok,
    CannotOpen,  // the file cannot be opened or read
    WrongHeader, // it does not start with the model's name
    Refused,     // no image of 4,930 bytes in it, or one that fails the check
};
// A ".z3" file (PedalPresetFile) whose image is taken as one from the pedal
// is (takeConfigImage), so a file the page saved loads again.
Z3PresetLoad decodeZ3Preset(const QByteArray &file, SZ3ProConfigData *image);
Z3PresetLoad readZ3Preset(const QString &path, SZ3ProConfigData *image);
