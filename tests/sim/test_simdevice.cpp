// The simulated controller without MIDI: its packing and frame checks, and the
// pad controller's state as the frames change it.
#include "bytes.h"
#include "simdevice.h"
#include "simframe.h"
#include "sysexpacking.h"
#include "testmain.h"

#include <random>

using namespace tavrosim;

namespace {

Bytes B(const char *text)
{
    const QByteArray a = tavrotest::hex(text);
    return Bytes(a.begin(), a.end());
}

QString H(const Bytes &b)
{
    return QString::fromStdString(toHex(b));
}

Bytes frameOf(uint8_t cmd, const Bytes &payload)
{
    return makeFrame(cmd, payload);
}

// Runs one frame through the device and returns its replies.
std::vector<Bytes> send(SimDevice &d, uint8_t cmd, const Bytes &payload, std::string *note = nullptr)
{
    SimDevice::Outcome o = d.handleFrame(frameOf(cmd, payload));
    if (note)
        *note = o.note;
    return o.replies;
}

Bytes slice(const Bytes &b, size_t at, size_t n)
{
    return Bytes(b.begin() + long(at), b.begin() + long(at + n));
}

Bytes pattern(size_t n, uint8_t seed)
{
    Bytes b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = uint8_t(seed + i * 7);
    return b;
}

} // namespace

class Test_simdevice : public QObject
{
    Q_OBJECT

private slots:
    void packingWorkedExamples_data();
    void packingWorkedExamples();
    void packingAgreesWithEditorAndRoundTrips();
    void frameChecks();
    void messageSplitting();
    void hexParsing();
    void identityAndPollAnswers();
    void sectionWritesLandInTheBlock();
    void sectionWritesOfWrongShapeAreIgnored();
    void presetsSaveAndFactoryReset();
    void systemRecordWrites();
    void smallPadUnit();
};

void Test_simdevice::packingWorkedExamples_data()
{
    QTest::addColumn<QString>("frame");
    QTest::addColumn<QString>("packed");
    QTest::newRow("device info") << "78 59 11 00 00 00 FF" << "F0 78 32 45 00 00 00 40 7F F7";
    QTest::newRow("poll") << "78 59 66 00 00 00 FF" << "F0 78 32 19 03 00 00 40 7F F7";
    QTest::newRow("hello") << "78 59 12 01 00 00 01 FE" << "F0 78 32 49 08 00 00 40 00 7E 01 F7";
    QTest::newRow("read preset") << "78 59 67 01 00 00 02 FD" << "F0 78 32 1D 0B 00 00 00 01 7D 01 F7";
    QTest::newRow("factory reset") << "78 59 70 02 00 00 78 59 2E"
                                   << "F0 78 32 41 13 00 00 00 3C 59 5C 00 F7";
    QTest::newRow("empty") << "" << "F0 F7";
    QTest::newRow("seven FF") << "FF FF FF FF FF FF FF" << "F0 7F 7F 7F 7F 7F 7F 7F 7F F7";
    QTest::newRow("eight 80") << "80 80 80 80 80 80 80 80" << "F0 00 01 02 04 08 10 20 40 00 01 F7";
}

void Test_simdevice::packingWorkedExamples()
{
    QFETCH(QString, frame);
    QFETCH(QString, packed);
    const Bytes f = B(frame.toLatin1().constData());
    const Bytes p = B(packed.toLatin1().constData());
    QCOMPARE(H(packSysEx(f)), H(p));
    bool high = true;
    QCOMPARE(H(unpackSysEx(p.data(), p.size(), &high)), H(f));
    QVERIFY(!high);
}

void Test_simdevice::packingAgreesWithEditorAndRoundTrips()
{
    // Two packings written apart must agree byte for byte, at every length
    // class modulo 7 and at the longest frame the editor takes.
    std::mt19937 rng(7);
    std::vector<size_t> lengths;
    for (size_t n = 0; n <= 30; ++n)
        lengths.push_back(n);
    lengths.push_back(830);
    lengths.push_back(4937);
    for (size_t n : lengths) {
        Bytes f(n);
        for (uint8_t &b : f)
            b = uint8_t(rng());
        const Bytes mine = packSysEx(f);
        QCOMPARE(mine.size(), size_t(packedSysExSize(uint(n))));
        Bytes theirs(packedSysExSize(uint(n)));
        QCOMPARE(size_t(::packSysEx(f.data(), uint(n), theirs.data())), theirs.size());
        QVERIFY2(mine == theirs, qPrintable(QStringLiteral("length %1").arg(n)));
        for (size_t i = 1; i + 1 < mine.size(); ++i)
            QVERIFY(mine[i] < 0x80);
        QCOMPARE(H(unpackSysEx(mine.data(), mine.size())), H(f));
    }
}

void Test_simdevice::frameChecks()
{
    // Checksums: 78 59 -> 2E, 7F 7F -> 01, 01 -> FE; a sum of 0x1D1 -> 2E; empty -> FF.
    QCOMPARE(H(makeFrame(0x70, B("78 59"))), QStringLiteral("78 59 70 02 00 00 78 59 2E"));
    QCOMPARE(makeFrame(0x71, B("7F 7F")).back(), uint8_t(0x01));
    QCOMPARE(makeFrame(0x12, B("01")).back(), uint8_t(0xFE));
    QCOMPARE(makeFrame(0x50, B("FF FF D3")).back(), uint8_t(0x2E));
    QCOMPARE(H(makeFrame(0x66, {})), QStringLiteral("78 59 66 00 00 00 FF"));
    // The length is 24-bit little-endian.
    const Bytes big = makeFrame(0x66, Bytes(0x11223, 0));
    QCOMPARE(H(slice(big, 3, 3)), QStringLiteral("23 12 01"));

    QCOMPARE(checkFrame(B("78 59 66 00 00 00 FF")), FrameVerdict::Ok);
    QCOMPARE(checkFrame(B("78 59 12 01 00 00 01 FE")), FrameVerdict::Ok);
    QCOMPARE(checkFrame(B("78 59 12 01 00 00 01 FD")), FrameVerdict::BadChecksum);
    QCOMPARE(checkFrame(B("78 59 12 02 00 00 01 FE")), FrameVerdict::BadLength);
    QCOMPARE(checkFrame(B("78 59 12 01 00 00 01 FE 00")), FrameVerdict::BadLength);
    QCOMPARE(checkFrame(B("79 59 66 00 00 00 FF")), FrameVerdict::BadMagic);
    QCOMPARE(checkFrame(B("78 59 66 00 00 00")), FrameVerdict::TooShort);
    QCOMPARE(checkFrame({}), FrameVerdict::TooShort);

    bool high = false;
    unpackSysEx(B("F0 78 32 85 F7").data(), 5, &high);
    QVERIFY(high);
}

void Test_simdevice::messageSplitting()
{
    const std::vector<Bytes> m =
        splitMessages(B("90 3C 64 80 3C 00 F8 F0 01 F8 02 F7 C0 05 D0 40 E0 00 40 FE 3C 40"));
    QStringList got;
    for (const Bytes &b : m)
        got << H(b);
    // Real-time bytes stand alone, also inside a SysEx; a stray data run is kept.
    QCOMPARE(got, QStringList({"90 3C 64", "80 3C 00", "F8", "F8", "F0 01 02 F7", "C0 05", "D0 40",
                               "E0 00 40", "FE", "3C 40"}));
    QCOMPARE(splitMessages(B("F2 01 02 F6 F1 05")).size(), size_t(3));
}

void Test_simdevice::hexParsing()
{
    Bytes b;
    QVERIFY(parseHex("78 59 0x11,ff", &b));
    QCOMPARE(H(b), QStringLiteral("78 59 11 FF"));
    QVERIFY(parseHex("7859", &b));
    QCOMPARE(H(b), QStringLiteral("78 59"));
    QVERIFY(!parseHex("7 8", &b));
    QVERIFY(!parseHex("785", &b));
    QVERIFY(!parseHex("zz", &b));
}

void Test_simdevice::identityAndPollAnswers()
{
    SimDevice pad(DeviceIdentity{7, "rz7", 3});
    std::vector<Bytes> r = send(pad, kCmdDeviceInfo, {});
    QCOMPARE(r.size(), size_t(1));
    QCOMPARE(H(r[0]), QStringLiteral("78 59 11 12 00 00 07 72 7A 37 00 00 00 00 00 00 00 00 00 00 00 00 00 03 D2"));
    QVERIFY(send(pad, kCmdHostHello, B("01")).empty());
    QVERIFY(send(pad, kCmdPageClose, {}).empty());

    // A folder longer than 16 characters is cut to 16.
    SimDevice longName(DeviceIdentity{8, "abcdefghijklmnopqrs", 1});
    r = send(longName, kCmdDeviceInfo, {});
    QCOMPARE(r[0].size(), size_t(25));
    QCOMPARE(r[0][22], uint8_t('p'));

    // The pad record passes the page's own check of a received record.
    r = send(pad, kCmdPoll, {});
    QCOMPARE(r.size(), size_t(1));
    QCOMPARE(r[0][2], uint8_t(kCmdSystemConfig));
    QCOMPARE(framePayloadSize(r[0]), 32u);
    const Bytes rec = slice(r[0], 6, 32);
    const unsigned tempo = rec[0] | rec[1] << 8;
    QCOMPARE(tempo, 120u);
    QVERIFY(rec[4] <= 7 && rec[5] <= 4 && rec[6] <= 7);
    QVERIFY(rec[7] >= 1 && rec[7] <= 99);
    QVERIFY(rec[8] == 50);
    QVERIFY(rec[10] >= 5 && rec[10] <= 150);
    QCOMPARE(H(slice(rec, 11, 16)), H(Bytes(16, 45)));
    QVERIFY(rec[28] >= 1 && rec[28] <= 127);

    SimDevice keyboard(DeviceIdentity{9, "vx18", 2});
    r = send(keyboard, kCmdPoll, {});
    QCOMPARE(r[0][2], uint8_t(kCmdSystemConfig));
    QCOMPARE(framePayloadSize(r[0]), 30u);
    QCOMPARE(H(slice(r[0], 6 + 12, 8)), H(Bytes(8, 45)));

    SimDevice pedal(DeviceIdentity{1, "Z3", 5});
    r = send(pedal, kCmdPoll, {});
    QCOMPARE(r[0][2], uint8_t(kCmdPoll));
    QCOMPARE(r[0].size(), size_t(4937));
    QCOMPARE(checkFrame(r[0]), FrameVerdict::Ok);
    SimDevice oldPedal(DeviceIdentity{1, "Z3", 4});
    r = send(oldPedal, kCmdPoll, {});
    QCOMPARE(framePayloadSize(r[0]), 1184u);
    oldPedal.setFirmware(6);
    QCOMPARE(framePayloadSize(send(oldPedal, kCmdPoll, {})[0]), 4930u);

    // Upgrade mode needs its 7F 7F; test mode is remembered.
    QVERIFY(!pad.handleFrame(frameOf(kCmdEnterUpgrade, B("7F 7E"))).enterUpgrade);
    QVERIFY(pad.handleFrame(frameOf(kCmdEnterUpgrade, B("7F 7F"))).enterUpgrade);
    QVERIFY(!pad.testMode());
    send(pad, kCmdTestStart, {});
    QVERIFY(pad.testMode());
}

void Test_simdevice::sectionWritesLandInTheBlock()
{
    using namespace padblock;
    SimDevice d;
    Bytes sys = d.systemRecord();
    sys[sysrec::kPadBank] = 1;
    sys[sysrec::kKnobGroup] = 2;
    sys[sysrec::kPreset] = 3;
    QVERIFY(send(d, kCmdSystemConfig, sys).size() == 1);
    QCOMPARE(d.currentPreset(), 3);
    const Bytes before = d.block(3);

    // Pads of bank 2: 64 bytes at 120 + 128.
    const Bytes pads = pattern(64, 1);
    Bytes payload{2};
    payload.insert(payload.end(), pads.begin(), pads.end());
    QVERIFY(send(d, kCmdWritePads, payload).empty());
    QCOMPARE(H(slice(d.block(3), 248, 64)), H(pads));

    // Knobs of group 1: 40 bytes at 40.
    const Bytes knobs = pattern(40, 2);
    payload = {1};
    payload.insert(payload.end(), knobs.begin(), knobs.end());
    send(d, kCmdWriteKnobs, payload);
    QCOMPARE(H(slice(d.block(3), 40, 40)), H(knobs));

    const Bytes keys = pattern(48, 3);
    send(d, kCmdWriteKeys, keys);
    QCOMPARE(H(slice(d.block(3), 456, 48)), H(keys));

    const Bytes modes = pattern(18, 4);
    send(d, kCmdWriteModeColours, modes);
    QCOMPARE(H(slice(d.block(3), 504, 18)), H(modes));

    // Colours follow the device's current pad bank (1) and knob group (2).
    Bytes colours{5};
    const Bytes bank = pattern(48, 5), knobColour = B("11 22 33"), padColour = B("44 55 66");
    colours.insert(colours.end(), bank.begin(), bank.end());
    colours.insert(colours.end(), knobColour.begin(), knobColour.end());
    colours.insert(colours.end(), padColour.begin(), padColour.end());
    send(d, kCmdPadColours, colours);
    QCOMPARE(H(slice(d.block(3), 312 + 48, 48)), H(bank));
    QCOMPARE(H(slice(d.block(3), 504 + 6, 3)), H(knobColour));
    QCOMPARE(H(slice(d.block(3), 513 + 3, 3)), H(padColour));

    // The pool: its used length first, the rest of the pool untouched.
    const Bytes pool = B("F0 43 10 4C F7 F0 7E F7");
    payload = {uint8_t(pool.size()), 0};
    payload.insert(payload.end(), pool.begin(), pool.end());
    send(d, kCmdWriteSysexPool, payload);
    QCOMPARE(H(slice(d.block(3), 522, pool.size())), H(pool));
    QCOMPARE(d.block(3)[522 + pool.size()], before[522 + pool.size()]);

    // Nothing outside the written sections moved: the first pad bank, the
    // first knob group and the CRC byte are as they were.
    QCOMPARE(H(slice(d.block(3), 0, 40)), H(slice(before, 0, 40)));
    QCOMPARE(H(slice(d.block(3), 120, 128)), H(slice(before, 120, 128)));
    QCOMPARE(d.block(3)[kCrc], before[kCrc]);
    // Other presets are untouched.
    QCOMPARE(H(d.block(2)), H(factoryPadBlock(2)));

    // The whole block, and a read returns [preset] + block.
    const Bytes whole = pattern(kSize, 9);
    send(d, kCmdWriteConfig, whole);
    QCOMPARE(H(d.block(3)), H(whole));
    std::vector<Bytes> r = send(d, kCmdReadPreset, B("03"));
    QCOMPARE(r.size(), size_t(1));
    QCOMPARE(framePayloadSize(r[0]), 824u);
    QCOMPARE(r[0][6], uint8_t(3));
    QCOMPARE(H(slice(r[0], 7, kSize)), H(whole));
    QCOMPARE(checkFrame(r[0]), FrameVerdict::Ok);
    r = send(d, kCmdReadPreset, B("05"));
    QCOMPARE(H(slice(r[0], 7, kSize)), H(factoryPadBlock(5)));
}

void Test_simdevice::sectionWritesOfWrongShapeAreIgnored()
{
    SimDevice d;
    const Bytes before = d.block(0);
    std::string note;
    send(d, kCmdWritePads, Bytes(64, 1), &note); // one byte short
    QVERIFY(!note.empty());
    Bytes badBank(65, 1);
    badBank[0] = 3;
    send(d, kCmdWritePads, badBank, &note);
    QVERIFY(!note.empty());
    send(d, kCmdWriteKnobs, Bytes(41, 3), &note); // group 3
    QVERIFY(!note.empty());
    Bytes pool{0x2D, 0x01}; // 301 bytes
    pool.resize(303, 0);
    send(d, kCmdWriteSysexPool, pool, &note);
    QVERIFY(!note.empty());
    send(d, kCmdWriteSysexPool, B("05 00 01 02"), &note); // says 5, brings 2
    QVERIFY(!note.empty());
    send(d, kCmdWriteConfig, Bytes(822, 1), &note);
    QVERIFY(!note.empty());
    Bytes colours(55, 1);
    colours[0] = 16;
    send(d, kCmdPadColours, colours, &note);
    QVERIFY(!note.empty());
    QCOMPARE(H(d.block(0)), H(before));
    QVERIFY(send(d, kCmdReadPreset, B("08")).empty());
    QVERIFY(send(d, kCmdReadPreset, {}).empty());
}

void Test_simdevice::presetsSaveAndFactoryReset()
{
    SimDevice d;
    Bytes payload{0};
    const Bytes pads = pattern(64, 0x20);
    payload.insert(payload.end(), pads.begin(), pads.end());
    send(d, kCmdWritePads, payload);
    QCOMPARE(H(slice(d.block(0), 120, 64)), H(pads));
    QCOMPARE(H(d.flashBlock(0)), H(factoryPadBlock(0)));

    // Save stores the working copy in flash and answers 1.
    std::vector<Bytes> r = send(d, kCmdSave, {});
    QCOMPARE(H(r.at(0)), QStringLiteral("78 59 68 01 00 00 01 FE"));
    QCOMPARE(H(d.flashBlock(0)), H(d.block(0)));

    // An unsaved edit is lost when the device leaves the preset.
    send(d, kCmdWriteKeys, pattern(48, 0x30));
    d.selectPreset(4);
    QCOMPARE(d.currentPreset(), 4);
    QCOMPARE(H(d.block(0)), H(d.flashBlock(0)));
    QCOMPARE(H(slice(d.block(0), 120, 64)), H(pads));

    // A failing save answers 0 and keeps the flash.
    d.setResult(kCmdSave, 0);
    send(d, kCmdWriteKeys, pattern(48, 0x40));
    r = send(d, kCmdSave, {});
    QCOMPARE(H(r.at(0)), QStringLiteral("78 59 68 01 00 00 00 FF"));
    QCOMPARE(H(d.flashBlock(4)), H(factoryPadBlock(4)));

    // Factory reset wants 78 59; then everything is as from the factory.
    QVERIFY(send(d, kCmdFactoryReset, B("78 58")).empty());
    QVERIFY(d.flashBlock(0) != factoryPadBlock(0));
    r = send(d, kCmdFactoryReset, B("78 59"));
    QCOMPARE(H(r.at(0)), QStringLiteral("78 59 70 01 00 00 01 FE"));
    for (int p = 0; p < 8; ++p) {
        QCOMPARE(H(d.flashBlock(p)), H(factoryPadBlock(p)));
        QCOMPARE(H(d.block(p)), H(factoryPadBlock(p)));
    }
    QCOMPARE(H(d.systemRecord()), H(factorySystemRecord(7)));
    // The presets differ, so that a test can tell which one it was given.
    QVERIFY(factoryPadBlock(0) != factoryPadBlock(1));
}

void Test_simdevice::systemRecordWrites()
{
    SimDevice d;
    Bytes rec = d.systemRecord();
    rec[0] = 0x2C; // tempo 300
    rec[1] = 0x01;
    rec[31] = 0x99; // the device's own byte is not taken from the host
    std::vector<Bytes> r = send(d, kCmdSystemConfig, rec);
    QCOMPARE(r.size(), size_t(1)); // the echo
    QCOMPARE(d.systemRecord()[0], uint8_t(0x2C));
    QCOMPARE(d.systemRecord()[1], uint8_t(0x01));
    QCOMPARE(d.systemRecord()[31], uint8_t(0));
    QCOMPARE(H(slice(r[0], 6, 32)), H(d.systemRecord()));

    d.setEchoSystemRecord(false);
    rec[4] = 2;
    QVERIFY(send(d, kCmdSystemConfig, rec).empty());
    QCOMPARE(d.currentPreset(), 2);

    std::string note;
    rec[4] = 8;
    send(d, kCmdSystemConfig, rec, &note);
    QVERIFY(!note.empty());
    QCOMPARE(d.currentPreset(), 2);
    send(d, kCmdSystemConfig, Bytes(30, 0), &note);
    QVERIFY(!note.empty());
    QCOMPARE(d.systemRecord()[0], uint8_t(0x2C));

    SimDevice keyboard(DeviceIdentity{9, "vx18", 1});
    Bytes krec = keyboard.systemRecord();
    krec[2] = 3;
    keyboard.setEchoSystemRecord(false);
    QVERIFY(send(keyboard, kCmdSystemConfig, krec).empty());
    QCOMPARE(keyboard.systemRecord()[2], uint8_t(3));
}

// Model 8: its record's preset at byte 3, bytes 30 and 31 its own, no echo;
// its sections at their own sizes and places.
void Test_simdevice::smallPadUnit()
{
    SimDevice d(DeviceIdentity{8, "rznano", 3});
    Bytes rec = d.systemRecord();
    QCOMPARE(H(slice(rec, 30, 2)), QStringLiteral("5A A5"));
    rec[2] = 1; // pad bank
    rec[3] = 6; // preset
    rec[30] = 0;
    rec[31] = 0;
    QVERIFY(send(d, kCmdSystemConfig, rec).empty());
    QCOMPARE(d.currentPreset(), 6);
    QCOMPARE(H(slice(d.systemRecord(), 30, 2)), QStringLiteral("5A A5"));

    Bytes colours{0xFF};
    const Bytes bank = pattern(48, 5);
    colours.insert(colours.end(), bank.begin(), bank.end());
    colours.insert(colours.end(), {0x11, 0x22, 0x33, 0x44, 0x55, 0x66});
    std::string note;
    send(d, kCmdPadColours, colours, &note);
    QVERIFY(note.empty());
    QCOMPARE(H(slice(d.block(6), 192 + 48, 48)), H(bank));
    QCOMPARE(H(slice(d.block(6), 360 + 3, 3)), QStringLiteral("11 22 33"));
    QCOMPARE(H(slice(d.block(6), 369 + 3, 3)), QStringLiteral("44 55 66"));
    send(d, kCmdWriteKeys, pattern(24, 3), &note);
    QCOMPARE(H(slice(d.block(6), 336, 24)), H(pattern(24, 3)));
    Bytes pads{2};
    const Bytes records = pattern(64, 1);
    pads.insert(pads.end(), records.begin(), records.end());
    send(d, kCmdWritePads, pads);
    QCOMPARE(H(slice(d.block(6), 128, 64)), H(records));
    send(d, kCmdWriteSysexPool, B("02 00 F8 FA"));
    QCOMPARE(H(slice(d.block(6), 378, 2)), QStringLiteral("F8 FA"));
    const std::vector<Bytes> r = send(d, kCmdReadPreset, B("06"));
    QCOMPARE(framePayloadSize(r.at(0)), 680u);
    QCOMPARE(H(slice(r[0], 7, 679)), H(d.block(6)));

    // The pad controller's sizes are noted and change nothing.
    const Bytes before = d.block(6);
    for (const auto &wrong : {std::make_pair(kCmdWriteKeys, size_t(48)), std::make_pair(kCmdWriteConfig, size_t(823)),
                              std::make_pair(kCmdWriteModeColours, size_t(17))}) {
        note.clear();
        send(d, wrong.first, Bytes(wrong.second, 1), &note);
        QVERIFY(!note.empty());
    }
    QCOMPARE(H(d.block(6)), H(before));
}

TAVRO_TEST_MAIN(Test_simdevice)
#include "test_simdevice.moc"
