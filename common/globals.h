// Process-wide state shared by the connection window and every page.
#pragma once

#include <QString>
#include <QtGlobal>

class QTranslator;

// The one translator into which every window loads the interface texts.
// Created by main() with the application as parent; null before that.
extern QTranslator *g_translator;

// Translator reserved for Qt's own dialog texts (see loadQtBaseTranslator).
// A static object, so it exists before main() runs.
extern QTranslator g_qtTranslator;

// Interface language: 1 = Chinese, any other value = English.
extern int g_language;

// What the last device-information reply said (set by the connection window).
extern quint8 g_deviceId;          // model number, 0 before any reply
extern quint8 g_firmwareVersion;   // firmware version byte
extern QString g_downloadLink;     // the device's folder name on the download server
extern QString g_downloadFolder;   // g_downloadLink followed by "/"
