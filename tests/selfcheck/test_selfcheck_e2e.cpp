// The keyboard self-test end to end: the connection window with Alt held at
// the device's answer, a simulated keyboard controller on a real JACK server,
// and an operator at the unit.
#include <QtTest>

#include <QLabel>
#include <QPushButton>

#include "ui_pc_connectui.h" // generated for the window that pagesession.h drives
#include "keyboardtestwiring.h"
#include "pagesession.h"
#include "selftestroads.h"
#include "selftest/selfcheck.h"
#include "simdevice.h"
#include "testmain.h"
#include "ui_selfcheck.h"

using tavrosim::Simulator;
using tavrotest::kSessionWait;

namespace {

struct Session : tavrotest::PageSession<SelfCheck>
{
    Session()
    {
        clickModifiers = Qt::AltModifier;
        SelfTestPage::setFilesFolder(QStringLiteral(TAVRO_SELFTEST_FILES));
    }

    // The operator works the current step: a strip or knob up and back, the
    // lit button or pad struck once it is lit, a key down, pressed and up,
    // the pedal down and up. True when the step moved on (or the unit was
    // done).
    bool workStep()
    {
        const quint8 step = page->model().step();
        switch (SelfCheckModel::m_stepKind[step]) {
        case SelfCheckModel::KindStrip:
            sim->press(step, 127);
            sim->press(step, 0);
            break;
        case SelfCheckModel::KindKnob:
            sim->press(step, 10);
            sim->press(step, 0);
            break;
        case SelfCheckModel::KindButton:
        case SelfCheckModel::KindPad: {
            const auto lit = [this] { return tavrosim::keyboardPressLit(sim->testModeState(), 127); };
            if (!QTest::qWaitFor([&] { return !lit().empty() && lit() != pressed; }, kSessionWait))
                return false;
            pressed = lit();
            if (!sim->pressLit(127))
                return false;
            break;
        }
        case SelfCheckModel::KindKey:
            for (uint8_t value : {1, 3, 1})
                sim->press(step, value);
            break;
        default:
            sim->press(53, 127);
            sim->press(53, 0);
            break;
        }
        return QTest::qWaitFor(
            [this, step] {
                return !page || page->model().step() != step || page->model().errorShown()
                       || page->form()->label_Message->text() == QString::fromUtf8("自检完成！");
            },
            kSessionWait);
    }
    void forgetPress() { pressed.clear(); }
    void setBluetooth(bool on)
    {
        sim->withDevice([on](tavrosim::SimDevice &d) { d.test().bluetooth = on; });
    }
    // The colour frames for every pad (index FF) the device got, colours only.
    QStringList allPadColours() const
    {
        QStringList out;
        for (const tavrosim::Bytes &p : sim->testModeState().padColours()) {
            if (p[0] == 0xFF)
                out << QString::fromStdString(tavrosim::toHex(p.data() + 1, 3));
        }
        return out;
    }

    tavrosim::Bytes pressed; // the message of the last lit control pressed
};

const QStringList kOpening = {
    "78 59 72 00 00 00 FF", "78 59 73 04 00 00 00 FE FF 00 02", "78 59 51 37 00 00 FF" + QString(" 00").repeated(54) + " 00",
    "78 59 73 04 00 00 80 00 00 00 7F", "78 59 73 04 00 00 81 00 00 00 7E"};

} // namespace

class TestSelfCheckE2e : public QObject
{
    Q_OBJECT
private slots:
    // The dialog opens with its frames and keeps polling; the Bluetooth lamp
    // follows the unit; F3 cycles the colours and restarts the test.
    void opensPollsAndCyclesColours()
    {
        Session s;
        QVERIFY(s.open(tavrosim::optionsForModel(9)));
        Ui_SelfCheck *ui = s.page->form();
        QCOMPARE(s.page->windowTitle(), QString::fromUtf8("VX-18自检模式"));
        QCOMPARE(ui->label_Message->text(), QString::fromUtf8("上滑第1个触摸条"));

        const QStringList opening = QStringList({"78 59 12 01 00 00 01 FE", "78 59 11 00 00 00 FF"}) + kOpening + kOpening
                                    + QStringList({"78 59 66 00 00 00 FF", "78 59 66 00 00 00 FF"});
        QTRY_VERIFY_WITH_TIMEOUT(s.receivedHex().size() >= opening.size(), kSessionWait);
        QCOMPARE(s.receivedHex().mid(0, opening.size()), opening);

        QTRY_VERIFY_WITH_TIMEOUT(ui->pushButton_BLE->isChecked() && ui->pushButton_USB->isChecked(), kSessionWait);
        s.setBluetooth(false);
        QTRY_VERIFY_WITH_TIMEOUT(!ui->pushButton_BLE->isChecked(), kSessionWait);
        s.setBluetooth(true);
        QTRY_VERIFY_WITH_TIMEOUT(ui->pushButton_BLE->isChecked(), kSessionWait);
        QVERIFY(s.count(tavrosim::kCmdPoll) >= 3);

        const int starts = s.sim->testModeState().starts;
        QTest::keyClick(s.page, Qt::Key_F3);
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->testModeState().starts, starts + 1, kSessionWait);
        QCOMPARE(s.allPadColours().mid(0, 6), QStringList({"00 00 00", "00 00 00", "00 FF 00", "FF 00 00", "00 00 FF", "FF FF FF"}));
        QStringList leds;
        for (const tavrosim::Bytes &p : s.sim->testModeState().leds()) {
            const QString colour = QString::fromStdString(tavrosim::toHex(p.data() + 1, 3));
            if (p[0] == 0x80 && colour != "00 00 00")
                leds << colour;
        }
        QCOMPARE(leds, QStringList({"01 FF 00", "FF 00 00", "00 00 FF", "FF FF FF"}));
        QVERIFY(s.settle());
        QCOMPARE(s.allPadColours().size(), 7);
        QCOMPARE(ui->label_Message->text(), QString::fromUtf8("上滑第1个触摸条"));
    }

    // A whole unit: every control passes, the keys turn green, the colours
    // cycle after "自检完成！", and the next unit starts at its first strip.
    void wholeUnits()
    {
        Session s;
        QVERIFY(s.open(tavrosim::optionsForModel(9)));
        Ui_SelfCheck *ui = s.page->form();
        QTRY_VERIFY_WITH_TIMEOUT(ui->pushButton_BLE->isChecked(), kSessionWait);
        for (int step = 0; step < 54; ++step) {
            QCOMPARE(int(s.page->model().step()), step == 53 ? 53 : step);
            QVERIFY2(s.workStep(), qPrintable(QString("step %1 did not pass").arg(step)));
            QVERIFY2(!s.page->model().errorShown(), qPrintable(ui->label_ERR->text()));
            if (step == 52) {
                for (QPushButton *key : ui->widget->findChildren<QPushButton *>())
                    QCOMPARE(key->styleSheet(), selfCheckKeySheet(0, 255, 0));
            }
        }
        QCOMPARE(ui->label_Message->text(), QString::fromUtf8("自检完成！"));
        const int coloursBefore = s.allPadColours().size();
        const int starts = s.sim->testModeState().starts;
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->testModeState().starts, starts + 1, kSessionWait);
        QCOMPARE(s.allPadColours().mid(coloursBefore, 4), QStringList({"00 FF 00", "FF 00 00", "00 00 FF", "FF FF FF"}));
        QCOMPARE(ui->label_Message->text(), QString::fromUtf8("上滑第1个触摸条"));
        QCOMPARE(ui->pushButton_1->styleSheet(), selfCheckKeySheet(255, 255, 255));

        QVERIFY(s.workStep());
        QCOMPARE(int(s.page->model().step()), 1);
        QVERIFY(!s.page->model().errorShown());
    }

    // The unit goes away and comes back, or is replaced faster than the
    // window's scan can see: the dialog stays and restarts, the window starts
    // the test once more, and the unit is tested from its first step; the
    // pads module lights its first pad on the unit again.
    void reconnection_data()
    {
        QTest::addColumn<QString>("road");
        QTest::newRow("away and back") << "away";
        QTest::newRow("plugged in again at once, pads alone") << "replug";
        QTest::newRow("second unit before the first goes") << "second";
    }
    void reconnection()
    {
        QFETCH(QString, road);
        Session s;
        QVERIFY(s.open(tavrosim::optionsForModel(9)));
        QPushButton *bluetooth = s.page->form()->pushButton_BLE;
        QTRY_VERIFY_WITH_TIMEOUT(bluetooth->isChecked(), kSessionWait);
        if (road == "away") {
            tavrotest::unitAwayAndBack(s, [bluetooth] { return !bluetooth->isChecked(); });
            return;
        }
        if (road == "replug") {
            QTest::mouseClick(s.page->form()->pushButton_VX18, Qt::LeftButton);
            QTest::mouseClick(s.page->form()->pushButton_Pad, Qt::LeftButton);
        }
        tavrotest::unitReplaced(s, road == "second", bluetooth);
        if (QTest::currentTestFailed() || road != "replug")
            return;
        uchar padOne[62];
        selfCheckPadColoursFrame(padOne, SelfCheckModel::m_padLed[0], 0x00, 0xFF, 0x00);
        const QStringList received = s.receivedHex(); // pad 1 lit again after the test mode's start
        QVERIFY(received.mid(received.lastIndexOf("78 59 72 00 00 00 FF"))
                    .contains(tavrotest::hexOf(tavrosim::Bytes(padOne, padOne + 62))));
    }
};

TAVRO_TEST_MAIN(TestSelfCheckE2e)
#include "test_selfcheck_e2e.moc"
