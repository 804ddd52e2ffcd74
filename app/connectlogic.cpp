#include "connectlogic.h"

#include <QRegularExpression>

bool PortScan::isPresent(uint id) const
{
    for (int k = 0; k < count; ++k) {
        if (matches[k].deviceId == id)
            return true;
    }
    return false;
}

int PortScan::indexOf(uint id, const PortPair &pair) const
{
    int sameNames = -1;
    for (int k = 0; k < count; ++k) {
        if (matches[k].deviceId != id)
            continue;
        if (pairs[k].outKey == pair.outKey && pairs[k].inKey == pair.inKey)
            return k;
        if (sameNames < 0 && pairs[k].outName == pair.outName && pairs[k].inName == pair.inName)
            sameNames = k;
    }
    return sameNames;
}

QString cleanPortName(const QString &name)
{
    static const QRegularExpression inOut(QStringLiteral("(IN|OUT)"));
    QString cleaned = name;
    cleaned.replace(inOut, QString());
    return cleaned.trimmed();
}

PortScan matchPorts(const QVector<DeviceEntry> &devices, const QStringList &inputs,
                    const QStringList &outputs, const QList<QByteArray> &inputKeys,
                    const QList<QByteArray> &outputKeys)
{
    PortScan scan;
    QStringList cleanIn;
    QStringList cleanOut;
    for (const QString &name : inputs)
        cleanIn << cleanPortName(name);
    for (const QString &name : outputs)
        cleanOut << cleanPortName(name);

    for (const DeviceEntry &entry : devices) {
        if (entry.names.isEmpty())
            continue;
        for (int i = 0; i < inputs.size(); ++i) {
            for (int j = 0; j < outputs.size(); ++j) {
                if (cleanIn[i] != cleanOut[j])
                    continue;
                for (const QString &fragment : entry.names) {
                    if (!inputs[i].contains(fragment, Qt::CaseSensitive))
                        continue;
                    if (scan.count >= kMaxPortMatches)
                        return scan;
                    scan.lastOutName = outputs[j];
                    PortMatch &m = scan.matches[scan.count];
                    m.deviceId = entry.id;
                    m.outPort = uint32_t(j);
                    m.inPort = uint32_t(i);
                    PortPair &pair = scan.pairs[scan.count];
                    pair.outName = outputs[j];
                    pair.inName = inputs[i];
                    pair.outKey = j < outputKeys.size() ? outputKeys[j] : outputs[j].toUtf8();
                    pair.inKey = i < inputKeys.size() ? inputKeys[i] : inputs[i].toUtf8();
                    ++scan.count;
                }
            }
        }
    }
    return scan;
}

bool parseDeviceInfoReply(const uint8_t *frame, uint len, DeviceInfoReply *reply)
{
    if (len < kDeviceInfoMinLength || frame[2] != 0x11)
        return false;
    reply->deviceId = frame[6];
    reply->downloadLink.clear();
    for (uint k = 7; k <= 22; ++k) {
        if (frame[k] != 0)
            reply->downloadLink.append(QChar(frame[k]));
    }
    reply->firmwareVersion = frame[23];
    return true;
}

PageChoice choosePage(uint8_t deviceId, uint8_t firmwareVersion, const QString &portName,
                      bool factoryMode)
{
    PageChoice c;
    c.deviceId = deviceId;
    if (deviceId == 1 || portName == QLatin1String("DOVO Dazed")) {
        c.deviceId = 1;
        c.pedalFolder = true;
        c.kind = firmwareVersion > 4 ? PageKind::Pedal : PageKind::PedalOld;
    } else if (deviceId == 2) {
        c.kind = PageKind::None;
    } else if (deviceId == 7) {
        c.kind = factoryMode ? PageKind::PadSelfTest : PageKind::Pad;
    } else if (deviceId == 8) {
        c.kind = factoryMode ? PageKind::PadSelfTest : PageKind::SmallPad;
    } else if (deviceId == 9) {
        c.kind = factoryMode ? PageKind::KeyboardSelfTest : PageKind::Keyboard;
    } else if (portName.contains(QLatin1String("ZOLVEN"), Qt::CaseSensitive) || deviceId == 5) {
        c.kind = PageKind::UpgradeOnly;
    } else {
        c.kind = PageKind::Unknown;
    }
    return c;
}

int resolveLanguage(int stored, bool systemIsChinese)
{
    if (stored < 0)
        return systemIsChinese ? 1 : 0;
    return stored;
}
