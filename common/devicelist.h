// The built-in list of controller models and the port-name fragments by which
// the connection window recognises them.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// One model of the device list.
struct DeviceEntry
{
    quint8 id = 0;     // model number
    QStringList names; // port-name fragments, in the order written; the first is the model's name
};

// Path of the built-in device list.
extern const char *const kDeviceInfoResource; // ":/new/iniFile/ConfigData/DeviceInfo.ini"

// The process-wide device list, in ascending key order. Built once at start-up.
extern QVector<DeviceEntry> g_deviceList;

// Parses the group "USB Device" of an ini file: keys are model numbers, values
// port-name fragments separated by "|". Keys that are not unsigned decimal
// numbers are skipped; empty fragments are dropped.
QVector<DeviceEntry> readDeviceInfo(const QString &iniPath);

// Replaces g_deviceList with readDeviceInfo(iniPath); true when it is not empty.
bool loadDeviceInfo(const QString &iniPath);

// The first name of the first entry of g_deviceList with that model number;
// empty when there is none or it has no names. Written at the head of every
// preset file.
QString deviceNameById(uchar id);
