// The older foot pedal's unit without MIDI: the page's frames land in its
// image, wrong sizes are noted and change nothing, polls answer the image or
// the image a fault asks for, and a reset brings back the factory image.
#include "bytes.h"
#include "models/oldpedalmodel.h"
#include "simdevice.h"
#include "testmain.h"

using namespace tavrosim;
using namespace tavrosim::oldpedal;

namespace {

Bytes B(const char *text)
{
    const QByteArray a = tavrotest::hex(text);
    return Bytes(a.begin(), a.end());
}

Bytes slice(const Bytes &b, size_t at, size_t n)
{
    return Bytes(b.begin() + long(at), b.begin() + long(at + n));
}

} // namespace

class Test_oldpedalmodel : public QObject
{
    Q_OBJECT
private slots:
    void framesLandInTheImage_data();
    void framesLandInTheImage();
    void pollsResetAndPresets();
};

void Test_oldpedalmodel::framesLandInTheImage_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<int>("at");
    QTest::addColumn<QByteArray>("expected"); // bytes at `at` afterwards; empty: the image is unchanged
    const auto h = [](const char *t) { return tavrotest::hex(t); };
    QTest::newRow("event record, switch B")
        << 0x60 << h("00 25 00 01 00 00 B0 07 7F") << int(sw(1)) << h("05 00 01 00 00 B0 07 7F");
    QTest::newRow("sysex record, switch D list 2, length")
        << 0x60 << h("00 43 0F 00 04 F0 41 10 F7") << int(sw(3) + kSysexLen1) << h("00 00 04 00");
    QTest::newRow("sysex record, switch D list 2, bytes")
        << 0x60 << h("00 43 0F 00 04 F0 41 10 F7") << int(sw(3) + kSysex2) << h("F0 41 10 F7");
    QTest::newRow("record of the wrong size") << 0x60 << h("00 11 00 02 00 00 90 3C 64") << 0 << QByteArray();
    QTest::newRow("record of switch 5") << 0x60 << h("00 51 00 00 00") << 0 << QByteArray();
    QTest::newRow("preset selection") << 0x60 << h("01 FC") << int(kPreset) << h("03");
    QTest::newRow("switches")
        << 0x62 << h("11 01 02 21 03 04 31 05 06 41 07 08") << int(sw(3) + kLatch) << h("41 07 08");
    QTest::newRow("switches, 11 bytes") << 0x62 << h("11 01 02 21 03 04 31 05 06 41 07") << 0 << QByteArray();
    QTest::newRow("expression") << 0x65 << h("02 40 05 78 00 07 00 64") << int(kPedalData)
                                << h("02 40 05 78 00 07 00 64");
    QTest::newRow("expression, empty") << 0x65 << QByteArray() << int(kPedalCount) << h("00");
    QTest::newRow("expression, 5 bytes") << 0x65 << h("02 40 05 78 00") << 0 << QByteArray();
    QTest::newRow("preset display") << 0x67 << h("8B 25 00 00 00 00 00 00 00 01") << int(kPresetDisplay)
                                    << h("8B 25 00 00 00 00 00 00 00 01");
    QTest::newRow("switch display") << 0x69 << h("01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F 10")
                                    << int(sw(2) + kDisplay) << h("09 0A 0B 0C");
    QTest::newRow("switch display, 15 bytes") << 0x69 << h("01 02 03 04 05 06 07 08 09 0A 0B 0C 0D 0E 0F")
                                              << 0 << QByteArray();
}

void Test_oldpedalmodel::framesLandInTheImage()
{
    QFETCH(int, command);
    QFETCH(QByteArray, payload);
    QFETCH(int, at);
    QFETCH(QByteArray, expected);
    SimDevice pedal(DeviceIdentity{1, "Z3", 4});
    const Bytes before = pedal.pedalImage();
    const SimDevice::Outcome o = pedal.handleFrame(makeFrame(uint8_t(command), Bytes(payload.begin(), payload.end())));
    QVERIFY(o.replies.empty());
    if (expected.isEmpty()) {
        QVERIFY(!o.note.empty());
        QVERIFY(pedal.pedalImage() == before);
    } else {
        QCOMPARE(o.note, std::string());
        QCOMPARE(slice(pedal.pedalImage(), size_t(at), size_t(expected.size())),
                 Bytes(expected.begin(), expected.end()));
    }
}

void Test_oldpedalmodel::pollsResetAndPresets()
{
    SimDevice pedal(DeviceIdentity{1, "Z3", 4});
    const Bytes factory = oldPedalFactoryImage();
    QCOMPARE(factory[kPreset], uint8_t(1));
    QVERIFY(factory[kReserved1] != factory[kReserved2] && factory[kReserved2] != factory[kReserved2 + 1]);
    auto poll = [&] { return pedal.handleFrame(makeFrame(kCmdPoll, {})).replies.at(0); };
    QVERIFY(poll() == makeFrame(kCmdPoll, factory));

    auto *unit = pedal.unit<SimOldPedalModel>();
    QVERIFY(unit);
    unit->answerPollsWith(oldPedalImage(OldPedalImage::PresetZero), 2);
    unit->answerPollShort();
    QCOMPARE(poll()[6 + kPreset], uint8_t(0));
    QCOMPARE(poll()[6 + kPreset], uint8_t(0));
    const Bytes cut = poll();
    QCOMPARE(cut.size(), size_t(6 + 592));
    QCOMPARE(framePayloadSize(cut), uint32_t(1184));
    QCOMPARE(poll()[6 + kPreset], uint8_t(1));

    QCOMPARE(unit->selectPreset(4), B("04"));
    QCOMPARE(pedal.pedalImage()[kPreset], uint8_t(4));
    QVERIFY(unit->selectPreset(6).empty());

    pedal.handleFrame(makeFrame(0x62, Bytes(12, 0x33)));
    const SimDevice::Outcome reset = pedal.handleFrame(makeFrame(kCmdFactoryReset, B("78 59")));
    QVERIFY(reset.replies.empty());
    QVERIFY(pedal.pedalImage() == factory);
}

TAVRO_TEST_MAIN(Test_oldpedalmodel)
#include "test_oldpedalmodel.moc"
