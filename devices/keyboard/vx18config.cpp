#include "vx18config.h"

#include "devices/shared/listrows.h"

#include <algorithm>
#include <cstring>

namespace vx18 {

namespace {

constexpr uint kPay = SDeviceFrame::kOffsetPayload;

uint frameWith(uchar *out, uchar command, const void *payload, uint n)
{
    if (n)
        std::memcpy(out + kPay, payload, n);
    return buildFrame(out, command, n);
}

constexpr uchar kChordBytes[4] = {0, 1, 3, 5};

// Each list's field in the record, in the order of List.
pagekit::SListField listField(List list)
{
    pagekit::SListField f;
    auto plain = [&f](uint byte, int rows, int base = 0) {
        f.byte = byte;
        f.rows = rows;
        f.base = base;
    };
    switch (list) {
    case List::Tempo: plain(0, 271, 30); f.width = 2; break;
    case List::PadBank: plain(2, int(kBanks)); break;
    case List::KnobBank: plain(3, int(kBanks)); break;
    case List::Preset: plain(4, int(kPresets)); break;
    case List::PadCurve: plain(5, 4); break;
    case List::KeyCurve: plain(6, 4); break;
    case List::Division: plain(7, 8); break;
    case List::Gate: plain(8, 99, 1); break;
    case List::Swing: plain(9, 26, 50); break;
    case List::AftertouchMode: plain(10, 2); break;
    case List::AftertouchDelay: plain(11, 146, 5); break;
    case List::FullLevelVelocity: plain(20, 127, 1); break;
    case List::ArpMode: plain(21, 7); break;
    case List::ArpOctave: plain(22, 4); break;
    case List::ScaleType: plain(23, 2); f.bits = 7; break; // read with bit 7 cleared
    case List::ScaleRoot: plain(24, 12); break;
    case List::Chord: plain(25, 4); f.table = kChordBytes; break;
    case List::PadDownColour: plain(27, 4); f.bits = 3; break;
    case List::AutoStandby: plain(27, 8); f.shift = 3; f.bits = 3; break;
    }
    return f;
}

pagekit::SSwitchBit switchBit(Switch sw)
{
    switch (sw) {
    case Switch::Eco: return {26, 0};
    case Switch::Dark: return {26, 1};
    case Switch::DawSync: return {26, 2};
    case Switch::FullLevel: return {26, 3};
    case Switch::Aftertouch: return {26, 4};
    case Switch::Bluetooth: return {26, 5};
    case Switch::BatterySplash: return {27, 6};
    case Switch::LowBattery: return {27, 7};
    case Switch::ArpLatch: return {28, 0};
    }
    return {26, 0};
}

uchar *raw(SSystemConfigData &sys) { return reinterpret_cast<uchar *>(&sys); }
const uchar *raw(const SSystemConfigData &sys) { return reinterpret_cast<const uchar *>(&sys); }

} // namespace

bool isConfigEmpty(const SVX18ConfigData &block)
{
    const uchar *p = bytes(block);
    return std::all_of(p, p + kBlockSize, [](uchar c) { return c == 0; });
}

// ---- lists and switches -----------------------------------------------------------

int listEntryCount(List list)
{
    return listField(list).rows;
}

int listIndex(const SSystemConfigData &sys, List list)
{
    return pagekit::listRow(raw(sys), listField(list));
}

void setListIndex(SSystemConfigData &sys, List list, int index)
{
    pagekit::SListField f = listField(list);
    if (list == List::ScaleType)
        f.bits = 8; // the type is sent as the whole byte
    pagekit::setListRow(raw(sys), f, index);
}

bool switchState(const SSystemConfigData &sys, Switch sw)
{
    return pagekit::switchOn(raw(sys), switchBit(sw));
}

void setSwitch(SSystemConfigData &sys, Switch sw, bool on)
{
    if (sw == Switch::Dark && on)
        pagekit::setSwitch(raw(sys), switchBit(Switch::Eco), false);
    pagekit::setSwitch(raw(sys), switchBit(sw), on);
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
    return pagekit::buildSystemRecordFrame(out, &sys, kSystemSize);
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
    return pagekit::buildSysexPoolFrame(out, block.SysexPool, kPoolSize, n);
}

// ---- frames the device sends -----------------------------------------------------------

bool parseKeybedReply(const uchar *frame, uint received, SVX18ConfigData *block)
{
    return pagekit::parseSystemRecord(frame, received, bytes(*block) + kKeybedOffset, kKeybedSize);
}

} // namespace vx18
