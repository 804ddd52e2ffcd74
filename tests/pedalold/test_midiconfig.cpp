// The older pedal's image and the frames built from it, without a window.
#include "testmain.h"
#include "bytes.h"
#include "pedaloldtest.h"

#include <functional>

#include "deviceframe.h"
#include "devices/pedal_old/masterframes.h"

using namespace pedalold;
using tavrotest::hex;
using Edit = std::function<void(SMIDIConfigData &)>;
Q_DECLARE_METATYPE(Edit)

namespace {

QByteArray built(uint (*builder)(const SMIDIConfigData &, quint8 *), const SMIDIConfigData &c)
{
    quint8 buf[kTxBufferSize];
    return QByteArray(reinterpret_cast<const char *>(buf), int(builder(c, buf)));
}

QByteArray switchFrame(const SMIDIConfigData &c, int k)
{
    quint8 buf[kTxBufferSize];
    return QByteArray(reinterpret_cast<const char *>(buf), int(switchRecordFrame(c, k, buf)));
}

void setSysex(SSwitchRecord &sw, int list, const QByteArray &bytes)
{
    sw.setSysex(list, true);
    std::memcpy(sw.sysex(list), bytes.constData(), size_t(bytes.size()));
    sw.setSysexLen(list, quint16(bytes.size()));
}

} // namespace

class TestMidiConfig : public QObject
{
    Q_OBJECT
private slots:
    void check_data();
    void check();
    void fromByteArraySizes();
    void switchRecordExamples();
    void switchRecordBounds();
    void groupFrames();
};

void TestMidiConfig::check_data()
{
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<bool>("valid");
    auto row = [](const char *name, Edit e, bool valid) { QTest::newRow(name) << e << valid; };
    row("plain", [](SMIDIConfigData &) {}, true);
    row("preset 0", [](SMIDIConfigData &c) { c.Preset = 0; }, false);
    row("preset 5", [](SMIDIConfigData &c) { c.Preset = 5; }, true);
    row("preset 6", [](SMIDIConfigData &c) { c.Preset = 6; }, false);
    row("count1 16", [](SMIDIConfigData &c) { c.SwitchData[3].Count1 = 16; }, true);
    row("count1 17", [](SMIDIConfigData &c) { c.SwitchData[3].Count1 = 17; }, false);
    row("count2 17", [](SMIDIConfigData &c) { c.SwitchData[1].Count2 = 17; }, false);
    row("pedal 16", [](SMIDIConfigData &c) { c.PedalCount = 16; }, true);
    row("pedal 17", [](SMIDIConfigData &c) { c.PedalCount = 17; }, false);
    row("switch display A7", [](SMIDIConfigData &c) { c.SwitchData[2].Display[1] = 0xA7; }, true);
    row("switch display 28", [](SMIDIConfigData &c) { c.SwitchData[2].Display[3] = 0x28; }, false);
    row("switch display A8", [](SMIDIConfigData &c) { c.SwitchData[0].Display[0] = 0xA8; }, false);
    row("preset display A7", [](SMIDIConfigData &c) { c.PresetDisplay[9] = 0xA7; }, true);
    row("preset display 28", [](SMIDIConfigData &c) { c.PresetDisplay[0] = 0x28; }, false);
    row("second of pair A8", [](SMIDIConfigData &c) { c.PresetDisplay[5] = 0xA8; }, false);
    row("type 0, preset 4", [](SMIDIConfigData &c) { c.Preset = 4; c.SwitchData[1].Type = 0; }, true);
    row("type 0, preset 5", [](SMIDIConfigData &c) { c.Preset = 5; c.SwitchData[1].Type = 0; }, true);
    row("type 6, preset 5", [](SMIDIConfigData &c) { c.Preset = 5; c.SwitchData[3].Type = 6; }, true);
    row("unchecked fields", [](SMIDIConfigData &c) {
        c.SwitchData[0].SysexFlags = 0xFF;
        c.SwitchData[0].setSysexLen(1, 300);
        c.SwitchData[0].Latch = 0xFF;
        c.SwitchData[0].Data1 = 0xFF;
        c.Reserved2[2] = 0xFF;
    }, true);
}

void TestMidiConfig::check()
{
    QFETCH(Edit, edit);
    QFETCH(bool, valid);
    SMIDIConfigData c = pedaloldtest::image();
    edit(c);
    QCOMPARE(isValidImage(c), valid);
}

void TestMidiConfig::fromByteArraySizes()
{
    QByteArray bytes(kImageSize, 0);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(i * 7 + 3);
    QCOMPARE(SMIDIConfigData::fromByteArray(bytes).toByteArray(), bytes);
    for (const QByteArray &wrong : {bytes.left(kImageSize - 1), bytes + 'x'}) {
        QTest::ignoreMessage(QtWarningMsg, "ByteArray size mismatch for SMIDIConfigData");
        QCOMPARE(SMIDIConfigData::fromByteArray(wrong).toByteArray(), QByteArray(kImageSize, 0));
    }
}

void TestMidiConfig::switchRecordExamples()
{
    SMIDIConfigData c = pedaloldtest::image();
    c.SwitchData[0].Count1 = 1;
    c.SwitchData[0].List1[0] = {0x00, 0x90, 0x3C, 0x64};
    QCOMPARE(switchFrame(c, 0), hex("78 59 60 09 00 00 00 11 00 01 00 00 90 3C 64 BD"));

    c.SwitchData[3].Type = 3;
    QCOMPARE(switchFrame(c, 3), hex("78 59 60 05 00 00 00 43 00 00 00 BC"));

    SSwitchRecord &b = c.SwitchData[1];
    b.Type = 5;
    b.Count1 = 1;
    b.List1[0] = {0x00, 0xB0, 0x07, 0x7F};
    b.Count2 = 3; // a stale count beside the SysEx mark is not sent
    setSysex(b, 2, hex("F0 41 10 F7"));
    QCOMPARE(switchFrame(c, 1), hex("78 59 60 0D 00 00 00 25 0F 01 04 00 B0 07 7F F0 41 10 F7 58"));

    // Equal records differ only in the switch nibble and the checksum.
    c.SwitchData[2] = c.SwitchData[1];
    const QByteArray onB = switchFrame(c, 1), onC = switchFrame(c, 2);
    QCOMPARE(onC.size(), onB.size());
    QCOMPARE(uchar(onC[7]), uchar(0x35));
    QCOMPARE(onC.mid(8, onC.size() - 9), onB.mid(8, onB.size() - 9));
    QCOMPARE(uchar(onC.back()), uchar(uchar(onB.back()) - 0x10));
}

void TestMidiConfig::switchRecordBounds()
{
    SMIDIConfigData c = pedaloldtest::image();
    SSwitchRecord &sw = c.SwitchData[0];

    sw.Type = 0;
    QCOMPARE(uchar(switchFrame(c, 0)[7]), uchar(0x11));
    sw.Type = 6;
    QCOMPARE(uchar(switchFrame(c, 0)[7]), uchar(0x10));

    // An emptied SysEx list: the mark, length 0, no data.
    setSysex(sw, 1, QByteArray());
    QCOMPARE(switchFrame(c, 0), hex("78 59 60 05 00 00 00 10 F0 00 00 FF"));

    // Two full event lists: 128 data bytes, 140 in all.
    sw.SysexFlags = 0;
    sw.Count1 = sw.Count2 = 16;
    QCOMPARE(switchFrame(c, 0).size(), kMaxSwitchFrame);

    // Counts and lengths beyond the fields go out as 16 and 64.
    sw.Count1 = 200;
    sw.Count2 = 255;
    QByteArray f = switchFrame(c, 0);
    QCOMPARE(f.size(), kMaxSwitchFrame);
    QCOMPARE(uchar(f[9]), uchar(16));
    setSysex(sw, 1, QByteArray(64, '\x11'));
    setSysex(sw, 2, QByteArray(64, '\x22'));
    sw.setSysexLen(1, 300);
    sw.setSysexLen(2, 0xFFFF);
    f = switchFrame(c, 0);
    QCOMPARE(f.size(), kMaxSwitchFrame);
    QCOMPARE(uchar(f[9]), uchar(64));
    QCOMPARE(uchar(f[10]), uchar(64));
    QVERIFY(frameVerify(tavrotest::u8(f), uint(f.size())));
}

void TestMidiConfig::groupFrames()
{
    quint8 buf[kTxBufferSize];
    auto preset = [&](int p) { return QByteArray(reinterpret_cast<const char *>(buf), int(presetSelectFrame(p, buf))); };
    QCOMPARE(preset(1), hex("78 59 60 02 00 00 01 FA 04"));
    QCOMPARE(preset(2), hex("78 59 60 02 00 00 01 FB 03"));
    QCOMPARE(preset(3), hex("78 59 60 02 00 00 01 FC 02"));

    SMIDIConfigData c = pedaloldtest::image();
    QCOMPARE(built(pedalSwitchesFrame, c), hex("78 59 62 0C 00 00 10 00 00 20 00 00 30 00 00 40 00 00 5F"));
    QCOMPARE(built(pedalExpressionFrame, c), hex("78 59 65 00 00 00 FF"));
    c.PedalCount = 2;
    c.PedalData[0] = {0, 11, 0, 127};
    c.PedalData[1] = {1, 7, 0, 100};
    QCOMPARE(built(pedalExpressionFrame, c), hex("78 59 65 08 00 00 00 0B 00 7F 01 07 00 64 09"));
    c.PedalCount = 200;
    QCOMPARE(built(pedalExpressionFrame, c).size(), 7 + 64);

    c.PresetDisplay[2] = 0x8B;
    c.PresetDisplay[3] = 0x25;
    QCOMPARE(built(displayCharsFrame, c), hex("78 59 67 0A 00 00 00 00 8B 25 00 00 00 00 00 00 4F"));
    c.SwitchData[1].Display[0] = 0x82;
    c.SwitchData[1].Display[1] = 0x03;
    QCOMPARE(built(switchDisplayFrame, c),
             hex("78 59 69 10 00 00 00 00 00 00 82 03 00 00 00 00 00 00 00 00 00 00 7A"));
}

TAVRO_TEST_MAIN(TestMidiConfig)
#include "test_midiconfig.moc"
