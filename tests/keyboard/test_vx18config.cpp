// The keyboard's block, system record codec, SysEx pool and frames, checked
// against byte offsets and frames written out here.
#include "devices/keyboard/vx18config.h"
#include "devices/keyboard/vx18model.h"
#include "bytes.h"
#include "testmain.h"

#include <cstring>

using namespace tavrotest;
using namespace vx18;

namespace {

QByteArray frameBytes(const uchar *f, uint n)
{
    return QByteArray(reinterpret_cast<const char *>(f), int(n));
}

SVX18ConfigData zeroBlock()
{
    SVX18ConfigData b;
    std::memset(&b, 0, sizeof b);
    return b;
}

SSystemConfigData zeroSystem()
{
    SSystemConfigData s;
    std::memset(&s, 0, sizeof s);
    return s;
}

// A reply frame as the device sends it: header, payload, checksum.
QByteArray reply(uchar command, const QByteArray &payload)
{
    QByteArray f = hex("78 59");
    f.append(char(command));
    const int n = payload.size();
    f.append(char(n & 0xFF)).append(char((n >> 8) & 0xFF)).append(char(n >> 16));
    f.append(payload);
    uint sum = 0;
    for (char c : payload)
        sum += uchar(c);
    f.append(char(n ? uchar(~sum) : 0xFF));
    return f;
}

void setButtonSysex(SKnobRecord &r, uint offset, uint len)
{
    r.ctrl = 0x50;
    r.data1 = uchar(offset & 0xFF);
    r.minimum = uchar(offset >> 8);
    r.maximum = uchar(len);
}

void setPadSysex(SControlRecord &r, uint offset, uint len)
{
    r.ctrl = 0x40;
    r.data1 = uchar(offset & 0xFF);
    r.value1 = uchar(offset >> 8);
    r.value2 = uchar(len);
}

} // namespace

class TestVx18Config : public QObject
{
    Q_OBJECT
private slots:
    void frames_data();
    void frames();
    void listsEncodeAndDecode_data();
    void listsEncodeAndDecode();
    void switchesKeepForeignBits();
    void thresholdsOutOfRangeBecome45();
    void poolRepackClosesGaps();
    void poolBounds_data();
    void poolBounds();
    void parsersCheckLengths_data();
    void parsersCheckLengths();
    void modelFetchesBlockForNewPreset();
    void modelPollsEveryEighthTick();
    void modelDropsRecordsUntilItsEcho();
    void modelAsksAgainForABlockDroppedWhileLoading();
};

void TestVx18Config::frames_data()
{
    QTest::addColumn<QByteArray>("built");
    QTest::addColumn<QByteArray>("expected");
    uchar out[kTxBufferSize];
    SVX18ConfigData block = zeroBlock();
    QTest::newRow("empty pool") << frameBytes(out, buildSysexPoolFrame(out, block, 0)) << hex("78 59 59 02 00 00 00 00 FF");
    QTest::newRow("read preset 3") << frameBytes(out, buildReadPresetFrame(out, 3)) << hex("78 59 67 01 00 00 03 FC");
    QTest::newRow("read keybed") << frameBytes(out, buildReadKeybedFrame(out)) << hex("78 59 22 00 00 00 FF");
    QTest::newRow("save") << frameBytes(out, buildSaveFrame(out)) << hex("78 59 68 00 00 00 FF");
    QTest::newRow("close") << frameBytes(out, buildPageCloseFrame(out)) << hex("78 59 75 00 00 00 FF");

    block.PedalType = 1;
    block.PedalCC = 11;
    QTest::newRow("wheel and pedal") << frameBytes(out, buildWheelPedalFrame(out, block))
                                     << hex("78 59 20 0A 00 00 00 00 00 00 00 01 00 0B 00 00 F3");
    block.KnobData[2][1] = SKnobRecord{0x02, 0x4A, 0x00, 0x7F, 0x02};
    const QByteArray knobs = frameBytes(out, buildWriteKnobsFrame(out, block, 2));
    QCOMPARE(knobs.size(), 48);
    QTest::newRow("knob bank 2") << knobs.mid(6, 1 + 10) << hex("02 00 00 00 00 00 02 4A 00 7F 02");
    QTest::newRow("knob bank out of range") << frameBytes(out, buildWriteKnobsFrame(out, block, 9)).mid(6, 1)
                                            << hex("00");
    block.PadData[3][7] = SControlRecord{0x91, 36, 1, 127};
    const QByteArray pads = frameBytes(out, buildWritePadsFrame(out, block, 3));
    QCOMPARE(pads.size(), 40);
    QTest::newRow("pad bank 3") << pads.mid(6, 1) + pads.mid(6 + 1 + 28, 4) << hex("03 91 24 01 7F");
    block.PadRGB[1][2] = SColourGRB{1, 2, 3};
    const QByteArray colours = frameBytes(out, buildPadColoursFrame(out, block, 2, 1));
    QCOMPARE(colours.size(), 32);
    QTest::newRow("pad colours") << colours.mid(6, 1) + colours.mid(6 + 1 + 6, 3) << hex("02 01 02 03");
    block.KeyLongData[2].options = 0x5A;
    const QByteArray keys = frameBytes(out, buildWriteKeysFrame(out, block));
    QCOMPARE(keys.size(), 37);
    QTest::newRow("keys end with long press 2") << keys.mid(6 + 29, 1) << hex("5A");
    bytes(block)[753] = 0xBC;
    const QByteArray keybed = frameBytes(out, buildKeybedFrame(out, block));
    QTest::newRow("keybed") << keybed.mid(6 + 29, 1) + keybed.left(3) << hex("BC 78 59 21");
    QCOMPARE(frameBytes(out, buildWriteConfigFrame(out, block)).size(), 762);
}

void TestVx18Config::frames()
{
    QFETCH(QByteArray, built);
    QFETCH(QByteArray, expected);
    QCOMPARE(toHex(built), toHex(expected));
}

void TestVx18Config::listsEncodeAndDecode_data()
{
    QTest::addColumn<int>("list");
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("byteOffset");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("tempo 300") << int(List::Tempo) << 270 << 0 << hex("2C 01");
    QTest::newRow("tempo 30") << int(List::Tempo) << 0 << 0 << hex("1E 00");
    QTest::newRow("chord 0") << int(List::Chord) << 0 << 25 << hex("00");
    QTest::newRow("chord 1") << int(List::Chord) << 1 << 25 << hex("01");
    QTest::newRow("chord 2") << int(List::Chord) << 2 << 25 << hex("03");
    QTest::newRow("chord 3") << int(List::Chord) << 3 << 25 << hex("05");
    QTest::newRow("gate 99") << int(List::Gate) << 98 << 8 << hex("63");
    QTest::newRow("swing 75") << int(List::Swing) << 25 << 9 << hex("4B");
    QTest::newRow("delay 300") << int(List::AftertouchDelay) << 145 << 11 << hex("96");
    QTest::newRow("full level 127") << int(List::FullLevelVelocity) << 126 << 20 << hex("7F");
    QTest::newRow("pad-down colour") << int(List::PadDownColour) << 3 << 27 << hex("03");
    QTest::newRow("standby") << int(List::AutoStandby) << 7 << 27 << hex("38");
}

void TestVx18Config::listsEncodeAndDecode()
{
    QFETCH(int, list);
    QFETCH(int, index);
    QFETCH(int, byteOffset);
    QFETCH(QByteArray, bytes);
    SSystemConfigData sys = zeroSystem();
    setListIndex(sys, List(list), index);
    const auto *raw = reinterpret_cast<const char *>(&sys);
    QCOMPARE(toHex(QByteArray(raw + byteOffset, bytes.size())), toHex(bytes));
    QCOMPARE(listIndex(sys, List(list)), index);
}

void TestVx18Config::switchesKeepForeignBits()
{
    SSystemConfigData sys = zeroSystem();
    sys.switches = 0xC1;  // bits 6, 7 foreign, ECO on
    sys.packed = 0x3F;
    sys.latch = 0xFE;
    setSwitch(sys, Switch::Dark, true);
    QCOMPARE(int(sys.switches), 0xC2); // ECO cleared by dark mode
    setSwitch(sys, Switch::ArpLatch, true);
    QCOMPARE(int(sys.latch), 0xFF);
    setSwitch(sys, Switch::LowBattery, true);
    setListIndex(sys, List::PadDownColour, 1);
    QCOMPARE(int(sys.packed), 0xB9);

    // Fields that no list entry shows stay as received, and a -1 writes nothing.
    sys.scaleType = 5;
    sys.chord = 4;
    sys.aftertouchDelay = 200;
    sys.padBank = 9;
    for (List l : {List::ScaleType, List::Chord, List::AftertouchDelay, List::PadBank})
        QCOMPARE(listIndex(sys, l), -1);
    setListIndex(sys, List::Chord, -1);
    QCOMPARE(int(sys.chord), 4);
    sys.scaleType = 0x81;
    QCOMPARE(listIndex(sys, List::ScaleType), 1);
}

void TestVx18Config::thresholdsOutOfRangeBecome45()
{
    SSystemConfigData sys = zeroSystem();
    const uchar t[8] = {9, 10, 90, 91, 50, 0, 255, 45};
    std::memcpy(sys.thresholds, t, 8);
    uchar out[kTxBufferSize];
    QCOMPARE(buildSystemConfigFrame(out, sys), 37u);
    CVX18Model model;
    QCOMPARE(model.systemConfigFrame(out), 0u); // nothing of the device's yet
    model.receiveFrame(u8(reply(CMD_SYSTEM_CONFIG, QByteArray(30, 0))), 37); // equal, but heard
    model.system() = sys;
    QCOMPARE(model.systemConfigFrame(out), 37u);
    QCOMPARE(toHex(frameBytes(out + 6 + 12, 8)), toHex(hex("2D 0A 5A 2D 32 2D 2D 2D")));
}

void TestVx18Config::poolRepackClosesGaps()
{
    SVX18ConfigData block = zeroBlock();
    SysexTextStore store;
    std::memset(&store, 0, sizeof store);
    setButtonSysex(block.KeyData[0], 0, 3);
    setButtonSysex(block.KeyData[1], 3, 2);
    setPadSysex(block.PadData[0][2], 5, 4);
    std::memcpy(block.SysexPool, "\xF0\x01\xF7\xF0\xF7\xF0\x02\x03\xF7", 9);
    block.PadData[1][0] = SControlRecord{0x50, 9, 9, 9};   // pad mode 5: not Customize
    block.KeyLongData[0] = SKnobRecord{0x40, 8, 8, 8, 0};  // button mode 4: MMC
    block.KnobData[0][0] = SKnobRecord{0x50, 7, 7, 7, 0};  // knobs never take part
    setPadSysex(block.PadData[3][7], 0, 0);

    unpackSysexPool(block, store);
    QCOMPARE(int(store.poolFill), 9);
    QCOMPARE(QByteArray(reinterpret_cast<char *>(store.padText[0][2]), 4), hex("F0 02 03 F7"));

    block.KeyData[0].maximum = 0;  // button 1's message removed
    const pagekit::SPackResult packed = packSysexPool(block, store);
    QCOMPARE(packed.used, 6u);
    QCOMPARE(packed.movedTags, (std::set<int>{-1, 0, 3})); // buttons (-1) and the pad banks to write again
    QCOMPARE(int(block.KeyData[1].data1), 0);
    QCOMPARE(int(block.PadData[0][2].data1), 2);
    QCOMPARE(int(block.PadData[3][7].data1), 6); // length 0 still gets the fill
    QCOMPARE(QByteArray(reinterpret_cast<char *>(block.SysexPool), 9), hex("F0 F7 F0 02 03 F7 02 03 F7"));
    QCOMPARE(int(block.PadData[1][0].data1), 9);
    QCOMPARE(int(block.KeyLongData[0].data1), 8);
    QCOMPARE(int(block.KnobData[0][0].data1), 7);
}

void TestVx18Config::poolBounds_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("kept");
    QTest::newRow("inside") << 10 << 5 << 5;
    QTest::newRow("longer than a text") << 0 << 60 << 40;
    QTest::newRow("past the pool's end") << 290 << 20 << 10;
    QTest::newRow("outside the pool") << 1000 << 20 << 0;
}

void TestVx18Config::poolBounds()
{
    QFETCH(int, offset);
    QFETCH(int, length);
    QFETCH(int, kept);
    SVX18ConfigData block = zeroBlock();
    SysexTextStore store;
    std::memset(&store, 0xEE, sizeof store);
    setPadSysex(block.PadData[2][3], uint(offset), uint(length));
    unpackSysexPool(block, store);
    QCOMPARE(int(block.PadData[2][3].value2), kept);
    QCOMPARE(int(store.poolFill), kept);
    QCOMPARE(int(store.padText[2][4][0]), 0xEE); // the next text untouched
}

void TestVx18Config::parsersCheckLengths_data()
{
    QTest::addColumn<QByteArray>("frame");
    QTest::addColumn<int>("received");
    QTest::addColumn<int>("result");
    const QByteArray rec = reply(CMD_SYSTEM_CONFIG, QByteArray(30, 7));
    QTest::newRow("system whole") << rec << rec.size() << 1;
    QTest::newRow("system cut") << rec << rec.size() - 2 << 0;
    QTest::newRow("system without checksum") << rec << rec.size() - 1 << 1;
    QTest::newRow("system short header") << reply(CMD_SYSTEM_CONFIG, QByteArray(29, 7)) << 36 << 0;
    const QByteArray keybed = reply(CMD_READ_KEYBED, QByteArray(30, 7));
    QTest::newRow("keybed whole") << keybed << keybed.size() << 1;
    QTest::newRow("keybed short") << reply(CMD_READ_KEYBED, QByteArray(12, 7)) << 19 << 0;
    const QByteArray block = reply(CMD_READ_PRESET, QByteArray(756, 7));
    QTest::newRow("block whole") << block << block.size() << 755;
    QTest::newRow("block cut") << block << 108 << 100;
    QTest::newRow("block short header") << reply(CMD_READ_PRESET, QByteArray(11, 7)) << 18 << 10;
    QTest::newRow("block oversize") << reply(CMD_READ_PRESET, QByteArray(900, 7)) << 907 << 755;
    QTest::newRow("save ok") << reply(CMD_SAVE, hex("01")) << 8 << 1;
    QTest::newRow("save zero") << reply(CMD_SAVE, hex("00")) << 8 << 0;
    QTest::newRow("save empty") << reply(CMD_SAVE, QByteArray()) << 7 << 0;
}

void TestVx18Config::parsersCheckLengths()
{
    QFETCH(QByteArray, frame);
    QFETCH(int, received);
    QFETCH(int, result);
    SVX18ConfigData block;
    std::memset(&block, 0x55, sizeof block);
    SSystemConfigData sys = zeroSystem();
    int got = -1;
    switch (pagekit::frameCommand(u8(frame), uint(received))) {
    case CMD_SYSTEM_CONFIG: got = pagekit::parseSystemRecord(u8(frame), uint(received), &sys, kSystemSize); break;
    case CMD_READ_KEYBED: got = parseKeybedReply(u8(frame), uint(received), &block); break;
    case CMD_READ_PRESET:
        got = int(pagekit::parseConfigReply(u8(frame), uint(received), &block, kBlockSize, nullptr));
        // Never the checksum byte: the byte after the copied ones is untouched.
        if (got < int(kBlockSize))
            QCOMPARE(int(bytes(block)[got]), 0x55);
        break;
    case CMD_SAVE: got = pagekit::parseResultReply(u8(frame), uint(received)); break;
    }
    QCOMPARE(got, result);
}

void TestVx18Config::modelFetchesBlockForNewPreset()
{
    CVX18Model model;
    QByteArray rec(30, 0);
    CVX18Model::SReceived r = model.receiveFrame(u8(reply(CMD_SYSTEM_CONFIG, rec)), 37);
    QCOMPARE(int(r.kind), int(CVX18Model::SReceived::Ignored)); // equals the zeroed copy

    rec[0] = char(120);
    rec[4] = 2;
    r = model.receiveFrame(u8(reply(CMD_SYSTEM_CONFIG, rec)), 37);
    QVERIFY(r.requestPreset);
    QCOMPARE(int(r.preset), 2);
    rec[0] = char(121);  // same preset: no fetch
    QVERIFY(!model.receiveFrame(u8(reply(CMD_SYSTEM_CONFIG, rec)), 37).requestPreset);
    rec[4] = 5;          // chosen on the device: fetch that preset
    r = model.receiveFrame(u8(reply(CMD_SYSTEM_CONFIG, rec)), 37);
    QVERIFY(r.requestPreset);
    QCOMPARE(int(r.preset), 5);

    model.setLoadingPreset(true);
    rec[0] = char(122);
    QCOMPARE(int(model.receiveFrame(u8(reply(CMD_SYSTEM_CONFIG, rec)), 37).kind),
             int(CVX18Model::SReceived::Ignored));
    QCOMPARE(int(model.receiveFrame(u8(reply(CMD_READ_KEYBED, QByteArray(30, 1))), 37).kind),
             int(CVX18Model::SReceived::Keybed));
    QCOMPARE(int(model.config().KBCh), 1);
    QCOMPARE(int(model.config().CRC), 0);
}

void TestVx18Config::modelPollsEveryEighthTick()
{
    CVX18Model model;
    model.system().preset = 4;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < 7; ++i)
            QVERIFY(!model.tick().sendPoll);
        const CVX18Model::STick t = model.tick();
        QVERIFY(t.sendPoll);
        QCOMPARE(t.requestPreset, round == 0);
        QCOMPARE(int(t.preset), 4);
        model.receiveFrame(u8(reply(CMD_READ_PRESET, QByteArray(1, 4) + QByteArray(755, 1))), 763); // the block
    }
}

void TestVx18Config::modelDropsRecordsUntilItsEcho()
{
    CVX18Model model;
    QByteArray rec(30, 0);
    rec[0] = char(120);
    model.receiveFrame(u8(reply(CMD_SYSTEM_CONFIG, rec)), 37);
    auto applied = [&model](const QByteArray &record) {
        return model.receiveFrame(u8(reply(CMD_SYSTEM_CONFIG, record)), 37).kind
               == CVX18Model::SReceived::SystemApplied;
    };
    uchar out[kTxBufferSize];
    model.system().setTempo(200);
    const QByteArray sent = frameBytes(out, model.systemConfigFrame(out)).mid(6, 30);
    QVERIFY(!applied(rec)); // composed before the device took ours
    QVERIFY(!applied(rec));
    QVERIFY(!applied(sent)); // the echo ends the wait
    QVERIFY(applied(rec));  // a change on the device
    QCOMPARE(int(model.system().tempo()), 120);

    // A device that never echoes is heard again after the wait.
    model.systemConfigFrame(out);
    for (int i = 1; i < CVX18Model::kEchoWaitTicks; ++i)
        model.tick();
    QVERIFY(!applied(sent));
    model.tick();
    QVERIFY(applied(sent));
}

void TestVx18Config::modelAsksAgainForABlockDroppedWhileLoading()
{
    CVX18Model model;
    model.system().preset = 3;
    uchar preset = 0;
    model.setLoadingPreset(true);
    model.receiveFrame(u8(reply(CMD_READ_PRESET, QByteArray(1, 3))), 8); // the preset byte alone: no block
    model.setLoadingPreset(false);
    QVERIFY(!model.takeDroppedBlock(&preset));
    model.setLoadingPreset(true);
    model.receiveFrame(u8(reply(CMD_READ_PRESET, QByteArray(756, 1))), 763);
    QVERIFY(model.isConfigEmpty());
    QVERIFY(!model.takeDroppedBlock(&preset)); // still loading
    model.setLoadingPreset(false);
    QVERIFY(model.takeDroppedBlock(&preset));
    QCOMPARE(int(preset), 3);
    QVERIFY(!model.takeDroppedBlock(&preset)); // once
}

TAVRO_TEST_MAIN(TestVx18Config)
#include "test_vx18config.moc"
