#include "rawini.h"

#include <QFile>
#include <QTextCodec>

bool isIndexText(const QByteArray &body)
{
    if (body.contains('\0'))
        return false;
    QTextCodec::ConverterState state;
    const QString text = QTextCodec::codecForName("UTF-8")->toUnicode(body.constData(), body.size(), &state);
    if (state.invalidChars > 0 || state.remainingChars > 0)
        return false;
    for (const QChar c : text) {
        if (c == QChar(0xFEFF) || c.isSpace())
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
    QString all = QString::fromUtf8(text);
    if (all.startsWith(QChar(0xFEFF)))
        all.remove(0, 1);
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
