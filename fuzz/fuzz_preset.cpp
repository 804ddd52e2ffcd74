// Feeds arbitrary bytes to a model's preset-file reader (the adapter of
// fuzz_preset.h). The first byte chooses the road:
//   - bit 1 set, for a model with an older road: the rest, cut or padded with
//     zeros to the older image's length, packed behind the header, so that
//     every such input reaches that page's load of a body of its one length;
//   - otherwise odd: the rest is the body (the XML text, or a pedal's image,
//     cut or padded with zeros to the image's length), packed behind the
//     model's header first, so the body's reader is reached without the
//     fuzzer having to find zlib streams or hit one length;
//   - otherwise even: the rest is a whole file as read from disk.
// Checks: a refused file leaves the block as it was; an accepted one passes
// the model's checks and comes back unchanged through the writer.
//
// Asked through the environment, the target writes its seeds
// (PRESET_WRITE_SEEDS=<folder>) or its dictionary (PRESET_WRITE_DICT=<file>)
// and ends. The dictionary is taken from the adapter's writer: the header, the
// declared length and the zlib stream's first bytes of its file, the older
// image's length, and the XML declaration, indent and every element of the
// XML seeds.
#include "fuzz/fuzz_preset.h"

#include "common/devicelist.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QtEndian>
#include <QtGlobal>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

void writeSeeds(const QString &dir)
{
    for (const auto &seed : fuzzpreset::reader().seeds()) {
        QFile f(QDir(dir).filePath(QString::fromLatin1(seed.name)));
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray(1, seed.older ? '\2' : seed.xml ? '\1' : '\0') + seed.bytes);
    }
}

// One dictionary entry: printable ASCII as it is, the rest, quotes and
// backslashes as \xNN.
QByteArray dictEntry(const QByteArray &word)
{
    QByteArray line = "\"";
    for (const char c : word) {
        const uchar u = uchar(c);
        if (u >= 0x20 && u < 0x7F && c != '"' && c != '\\')
            line += c;
        else
            line += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0').toUpper();
    }
    return line + "\"\n";
}

QByteArray bigEndian32(quint32 n)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(n, bytes.data());
    return bytes;
}

QByteArray dictionary(const fuzzpreset::SReader &r)
{
    QList<QByteArray> words;
    const QByteArray file = r.encode(r.startBlock);
    words << r.header << file.mid(r.header.size(), 4) << file.mid(r.header.size() + 4, 2);
    if (r.olderSize > 0)
        words << bigEndian32(quint32(r.olderSize));
    const QRegularExpression declaration(QStringLiteral("^<\\?xml[^>]*\\?>"));
    const QRegularExpression element(QStringLiteral("</?([A-Za-z_][A-Za-z0-9_.-]*)"));
    for (const auto &seed : r.seeds()) {
        // An XML body starts with its declaration (a pedal's image body is
        // no text at all).
        const QString text = QString::fromUtf8(seed.bytes);
        const QRegularExpressionMatch head = declaration.match(text);
        if (!seed.xml || seed.older || !head.hasMatch())
            continue;
        words << head.captured().toUtf8();
        const QRegularExpressionMatch indent = QRegularExpression(QStringLiteral("\n( +)<")).match(text);
        if (indent.hasMatch())
            words << indent.captured(1).toUtf8();
        for (auto it = element.globalMatch(text); it.hasNext();) {
            const QByteArray name = it.next().captured(1).toUtf8();
            words << "<" + name + ">" << "</" + name + ">";
        }
    }
    QByteArray out;
    QSet<QByteArray> seen;
    for (const QByteArray &w : words) {
        if (!w.isEmpty() && !seen.contains(w)) {
            seen.insert(w);
            out += dictEntry(w);
        }
    }
    return out;
}

bool writeDictionary(const QString &path)
{
    QFile f(path);
    const QByteArray text = dictionary(fuzzpreset::reader());
    return f.open(QIODevice::WriteOnly) && f.write(text) == text.size();
}

// The packing header must be the one the model's writer puts in front of its
// files. An empty one (taken before the device list was set) or another one
// gets every packed body refused at the header check, so the body's reader
// would see none of the fuzzer's inputs: such a target does not start.
bool headerUsable(const fuzzpreset::SReader &r)
{
    if (r.header.isEmpty()) {
        std::fprintf(stderr, "fuzz_preset: the model's file header is empty (taken before the device list was "
                             "set?); a packed body would never reach the reader\n");
        return false;
    }
    if (!r.encode(r.startBlock).startsWith(r.header)) {
        std::fprintf(stderr, "fuzz_preset: the model's writer does not start its files with the header \"%s\"\n",
                     r.header.constData());
        return false;
    }
    return true;
}

// bytes cut or padded with zeros to size; as they are when size is 0.
QByteArray sizedTo(const QByteArray &bytes, int size)
{
    if (size <= 0)
        return bytes;
    return bytes.left(size) + QByteArray(qMax(0, size - bytes.size()), '\0');
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    if (!headerUsable(fuzzpreset::reader()))
        std::exit(2);
    const QByteArray seedDir = qgetenv("PRESET_WRITE_SEEDS");
    if (!seedDir.isEmpty()) {
        writeSeeds(QString::fromLocal8Bit(seedDir));
        std::exit(0);
    }
    const QByteArray dictPath = qgetenv("PRESET_WRITE_DICT");
    if (!dictPath.isEmpty())
        std::exit(writeDictionary(QString::fromLocal8Bit(dictPath)) ? 0 : 1);
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0 || size > 1 << 20)
        return 0;
    const fuzzpreset::SReader &r = fuzzpreset::reader();
    const QByteArray rest(reinterpret_cast<const char *>(data) + 1, int(size - 1));
    if ((data[0] & 2) && r.older) {
        const QByteArray body = sizedTo(rest, r.olderSize);
        r.older(r.header + qCompress(body, 9), body);
        return 0;
    }
    const QByteArray file = (data[0] & 1) ? r.header + qCompress(sizedTo(rest, r.bodySize), 9) : rest;

    QByteArray block = r.startBlock;
    block.detach();
    if (!r.decode(file, block)) {
        if (block != r.startBlock)
            abort();
        return 0;
    }
    if (block.size() != r.startBlock.size() || (r.accepted && !r.accepted(block)))
        abort();
    QByteArray again(block.size(), '\0');
    if (!r.decode(r.encode(block), again) || again != block)
        abort();
    return 0;
}
