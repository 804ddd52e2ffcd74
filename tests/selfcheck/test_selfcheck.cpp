// The keyboard self-test dialog fed through a recording owner, tick by tick:
// what it sends when it opens, the RGB and display tests, the keys and
// buttons of the operator, the lamps, the monitor and the tones.
#include <QtTest>

#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>

#include "bytes.h"
#include "recordingowner.h"
#include "selftest/selfcheck.h"
#include "selftest/selftesttones.h"
#include "testmain.h"
#include "ui_selfcheck.h"

using tavrotest::RecordingOwner;

namespace {

const char *const kTestStart = "78 59 72 00 00 00 FF";
const char *const kPoll = "78 59 66 00 00 00 FF";
// The LED reset: the 62-byte colour frame of index FF and zeros ends 00.
const QStringList kLedReset = {"78 59 73 04 00 00 00 FE FF 00 02",
                               "78 59 51 37 00 00 FF" + QString(" 00").repeated(54) + " 00",
                               "78 59 73 04 00 00 80 00 00 00 7F", "78 59 73 04 00 00 81 00 00 00 7E"};

QStringList take(RecordingOwner &owner)
{
    QStringList out;
    for (const QByteArray &f : owner.frames)
        out << tavrotest::toHex(f);
    owner.frames.clear();
    return out;
}

// One tick of the dialog's own timer.
void tick(SelfCheck &dlg, int n = 1)
{
    for (int k = 0; k < n; ++k) {
        QTimerEvent e(dlg.timerId());
        QCoreApplication::sendEvent(&dlg, &e);
    }
}

void receive(SelfCheck &dlg, const QByteArray &frame)
{
    dlg.Slots_recv_frame(tavrotest::u8(frame), uint(frame.size()));
}

QByteArray record(int size, uchar byte26)
{
    QByteArray r(size, 0);
    if (size > 26)
        r[26] = char(byte26);
    return tavrotest::frame(CMD_SYSTEM_CONFIG, r);
}

QString led(int index, const char *colour)
{
    uchar f[11];
    const QByteArray c = tavrotest::hex(colour);
    selftest::testLedFrame(f, uchar(index), uchar(c[0]), uchar(c[1]), uchar(c[2]));
    return tavrotest::toHex(QByteArray(reinterpret_cast<const char *>(f), 11));
}

QString pads(int index, const char *colour)
{
    uchar f[62];
    const QByteArray c = tavrotest::hex(colour);
    selfCheckPadColoursFrame(f, uchar(index), uchar(c[0]), uchar(c[1]), uchar(c[2]));
    return tavrotest::toHex(QByteArray(reinterpret_cast<const char *>(f), 62));
}

} // namespace

class TestSelfCheck : public QObject
{
    Q_OBJECT
private slots:
    void init() { SelfTestPage::setFilesFolder(QStringLiteral(TAVRO_SELFTEST_FILES)); }

    // Two restarts as it opens, the whole-unit test chosen, the prompt of
    // the first strip; a device type other than 9 keeps the form's title and
    // reads no frame.
    void opens()
    {
        RecordingOwner owner;
        SelfCheck dlg(9, &owner);
        dlg.show();
        Ui_SelfCheck *ui = dlg.form();
        QCOMPARE(take(owner), QStringList{kTestStart} + kLedReset + QStringList{kTestStart} + kLedReset);
        QCOMPARE(dlg.windowTitle(), QString::fromUtf8("VX-18自检模式"));
        QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
        QCOMPARE(ui->label_Message->text(), QString::fromUtf8("上滑第1个触摸条"));
        QVERIFY(ui->pushButton_VX18->isChecked() && ui->widget->isVisible());
        QVERIFY(!ui->widget_step->isVisible() && !ui->widget_show->isVisible());
        QVERIFY(ui->pushButton_Key->isChecked() && ui->pushButton_Key->isHidden() && ui->pushButton_Pedal->isHidden());
        QVERIFY(!ui->pushButton_BLE->isChecked() && ui->label_ERR->text().isEmpty());
        QCOMPARE(ui->pushButton_1->styleSheet(), selfCheckKeySheet(255, 255, 255));
        QCOMPARE(ui->pushButton_25->styleSheet(), selfCheckKeySheet(0, 0, 0));
        // The keybed: white keys 35 wide, the black keys above them.
        QCOMPARE(ui->pushButton_1->width(), 35);
        QCOMPARE(ui->widget->childAt(ui->pushButton_16->geometry().center()), ui->pushButton_16);
        tick(dlg);
        QCOMPARE(take(owner), QStringList{kPoll});
        QVERIFY(ui->pushButton_USB->isChecked());

        RecordingOwner other;
        SelfCheck pad(8, &other);
        QCOMPARE(pad.windowTitle(), QString("Dialog"));
        receive(pad, record(30, 0x80));
        QVERIFY(!pad.form()->pushButton_BLE->isChecked());
    }

    // The Bluetooth lamp follows each whole system record; a cut one, or a
    // flash answer without its byte, changes nothing; a flash answer 0 is
    // error 1. A poll that cannot be sent takes both lamps off and restarts.
    void lampsAndFrames()
    {
        RecordingOwner owner;
        SelfCheck dlg(9, &owner);
        Ui_SelfCheck *ui = dlg.form();
        receive(dlg, record(30, 0x80));
        QVERIFY(ui->pushButton_BLE->isChecked());
        receive(dlg, record(29, 0x00));
        QByteArray cut = record(30, 0x00);
        cut.chop(5);
        receive(dlg, cut);
        QVERIFY(ui->pushButton_BLE->isChecked());
        receive(dlg, record(30, 0x7F));
        QVERIFY(!ui->pushButton_BLE->isChecked());

        receive(dlg, tavrotest::hex("78 59 74 00 00 00 00")); // no byte, and a bad checksum
        receive(dlg, tavrotest::hex("78 59 74 01 00 00 01 FE"));
        QVERIFY(ui->label_ERR->text().isEmpty() && !dlg.model().errorShown());
        receive(dlg, tavrotest::hex("78 59 74 01 00 00 00 FF"));
        QCOMPARE(ui->label_ERR->text(), QString::fromUtf8("Flash 存储错误！请重新测试！"));

        tick(dlg);
        QVERIFY(ui->pushButton_USB->isChecked());
        receive(dlg, record(30, 0x80));
        take(owner);
        owner.sendResult = false;
        tick(dlg, 5);
        QCOMPARE(take(owner), QStringList({kPoll, kTestStart}) + kLedReset);
        QVERIFY(!ui->pushButton_USB->isChecked() && !ui->pushButton_BLE->isChecked());
        QVERIFY(ui->label_ERR->text().isEmpty());
        tick(dlg, 5);
        QCOMPARE(owner.sent(CMD_TEST_START).size(), 1);
        owner.sendResult = true;
        tick(dlg, 5);
        QVERIFY(ui->pushButton_USB->isChecked());
    }

    // F3: the colours at ticks 4, 8, 12 and 16, the restart at 20. F4: one
    // display LED a tick, then the lamp and a tone; the step stays.
    void ledTests()
    {
        RecordingOwner owner;
        SelfCheck dlg(9, &owner);
        take(owner);
        QTest::keyClick(&dlg, Qt::Key_F3);
        QStringList expected;
        for (int t = 0; t <= 20; ++t) {
            if (t % 5 == 0)
                expected << kPoll;
            const struct { int tick; const char *led; const char *pad; } phases[] = {
                {4, "01 FF 00", "00 FF 00"}, {8, "FF 00 00", "FF 00 00"}, {12, "00 00 FF", "00 00 FF"}, {16, "FF FF FF", "FF FF FF"}};
            for (const auto &p : phases) {
                if (p.tick == t)
                    expected << led(0x80, p.led) << led(0x81, p.led) << pads(0xFF, p.pad);
            }
        }
        expected << kTestStart << kLedReset;
        tick(dlg, 21);
        QCOMPARE(take(owner), expected);
        QVERIFY(!dlg.model().ledTest());

        QTest::mouseClick(dlg.form()->pushButton_OLEDTest, Qt::LeftButton);
        QCOMPARE(take(owner), QStringList{led(0, "FE FF 00")});
        const int requests = dlg.tones()->requests().size();
        tick(dlg, 24);
        QStringList display;
        for (const QString &f : take(owner)) {
            if (f != kPoll)
                display << f;
        }
        expected.clear();
        for (int i = 0; i < 24; ++i)
            expected << led(i, "01 FF 00");
        QCOMPARE(display, expected << led(0x25, "01 FF 00"));
        QCOMPARE(dlg.tones()->requests().size(), requests + 1);
        QVERIFY(dlg.tones()->requests().last().high);
        QVERIFY(!dlg.model().displayTest() && !dlg.model().displayTestOnDemand());
        QCOMPARE(int(dlg.model().step()), 0);
        QCOMPARE(dlg.form()->label_Message->text(), QString::fromUtf8("上滑第1个触摸条"));
    }

    // F1, F2, F11, the whole-unit button both ways and the module buttons;
    // Return presses nothing, Escape closes as the close box does.
    void operatorKeysAndButtons()
    {
        RecordingOwner owner;
        QPointer<SelfCheck> dlg = new SelfCheck(9, &owner);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        dlg->show();
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        Ui_SelfCheck *ui = dlg->form();
        take(owner);

        QTest::keyClick(dlg, Qt::Key_F1);
        QCOMPARE(take(owner), QStringList{kTestStart} + kLedReset);
        QTest::keyClick(dlg, Qt::Key_F2); // the strips' module, whole unit: no frames
        QVERIFY(take(owner).isEmpty());
        QTest::keyClick(dlg, Qt::Key_F11);
        QVERIFY(ui->widget_show->isVisible());
        QTest::keyClick(dlg, Qt::Key_F11);
        QVERIFY(!ui->widget_show->isVisible());
        ui->pushButton_Reset->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        QVERIFY(take(owner).isEmpty());

        QTest::mouseClick(ui->pushButton_VX18, Qt::LeftButton);
        QVERIFY(!dlg->model().wholeUnit() && dlg->model().singleModule());
        QVERIFY(ui->widget_step->isVisible() && !ui->widget->isVisible());
        QVERIFY(take(owner).isEmpty());
        QTest::mouseClick(ui->pushButton_Keyboard, Qt::LeftButton);
        QCOMPARE(take(owner), kLedReset);
        QVERIFY(ui->widget->isVisible() && ui->pushButton_Keyboard->isChecked());
        QCOMPARE(int(dlg->model().step()), 28);
        QCOMPARE(ui->label_Message->text(), QString::fromUtf8("琴键自检中"));
        QTest::mouseClick(ui->pushButton_Pad, Qt::LeftButton);
        QCOMPARE(take(owner), kLedReset + QStringList({pads(0xFF, "00 00 00"), pads(4, "00 FF 00")}));
        QVERIFY(!ui->widget->isVisible());
        QTest::mouseClick(ui->pushButton_Touch, Qt::LeftButton);
        QCOMPARE(take(owner), QStringList{kTestStart} + kLedReset + kLedReset);
        QCOMPARE(int(dlg->model().step()), 0);
        QTest::keyClick(dlg, Qt::Key_F2);
        QCOMPARE(take(owner), kLedReset);
        QTest::mouseClick(ui->pushButton_VX18, Qt::LeftButton);
        QCOMPARE(take(owner), QStringList{kTestStart} + kLedReset);
        QVERIFY(dlg->model().wholeUnit() && ui->widget->isVisible() && !ui->widget_step->isVisible());
        QVERIFY(ui->pushButton_Key->isChecked() && !ui->pushButton_Touch->isChecked());

        QTest::keyClick(dlg, Qt::Key_Escape);
        QCOMPARE(owner.closedEvents, 1);
        QTRY_VERIFY(dlg.isNull());
    }

    // One line per message, but none for pitch bend or 90 44 7F; at most
    // 250; put in at the next tick.
    void monitor()
    {
        RecordingOwner owner;
        SelfCheck dlg(9, &owner);
        QListWidget *list = dlg.form()->listWidget_show;
        for (uint msg : {0x10C5u, 0xF8u, 0x4000E3u, 0x7F4490u})
            dlg.Slots_recv_midi(msg);
        QCOMPARE(list->count(), 0);
        tick(dlg);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(0)->text(), QString("Program Change: C5 10"));
        QCOMPARE(list->item(1)->text(), QString("F8"));
        for (int k = 0; k < 249; ++k)
            dlg.Slots_recv_midi(0xB0 | uint(k % 100 + 60) << 8);
        tick(dlg);
        QCOMPARE(list->count(), 250);
        QCOMPARE(list->item(0)->text(), QString("F8"));
        QTest::mouseClick(dlg.form()->pushButton_DelText, Qt::LeftButton);
        QCOMPARE(list->count(), 0);
    }

    // Without the audio folder: error 10 stays on screen, and no tone plays.
    void noAudioFolder()
    {
        QTemporaryDir empty;
        SelfTestPage::setFilesFolder(empty.path());
        RecordingOwner owner;
        SelfCheck dlg(9, &owner);
        QCOMPARE(dlg.form()->label_ERR->text(), QString::fromUtf8("wav文件缺失！"));
        QVERIFY(!dlg.tones()->loaded());
    }
};

TAVRO_TEST_MAIN(TestSelfCheck)
#include "test_selfcheck.moc"
