// The keyboard page end to end: the connection window opens it for a
// simulated keyboard on a real JACK server; edits travel through RtMidi to the
// device and its answers come back the same road. One session serves every
// road, in the order they are declared: each road starts from where the last
// one left the device.
#include <QtTest>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTranslator>

#include <memory>

#include "devices/keyboard/cdlgvx18.h"
#include "devices/keyboard/cvx18child.h"
#include "switchbutton.h"
#include "ui_cvx18child.h"
#include "globals.h"
#include "models/keyboardmodel.h"
#include "pagesession.h"
#include "recordingowner.h"
#include "testmain.h"
#include "ui_cdlgvx18.h"
#include "ui_pc_connectui.h"

using tavrosim::Bytes;

namespace {

constexpr int kWait = tavrotest::kSessionWait;

using tavrotest::hexOf;
using tavrotest::payloadOf;

struct Session : tavrotest::PageSession<CDlgVX18>
{
    Ui_CDlgVX18 *ui() const { return page->form(); }
    QByteArray block() const
    {
        return QByteArray(reinterpret_cast<const char *>(&page->model().config()), int(tavrosim::kbblock::kSize));
    }
    QByteArray simBlock(int preset) const
    {
        const Bytes b = sim->block(preset);
        return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size()));
    }
    Bytes record() const
    {
        const auto *r = reinterpret_cast<const uint8_t *>(&page->model().system());
        return Bytes(r, r + 30);
    }
    QPushButton *pad(int n) const { return page->findChild<QPushButton *>(QStringLiteral("pad%1").arg(n)); }
    // Puts a block on the device's current preset and has the page read it.
    bool loadDeviceBlock(const Bytes &block)
    {
        const int preset = sim->currentPreset();
        sim->setBlock(preset, block);
        page->send_request_preset(uchar(preset));
        const QByteArray want(reinterpret_cast<const char *>(block.data()), int(block.size()));
        return QTest::qWaitFor([&] { return this->block() == want; }, kWait);
    }
    Bytes simSlice(size_t at, size_t n) const
    {
        const Bytes b = sim->block(sim->currentPreset());
        return Bytes(b.begin() + long(at), b.begin() + long(at + n));
    }
    CVX18Child *click(const char *control) const
    {
        page->findChild<QPushButton *>(control)->click();
        return page->childDialog();
    }
    // Commands of the frames the device received since the log was cleared,
    // polls and records left out.
    QList<int> edits() const
    {
        QList<int> out = commands();
        out.removeAll(tavrosim::kCmdSystemConfig);
        return out;
    }
    QStringList readPresets() const
    {
        QStringList out;
        for (const Bytes &f : frames(tavrosim::kCmdReadPreset))
            out << hexOf(f);
        return out;
    }
};

} // namespace

class TestVx18PageEndToEnd : public QObject
{
    Q_OBJECT
    std::unique_ptr<Session> s;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
            QSKIP("needs a JACK server (scripts/jack-env.sh)");
        g_translator = new QTranslator(qApp);
        g_language = 0;
        s = std::make_unique<Session>();
        // The device's first record is all zero, like the page's own copy.
        QVERIFY(s->open(tavrosim::optionsForModel(9), [](tavrosim::Simulator &sim) { sim.setSystemRecord(Bytes(30, 0)); },
                        [](CDlgVX18 *p) { return !p->model().isConfigEmpty(); }));
    }

    void cleanupTestCase() { s.reset(); }

    // A first record equal to the zeroed copy is ignored; the page's own poll
    // 1.6 s later is followed by a request for preset 0, and polls go on every
    // 1.6 s.
    void zeroFirstRecordThenPollBringsPresetZero()
    {
        const QList<int> commands = s->commands(true);
        const int request = commands.indexOf(tavrosim::kCmdReadPreset);
        QCOMPARE(commands.mid(0, request).count(tavrosim::kCmdPoll), 2);
        QCOMPARE(s->readPresets().value(0), QStringLiteral("78 59 67 01 00 00 00 FF"));
        QCOMPARE(s->block(), s->simBlock(0));
        QCOMPARE(s->page->windowTitle(), QStringLiteral("vx18 Connected V3"));

        const size_t polls = s->count(tavrosim::kCmdPoll);
        QTRY_COMPARE_WITH_TIMEOUT(s->count(tavrosim::kCmdPoll), polls + 1, kWait);
        QElapsedTimer between;
        between.start();
        QTRY_COMPARE_WITH_TIMEOUT(s->count(tavrosim::kCmdPoll), polls + 2, kWait);
        QVERIFY2(between.elapsed() >= 1400, qPrintable(QString::number(between.elapsed())));
        QCOMPARE(s->count(tavrosim::kCmdReadPreset), size_t(1)); // the block is there: no more requests
    }

    // The first record that differs fetches the preset it names, once, and
    // the page shows that preset.
    void firstDifferingRecordFetchesItsPreset()
    {
        s->sim->clearLog();
        Bytes record = tavrosim::keyboardFactoryRecord();
        record[tavrosim::sysrec::kPreset] = 2;
        s->sim->setSystemRecord(record);
        QVERIFY(s->sim->sendSystemRecord());
        QTRY_COMPARE_WITH_TIMEOUT(s->block(), s->simBlock(2), kWait);
        QVERIFY(s->settle());
        QCOMPARE(s->readPresets(), QStringList{QStringLiteral("78 59 67 01 00 00 02 FD")});
        QCOMPARE(s->ui()->comboBox_Preset->currentIndex(), 2);
        QCOMPARE(s->ui()->comboBox_tempo->currentText(), QStringLiteral("120"));
        // Preset 3 of the device plays on channel 2; bank 0 glows green.
        for (int p = 1; p <= 8; ++p) {
            QCOMPARE(s->pad(p)->text(), QStringLiteral("Note\nCH:2\ndata1:%1\nrange:0-127").arg(35 + p));
            QVERIFY(s->pad(p)->styleSheet().contains(QStringLiteral("stop: 0 rgb(0, 255, 0)")));
        }
    }

    // Every global control sends the whole record with its field changed,
    // byte for byte; the device's echo and its answers to the polls, equal to
    // what the page holds, send nothing back.
    void globalControlsReachTheDevice()
    {
        struct SEdit
        {
            const char *control;
            int index; // -1: a click
            int byte;
            int value;
        };
        const SEdit edits[] = {
            {"comboBox_tempo", 270, 0, 0x2C}, // 300: 2C 01
            {"comboBox_PadCurve", 3, 5, 3},     {"comboBox_KeyCurve", 2, 6, 2},
            {"comboBox_rate", 7, 7, 7},         {"comboBox_gate", 0, 8, 1},
            {"comboBox_swing", 25, 9, 75},      {"comboBox_AFT_mode", 1, 10, 1},
            {"comboBox_delay", 145, 11, 150},   {"comboBox_full_vel", 0, 20, 1},
            {"comboBox_ArpMode", 6, 21, 6},     {"comboBox_Octive", 3, 22, 3},
            {"comboBox_ScaleType", 1, 23, 1},   {"comboBox_ScaleRoot", 11, 24, 11},
            {"comboBox_Chord", 3, 25, 5},       {"comboBox_DownColor", 2, 27, 0x02},
            {"comboBox_erp", 2, 27, 0x12},      {"pushButton_battery", -1, 27, 0x52},
            {"pushButton_LowBattery", -1, 27, 0xD2}, {"pushButton_DAW", -1, 26, 0x04},
            {"pushButton_AFT_SW", -1, 26, 0x14}, {"pushButton_BT", -1, 26, 0x34},
            {"pushButton_full", -1, 26, 0x3C},  {"pushButton_ECO", -1, 26, 0x3D},
            {"pushButton_night", -1, 26, 0x3E}, // dark mode clears ECO
            {"pushButton_ARPSwitch", -1, 28, 0x01},
        };
        Bytes expect = s->sim->systemRecord();
        for (const SEdit &e : edits) {
            s->sim->clearLog();
            if (e.index >= 0)
                s->page->findChild<QComboBox *>(e.control)->setCurrentIndex(e.index);
            else
                s->page->findChild<QPushButton *>(e.control)->click();
            expect[size_t(e.byte)] = uint8_t(e.value);
            if (e.byte == 0)
                expect[1] = 0x01;
            QTRY_COMPARE_WITH_TIMEOUT(s->count(tavrosim::kCmdSystemConfig), size_t(1), kWait);
            QCOMPARE(hexOf(payloadOf(s->frames(tavrosim::kCmdSystemConfig).front())), hexOf(expect));
            QTRY_COMPARE_WITH_TIMEOUT(hexOf(s->sim->systemRecord()), hexOf(expect), kWait);
            QCOMPARE(hexOf(s->record()), hexOf(expect));
        }
        QVERIFY(!s->ui()->pushButton_ECO->isChecked());
        s->sim->clearLog();
        QVERIFY(s->settle());
        QVERIFY(s->settle());
        QCOMPARE(s->count(tavrosim::kCmdSystemConfig), size_t(0));
    }

    // Another pad bank: the pads show that bank and the device is told.
    void bankChangeRestylesAndSends()
    {
        s->sim->clearLog();
        s->ui()->pushButton_data->click();
        s->ui()->comboBox_PadBank->setCurrentIndex(2);
        QCOMPARE(s->pad(1)->text(), QStringLiteral("Note\nCH:2\ndata1:52\nrange:0-127"));
        QVERIFY(s->pad(1)->styleSheet().contains(QStringLiteral("stop: 0 rgb(0, 0, 255)")));
        QTRY_COMPARE_WITH_TIMEOUT(int(s->sim->systemRecord()[tavrosim::sysrec::kPadBank]), 2, kWait);
        QCOMPARE(s->count(tavrosim::kCmdSystemConfig), size_t(1));
    }

    // A preset chosen on the device itself: the page fetches its block, so
    // that the next edit goes to the preset the device plays.
    void presetChangedOnTheDeviceIsFetched()
    {
        s->sim->clearLog();
        s->sim->selectPreset(5);
        QVERIFY(s->sim->sendSystemRecord());
        QTRY_COMPARE_WITH_TIMEOUT(s->block(), s->simBlock(5), kWait);
        QCOMPARE(s->readPresets(), QStringList{QStringLiteral("78 59 67 01 00 00 05 FA")});
        QCOMPARE(s->ui()->comboBox_Preset->currentIndex(), 5);
        QCOMPARE(s->pad(1)->text(), QStringLiteral("Note\nCH:5\ndata1:52\nrange:0-127"));
    }

    // A knob edited in its dialog: its bank goes to the device byte for byte.
    void knobOkReachesTheDevice()
    {
        using namespace tavrosim::kbblock;
        s->sim->clearLog();
        s->ui()->pushButton_data->click();
        Ui_CVX18Child *ui = s->click("knob_2")->form();
        ui->comboBox_type->setCurrentIndex(0);
        ui->comboBox_channel->setCurrentIndex(2);
        ui->comboBox_data1->setCurrentIndex(74);
        ui->comboBox_data2->setCurrentIndex(127);
        ui->comboBox_data3->setCurrentIndex(0);
        ui->comboBox_data4->setCurrentIndex(2);
        ui->pushButton_ok->click();
        const size_t bank = s->page->model().knobBank();
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s->simSlice(knob(bank, 1), 5)), QStringLiteral("02 4A 00 7F 02"), kWait);
        QCOMPARE(s->edits(), QList<int>{tavrosim::kCmdWriteKnobs});
        QCOMPARE(s->frames(tavrosim::kCmdWriteKnobs).front().size(), size_t(48));
    }

    // A pad given a SysEx message: the pool, then the buttons, then the pad's
    // bank, each as the device stores it; the pad's caption follows.
    void padMessageWritesPoolKeysPads()
    {
        using namespace tavrosim::kbblock;
        QVERIFY(s->loadDeviceBlock(tavrosim::factoryKeyboardBlock(5)));
        s->sim->clearLog();
        const size_t bank = s->page->model().padBank();
        Ui_CVX18Child *ui = s->click("pad3")->form();
        ui->comboBox_type->setCurrentIndex(4);
        ui->textEdit_Customize->setPlainText(QStringLiteral("f0 7e 7f 06 01 f7"));
        ui->pushButton_ok->click();
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s->simSlice(pad(bank, 2), 4)), QStringLiteral("40 00 00 06"), kWait);
        QCOMPARE(s->edits(), QList<int>({tavrosim::kCmdWriteSysexPool, tavrosim::kCmdWriteKeys,
                                         tavrosim::kCmdWritePads}));
        QCOMPARE(hexOf(s->frames(tavrosim::kCmdWriteSysexPool).front()),
                 QStringLiteral("78 59 59 08 00 00 06 00 F0 7E 7F 06 01 F7 0E"));
        QCOMPARE(hexOf(s->simSlice(kPool, 6)), QStringLiteral("F0 7E 7F 06 01 F7"));
        QCOMPARE(s->pad(3)->text(), QStringLiteral("Customize"));
    }

    // A button's message that moves the message of a pad in another bank:
    // that bank is written too, so the device never keeps a stale offset.
    void buttonMessageRewritesTheBankItMoved()
    {
        using namespace tavrosim::kbblock;
        Bytes block = tavrosim::factoryKeyboardBlock(5);
        const uint8_t message[] = {0x40, 0x00, 0x00, 0x02}; // bank 0 pad 1: F0 F7 at 0
        std::copy(message, message + 4, block.begin() + long(pad(0, 0)));
        block[kPool] = 0xF0;
        block[kPool + 1] = 0xF7;
        QVERIFY(s->loadDeviceBlock(block));
        QVERIFY(s->page->model().padBank() != 0);
        s->sim->clearLog();
        Ui_CVX18Child *ui = s->click("key_1")->form();
        ui->comboBox_type->setCurrentIndex(5);
        ui->textEdit_Customize->setPlainText(QStringLiteral("F0 01 F7"));
        ui->pushButton_ok->click();
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s->simSlice(pad(0, 0), 4)), QStringLiteral("40 03 00 02"), kWait);
        QCOMPARE(s->edits(), QList<int>({tavrosim::kCmdWriteSysexPool, tavrosim::kCmdWritePads,
                                         tavrosim::kCmdWriteKeys, tavrosim::kCmdWritePads}));
        QCOMPARE(hexOf(s->simSlice(kPool, 5)), QStringLiteral("F0 01 F7 F0 F7"));
        QCOMPARE(hexOf(s->simSlice(kKeys, 5)), QStringLiteral("50 00 00 03 00"));
    }

    // A button edited on its Press page, then on its Long page: one OK stores
    // both, and the device gets both; so does an OK that gives the Long page a
    // message.
    void buttonPressAndLongReachTheDevice()
    {
        using namespace tavrosim::kbblock;
        s->sim->clearLog();
        Ui_CVX18Child *ui = s->click("key_2")->form();
        ui->comboBox_type->setCurrentIndex(1);
        ui->comboBox_data1->setCurrentIndex(20);
        ui->pushButton_long->click();
        ui->comboBox_type->setCurrentIndex(3);
        ui->comboBox_data1->setCurrentIndex(5);
        ui->pushButton_CH3->setChecked(true);
        ui->pushButton_ok->click();
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s->simSlice(kKeys + 15 + 5, 2)), QStringLiteral("B5 05"), kWait);
        QCOMPARE(hexOf(s->simSlice(kKeys + 5, 2)), QStringLiteral("95 14")); // bit 7 set from Long
        QCOMPARE(s->edits(), QList<int>{tavrosim::kCmdWriteKeys});

        ui = s->click("key_3")->form();
        ui->comboBox_type->setCurrentIndex(0);
        ui->comboBox_channel->setCurrentIndex(7);
        ui->pushButton_long->click();
        ui->comboBox_type->setCurrentIndex(4);
        ui->textEdit_Customize->setPlainText(QStringLiteral("F0 02 F7"));
        ui->pushButton_ok->click();
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s->simSlice(kKeys + 15 + 10, 1)), QStringLiteral("50"), kWait);
        QCOMPARE(hexOf(s->simSlice(kKeys + 10, 1)), QStringLiteral("07"));
    }

    // The keybed: each click reads the device's keybed and opens a new
    // dialog, which shows the reply; OK writes the keybed back.
    void keybedReadShownAndWritten()
    {
        using namespace tavrosim::kbblock;
        Bytes block = tavrosim::factoryKeyboardBlock(5);
        const Bytes keybed = [] {
            Bytes k{0x00, 0x00, 0x00, 0x00, 0x7F};
            k.resize(30, 0x3C);
            return k;
        }();
        std::copy(keybed.begin(), keybed.end(), block.begin() + long(kKeybed));
        s->sim->setBlock(s->sim->currentPreset(), block);
        s->sim->clearLog();
        s->ui()->pushButton_keybed->click();
        QPointer<CVX18Child> first = s->page->childDialog();
        s->ui()->pushButton_keybed->click();
        QVERIFY(first.isNull());
        CVX18Child *dlg = s->page->childDialog();
        QVERIFY(dlg && dlg->isVisible());
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Keybed Setting "));
        QTRY_COMPARE_WITH_TIMEOUT(s->count(tavrosim::kCmdReadKeybed), size_t(2), kWait);
        QCOMPARE(hexOf(s->frames(tavrosim::kCmdReadKeybed).front()), QStringLiteral("78 59 22 00 00 00 FF"));
        Ui_CVX18Child *ui = dlg->form();
        // The page's block still holds the factory keybed (notes 48..72) until the reply comes.
        QTRY_COMPARE_WITH_TIMEOUT(dlg->findChild<QComboBox *>("comboBox_key_25")->currentIndex(), 0x3C, kWait);
        QCOMPARE(ui->comboBox_KBMax->currentIndex(), 127);

        s->sim->clearLog();
        ui->comboBox_XPose->setCurrentIndex(0);
        ui->comboBox_Oct->setCurrentIndex(6);
        dlg->findChild<switchbutton *>("widget_key_25")->setChecked(true, false);
        ui->pushButton_ok->click();
        Bytes expect{0x00, 0xF4, 0x03, 0x00, 0x7F};
        expect.resize(29, 0x3C);
        expect.push_back(0xBC);
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s->simSlice(kKeybed, 30)), hexOf(expect), kWait);
        QCOMPARE(hexOf(s->frames(tavrosim::kCmdWriteKeybed).front()),
                 hexOf(tavrosim::makeFrame(tavrosim::kCmdWriteKeybed, expect)));
        QCOMPARE(hexOf(s->frames(tavrosim::kCmdWriteKeybed).front()).right(5), QStringLiteral("BC 2D"));
    }

    // The slide and pedal: from zero bytes, "Expression" then OK.
    void slideAndPedalWritten()
    {
        Bytes block = tavrosim::factoryKeyboardBlock(5);
        std::fill(block.begin(), block.begin() + 10, uint8_t(0));
        QVERIFY(s->loadDeviceBlock(block));
        s->sim->clearLog();
        CVX18Child *dlg = s->click("pushButton_pitch");
        QCOMPARE(dlg->windowTitle(), QStringLiteral("Slide/Pedal Setting "));
        dlg->form()->comboBox_PedalType->setCurrentIndex(1);
        dlg->form()->pushButton_ok->click();
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s->simSlice(0, 10)), QStringLiteral("00 00 00 00 00 01 00 0B 00 00"), kWait);
        QCOMPARE(hexOf(s->frames(tavrosim::kCmdWriteWheelPedal).front()),
                 QStringLiteral("78 59 20 0A 00 00 00 00 00 00 00 01 00 0B 00 00 F3"));
    }

    // What the device plays shows in the monitor, at most 500 lines.
    void monitorKeepsFiveHundredLines()
    {
        QListWidget *list = s->ui()->listWidget_show;
        s->ui()->pushButton_DelText->click();
        Bytes burst;
        for (int i = 0; i < 600; ++i)
            burst.insert(burst.end(), {0x90, uint8_t(i % 128), 0x40});
        QVERIFY(s->sim->sendBytes(burst));
        QTRY_COMPARE_WITH_TIMEOUT(list->count() ? list->item(list->count() - 1)->text() : QString(),
                                  QStringLiteral("Note ON: 90 57 40"), kWait); // 599 % 128
        QCOMPARE(list->count(), 500);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Note ON: 90 64 40")); // message 100
        QVERIFY(s->sim->sendBytes({0xF0, 0x01, 0x02, 0xF7}));
        QTRY_COMPARE_WITH_TIMEOUT(list->item(list->count() - 1)->text(), QStringLiteral("F0 01 02 F7 "), kWait);
        QCOMPARE(list->count(), 500);
        QCOMPARE(list->item(list->count() - 1)->foreground().color(), QColor(255, 255, 142));
    }

    // Cut, padded and faulty frames from the device leave the page whole and
    // usable; a reply without its result byte counts as a failure.
    void badRepliesCrashNothing()
    {
        auto faultSent = [this](const std::string &name) {
            for (const tavrosim::SimLogEntry &e : s->sim->log()) {
                if (!e.received && e.verdict == name)
                    return true;
            }
            return false;
        };
        const QByteArray block = s->block();
        const vx18::SSystemConfigData record = s->page->model().system();
        s->sim->setOversizeLength(5000);
        for (tavrosim::ReplyFault fault : {tavrosim::ReplyFault::ShortFrame, tavrosim::ReplyFault::OversizeFrame,
                                           tavrosim::ReplyFault::WrongChecksum}) {
            s->sim->clearLog();
            s->sim->setReplyFault(fault, 1);
            s->ui()->pushButton_keybed->click(); // keybed read: its reply is the faulty one
            const std::string name = tavrosim::faultName(fault);
            QTRY_VERIFY_WITH_TIMEOUT(faultSent(name), kWait);
        }
        s->sim->setReplyFault(tavrosim::ReplyFault::None);
        QVERIFY(s->sim->sendFrame(tavrosim::kCmdSystemConfig, Bytes(12, 0x33)));
        QVERIFY(s->sim->sendFrame(tavrosim::kCmdReadKeybed, Bytes(12, 0x33)));
        QVERIFY(s->sim->sendFrame(tavrosim::kCmdReadPreset, {}));
        QVERIFY(s->sim->sendFrame(tavrosim::kCmdFactoryReset, {}));
        QVERIFY(s->sim->sendFrame(tavrosim::kCmdSave, {}));
        QTRY_VERIFY_WITH_TIMEOUT(tavrotest::toastTexts(s->page).contains(QStringLiteral("Fail to save!")), kWait);
        QVERIFY(tavrotest::toastTexts(s->page).contains(QStringLiteral("Restore to factory defaults failed")));
        QCOMPARE(s->block(), block);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&s->page->model().system()), 30),
                 QByteArray(reinterpret_cast<const char *>(&record), 30));

        // Still writing.
        s->sim->clearLog();
        s->ui()->comboBox_tempo->setCurrentIndex(0);
        QTRY_COMPARE_WITH_TIMEOUT(int(s->sim->systemRecord()[0]), 30, kWait);
        QCOMPARE(s->window->page(), s->page.data());
    }

    // A save the device refuses leaves the edits unsaved (those of the roads
    // above): closing still asks.
    void refusedSaveKeepsTheEditsUnsaved()
    {
        QVERIFY(s->page->model().hasUnsavedChanges());
        s->sim->setResult(tavrosim::kCmdSave, 0);
        s->ui()->pushButton_save->click();
        QVERIFY(!s->page->model().hasUnsavedChanges());
        QTRY_VERIFY_WITH_TIMEOUT(s->page->model().hasUnsavedChanges(), kWait); // when the refusal comes
        s->sim->setResult(tavrosim::kCmdSave, 1);
    }
};

TAVRO_TEST_MAIN(TestVx18PageEndToEnd)
#include "test_vx18page_e2e.moc"
