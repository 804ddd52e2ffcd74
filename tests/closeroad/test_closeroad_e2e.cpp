// The close road of every page the connection window opens: Escape closes a
// page as its close box does, through the window (an editor page hands back,
// the upgrade-only page finishes the window), and a page that goes away
// behind the window's back is taken as closed. Either way the next device
// removal finds no page to finish, under the sanitizers. A colour chooser open
// on a per-control dialog does not keep a page whose device went.
#include <QtTest>

#include <QPushButton>
#include <QTranslator>

#include "cbasedlg.h"
#include "colorpicker.h"
#include "globals.h"
#include "pagesession.h"
#include "testmain.h"
#include "ui_pc_connectui.h"

using tavrotest::picture;

namespace {
constexpr int kWait = tavrotest::kSessionWait;

// The colour button of the per-control dialog on screen.
QPushButton *colourButtonOfOpenDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *button = w->isVisible() ? w->findChild<QPushButton *>(QStringLiteral("pushButton_color")) : nullptr;
        if (button)
            return button;
    }
    return nullptr;
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
        QTest::newRow("upgrade-only page") << 5 << 3 << true;
        QTest::newRow("small pad") << 8 << 3 << false;
        QTest::newRow("keyboard") << 9 << 3 << false;
        QTest::newRow("foot pedal") << 1 << 5 << false;
        QTest::newRow("older foot pedal") << 1 << 4 << false;
    }
    void escapeTakesTheCloseRoad()
    {
        QFETCH(int, model);
        QFETCH(int, firmware);
        QFETCH(bool, finishesWindow);
        tavrotest::PageSession<CBaseDlg> s;
        tavrosim::SimOptions options = tavrosim::optionsForModel(model, firmware);
        if (model == 5)
            options.name = "Z2";
        // Ready as soon as it is on screen, whatever it has read.
        QVERIFY(s.open(options, {}, [](CBaseDlg *p) { return p->isVisible(); }));
        QPointer<CBaseDlg> page = s.page;
        QSignalSpy finished(s.window.get(), &QDialog::finished);

        // Escape, as the user presses it (a page still waiting for its device
        // takes no keys; reject() is where Escape leads).
        if (page->isEnabled())
            QTest::keyClick(page, Qt::Key_Escape);
        else
            page->reject();
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
        QTest::newRow("pad") << 7 << 3;
        QTest::newRow("small pad") << 8 << 3;
        QTest::newRow("keyboard") << 9 << 3;
        QTest::newRow("foot pedal") << 1 << 5;
        QTest::newRow("older foot pedal") << 1 << 4;
    }
    void returnClicksNoButton()
    {
        QFETCH(int, model);
        QFETCH(int, firmware);
        tavrotest::PageSession<CBaseDlg> s;
        QVERIFY(s.open(tavrosim::optionsForModel(model, firmware)));
        QStringList clicked;
        for (QPushButton *b : s.page->findChildren<QPushButton *>())
            connect(b, &QPushButton::clicked, s.page, [&clicked, b] { clicked << b->objectName(); });
        QTest::keyClick(s.page, Qt::Key_Return);
        QCOMPARE(clicked, QStringList());
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
        QPushButton *pad = s.page->findChild<QPushButton *>(QStringLiteral("pad1"));
        QTRY_VERIFY_WITH_TIMEOUT(pad->isEnabled(), kWait);
        pad->click();
        QPushButton *colour = nullptr;
        QTRY_VERIFY((colour = colourButtonOfOpenDialog()));
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
