#include "rz7presetfile.h"

#include "common/devicelist.h"
#include "presets/xmlbytetable.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <algorithm>
#include <cstring>

#include <zlib.h>

namespace rz7 {

namespace {

constexpr uchar kPresetModel = 7;

// Block offsets of the sections.
constexpr int kKnobDataAt = 0;
constexpr int kPadDataAt = 120;
constexpr int kPadRgbAt = 312;
constexpr int kKeyDataAt = 456;
constexpr int kKeyLongDataAt = 480;
constexpr int kKnobModeRgbAt = 504;
constexpr int kPadModeRgbAt = 513;
constexpr int kPoolAt = 522;
constexpr int kCrcAt = 822;

static_assert(offsetof(SRZ7ConfigData, KnobData) == kKnobDataAt, "KnobData offset");
static_assert(offsetof(SRZ7ConfigData, PadData) == kPadDataAt, "PadData offset");
static_assert(offsetof(SRZ7ConfigData, PadRGB) == kPadRgbAt, "PadRGB offset");
static_assert(offsetof(SRZ7ConfigData, KeyData) == kKeyDataAt, "KeyData offset");
static_assert(offsetof(SRZ7ConfigData, KeyLongData) == kKeyLongDataAt, "KeyLongData offset");
static_assert(offsetof(SRZ7ConfigData, KnobModeRGB) == kKnobModeRgbAt, "KnobModeRGB offset");
static_assert(offsetof(SRZ7ConfigData, PadModeRGB) == kPadModeRgbAt, "PadModeRGB offset");
static_assert(offsetof(SRZ7ConfigData, SysexPool) == kPoolAt, "SysexPool offset");
static_assert(offsetof(SRZ7ConfigData, CRC) == kCrcAt, "CRC offset");

const uchar *bytesOf(const SRZ7ConfigData &block)
{
    return reinterpret_cast<const uchar *>(&block);
}

uchar *bytesOf(SRZ7ConfigData &block)
{
    return reinterpret_cast<uchar *>(&block);
}

// ---- writing ------------------------------------------------------------------

void writeValue(QXmlStreamWriter &w, const QString &name, uchar value)
{
    w.writeTextElement(name, QString::number(value));
}

void writeTable2(QXmlStreamWriter &w, const char *section, const uchar *data, int rows, int cols,
                 const char *rowName, const char *colName)
{
    w.writeStartElement(QLatin1String(section));
    for (int r = 0; r < rows; ++r) {
        w.writeStartElement(QLatin1String(rowName) + QString::number(r));
        for (int c = 0; c < cols; ++c)
            writeValue(w, QLatin1String(colName) + QString::number(c), data[r * cols + c]);
        w.writeEndElement();
    }
    w.writeEndElement();
}

void writeTable3(QXmlStreamWriter &w, const char *section, const uchar *data, int groups, int items, int fields,
                 const char *itemName, const char *fieldName)
{
    w.writeStartElement(QLatin1String(section));
    for (int g = 0; g < groups; ++g) {
        w.writeStartElement(QStringLiteral("Group") + QString::number(g));
        for (int n = 0; n < items; ++n) {
            w.writeStartElement(QLatin1String(itemName) + QString::number(n));
            for (int c = 0; c < fields; ++c)
                writeValue(w, QLatin1String(fieldName) + QString::number(c), data[(g * items + n) * fields + c]);
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
}

// ---- reading ------------------------------------------------------------------

// The table readers work on arrays of bytes; the block's tables are arrays of
// records, so each table goes through a copy of its bytes.
template <int G, int N, int C>
void readTable3(QXmlStreamReader &xml, uchar *bytes, const char *groupPrefix, const char *itemPrefix,
                const char *fieldPrefix)
{
    quint8 table[G][N][C];
    std::memcpy(table, bytes, sizeof table);
    readXmlByteTable<G, N, C>(xml, table, QLatin1String(groupPrefix), QLatin1String(itemPrefix),
                              QLatin1String(fieldPrefix));
    std::memcpy(bytes, table, sizeof table);
}

template <int R, int C>
void readTable2(QXmlStreamReader &xml, uchar *bytes, const char *rowPrefix, const char *colPrefix)
{
    quint8 table[R][C];
    std::memcpy(table, bytes, sizeof table);
    readXmlByteTable<R, C>(xml, table, QLatin1String(rowPrefix), QLatin1String(colPrefix));
    std::memcpy(bytes, table, sizeof table);
}

void readPool(QXmlStreamReader &xml, uchar *pool)
{
    // An empty section: the reader now stands on its end tag.
    if (!xml.readNextStartElement())
        return;
    if (xml.name() == QLatin1String("Data")) {
        const QByteArray decoded = QByteArray::fromBase64(xml.readElementText().toUtf8());
        const int n = std::min(decoded.size(), int(kPoolSize));
        std::memcpy(pool, decoded.constData(), size_t(n));
        std::memset(pool + n, 0, kPoolSize - size_t(n));
    } else {
        xml.skipCurrentElement();
    }
    xml.skipCurrentElement();
}

// The sections inside ConfigData, in any order; unknown elements are skipped.
void readSections(QXmlStreamReader &xml, uchar *p)
{
    while (xml.readNextStartElement()) {
        const QStringRef name = xml.name();
        if (name == QLatin1String("KnobData")) {
            readTable3<kKnobGroups, kKnobsPerGroup, 5>(xml, p + kKnobDataAt, "Group", "Knob", "Data");
            xml.skipCurrentElement();
        } else if (name == QLatin1String("PadData")) {
            readTable3<kPadBanks, kPadsPerBank, 4>(xml, p + kPadDataAt, "Group", "Pad", "Data");
            xml.skipCurrentElement();
        } else if (name == QLatin1String("PadRGB")) {
            readTable3<kPadBanks, kPadsPerBank, 3>(xml, p + kPadRgbAt, "Group", "Pad", "Color");
            xml.skipCurrentElement();
        } else if (name == QLatin1String("KeyData")) {
            readTable2<kKeys, 4>(xml, p + kKeyDataAt, "Key", "Data");
            xml.skipCurrentElement();
        } else if (name == QLatin1String("KeyLongData")) {
            readTable2<kKeys, 4>(xml, p + kKeyLongDataAt, "Key", "Data");
            xml.skipCurrentElement();
        } else if (name == QLatin1String("KnobModeRGB")) {
            readTable2<kKnobGroups, 3>(xml, p + kKnobModeRgbAt, "Group", "Color");
            xml.skipCurrentElement();
        } else if (name == QLatin1String("PadModeRGB")) {
            readTable2<kPadBanks, 3>(xml, p + kPadModeRgbAt, "Group", "Color");
            xml.skipCurrentElement();
        } else if (name == QLatin1String("SysexPool")) {
            readPool(xml, p + kPoolAt);
        } else if (name == QLatin1String("CRC")) {
            p[kCrcAt] = xmlbytetable::readByteValue(xml);
        } else {
            xml.skipCurrentElement();
        }
    }
}

// A zlib stream starts with CMF (method 8, window at most 32 KiB) and FLG, and
// CMF * 256 + FLG is a multiple of 31.
bool looksLikeZlib(uchar cmf, uchar flg)
{
    return (cmf & 0x0F) == 8 && (cmf >> 4) <= 7 && (uint(cmf) * 256 + flg) % 31 == 0;
}

enum class InflateResult { Ok, Corrupt, TooLarge };

// Inflates one zlib stream into out, giving up as soon as it would produce
// more than maxOut bytes. qUncompress trusts the declared length and keeps
// doubling its buffer while a stream runs on, up to 2 GB for a cut or crafted
// file; this never holds more than maxOut plus one chunk.
InflateResult inflateBounded(const uchar *data, int len, int maxOut, QByteArray *out)
{
    z_stream zs;
    std::memset(&zs, 0, sizeof zs);
    if (inflateInit(&zs) != Z_OK)
        return InflateResult::Corrupt;
    zs.next_in = const_cast<Bytef *>(data);
    zs.avail_in = uInt(len);
    out->clear();
    char chunk[16384];
    InflateResult result = InflateResult::Corrupt;
    for (;;) {
        zs.next_out = reinterpret_cast<Bytef *>(chunk);
        zs.avail_out = uInt(sizeof chunk);
        const int ret = inflate(&zs, Z_NO_FLUSH);
        const int produced = int(sizeof chunk - zs.avail_out);
        if (ret != Z_OK && ret != Z_STREAM_END)
            break; // corrupt, or cut off before its end (Z_BUF_ERROR)
        if (out->size() + produced > maxOut) {
            result = InflateResult::TooLarge;
            break;
        }
        out->append(chunk, produced);
        if (ret == Z_STREAM_END) {
            result = InflateResult::Ok;
            break;
        }
    }
    inflateEnd(&zs);
    if (result != InflateResult::Ok)
        out->clear();
    return result;
}

// Unbuffered, so that a failing write shows in write() itself: a buffered
// QSaveFile that fails only while flushing at commit() still puts the short
// file in place of the old one.
bool openForSave(QSaveFile &file)
{
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

bool commitSave(QSaveFile &file)
{
    return file.error() == QFileDevice::NoError && file.commit();
}

bool refInsidePool(const SControlRecord &rec)
{
    const SSysexRef ref = rec.sysexRef();
    return uint(ref.offset()) + ref.length <= kPoolSize;
}

} // namespace

QString presetLoadMessage(PresetLoadResult result)
{
    switch (result) {
    case PresetLoadResult::CannotOpen:
        return QStringLiteral("0000");
    case PresetLoadResult::WrongHeader:
        return QStringLiteral("1111");
    case PresetLoadResult::NoBody:
        return QStringLiteral("2222");
    case PresetLoadResult::NotCompressed:
    case PresetLoadResult::CorruptBody:
    case PresetLoadResult::Oversized:
    case PresetLoadResult::SysexOutsidePool:
        return QStringLiteral("3333");
    case PresetLoadResult::Ok:
    case PresetLoadResult::XmlError:
        break;
    }
    return QString();
}

QByteArray presetFileHeader()
{
    return deviceNameById(kPresetModel).toUtf8();
}

QByteArray presetXml(const SRZ7ConfigData &block)
{
    const uchar *p = bytesOf(block);
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(4);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("Preset"));
    w.writeStartElement(QStringLiteral("ConfigData"));
    writeTable3(w, "KnobData", p + kKnobDataAt, kKnobGroups, kKnobsPerGroup, 5, "Knob", "Data");
    writeTable3(w, "PadData", p + kPadDataAt, kPadBanks, kPadsPerBank, 4, "Pad", "Data");
    writeTable3(w, "PadRGB", p + kPadRgbAt, kPadBanks, kPadsPerBank, 3, "Pad", "Color");
    writeTable2(w, "KeyData", p + kKeyDataAt, kKeys, 4, "Key", "Data");
    writeTable2(w, "KeyLongData", p + kKeyLongDataAt, kKeys, 4, "Key", "Data");
    writeTable2(w, "KnobModeRGB", p + kKnobModeRgbAt, kKnobGroups, 3, "Group", "Color");
    writeTable2(w, "PadModeRGB", p + kPadModeRgbAt, kPadBanks, 3, "Group", "Color");
    w.writeStartElement(QStringLiteral("SysexPool"));
    const QByteArray pool(reinterpret_cast<const char *>(p + kPoolAt), int(kPoolSize));
    w.writeTextElement(QStringLiteral("Data"), QString::fromLatin1(pool.toBase64()));
    w.writeEndElement();
    writeValue(w, QStringLiteral("CRC"), p[kCrcAt]);
    w.writeEndElement(); // ConfigData
    w.writeEndElement(); // Preset
    w.writeEndDocument();
    return xml;
}

QByteArray presetFileBytes(const SRZ7ConfigData &block)
{
    return presetFileHeader() + qCompress(presetXml(block), 9);
}

bool readPresetXml(const QByteArray &xmlText, SRZ7ConfigData &block, QString *error)
{
    QXmlStreamReader xml(xmlText);
    while (!xml.atEnd() && !xml.hasError()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("ConfigData"))
            readSections(xml, bytesOf(block));
    }
    if (xml.hasError()) {
        if (error)
            *error = xml.errorString() + QStringLiteral(" line:") + QString::number(xml.lineNumber());
        return false;
    }
    return true;
}

bool sysexRefsInsidePool(const SRZ7ConfigData &block)
{
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyData[k].mode() == kKeySysexMode && !refInsidePool(block.KeyData[k]))
            return false;
        if (block.KeyLongData[k].mode() == kKeySysexMode && !refInsidePool(block.KeyLongData[k]))
            return false;
    }
    for (uint b = 0; b < kPadBanks; ++b) {
        for (uint i = 0; i < kPadsPerBank; ++i) {
            if (block.PadData[b][i].mode() == kPadSysexMode && !refInsidePool(block.PadData[b][i]))
                return false;
        }
    }
    return true;
}

PresetLoadResult decodePresetFile(const QByteArray &file, SRZ7ConfigData &block, QString *error)
{
    // The model name, compared up to the first zero byte of the file's bytes.
    const QByteArray header = presetFileHeader();
    if (file.size() < header.size())
        return PresetLoadResult::WrongHeader;
    QByteArray head = file.left(header.size());
    const int zero = head.indexOf('\0');
    if (zero >= 0)
        head.truncate(zero);
    if (QString::fromUtf8(head) != QString::fromUtf8(header))
        return PresetLoadResult::WrongHeader;

    const int bodySize = file.size() - header.size();
    if (bodySize == 0)
        return PresetLoadResult::NoBody;
    if (bodySize > kMaxPresetBodySize)
        return PresetLoadResult::Oversized;
    const auto *body = reinterpret_cast<const uchar *>(file.constData()) + header.size();
    if (bodySize < 4)
        return PresetLoadResult::NotCompressed;
    // A declared length beyond any real preset is refused before anything is unpacked.
    const quint32 declared = (quint32(body[0]) << 24) | (quint32(body[1]) << 16) | (quint32(body[2]) << 8) | body[3];
    if (declared > quint32(kMaxPresetXmlSize))
        return PresetLoadResult::Oversized;
    if (bodySize < 6 || !looksLikeZlib(body[4], body[5]))
        return PresetLoadResult::NotCompressed;
    QByteArray xmlText;
    switch (inflateBounded(body + 4, bodySize - 4, kMaxPresetXmlSize, &xmlText)) {
    case InflateResult::Ok:
        break;
    case InflateResult::TooLarge: // a stream that unpacks to more than any preset
        return PresetLoadResult::Oversized;
    case InflateResult::Corrupt:
        return PresetLoadResult::CorruptBody;
    }
    if (xmlText.isEmpty())
        return PresetLoadResult::CorruptBody;

    SRZ7ConfigData loaded = block;
    if (!readPresetXml(xmlText, loaded, error))
        return PresetLoadResult::XmlError;
    if (!sysexRefsInsidePool(loaded))
        return PresetLoadResult::SysexOutsidePool;
    block = loaded;
    return PresetLoadResult::Ok;
}

PresetLoadResult readPresetFile(const QString &path, SRZ7ConfigData &block)
{
    qDebug().noquote() << "------------------" << path;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning("Cannot open file");
        return PresetLoadResult::CannotOpen;
    }
    // One byte more than the longest acceptable file tells a longer one apart.
    const qint64 limit = qint64(presetFileHeader().size()) + kMaxPresetBodySize + 1;
    const QByteArray bytes = file.read(limit);
    if (bytes.isEmpty() && file.error() != QFileDevice::NoError) {
        qWarning("Cannot open file");
        return PresetLoadResult::CannotOpen;
    }
    file.close();

    QString xmlError;
    const PresetLoadResult result = decodePresetFile(bytes, block, &xmlError);
    if (result == PresetLoadResult::XmlError)
        qWarning().noquote() << "XML error:" << xmlError;
    return result;
}

PresetSaveResult writePresetFile(const QString &path, const SRZ7ConfigData &block)
{
    const QByteArray header = presetFileHeader();
    const QByteArray body = qCompress(presetXml(block), 9);
    QSaveFile file(path);
    if (!openForSave(file)) {
        qDebug("couldn't open file write");
        return PresetSaveResult::CannotOpen;
    }
    // A short write counts as a failure; the old file is replaced only by commit().
    if (file.write(header) != header.size() || file.write(body) != body.size() || !commitSave(file)) {
        file.cancelWriting();
        return PresetSaveResult::WriteFailed;
    }
    return PresetSaveResult::Saved;
}

bool writeConfigBinFile(const QString &path, const SRZ7ConfigData &block)
{
    QSaveFile file(path);
    if (!openForSave(file))
        return false;
    const auto *data = reinterpret_cast<const char *>(&block);
    if (file.write(data, qint64(sizeof block)) != qint64(sizeof block) || !commitSave(file)) {
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace rz7
