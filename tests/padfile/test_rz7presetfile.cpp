// Preset (".rzp") and configuration (".bin") files of the pad controller:
// layout, round trips, every kind of bad file, and saves that fail.
#include "devices/pad/rz7presetfile.h"
#include "bytes.h"
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace tavrotest;
using namespace rz7;

namespace {

QByteArray bytesOf(const SRZ7ConfigData &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), int(sizeof block));
}

// A block whose byte i is (7 i + 3) mod 256, with every control that lands in
// SysEx mode pointed at pool bytes 10..14 so that the block is loadable.
SRZ7ConfigData patternBlock()
{
    SRZ7ConfigData block;
    auto *p = reinterpret_cast<uchar *>(&block);
    for (uint i = 0; i < sizeof block; ++i)
        p[i] = uchar(7 * i + 3);
    auto fix = [](SControlRecord &rec, uint sysexMode) {
        if (rec.mode() == sysexMode)
            rec.setSysexRef(SSysexRef{10, 0, 5});
    };
    for (auto &bank : block.PadData)
        for (auto &rec : bank)
            fix(rec, 4);
    for (auto &rec : block.KeyData)
        fix(rec, 5);
    for (auto &rec : block.KeyLongData)
        fix(rec, 5);
    return block;
}

// A file around any XML text, as a writer would pack it.
QByteArray fileOf(const QByteArray &xml)
{
    return QByteArray("RZ-7 Pad") + qCompress(xml, 9);
}

QByteArray wrapConfig(const QByteArray &inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Preset>\n    <ConfigData>\n" + inner +
           "    </ConfigData>\n</Preset>\n";
}

QByteArray poolSection(const QByteArray &raw)
{
    return "        <SysexPool>\n            <Data>" + raw.toBase64() + "</Data>\n        </SysexPool>\n";
}

} // namespace

class TestRz7PresetFile : public QObject
{
    Q_OBJECT

private slots:
    void fileLayout();
    void xmlLayout();
    void roundTripThroughDisk();
    void badFilesLeaveBlockUntouched_data();
    void badFilesLeaveBlockUntouched();
    void unopenableAndOverlongFiles();
    void sysexReferenceBounds();
    void sectionRules();
    void savesThatCannotOpen();
    void shortWriteKeepsOldFile();
    void binFileHoldsBlockBytes();
};

void TestRz7PresetFile::fileLayout()
{
    const SRZ7ConfigData block = patternBlock();
    const QByteArray file = presetFileBytes(block);
    QCOMPARE(presetFileHeader(), QByteArray("RZ-7 Pad"));
    QVERIFY(file.startsWith("RZ-7 Pad"));

    const QByteArray xml = presetXml(block);
    const auto *len = reinterpret_cast<const uchar *>(file.constData()) + 8;
    const int declared = (len[0] << 24) | (len[1] << 16) | (len[2] << 8) | len[3];
    QCOMPARE(declared, xml.size());
    // zlib header of the best compression level.
    QCOMPARE(toHex(file.mid(12, 2)), QStringLiteral("78 DA"));
    QCOMPARE(qUncompress(file.mid(8)), xml);

    SRZ7ConfigData loaded;
    std::memset(&loaded, 0, sizeof loaded);
    QCOMPARE(decodePresetFile(file, loaded), PresetLoadResult::Ok);
    QCOMPARE(toHex(bytesOf(loaded)), toHex(bytesOf(block)));
}

void TestRz7PresetFile::xmlLayout()
{
    const SRZ7ConfigData block = patternBlock();
    const QString xml = QString::fromUtf8(presetXml(block));
    const QStringList lines = xml.split(QLatin1Char('\n'));
    QCOMPARE(lines.value(0), QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"));
    QCOMPARE(lines.value(1), QStringLiteral("<Preset>"));
    QCOMPARE(lines.value(2), QStringLiteral("    <ConfigData>"));
    QCOMPARE(lines.value(3), QStringLiteral("        <KnobData>"));
    QCOMPARE(lines.value(4), QStringLiteral("            <Group0>"));
    QCOMPARE(lines.value(5), QStringLiteral("                <Knob0>"));
    QCOMPARE(lines.value(6), QStringLiteral("                    <Data0>3</Data0>"));
    QCOMPARE(lines.value(7), QStringLiteral("                    <Data1>10</Data1>"));
    QVERIFY(xml.endsWith(QStringLiteral("</Preset>\n")));

    // Sections in their order.
    int at = 0;
    for (const char *section : {"<KnobData>", "<PadData>", "<PadRGB>", "<KeyData>", "<KeyLongData>",
                                "<KnobModeRGB>", "<PadModeRGB>", "<SysexPool>", "<CRC>"}) {
        const int next = xml.indexOf(QLatin1String(section), at);
        QVERIFY2(next > at, section);
        at = next;
    }
    // 522 byte values, a 400-character pool, the CRC.
    int values = 0;
    for (const QString &line : lines) {
        const QString t = line.trimmed();
        if ((t.startsWith(QLatin1String("<Data")) || t.startsWith(QLatin1String("<Color"))) &&
            !t.startsWith(QLatin1String("<Data>")))
            ++values;
    }
    QCOMPARE(values, 120 + 192 + 144 + 24 + 24 + 9 + 9);
    const QByteArray pool = QByteArray(reinterpret_cast<const char *>(block.SysexPool), 300).toBase64();
    QCOMPARE(pool.size(), 400);
    QVERIFY(xml.contains(QStringLiteral("            <Data>") + QString::fromLatin1(pool) + QStringLiteral("</Data>")));
    QVERIFY(xml.contains(QStringLiteral("        <CRC>%1</CRC>").arg(block.CRC)));
    // A pad colour: bank 1, pad 2, blue = byte 312 + 48 + 6 + 2.
    const int pos = xml.indexOf(QLatin1String("<PadRGB>"));
    const int g1 = xml.indexOf(QLatin1String("<Group1>"), pos);
    const int p2 = xml.indexOf(QLatin1String("<Pad2>"), g1);
    const int c2 = xml.indexOf(QLatin1String("<Color2>"), p2);
    QCOMPARE(xml.mid(c2, 30).section(QLatin1Char('<'), 1, 1),
             QStringLiteral("Color2>%1").arg(uchar(7 * (312 + 48 + 6 + 2) + 3)));
}

void TestRz7PresetFile::roundTripThroughDisk()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("preset.rzp"));
    const SRZ7ConfigData block = patternBlock();
    QCOMPARE(writePresetFile(path, block), PresetSaveResult::Saved);

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), presetFileBytes(block));
    f.close();

    SRZ7ConfigData loaded;
    std::memset(&loaded, 0xEE, sizeof loaded);
    QCOMPARE(readPresetFile(path, loaded), PresetLoadResult::Ok);
    QCOMPARE(toHex(bytesOf(loaded)), toHex(bytesOf(block)));

    // Saving again over the file replaces it.
    SRZ7ConfigData other = block;
    other.CRC = uchar(block.CRC + 1);
    QCOMPARE(writePresetFile(path, other), PresetSaveResult::Saved);
    QCOMPARE(readPresetFile(path, loaded), PresetLoadResult::Ok);
    QCOMPARE(loaded.CRC, other.CRC);
}

void TestRz7PresetFile::badFilesLeaveBlockUntouched_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("message");

    const QByteArray good = presetFileBytes(patternBlock());
    const QByteArray body = good.mid(8);
    auto code = [](PresetLoadResult r) { return int(r); };

    QTest::newRow("empty file") << QByteArray() << code(PresetLoadResult::WrongHeader) << "1111";
    QTest::newRow("header in other case") << QByteArray("RZ-7 PAD") + body << code(PresetLoadResult::WrongHeader)
                                          << "1111";
    QTest::newRow("other model") << QByteArray("RZ-Nano ") + body << code(PresetLoadResult::WrongHeader) << "1111";
    QTest::newRow("part of the header") << QByteArray("RZ-7") << code(PresetLoadResult::WrongHeader) << "1111";
    QTest::newRow("header only") << QByteArray("RZ-7 Pad") << code(PresetLoadResult::NoBody) << "2222";
    // "<?xm" read as a length declares about 1 GB.
    QTest::newRow("plain xml body") << QByteArray("RZ-7 Pad") + presetXml(patternBlock())
                                    << code(PresetLoadResult::Oversized) << "3333";
    QTest::newRow("three body bytes") << QByteArray("RZ-7 Pad") + hex("00 00 01")
                                      << code(PresetLoadResult::NotCompressed) << "3333";
    QTest::newRow("length then no zlib") << QByteArray("RZ-7 Pad") + hex("00 00 00 10 41 42 43 44")
                                         << code(PresetLoadResult::NotCompressed) << "3333";
    QTest::newRow("truncated stream") << good.left(good.size() - 40) << code(PresetLoadResult::CorruptBody)
                                      << "3333";
    QByteArray damaged = good;
    damaged[damaged.size() - 3] = char(damaged[damaged.size() - 3] ^ 0x55); // Adler-32 checksum
    QTest::newRow("damaged checksum") << damaged << code(PresetLoadResult::CorruptBody) << "3333";
    QTest::newRow("compressed empty text") << QByteArray("RZ-7 Pad") + qCompress(QByteArray(), 9)
                                           << code(PresetLoadResult::NotCompressed) << "3333";

    QByteArray huge = good;
    huge[8] = char(0x7F); // declares about 2 GB
    QTest::newRow("declared 2 GB") << huge << code(PresetLoadResult::Oversized) << "3333";
    QByteArray justOver = good;
    justOver.replace(8, 4, hex("00 10 00 01")); // 1 MiB + 1
    QTest::newRow("declared 1 MiB + 1") << justOver << code(PresetLoadResult::Oversized) << "3333";
    // Declares its true small length but unpacks to 2 MiB.
    QByteArray bomb = qCompress(QByteArray(2 * 1024 * 1024, ' '), 9);
    bomb.replace(0, 4, hex("00 00 01 00"));
    QTest::newRow("unpacks past its length") << QByteArray("RZ-7 Pad") + bomb << code(PresetLoadResult::Oversized)
                                             << "3333";

    SRZ7ConfigData outside = patternBlock();
    outside.PadData[2][15].setMode(4);
    outside.PadData[2][15].setSysexRef(SSysexRef{0x2C, 0x01, 1}); // offset 300, one byte
    QTest::newRow("pad sysex past pool") << presetFileBytes(outside) << code(PresetLoadResult::SysexOutsidePool)
                                         << "3333";
    outside = patternBlock();
    outside.KeyLongData[5].setMode(5);
    outside.KeyLongData[5].setSysexRef(SSysexRef{0, 0x10, 1}); // offset 4096
    QTest::newRow("long-press sysex far off") << presetFileBytes(outside)
                                              << code(PresetLoadResult::SysexOutsidePool) << "3333";

    // The first sections are good, then the document breaks off.
    const QByteArray xml = presetXml(patternBlock());
    QTest::newRow("xml cut after a section")
        << fileOf(xml.left(xml.indexOf("<PadRGB>"))) << code(PresetLoadResult::XmlError) << "";
    QTest::newRow("value with a child element")
        << fileOf(wrapConfig("        <CRC>7<b/></CRC>\n")) << code(PresetLoadResult::XmlError) << "";
    QTest::newRow("not xml") << fileOf("just text") << code(PresetLoadResult::XmlError) << "";
}

void TestRz7PresetFile::badFilesLeaveBlockUntouched()
{
    QFETCH(QByteArray, file);
    QFETCH(int, result);
    QFETCH(QString, message);

    SRZ7ConfigData block;
    std::memset(&block, 0x5A, sizeof block);
    const QByteArray before = bytesOf(block);
    QString error;
    const PresetLoadResult got = decodePresetFile(file, block, &error);
    QCOMPARE(int(got), result);
    QCOMPARE(presetLoadMessage(got), message);
    QCOMPARE(toHex(bytesOf(block)), toHex(before));
    QCOMPARE(error.isEmpty(), got != PresetLoadResult::XmlError);

    // The same through a file on disk.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bad.rzp"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(file);
    f.close();
    QCOMPARE(int(readPresetFile(path, block)), result);
    QCOMPARE(toHex(bytesOf(block)), toHex(before));
}

void TestRz7PresetFile::unopenableAndOverlongFiles()
{
    QTemporaryDir dir;
    SRZ7ConfigData block = patternBlock();
    const QByteArray before = bytesOf(block);

    QCOMPARE(readPresetFile(dir.filePath(QStringLiteral("missing.rzp")), block), PresetLoadResult::CannotOpen);
    QCOMPARE(readPresetFile(dir.path(), block), PresetLoadResult::CannotOpen);
    QCOMPARE(presetLoadMessage(PresetLoadResult::CannotOpen), QStringLiteral("0000"));

    // A body longer than any packed 1 MiB text is refused before it is read whole.
    const QString path = dir.filePath(QStringLiteral("long.rzp"));
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("RZ-7 Pad") + qCompress(QByteArray(64, 'x'), 9));
    f.write(QByteArray(kMaxPresetBodySize, '\0'));
    f.close();
    QCOMPARE(readPresetFile(path, block), PresetLoadResult::Oversized);
    QCOMPARE(bytesOf(block), before);
}

void TestRz7PresetFile::sysexReferenceBounds()
{
    SRZ7ConfigData block = patternBlock();
    QVERIFY(sysexRefsInsidePool(block));

    // The last ten bytes of the pool are still inside it.
    block.KeyData[0].setMode(5);
    block.KeyData[0].setSysexRef(SSysexRef{0x22, 0x01, 10}); // 290 + 10
    QVERIFY(sysexRefsInsidePool(block));
    block.KeyData[0].setSysexRef(SSysexRef{0x22, 0x01, 11});
    QVERIFY(!sysexRefsInsidePool(block));

    // Outside SysEx mode the same bytes are no reference.
    block.KeyData[0].setMode(4);
    QVERIFY(sysexRefsInsidePool(block));
    block.PadData[0][0].setMode(5);
    block.PadData[0][0].setSysexRef(SSysexRef{0xFF, 0xFF, 0xFF});
    QVERIFY(sysexRefsInsidePool(block));
    block.PadData[0][0].setMode(4);
    QVERIFY(!sysexRefsInsidePool(block));

    // A reference of length 0 references nothing, wherever it points.
    block.PadData[0][0].setSysexRef(SSysexRef{0xFF, 0xFF, 0});
    QVERIFY(sysexRefsInsidePool(block));
}

void TestRz7PresetFile::sectionRules()
{
    const SRZ7ConfigData start = patternBlock();

    // No ConfigData at all: a successful load that changes nothing.
    SRZ7ConfigData block = start;
    QCOMPARE(decodePresetFile(fileOf("<?xml version=\"1.0\"?>\n<Other><KnobData/></Other>\n"), block),
             PresetLoadResult::Ok);
    QCOMPARE(bytesOf(block), bytesOf(start));

    // Pool texts: 10 bytes clear the other 290; 310 bytes are cut to 300.
    const QByteArray ten = hex("F0 01 02 03 04 05 06 07 08 F7");
    QCOMPARE(decodePresetFile(fileOf(wrapConfig(poolSection(ten))), block), PresetLoadResult::Ok);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(block.SysexPool), 300), ten + QByteArray(290, '\0'));
    QByteArray many(310, '\0');
    for (int i = 0; i < many.size(); ++i)
        many[i] = char(i * 3);
    QCOMPARE(decodePresetFile(fileOf(wrapConfig(poolSection(many))), block), PresetLoadResult::Ok);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(block.SysexPool), 300), many.left(300));
    // Characters outside the Base64 alphabet are passed over; a first child of
    // another name leaves the pool alone.
    QCOMPARE(decodePresetFile(fileOf(wrapConfig("        <SysexPool>\n            <Data>8A\n\t*E=</Data>\n"
                                                "        </SysexPool>\n")),
                              block),
             PresetLoadResult::Ok);
    QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(block.SysexPool), 3)), QStringLiteral("F0 01 00"));
    QCOMPARE(decodePresetFile(fileOf(wrapConfig("        <SysexPool>\n            <Raw>AAAA</Raw>\n"
                                                "        </SysexPool>\n")),
                              block),
             PresetLoadResult::Ok);
    QCOMPARE(uchar(block.SysexPool[0]), uchar(0xF0));

    // CRC keeps the low 8 bits; sections in another order; a missing section
    // (here all knobs and pads) keeps the block's bytes.
    block = start;
    const QByteArray modes = "        <PadModeRGB>\n"
                             "            <Group0>\n                <Color0>1</Color0>\n"
                             "                <Color1>2</Color1>\n                <Color2>3</Color2>\n"
                             "            </Group0>\n"
                             "        </PadModeRGB>\n";
    QCOMPARE(decodePresetFile(fileOf(wrapConfig("        <CRC>300</CRC>\n        <Unknown><CRC>9</CRC></Unknown>\n" +
                                                modes)),
                              block),
             PresetLoadResult::Ok);
    QCOMPARE(block.CRC, uchar(44));
    QCOMPARE(block.PadModeRGB[0], (SColourGRB{1, 2, 3}));
    QCOMPARE(block.PadModeRGB[1], start.PadModeRGB[1]);
    QCOMPARE(bytesOf(block).left(513), bytesOf(start).left(513));

    // A file of another block loaded over this one brings every byte across.
    SRZ7ConfigData other;
    std::memset(&other, 0, sizeof other);
    other.PadData[1][3] = SControlRecord{0x49, 0x04, 0x00, 0x08}; // SysEx mode, pool 4..11
    block = start;
    QCOMPARE(decodePresetFile(presetFileBytes(other), block), PresetLoadResult::Ok);
    QCOMPARE(bytesOf(block), bytesOf(other));
}

void TestRz7PresetFile::savesThatCannotOpen()
{
    QTemporaryDir dir;
    const SRZ7ConfigData block = patternBlock();
    QCOMPARE(writePresetFile(dir.filePath(QStringLiteral("no/such/folder/p.rzp")), block),
             PresetSaveResult::CannotOpen);
    QCOMPARE(writePresetFile(dir.path(), block), PresetSaveResult::CannotOpen);
    QVERIFY(!writeConfigBinFile(dir.filePath(QStringLiteral("no/such/folder/c.bin")), block));
    QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

void TestRz7PresetFile::shortWriteKeepsOldFile()
{
#ifdef Q_OS_UNIX
    // A file-size limit makes the body write come up short, as a full disk would.
    QTemporaryDir dir;
    const QString preset = dir.filePath(QStringLiteral("old.rzp"));
    const QString bin = dir.filePath(QStringLiteral("old.bin"));
    const SRZ7ConfigData oldBlock = patternBlock();
    QCOMPARE(writePresetFile(preset, oldBlock), PresetSaveResult::Saved);
    QVERIFY(writeConfigBinFile(bin, oldBlock));
    const QByteArray oldPreset = presetFileBytes(oldBlock);

    SRZ7ConfigData newBlock;
    std::memset(&newBlock, 0x11, sizeof newBlock);
    QVERIFY(presetFileBytes(newBlock).size() > 100);

    struct rlimit saved;
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 100;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    const PresetSaveResult presetResult = writePresetFile(preset, newBlock);
    const bool binResult = writeConfigBinFile(bin, newBlock);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(int(presetResult), int(PresetSaveResult::WriteFailed));
    QVERIFY(!binResult);
    QFile f(preset);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), oldPreset);
    QFile b(bin);
    QVERIFY(b.open(QIODevice::ReadOnly));
    QCOMPARE(b.readAll(), bytesOf(oldBlock));
    // No temporary file is left beside them.
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
#else
    QSKIP("needs a file-size limit");
#endif
}

void TestRz7PresetFile::binFileHoldsBlockBytes()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("config.bin"));
    const SRZ7ConfigData block = patternBlock();
    QVERIFY(writeConfigBinFile(path, block));
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QCOMPARE(bytes.size(), 823);
    QCOMPARE(bytes, bytesOf(block));
}

#include "testmain.h"
TAVRO_TEST_MAIN(TestRz7PresetFile)
#include "test_rz7presetfile.moc"
