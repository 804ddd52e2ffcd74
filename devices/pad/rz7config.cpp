#include "rz7config.h"

#include <QDebug>

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace rz7 {

namespace {

constexpr uint kOff = SDeviceFrame::kOffsetPayload;

uint finish(uchar *out, uchar command, uint payloadLength)
{
    return buildFrame(out, command, payloadLength);
}

} // namespace

bool isConfigEmpty(const SRZ7ConfigData &block)
{
    const auto *p = reinterpret_cast<const uchar *>(&block);
    return std::all_of(p, p + sizeof block, [](uchar c) { return c == 0; });
}

bool check_system_config_data(const SSystemConfigData &sys)
{
    const bool ok = std::uint16_t(sys.tempo() - 30) <= 270 && sys.preset <= 7 && sys.velocityCurve <= 4
                    && sys.division <= 7;
    if (!ok)
        qDebug() << "check_system_config_data Err---";
    return ok;
}

bool isBlockValid(const SRZ7ConfigData &block, const SSystemConfigData &sys)
{
    if (sys.padBank >= kPadBanks || sys.knobGroup >= kKnobGroups)
        return false;
    for (const auto &bank : block.PadData) {
        for (const auto &rec : bank) {
            if (rec.mode() >= 5)
                return false;
        }
    }
    for (const auto &group : block.KnobData) {
        for (const auto &rec : group) {
            if (rec.mode() >= 3)
                return false;
        }
    }
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyData[k].mode() == 7 || block.KeyLongData[k].mode() == 7)
            return false;
    }
    return true;
}

pagekit::PoolList sysexPoolList(SRZ7ConfigData &block, SRZ7SysexStore &store)
{
    pagekit::PoolList list;
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyData[k].mode() == kKeySysexMode)
            list.push_back({&block.KeyData[k].ctrl, store.keySysex[k], -1});
    }
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyLongData[k].mode() == kKeySysexMode)
            list.push_back({&block.KeyLongData[k].ctrl, store.keyLongSysex[k], -1});
    }
    for (uint b = 0; b < kPadBanks; ++b) {
        for (uint p = 0; p < kPadsPerBank; ++p) {
            if (block.PadData[b][p].mode() == kPadSysexMode)
                list.push_back({&block.PadData[b][p].ctrl, store.padSysex[b][p], int(b)});
        }
    }
    return list;
}

void extractSysexData(SRZ7ConfigData &block, SRZ7SysexStore &store)
{
    store.sysexTotal =
        std::uint16_t(pagekit::expandSysexPool(block.SysexPool, kPoolSize, sysexPoolList(block, store)));
}

pagekit::SPackResult packSysexPool(SRZ7ConfigData &block, SRZ7SysexStore &store)
{
    pagekit::SPackResult result = pagekit::packSysexPool(block.SysexPool, kPoolSize, sysexPoolList(block, store));
    store.sysexTotal = std::uint16_t(result.used);
    return result;
}

// ---- lists and switches -------------------------------------------------------

const GlobalList kSettingLists[11] = {
    GlobalList::Tempo,          GlobalList::VelocityCurve,  GlobalList::Division,
    GlobalList::Gate,           GlobalList::Swing,          GlobalList::AftertouchMode,
    GlobalList::AftertouchDelay, GlobalList::NoteRepeatMode, GlobalList::FullLevelVelocity,
    GlobalList::PadDownColour,  GlobalList::AutoStandby,
};

const uchar kSwingTable[10] = {50, 54, 56, 58, 60, 62, 64, 66, 68, 70};

namespace {

using pagekit::SListField;

// Byte offsets in the system record.
constexpr uint kTempoAt = 0;
constexpr uint kPresetAt = 4;
constexpr uint kCurveAt = 5;
constexpr uint kDivisionAt = 6;
constexpr uint kGateAt = 7;
constexpr uint kSwingAt = 8;
constexpr uint kAftertouchModeAt = 9;
constexpr uint kAftertouchDelayAt = 10;
constexpr uint kNoteRepeatAt = 27;
constexpr uint kFullLevelAt = 28;
constexpr uint kSwitchesAt = 29;
constexpr uint kDisplayAt = 30;
static_assert(offsetof(SSystemConfigData, preset) == kPresetAt, "preset byte");
static_assert(offsetof(SSystemConfigData, swing) == kSwingAt, "swing byte");
static_assert(offsetof(SSystemConfigData, aftertouchDelay) == kAftertouchDelayAt, "delay byte");
static_assert(offsetof(SSystemConfigData, fullLevelVelocity) == kFullLevelAt, "full level byte");
static_assert(offsetof(SSystemConfigData, switches) == kSwitchesAt, "switch byte");
static_assert(offsetof(SSystemConfigData, displayPower) == kDisplayAt, "display byte");

const SListField &fieldOf(GlobalList list)
{
    static const SListField preset{kPresetAt, 1, 0, 8, 0, 8, nullptr};
    static const SListField standby{kDisplayAt, 1, 3, 3, 0, 8, nullptr};
    static const SListField padDown{kDisplayAt, 1, 0, 3, 0, 4, nullptr};
    static const SListField noteRepeat{kNoteRepeatAt, 1, 0, 8, 0, 2, nullptr};
    static const SListField aftertouchMode{kAftertouchModeAt, 1, 0, 8, 0, 2, nullptr};
    static const SListField curve{kCurveAt, 1, 0, 8, 0, 4, nullptr};
    static const SListField division{kDivisionAt, 1, 0, 8, 0, 8, nullptr};
    static const SListField swing{kSwingAt, 1, 0, 8, 0, 10, kSwingTable};
    static const SListField tempo{kTempoAt, 2, 0, 8, 30, 271, nullptr};
    static const SListField delay{kAftertouchDelayAt, 1, 0, 8, 5, 146, nullptr};
    static const SListField gate{kGateAt, 1, 0, 8, 1, 99, nullptr};
    static const SListField fullLevel{kFullLevelAt, 1, 0, 8, 1, 127, nullptr};
    switch (list) {
    case GlobalList::Preset: return preset;
    case GlobalList::AutoStandby: return standby;
    case GlobalList::PadDownColour: return padDown;
    case GlobalList::NoteRepeatMode: return noteRepeat;
    case GlobalList::AftertouchMode: return aftertouchMode;
    case GlobalList::VelocityCurve: return curve;
    case GlobalList::Division: return division;
    case GlobalList::Swing: return swing;
    case GlobalList::Tempo: return tempo;
    case GlobalList::AftertouchDelay: return delay;
    case GlobalList::Gate: return gate;
    case GlobalList::FullLevelVelocity: return fullLevel;
    }
    return preset;
}

const uchar *bytesOf(const SSystemConfigData &sys)
{
    return reinterpret_cast<const uchar *>(&sys);
}

uchar *bytesOf(SSystemConfigData &sys)
{
    return reinterpret_cast<uchar *>(&sys);
}

} // namespace

const pagekit::SListField &listField(GlobalList list)
{
    return fieldOf(list);
}

int listEntryCount(GlobalList list)
{
    return fieldOf(list).rows;
}

int listIndex(const SSystemConfigData &sys, GlobalList list)
{
    return pagekit::listRow(bytesOf(sys), fieldOf(list));
}

void setListIndex(SSystemConfigData &sys, GlobalList list, int index)
{
    pagekit::setListRow(bytesOf(sys), fieldOf(list), index);
}

pagekit::SSwitchBit switchBit(Switch sw)
{
    switch (sw) {
    case Switch::Eco: return {kSwitchesAt, 0};
    case Switch::Dark: return {kSwitchesAt, 1};
    case Switch::DawSync: return {kSwitchesAt, 2};
    case Switch::FullLevel: return {kSwitchesAt, 3};
    case Switch::Aftertouch: return {kSwitchesAt, 4};
    case Switch::Bluetooth: return {kSwitchesAt, 5};
    case Switch::BatterySplash: return {kDisplayAt, 6};
    case Switch::LowBattery: return {kDisplayAt, 7};
    }
    return {kSwitchesAt, 0};
}

bool switchState(const SSystemConfigData &sys, Switch sw)
{
    return pagekit::switchOn(bytesOf(sys), switchBit(sw));
}

void setSwitch(SSystemConfigData &sys, Switch sw, bool on)
{
    if (sw == Switch::Dark && on)
        pagekit::setSwitch(bytesOf(sys), switchBit(Switch::Eco), false);
    pagekit::setSwitch(bytesOf(sys), switchBit(sw), on);
}

// ---- frames the page sends --------------------------------------------------

uint buildPadColoursFrame(uchar *out, const SRZ7ConfigData &block, uchar padIndex, uint padBank, uint knobGroup)
{
    if (padBank >= kPadBanks || knobGroup >= kKnobGroups || (padIndex >= kPadsPerBank && padIndex != kAllPads))
        return 0;
    uchar *p = out + kOff;
    p[0] = padIndex;
    std::memcpy(p + 1, block.PadRGB[padBank], sizeof block.PadRGB[padBank]);
    std::memcpy(p + 49, &block.KnobModeRGB[knobGroup], 3);
    std::memcpy(p + 52, &block.PadModeRGB[padBank], 3);
    return finish(out, CMD_PAD_COLOURS, 55);
}

uint buildWriteKeysFrame(uchar *out, const SRZ7ConfigData &block)
{
    std::memcpy(out + kOff, block.KeyData, sizeof block.KeyData);
    std::memcpy(out + kOff + sizeof block.KeyData, block.KeyLongData, sizeof block.KeyLongData);
    return finish(out, CMD_WRITE_KEYS, 48);
}

uint buildWritePadsFrame(uchar *out, const SRZ7ConfigData &block, uint padBank)
{
    if (padBank >= kPadBanks)
        return 0;
    out[kOff] = uchar(padBank);
    std::memcpy(out + kOff + 1, block.PadData[padBank], sizeof block.PadData[padBank]);
    return finish(out, CMD_WRITE_PADS, 65);
}

uint buildWriteKnobsFrame(uchar *out, const SRZ7ConfigData &block, uint knobGroup)
{
    if (knobGroup >= kKnobGroups)
        return 0;
    out[kOff] = uchar(knobGroup);
    std::memcpy(out + kOff + 1, block.KnobData[knobGroup], sizeof block.KnobData[knobGroup]);
    return finish(out, CMD_WRITE_KNOBS, 41);
}

uint buildModeColoursFrame(uchar *out, const SRZ7ConfigData &block)
{
    std::memcpy(out + kOff, block.KnobModeRGB, sizeof block.KnobModeRGB);
    std::memcpy(out + kOff + sizeof block.KnobModeRGB, block.PadModeRGB, sizeof block.PadModeRGB);
    return finish(out, CMD_WRITE_MODE_COLOURS, 18);
}

uint buildWriteConfigFrame(uchar *out, const SRZ7ConfigData &block)
{
    std::memcpy(out + kOff, &block, kBlockSize);
    return finish(out, CMD_WRITE_CONFIG, kBlockSize);
}

} // namespace rz7
