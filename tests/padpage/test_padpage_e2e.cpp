// The pad page end to end: the connection window opens it for a simulated
// controller on a real JACK server; edits travel through RtMidi to the device
// and its answers come back the same road.
#include <QtTest>

#include <QApplication>
#include <QElapsedTimer>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>

#include <memory>

#include "autodisappermsgbox.h"
#include "colorpicker.h"
#include "devices/pad/crzm7.h"
#include "globals.h"
#include "midinames.h"
#include "pc_connectui.h"
#include "simulator.h"
#include "connectwindowtest.h"
#include "pagesession.h"
#include "recordingowner.h"
#include "testmain.h"
#include "touchcombobox.h"
#include "ui_crzm7.h"
#include "ui_pc_connectui.h"

using tavrosim::Bytes;
using tavrotest::picture;
using tavrotest::toastTexts;
using tavrosim::Simulator;

namespace {

constexpr int kWait = tavrotest::kSessionWait;

using tavrotest::hexOf;

// A simulated pad controller, the connection window, and the page it opened.
struct Session : tavrotest::PageSession<CRZM7>
{
    bool open(const Bytes &systemRecord = Bytes())
    {
        return PageSession::open(tavrosim::optionsForModel(7), [&](Simulator &sim) {
            if (!systemRecord.empty())
                sim.setSystemRecord(systemRecord);
        });
    }

    Ui_CRZM7 *ui() const { return page->form(); }
    Bytes record() const { return sim->systemRecord(); }
};

} // namespace

class TestPadPageEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
            QSKIP("needs a JACK server (scripts/jack-env.sh)");
        g_translator = new QTranslator(qApp);
    }

    void init() { g_language = 0; }

    // The page asks for the block while it is empty, shows the preset's pads
    // in the interface language, and polls every 1.6 s.
    void openReadsThePreset_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("caption"); // %1: the pad's note
        QTest::newRow("English") << 0 << "Note\nCH:2\nNote:%1\nVel:0-127";
        QTest::newRow("Chinese") << 1 << "音符开关\n通道:2\n音符:%1\n力度:0-127";
    }
    void openReadsThePreset()
    {
        QFETCH(int, language);
        QFETCH(QString, caption);
        g_language = language;
        Bytes sys = tavrosim::factorySystemRecord(7);
        sys[4] = 2; // the device plays preset 3, whose pads use channel 2
        Session s;
        QVERIFY(s.open(sys));

        // The request for the preset the device reported (an earlier one, for
        // preset 1, goes out only when the first record was lost on the way).
        QStringList requests;
        for (const Bytes &f : s.frames(tavrosim::kCmdReadPreset))
            requests << hexOf(f);
        QVERIFY2(requests.contains("78 59 67 01 00 00 02 FD"), qPrintable(requests.join(" | ")));
        QCOMPARE(s.ui()->comboBox_Preset->currentIndex(), 2);
        QCOMPARE(s.ui()->comboBox_tempo->currentText(), QString("120"));
        QCOMPARE(s.page->windowTitle(), language ? QString("rz7 已连接 V3") : QString("rz7 Connected V3"));
        // Bank 0 of the simulated preset: notes 36.., stored G=FF, so every pad glows green.
        for (int p = 1; p <= 16; ++p) {
            auto *pad = s.page->findChild<QPushButton *>(QString("pad%1").arg(p));
            QCOMPARE(pad->text(), caption.arg(35 + p));
            QVERIFY(pad->styleSheet().contains("stop: 0 rgb(0, 255, 0)"));
        }
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&s.page->model().config()), 823),
                 QByteArray(reinterpret_cast<const char *>(s.sim->block(2).data()), 823));

        // The window's poll came first; the page's own follow every 1.6 s.
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdPoll), size_t(2), kWait);
        const qint64 second = s.sinceOpen.elapsed();
        QVERIFY2(second >= 1400, qPrintable(QString::number(second)));
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdPoll), size_t(3), kWait);
        QVERIFY2(s.sinceOpen.elapsed() - second >= 1400, qPrintable(QString::number(s.sinceOpen.elapsed())));
        QVERIFY(s.page->isVisible());
        QVERIFY(!s.window->isVisible());
    }

    // Edits on the global page reach the device byte for byte; the record
    // after a sent one is dropped, the next applied.
    void globalEditsReachTheDevice()
    {
        Bytes sys = tavrosim::factorySystemRecord(7);
        sys[11] = 9;
        sys[12] = 91;
        Session s;
        QVERIFY(s.open(sys));
        s.sim->clearLog();

        s.ui()->comboBox_tempo->setCurrentIndex(110); // 140
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdSystemConfig), size_t(1), kWait);
        Bytes expect = sys;
        expect[0] = 140;
        expect[11] = 45;
        expect[12] = 45;
        const Bytes sent = s.frames(tavrosim::kCmdSystemConfig).front();
        QCOMPARE(hexOf(Bytes(sent.begin() + 6, sent.end() - 1)), hexOf(expect));
        QCOMPARE(hexOf(sent), hexOf(tavrosim::makeFrame(tavrosim::kCmdSystemConfig, expect)));
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s.record()), hexOf(expect), kWait);

        // The device keeps quiet (from one unanswered poll on, no answer is
        // on its way); a record it sends after the edit is dropped, the one
        // after that is shown.
        QTRY_VERIFY_WITH_TIMEOUT(!s.page->model().ignoresEcho(), kWait); // the echo of the tempo edit
        s.sim->setAnswering(false);
        const size_t polls = s.count(tavrosim::kCmdPoll);
        QTRY_VERIFY_WITH_TIMEOUT(s.count(tavrosim::kCmdPoll) > polls, kWait);
        s.ui()->comboBox_Curve->setCurrentIndex(2);
        QVERIFY(s.page->model().ignoresEcho());
        Bytes device = s.sim->systemRecord();
        device[0] = 250;
        s.sim->setSystemRecord(device);
        QVERIFY(s.sim->sendSystemRecord());
        QTRY_VERIFY_WITH_TIMEOUT(!s.page->model().ignoresEcho(), kWait);
        QCOMPARE(s.ui()->comboBox_tempo->currentText(), QString("140"));
        QVERIFY(s.sim->sendSystemRecord());
        QTRY_COMPARE_WITH_TIMEOUT(s.ui()->comboBox_tempo->currentText(), QString("250"), kWait);
        s.sim->setAnswering(true);

        // Switch and bank button.
        // (The page never repeats a frame; one click at a time, so that a busy
        // machine's JACK server is not asked to carry a burst.)
        QStringList texts;
        QList<int> banks;
        for (int i = 0; i < 3; ++i) {
            // The echo of the last click is back and the page shows what the
            // device holds.
            QTRY_VERIFY_WITH_TIMEOUT(!s.page->model().ignoresEcho()
                                         && s.page->model().system().padBank == s.record()[2],
                                     kWait);
            s.sim->clearLog();
            s.ui()->pushButton_PadGroup->click();
            texts << s.ui()->pushButton_PadGroup->text();
            QTRY_VERIFY_WITH_TIMEOUT(s.count(tavrosim::kCmdSystemConfig) >= 1, kWait);
            banks << s.frames(tavrosim::kCmdSystemConfig).front()[6 + 2];
            QTRY_COMPARE_WITH_TIMEOUT(int(s.record()[2]), banks.last(), kWait);
        }
        QCOMPARE(texts, QStringList({"2", "3", "1"}));
        QCOMPARE(banks, QList<int>({1, 2, 0}));

        s.ui()->pushButton_LowBattery->click();
        QTRY_COMPARE_WITH_TIMEOUT(int(s.record()[30]), 0x80, kWait);
    }

    // Another preset from the list: the device switches and the page shows
    // that preset's block.
    void presetSwitch()
    {
        Session s;
        QVERIFY(s.open());
        s.ui()->comboBox_Preset->setCurrentIndex(3);
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->currentPreset(), 3, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.page->findChild<QPushButton *>("pad1")->text(),
                                  QString("Note\nCH:3\nNote:36\nVel:0-127"), kWait);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&s.page->model().config()), 823),
                 QByteArray(reinterpret_cast<const char *>(s.sim->block(3).data()), 823));
    }

    // The group colour chooser previews on the device and puts the colour
    // back when cancelled.
    void groupColourPreview()
    {
        Session s;
        QVERIFY(s.open());
        s.sim->clearLog();
        const Bytes before = s.sim->block(0);
        s.ui()->pushButton_KnobColor->click();
        auto *picker = s.page->findChild<ColorPicker *>();
        QVERIFY(picker);
        picker->findChild<TouchComboBox *>("comboBox_G")->setCurrentIndex(17);
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdWriteModeColours), size_t(1), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(int(s.sim->block(0)[504]), 17, kWait); // knob group 0, stored G first
        QCOMPARE(s.frames(tavrosim::kCmdWriteModeColours).front().size(), size_t(25));

        picker->findChild<QPushButton *>("btn_Cancel")->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdWriteModeColours), size_t(2), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s.sim->block(0)), hexOf(before), kWait);
        QCOMPARE(s.ui()->pushButton_KnobGroup->styleSheet(),
                 CRZM7::groupButtonStyle.arg(CRZM7::colour_css(s.page->model().config().KnobModeRGB[0]))
                     + CRZM7::groupButtonRadius);
    }

    // The device goes to another preset while the group colour chooser is
    // open: the chooser closes without a frame more, and the new preset's
    // block, which arrived while the page was busy, is read again.
    void presetChangeUnderTheColourChooser()
    {
        Session s;
        QVERIFY(s.open());
        s.ui()->pushButton_KnobColor->click();
        QPointer<ColorPicker> picker = s.page->findChild<ColorPicker *>();
        QVERIFY(picker);
        picker->findChild<TouchComboBox *>("comboBox_G")->setCurrentIndex(17);
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdWriteModeColours), size_t(1), kWait);

        s.sim->selectPreset(3);
        QVERIFY(s.sim->sendSystemRecord());
        QTRY_VERIFY_WITH_TIMEOUT(picker.isNull(), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(QByteArray(reinterpret_cast<const char *>(&s.page->model().config()), 823),
                                  QByteArray(reinterpret_cast<const char *>(s.sim->block(3).data()), 823), kWait);
        QCOMPARE(s.ui()->comboBox_Preset->currentIndex(), 3);
        QVERIFY(s.settle());
        QCOMPARE(s.count(tavrosim::kCmdWriteModeColours), size_t(1));
        QCOMPARE(hexOf(s.sim->block(3)), hexOf(tavrosim::factoryPadBlock(3)));
    }

    // A record whose pad bank has no block section is the device's record all
    // the same: its preset's block is read and a global edit sends its own
    // settings with bank 0. Before the device's first good record nothing of
    // the page's goes out.
    void recordsWithBankOutOfRangeOrRefused()
    {
        Bytes sys = tavrosim::factorySystemRecord(7);
        sys[2] = 7;  // pad bank
        sys[4] = 2;  // preset 3
        sys[7] = 60; // gate 60 %
        Session s;
        QVERIFY(s.open(sys));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&s.page->model().config()), 823),
                 QByteArray(reinterpret_cast<const char *>(s.sim->block(2).data()), 823));
        QCOMPARE(s.ui()->pushButton_PadGroup->text(), QString("1"));
        s.sim->clearLog();
        s.ui()->comboBox_tempo->setCurrentIndex(110); // 140
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdSystemConfig), size_t(1), kWait);
        const Bytes sent = s.frames(tavrosim::kCmdSystemConfig).front();
        QCOMPARE(int(sent[6 + 0]), 140);
        QCOMPARE(int(sent[6 + 2]), 0);
        QCOMPARE(int(sent[6 + 4]), 2);
        QCOMPARE(int(sent[6 + 7]), 60);
        s.window.reset();
        s.sim.reset();

        Bytes refused = tavrosim::factorySystemRecord(7);
        refused[0] = 10; // tempo 10: the page's check refuses it
        Session r;
        QVERIFY(r.open(refused));
        r.sim->clearLog();
        r.ui()->comboBox_tempo->setCurrentIndex(110);
        r.ui()->pushButton_PadGroup->click();
        QVERIFY(r.settle());
        QCOMPARE(r.count(tavrosim::kCmdSystemConfig), size_t(0));
        QCOMPARE(int(r.sim->systemRecord()[0]), 10);
    }

    // One edit from the click on a pad to the device: the per-control dialog
    // changes the record in the block, the page writes the bank.
    void padEditThroughTheDialog()
    {
        Session s;
        QVERIFY(s.open());
        s.sim->clearLog();
        s.ui()->pushButton_pad->click();
        s.page->findChild<QPushButton *>("pad5")->click();
        QDialog *dlg = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->inherits("CRZM7DLG") && w->isVisible())
                dlg = static_cast<QDialog *>(w);
        }
        QVERIFY(dlg);
        auto *channel = dlg->findChild<QComboBox *>("comboBox_channel");
        auto *ok = dlg->findChild<QPushButton *>("pushButton_ok");
        QVERIFY(channel && ok);
        channel->setCurrentIndex(9);
        ok->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdWritePads), size_t(1), kWait);
        const Bytes pads = s.frames(tavrosim::kCmdWritePads).front();
        QCOMPARE(pads.size(), size_t(72));
        QCOMPARE(int(pads[6]), 0); // bank
        QCOMPARE(int(pads[7 + 4 * 4] & 0x0F), 9);
        QTRY_COMPARE_WITH_TIMEOUT(int(s.sim->block(0)[tavrosim::padblock::pad(0, 4)] & 0x0F), 9, kWait);
        QCOMPARE(s.page->findChild<QPushButton *>("pad5")->text(), QString("Note\nCH:9\nNote:40\nVel:0-127"));
        QVERIFY(s.page->model().hasUnsavedChanges());
    }

    // What the device plays and sends shows in the monitor, at most 500 lines.
    void monitor()
    {
        Session s;
        QVERIFY(s.open());
        QListWidget *list = s.ui()->listWidget_show;
        s.ui()->pushButton_DelText->click();
        QVERIFY(s.sim->sendBytes({0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7, 0x90, 0x7F, 0x40}));
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 2, kWait);
        QCOMPARE(list->item(0)->text(), QString("F0 7E 7F 06 01 F7 "));
        QCOMPARE(list->item(0)->foreground().color(), QColor(255, 255, 142));
        QCOMPARE(list->item(1)->text(), midiStatusName(0x90) + "90 7F 40");
        QCOMPARE(list->item(1)->foreground().color(), midiStatusColour(0x90));

        Bytes burst;
        for (int i = 0; i < 300; ++i) {
            burst.insert(burst.end(), {0xB1, uint8_t(i % 128), 0x10});
            burst.insert(burst.end(), {0xF0, 0x01, uint8_t(i % 128), 0xF7});
        }
        QVERIFY(s.sim->sendBytes(burst));
        QTRY_COMPARE_WITH_TIMEOUT(list->item(list->count() - 1)->text(), QString("F0 01 2B F7 "), kWait);
        QVERIFY(list->count() <= 500);
        QVERIFY(list->count() >= 499);
    }

    // Faulty, short and out-of-range replies leave the page as it was and usable.
    void faultyRepliesLeaveThePageConsistent()
    {
        Session s;
        QVERIFY(s.open());
        const QByteArray block(reinterpret_cast<const char *>(&s.page->model().config()), 823);
        const QString pad1 = s.page->findChild<QPushButton *>("pad1")->text();

        // Cut and padded replies to the poll and to a block request.
        s.sim->setOversizeLength(2000);
        for (tavrosim::ReplyFault fault : {tavrosim::ReplyFault::ShortFrame, tavrosim::ReplyFault::OversizeFrame,
                                           tavrosim::ReplyFault::WrongChecksum}) {
            s.sim->clearLog();
            s.sim->setReplyFault(fault, 2);
            s.page->send_read_preset(0);
            QTRY_VERIFY_WITH_TIMEOUT(s.sim->log().size() >= 4, kWait); // read, its reply, a poll, its reply
            s.sim->setReplyFault(tavrosim::ReplyFault::None);
        }
        // Out-of-range and short frames of the device's own making.
        Bytes bad = s.sim->systemRecord();
        bad[2] = 5;
        bad[3] = 9;
        bad[4] = 12;
        QVERIFY(s.sim->sendFrame(tavrosim::kCmdSystemConfig, bad));
        QVERIFY(s.sim->sendFrame(tavrosim::kCmdSystemConfig, Bytes(bad.begin(), bad.begin() + 10)));
        QVERIFY(s.sim->sendFrame(tavrosim::kCmdReadPreset, {0x00}));
        QVERIFY(s.sim->sendFrame(tavrosim::kCmdReadPreset, {}));
        QVERIFY(s.sim->sendFrame(tavrosim::kCmdSave, {}));
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(s.page).contains("Fail to save!"), kWait);

        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&s.page->model().config()), 823), block);
        QCOMPARE(s.page->findChild<QPushButton *>("pad1")->text(), pad1);
        QCOMPARE(s.ui()->pushButton_PadGroup->text(), QString("1"));
        QCOMPARE(s.ui()->pushButton_KnobGroup->text(), QString("1"));
        QCOMPARE(s.ui()->comboBox_Preset->currentIndex(), 0);

        // Still connected and still writing.
        s.sim->clearLog();
        s.ui()->pushButton_PadGroup->click();
        QTRY_COMPARE_WITH_TIMEOUT(int(s.record()[2]), 1, kWait);
        // Longer than the loss rule: the device's answers keep the page.
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdPoll), size_t(3), kWait);
        QCOMPARE(s.window->page(), s.page.data());
        QVERIFY(s.page->isVisible());
    }

    // The device stops answering: after 3 s the page hands back, the window
    // comes back, and no page-close frame goes out on that road.
    void deviceStopsAnswering()
    {
        Session s;
        QVERIFY(s.open());
        s.sim->clearLog();
        s.sim->setAnswering(false);
        QElapsedTimer quiet;
        quiet.start();
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->page(), kWait);
        QVERIFY2(quiet.elapsed() >= 2500, qPrintable(QString::number(quiet.elapsed())));
        QVERIFY(s.window->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(!s.page, kWait); // finished and deleted
        QCOMPARE(s.count(tavrosim::kCmdPageClose), size_t(0));
    }

    // Closing by the window's close box sends the close frame and returns.
    void closeReturnsToTheWindow()
    {
        Session s;
        QVERIFY(s.open());
        s.sim->clearLog();
        s.page->close();
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdPageClose), size_t(1), kWait);
        QCOMPARE(hexOf(s.frames(tavrosim::kCmdPageClose).front()), QString("78 59 75 00 00 00 FF"));
        QVERIFY(!s.window->page());
        QVERIFY(s.window->isVisible());
    }
};

TAVRO_TEST_MAIN(TestPadPageEndToEnd)
#include "test_padpage_e2e.moc"
