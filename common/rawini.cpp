#include "rawini.h"

#include <QFile>
#include <QTextCodec>

namespace {

const char kUtf8Bom[] = "\xEF\xBB\xBF";

// Control bytes an ini text never holds: everything below a blank but tab,
// line feed, form feed and carriage return, and DEL. A NUL among them is
// what tells UTF-16 and binary data.
bool isControlByte(uchar b)
{
    return (b < 0x20 && b != '\t' && b != '\n' && b != '\f' && b != '\r') || b == 0x7F;
}

} // namespace

QString indexText(const QByteArray &body)
{
    QByteArray bytes = body;
    if (bytes.startsWith(kUtf8Bom))
        bytes.remove(0, 3);
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    // Written in an old code page (Latin-1, Windows-1252, GBK ...): every
    // byte is the character of its value, as an ini reader without a codec
    // takes it.
    return QString::fromLatin1(bytes);
}

bool isIndexText(const QByteArray &body)
{
    for (const char c : body) {
        if (isControlByte(uchar(c)))
            return false;
    }
    const QString text = indexText(body);
    for (const QChar c : text) {
        if (c.isSpace())
            continue;
        return c != QLatin1Char('<');
    }
    return true;
}

RawIni::RawIni(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        *this = fromText(file.readAll());
}

RawIni RawIni::fromText(const QByteArray &text)
{
    RawIni ini;
    QString group;
    const QString all = indexText(text);
    const QStringList lines = all.split(QLatin1Char('\n'));
    for (QString line : lines) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            const int close = line.indexOf(QLatin1Char(']'));
            if (close > 0)
                group = line.mid(1, close - 1).trimmed();
            continue;
        }
        const int eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed();
        if (!key.isEmpty())
            ini.m_groups[group].insert(key, line.mid(eq + 1).trimmed());
    }
    return ini;
}

bool RawIni::isEmpty() const
{
    for (const auto &keys : m_groups) {
        if (!keys.isEmpty())
            return false;
    }
    return true;
}

QStringList RawIni::keys(const QString &group) const
{
    return m_groups.value(group).keys();
}

QString RawIni::value(const QString &group, const QString &key) const
{
    return m_groups.value(group).value(key);
}
