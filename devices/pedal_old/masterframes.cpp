#include "masterframes.h"

#include <cstring>

#include "deviceframe.h"

namespace pedalold {

namespace {

quint8 *payload(quint8 *buf) { return buf + SDeviceFrame::kOffsetPayload; }

quint8 actionNibble(quint8 type)
{
    if (type == 0)
        return 1;
    return type <= 5 ? type : 0;
}

quint8 listLength(const SSwitchRecord &record, int list)
{
    return quint8(record.isSysex(list) ? record.usedSysexLen(list) : record.usedCount(list));
}

} // namespace

int copySwitchLists(const SSwitchRecord &record, quint8 *out, quint16 *sum)
{
    int n = 0;
    for (int list = 1; list <= 2; ++list) {
        const quint8 *src;
        int len;
        if (record.isSysex(list)) {
            src = record.sysex(list);
            len = record.usedSysexLen(list);
        } else {
            src = &record.events(list)[0].Channel;
            len = 4 * record.usedCount(list);
        }
        for (int i = 0; i < len; ++i) {
            out[n++] = src[i];
            *sum = quint16(*sum + src[i]);
        }
    }
    return n;
}

uint switchRecordFrame(const SMIDIConfigData &image, int switchIndex, quint8 *buf)
{
    const SSwitchRecord &record = image.SwitchData[switchIndex];
    quint8 *p = payload(buf);
    p[0] = 0;
    p[1] = quint8(((switchIndex + 1) << 4) | actionNibble(record.Type));
    p[2] = record.SysexFlags;
    p[3] = listLength(record, 1);
    p[4] = listLength(record, 2);
    quint16 sum = quint16(p[1] + p[2] + p[3] + p[4]);
    const int d = copySwitchLists(record, p + 5, &sum);
    p[5 + d] = quint8(~sum & 0xFF);
    frameInitHeader(buf, CMD_SWITCH_DATA, uint(d + 5));
    return uint(d + 12);
}

uint presetSelectFrame(int preset, quint8 *buf)
{
    quint8 *p = payload(buf);
    p[0] = 1;
    p[1] = quint8(0xF9 + preset);
    return buildFrame(buf, CMD_SWITCH_DATA, 2);
}

uint pedalSwitchesFrame(const SMIDIConfigData &image, quint8 *buf)
{
    quint8 *p = payload(buf);
    for (int k = 0; k < kSwitchCount; ++k) {
        const SSwitchRecord &sw = image.SwitchData[k];
        p[3 * k] = sw.Latch;
        p[3 * k + 1] = sw.Channel;
        p[3 * k + 2] = sw.Data1;
    }
    return buildFrame(buf, CMD_PEDAL_SWITCHES, 12);
}

uint pedalExpressionFrame(const SMIDIConfigData &image, quint8 *buf)
{
    const uint n = uint(4 * image.usedPedalCount());
    std::memcpy(payload(buf), image.PedalData, n);
    return buildFrame(buf, CMD_PEDAL_EXPRESSION, n);
}

uint displayCharsFrame(const SMIDIConfigData &image, quint8 *buf)
{
    std::memcpy(payload(buf), image.PresetDisplay, sizeof image.PresetDisplay);
    return buildFrame(buf, CMD_DISPLAY_CHARS, sizeof image.PresetDisplay);
}

uint switchDisplayFrame(const SMIDIConfigData &image, quint8 *buf)
{
    for (int k = 0; k < kSwitchCount; ++k)
        std::memcpy(payload(buf) + 4 * k, image.SwitchData[k].Display, 4);
    return buildFrame(buf, CMD_SWITCH_DISPLAY, 16);
}

} // namespace pedalold
