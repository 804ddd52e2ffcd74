// The small pad's ".rznano" preset files: the layout, the round trip, how the
// reader takes the sections of a file, and the files it refuses.
#include "devices/smallpad/rznanopresetfile.h"
#include "bytes.h"
#include "testmain.h"

#include <QFile>

#include <cstring>

using namespace tavrotest;
using namespace rznano;

namespace {

QByteArray bytesOf(const SRznanoConfigData &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), int(sizeof block));
}

// Byte i is (7 i + 3) mod 256; every Customize record points at pool bytes
// 10..14, so that the block is loadable.
SRznanoConfigData patternBlock()
{
    SRznanoConfigData block;
    auto *p = reinterpret_cast<uchar *>(&block);
    for (uint i = 0; i < sizeof block; ++i)
        p[i] = uchar(7 * i + 3);
    auto fix = [](SControlRecord &rec, uint customMode) {
        if (rec.mode() == customMode)
            rec.setSysexRef(SSysexRef{10, 0, 5});
    };
    for (auto &bank : block.PadData)
        for (auto &rec : bank)
            fix(rec, kPadCustomMode);
    for (auto &rec : block.KeyData)
        fix(rec, kKeyCustomMode);
    for (auto &rec : block.KeyLongData)
        fix(rec, kKeyCustomMode);
    return block;
}

QByteArray fileOf(const QByteArray &inner)
{
    return QByteArray("RZ-Nano")
           + qCompress("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Preset>\n<ConfigData>\n" + inner
                           + "</ConfigData>\n</Preset>\n",
                       9);
}

// One row of a table, one element per line as the writer puts it (the
// reader's positional rule counts on the blanks between elements).
QByteArray keyRow(const char *row, int a, int b, int c, int d)
{
    return QByteArray("<") + row
           + QString::asprintf(">\n<Data0>%d</Data0>\n<Data1>%d</Data1>\n<Data2>%d</Data2>\n<Data3>%d</Data3>\n</",
                               a, b, c, d)
                 .toLatin1()
           + row + ">\n";
}

// Changes: (block offset, bytes expected there after the load).
using Changes = QList<QPair<int, QByteArray>>;

} // namespace

class TestRznanoPresetFile : public QObject
{
    Q_OBJECT
private slots:
    void layoutAndRoundTrip()
    {
        const SRznanoConfigData block = patternBlock();
        const QByteArray file = presetFileBytes(block);
        QCOMPARE(toHex(file.left(7)), QStringLiteral("52 5A 2D 4E 61 6E 6F"));
        const QByteArray xml = presetXml(block);
        QCOMPARE(toHex(file.mid(7, 4)), toHex(QByteArray::fromHex(QByteArray::number(xml.size(), 16).rightJustified(8, '0'))));
        QCOMPARE(toHex(file.mid(11, 2)), QStringLiteral("78 DA"));
        QVERIFY(xml.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Preset>\n    <ConfigData>\n        <PadData>"));
        QVERIFY(xml.contains("<SysexPool>\n            <Data>"));
        QVERIFY(xml.endsWith("</Preset>\n"));

        SRznanoConfigData read;
        std::memset(&read, 0, sizeof read);
        QVERIFY(decodePresetFile(file, read));
        QCOMPARE(toHex(bytesOf(read)), toHex(bytesOf(block)));
        QCOMPARE(read.CRC, block.CRC);
    }

    void readerTakesWhatTheFileGives_data()
    {
        QTest::addColumn<QByteArray>("inner");
        QTest::addColumn<Changes>("changes");
        const QByteArray keys = "<KeyData>" + keyRow("Key0", 1, 2, 3, 4) + keyRow("Key1", 5, 6, 7, 8)
                                + keyRow("Key2", 9, 10, 11, 12) + "</KeyData>";
        QTest::newRow("sections in any order")
            << QByteArray("<CRC>77</CRC>") + keys
            << Changes{{678, QByteArray("\x4D", 1)}, {336, hex("01 02 03 04 05 06 07 08 09 0A 0B 0C")}};
        QTest::newRow("a section given twice")
            << keys + "<KeyData>" + keyRow("Key0", 20, 21, 22, 23) + "</KeyData>"
            << Changes{{336, hex("14 15 16 17 05 06 07 08 09 0A 0B 0C")}};
        QTest::newRow("rows go by position")
            << QByteArray("<PadModeRGB>\n<Group7>\n<Color0>1</Color0>\n<Color1>2</Color1>\n<Color2>3</Color2>\n"
                          "</Group7>\n</PadModeRGB>\n")
            << Changes{{369, hex("01 02 03")}};
        QTest::newRow("256, 300, abc") << QByteArray("<KeyLongData>" + keyRow("Key0", 256, 300, 0, 5).replace(">0<", ">abc<")
                                                     + "</KeyLongData>")
                                       << Changes{{348, hex("00 2C 00 05")}};
        QTest::newRow("pool of 100 bytes") << "<SysexPool><Data>" + QByteArray(100, '\x11').toBase64() + "</Data></SysexPool>"
                                           << Changes{{378, QByteArray(100, '\x11') + QByteArray(200, '\0')}};
        QTest::newRow("pool of 400 bytes") << "<SysexPool><Data>" + QByteArray(400, '\x22').toBase64() + "</Data></SysexPool>"
                                           << Changes{{378, QByteArray(300, '\x22')}};
        QTest::newRow("unknown element") << "<Later><PadModeRGB>9</PadModeRGB></Later>" + keys
                                         << Changes{{336, hex("01 02 03 04 05 06 07 08 09 0A 0B 0C")}};
        QTest::newRow("a one-row table, then more")
            << "<KeyData>" + keyRow("Key0", 30, 31, 32, 33) + "</KeyData>"
                   "<PadModeRGB>\n<Group0>\n<Color0>4</Color0>\n<Color1>5</Color1>\n<Color2>6</Color2>\n</Group0>\n"
                   "</PadModeRGB>\n"
                   "<CRC>9</CRC>"
            << Changes{{336, hex("1E 1F 20 21")}, {369, hex("04 05 06")}, {678, hex("09")}};
    }
    void readerTakesWhatTheFileGives()
    {
        QFETCH(QByteArray, inner);
        QFETCH(Changes, changes);
        const SRznanoConfigData before = patternBlock();
        SRznanoConfigData block = before;
        QVERIFY(decodePresetFile(fileOf(inner), block));
        QByteArray expected = bytesOf(before);
        for (const auto &c : changes)
            expected.replace(c.first, c.second.size(), c.second);
        for (int i = 0; i < expected.size(); ++i) {
            if (bytesOf(block)[i] != expected[i])
                QFAIL(qPrintable(QStringLiteral("byte %1: %2, expected %3").arg(i).arg(uchar(bytesOf(block)[i])).arg(uchar(expected[i]))));
        }
    }

    // Refused files leave the block as it was.
    void refusedFiles_data()
    {
        QTest::addColumn<QByteArray>("file");
        const QByteArray good = presetFileBytes(patternBlock());
        const QByteArray body = good.mid(7);
        QTest::newRow("another model") << QByteArray("RZ-7 Pad") + body;
        QTest::newRow("header only") << QByteArray("RZ-Nano");
        QTest::newRow("not compressed") << QByteArray("RZ-Nano") + presetXml(patternBlock());
        QTest::newRow("declared 7F FF FF FF") << QByteArray("RZ-Nano") + hex("7F FF FF FF") + body.mid(4);
        QTest::newRow("a message outside the pool")
            << fileOf("<KeyData>" + keyRow("Key0", 0x50, 0x2B, 0x01, 2) + "</KeyData>");
        QByteArray cut = presetXml(patternBlock());
        cut.truncate(cut.indexOf("<KeyData>") + 40);
        QTest::newRow("XML error half-way") << QByteArray("RZ-Nano") + qCompress(cut, 9);
    }
    void refusedFiles()
    {
        QFETCH(QByteArray, file);
        SRznanoConfigData block = patternBlock();
        QVERIFY(!decodePresetFile(file, block));
        QCOMPARE(toHex(bytesOf(block)), toHex(bytesOf(patternBlock())));
    }

    // The sample presets are the writer's own text of a loadable block.
    void samplePresets()
    {
        for (const char *name : {"Cubase", "FL_Studio", "Ableton-Live", "GarageBand", "Koala"}) {
            QFile f(QStringLiteral(":/new/RZNANO/res/Preset/RZNANO/%1.rznano").arg(QLatin1String(name)));
            QVERIFY2(f.open(QIODevice::ReadOnly), name);
            const QByteArray xml = f.readAll();
            SRznanoConfigData block = patternBlock();
            QVERIFY2(decodePresetFile(presetfile::pack(presetFileHeader(), xml), block), name);
            QCOMPARE(presetXml(block), xml);
            QCOMPARE(int(block.CRC), 0);
        }
    }

    // A message of length 0 points nowhere and is taken wherever it points.
    void emptyMessageAnywhere()
    {
        SRznanoConfigData block = patternBlock();
        QVERIFY(decodePresetFile(fileOf("<KeyData>" + keyRow("Key0", 0x50, 0xFF, 0x7F, 0) + "</KeyData>"), block));
        QCOMPARE(int(block.KeyData[0].data1), 0xFF);
    }
};

TAVRO_TEST_MAIN(TestRznanoPresetFile)
#include "test_rznanopresetfile.moc"
