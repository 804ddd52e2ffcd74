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

QString hexOf(const Bytes &b)
{
    return QString::fromStdString(tavrosim::toHex(b));
}

Bytes payloadOf(const Bytes &frame)
{
    return Bytes(frame.begin() + 6, frame.end() - 1);
}

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
};

TAVRO_TEST_MAIN(TestVx18PageEndToEnd)
#include "test_vx18page_e2e.moc"
