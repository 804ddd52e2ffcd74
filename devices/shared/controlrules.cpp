#include "controlrules.h"

#include "utils.h"

#include <algorithm>

namespace pagekit {

namespace {

uchar ctrlByte(uint mode, uint channel, bool flag)
{
    return uchar(((mode & 0x07) << 4) | (flag ? 0x80 : 0x00) | (channel & 0x0F));
}

uchar value7(uint v)
{
    return uchar(std::min<uint>(v, 127));
}

// The byte for a field: the field's value held to 0..127, or the stored byte
// when the field keeps it.
uchar byteFor(int field, uchar stored)
{
    return field == kKeep ? stored : value7(uint(std::max(field, 0)));
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
    if (!listWithoutMmc || mode < kKeyModeMmc)
        return int(mode);
    return mode == kKeyModeMmc ? -1 : int(mode) - 1;
}

uint customizeMode(int kind)
{
    return kind == KindPad ? kPadCustomizeMode : kKeyCustomizeMode;
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
    const uchar d1 = byteFor(f.d1, rec.data1);
    const uchar left = byteFor(f.d2, rec.minimum);
    const uchar right = byteFor(f.d3, rec.maximum);
    if (f.mode == 2) {
        rec.ctrl = ctrlByte(f.mode, f.channel, f.flag);
        rec.data1 = d1;
        rec.minimum = left;
        rec.maximum = right;
        return true;
    }
    if (left == right)
        return false;
    rec.ctrl = ctrlByte(f.mode, f.channel, f.flag);
    rec.data1 = d1;
    rec.minimum = std::min(left, right);
    rec.maximum = std::max(left, right);
    if (f.d4 != kKeep)
        rec.options = uchar(std::clamp(f.d4, 0, 4));
    return true;
}

bool storePad(SControlRecord &rec, const SFields &f)
{
    switch (f.mode) {
    case 0: {
        const uchar low = byteFor(f.d2, rec.value1);
        const uchar high = byteFor(f.d3, rec.value2);
        if (low == high)
            return false;
        rec.ctrl = ctrlByte(0, f.channel, f.flag);
        rec.data1 = byteFor(f.d1, rec.data1);
        rec.value1 = std::min(low, high);
        rec.value2 = std::max(low, high);
        return true;
    }
    case 1:
    case 2:
        rec.ctrl = ctrlByte(f.mode, f.channel, f.flag);
        rec.data1 = byteFor(f.d1, rec.data1);
        rec.value1 = byteFor(f.d2, rec.value1);
        rec.value2 = byteFor(f.d3, rec.value2);
        return true;
    case 3:
        rec.ctrl = ctrlByte(3, f.channel, f.flag);
        rec.data1 = byteFor(f.d2, rec.data1);
        rec.value1 = byteFor(f.d3, rec.value1);
        rec.value2 = byteFor(f.d1, rec.value2);
        return true;
    default:
        return false;
    }
}

void storeKey(SControlRecord &rec, const SFields &f)
{
    rec.ctrl = ctrlByte(f.mode, f.channel, f.flag);
    rec.data1 = byteFor(f.d1, rec.data1);
    rec.value1 = byteFor(f.d2, rec.value1);
    rec.value2 = byteFor(f.d3, rec.value2);
}

SParsedText parseSysexText(const QString &text, uint poolTotal, uint oldLength, uint poolSize, uint maxLength)
{
    SParsedText out;
    maxLength = std::min(maxLength, kSysexMessageMax);
    const QByteArray bytes = hexDigitBytes(text);
    const uint n = uint(bytes.size());
    if (n > maxLength) {
        out.result = TextResult::TooLong;
        return out;
    }
    if (poolTotal >= oldLength && poolTotal - oldLength + n > poolSize) {
        out.result = TextResult::PoolFull;
        return out;
    }
    std::copy(bytes.cbegin(), bytes.cend(), out.bytes);
    out.length = n;
    out.result = isValidMidiStream(out.bytes, quint16(n)) ? TextResult::Accepted : TextResult::Malformed;
    return out;
}

QString sysexText(const uchar *bytes, uint length, uint maxLength)
{
    QString text;
    if (!bytes)
        return text;
    length = std::min({length, maxLength, kSysexMessageMax});
    text.reserve(int(length * 3));
    for (uint i = 0; i < length; ++i)
        text += byteToHex(bytes[i]) + QLatin1Char(' ');
    return text;
}

void setAllPadColours(SColourGRB *colours, uint count, uint pad)
{
    if (!colours || pad >= count)
        return;
    const SColourGRB colour = colours[pad];
    std::fill(colours, colours + count, colour);
}

void setAllChannels(SControlRecord *records, uint count, uint channel, uint skipMode)
{
    for (uint i = 0; records && i < count; ++i) {
        if (records[i].mode() != skipMode)
            records[i].setChannel(channel);
    }
}

void setAllChannels(SKnobRecord *records, uint count, uint channel)
{
    for (uint i = 0; records && i < count; ++i)
        records[i].setChannel(channel);
}

void setAllData1ByPadOrder(SControlRecord *records, uint count, uint pad, int data1, uint skipModes)
{
    if (!records || pad >= count)
        return;
    for (uint p = 0; p < count; ++p) {
        SControlRecord &rec = records[p];
        if (skipModes & (1u << rec.mode()))
            continue;
        rec.data1 = uchar(std::clamp(data1 + int(p) - int(pad), 0, 127));
    }
}

} // namespace pagekit
