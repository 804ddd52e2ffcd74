// The pad self-test end to end: the connection window with Alt held at the
// device's answer, a simulated pad controller on a real JACK server, and an
// operator at the unit who works the control the dialog asks for.
#include <QtTest>

#include <QLabel>
#include <QPushButton>

#include "ui_pc_connectui.h" // generated for the window that pagesession.h drives
#include "midiapi.h"
#include "pagesession.h"
#include "selftestroads.h"
#include "selftest/ctestdlg.h"
#include "simdevice.h"
#include "testmain.h"
#include "ui_ctestdlg.h"

using tavrosim::Simulator;
using tavrotest::kSessionWait;

namespace {

struct Session : tavrotest::PageSession<cTestDlg>
{
    Session()
    {
        clickModifiers = Qt::AltModifier;
        SelfTestPage::setFilesFolder(QStringLiteral(TAVRO_SELFTEST_FILES));
    }

    int lastLed() const { return sim->testModeState().lastLed(); }

    // The operator works the current step: a knob up and back down, or the
    // lit control struck once its LED is lit. True when the step moved on.
    bool workStep()
    {
        const uchar step = page->model().step();
        if (step < padtest::kFirstButtonStep) {
            sim->press(step, 127);
            sim->press(step, 0);
        } else {
            if (!QTest::qWaitFor([this] { return lastLed() != pressedLed && lastLed() != padtest::kLedNone; },
                                 kSessionWait))
                return false;
            pressedLed = lastLed();
            if (!sim->pressLit(127))
                return false;
        }
        return QTest::qWaitFor([this, step] { return !page || page->model().step() != step || page->model().errorShown(); },
                               kSessionWait);
    }
    void forgetPress() { pressedLed = -1; }

    void setLink(bool bluetooth)
    {
        sim->withDevice([bluetooth](tavrosim::SimDevice &d) { d.test().bluetooth = bluetooth; });
    }

    int pressedLed = -1;
};

} // namespace

class TestPadTestE2e : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        std::string why;
        if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER") || !midiServiceAvailable(&why))
            QSKIP(qPrintable("needs a JACK server (scripts/jack-env.sh): " + QString::fromStdString(why)));
    }

    // A whole unit: the dialog opens with its frames, the lamps follow the
    // unit, every control passes, the flash test's answer is shown (or not),
    // the colour test follows, the unit starts over, the close box ends all.
    void wholeUnit_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("flash");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("opening");
        QTest::addColumn<int>("steps");
        QTest::newRow("model 7") << 7 << 1 << "RZ-7 自检模式"
                                 << QStringList({"78 59 12 01 00 00 01 FE", "78 59 11 00 00 00 FF",
                                                 "78 59 66 00 00 00 FF", "78 59 72 00 00 00 FF",
                                                 "78 59 73 04 00 00 64 00 FF 00 9C", "78 59 66 00 00 00 FF"})
                                 << 36;
        QTest::newRow("model 8, flash fails") << 8 << 0 << "RZ-Nano 自检模式"
                                              << QStringList({"78 59 12 01 00 00 01 FE", "78 59 11 00 00 00 FF",
                                                              "78 59 73 04 00 00 00 00 FF 00 00",
                                                              "78 59 66 00 00 00 FF", "78 59 72 00 00 00 FF",
                                                              "78 59 73 04 00 00 64 00 FF 00 9C",
                                                              "78 59 73 04 00 00 00 00 FF 00 00",
                                                              "78 59 66 00 00 00 FF"})
                                              << 22;
    }
    void wholeUnit()
    {
        QFETCH(int, model);
        QFETCH(int, flash);
        QFETCH(QString, title);
        QFETCH(QStringList, opening);
        QFETCH(int, steps);
        Session s;
        QVERIFY(s.open(tavrosim::optionsForModel(model), [flash](Simulator &sim) {
            sim.withDevice([flash](tavrosim::SimDevice &d) { d.test().flashAnswer = flash; });
        }));
        Ui_cTestDlg *ui = s.page->form();
        QCOMPARE(s.page->windowTitle(), title);
        QTRY_VERIFY_WITH_TIMEOUT(s.receivedHex().size() >= opening.size(), kSessionWait);
        QCOMPARE(s.receivedHex().mid(0, opening.size()), opening);

        // The lamps follow the unit's status record.
        QTRY_VERIFY_WITH_TIMEOUT(ui->pushButton_BLE->isChecked(), kSessionWait);
        QCOMPARE(ui->pushButton_MIDI->isChecked(), model == 7);
        s.setLink(false);
        QTRY_VERIFY_WITH_TIMEOUT(!ui->pushButton_BLE->isChecked(), kSessionWait);
        s.setLink(true);
        QTRY_VERIFY_WITH_TIMEOUT(ui->pushButton_BLE->isChecked(), kSessionWait);

        for (int k = 0; k < steps; ++k) {
            QVERIFY2(s.workStep(), qPrintable(QString("step %1 did not pass").arg(s.page->model().step())));
            QVERIFY2(!s.page->model().errorShown(), qPrintable(ui->label_Err->text()));
        }
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdTestFlash), size_t(1), kSessionWait);
        if (flash) {
            // A status record after the answer: by then the answer was handled.
            s.setLink(false);
            QTRY_VERIFY_WITH_TIMEOUT(!ui->pushButton_BLE->isChecked(), kSessionWait);
            s.setLink(true);
            QVERIFY(!ui->label_Err->isVisible());
        } else {
            QTRY_VERIFY_WITH_TIMEOUT(ui->label_Err->isVisible(), kSessionWait);
            QCOMPARE(ui->label_Err->text(), QString::fromUtf8("Flash 存储错误！请重新测试！"));
        }

        // The colour test: red, green, blue and white on every pad, then no LED.
        QTRY_VERIFY_WITH_TIMEOUT(s.lastLed() == padtest::kLedNone, kSessionWait);
        QStringList colours;
        for (const tavrosim::Bytes &p : s.sim->testModeState().padColours()) {
            if (p[0] == 0xFF)
                colours << QString::fromStdString(tavrosim::toHex(p.data() + 1, 3));
        }
        QCOMPARE(colours, QStringList({"00 FF 00", "FF 00 00", "00 00 FF", "FF FF FF"}));

        // The next unit: after a restart when the banner is up.
        if (!flash) {
            QTest::mouseClick(ui->pushButton_reset2, Qt::LeftButton);
            QVERIFY(!ui->label_Err->isVisible());
        }
        QCOMPARE(int(s.page->model().step()), model == 7 ? 0 : 8);
        s.pressedLed = -1;
        QVERIFY(s.workStep());
        QVERIFY(!s.page->model().errorShown());

        QPointer<cTestDlg> page = s.page;
        page->close();
        QTRY_VERIFY(page.isNull());
        QVERIFY(!s.window->page());
        QVERIFY(s.window->isHidden());
        QCOMPARE(s.window->result(), 1);
    }

    // The flash verdict is not lost: a unit silent from its last pad shows
    // the flash error (which holds the steps) before the colour test ends,
    // while it is away and once it answers again, until Alt+S.
    void flashUnansweredBySilentUnit()
    {
        Session s;
        QVERIFY(s.open(tavrosim::optionsForModel(8)));
        Ui_cTestDlg *ui = s.page->form();
        const auto banner = [ui] { return ui->label_Err->isVisible() ? ui->label_Err->text() : QString(); };
        QTRY_VERIFY_WITH_TIMEOUT(ui->pushButton_BLE->isChecked(), kSessionWait);
        while (s.page->model().step() != padtest::kLastStep)
            QVERIFY(s.workStep());
        QTRY_COMPARE_WITH_TIMEOUT(s.lastLed(), int(padtest::ledIndex(8, padtest::kLastStep)), kSessionWait);
        s.sim->setAnswering(false);
        QVERIFY(s.workStep());
        const QString flash = QString::fromUtf8("Flash 存储错误！请重新测试！");
        QTRY_COMPARE_WITH_TIMEOUT(banner(), flash, kSessionWait);
        QVERIFY(s.page->model().ledTest());
        QVERIFY(!ui->pushButton_BLE->isChecked());
        s.sim->setAnswering(true);
        QTRY_VERIFY_WITH_TIMEOUT(ui->pushButton_BLE->isChecked(), kSessionWait);
        QCOMPARE(banner(), flash);
        s.page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(s.page));
        QTest::keyClick(s.page, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(banner(), QString());
    }

    // The unit goes away and comes back, or is replaced faster than the
    // window's scan can see: the dialog stays and restarts, the window starts
    // the test once more, and the unit is tested from its first step.
    void reconnection_data()
    {
        QTest::addColumn<QString>("road");
        QTest::newRow("away and back") << "away";
        QTest::newRow("plugged in again at once") << "replug";
        QTest::newRow("second unit before the first goes") << "second";
        QTest::newRow("replugged, the next unit listed in front") << "next";
    }
    void reconnection()
    {
        QFETCH(QString, road);
        Session s;
        // The next unit on the bench, plugged in first: its ports are listed
        // in front of those of the unit under test.
        std::unique_ptr<Simulator> next;
        QVERIFY(s.open(tavrosim::optionsForModel(7), [&](Simulator &) {
            if (road != "next")
                return;
            tavrosim::SimOptions options = tavrosim::optionsForModel(7);
            options.name += " 2";
            next = std::make_unique<Simulator>(options);
            QVERIFY(next->start());
        }));
        Ui_cTestDlg *ui = s.page->form();
        QTRY_VERIFY_WITH_TIMEOUT(ui->pushButton_MIDI->isChecked(), kSessionWait);
        if (road == "away")
            tavrotest::unitAwayAndBack(s, [ui] { return !ui->pushButton_MIDI->isChecked(); });
        else
            tavrotest::unitReplaced(s, road == "second", ui->pushButton_MIDI);
        if (next)
            QCOMPARE(next->receivedCount(tavrosim::kCmdTestStart), 0);
    }
};

TAVRO_TEST_MAIN(TestPadTestE2e)
#include "test_padtest_e2e.moc"
