#include "rz7config.h"

#include <QDebug>

#include <algorithm>
#include <cstring>

namespace rz7 {

namespace {

constexpr uint kOff = SDeviceFrame::kOffsetPayload;

uint finish(uchar *out, uchar command, uint payloadLength)
{
    return buildFrame(out, command, payloadLength);
}

// Visits the records that hold SysEx references in the pool's fixed order:
// buttons, long-press actions, pads of banks 0, 1, 2.
template <typename F>
void forEachSysexRecord(SRZ7ConfigData &block, SRZ7SysexStore &store, F f)
{
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyData[k].mode() == kKeySysexMode)
            f(block.KeyData[k], store.keySysex[k]);
    }
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyLongData[k].mode() == kKeySysexMode)
            f(block.KeyLongData[k], store.keyLongSysex[k]);
    }
    for (uint b = 0; b < kPadBanks; ++b) {
        for (uint p = 0; p < kPadsPerBank; ++p) {
            if (block.PadData[b][p].mode() == kPadSysexMode)
                f(block.PadData[b][p], store.padSysex[b][p]);
        }
    }
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
                    && sys.division <= 7 && sys.padBank < kPadBanks && sys.knobGroup < kKnobGroups;
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

void extractSysexData(SRZ7ConfigData &block, SRZ7SysexStore &store)
{
    uint total = 0;
    forEachSysexRecord(block, store, [&total, &block](SControlRecord &rec, uchar *buffer) {
        SSysexRef ref = rec.sysexRef();
        const uint offset = ref.offset();
        const uint room = offset < kPoolSize ? kPoolSize - offset : 0;
        const uint n = std::min({uint(ref.length), kSysexMax, room});
        if (n > 0)
            std::memcpy(buffer, block.SysexPool + offset, n);
        if (n != ref.length) {
            ref.length = uchar(n);
            rec.setSysexRef(ref);
        }
        total += n;
    });
    store.sysexTotal = std::uint16_t(total);
}

uint packSysexPool(SRZ7ConfigData &block, SRZ7SysexStore &store)
{
    uint fill = 0;
    forEachSysexRecord(block, store, [&fill, &block](SControlRecord &rec, const uchar *buffer) {
        SSysexRef ref = rec.sysexRef();
        const uint n = std::min({uint(ref.length), kSysexMax, kPoolSize - fill});
        ref.setOffset(std::uint16_t(fill));
        ref.length = uchar(n);
        rec.setSysexRef(ref);
        if (n > 0)
            std::memcpy(block.SysexPool + fill, buffer, n);
        fill += n;
    });
    store.sysexTotal = std::uint16_t(fill);
    return fill;
}

// ---- lists and switches -------------------------------------------------------

const GlobalList kSentLists[11] = {
    GlobalList::Tempo,          GlobalList::VelocityCurve,  GlobalList::Division,
    GlobalList::Gate,           GlobalList::Swing,          GlobalList::AftertouchMode,
    GlobalList::AftertouchDelay, GlobalList::NoteRepeatMode, GlobalList::FullLevelVelocity,
    GlobalList::PadDownColour,  GlobalList::AutoStandby,
};

const uchar kSwingTable[10] = {50, 54, 56, 58, 60, 62, 64, 66, 68, 70};

int listEntryCount(GlobalList list)
{
    switch (list) {
    case GlobalList::Preset: return 8;
    case GlobalList::AutoStandby: return 8;
    case GlobalList::PadDownColour: return 4;
    case GlobalList::NoteRepeatMode: return 2;
    case GlobalList::AftertouchMode: return 2;
    case GlobalList::VelocityCurve: return 4;
    case GlobalList::Division: return 8;
    case GlobalList::Swing: return 10;
    case GlobalList::Tempo: return 271;
    case GlobalList::AftertouchDelay: return 146;
    case GlobalList::Gate: return 99;
    case GlobalList::FullLevelVelocity: return 127;
    }
    return 0;
}

static int rawIndex(const SSystemConfigData &sys, GlobalList list)
{
    switch (list) {
    case GlobalList::Preset: return sys.preset;
    case GlobalList::AutoStandby: return (sys.displayPower >> 3) & 0x07;
    case GlobalList::PadDownColour: return sys.displayPower & 0x07;
    case GlobalList::NoteRepeatMode: return sys.noteRepeatMode;
    case GlobalList::AftertouchMode: return sys.aftertouchMode;
    case GlobalList::VelocityCurve: return sys.velocityCurve;
    case GlobalList::Division: return sys.division;
    case GlobalList::Swing: {
        const uchar *end = kSwingTable + sizeof kSwingTable;
        const uchar *it = std::find(kSwingTable, end, sys.swing);
        return it == end ? -1 : int(it - kSwingTable);
    }
    case GlobalList::Tempo: return int(sys.tempo()) - 30;
    case GlobalList::AftertouchDelay: return int(sys.aftertouchDelay) - 5;
    case GlobalList::Gate: return int(sys.gate) - 1;
    case GlobalList::FullLevelVelocity: return int(sys.fullLevelVelocity) - 1;
    }
    return -1;
}

int listIndex(const SSystemConfigData &sys, GlobalList list)
{
    const int i = rawIndex(sys, list);
    return i >= 0 && i < listEntryCount(list) ? i : -1;
}

void setListIndex(SSystemConfigData &sys, GlobalList list, int index)
{
    if (index < 0 || index >= listEntryCount(list))
        return;
    const uchar v = uchar(index);
    switch (list) {
    case GlobalList::Preset: sys.preset = v; break;
    case GlobalList::AutoStandby: sys.displayPower = uchar((sys.displayPower & ~0x38) | ((v & 0x07) << 3)); break;
    case GlobalList::PadDownColour: sys.displayPower = uchar((sys.displayPower & ~0x07) | (v & 0x07)); break;
    case GlobalList::NoteRepeatMode: sys.noteRepeatMode = v; break;
    case GlobalList::AftertouchMode: sys.aftertouchMode = v; break;
    case GlobalList::VelocityCurve: sys.velocityCurve = v; break;
    case GlobalList::Division: sys.division = v; break;
    case GlobalList::Swing: sys.swing = kSwingTable[index]; break;
    case GlobalList::Tempo: sys.setTempo(std::uint16_t(index + 30)); break;
    case GlobalList::AftertouchDelay: sys.aftertouchDelay = uchar(index + 5); break;
    case GlobalList::Gate: sys.gate = uchar(index + 1); break;
    case GlobalList::FullLevelVelocity: sys.fullLevelVelocity = uchar(index + 1); break;
    }
}

static uchar &switchByte(SSystemConfigData &sys, Switch sw)
{
    return (sw == Switch::BatterySplash || sw == Switch::LowBattery) ? sys.displayPower : sys.switches;
}

static uchar switchBit(Switch sw)
{
    switch (sw) {
    case Switch::Eco: return 0;
    case Switch::Dark: return 1;
    case Switch::DawSync: return 2;
    case Switch::FullLevel: return 3;
    case Switch::Aftertouch: return 4;
    case Switch::Bluetooth: return 5;
    case Switch::BatterySplash: return 6;
    case Switch::LowBattery: return 7;
    }
    return 8;
}

bool switchState(const SSystemConfigData &sys, Switch sw)
{
    const uchar b = (sw == Switch::BatterySplash || sw == Switch::LowBattery) ? sys.displayPower : sys.switches;
    return (b >> switchBit(sw)) & 1;
}

void setSwitch(SSystemConfigData &sys, Switch sw, bool on)
{
    if (sw == Switch::Dark && on)
        sys.switches = setBit(sys.switches, 0, false);
    uchar &b = switchByte(sys, sw);
    b = setBit(b, switchBit(sw), on);
}

// ---- frames the page sends --------------------------------------------------

uint buildSystemConfigFrame(uchar *out, const SSystemConfigData &sys)
{
    std::memcpy(out + kOff, &sys, kSystemSize);
    return finish(out, CMD_SYSTEM_CONFIG, kSystemSize);
}

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

uint buildSysexPoolFrame(uchar *out, const SRZ7ConfigData &block, uint n)
{
    n = std::min(n, kPoolSize);
    out[kOff] = uchar(n & 0xFF);
    out[kOff + 1] = uchar(n >> 8);
    if (n > 0)
        std::memcpy(out + kOff + 2, block.SysexPool, n);
    return finish(out, CMD_WRITE_SYSEX_POOL, n + 2);
}

uint buildReadPresetFrame(uchar *out, uchar preset)
{
    out[kOff] = preset;
    return finish(out, CMD_READ_PRESET, 1);
}

uint buildSaveFrame(uchar *out)
{
    return finish(out, CMD_SAVE, 0);
}

uint buildPageCloseFrame(uchar *out)
{
    return finish(out, CMD_PAGE_CLOSE, 0);
}

// ---- frames the device sends ------------------------------------------------

int frameCommand(const uchar *frame, uint received)
{
    if (!frame || received < SDeviceFrame::kHeaderSize)
        return -1;
    return frame[SDeviceFrame::kOffsetCommand];
}

bool parseSystemRecord(const uchar *frame, uint received, SSystemConfigData *out)
{
    if (frameCommand(frame, received) < 0)
        return false;
    if (framePayloadLength(frame) < kSystemSize || received < kOff + kSystemSize)
        return false;
    std::memcpy(out, frame + kOff, kSystemSize);
    return true;
}

uint parseConfigReply(const uchar *frame, uint received, SRZ7ConfigData *block, uchar *preset)
{
    if (frameCommand(frame, received) < 0)
        return 0;
    const uint payload = framePayloadLength(frame);
    if (payload >= 1 && received > kOff && preset)
        *preset = frame[kOff];
    if (payload < 1 || received < kOff + 2)
        return 0;
    const uint n = std::min({payload - 1, received - (kOff + 2), kBlockSize});
    if (n > 0)
        std::memcpy(block, frame + kOff + 1, n);
    return n;
}

bool parseResultReply(const uchar *frame, uint received)
{
    if (frameCommand(frame, received) < 0)
        return false;
    return framePayloadLength(frame) >= 1 && received > kOff && frame[kOff] != 0;
}

} // namespace rz7
