#include "midiconfig.h"

#include <QDebug>

#include <cstring>

#include "devices/pedal/pedaltext.h"

using namespace pedalold;

void SSwitchRecord::setSysex(int list, bool on)
{
    if (on)
        SysexFlags |= sysexNibble(list);
    else
        SysexFlags &= quint8(~sysexNibble(list));
}

quint16 SSwitchRecord::rawSysexLen(int list) const
{
    const quint8 *p = list == 1 ? SysexLen1 : SysexLen2;
    return quint16(p[0] | (p[1] << 8));
}

void SSwitchRecord::setSysexLen(int list, quint16 len)
{
    quint8 *p = list == 1 ? SysexLen1 : SysexLen2;
    p[0] = quint8(len & 0xFF);
    p[1] = quint8(len >> 8);
}

QByteArray SMIDIConfigData::toByteArray() const
{
    return QByteArray(reinterpret_cast<const char *>(this), kImageSize);
}

SMIDIConfigData SMIDIConfigData::fromByteArray(const QByteArray &bytes)
{
    SMIDIConfigData image;
    if (bytes.size() != kImageSize) {
        qWarning() << "ByteArray size mismatch for SMIDIConfigData";
        std::memset(&image, 0, sizeof image);
        return image;
    }
    std::memcpy(&image, bytes.constData(), sizeof image);
    return image;
}

bool displayCodesValid(const SMIDIConfigData &image)
{
    for (const SSwitchRecord &sw : image.SwitchData) {
        for (quint8 b : sw.Display) {
            if (!pedal::displayByteValid(b))
                return false;
        }
    }
    for (quint8 b : image.PresetDisplay) {
        if (!pedal::displayByteValid(b))
            return false;
    }
    return true;
}

bool isValidImage(const SMIDIConfigData &image)
{
    if (image.Preset < 1 || image.Preset > kPresetCount)
        return false;
    for (const SSwitchRecord &sw : image.SwitchData) {
        if (sw.Count1 > kMaxEvents || sw.Count2 > kMaxEvents)
            return false;
    }
    return image.PedalCount <= kMaxPedalEntries && displayCodesValid(image);
}

SMIDIConfigData pedalold::fileImage(SMIDIConfigData image)
{
    image.PedalCount = quint8(image.usedPedalCount());
    for (SSwitchRecord &sw : image.SwitchData) {
        for (int list = 1; list <= 2; ++list) {
            sw.setCount(list, sw.usedCount(list));
            sw.setSysexLen(list, quint16(sw.usedSysexLen(list)));
        }
    }
    return image;
}

bool pedalold::imageFromFileBody(const QByteArray &body, SMIDIConfigData *image)
{
    if (body.size() != kImageSize)
        return false;
    const SMIDIConfigData loaded = SMIDIConfigData::fromByteArray(body);
    if (!displayCodesValid(loaded))
        return false;
    *image = fileImage(loaded);
    return true;
}
