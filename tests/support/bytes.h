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

} // namespace tavrotest
