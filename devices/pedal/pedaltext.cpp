#include "pedaltext.h"

#include <QStringList>

namespace pedal {

namespace {

QString hex2(int value)
{
    return QStringLiteral("%1").arg(value & 0xFF, 2, 16, QLatin1Char('0')).toUpper();
}

QString rowNumber(int row)
{
    return QStringLiteral("%1").arg(row + 1, 2, 10, QLatin1Char('0'));
}

int readHex(const QString &text)
{
    bool ok = false;
    const uint value = text.toUInt(&ok, 16);
    return ok ? int(value & 0xFF) : 0;
}

} // namespace

QString eventRowText(int row, quint8 channel, quint8 status, quint8 data1, quint8 data2)
{
    const QString first = hex2((status & 0xF0) + channel);
    const QString sep = QStringLiteral("   ");
    switch (status) {
    case 0xC0:
    case 0xD0:
    case 0xF1:
    case 0xF3:
        return QLatin1Char('[') + rowNumber(row) + QLatin1Char(']') + sep + first + sep + hex2(data1);
    case 0xF6:
    case 0xF8:
    case 0xFA:
    case 0xFB:
    case 0xFC:
    case 0xFE:
        return QLatin1Char('[') + rowNumber(row) + QLatin1Char(']') + sep + hex2(status);
    default:
        return QLatin1Char('[') + rowNumber(row) + QLatin1Char(']') + sep + first + sep + hex2(data1) + sep
               + hex2(data2);
    }
}

QString sysexRowText(const quint8 *bytes, int len)
{
    QString text;
    if (!bytes || len <= 0)
        return text;
    text.reserve(len * 3);
    for (int i = 0; i < len; ++i)
        text += hex2(bytes[i]) + QLatin1Char(' ');
    return text;
}

QString expressionRowText(int row, quint8 channel, quint8 controller, quint8 minimum, quint8 maximum)
{
    return QStringLiteral("[%1]  %2  %3  %4~%5")
        .arg(rowNumber(row), hex2(0xB0 | channel), hex2(controller), hex2(minimum), hex2(maximum));
}

std::array<int, 4> parseExpressionRowText(const QString &text)
{
    const QStringList fields = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (fields.size() < 4)
        return {0, 0, 0, 0};
    const QStringList range = fields[3].split(QLatin1Char('~'));
    return {readHex(fields[1]) & 0x0F, readHex(fields[2]), readHex(range.value(0)),
            range.size() > 1 ? readHex(range[1]) : 0};
}

quint8 displayFirstByte(quint8 stored, int row, bool dot)
{
    const quint8 code = row < 0 ? quint8(stored & 0x7F) : quint8(row & 0x7F);
    return quint8(code | (dot ? 0x80 : 0));
}

quint8 displaySecondByte(quint8 stored, int row)
{
    return row < 0 ? stored : quint8(row);
}

QByteArray parseHexPairs(const QString &text, int maxBytes)
{
    QByteArray bytes;
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || maxBytes <= 0)
        return bytes;
    const QStringList parts = trimmed.split(QLatin1Char(' '));
    for (const QString &part : parts) {
        if (bytes.size() >= maxBytes)
            break;
        bytes.append(char(readHex(part)));
    }
    return bytes;
}

} // namespace pedal
