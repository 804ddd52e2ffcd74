#include "devicelist.h"

#include <QSettings>

const char *const kDeviceInfoResource = ":/new/iniFile/ConfigData/DeviceInfo.ini";

QVector<DeviceEntry> g_deviceList;

QVector<DeviceEntry> readDeviceInfo(const QString &iniPath)
{
    QVector<DeviceEntry> list;
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("USB Device"));
    const QStringList keys = ini.childKeys();
    for (const QString &key : keys) {
        bool ok = false;
        const uint number = key.toUInt(&ok, 10);
        if (!ok)
            continue;
        DeviceEntry entry;
        entry.id = static_cast<quint8>(number);
        // A value holding a comma is read as a list; join it back into one text.
        const QVariant value = ini.value(key);
        const QString text = value.type() == QVariant::StringList
                                 ? value.toStringList().join(QLatin1Char(','))
                                 : value.toString();
        entry.names = text.split(QLatin1Char('|'), Qt::SkipEmptyParts, Qt::CaseSensitive);
        list.append(entry);
    }
    ini.endGroup();
    return list;
}

bool loadDeviceInfo(const QString &iniPath)
{
    g_deviceList = readDeviceInfo(iniPath);
    return !g_deviceList.isEmpty();
}

QString deviceNameById(uchar id)
{
    // Preset files may be read or written before the connection window has
    // loaded the list (for example by a page built on its own): load it then.
    if (g_deviceList.isEmpty())
        loadDeviceInfo(QString::fromLatin1(kDeviceInfoResource));
    for (const DeviceEntry &entry : qAsConst(g_deviceList)) {
        if (entry.id == id)
            return entry.names.isEmpty() ? QString() : entry.names.first();
    }
    return QString();
}
