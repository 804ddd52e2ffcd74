#include "serverlocation.h"

#include <QByteArray>

#ifndef TAVRO_SERVER_BASE_DEFAULT
#define TAVRO_SERVER_BASE_DEFAULT "https://download.tavro.example/tvsuite/"
#endif

QString serverBaseUrl()
{
    QString base = qEnvironmentVariable("TAVRO_SERVER_BASE").trimmed();
    if (base.isEmpty())
        base = QStringLiteral(TAVRO_SERVER_BASE_DEFAULT);
    if (!base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base;
}
