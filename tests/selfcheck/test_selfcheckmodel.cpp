// The keyboard self-test's step machine, stage by stage, on its model with a
// recording view.
#include <QtTest>

#include "bytes.h"
#include "selfcheckrecorder.h"
#include "testmain.h"

using namespace tavrotest;

namespace {

const QString kFailed = QStringLiteral("自检失败，请重新自检！");

struct Unit
{
    SelfCheckRecorder view;
    SelfCheckModel model{9, view, view};

    Unit()
    {
        // As the dialog starts: a restart, then the whole-unit button.
        model.restart_test();
        model.set_whole_unit(true);
        view.ble = true; // as the unit's next system record reports
    }
    void feed(const QString &messages)
    {
        for (uint msg : shortMessages(messages))
            model.receive_midi(msg);
    }
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            model.tick();
    }
    // Passes every step before `step` of the whole-unit run.
    void passTo(int step)
    {
        for (int s = model.step(); s < step; ++s) {
            feed(passStepMessages(s));
            if (s == 19)
                ticks(24); // the display test
        }
    }
    void reach(const QString &stage)
    {
        if (stage == QLatin1String("knob-single")) {
            model.set_whole_unit(false);
            model.select_module(SelfCheckModel::KindKnob);
        } else if (stage == QLatin1String("done")) {
            passTo(53);
            feed(passStepMessages(53));
        } else if (stage != QLatin1String("start")) {
            passTo(stage.toInt());
        }
        view.clear();
    }
};

} // namespace

class TestSelfCheckModel : public QObject
{
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
    void wholeUnitRun();
    void bluetoothMissing();
    void singleModules_data();
    void singleModules();
    void operatorMidRun();
    void tickWrapsWithTwoPolls();
};

void TestSelfCheckModel::steps_data()
{
    QTest::addColumn<QString>("stage");     // "start", a step number, "knob-single", "done"
    QTest::addColumn<QString>("messages");
    QTest::addColumn<int>("step");
    QTest::addColumn<QString>("prompt");    // the last prompt shown; empty: none shown
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("tones");

    const auto err = [](const char *prefix) { return QString::fromUtf8(prefix) + kFailed; };

    // Touch strips: 127 up, exactly 0 back.
    QTest::newRow("strip at 126") << "start" << "B0 00 7E" << 0 << "" << "" << "";
    QTest::newRow("strip up, back to 1") << "start" << "B0 00 7F, B0 00 01" << 0 << "下滑第1个触摸条" << "" << "L";
    QTest::newRow("strip 1 passes") << "start" << "B0 00 7F, B0 00 00" << 1 << "上滑第2个触摸条" << "" << "LH";
    QTest::newRow("both strips") << "start" << "B0 00 7F, B0 00 00, B0 01 7F, B0 01 00" << 2 << "右旋第1个旋钮"
                                 << "" << "LHLH";
    QTest::newRow("clock at strip 1's return") << "start" << "B0 00 7F, F8, FE" << 0 << "下滑第1个触摸条" << "" << "L";
    // Knobs: 10 up, 0 back.
    QTest::newRow("knob at 9") << "2" << "B0 02 09" << 2 << "右旋第1个旋钮" << "" << "";
    QTest::newRow("knob up, back to 1") << "2" << "B0 02 0A, B0 02 01" << 2 << "左旋第1个旋钮" << "" << "H";
    QTest::newRow("knob passes") << "2" << "B0 02 0A, B0 02 00" << 3 << "右旋第2个旋钮" << "" << "HL";
    QTest::newRow("strips ignored once done") << "2" << "B0 00 7F, B0 01 00" << 2 << "" << "" << "";
    QTest::newRow("control 53 outside the pedal") << "2" << "B0 35 7F" << 2 << "" << "" << "";
    QTest::newRow("previous knob ignored") << "3" << "B0 02 40" << 3 << "" << "" << "";
    QTest::newRow("wrong knob") << "2" << "B0 04 40, B0 02 0A" << 2 << "" << err("错误：第3个旋钮\n") << "";
    QTest::newRow("pitch bend never judged") << "2" << "E0 05 40" << 2 << "" << "" << "";
    QTest::newRow("data1 above 53") << "2" << "B0 36 40" << 2 << "" << "" << "";
    // Buttons: any value; steps 12 to 19 expect other controls.
    QTest::newRow("step 13 ignores 12 and 13") << "13" << "90 0C 7F, 90 0D 7F" << 13 << "" << "" << "";
    QTest::newRow("step 13 fails on 14") << "13" << "90 0E 7F" << 13 << "" << err("错误：第5个按钮\n") << "";
    QTest::newRow("step 13 passes on 15") << "13" << "90 0F 00" << 14 << "" << "" << "H";
    // Pads: velocity 10.
    QTest::newRow("pad at 9") << "20" << "90 14 09" << 20 << "" << "" << "";
    QTest::newRow("pad at 10") << "20" << "90 14 0A" << 21 << "" << "" << "H";
    // Keys: 1, 3, 1; a zero is never judged at the keys.
    QTest::newRow("key 1 3 1") << "28" << "90 1C 01, 90 1C 03, 90 1C 01" << 29 << "" << "" << "HL";
    QTest::newRow("second 1 before the 3") << "28" << "90 1C 01, 90 1C 01" << 28 << "" << "" << "HH";
    QTest::newRow("other key values") << "28" << "90 1C 02, 90 1C 05, 90 1C 7F" << 28 << "" << "" << "";
    QTest::newRow("releases between") << "28" << "90 1C 01, 80 1C 00, 90 1C 03, 80 1C 00, 90 1C 01" << 29 << ""
                                      << "" << "HL";
    QTest::newRow("another key's zero") << "28" << "90 1E 00" << 28 << "" << "" << "";
    QTest::newRow("another key") << "28" << "90 1E 01" << 28 << "" << err("错误：第3个琴键\n") << "";
    // The pedal: 127, then exactly 0; control 52 counts as the pedal.
    QTest::newRow("pedal") << "53" << "B0 35 7F, B0 35 40, B0 35 00" << 53 << "自检完成！" << "" << "HL";
    QTest::newRow("control 52 is the pedal") << "53" << "B0 34 7F, B0 34 00" << 53 << "自检完成！" << "" << "HL";
    QTest::newRow("pedal ignores 0 and 28") << "53" << "B0 00 40, 90 1C 01" << 53 << "" << "" << "";
    QTest::newRow("pedal fails on 1") << "53" << "B0 01 40" << 53 << "" << err("错误：第2个触摸条\n") << "";
    QTest::newRow("clock while the pedal waits") << "53" << "F8, B0 35 7F" << 53 << "请抬起踏板↑" << "" << "H";
    // After the last step, until the restart.
    QTest::newRow("done: another control") << "done" << "B0 05 01" << 53 << "" << err("错误：第4个旋钮\n") << "";
    QTest::newRow("done: 52, 53 and zeros") << "done" << "B0 34 7F, B0 35 7F, B0 05 00" << 53 << "" << "" << "";
    // Single-module mode: a stray control is an error, a clock is not.
    QTest::newRow("single: strip at a knob") << "knob-single" << "B0 00 00" << 2 << "" << kFailed << "";
    QTest::newRow("single: clock at a knob") << "knob-single" << "F8, FE, FA, FB, FC, F6" << 2 << "" << "" << "";
}

void TestSelfCheckModel::steps()
{
    QFETCH(QString, stage);
    QFETCH(QString, messages);
    QFETCH(int, step);
    QFETCH(QString, prompt);
    QFETCH(QString, error);
    QFETCH(QString, tones);

    Unit unit;
    unit.reach(stage);
    QVERIFY2(unit.view.error.isEmpty(), qPrintable(unit.view.error));
    unit.feed(messages);
    QCOMPARE(int(unit.model.step()), step);
    QCOMPARE(unit.view.prompt(), prompt);
    QCOMPARE(unit.view.error, error);
    QCOMPARE(unit.model.errorShown(), !error.isEmpty());
    QCOMPARE(unit.view.toneString(), tones);
}

namespace {

// Frames as hex, polls left out.
QStringList withoutPolls(const QStringList &frames)
{
    QStringList out;
    for (const QString &f : frames) {
        if (f != QLatin1String("78 59 66 00 00 00 FF"))
            out << f;
    }
    return out;
}

QString led(int index, const char *colour)
{
    uchar f[11];
    const QByteArray c = hex(colour);
    selftest::testLedFrame(f, uchar(index), uchar(c[0]), uchar(c[1]), uchar(c[2]));
    return toHex(QByteArray(reinterpret_cast<const char *>(f), 11));
}

QString pads(int index, const char *colour)
{
    uchar f[62];
    const QByteArray c = hex(colour);
    selfCheckPadColoursFrame(f, uchar(index), uchar(c[0]), uchar(c[1]), uchar(c[2]));
    return toHex(QByteArray(reinterpret_cast<const char *>(f), 62));
}

// The prompt a whole-unit run shows once step s has passed.
QString promptAfter(int s)
{
    if (s == 0)
        return QStringLiteral("上滑第2个触摸条");
    if (s < 9)
        return QStringLiteral("右旋第%1个旋钮").arg(s);
    if (s < 19)
        return QStringLiteral("按下亮灯的按钮");
    if (s < 27)
        return QStringLiteral("按下亮灯的Pad");
    if (s < 52)
        return QStringLiteral("琴键自检中");
    return s == 52 ? QStringLiteral("请按下踏板↓") : QStringLiteral("自检完成！");
}

} // namespace

// Every step of a unit in order: the prompts, the frames of the stages, the
// keys green, the tones; then the colours and the next unit.
void TestSelfCheckModel::wholeUnitRun()
{
    Unit unit;
    unit.view.clear();
    QStringList prompts, expectedPrompts;
    QMap<int, QStringList> frames;
    for (int s = 0; s < 54; ++s) {
        unit.feed(passStepMessages(s));
        unit.feed(passStepMessages(s).left(9)); // the control just passed, once more: ignored
        if (s == 19)
            unit.ticks(24);
        frames[s] = withoutPolls(unit.view.takeFrames());
        prompts << unit.view.prompt();
        expectedPrompts << promptAfter(s);
    }
    QCOMPARE(prompts, expectedPrompts);
    QVERIFY(unit.view.error.isEmpty());
    QCOMPARE(frames[9], QStringList{"78 59 73 04 00 00 80 01 FF 00 7F"});
    QCOMPARE(frames[10], QStringList({"78 59 73 04 00 00 80 00 00 00 7F", "78 59 73 04 00 00 81 00 00 00 7E",
                                      "78 59 73 04 00 00 00 FE FF 00 02", "78 59 73 04 00 00 81 01 FF 00 7E"}));
    QStringList display = {led(0, "FE FF 00"), led(0x25, "01 FF 00"), led(0, "FE FF 00")};
    for (int i = 0; i < 24; ++i)
        display << led(i, "01 FF 00");
    QCOMPARE(frames[19], display << led(0x25, "01 FF 00") << pads(4, "00 FF 00"));
    QCOMPARE(frames[20], QStringList({pads(4, "00 00 00"), pads(5, "00 FF 00")}));
    QCOMPARE(frames[27], QStringList{pads(3, "00 00 00")});
    QCOMPARE(unit.view.toneString(), "LHLH" + QString("HL").repeated(8) + QString("H").repeated(19)
                                         + QString("HL").repeated(26));
    for (int button = 0; button < 25; ++button)
        QCOMPARE(unit.view.keys.value(button), 0x00FF00u);

    // The colours at ticks 4, 8, 12 and 16 (messages still judged), the restart at 20.
    unit.ticks(10);
    unit.feed(QStringLiteral("B0 34 7F"));
    unit.ticks(11);
    QStringList colours;
    for (const QString &f : unit.view.takeFrames()) {
        if (f.startsWith(QLatin1String("78 59 51 37 00 00 FF")))
            colours << f.mid(21, 8);
    }
    QCOMPARE(colours, QStringList({"00 FF 00", "FF 00 00", "00 00 FF", "FF FF FF", "00 00 00"}));
    QCOMPARE(int(unit.model.step()), 0);
    QCOMPARE(unit.view.prompt(), QStringLiteral("上滑第1个触摸条"));
    QCOMPARE(unit.view.keys.value(0), 0xFFFFFFu);
    unit.feed(passStepMessages(0));
    QCOMPARE(int(unit.model.step()), 1);
}

// The Bluetooth lamp off at the last button: error 8 alone, the display test
// still runs and lights pad 1, and the pads then pass nothing. Gone on with F2,
// the run shows error 8 again at the pedal's release instead of completing,
// until the lamp is on. In single-module mode the pedal then passes nothing.
void TestSelfCheckModel::bluetoothMissing()
{
    Unit unit;
    unit.view.ble = false;
    unit.passTo(19);
    unit.view.clear();
    unit.passTo(20);
    QCOMPARE(unit.view.error, QStringLiteral("蓝牙未连接，请连接校准仪！"));
    const QStringList frames = withoutPolls(unit.view.takeFrames());
    QCOMPARE(frames.size(), 3 + 24 + 2);
    QCOMPARE(frames.last(), pads(4, "00 FF 00"));
    unit.feed(passStepMessages(20));
    QCOMPARE(int(unit.model.step()), 20);
    unit.model.reset_mode();
    unit.passTo(53);
    unit.view.clear();
    unit.feed(passStepMessages(53));
    QCOMPARE(unit.view.error, QStringLiteral("蓝牙未连接，请连接校准仪！"));
    QCOMPARE(unit.view.prompt(), QStringLiteral("请抬起踏板↑"));
    QVERIFY(!unit.model.ledTest());
    unit.view.ble = true;
    unit.model.reset_mode();
    unit.feed(passStepMessages(53));
    QCOMPARE(unit.view.prompt(), QStringLiteral("自检完成！"));

    // The same in single-module mode: the error stays up at the pedal.
    Unit single;
    single.view.ble = false;
    single.model.set_whole_unit(false);
    single.model.select_module(SelfCheckModel::KindKnob);
    for (int s = 2; s < 20; ++s)
        single.feed(passStepMessages(s));
    single.ticks(24);
    single.feed(passStepMessages(53));
    QCOMPARE(int(single.model.step()), 53);
    QCOMPARE(single.view.prompt(), QStringLiteral("请按下踏板↓"));
    QCOMPARE(single.view.error, QStringLiteral("蓝牙未连接，请连接校准仪！"));
}

// Each module of single-module mode runs to its end and starts again.
void TestSelfCheckModel::singleModules_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("first");   // the module's first step
    QTest::addColumn<int>("last");    // its last step before it starts again
    QTest::addColumn<int>("endStep"); // where it goes on
    QTest::addColumn<QString>("endPrompt");
    QTest::newRow("touch strips") << 4 << 0 << 1 << 0 << "上滑第1个触摸条";
    QTest::newRow("knobs to pedal") << 0 << 2 << 53 << 2 << "右旋第1个旋钮";
    QTest::newRow("pads") << 1 << 20 << 27 << 20 << "按下亮灯的Pad";
    QTest::newRow("keys, repainted") << 3 << 28 << 52 << 28 << "琴键自检中";
    QTest::newRow("buttons (hidden) to pedal") << 2 << 10 << 53 << 2 << "右旋第1个旋钮";
    QTest::newRow("pedal (hidden)") << 5 << 53 << 53 << 2 << "右旋第1个旋钮";
}

void TestSelfCheckModel::singleModules()
{
    QFETCH(int, kind);
    QFETCH(int, first);
    QFETCH(int, last);
    QFETCH(int, endStep);
    QFETCH(QString, endPrompt);
    Unit unit;
    unit.model.set_whole_unit(false);
    unit.model.select_module(uchar(kind));
    QCOMPARE(int(unit.model.step()), first);
    for (int s = first, guard = 0; guard < 60; s = unit.model.step(), ++guard) {
        unit.feed(passStepMessages(s));
        if (s == 19)
            unit.ticks(24); // the display test, then the pedal
        if (s == last)
            break;
    }
    // The control that ended the module is still being let go.
    unit.feed(passStepMessages(last).left(6) + QStringLiteral("00"));
    QVERIFY2(unit.view.error.isEmpty(), qPrintable(unit.view.error));
    QCOMPARE(int(unit.model.step()), endStep);
    QCOMPARE(unit.view.prompt(), endPrompt);
    QVERIFY(!unit.model.stripsDone());
    QCOMPARE(unit.view.keys.value(14), 0xFFFFFFu);
}

// F3 mid-run: the steps go on while the colours cycle, then the test
// restarts. F4 mid-run: the checks wait for the 24 display ticks, then the
// same step goes on with no pad lit; a restart ends that F4.
void TestSelfCheckModel::operatorMidRun()
{
    Unit unit;
    unit.passTo(5);
    unit.model.start_rgb_test();
    unit.ticks(10);
    unit.feed(passStepMessages(5));
    QCOMPARE(int(unit.model.step()), 6);
    unit.ticks(11);
    QCOMPARE(int(unit.model.step()), 0);

    unit.passTo(5);
    unit.model.start_display_test();
    unit.view.clear();
    unit.feed(QStringLiteral("B0 09 40"));
    unit.ticks(24);
    QVERIFY(unit.view.error.isEmpty() && unit.view.prompts.isEmpty());
    QCOMPARE(unit.view.toneString(), QStringLiteral("H"));
    QVERIFY(!unit.view.hexFrames().join(' ').contains(QLatin1String("78 59 51")));
    unit.feed(passStepMessages(5));
    QCOMPARE(int(unit.model.step()), 6);

    // F4 cut short by F1: the display test after the last button is the
    // run's own again, and lights pad 1.
    Unit next;
    next.model.start_display_test();
    next.ticks(5);
    next.model.restart_test();
    next.passTo(19);
    next.view.clear();
    next.passTo(20);
    QCOMPARE(withoutPolls(next.view.takeFrames()).last(), pads(4, "00 FF 00"));
    QCOMPARE(next.view.prompt(), QStringLiteral("按下亮灯的Pad"));
}

// m_tick wraps from 255 to 0, and both ticks poll.
void TestSelfCheckModel::tickWrapsWithTwoPolls()
{
    Unit unit;
    unit.ticks(255);
    unit.view.clear();
    unit.ticks(2);
    QCOMPARE(unit.view.takeFrames(), QStringList({"78 59 66 00 00 00 FF", "78 59 66 00 00 00 FF"}));
}

TAVRO_TEST_MAIN(TestSelfCheckModel)
#include "test_selfcheckmodel.moc"
