// Reader of the byte tables in the XML preset files of the pad and keyboard
// controllers. A table is a section element holding row elements (or groups of
// items) holding one element per byte with the byte's decimal value as text:
//
//     <PadData>
//         <Group0>
//             <Pad0>
//                 <Data0>22</Data0>
//                 ...
//
// Element names are matched by prefix only; a value's position comes from the
// order in which the start elements are met. The caller has just read the
// section's start element; afterwards the reader stands inside the section (on
// the end tag of the last row or group read, in the indented layout the
// writers produce) and the caller skips the rest with skipCurrentElement().
// Positions that receive no value keep what the table held before.
#pragma once

#include <QString>
#include <QXmlStreamReader>
#include <QtGlobal>

namespace xmlbytetable {

// True when the current start element's name begins with prefix (case-sensitive).
inline bool nameMatches(const QXmlStreamReader &xml, const QString &prefix)
{
    return xml.name().startsWith(prefix, Qt::CaseSensitive);
}

// Reads the current element's text as an unsigned 32-bit decimal number
// (white space around it allowed, a leading '+' accepted) and keeps the low
// 8 bits; anything that is not such a number gives 0.
inline quint8 readByteValue(QXmlStreamReader &xml)
{
    const QString text = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    bool ok = false;
    const uint value = text.trimmed().toUInt(&ok, 10);
    return ok ? quint8(value & 0xFFu) : quint8(0);
}

// Fills up to count fields of one row (or item) from the following start
// elements; every position is used up, whether its element matched or not.
inline void readFields(QXmlStreamReader &xml, quint8 *fields, int count, const QString &fieldPrefix)
{
    for (int c = 0; c < count; ++c) {
        if (!xml.readNextStartElement())
            return;
        if (nameMatches(xml, fieldPrefix))
            fields[c] = readByteValue(xml);
    }
}

} // namespace xmlbytetable

// Two levels: rows of columns bytes, row-major at table.
inline void readXmlByteTable(QXmlStreamReader &xml, quint8 *table, int rows, int columns, const QString &rowPrefix,
                             const QString &columnPrefix)
{
    for (int r = 0; r < rows; ++r) {
        if (!xml.readNextStartElement())
            return;
        if (!xmlbytetable::nameMatches(xml, rowPrefix))
            continue;
        xmlbytetable::readFields(xml, table + r * columns, columns, columnPrefix);
        // The white space after the last column and the row's end tag.
        xml.readNext();
        xml.readNext();
    }
}

// Three levels: groups of items of fields bytes, in that order at table.
inline void readXmlByteTable(QXmlStreamReader &xml, quint8 *table, int groups, int items, int fields,
                             const QString &groupPrefix, const QString &itemPrefix, const QString &fieldPrefix)
{
    for (int g = 0; g < groups; ++g) {
        if (!xml.readNextStartElement())
            return;
        if (!xmlbytetable::nameMatches(xml, groupPrefix))
            continue;
        for (int n = 0; n < items; ++n) {
            if (!xml.readNextStartElement())
                break;
            if (!xmlbytetable::nameMatches(xml, itemPrefix))
                continue;
            xmlbytetable::readFields(xml, table + (g * items + n) * fields, fields, fieldPrefix);
            xml.readNext();
            xml.readNext();
        }
        xml.readNext();
        xml.readNext();
    }
}

// The same over arrays: R rows of C bytes.
template <int R, int C>
void readXmlByteTable(QXmlStreamReader &xml, quint8 (&table)[R][C], const QString &rowPrefix,
                      const QString &columnPrefix)
{
    readXmlByteTable(xml, &table[0][0], R, C, rowPrefix, columnPrefix);
}

// G groups of N items of C bytes.
template <int G, int N, int C>
void readXmlByteTable(QXmlStreamReader &xml, quint8 (&table)[G][N][C], const QString &groupPrefix,
                      const QString &itemPrefix, const QString &fieldPrefix)
{
    readXmlByteTable(xml, &table[0][0][0], G, N, C, groupPrefix, itemPrefix, fieldPrefix);
}
