#include "vx18config.h"

#include <algorithm>
#include <cstring>

namespace vx18 {

namespace {

constexpr uint kPay = SDeviceFrame::kOffsetPayload;

uchar *refBytes(SKnobRecord &r) { return &r.data1; }
uchar *refBytes(SControlRecord &r) { return &r.data1; }

uint frameWith(uchar *out, uchar command, const void *payload, uint n)
{
    if (n)
        std::memcpy(out + kPay, payload, n);
    return buildFrame(out, command, n);
}

struct ListShape
{
    int count;   // entries
    int base;    // field value of entry 0
};

ListShape shape(List list)
{
    switch (list) {
    case List::Tempo: return {271, 30};
    case List::PadBank:
    case List::KnobBank: return {int(kBanks), 0};
    case List::Preset: return {int(kPresets), 0};
    case List::PadCurve:
    case List::KeyCurve: return {4, 0};
    case List::Division: return {8, 0};
    case List::Gate: return {99, 1};
    case List::Swing: return {26, 50};
    case List::AftertouchMode: return {2, 0};
    case List::AftertouchDelay: return {146, 5};
    case List::FullLevelVelocity: return {127, 1};
    case List::ArpMode: return {7, 0};
    case List::ArpOctave: return {4, 0};
    case List::ScaleType: return {2, 0};
    case List::ScaleRoot: return {12, 0};
    case List::Chord: return {4, 0};
    case List::PadDownColour: return {4, 0};
    case List::AutoStandby: return {8, 0};
    }
    return {0, 0};
}

uchar *field(SSystemConfigData &sys, List list)
{
    switch (list) {
    case List::Tempo: return nullptr; // two bytes
    case List::PadBank: return &sys.padBank;
    case List::KnobBank: return &sys.knobBank;
    case List::Preset: return &sys.preset;
    case List::PadCurve: return &sys.padCurve;
    case List::KeyCurve: return &sys.keyCurve;
    case List::Division: return &sys.division;
    case List::Gate: return &sys.gate;
    case List::Swing: return &sys.swing;
    case List::AftertouchMode: return &sys.aftertouchMode;
    case List::AftertouchDelay: return &sys.aftertouchDelay;
    case List::FullLevelVelocity: return &sys.fullLevelVelocity;
    case List::ArpMode: return &sys.arpMode;
    case List::ArpOctave: return &sys.arpOctave;
    case List::ScaleType: return &sys.scaleType;
    case List::ScaleRoot: return &sys.scaleRoot;
    case List::Chord: return &sys.chord;
    case List::PadDownColour:
    case List::AutoStandby: return &sys.packed;
    }
    return nullptr;
}

constexpr uchar kChordBytes[4] = {0, 1, 3, 5};

struct SwitchBit
{
    uint byte;
    uchar mask;
};

SwitchBit switchBit(Switch sw)
{
    switch (sw) {
    case Switch::Eco: return {26, 0x01};
    case Switch::Dark: return {26, 0x02};
    case Switch::DawSync: return {26, 0x04};
    case Switch::FullLevel: return {26, 0x08};
    case Switch::Aftertouch: return {26, 0x10};
    case Switch::Bluetooth: return {26, 0x20};
    case Switch::BatterySplash: return {27, 0x40};
    case Switch::LowBattery: return {27, 0x80};
    case Switch::ArpLatch: return {28, 0x01};
    }
    return {26, 0};
}

} // namespace

bool isConfigEmpty(const SVX18ConfigData &block)
{
    const uchar *p = bytes(block);
    return std::all_of(p, p + kBlockSize, [](uchar c) { return c == 0; });
}

// ---- pool ---------------------------------------------------------------------

std::vector<PoolEntry> poolVisitingOrder(SVX18ConfigData &block, SysexTextStore &store)
{
    std::vector<PoolEntry> order;
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyData[k].mode() == kKeySysexMode)
            order.push_back({refBytes(block.KeyData[k]), store.keyText[k]});
    }
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyLongData[k].mode() == kKeySysexMode)
            order.push_back({refBytes(block.KeyLongData[k]), store.keyLongText[k]});
    }
    for (uint b = 0; b < kBanks; ++b) {
        for (uint p = 0; p < kPadsPerBank; ++p) {
            if (block.PadData[b][p].mode() == kPadSysexMode)
                order.push_back({refBytes(block.PadData[b][p]), store.padText[b][p]});
        }
    }
    return order;
}

void unpackSysexPool(SVX18ConfigData &block, SysexTextStore &store)
{
    uint fill = 0;
    for (const PoolEntry &e : poolVisitingOrder(block, store)) {
        const uint offset = uint(e.ref[0] | (e.ref[1] << 8));
        const uint room = offset < kPoolSize ? kPoolSize - offset : 0;
        const uint n = std::min({uint(e.ref[2]), kSysexMax, room});
        if (n)
            std::memcpy(e.text, block.SysexPool + offset, n);
        e.ref[2] = uchar(n);
        fill += n;
    }
    store.poolFill = std::uint16_t(std::min(fill, kPoolSize));
}

uint packSysexPool(SVX18ConfigData &block, SysexTextStore &store)
{
    uint fill = 0;
    for (const PoolEntry &e : poolVisitingOrder(block, store)) {
        const uint n = std::min({uint(e.ref[2]), kSysexMax, kPoolSize - fill});
        e.ref[0] = uchar(fill & 0xFF);
        e.ref[1] = uchar(fill >> 8);
        e.ref[2] = uchar(n);
        if (n)
            std::memcpy(block.SysexPool + fill, e.text, n);
        fill += n;
    }
    store.poolFill = std::uint16_t(fill);
    return fill;
}

// ---- lists and switches -----------------------------------------------------------

int listEntryCount(List list)
{
    return shape(list).count;
}

int listIndex(const SSystemConfigData &sysIn, List list)
{
    SSystemConfigData &sys = const_cast<SSystemConfigData &>(sysIn);
    const ListShape s = shape(list);
    int value;
    switch (list) {
    case List::Tempo: value = sys.tempo(); break;
    case List::ScaleType: value = sys.scaleType & 0x7F; break;
    case List::PadDownColour: value = sys.packed & 0x07; break;
    case List::AutoStandby: value = (sys.packed >> 3) & 0x07; break;
    case List::Chord: {
        const auto *end = kChordBytes + 4;
        const auto *it = std::find(kChordBytes, end, sys.chord);
        return it == end ? -1 : int(it - kChordBytes);
    }
    default: value = *field(sys, list); break;
    }
    const int index = value - s.base;
    return index >= 0 && index < s.count ? index : -1;
}

void setListIndex(SSystemConfigData &sys, List list, int index)
{
    const ListShape s = shape(list);
    if (index < 0 || index >= s.count)
        return;
    switch (list) {
    case List::Tempo: sys.setTempo(std::uint16_t(index + s.base)); return;
    case List::Chord: sys.chord = kChordBytes[index]; return;
    case List::PadDownColour: sys.packed = uchar((sys.packed & ~0x07) | index); return;
    case List::AutoStandby: sys.packed = uchar((sys.packed & ~0x38) | (index << 3)); return;
    default: *field(sys, list) = uchar(index + s.base); return;
    }
}

bool switchState(const SSystemConfigData &sys, Switch sw)
{
    const SwitchBit b = switchBit(sw);
    return (reinterpret_cast<const uchar *>(&sys)[b.byte] & b.mask) != 0;
}

void setSwitch(SSystemConfigData &sys, Switch sw, bool on)
{
    uchar *raw = reinterpret_cast<uchar *>(&sys);
    if (sw == Switch::Dark && on)
        setSwitch(sys, Switch::Eco, false);
    const SwitchBit b = switchBit(sw);
    raw[b.byte] = uchar(on ? (raw[b.byte] | b.mask) : (raw[b.byte] & ~b.mask));
}

void clampThresholds(SSystemConfigData &sys)
{
    clampBytesToRange(sys.thresholds, uchar(kThresholds), 10, 90);
}

// ---- frames the page sends ----------------------------------------------------------

uint buildWheelPedalFrame(uchar *out, const SVX18ConfigData &block)
{
    return frameWith(out, CMD_WRITE_WHEEL_PEDAL, bytes(block), kWheelPedalSize);
}

uint buildKeybedFrame(uchar *out, const SVX18ConfigData &block)
{
    return frameWith(out, CMD_WRITE_KEYBED, bytes(block) + kKeybedOffset, kKeybedSize);
}

uint buildReadKeybedFrame(uchar *out)
{
    return buildFrame(out, CMD_READ_KEYBED, 0);
}

uint buildSystemConfigFrame(uchar *out, const SSystemConfigData &sys)
{
    return frameWith(out, CMD_SYSTEM_CONFIG, &sys, kSystemSize);
}

uint buildPadColoursFrame(uchar *out, const SVX18ConfigData &block, uchar padIndex, uint bank)
{
    out[kPay] = padIndex;
    std::memcpy(out + kPay + 1, block.PadRGB[bankIndex(uchar(bank))], 24);
    return buildFrame(out, CMD_PAD_COLOURS, 25);
}

uint buildWriteKeysFrame(uchar *out, const SVX18ConfigData &block)
{
    return frameWith(out, CMD_WRITE_KEYS, block.KeyData, 30);
}

uint buildWritePadsFrame(uchar *out, const SVX18ConfigData &block, uint bank)
{
    const uint b = bankIndex(uchar(bank));
    out[kPay] = uchar(b);
    std::memcpy(out + kPay + 1, block.PadData[b], 32);
    return buildFrame(out, CMD_WRITE_PADS, 33);
}

uint buildWriteKnobsFrame(uchar *out, const SVX18ConfigData &block, uint bank)
{
    const uint b = bankIndex(uchar(bank));
    out[kPay] = uchar(b);
    std::memcpy(out + kPay + 1, block.KnobData[b], 40);
    return buildFrame(out, CMD_WRITE_KNOBS, 41);
}

uint buildWriteConfigFrame(uchar *out, const SVX18ConfigData &block)
{
    return frameWith(out, CMD_WRITE_CONFIG, &block, kBlockSize);
}

uint buildSysexPoolFrame(uchar *out, const SVX18ConfigData &block, uint n)
{
    n = std::min(n, kPoolSize);
    out[kPay] = uchar(n & 0xFF);
    out[kPay + 1] = uchar(n >> 8);
    if (n)
        std::memcpy(out + kPay + 2, block.SysexPool, n);
    return buildFrame(out, CMD_WRITE_SYSEX_POOL, n + 2);
}

uint buildReadPresetFrame(uchar *out, uchar preset)
{
    out[kPay] = preset;
    return buildFrame(out, CMD_READ_PRESET, 1);
}

uint buildSaveFrame(uchar *out)
{
    return buildFrame(out, CMD_SAVE, 0);
}

uint buildPageCloseFrame(uchar *out)
{
    return buildFrame(out, CMD_PAGE_CLOSE, 0);
}

// ---- frames the device sends -----------------------------------------------------------

int frameCommand(const uchar *frame, uint received)
{
    if (!frame || received < SDeviceFrame::kOverhead)
        return -1;
    return frame[SDeviceFrame::kOffsetCommand];
}

namespace {
// Payload bytes that arrived and that the header declares.
uint payloadReceived(const uchar *frame, uint received)
{
    if (frameCommand(frame, received) < 0)
        return 0;
    return std::min(framePayloadLength(frame), received - SDeviceFrame::kOverhead);
}
} // namespace

bool parseSystemRecord(const uchar *frame, uint received, SSystemConfigData *out)
{
    if (payloadReceived(frame, received) < kSystemSize)
        return false;
    std::memcpy(out, frame + kPay, kSystemSize);
    return true;
}

bool parseKeybedReply(const uchar *frame, uint received, SVX18ConfigData *block)
{
    if (payloadReceived(frame, received) < kKeybedSize)
        return false;
    std::memcpy(bytes(*block) + kKeybedOffset, frame + kPay, kKeybedSize);
    return true;
}

uint parseConfigReply(const uchar *frame, uint received, SVX18ConfigData *block)
{
    const uint payload = payloadReceived(frame, received);
    if (payload < 2)
        return 0;
    const uint n = std::min(payload - 1, kBlockSize);
    std::memcpy(bytes(*block), frame + kPay + 1, n);
    return n;
}

bool parseResultReply(const uchar *frame, uint received)
{
    return payloadReceived(frame, received) >= 1 && frame[kPay] != 0;
}

} // namespace vx18
