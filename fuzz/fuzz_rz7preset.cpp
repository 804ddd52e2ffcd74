// Feeds arbitrary bytes to the pad controller's preset-file reader.
// An even first byte: the rest is a whole ".rzp" file as read from disk.
// An odd first byte: the rest is the XML text, packed into a file first, so the
// XML reader is reached without the fuzzer having to find zlib streams.
// Checks: a refused file leaves the block as it was; an accepted one has every
// SysEx reference inside the pool and comes back unchanged through the writer.
#include "devices/pad/rz7presetfile.h"

#include "common/devicelist.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

void quiet(QtMsgType, const QMessageLogContext &, const QString &) {}

SRZ7ConfigData startBlock()
{
    SRZ7ConfigData block;
    auto *p = reinterpret_cast<uchar *>(&block);
    for (uint i = 0; i < sizeof block; ++i)
        p[i] = uchar(7 * i + 3);
    // Nothing in SysEx mode, so that a file that leaves the records alone is loadable.
    for (auto &bank : block.PadData)
        for (auto &rec : bank)
            rec.setMode(0);
    for (auto &rec : block.KeyData)
        rec.setMode(0);
    for (auto &rec : block.KeyLongData)
        rec.setMode(0);
    return block;
}

void writeSeed(const QString &dir, const char *name, const QByteArray &bytes)
{
    QFile f(QDir(dir).filePath(QString::fromLatin1(name)));
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// Seeds made by the writer itself, so they hold exactly the files' layout.
void writeSeeds(const QString &dir)
{
    SRZ7ConfigData block = startBlock();
    block.PadData[1][3] = SControlRecord{0x49, 0x04, 0x00, 0x08};
    block.KeyData[2] = SControlRecord{0x51, 0x0C, 0x00, 0x03};
    const QByteArray xml = rz7::presetXml(block);
    writeSeed(dir, "file", QByteArray(1, '\0') + rz7::presetFileBytes(block));
    writeSeed(dir, "xml", QByteArray(1, '\1') + xml);
    writeSeed(dir, "xml-tail", QByteArray(1, '\1') + xml.mid(xml.indexOf("<KeyData>") - 8));
    writeSeed(dir, "header-only", QByteArray(1, '\0') + rz7::presetFileHeader());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    DeviceEntry entry;
    entry.id = 7;
    entry.names << QStringLiteral("RZ-7 Pad");
    g_deviceList = {entry};
    const QByteArray seedDir = qgetenv("RZ7_WRITE_SEEDS");
    if (!seedDir.isEmpty()) {
        writeSeeds(QString::fromLocal8Bit(seedDir));
        std::exit(0);
    }
    qInstallMessageHandler(quiet);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0 || size > 1 << 20)
        return 0;
    const QByteArray rest(reinterpret_cast<const char *>(data) + 1, int(size - 1));
    const QByteArray file = (data[0] & 1) ? rz7::presetFileHeader() + qCompress(rest, 9) : rest;

    static const SRZ7ConfigData start = startBlock();
    SRZ7ConfigData block = start;
    const rz7::PresetLoadResult result = rz7::decodePresetFile(file, block);
    if (result != rz7::PresetLoadResult::Ok) {
        if (std::memcmp(&block, &start, sizeof block) != 0)
            abort();
        if (result != rz7::PresetLoadResult::XmlError && rz7::presetLoadMessage(result).isEmpty())
            abort();
        return 0;
    }
    if (!rz7::sysexRefsInsidePool(block))
        abort();
    SRZ7ConfigData again;
    std::memset(&again, 0, sizeof again);
    if (rz7::decodePresetFile(rz7::presetFileBytes(block), again) != rz7::PresetLoadResult::Ok ||
        std::memcmp(&again, &block, sizeof block) != 0)
        abort();
    return 0;
}
