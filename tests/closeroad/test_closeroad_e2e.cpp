// The close road of every page the connection window opens: Escape closes a
// page as its close box does, through the window (an editor page hands back,
// the upgrade-only page finishes the window), also while the page still waits
// for its device, and a page that goes away behind the window's back is taken
// as closed. Either way the next device removal finds no page to finish, under
// the sanitizers. A save on closing is heard before the page goes. A colour
// chooser open on a per-control dialog does not keep a page whose device went,
// nor does a device replugged between two scans.
#include <QtTest>

#include <QPushButton>
#include <QTranslator>

#include "cbasedlg.h"
#include "colorpicker.h"
#include "globals.h"
#include "pagedialogs.h"
#include "pagesession.h"
#include "testmain.h"
#include "ui_pc_connectui.h"

using tavrotest::picture;

namespace {
constexpr int kWait = tavrotest::kSessionWait;

// Opens the per-control dialog of the page's first pad (or of the control
// named), once the page holds its block; null when none opens.
QWidget *openPadDialog(QWidget *page, const QString &control = QStringLiteral("pad1"))
{
    QPushButton *pad = page->findChild<QPushButton *>(control);
    if (!QTest::qWaitFor([pad] { return pad->isEnabled(); }, kWait))
        return nullptr;
    pad->click();
    QWidget *dialog = nullptr;
    (void)QTest::qWaitFor(
        [&dialog] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->isVisible() && w->findChild<QPushButton *>(QStringLiteral("pushButton_ok")))
                    dialog = w;
            }
            return dialog != nullptr;
        },
        kWait);
    return dialog;
}
} // namespace

class TestCloseRoadEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
            QSKIP("needs a JACK server (scripts/jack-env.sh)");
        g_translator = new QTranslator(qApp);
        g_language = 0;
    }

    void escapeTakesTheCloseRoad_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("firmware");
        QTest::addColumn<bool>("finishesWindow");
        QTest::addColumn<int>("unanswered"); // a command the device leaves unanswered; 0: none
        QTest::newRow("upgrade-only page") << 5 << 3 << true << 0;
        QTest::newRow("small pad") << 8 << 3 << false << 0;
        QTest::newRow("keyboard") << 9 << 3 << false << 0;
        QTest::newRow("foot pedal") << 1 << 5 << false << 0;
        QTest::newRow("older foot pedal") << 1 << 4 << false << 0;
        QTest::newRow("pad waiting for its block") << 7 << 3 << false << int(tavrosim::kCmdReadPreset);
        QTest::newRow("older foot pedal waiting for its image") << 1 << 4 << false << int(tavrosim::kCmdPoll);
    }
    void escapeTakesTheCloseRoad()
    {
        QFETCH(int, model);
        QFETCH(int, firmware);
        QFETCH(bool, finishesWindow);
        QFETCH(int, unanswered);
        tavrotest::PageSession<CBaseDlg> s;
        tavrosim::SimOptions options = tavrosim::optionsForModel(model, firmware);
        if (model == 5)
            options.name = "Z2";
        // Ready as soon as it is on screen, whatever it has read.
        QVERIFY(s.open(options, [unanswered](tavrosim::Simulator &sim) { sim.setUnanswered(uint8_t(unanswered)); },
                       [](CBaseDlg *p) { return p->isVisible(); }));
        QPointer<CBaseDlg> page = s.page;
        QSignalSpy finished(s.window.get(), &QDialog::finished);

        // Escape, as the user presses it.
        QTest::keyClick(page, Qt::Key_Escape);
        QVERIFY(!s.window->page());
        if (finishesWindow) {
            QCOMPARE(finished.count(), 1);
        } else {
            QCOMPARE(finished.count(), 0);
            QVERIFY(s.window->isVisible());
        }
        QTRY_VERIFY_WITH_TIMEOUT(page.isNull(), kWait);

        // The device goes: the scan that sees it gone finds nothing to finish.
        s.sim->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!picture(*s.window, uint(model)), kWait);
        QVERIFY(!s.window->page());
    }

    // Return that no list takes reaches the page: it clicks no button there
    // (it was "Save", writing the flash, or the online preset list).
    void returnClicksNoButton_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("firmware");
        QTest::addColumn<QString>("control"); // whose per-control dialog opens
        QTest::newRow("pad") << 7 << 3 << "pad1";
        QTest::newRow("small pad") << 8 << 3 << "pad1";
        // Its first auto-default button is on the slide page.
        QTest::newRow("keyboard") << 9 << 3 << "pushButton_pitch";
        QTest::newRow("foot pedal") << 1 << 5 << "";
        QTest::newRow("older foot pedal") << 1 << 4 << "";
    }
    void returnClicksNoButton()
    {
        QFETCH(int, model);
        QFETCH(int, firmware);
        QFETCH(QString, control);
        tavrotest::PageSession<CBaseDlg> s;
        QVERIFY(s.open(tavrosim::optionsForModel(model, firmware)));
        QStringList clicked;
        for (QPushButton *b : s.page->findChildren<QPushButton *>())
            connect(b, &QPushButton::clicked, s.page, [&clicked, b] { clicked << b->objectName(); });
        QTest::keyClick(s.page, Qt::Key_Return);
        QCOMPARE(clicked, QStringList());

        // Nor on its per-control dialog (the colour chooser, OK...).
        QWidget *dialog = control.isEmpty() ? nullptr : openPadDialog(s.page, control);
        if (!dialog)
            return;
        for (QPushButton *b : dialog->findChildren<QPushButton *>())
            connect(b, &QPushButton::clicked, dialog, [&clicked, b] { clicked << b->objectName(); });
        QTest::keyClick(dialog, Qt::Key_Return);
        QCOMPARE(clicked, QStringList({control}));
    }

    // Yes to "Save the data to the device?" on closing waits for the save's
    // answer: a refusal keeps the page and its edits (closing asks again) and
    // sends no close frame; a stored save is followed by the close frame.
    void closeWithSaveHearsTheDevice_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("result");
        for (int model : {7, 8, 9}) {
            QTest::addRow("model %d refused", model) << model << 0;
            QTest::addRow("model %d stored", model) << model << 1;
        }
    }
    void closeWithSaveHearsTheDevice()
    {
        QFETCH(int, model);
        QFETCH(int, result);
        tavrotest::PageSession<CBaseDlg> s;
        QVERIFY(s.open(tavrosim::optionsForModel(model),
                       [result](tavrosim::Simulator &sim) { sim.setResult(tavrosim::kCmdSave, uint8_t(result)); }));
        QWidget *dialog = openPadDialog(s.page);
        QVERIFY(dialog);
        dialog->findChild<QPushButton *>(QStringLiteral("pushButton_ok"))->click();
        QTRY_VERIFY_WITH_TIMEOUT(s.count(tavrosim::kCmdWritePads) > 0, kWait);

        // While the answer is awaited the page takes no edit, and after a
        // refusal it takes them again.
        s.sim->setReplyDelay(300);
        QPushButton *pad = s.page->findChild<QPushButton *>(QStringLiteral("pad1"));
        int probes = 0;
        bool editable = false;
        QTimer probe;
        connect(&probe, &QTimer::timeout, [&] {
            if (s.count(tavrosim::kCmdSave) == 0)
                return;
            ++probes;
            editable = editable || pad->isEnabled();
        });
        probe.start(5);
        QStringList seen;
        QCOMPARE(tavrotest::closeAnswering(s.page, QStringLiteral("yes"), &seen), result != 0);
        probe.stop();
        QVERIFY(probes > 0 && !editable);
        if (result) {
            QTRY_COMPARE_WITH_TIMEOUT(s.commands().mid(s.commands().size() - 2),
                                      QList<int>({tavrosim::kCmdSave, tavrosim::kCmdPageClose}), kWait);
            return;
        }
        QVERIFY(tavrotest::toastTexts(s.page).contains(QStringLiteral("Fail to save!")));
        QVERIFY(pad->isEnabled());
        QCOMPARE(s.count(tavrosim::kCmdPageClose), size_t(0));
        seen.clear();
        QVERIFY(tavrotest::closeAnswering(s.page, QStringLiteral("no"), &seen) && !seen.isEmpty());
    }

    void colourChooserGoesWithItsPage_data()
    {
        QTest::addColumn<int>("model");
        QTest::newRow("pad") << 7;
        QTest::newRow("small pad") << 8;
        QTest::newRow("keyboard") << 9;
    }
    void colourChooserGoesWithItsPage()
    {
        QFETCH(int, model);
        tavrotest::PageSession<CBaseDlg> s;
        QVERIFY(s.open(tavrosim::optionsForModel(model)));
        // The controls take clicks once the page holds the device's block.
        QWidget *dialog = openPadDialog(s.page);
        QVERIFY(dialog);
        QPushButton *colour = dialog->findChild<QPushButton *>(QStringLiteral("pushButton_color"));
        colour->click();
        QPointer<ColorPicker> picker;
        QTRY_VERIFY((picker = colour->window()->findChild<ColorPicker *>()));
        QTRY_VERIFY(picker->isVisible());

        // The device goes: the page goes with the chooser open, and the
        // chooser with it; nothing more is sent to the gone device (the
        // colour the chooser puts back as it closes included).
        s.sim->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->page(), kWait);
        QTRY_VERIFY(picker.isNull());
        QVERIFY(s.window->isVisible());
        QVERIFY(!s.window->Slots_send_data(g_fixedFramePoll.bytes, int(g_fixedFramePoll.length)));
    }

    // The device's ports go and come back between two scans (a cable
    // wiggle): the page, whose ports went with the old ones, goes as after
    // an unplug, and an edit on the page opened again reaches the device.
    void replugBetweenScans_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("firmware");
        QTest::addColumn<QString>("control"); // a button whose click sends an edit
        QTest::addColumn<int>("command");     // the edit's command
        QTest::newRow("small pad") << 8 << 3 << "pushButton_DAW" << int(tavrosim::kCmdSystemConfig);
        QTest::newRow("pad") << 7 << 3 << "pushButton_DAW" << int(tavrosim::kCmdSystemConfig);
        // Its content is enabled before it has the record its switches edit.
        QTest::newRow("keyboard") << 9 << 3 << "pushButton_save" << int(tavrosim::kCmdSave);
        QTest::newRow("foot pedal") << 1 << 5 << "pushButton_FSB_mode" << 0x62;
        QTest::newRow("older foot pedal") << 1 << 4 << "pushButton_FSB_mode" << 0x62;
    }
    void replugBetweenScans()
    {
        QFETCH(int, model);
        QFETCH(int, firmware);
        QFETCH(QString, control);
        QFETCH(int, command);
        tavrotest::PageSession<CBaseDlg> s;
        QVERIFY(s.open(tavrosim::optionsForModel(model, firmware)));
        s.sim->vanish(); // no event loop runs, so no scan, until it is back
        QVERIFY(s.sim->reappear());
        QTRY_VERIFY_WITH_TIMEOUT(s.page.isNull() && s.window->isVisible(), 4000);
        QTest::mousePress(picture(*s.window, uint(model)), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.window->page() && tavrotest::contentEnabled(s.window->page()), kWait);
        s.sim->clearLog();
        s.window->page()->findChild<QPushButton *>(control)->click();
        QTRY_VERIFY_WITH_TIMEOUT(s.count(command) > 0, kWait);
    }

    // A page deleted without a word to the window: the window comes back as
    // after a hand-back and survives the device's removal.
    void pageGoneBehindTheWindowsBack()
    {
        tavrotest::PageSession<CBaseDlg> s;
        QVERIFY(s.open(tavrosim::optionsForModel(8), {}, [](CBaseDlg *p) { return p->isVisible(); }));
        QVERIFY(!s.window->isVisible());
        delete s.page.data();
        QTRY_VERIFY_WITH_TIMEOUT(s.window->isVisible(), kWait);
        QVERIFY(!s.window->page());
        s.sim->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(!picture(*s.window, 8), kWait);
        // The device comes back and a page opens again.
        QVERIFY(s.sim->reappear());
        QTRY_VERIFY_WITH_TIMEOUT(picture(*s.window, 8), kWait);
        QTest::mousePress(picture(*s.window, 8), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(s.window->page(), kWait);
    }
};

TAVRO_TEST_MAIN(TestCloseRoadEndToEnd)
#include "test_closeroad_e2e.moc"
