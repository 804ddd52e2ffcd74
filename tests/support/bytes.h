// Byte helpers for tests: hex text to bytes and back.
#pragma once

#include <QByteArray>
#include <QString>

namespace tavrotest {

// "78 59 11" -> bytes; blanks are ignored.
inline QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

inline QString toHex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

inline const unsigned char *u8(const QByteArray &bytes)
{
    return reinterpret_cast<const unsigned char *>(bytes.constData());
}

// A device frame put together here, independently of the editor's builders:
// 78 59, command, 24-bit little-endian length, payload, inverted sum.
inline QByteArray frameOf(unsigned char command, const QByteArray &payload)
{
    QByteArray f;
    f.append(char(0x78)).append(char(0x59)).append(char(command));
    const int n = payload.size();
    f.append(char(n & 0xFF)).append(char((n >> 8) & 0xFF)).append(char((n >> 16) & 0xFF));
    f.append(payload);
    unsigned sum = 0;
    for (char c : payload)
        sum += static_cast<unsigned char>(c);
    f.append(char(n == 0 ? 0xFF : static_cast<unsigned char>(~sum)));
    return f;
}

} // namespace tavrotest
