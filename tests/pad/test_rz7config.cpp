// The pad controller's block, records, pool order, lists and section frames,
// checked against byte offsets written out here rather than taken from the
// structures. The shared frames, parsers and pool bounds are tested with the
// toolkit (tests/shared).
#include "devices/pad/rz7config.h"
#include "bytes.h"
#include "testmain.h"

#include <cstring>

using namespace tavrotest;
using namespace rz7;

namespace {

// A block whose byte i is (7 i + 3) mod 256, so every slice is recognisable.
SRZ7ConfigData patternBlock()
{
    SRZ7ConfigData block;
    auto *p = reinterpret_cast<uchar *>(&block);
    for (uint i = 0; i < sizeof block; ++i)
        p[i] = uchar(7 * i + 3);
    return block;
}

QByteArray blockBytes(const SRZ7ConfigData &block, int from, int count)
{
    return QByteArray(reinterpret_cast<const char *>(&block) + from, count);
}

QByteArray built(const uchar *buf, uint n)
{
    return QByteArray(reinterpret_cast<const char *>(buf), int(n));
}

SSystemConfigData goodSystem()
{
    SSystemConfigData s;
    std::memset(&s, 0, sizeof s);
    s.setTempo(120);
    s.gate = 50;
    s.swing = 50;
    s.aftertouchDelay = 5;
    s.fullLevelVelocity = 127;
    std::memset(s.thresholds, 45, sizeof s.thresholds);
    return s;
}

void setSysexRecord(SControlRecord &rec, uint mode, uint length)
{
    rec.ctrl = 0;
    rec.setMode(mode);
    rec.setSysexRef(SSysexRef{0xEE, 0xEE, uchar(length)});
}

} // namespace

class TestRz7Config : public QObject
{
    Q_OBJECT
private slots:
    void recordFields();
    void sectionsOfTheBlock();
    void emptyBlock();
    void sectionFrames_data();
    void sectionFrames();
    void colourFrame();
    void outOfRangeBankBuildsNothing();
    void packingOrderAndReferences();
    void unpackingRoundTrip();
    void systemRecordCheck_data();
    void systemRecordCheck();
    void listsAndEntries();
    void bitFieldsAreMasked();
    void switches();
    void blockValidity();
};

void TestRz7Config::recordFields()
{
    // A CC Toggle on channel 4, controller 36, values 0 and 127.
    SControlRecord rec{0x14, 0x24, 0x00, 0x7F};
    QCOMPARE(int(rec.channel()), 4);
    QCOMPARE(int(rec.mode()), 1);
    QVERIFY(!rec.flag());

    SControlRecord sysexPad{0xC0, 0x0C, 0x01, 0x05};
    QCOMPARE(int(sysexPad.mode()), 4);
    QVERIFY(sysexPad.flag());
    QCOMPARE(int(sysexPad.sysexRef().offset()), 0x10C);
    QCOMPARE(int(sysexPad.sysexRef().length), 5);

    // Setters stay inside their bits.
    rec.setChannel(0x1F);
    QCOMPARE(int(rec.ctrl), 0x1F);
    rec.setMode(9);
    QCOMPARE(int(rec.ctrl), 0x1F);
    rec.setMode(5);
    QCOMPARE(int(rec.ctrl), 0x5F);
    rec.setFlag(true);
    QCOMPARE(int(rec.ctrl), 0xDF);
    rec.setChannel(2);
    QCOMPARE(int(rec.ctrl), 0xD2);

    // Screen colour from G, R, B and back.
    const SColourGRB c = SColourGRB::fromRgb(0xFF, 0x10, 0x20);
    QCOMPARE(int(c.g), 0x10);
    QCOMPARE(int(c.r), 0xFF);
    QCOMPARE(int(c.b), 0x20);
}

void TestRz7Config::sectionsOfTheBlock()
{
    const SRZ7ConfigData block = patternBlock();
    auto at = [](uint i) { return uchar(7 * i + 3); };
    QCOMPARE(block.KnobData[2][7].ctrl, at(40 * 2 + 5 * 7));
    QCOMPARE(block.KnobData[1][3].options, at(40 + 15 + 4));
    QCOMPARE(block.PadData[2][15].value2, at(120 + 128 + 60 + 3));
    QCOMPARE(block.PadRGB[1][5].b, at(312 + 48 + 15 + 2));
    QCOMPARE(block.KeyData[5].ctrl, at(456 + 20));
    QCOMPARE(block.KeyLongData[0].data1, at(481));
    QCOMPARE(block.KnobModeRGB[2].g, at(504 + 6));
    QCOMPARE(block.PadModeRGB[1].r, at(513 + 3 + 1));
    QCOMPARE(block.SysexPool[0], at(522));
    QCOMPARE(block.CRC, at(822));

    SSystemConfigData s = goodSystem();
    s.setTempo(0x012C);
    const auto *raw = reinterpret_cast<const uchar *>(&s);
    QCOMPARE(int(raw[0]), 0x2C);
    QCOMPARE(int(raw[1]), 0x01);
}

void TestRz7Config::emptyBlock()
{
    SRZ7ConfigData block;
    std::memset(&block, 0, sizeof block);
    QVERIFY(isConfigEmpty(block));
    block.CRC = 1; // the last byte counts too
    QVERIFY(!isConfigEmpty(block));
}

void TestRz7Config::sectionFrames_data()
{
    QTest::addColumn<int>("which");
    QTest::addColumn<QByteArray>("expected");
    const SRZ7ConfigData b = patternBlock();
    QTest::newRow("keys R") << 0 << frameOf(0x52, blockBytes(b, 456, 48));
    QTest::newRow("pads S bank 1") << 1 << frameOf(0x53, QByteArray(1, char(1)) + blockBytes(b, 120 + 64, 64));
    QTest::newRow("knobs T group 2") << 2 << frameOf(0x54, QByteArray(1, char(2)) + blockBytes(b, 80, 40));
    QTest::newRow("mode colours W") << 3 << frameOf(0x57, blockBytes(b, 504, 18));
    QTest::newRow("whole block X") << 4 << frameOf(0x58, blockBytes(b, 0, 823));
}

void TestRz7Config::sectionFrames()
{
    QFETCH(int, which);
    QFETCH(QByteArray, expected);
    const SRZ7ConfigData b = patternBlock();
    uchar buf[kTxBufferSize];
    uint n = 0;
    switch (which) {
    case 0: n = buildWriteKeysFrame(buf, b); break;
    case 1: n = buildWritePadsFrame(buf, b, 1); break;
    case 2: n = buildWriteKnobsFrame(buf, b, 2); break;
    case 3: n = buildModeColoursFrame(buf, b); break;
    case 4: n = buildWriteConfigFrame(buf, b); break;
    }
    QCOMPARE(toHex(built(buf, n)), toHex(expected));
    QVERIFY(frameVerify(buf, n));
}

void TestRz7Config::colourFrame()
{
    const SRZ7ConfigData b = patternBlock();
    uchar buf[kPadColoursFrameSize];
    const QByteArray colours = blockBytes(b, 312 + 96, 48) + blockBytes(b, 504 + 3, 3) + blockBytes(b, 513 + 6, 3);

    uint n = buildPadColoursFrame(buf, b, 7, 2, 1);
    QCOMPARE(n, 62u);
    QCOMPARE(toHex(built(buf, n)), toHex(frameOf(0x51, QByteArray(1, char(7)) + colours)));

    n = buildPadColoursFrame(buf, b, kAllPads, 2, 1);
    QCOMPARE(toHex(built(buf, n)), toHex(frameOf(0x51, QByteArray(1, char(0xFF)) + colours)));

    QCOMPARE(buildPadColoursFrame(buf, b, 16, 0, 0), 0u);
}

void TestRz7Config::outOfRangeBankBuildsNothing()
{
    const SRZ7ConfigData b = patternBlock();
    uchar buf[kTxBufferSize];
    std::memset(buf, 0xAA, sizeof buf);
    QCOMPARE(buildWritePadsFrame(buf, b, 3), 0u);
    QCOMPARE(buildWriteKnobsFrame(buf, b, 200), 0u);
    QCOMPARE(buildPadColoursFrame(buf, b, 0, 3, 0), 0u);
    QCOMPARE(buildPadColoursFrame(buf, b, 0, 0, 3), 0u);
    QCOMPARE(int(buf[0]), 0xAA);
}

void TestRz7Config::packingOrderAndReferences()
{
    SRZ7ConfigData b;
    std::memset(&b, 0, sizeof b);
    SRZ7SysexStore store;
    std::memset(&store, 0, sizeof store);

    // Pads come last even though they lie first in the block; bank 0 pad 3 in mode 4.
    setSysexRecord(b.PadData[0][3], kPadSysexMode, 3);
    std::memcpy(store.padSysex[0][3], "\xF0\x01\xF7", 3);
    setSysexRecord(b.KeyData[1], kKeySysexMode, 5);
    std::memcpy(store.keySysex[1], "\xF0\x11\x12\x13\xF7", 5);
    setSysexRecord(b.KeyData[4], kKeySysexMode, 7);
    std::memcpy(store.keySysex[4], "\xF0\x21\x22\x23\x24\x25\xF7", 7);
    // A long-press action with an empty message still gets its offset.
    setSysexRecord(b.KeyLongData[0], kKeySysexMode, 0);
    // Records in other modes keep their values.
    b.KeyData[0] = SControlRecord{0x40, 0x99, 0x98, 0x97};
    b.PadData[1][0] = SControlRecord{0x50, 0x99, 0x98, 0x97};
    b.SysexPool[15] = 0x77;

    QCOMPARE(packSysexPool(b, store).used, 15u);
    QCOMPARE(int(store.sysexTotal), 15);
    QCOMPARE(int(b.KeyData[1].sysexRef().offset()), 0);
    QCOMPARE(int(b.KeyData[1].sysexRef().length), 5);
    QCOMPARE(int(b.KeyData[4].sysexRef().offset()), 5);
    QCOMPARE(int(b.KeyData[4].sysexRef().length), 7);
    QCOMPARE(int(b.KeyLongData[0].sysexRef().offset()), 12);
    QCOMPARE(int(b.KeyLongData[0].sysexRef().length), 0);
    QCOMPARE(int(b.PadData[0][3].sysexRef().offset()), 12);
    QCOMPARE(int(b.PadData[0][3].sysexRef().length), 3);
    QCOMPARE(toHex(blockBytes(b, 522, 16)), QStringLiteral("F0 11 12 13 F7 F0 21 22 23 24 25 F7 F0 01 F7 77"));
    QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(&b.KeyData[0]), 4)), QStringLiteral("40 99 98 97"));
    QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(&b.PadData[1][0]), 4)), QStringLiteral("50 99 98 97"));
}

void TestRz7Config::unpackingRoundTrip()
{
    SRZ7ConfigData b;
    std::memset(&b, 0, sizeof b);
    SRZ7SysexStore store;
    std::memset(&store, 0, sizeof store);
    setSysexRecord(b.KeyLongData[5], kKeySysexMode, 4);
    std::memcpy(store.keyLongSysex[5], "\xF0\x7E\x01\xF7", 4);
    setSysexRecord(b.PadData[2][15], kPadSysexMode, 40);
    for (uint i = 0; i < 40; ++i)
        store.padSysex[2][15][i] = uchar(i);
    packSysexPool(b, store);

    SRZ7SysexStore fresh;
    std::memset(&fresh, 0xCC, sizeof fresh);
    extractSysexData(b, fresh);
    QCOMPARE(int(fresh.sysexTotal), 44);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(fresh.keyLongSysex[5]), 4),
             QByteArray("\xF0\x7E\x01\xF7", 4));
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(fresh.padSysex[2][15]), 40),
             QByteArray(reinterpret_cast<const char *>(store.padSysex[2][15]), 40));
    // Buffers of controls not in SysEx mode are left alone.
    QCOMPARE(int(fresh.keySysex[0][0]), 0xCC);
    QCOMPARE(int(fresh.keyLongSysex[5][4]), 0xCC);
}

void TestRz7Config::systemRecordCheck_data()
{
    QTest::addColumn<int>("byte");
    QTest::addColumn<int>("value");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("tempo 29") << 0 << 29 << false;
    QTest::newRow("tempo 30") << 0 << 30 << true;
    QTest::newRow("tempo 300") << 0 << 300 << true;
    QTest::newRow("tempo 301") << 0 << 301 << false;
    QTest::newRow("tempo 0") << 0 << 0 << false;
    QTest::newRow("preset 7") << 4 << 7 << true;
    QTest::newRow("preset 8") << 4 << 8 << false;
    QTest::newRow("byte 5 = 4") << 5 << 4 << true;
    QTest::newRow("byte 5 = 5") << 5 << 5 << false;
    QTest::newRow("division 8") << 6 << 8 << false;
    QTest::newRow("pad bank 2") << 2 << 2 << true;
    QTest::newRow("pad bank 3 (taken as 0)") << 2 << 3 << true;
    QTest::newRow("knob group 3 (taken as 0)") << 3 << 3 << true;
}

void TestRz7Config::systemRecordCheck()
{
    QFETCH(int, byte);
    QFETCH(int, value);
    QFETCH(bool, accepted);
    SSystemConfigData s = goodSystem();
    if (byte == 0)
        s.setTempo(std::uint16_t(value));
    else
        reinterpret_cast<uchar *>(&s)[byte] = uchar(value);
    if (!accepted)
        QTest::ignoreMessage(QtDebugMsg, "check_system_config_data Err---");
    QCOMPARE(check_system_config_data(s), accepted);
}

void TestRz7Config::listsAndEntries()
{
    SSystemConfigData s = goodSystem();
    s.swing = 52;
    QCOMPARE(listIndex(s, GlobalList::Swing), -1);
    s.swing = 70;
    QCOMPARE(listIndex(s, GlobalList::Swing), 9);
    setListIndex(s, GlobalList::Swing, 2);
    QCOMPARE(int(s.swing), 56);

    // The check lets a curve of 4 through; the list of four has no entry for it.
    s.velocityCurve = 4;
    QCOMPARE(listIndex(s, GlobalList::VelocityCurve), -1);
    // -1 (a list without selection) and indexes past the list change nothing.
    setListIndex(s, GlobalList::VelocityCurve, -1);
    setListIndex(s, GlobalList::VelocityCurve, 4);
    QCOMPARE(int(s.velocityCurve), 4);

    s.setTempo(300);
    QCOMPARE(listIndex(s, GlobalList::Tempo), 270);
    setListIndex(s, GlobalList::Tempo, 0);
    QCOMPARE(int(s.tempo()), 30);
    setListIndex(s, GlobalList::Tempo, 271);
    QCOMPARE(int(s.tempo()), 30);

    s.aftertouchDelay = 150;
    QCOMPARE(listIndex(s, GlobalList::AftertouchDelay), 145);
    s.aftertouchDelay = 4;
    QCOMPARE(listIndex(s, GlobalList::AftertouchDelay), -1);
    s.gate = 0;
    QCOMPARE(listIndex(s, GlobalList::Gate), -1);
    setListIndex(s, GlobalList::Gate, 98);
    QCOMPARE(int(s.gate), 99);
    s.fullLevelVelocity = 128;
    QCOMPARE(listIndex(s, GlobalList::FullLevelVelocity), -1);
    setListIndex(s, GlobalList::FullLevelVelocity, 0);
    QCOMPARE(int(s.fullLevelVelocity), 1);
    s.preset = 9;
    QCOMPARE(listIndex(s, GlobalList::Preset), -1);
    s.noteRepeatMode = 2;
    QCOMPARE(listIndex(s, GlobalList::NoteRepeatMode), -1);
}

void TestRz7Config::bitFieldsAreMasked()
{
    SSystemConfigData s = goodSystem();
    s.displayPower = 0xC5; // battery bits on, pad-down colour 5 (no entry), standby 0
    QCOMPARE(listIndex(s, GlobalList::PadDownColour), -1);
    QCOMPARE(listIndex(s, GlobalList::AutoStandby), 0);
    setListIndex(s, GlobalList::AutoStandby, 7);
    QCOMPARE(int(s.displayPower), 0xFD);
    setListIndex(s, GlobalList::PadDownColour, 3);
    QCOMPARE(int(s.displayPower), 0xFB);
    setListIndex(s, GlobalList::AutoStandby, 1);
    QCOMPARE(int(s.displayPower), 0xCB);
    QCOMPARE(listIndex(s, GlobalList::AutoStandby), 1);
    QCOMPARE(listIndex(s, GlobalList::PadDownColour), 3);
}

void TestRz7Config::switches()
{
    SSystemConfigData s = goodSystem();
    s.switches = 0xC1; // ECO on, device bits 6-7 set
    setSwitch(s, Switch::Dark, true);
    QCOMPARE(int(s.switches), 0xC2);
    setSwitch(s, Switch::Eco, true);
    setSwitch(s, Switch::Dark, false);
    QCOMPARE(int(s.switches), 0xC1);
    setSwitch(s, Switch::Bluetooth, true);
    setSwitch(s, Switch::DawSync, true);
    QCOMPARE(int(s.switches), 0xE5);
    QVERIFY(switchState(s, Switch::Bluetooth));
    QVERIFY(!switchState(s, Switch::Aftertouch));

    s.displayPower = 0x1B;
    setSwitch(s, Switch::LowBattery, true);
    setSwitch(s, Switch::BatterySplash, true);
    QCOMPARE(int(s.displayPower), 0xDB);
    setSwitch(s, Switch::BatterySplash, false);
    QCOMPARE(int(s.displayPower), 0x9B);
    QVERIFY(switchState(s, Switch::LowBattery));
    QCOMPARE(int(s.switches), 0xE5);
}

void TestRz7Config::blockValidity()
{
    SRZ7ConfigData b;
    std::memset(&b, 0, sizeof b);
    SSystemConfigData s = goodSystem();
    QVERIFY(isBlockValid(b, s));
    b.PadData[2][15].setMode(4);
    b.KnobData[2][7].setMode(2);
    b.KeyData[5].setMode(6);
    QVERIFY(isBlockValid(b, s));
    b.PadData[2][15].setMode(5);
    QVERIFY(!isBlockValid(b, s));
    b.PadData[2][15].setMode(0);
    b.KeyLongData[3].setMode(7);
    QVERIFY(!isBlockValid(b, s));
    b.KeyLongData[3].setMode(0);
    b.KnobData[0][0].setMode(3);
    QVERIFY(!isBlockValid(b, s));
    b.KnobData[0][0].setMode(0);
    s.padBank = 3;
    QVERIFY(!isBlockValid(b, s));
}

TAVRO_TEST_MAIN(TestRz7Config)
#include "test_rz7config.moc"
