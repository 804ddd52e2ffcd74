#include "globals.h"

#include <QTranslator>

QTranslator *g_translator = nullptr;
QTranslator g_qtTranslator;
int g_language = 0;

quint8 g_deviceId = 0;
quint8 g_firmwareVersion = 0;
QString g_downloadLink;
QString g_downloadFolder;
