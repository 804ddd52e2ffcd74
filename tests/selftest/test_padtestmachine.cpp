// The pad self-test's step machine without widgets: whole units of both
// models played through a wiring written from the step table's LED and data1
// columns (not from the editor's key table), the limits, and the edge cases
// of the checks, restarts and lamps as short scripts.
#include <QtTest>

#include "bytes.h"
#include "selftest/padtestmodel.h"
#include "selftestrecorder.h"
#include "padtestwiring.h"

using namespace padtest;
using tavrotest::SelfTestRecorder;

namespace {

// Records like the page's owner and keeps the last test LED lit, as the
// unit's LEDs do.
struct UnitRecorder : SelfTestRecorder
{
    bool sendFrame(const uchar *frame, uint len) override
    {
        if (len > 6 && frame[2] == CMD_TEST_LED)
            lit = frame[6];
        return SelfTestRecorder::sendFrame(frame, len);
    }
    int lit = -1;
};

// A unit under test with every lamp on.
struct Unit
{
    explicit Unit(int model) : m(uchar(model), out)
    {
        m.initDialog();
        m.restartTest();
        m.setLamp(LampMidi, true);
        m.setLamp(LampBluetooth, true);
    }

    void send(uint status, int data1, int value) { m.receiveMessage(status | uint(data1) << 8 | uint(value) << 16); }
    // What the operator does at the current step: a knob up and back, or the
    // lit control struck hard.
    void work()
    {
        if (m.step() < kFirstButtonStep) {
            send(0xB0, m.step(), 127);
            send(0xB0, m.step(), 0);
            return;
        }
        const tavrosim::PadPress press = tavrosim::pressLit(m.deviceId(), uchar(out.lit), 127);
        m.receiveMessage(press.message());
    }
    void goTo(int step)
    {
        for (int guard = 0; m.step() != step && guard < 40 && !m.errorShown(); ++guard)
            work();
    }

    UnitRecorder out;
    CPadTestModel m;
};

// Runs one step of a script: "go S", "cc D V", "note D V", "raw HEX",
// "lamp midi|usb|ble on|off", "restart" (Alt+S), "module" (Alt+D), "tick N",
// "flash HEX" (the flash test's answer), "gone" (the unit removed).
void runScript(Unit &u, const QString &script)
{
    for (const QString &op : script.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList w = op.simplified().split(QLatin1Char(' '));
        if (w[0] == "go")
            u.goTo(w[1].toInt());
        else if (w[0] == "cc")
            u.send(0xB0, w[1].toInt(), w[2].toInt());
        else if (w[0] == "note")
            u.send(0x90, w[1].toInt(), w[2].toInt());
        else if (w[0] == "raw")
            u.m.receiveMessage(w[1].toUInt(nullptr, 16));
        else if (w[0] == "lamp")
            u.m.setLamp(w[1] == "midi" ? LampMidi : w[1] == "usb" ? LampUsb : LampBluetooth, w[2] == "on");
        else if (w[0] == "restart")
            u.m.restartTest();
        else if (w[0] == "module")
            u.m.restartModule();
        else if (w[0] == "flash") {
            const QByteArray f = tavrotest::frameOf(CMD_TEST_FLASH, tavrotest::hex(qPrintable(w[1])));
            u.m.receiveFrame(tavrotest::u8(f), uint(f.size()));
        }
        else if (w[0] == "gone")
            u.m.deviceRemoved();
        else if (w[0] == "tick")
            for (int t = w[1].toInt(); t > 0; --t)
                u.m.tick();
        else
            QTest::qFail(qPrintable("unknown script step " + op), __FILE__, __LINE__);
    }
}

} // namespace

class TestPadTestMachine : public QObject
{
    Q_OBJECT
private slots:
    // A whole unit: every pass plays the high tone and lights the next
    // control with one well-formed test-LED frame; a knob's top plays the low
    // tone; after the last pad the flash test goes out once, the colour test
    // starts and the unit is back at its first step.
    void wholeUnit_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QList<int>>("steps");
        QList<int> all, small;
        for (int s = 0; s <= 35; ++s) {
            all << s;
            if (s >= 8 && (s <= 13 || s >= 20))
                small << s;
        }
        QTest::newRow("model 7") << 7 << all;
        QTest::newRow("model 8") << 8 << small;
    }
    void wholeUnit()
    {
        QFETCH(int, model);
        QFETCH(QList<int>, steps);
        Unit u(model);
        for (int k = 0; k < steps.size(); ++k) {
            QCOMPARE(int(u.m.step()), steps[k]);
            u.out.frames.clear();
            u.out.tones.clear();
            u.work();
            QVERIFY2(!u.m.errorShown(), qPrintable(QString("step %1: error %2").arg(steps[k]).arg(u.m.lastError())));
            const bool knob = steps[k] < 8;
            QCOMPARE(u.out.tones, knob ? QStringList({"low", "high"}) : QStringList({"high"}));
            const int next = k + 1 < steps.size() ? steps[k + 1] : steps.first();
            QCOMPARE(int(u.m.step()), next);
            QStringList commands;
            for (const QByteArray &f : u.out.frames) {
                QVERIFY(frameVerify(tavrotest::u8(f), uint(f.size())));
                commands << QString::number(uchar(f[2]), 16);
            }
            QStringList expected;
            if (k + 1 == steps.size())
                expected << "74";
            if (next >= 8)
                expected << "73";
            if (model == 8 && next == 11)
                expected << "51";
            QCOMPARE(commands, expected);
        }
        QVERIFY(u.m.ledTest());
        QCOMPARE(u.m.knobText(), QString::fromUtf8("右旋第1个旋钮"));
    }

    // Byte for byte: model 7's first button passes on data1 11 and lights the
    // next; model 8 at step 11 lights its LED, then every pad at index 16, and
    // later polls do not light it again; the last pad asks for the flash test.
    void passFrames()
    {
        Unit pad(7);
        pad.goTo(8);
        pad.out.frames.clear();
        pad.send(0xB0, 11, 1);
        QCOMPARE(pad.out.takeFrames(), QStringList({"78 59 73 04 00 00 04 00 FF 00 FC"}));
        pad.goTo(35);
        pad.out.frames.clear();
        pad.work();
        QCOMPARE(pad.out.takeFrames().first(), QString("78 59 74 00 00 00 FF"));

        Unit small(8);
        small.goTo(10);
        small.out.frames.clear();
        small.work();
        const QStringList frames = small.out.takeFrames();
        QCOMPARE(frames.size(), 2);
        QCOMPARE(frames[0], QString("78 59 73 04 00 00 03 00 FF 00 FD"));
        QVERIFY(frames[1].startsWith("78 59 51 37 00 00 10 00 FF 00 00 FF 00"));
        QVERIFY(frames[1].endsWith("00 FF 00 01"));
        for (int t = 0; t < 11; ++t)
            small.m.tick();
        QCOMPARE(small.out.takeFrames(), QStringList({"78 59 66 00 00 00 FF", "78 59 66 00 00 00 FF", "78 59 66 00 00 00 FF"}));
        small.work();
        small.out.frames.clear();
        for (int t = 0; t < 5; ++t) // to the next poll: step 12's LED is lit again
            small.m.tick();
        QCOMPARE(small.out.takeFrames(), QStringList({"78 59 66 00 00 00 FF", "78 59 73 04 00 00 04 00 FF 00 FC"}));
    }

    // The limits decide on the value itself: a knob's top at KnobMax, its
    // return at KnobMin, a pad at PadMax (the shipped 120, 5 and 40).
    void limits_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("prompt");
        QTest::newRow("knob 119") << "cc 0 119" << 0 << "右旋第1个旋钮";
        QTest::newRow("knob 120") << "cc 0 120" << 0 << "左旋第1个旋钮";
        QTest::newRow("back 6") << "cc 0 126; cc 0 6" << 0 << "左旋第1个旋钮";
        QTest::newRow("back 5") << "cc 0 126; cc 0 5" << 1 << "右旋第2个旋钮";
        QTest::newRow("pad 39") << "go 20; note 32 39" << 20 << "";
        QTest::newRow("pad 40") << "go 20; note 32 40" << 21 << "";
    }
    void limits()
    {
        QFETCH(QString, script);
        QFETCH(int, step);
        QFETCH(QString, prompt);
        Unit u(7);
        runScript(u, script);
        QCOMPARE(int(u.m.step()), step);
        QVERIFY(!u.m.errorShown());
        if (!prompt.isEmpty())
            QCOMPARE(u.m.knobText(), prompt);
    }

    // Checks, lamps and restarts: the banner's error after the script (-1:
    // none shown), the step, and the group a restart of the module restarts.
    void edges_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("step");
        QTest::newRow("90 44 7F ignored") << 7 << "go 8; raw 7F4490" << -1 << 8;
        QTest::newRow("previous knob ignored") << 7 << "go 1; cc 0 64" << -1 << 1;
        QTest::newRow("other knob") << 7 << "go 1; cc 2 64" << 2 << 1;
        QTest::newRow("previous after touch") << 7 << "go 1; cc 1 127; cc 0 64" << 8 << 1;
        QTest::newRow("step 8 on data1 11") << 7 << "go 8; cc 11 1" << -1 << 9;
        QTest::newRow("step 8 on data1 8") << 7 << "go 8; cc 8 1" << 3 << 8;
        QTest::newRow("soft pad, then button") << 7 << "go 21; note 33 10; cc 9 1" << 8 << 21;
        QTest::newRow("soft pad, then other pad") << 7 << "go 21; note 33 10; note 34 64" << 4 << 21;
        QTest::newRow("previous pad ignored") << 7 << "go 21; note 32 64" << -1 << 21;
        QTest::newRow("8: 13 at step 20 ignored") << 8 << "go 20; cc 13 1" << -1 << 20;
        QTest::newRow("data1 36 and 127") << 7 << "go 8; cc 36 1; cc 127 1; note 127 127" << -1 << 8;
        QTest::newRow("clock at a knob's return") << 7 << "cc 0 127; raw F8; raw FE" << -1 << 0;
        QTest::newRow("clock at knob 4") << 7 << "go 3; raw F8; raw FA; raw FC" << -1 << 3;
        QTest::newRow("no Bluetooth from 28") << 7 << "lamp ble off; go 28; note 24 127" << 7 << 28;
        QTest::newRow("MIDI before USB") << 7 << "lamp midi off; lamp usb off; cc 0 127; cc 0 0" << 6 << 0;
        QTest::newRow("no USB") << 7 << "lamp usb off; cc 0 127; cc 0 0" << 5 << 0;
        QTest::newRow("8: no MIDI check") << 8 << "lamp midi off; lamp usb off; cc 8 1" << 5 << 8;
        QTest::newRow("banner holds the step") << 7 << "go 8; cc 8 1; cc 11 1" << 3 << 8;
        QTest::newRow("wrong pad, Alt+D") << 7 << "go 21; note 34 64; module" << -1 << 20;
        QTest::newRow("wrong button, Alt+D") << 7 << "go 9; cc 13 1; module" << -1 << 8;
        QTest::newRow("knob, Alt+D") << 7 << "go 3; module" << -1 << 0;
        QTest::newRow("button group entered, Alt+D") << 7 << "go 10; module" << -1 << 8;
        QTest::newRow("Alt+S") << 7 << "go 22; restart" << -1 << 0;
        QTest::newRow("Alt+S after a pad error, Alt+D") << 7 << "go 21; note 34 64; restart; module" << -1 << 0;
        QTest::newRow("8: Alt+S, Alt+D") << 8 << "go 21; note 34 64; restart; module" << -1 << 8;
        QTest::newRow("last pad released after the run") << 7 << "go 35; note 23 127; raw 1780" << -1 << 0;
        QTest::newRow("8: last pad released after the run") << 8 << "go 35; note 23 127; raw 1780" << -1 << 8;
        QTest::newRow("flash test unanswered as long as the colour test") << 7 << "go 35; note 23 127; tick 20" << 1 << 0;
        QTest::newRow("flash test unanswered, Alt+S") << 8 << "go 35; note 23 127; restart; tick 20" << -1 << 8;
        QTest::newRow("flash test answered 1, then the unit gone") << 7 << "go 35; note 23 127; flash 01; gone" << -1 << 0;
        QTest::newRow("flash test answered 0, then the unit gone") << 7 << "go 35; note 23 127; flash 00; gone" << 1 << 0;
        QTest::newRow("after the run, another pad") << 7 << "go 35; note 23 127; note 22 64" << 2 << 0;
    }
    void edges()
    {
        QFETCH(int, model);
        QFETCH(QString, script);
        QFETCH(int, error);
        QFETCH(int, step);
        Unit u(model);
        runScript(u, script);
        QCOMPARE(u.m.errorShown() ? u.m.lastError() : -1, error);
        QCOMPARE(int(u.m.step()), step);
        QCOMPARE(u.m.module(), uchar(groupOf(u.m.step())));
    }

    // While the banner is up the machine still listens: a knob's top plays
    // the low tone and turns the prompt, nothing passes, a later wrong
    // control replaces the error.
    void bannerUp()
    {
        Unit u(7);
        runScript(u, "go 1; cc 3 64");
        QCOMPARE(u.m.lastError(), 2);
        u.out.tones.clear();
        runScript(u, "cc 1 127; cc 1 0");
        QCOMPARE(u.out.tones, QStringList({"low"}));
        QCOMPARE(u.m.knobText(), QString::fromUtf8("左旋第2个旋钮"));
        QCOMPARE(int(u.m.step()), 1);
        runScript(u, "cc 9 1");
        QCOMPARE(u.m.lastError(), 8);
    }
};

QTEST_GUILESS_MAIN(TestPadTestMachine)
#include "test_padtestmachine.moc"
