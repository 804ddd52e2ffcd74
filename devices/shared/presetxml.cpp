#include "presetxml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstring>

#include "presets/xmlbytetable.h"

namespace presetxml {

int SSection::size() const
{
    switch (kind) {
    case Groups: return groups * items * fields;
    case Rows: return items * fields;
    case Pool: return fields;
    case Byte:
    case SignedByte: return 1;
    case List: return items;
    }
    return 0;
}

namespace {

const QString kGroup = QStringLiteral("Group");

void writeValue(QXmlStreamWriter &w, const QString &name, uchar value)
{
    w.writeTextElement(name, QString::number(value));
}

void writeSection(QXmlStreamWriter &w, const uchar *block, const SSection &s)
{
    const uchar *p = block + s.offset;
    const QString item = QLatin1String(s.itemPrefix ? s.itemPrefix : "");
    const QString field = QLatin1String(s.fieldPrefix ? s.fieldPrefix : "");
    switch (s.kind) {
    case SSection::Groups:
        w.writeStartElement(QLatin1String(s.name));
        for (int g = 0; g < s.groups; ++g) {
            w.writeStartElement(kGroup + QString::number(g));
            for (int n = 0; n < s.items; ++n) {
                w.writeStartElement(item + QString::number(n));
                for (int c = 0; c < s.fields; ++c)
                    writeValue(w, field + QString::number(c), p[(g * s.items + n) * s.fields + c]);
                w.writeEndElement();
            }
            w.writeEndElement();
        }
        w.writeEndElement();
        break;
    case SSection::Rows:
        w.writeStartElement(QLatin1String(s.name));
        for (int r = 0; r < s.items; ++r) {
            w.writeStartElement(item + QString::number(r));
            for (int c = 0; c < s.fields; ++c)
                writeValue(w, field + QString::number(c), p[r * s.fields + c]);
            w.writeEndElement();
        }
        w.writeEndElement();
        break;
    case SSection::Pool: {
        w.writeStartElement(QLatin1String(s.name));
        const QByteArray pool(reinterpret_cast<const char *>(p), s.fields);
        w.writeTextElement(QStringLiteral("Data"), QString::fromLatin1(pool.toBase64()));
        w.writeEndElement();
        break;
    }
    case SSection::Byte:
        writeValue(w, QLatin1String(s.name), p[0]);
        break;
    case SSection::SignedByte:
        w.writeTextElement(QLatin1String(s.name), QString::number(qint8(p[0])));
        break;
    case SSection::List:
        w.writeStartElement(QLatin1String(s.name));
        for (int n = 0; n < s.items; ++n)
            writeValue(w, item + QString::number(n), p[n]);
        w.writeEndElement();
        break;
    }
}

// The table readers read a token or two past a table's end; the wrapper's end
// tags take those reads, so that they never run past the document's end.
constexpr int kWrapDepth = 4;

// The whole current element, start tag to end tag, as a text of its own
// inside kWrapDepth wrapper elements: the main reader then stands on its end
// tag whatever the element holds.
QByteArray takeElement(QXmlStreamReader &xml)
{
    QByteArray text;
    QXmlStreamWriter w(&text);
    for (int i = 0; i < kWrapDepth; ++i)
        w.writeStartElement(QStringLiteral("w"));
    w.writeCurrentToken(xml);
    int depth = 1;
    while (depth > 0 && !xml.atEnd()) {
        xml.readNext();
        if (xml.hasError())
            break;
        w.writeCurrentToken(xml);
        if (xml.isStartElement())
            ++depth;
        else if (xml.isEndElement())
            --depth;
    }
    for (int i = 0; i < kWrapDepth; ++i)
        w.writeEndElement();
    return text;
}

// Reads one section from a reader that has just read its start tag.
void readSection(QXmlStreamReader &xml, uchar *block, const SSection &s)
{
    uchar *p = block + s.offset;
    const QString item = QLatin1String(s.itemPrefix ? s.itemPrefix : "");
    const QString field = QLatin1String(s.fieldPrefix ? s.fieldPrefix : "");
    switch (s.kind) {
    case SSection::Groups:
        readXmlByteTable(xml, p, s.groups, s.items, s.fields, kGroup, item, field);
        break;
    case SSection::Rows:
        readXmlByteTable(xml, p, s.items, s.fields, item, field);
        break;
    case SSection::Pool:
        // The first child, when it is Data; anything else leaves the pool alone.
        if (xml.readNextStartElement() && xml.name() == QLatin1String("Data")) {
            const QByteArray decoded = QByteArray::fromBase64(xml.readElementText().toUtf8());
            const int n = std::min(decoded.size(), s.fields);
            std::memcpy(p, decoded.constData(), size_t(n));
            std::memset(p + n, 0, size_t(s.fields - n));
        }
        break;
    case SSection::Byte:
        p[0] = xmlbytetable::readByteValue(xml);
        break;
    case SSection::SignedByte: {
        bool ok = false;
        const int value = xml.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement).trimmed().toInt(&ok, 10);
        p[0] = ok ? uchar(value & 0xFF) : 0;
        break;
    }
    case SSection::List: {
        // The children named by the prefix fill the bytes in their order (the
        // number in a name is not read); others are passed over, and children
        // beyond the list's length are ignored.
        int n = 0;
        while (xml.readNextStartElement()) {
            if (n < s.items && xmlbytetable::nameMatches(xml, item))
                p[n++] = xmlbytetable::readByteValue(xml);
            else
                xml.skipCurrentElement();
        }
        break;
    }
    }
}

const SSection *sectionNamed(const QStringRef &name, const SSection *sections, int count)
{
    for (int i = 0; i < count; ++i) {
        if (name == QLatin1String(sections[i].name))
            return &sections[i];
    }
    return nullptr;
}

} // namespace

QByteArray writeXml(const uchar *block, const SSection *sections, int count)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(4);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("Preset"));
    w.writeStartElement(QStringLiteral("ConfigData"));
    for (int i = 0; i < count; ++i)
        writeSection(w, block, sections[i]);
    w.writeEndElement(); // ConfigData
    w.writeEndElement(); // Preset
    w.writeEndDocument();
    return xml;
}

bool readXml(const QByteArray &text, uchar *block, const SSection *sections, int count, QString *error)
{
    QXmlStreamReader xml(text);
    QString sectionError;
    while (!xml.atEnd() && !xml.hasError() && sectionError.isEmpty()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() != QLatin1String("ConfigData"))
            continue;
        while (sectionError.isEmpty() && xml.readNextStartElement()) {
            const SSection *s = sectionNamed(xml.name(), sections, count);
            if (!s) {
                xml.skipCurrentElement();
                continue;
            }
            const qint64 line = xml.lineNumber();
            const QByteArray element = takeElement(xml);
            if (xml.hasError())
                break;
            QXmlStreamReader one(element);
            for (int i = 0; i <= kWrapDepth; ++i)
                one.readNextStartElement();
            readSection(one, block, *s);
            if (one.hasError())
                sectionError = one.errorString() + QStringLiteral(" line:") + QString::number(line);
        }
    }
    if (xml.hasError() || !sectionError.isEmpty()) {
        if (error)
            *error = !sectionError.isEmpty()
                         ? sectionError
                         : xml.errorString() + QStringLiteral(" line:") + QString::number(xml.lineNumber());
        return false;
    }
    return true;
}

} // namespace presetxml
