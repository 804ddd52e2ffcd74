#include "utils.h"

#include "globals.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QTranslator>

QString byteToHex(quint8 b)
{
    static const char digits[] = "0123456789ABCDEF";
    const QChar pair[2] = {QLatin1Char(digits[b >> 4]), QLatin1Char(digits[b & 0x0F])};
    return QString(pair, 2);
}

QString bytesToHexString(const quint8 *data, quint16 len)
{
    QString text;
    if (!data || len == 0)
        return text;
    text.reserve(len * 3);
    for (quint16 i = 0; i < len; ++i) {
        if (i)
            text.append(QLatin1Char(' '));
        text.append(byteToHex(data[i]));
    }
    return text;
}

QStringList hexDigitPairs(const QString &text)
{
    QStringList pairs;
    QString group;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            continue;
        group += c;
        if (group.size() == 2) {
            pairs << group;
            group.clear();
        }
    }
    if (!group.isEmpty())
        pairs << group;
    return pairs;
}

QString inverseColorHex(quint8 r, quint8 g, quint8 b)
{
    return byteToHex(quint8(~r)) + byteToHex(quint8(~g)) + byteToHex(quint8(~b));
}

int numberAfterLastUnderscore(const QString &s)
{
    const int pos = s.lastIndexOf(QLatin1Char('_'));
    if (pos < 0)
        return 0;
    bool ok = false;
    const int value = s.mid(pos + 1).toInt(&ok, 10);
    return ok ? value : 0;
}

QByteArray hexDigitBytes(const QString &text)
{
    QByteArray bytes;
    for (const QString &group : hexDigitPairs(text))
        bytes.append(char(group.toUInt(nullptr, 16)));
    return bytes;
}

bool isValidMidiStream(const quint8 *data, quint16 len)
{
    if (len == 0)
        return true;
    if (!data)
        return false;

    bool inSysEx = false;
    uint i = 0;
    // True when the n bytes after position i exist and are data bytes.
    const auto dataBytesFollow = [&](uint n) {
        if (i + n >= len)
            return false;
        for (uint k = 1; k <= n; ++k) {
            if (data[i + k] >= 0x80)
                return false;
        }
        return true;
    };

    while (i < len) {
        const quint8 b = data[i];
        if (inSysEx) {
            if (b == 0xF7)
                inSysEx = false;
            else if (b >= 0x80)
                return false;
            ++i;
            continue;
        }
        if (b == 0xF0) {
            inSysEx = true;
            ++i;
        } else if (b == 0xF6 || b == 0xF8 || b == 0xFA || b == 0xFB || b == 0xFC || b == 0xFE) {
            ++i;
        } else if ((b >= 0xC0 && b <= 0xDF) || b == 0xF1 || b == 0xF3) {
            if (!dataBytesFollow(1))
                return false;
            i += 2;
        } else if ((b >= 0x80 && b <= 0xBF) || (b >= 0xE0 && b <= 0xEF) || b == 0xF2) {
            if (!dataBytesFollow(2))
                return false;
            i += 3;
        } else if (b == 0xF4 || b == 0xF5 || b == 0xF9 || b == 0xFD || b == 0xFF) {
            // Undefined or reset bytes: accepted as one-byte items.
            ++i;
        } else {
            // A data byte without a status (00..7F) or a lone F7.
            return false;
        }
    }
    return !inSysEx;
}

bool loadInterfaceCatalogue()
{
    if (!g_translator)
        return false;
    const bool loaded = g_translator->load(g_language == 1 ? QStringLiteral(":/Language/language_cn.qm")
                                                           : QStringLiteral(":/Language/language_en.qm"));
    QCoreApplication::removeTranslator(g_translator);
    QCoreApplication::installTranslator(g_translator);
    return loaded;
}

void loadQtBaseTranslator()
{
    const QString file = QCoreApplication::applicationDirPath()
                         + (g_language == 1 ? QStringLiteral("/translations/qtbase_zh_CN.qm")
                                            : QStringLiteral("/translations/qtbase_en.qm"));
    if (g_qtTranslator.load(file))
        QCoreApplication::installTranslator(&g_qtTranslator);
}

QString logFilePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/ConfigData/TaSuiteLog.txt");
}

bool writeLog(const QString &text)
{
    QFile file(logFilePath());
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir(folder).exists() && !QDir().mkpath(folder)) {
        qWarning() << "Cannot create the log folder" << folder;
        return false;
    }
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qWarning() << "Cannot open the log file:" << file.errorString();
        return false;
    }
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << QDateTime::currentDateTime().toString(QStringLiteral("[yyyy-MM-dd HH:mm:ss.zzz] "))
        << text << "\n";
    out.flush();
    file.close();
    return true;
}
