// The simulated controllers' factory test mode without MIDI: what the device
// keeps of the test frames, its flash answer, its status bits, its faults and
// the wiring of a press on the lit control.
#include <QtTest>

#include "simdevice.h"
#include "simframe.h"

using namespace tavrosim;

namespace {

std::vector<Bytes> send(SimDevice &d, uint8_t cmd, const Bytes &payload = {}, std::string *note = nullptr)
{
    SimDevice::Outcome o = d.handleFrame(makeFrame(cmd, payload));
    if (note)
        *note = o.note;
    return o.replies;
}

SimDevice device(int model)
{
    return SimDevice(DeviceIdentity{model, "", 3});
}

QString hex(const std::vector<Bytes> &frames)
{
    QStringList out;
    for (const Bytes &f : frames)
        out << QString::fromStdString(toHex(f));
    return out.join(" | ");
}

} // namespace

class TestSimTestMode : public QObject
{
    Q_OBJECT
private slots:
    // Test LEDs and the self-test's colour frames are kept in order and leave
    // the block alone; every CMD_TEST_START is counted.
    void keepsLights()
    {
        SimDevice d = device(7);
        const Bytes block = d.block(0);
        send(d, kCmdTestLed, {0x00, 0x00, 0xFF, 0x00}); // lit before the test starts
        QVERIFY(!d.testMode());
        send(d, kCmdTestStart);
        send(d, kCmdTestStart);
        Bytes colours(55, 0x12);
        colours[0] = 0xFF;
        send(d, kCmdPadColours, colours);
        send(d, kCmdTestLed, {0x8C, 0x00, 0xFF, 0x00});
        const SimTestMode &t = d.test();
        QCOMPARE(t.starts, 2);
        QCOMPARE(int(t.leds().size()), 2);
        QCOMPARE(int(t.padColours().size()), 1);
        QCOMPARE(t.lights[1].command, uint8_t(kCmdPadColours));
        QCOMPARE(t.lastLed(), 0x8C);
        QVERIFY(d.block(0) == block);
    }

    // The poll answer carries the model's status bits, on by default; each
    // can be taken off; a short record is one byte short.
    void statusBits_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("byte");
        QTest::addColumn<int>("both");
        QTest::addColumn<int>("noMidi");
        QTest::addColumn<int>("noBluetooth");
        QTest::newRow("pad") << 7 << 29 << 0xC0 << 0x80 << 0x40;
        QTest::newRow("small pad") << 8 << 28 << 0x80 << 0x80 << 0x00;
        QTest::newRow("keyboard") << 9 << 26 << 0x80 << 0x80 << 0x00;
    }
    void statusBits()
    {
        QFETCH(int, model);
        QFETCH(int, byte);
        QFETCH(int, both);
        QFETCH(int, noMidi);
        QFETCH(int, noBluetooth);
        SimDevice d = device(model);
        const size_t size = d.systemRecord().size();
        send(d, kCmdTestStart);
        auto statusByte = [&] {
            const std::vector<Bytes> r = send(d, kCmdPoll);
            return r.size() == 1 && r[0].size() == size + 7 ? int(r[0][6 + size_t(byte)]) & both : -1;
        };
        QCOMPARE(statusByte(), both);
        d.test().midiCable = false;
        QCOMPARE(statusByte(), noMidi);
        d.test().midiCable = true;
        d.test().bluetooth = false;
        QCOMPARE(statusByte(), noBluetooth);
        d.test().shortRecord = true;
        QCOMPARE(send(d, kCmdPoll)[0].size(), size + 6);
    }

    void flashAnswer()
    {
        SimDevice d = device(8);
        send(d, kCmdTestStart);
        QCOMPARE(hex(send(d, kCmdTestFlash)), QString("78 59 74 01 00 00 01 FE"));
        d.test().flashAnswer = 0;
        QCOMPARE(hex(send(d, kCmdTestFlash)), QString("78 59 74 01 00 00 00 FF"));
        d.test().flashAnswer = SimTestMode::kFlashEmpty;
        QCOMPARE(hex(send(d, kCmdTestFlash)), QString("78 59 74 00 00 00 FF"));
        d.test().flashAnswer = SimTestMode::kFlashNone;
        std::string note;
        QVERIFY(send(d, kCmdTestFlash, {}, &note).empty());
        QVERIFY(!note.empty());
    }

    // The wiring of the pad models, from the step table's LED and data1
    // columns: buttons by control change, pads by note-on, nothing when the
    // LED marks no control.
    void pressLit_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("led");
        QTest::addColumn<QString>("message");
        QTest::newRow("7 first button") << 7 << 0x03 << "B0 0B 40";
        QTest::newRow("7 first pad") << 7 << 0x8C << "90 20 40";
        QTest::newRow("8 last pad") << 8 << 0x83 << "90 17 40";
        QTest::newRow("8 no button 16") << 8 << 0x06 << "";
        QTest::newRow("no control") << 7 << 100 << "";
    }
    void pressLit()
    {
        QFETCH(int, model);
        QFETCH(int, led);
        QFETCH(QString, message);
        SimDevice d = device(model);
        QVERIFY(d.pressLitMessage(0x40).empty());
        send(d, kCmdTestLed, {uint8_t(led), 0x00, 0xFF, 0x00});
        QCOMPARE(QString::fromStdString(toHex(d.pressLitMessage(0x40))), message);
    }
};

QTEST_GUILESS_MAIN(TestSimTestMode)
#include "test_simtestmode.moc"
