// Build-time tool: merges translation source files (.ts) into one compiled
// catalogue (.qm) in Qt's binary format.
//
//   tavro_qmcompiler -o out.qm in1.ts [in2.ts ...]
//
// Unlike lrelease it keeps entries whose translation is the empty text, so
// that such a source text shows nothing at run time instead of itself. Every
// message is stored, except those marked type="unfinished", "obsolete" or
// "vanished". The same (context, source, comment) twice is an error.

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>
#include <QXmlStreamReader>

#include <algorithm>
#include <cstdio>

namespace {

struct Message
{
    QByteArray context;
    QByteArray source;
    QByteArray comment;
    QString translation;
};

// Binary layout of a catalogue: a magic number followed by tagged sections.
const uchar kMagic[16] = {0x3C, 0xB8, 0x64, 0x18, 0xCA, 0xEF, 0x9C, 0x95,
                          0xCD, 0x21, 0x1C, 0xBF, 0x60, 0xA1, 0xBD, 0xDD};
enum : uchar { SectionHashes = 0x42, SectionMessages = 0x69, SectionLanguage = 0xA7 };
enum : uchar { TagEnd = 1, TagTranslation = 3, TagSourceText = 6, TagContext = 7, TagComment = 8 };

// The hash under which the run-time lookup searches a message.
quint32 elfHash(const QByteArray &text)
{
    quint32 h = 0;
    for (const char c : text) {
        h = (h << 4) + uchar(c);
        const quint32 g = h & 0xF0000000u;
        if (g)
            h ^= g >> 24;
        h &= ~g;
    }
    return h ? h : 1;
}

void put32(QByteArray &out, quint32 v)
{
    out.append(char(v >> 24)).append(char(v >> 16)).append(char(v >> 8)).append(char(v));
}

void putBytes(QByteArray &out, uchar tag, const QByteArray &bytes)
{
    out.append(char(tag));
    put32(out, quint32(bytes.size()));
    out.append(bytes);
}

void putUtf16(QByteArray &out, uchar tag, const QString &text)
{
    out.append(char(tag));
    put32(out, quint32(text.size() * 2));
    for (const QChar ch : text)
        out.append(char(ch.unicode() >> 8)).append(char(ch.unicode() & 0xFF));
}

bool fail(const QString &text)
{
    std::fprintf(stderr, "qmcompiler: %s\n", qPrintable(text));
    return false;
}

bool isSkippedType(const QXmlStreamAttributes &attrs)
{
    const QStringRef type = attrs.value(QLatin1String("type"));
    return type == QLatin1String("unfinished") || type == QLatin1String("obsolete")
           || type == QLatin1String("vanished");
}

bool readTs(const QString &path, QVector<Message> &messages, QString &language)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));

    QXmlStreamReader xml(&file);
    QByteArray context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("TS")) {
            if (language.isEmpty())
                language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText().toUtf8();
        } else if (name == QLatin1String("message")) {
            if (xml.attributes().value(QLatin1String("numerus")) == QLatin1String("yes"))
                return fail(QStringLiteral("%1:%2: plural forms are not supported")
                                .arg(path).arg(xml.lineNumber()));
            Message msg;
            msg.context = context;
            bool hasSource = false;
            bool hasTranslation = false;
            bool skipped = false;
            while (xml.readNextStartElement()) {
                const QStringRef field = xml.name();
                if (field == QLatin1String("source")) {
                    msg.source = xml.readElementText().toUtf8();
                    hasSource = true;
                } else if (field == QLatin1String("comment")) {
                    msg.comment = xml.readElementText().toUtf8();
                } else if (field == QLatin1String("translation")) {
                    skipped = isSkippedType(xml.attributes());
                    // An empty translation is kept: it shows the empty text.
                    msg.translation = xml.readElementText();
                    hasTranslation = true;
                } else {
                    xml.skipCurrentElement();
                }
            }
            if (!hasSource || !hasTranslation)
                return fail(QStringLiteral("%1:%2: message without source or translation")
                                .arg(path).arg(xml.lineNumber()));
            if (!skipped)
                messages.append(msg);
        }
    }
    if (xml.hasError())
        return fail(QStringLiteral("%1:%2: %3").arg(path).arg(xml.lineNumber()).arg(xml.errorString()));
    return true;
}

QByteArray buildCatalogue(const QVector<Message> &messages, const QString &language)
{
    QByteArray messageData;
    QVector<QPair<quint32, quint32>> hashes; // (hash, offset into the message section)
    for (const Message &msg : messages) {
        hashes.append(qMakePair(elfHash(msg.source + msg.comment), quint32(messageData.size())));
        putUtf16(messageData, TagTranslation, msg.translation);
        putBytes(messageData, TagComment, msg.comment);
        putBytes(messageData, TagSourceText, msg.source);
        putBytes(messageData, TagContext, msg.context);
        messageData.append(char(TagEnd));
    }
    // The lookup is a binary search over the hashes.
    std::sort(hashes.begin(), hashes.end());
    QByteArray hashData;
    for (const auto &entry : hashes) {
        put32(hashData, entry.first);
        put32(hashData, entry.second);
    }

    QByteArray out(reinterpret_cast<const char *>(kMagic), sizeof kMagic);
    if (!language.isEmpty())
        putBytes(out, SectionLanguage, language.toUtf8());
    if (!hashes.isEmpty()) {
        putBytes(out, SectionHashes, hashData);
        putBytes(out, SectionMessages, messageData);
    }
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString output;
    const int o = args.indexOf(QStringLiteral("-o"));
    if (o >= 0 && o + 1 < args.size()) {
        output = args.at(o + 1);
        args.erase(args.begin() + o, args.begin() + o + 2);
    }
    if (output.isEmpty() || args.isEmpty()) {
        std::fprintf(stderr, "usage: qmcompiler -o out.qm in.ts [in.ts ...]\n");
        return 2;
    }

    QVector<Message> messages;
    QString language;
    for (const QString &path : qAsConst(args)) {
        if (!readTs(path, messages, language))
            return 1;
    }

    QSet<QByteArray> keys;
    for (const Message &msg : qAsConst(messages)) {
        const QByteArray key = msg.context + '\0' + msg.source + '\0' + msg.comment;
        if (keys.contains(key)) {
            fail(QStringLiteral("duplicate entry in context %1: \"%2\"")
                     .arg(QString::fromUtf8(msg.context), QString::fromUtf8(msg.source)));
            return 1;
        }
        keys.insert(key);
    }

    QSaveFile file(output);
    if (!file.open(QIODevice::WriteOnly)) {
        fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
        return 1;
    }
    file.write(buildCatalogue(messages, language));
    if (!file.commit()) {
        fail(QStringLiteral("cannot write %1: %2").arg(output, file.errorString()));
        return 1;
    }
    return 0;
}
