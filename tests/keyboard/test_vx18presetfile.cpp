// The keyboard's ".vx18" preset files without a window: the layout a save
// writes, how each section's text becomes bytes, and the files a load refuses
// without touching the block.
#include "devices/keyboard/vx18presetfile.h"
#include "bytes.h"
#include "testmain.h"

#include <QtEndian>

#include <cstring>

using namespace tavrotest;
using namespace vx18;

namespace {

// Every byte different, the pool's references inside the pool.
SVX18ConfigData patternBlock()
{
    SVX18ConfigData b;
    uchar *p = bytes(b);
    for (uint i = 0; i < kBlockSize; ++i)
        p[i] = uchar(i * 7 + 3);
    for (SControlRecord(&bank)[kPadsPerBank] : b.PadData) {
        for (SControlRecord &pad : bank)
            pad.setMode(0);
    }
    for (uint k = 0; k < kKeys; ++k) {
        b.KeyData[k].setMode(1);
        b.KeyLongData[k].setMode(6);
    }
    b.PadData[2][5] = SControlRecord{0x40, 0x10, 0x01, 20}; // Customize, 272..291
    b.KBXPose = 0xFD;
    return b;
}

QByteArray blockBytes(const SVX18ConfigData &b)
{
    return QByteArray(reinterpret_cast<const char *>(&b), int(kBlockSize));
}

QByteArray fileOf(const QByteArray &xml)
{
    return presetFileHeader() + qCompress(xml, 9);
}

QByteArray configOf(const QByteArray &inner)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Preset>\n    <ConfigData>\n" + inner
           + "    </ConfigData>\n</Preset>\n";
}

QByteArray kbmcp(int keys)
{
    QByteArray s = "        <KBMCP>\n";
    for (int k = 0; k < keys; ++k)
        s += QByteArray("            <Key") + QByteArray::number(k) + ">" + QByteArray::number(100 + k) + "</Key"
             + QByteArray::number(k) + ">\n";
    return s + "        </KBMCP>\n";
}

} // namespace

class TestVx18PresetFile : public QObject
{
    Q_OBJECT
private slots:
    void roundTripAndLayout();
    void sectionTexts_data();
    void sectionTexts();
    void refusedFiles_data();
    void refusedFiles();
};

void TestVx18PresetFile::roundTripAndLayout()
{
    const SVX18ConfigData original = patternBlock();
    const QByteArray file = presetFileBytes(original);
    QCOMPARE(toHex(file.left(5)), toHex(hex("56 58 2D 31 38")));
    const QByteArray xml = presetXml(original);
    QCOMPARE(qFromBigEndian<quint32>(file.constData() + 5), quint32(xml.size()));
    QCOMPARE(toHex(file.mid(9, 2)), toHex(hex("78 DA")));
    QVERIFY(xml.contains("        <KBXPose>-3</KBXPose>\n"));
    QVERIFY(xml.contains("            <Key24>"));
    int at = 0;
    for (const char *section : {"<ModCh>", "<PedalMax>", "<KnobData>", "<PadData>", "<PadRGB>", "<KeyData>",
                                "<KeyLongData>", "<SysexPool>", "<KBCh>", "<KBXPose>", "<KBVelMax>", "<KBMCP>",
                                "<CRC>"}) {
        const int next = xml.indexOf(section, at);
        QVERIFY2(next > at, section);
        at = next;
    }

    SVX18ConfigData loaded;
    std::memset(&loaded, 0, sizeof loaded);
    QCOMPARE(decodePresetFile(file, loaded), PresetLoadResult::Ok);
    QCOMPARE(toHex(blockBytes(loaded)), toHex(blockBytes(original)));
}

void TestVx18PresetFile::sectionTexts_data()
{
    QTest::addColumn<QByteArray>("inner");
    QTest::addColumn<int>("offset");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("signed -3") << QByteArray("        <KBXPose>-3</KBXPose>\n") << 725 << hex("FD");
    QTest::newRow("unsigned 300 keeps its low bits") << QByteArray("        <ModCh>300</ModCh>\n") << 0 << hex("2C");
    QTest::newRow("unsigned -1") << QByteArray("        <KBCh>-1</KBCh>\n") << 724 << hex("00");
    QTest::newRow("signed -1") << QByteArray("        <KBOctave>-1</KBOctave>\n") << 726 << hex("FF");
    QTest::newRow("not a number") << QByteArray("        <CRC>x1</CRC>\n") << 754 << hex("00");
    QByteArray thirty = kbmcp(30) + "        <CRC>7</CRC>\n";
    QByteArray keys;
    for (int k = 0; k < 25; ++k)
        keys.append(char(100 + k));
    QTest::newRow("30 keys: the first 25, and the section after is read") << thirty << 729 << keys + hex("07");
    QTest::newRow("other children of KBMCP take no place")
        << QByteArray("        <KBMCP>\n            <Note>1</Note>\n            <Key9>5</Key9>\n"
                      "        </KBMCP>\n")
        << 729 << hex("05 00");
    QTest::newRow("sections in another order, unknown ones between")
        << QByteArray("        <CRC>9</CRC>\n        <Other><ModCh>1</ModCh></Other>\n"
                      "        <KeyLongData>\n            <Key0>\n                <Data0>5</Data0>\n"
                      "            </Key0>\n        </KeyLongData>\n        <PedalMax>8</PedalMax>\n")
        << 409 << hex("05");
    QTest::newRow("an unknown element is skipped whole")
        << QByteArray("        <Other>\n            <ModCh>1</ModCh>\n        </Other>\n        <ModCC>4</ModCC>\n")
        << 0 << hex("00 04");
}

void TestVx18PresetFile::sectionTexts()
{
    QFETCH(QByteArray, inner);
    QFETCH(int, offset);
    QFETCH(QByteArray, stored);
    SVX18ConfigData block;
    std::memset(&block, 0, sizeof block);
    QCOMPARE(decodePresetFile(fileOf(configOf(inner)), block), PresetLoadResult::Ok);
    QCOMPARE(toHex(blockBytes(block).mid(offset, stored.size())), toHex(stored));
}

void TestVx18PresetFile::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("result");
    const QByteArray good = presetFileBytes(patternBlock());
    const QByteArray body = good.mid(5);
    QByteArray oversized = good;
    qToBigEndian<quint32>(1024 * 1024 + 1, oversized.data() + 5);
    SVX18ConfigData outside = patternBlock();
    outside.KeyLongData[1] = SKnobRecord{0x50, 0x20, 0x01, 13, 0}; // 288 + 13 > 300
    QByteArray malformed = configOf("        <ModCh>1</ModCh>\n");
    malformed.replace("</Preset>", "</Preset");
    QTest::newRow("a pad controller's header") << QByteArray("RZ-7 Pad") + body << int(PresetLoadResult::WrongHeader);
    QTest::newRow("header in other case") << QByteArray("vx-18") + body << int(PresetLoadResult::WrongHeader);
    QTest::newRow("header only") << QByteArray("VX-18") << int(PresetLoadResult::Unusable);
    QTest::newRow("not compressed") << QByteArray("VX-18<Preset/>") << int(PresetLoadResult::Unusable);
    QTest::newRow("cut") << good.left(good.size() - 20) << int(PresetLoadResult::Unusable);
    QTest::newRow("declared above 1 MiB") << oversized << int(PresetLoadResult::Unusable);
    QTest::newRow("malformed after a good ConfigData") << fileOf(malformed) << int(PresetLoadResult::XmlError);
    QTest::newRow("a reference outside the pool") << presetFileBytes(outside)
                                                  << int(PresetLoadResult::SysexOutsidePool);
}

void TestVx18PresetFile::refusedFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(int, result);
    SVX18ConfigData block;
    std::memset(&block, 0x33, sizeof block);
    const QByteArray before = blockBytes(block);
    QCOMPARE(int(decodePresetFile(file, block)), result);
    QCOMPARE(blockBytes(block), before);
}

TAVRO_TEST_MAIN(TestVx18PresetFile)
#include "test_vx18presetfile.moc"
