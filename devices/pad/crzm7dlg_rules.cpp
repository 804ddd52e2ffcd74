#include "crzm7dlg_rules.h"

#include "utils.h"

#include <algorithm>

namespace rz7dlg {

namespace {

uchar ctrlByte(uint mode, uint channel, bool flag)
{
    return uchar(((mode & 0x07) << 4) | (flag ? 0x80 : 0x00) | (channel & 0x0F));
}

uchar value7(uint v)
{
    return uchar(std::min<uint>(v, 127));
}

int hexValue(QChar c)
{
    const ushort u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

} // namespace

uint keyModeFromIndex(int index, bool listWithoutMmc)
{
    if (index < 0)
        return 0;
    const uint mode = uint(index);
    return (listWithoutMmc && mode > 3) ? mode + 1 : mode;
}

int keyIndexFromMode(uint mode, bool listWithoutMmc)
{
    return (listWithoutMmc && mode > 3) ? int(mode) - 1 : int(mode);
}

uint customizeMode(int kind)
{
    return kind == KindPad ? rz7::kPadSysexMode : rz7::kKeySysexMode;
}

uchar sysexLength(const SControlRecord &rec, int kind)
{
    return rec.mode() == customizeMode(kind) ? rec.value2 : uchar(0);
}

uchar shownData1(const SControlRecord &rec, int kind)
{
    if (kind == KindPad && rec.mode() == 3)
        return rec.value2;
    return rec.data1;
}

bool storeKnob(SKnobRecord &rec, const SFields &f)
{
    if (f.mode == 2) {
        rec.ctrl = ctrlByte(f.mode, f.channel, f.flag);
        rec.data1 = value7(f.d1);
        rec.minimum = value7(f.d2);
        rec.maximum = value7(f.d3);
        return true;
    }
    if (f.d2 == f.d3)
        return false;
    rec.ctrl = ctrlByte(f.mode, f.channel, f.flag);
    rec.data1 = value7(f.d1);
    rec.minimum = value7(std::min(f.d2, f.d3));
    rec.maximum = value7(std::max(f.d2, f.d3));
    rec.options = uchar(std::min<uint>(f.d4, 4));
    return true;
}

bool storePad(SControlRecord &rec, const SFields &f)
{
    switch (f.mode) {
    case 0:
        if (f.d2 == f.d3)
            return false;
        rec.ctrl = ctrlByte(0, f.channel, f.flag);
        rec.data1 = value7(f.d1);
        rec.value1 = value7(std::min(f.d2, f.d3));
        rec.value2 = value7(std::max(f.d2, f.d3));
        return true;
    case 1:
    case 2:
        rec.ctrl = ctrlByte(f.mode, f.channel, f.flag);
        rec.data1 = value7(f.d1);
        rec.value1 = value7(f.d2);
        rec.value2 = value7(f.d3);
        return true;
    case 3:
        rec.ctrl = ctrlByte(3, f.channel, f.flag);
        rec.data1 = value7(f.d2);
        rec.value1 = value7(f.d3);
        rec.value2 = value7(f.d1);
        return true;
    default:
        return false;
    }
}

void storeKey(SControlRecord &rec, const SFields &f)
{
    rec.ctrl = ctrlByte(f.mode, f.channel, f.flag);
    rec.data1 = value7(f.d1);
    rec.value1 = value7(f.d2);
    rec.value2 = value7(f.d3);
}

SParsedText parseSysexText(const QString &text, uint poolTotal, uint oldLength)
{
    SParsedText out;
    uint digits = 0;
    for (const QChar c : text) {
        if (hexValue(c) >= 0)
            ++digits;
    }
    const uint n = (digits + 1) / 2;
    if (n > rz7::kSysexMax) {
        out.result = TextResult::TooLong;
        return out;
    }
    if (poolTotal >= oldLength && poolTotal - oldLength + n > rz7::kPoolSize) {
        out.result = TextResult::PoolFull;
        return out;
    }

    uint pos = 0;
    bool high = true;
    for (const QChar c : text) {
        const int v = hexValue(c);
        if (v < 0)
            continue;
        if (high) {
            out.bytes[pos] = uchar(v);
        } else {
            out.bytes[pos] = uchar((out.bytes[pos] << 4) | v);
            ++pos;
        }
        high = !high;
    }
    out.length = n;
    out.result = isValidMidiStream(out.bytes, quint16(n)) ? TextResult::Accepted : TextResult::Malformed;
    return out;
}

QString sysexText(const uchar *bytes, uint length)
{
    QString text;
    if (!bytes)
        return text;
    length = std::min<uint>(length, rz7::kSysexMax);
    text.reserve(int(length * 3));
    for (uint i = 0; i < length; ++i)
        text += QStringLiteral("%1 ").arg(uint(bytes[i]), 2, 16, QLatin1Char('0')).toUpper();
    return text;
}

void setAllPadColours(SRZ7ConfigData &block, uint bank, uint pad)
{
    if (bank >= rz7::kPadBanks || pad >= rz7::kPadsPerBank)
        return;
    const SColourGRB colour = block.PadRGB[bank][pad];
    for (SColourGRB &c : block.PadRGB[bank])
        c = colour;
}

SendKind setAllChannels(SRZ7ConfigData &block, int kind, uint bank, bool longPress, uint channel)
{
    switch (kind) {
    case KindKnob:
        if (bank >= rz7::kKnobGroups)
            return SendNothing;
        for (SKnobRecord &k : block.KnobData[bank])
            k.setChannel(channel);
        return SendKnobs;
    case KindPad:
        if (bank >= rz7::kPadBanks)
            return SendNothing;
        for (SControlRecord &p : block.PadData[bank]) {
            if (p.mode() != rz7::kPadSysexMode)
                p.setChannel(channel);
        }
        return SendPads;
    case KindButton:
        for (SControlRecord &k : (longPress ? block.KeyLongData : block.KeyData)) {
            if (k.mode() != rz7::kKeySysexMode)
                k.setChannel(channel);
        }
        return SendKeys;
    default:
        return SendNothing;
    }
}

void setAllData1ByPadOrder(SRZ7ConfigData &block, uint bank, uint pad, int data1)
{
    if (bank >= rz7::kPadBanks || pad >= rz7::kPadsPerBank)
        return;
    for (uint p = 0; p < rz7::kPadsPerBank; ++p) {
        SControlRecord &rec = block.PadData[bank][p];
        if (rec.mode() == rz7::kPadSysexMode)
            continue;
        rec.data1 = uchar(std::clamp(data1 + int(p) - int(pad), 0, 127));
    }
}

} // namespace rz7dlg
