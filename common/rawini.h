// Reads an ini file from the download server as the server wrote it: every
// value is the text after the first "=" of its line, trimmed, and nothing
// more (no list splitting at commas, no quotes or escapes taken away, ";"
// and "#" start a comment only at the start of a line). Groups and keys are
// case-sensitive; a later key of the same name replaces an earlier one.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Whether a body can be an index at all: text (no NUL nor other control
// byte but tab, line feed, form feed and carriage return) that does not open
// as markup (its first character, after a byte order mark and blanks, is not
// "<"). An empty body is an index without keys. A web page, binary data or
// UTF-16 answered in an index's place is none; an index saved in an old code
// page is one.
bool isIndexText(const QByteArray &body);

// The characters of an index body, without its byte order mark: UTF-8 when
// the body is valid UTF-8, otherwise Latin-1 (a byte is the character of its
// value), so that a name written in Latin-1 shows as written.
QString indexText(const QByteArray &body);

class RawIni
{
public:
    RawIni() = default;
    // An unreadable file reads as an empty one.
    explicit RawIni(const QString &path);
    static RawIni fromText(const QByteArray &text);

    // No key at all, in any group.
    bool isEmpty() const;
    // The keys of a group, in the order the settings store lists them
    // (sorted); keys before any group header are in the group "".
    QStringList keys(const QString &group) const;
    QString value(const QString &group, const QString &key) const;

private:
    QMap<QString, QMap<QString, QString>> m_groups;
};
