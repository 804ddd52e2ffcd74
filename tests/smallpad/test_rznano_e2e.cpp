// The small pad page end to end: the connection window opens it for a
// simulated small pad controller on a real JACK server; the page's reads,
// edits, commands and files travel through RtMidi to the device and its
// answers come back the same road. The online preset list and the firmware
// index come from a local HTTP server, the upgrade runs on the stand-in of
// the vendor's library.
#include <QtTest>

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include <cstring>
#include <memory>

#include "cdlgpadlevel.h"
#include "cdlgpreset.h"
#include "colorpicker.h"
#include "cupgrade.h"
#include "devices/shared/padview.h"
#include "devices/smallpad/cdlgrzchild.h"
#include "devices/smallpad/cdlgrznano.h"
#include "devices/smallpad/rznanopresetfile.h"
#include "globals.h"
#include "httpfixture.h"
#include "midinames.h"
#include "models/smallpadmodel.h"
#include "pagedialogs.h"
#include "pagesession.h"
#include "recordingowner.h"
#include "testmain.h"
#include "touchcombobox.h"
#include "ui_cdlgrzchild.h"
#include "ui_cdlgrznano.h"
#include "ui_pc_connectui.h"

using tavrosim::Bytes;
using tavrosim::Simulator;
using tavrotest::toastTexts;

namespace {

constexpr int kWait = tavrotest::kSessionWait;

using tavrotest::hexOf;
using tavrotest::payloadOf;

struct Session : tavrotest::PageSession<cDlgRznano>
{
    bool open(const std::function<void(Simulator &)> &prepare = {},
              const std::function<bool(cDlgRznano *)> &ready = {})
    {
        return PageSession::open(tavrosim::optionsForModel(8), prepare, ready);
    }
    Ui_cDlgRznano *ui() const { return page->form(); }
    // The record the page last sent.
    Bytes lastRecord() const { return payloadOf(frames(tavrosim::kCmdSystemConfig).back()); }
    // Right after the page has taken a record of the device's it polls again
    // only 1.6 s later: no record of the device crosses what a test does then.
    bool quiet(int tempo) const
    {
        Bytes rec = sim->systemRecord();
        rec[0] = uint8_t(tempo);
        sim->setSystemRecord(rec);
        return QTest::qWaitFor([&] { return page->form()->comboBox_tempo->currentText() == QString::number(tempo); },
                               kWait);
    }
    // Waits for n more frames of a command.
    bool waitFor(int command, size_t n) const
    {
        return QTest::qWaitFor([&] { return count(command) >= n; }, kWait);
    }
};

QByteArray bytesOf(const Bytes &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size()));
}

QByteArray bytesOf(const SRznanoConfigData &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), int(sizeof block));
}

// The device's preset 0 with other notes and colours on every pad.
SRznanoConfigData otherBlock()
{
    const Bytes factory = tavrosim::factorySmallPadBlock(0);
    SRznanoConfigData block;
    std::memcpy(&block, factory.data(), sizeof block);
    for (int b = 0; b < 3; ++b) {
        for (int p = 0; p < 16; ++p) {
            block.PadData[b][p].data1 = uchar(70 - p);
            block.PadRGB[b][p] = SColourGRB{uchar(10 * p), uchar(b), 200};
        }
    }
    block.CRC = 0x33;
    return block;
}

// Answers the next styled question of a page or dialog (a box answered
// before stays its child, hidden, until it is deleted).
void answer(QWidget *parent, int result)
{
    QMessageBox *box = tavrotest::shownQuestion(parent, kWait);
    QVERIFY(box);
    box->done(result);
}

} // namespace

class TestRznanoEndToEnd : public QObject
{
    Q_OBJECT

    // Preset 3, shared by the roads that need no fresh device.
    Session m_s;
    HttpFixture m_server;
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
            QSKIP("needs a JACK server (scripts/jack-env.sh)");
        g_translator = new QTranslator(qApp);
        g_language = 0;
        QVERIFY(m_server.start());
        qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
        QVERIFY(m_s.open([](Simulator &sim) { sim.selectPreset(3); }));
    }

    // A first record that fails the check still asks for preset 0; an empty
    // block is asked for again with every poll; the page is enabled by the
    // tick after the block has come, not by the block.
    void failedRecordAndEmptyBlock()
    {
        Session s;
        QVERIFY(s.open(
            [](Simulator &sim) {
                Bytes rec = sim.systemRecord();
                rec[0] = 0; // tempo 0
                sim.setSystemRecord(rec);
                sim.setBlock(0, Bytes(679, 0));
            },
            [](cDlgRznano *) { return true; }));
        QVERIFY(s.waitFor(tavrosim::kCmdReadPreset, 3));
        for (const Bytes &f : s.frames(tavrosim::kCmdReadPreset))
            QCOMPARE(hexOf(f), QStringLiteral("78 59 67 01 00 00 00 FF"));
        // After the first record, one read after each poll.
        QList<int> reads;
        for (int c : s.commands(true)) {
            if (c == tavrosim::kCmdReadPreset || (!reads.isEmpty() && c == tavrosim::kCmdPoll))
                reads << c;
        }
        const QList<int> pair{tavrosim::kCmdPoll, tavrosim::kCmdReadPreset};
        QCOMPARE(reads.mid(0, 5), QList<int>{tavrosim::kCmdReadPreset} + pair + pair);
        QVERIFY(!tavrotest::contentEnabled(s.page));
        QCOMPARE(s.ui()->comboBox_tempo->currentIndex(), 0); // the record was not taken

        s.sim->setBlock(0, tavrosim::factorySmallPadBlock(0));
        QTRY_VERIFY_WITH_TIMEOUT(!rznano::isConfigEmpty(s.page->config()), kWait);
        const size_t polls = s.count(tavrosim::kCmdPoll);
        QVERIFY(!tavrotest::contentEnabled(s.page));
        QTRY_VERIFY_WITH_TIMEOUT(tavrotest::contentEnabled(s.page), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(s.count(tavrosim::kCmdPoll) > polls, kWait); // that tick's poll
    }

    // The first record names preset 3: one read for it, never repeated.
    void readsTheDevicesPreset()
    {
        QVERIFY(m_s.settle());
        QCOMPARE(m_s.count(tavrosim::kCmdReadPreset), size_t(1));
        QCOMPARE(hexOf(m_s.frames(tavrosim::kCmdReadPreset).front()), QStringLiteral("78 59 67 01 00 00 03 FC"));
        QCOMPARE(m_s.ui()->comboBox_Preset->currentIndex(), 3);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&m_s.page->config()), 679),
                 QByteArray(reinterpret_cast<const char *>(m_s.sim->block(3).data()), 679));
    }

    // The block's pads of the current bank: captions in the interface
    // language, styles in their colours, the bank button in the bank colour.
    void padTabShowsTheBlock()
    {
        g_translator->load(QStringLiteral(":/Language/language_en.qm"));
        QApplication::installTranslator(g_translator);
        m_s.ui()->pushButton_pad->click();
        const SRznanoConfigData &block = m_s.page->config();
        for (int p = 0; p < 16; ++p) {
            auto *pad = m_s.page->findChild<QPushButton *>(QStringLiteral("pad%1").arg(p + 1));
            m_s.page->update_pad_caption(quint8(p)); // now that the catalogue is in
            QCOMPARE(pad->text(), QStringLiteral("Note\nCH:3\nNote:%1\nVel:0-127").arg(36 + p));
            const SColourGRB &c = block.PadRGB[0][p];
            QCOMPARE(pad->styleSheet(), pagekit::padButtonStyle(c.r, c.g, c.b));
        }
        QCOMPARE(m_s.ui()->pushButton_PadGroup->text(), QStringLiteral("1"));
        QVERIFY(m_s.ui()->pushButton_PadGroup->styleSheet().startsWith(
            QStringLiteral("background-color:rgb(255,0,0);color:#00FFFF;")));
    }

    // The bank button steps 1, 2, 3, 1 and the record carries the bank.
    void bankButtonCycles()
    {
        QVERIFY(m_s.quiet(122));
        m_s.sim->clearLog();
        const QStringList shown{"2", "3", "1"};
        for (int k = 0; k < 3; ++k) {
            m_s.ui()->pushButton_PadGroup->click();
            QCOMPARE(m_s.ui()->pushButton_PadGroup->text(), shown[k]);
            QVERIFY(m_s.waitFor(tavrosim::kCmdSystemConfig, size_t(k + 1)));
            QCOMPARE(int(m_s.lastRecord()[2]), (k + 1) % 3);
        }
        QTRY_COMPARE_WITH_TIMEOUT(int(m_s.sim->systemRecord()[2]), 0, kWait);
    }

    // The bank colour chooser previews each change on the device and puts the
    // old colour back on Cancel; OK sends nothing more. While it is open the
    // device's records are dropped.
    void bankColourChooser()
    {
        const Bytes before = m_s.sim->block(3);
        m_s.sim->clearLog();
        m_s.ui()->pushButton_BtColor->click();
        auto *picker = m_s.page->findChild<ColorPicker *>();
        QVERIFY(picker);
        for (int k = 1; k <= 3; ++k) {
            picker->findChild<TouchComboBox *>("comboBox_B")->setCurrentIndex(10 * k);
            QVERIFY(m_s.waitFor(tavrosim::kCmdWriteModeColours, size_t(k)));
        }
        QTRY_COMPARE_WITH_TIMEOUT(int(m_s.sim->block(3)[369 + 2]), 30, kWait);
        // A record of the device's while the chooser is open is dropped.
        Bytes rec = m_s.sim->systemRecord();
        rec[0] = 150;
        m_s.sim->setSystemRecord(rec);
        QVERIFY(m_s.settle());
        QVERIFY(m_s.settle());
        QVERIFY(m_s.ui()->comboBox_tempo->currentText() != QStringLiteral("150"));

        picker->findChild<QPushButton *>("btn_Cancel")->click();
        QVERIFY(m_s.waitFor(tavrosim::kCmdWriteModeColours, 4));
        QCOMPARE(m_s.frames(tavrosim::kCmdWriteModeColours).back()[6 + 9 + 2], before[369 + 2]);
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(m_s.sim->block(3)), hexOf(before), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(m_s.ui()->comboBox_tempo->currentText(), QStringLiteral("150"), kWait);

        m_s.ui()->pushButton_BtColor->click();
        picker = m_s.page->findChild<ColorPicker *>();
        picker->findChild<TouchComboBox *>("comboBox_B")->setCurrentIndex(99);
        QVERIFY(m_s.waitFor(tavrosim::kCmdWriteModeColours, 5));
        picker->findChild<QPushButton *>("btn_Confirm")->click();
        QVERIFY(m_s.settle());
        QCOMPARE(m_s.count(tavrosim::kCmdWriteModeColours), size_t(5));
        QCOMPARE(int(m_s.page->config().PadModeRGB[0].b), 99);
    }

    // "To All Pad": the bank colour on the 16 pads, one preview for them all.
    void setAllPadsToTheBankColour()
    {
        m_s.sim->clearLog();
        m_s.ui()->pushButton_setPadColor->click();
        answer(m_s.page, QMessageBox::Yes);
        QVERIFY(m_s.waitFor(tavrosim::kCmdPadColours, 1));
        QVERIFY(m_s.settle());
        QCOMPARE(m_s.count(tavrosim::kCmdPadColours), size_t(1));
        QCOMPARE(int(m_s.frames(tavrosim::kCmdPadColours).front()[6]), 0xFF);
        const SColourGRB bank = m_s.page->config().PadModeRGB[0];
        QTRY_VERIFY_WITH_TIMEOUT(m_s.sim->block(3)[192 + 3 * 15 + 2] == bank.b, kWait);
        for (int p = 0; p < 16; ++p)
            QCOMPARE(m_s.page->config().PadRGB[0][p], bank);
    }

    // A list edit, dark mode over ECO, a battery switch: the records the
    // device receives, byte for byte.
    void globalEdits()
    {
        QVERIFY(m_s.quiet(121));
        Bytes expected = m_s.sim->systemRecord();
        expected[31] = 0; // the page's own byte
        m_s.sim->clearLog();

        m_s.ui()->comboBox_gate->setCurrentIndex(0);
        QVERIFY(m_s.waitFor(tavrosim::kCmdSystemConfig, 1));
        expected[6] = 1;
        QCOMPARE(hexOf(m_s.lastRecord()), hexOf(expected));

        m_s.ui()->pushButton_ECO->click();
        m_s.ui()->pushButton_night->click();
        QVERIFY(m_s.waitFor(tavrosim::kCmdSystemConfig, 3));
        expected[28] = 0x02; // dark on, ECO off
        QCOMPARE(hexOf(m_s.lastRecord()), hexOf(expected));
        QVERIFY(!m_s.ui()->pushButton_ECO->isChecked());

        m_s.ui()->pushButton_battery->click();
        QVERIFY(m_s.waitFor(tavrosim::kCmdSystemConfig, 5));
        expected[29] = 0x40;
        const std::vector<Bytes> sent = m_s.frames(tavrosim::kCmdSystemConfig);
        QCOMPARE(sent.size(), size_t(5));
        QCOMPARE(hexOf(payloadOf(sent[3])), hexOf(expected));
        QCOMPARE(hexOf(payloadOf(sent[4])), hexOf(expected));
        QCOMPARE(hexOf(m_s.sim->systemRecord()).left(29 * 3), hexOf(expected).left(29 * 3));
    }

    // Picking another preset with the colour edits unsaved asks first; Yes
    // saves them, reads the new preset and switches the device.
    void presetSwitch()
    {
        QVERIFY(m_s.page->hasUnsavedChanges());
        m_s.sim->clearLog();
        m_s.ui()->comboBox_Preset->setCurrentIndex(5);
        answer(m_s.page, QMessageBox::Yes);
        QVERIFY(m_s.waitFor(tavrosim::kCmdSystemConfig, 1));
        QCOMPARE(m_s.commands(), QList<int>({tavrosim::kCmdSave, tavrosim::kCmdReadPreset, tavrosim::kCmdSystemConfig}));
        QCOMPARE(hexOf(m_s.frames(tavrosim::kCmdReadPreset).front()), QStringLiteral("78 59 67 01 00 00 05 FA"));
        QCOMPARE(m_s.lastRecord()[3], uint8_t(5));
        QVERIFY(!m_s.page->hasUnsavedChanges());
        QTRY_COMPARE_WITH_TIMEOUT(m_s.sim->currentPreset(), 5, kWait);
        QCOMPARE(m_s.sim->flashBlock(3)[369 + 2], uint8_t(99)); // the colour edit, saved
        QTRY_VERIFY_WITH_TIMEOUT(bytesOf(m_s.page->config()) == bytesOf(m_s.sim->block(5)), kWait);

        // A record the device sent before it took the page's own (a poll's
        // answer) is stale: the list stays on the pick, no read of the preset
        // left goes out, and an untouched OK writes the new preset's records.
        QVERIFY(m_s.quiet(119));
        m_s.sim->clearLog();
        QVERIFY(m_s.sim->sendFrame(tavrosim::kCmdSystemConfig, m_s.sim->systemRecord()));
        m_s.ui()->comboBox_Preset->setCurrentIndex(2);
        QTRY_VERIFY_WITH_TIMEOUT(bytesOf(m_s.page->config()) == bytesOf(m_s.sim->block(2)), kWait);
        QCOMPARE(m_s.ui()->comboBox_Preset->currentIndex(), 2);
        QCOMPARE(m_s.count(tavrosim::kCmdReadPreset), size_t(1));
        m_s.ui()->pad1->click();
        m_s.page->childDialog()->form()->pushButton_ok->click();
        QVERIFY(m_s.waitFor(tavrosim::kCmdWritePads, 1));
        const Bytes sent = payloadOf(m_s.frames(tavrosim::kCmdWritePads).front()); // bank, its 16 records
        const Bytes preset2 = m_s.sim->block(2);
        const auto records = preset2.begin() + 64 * sent[0];
        QCOMPARE(hexOf(Bytes(sent.begin() + 1, sent.end())), hexOf(Bytes(records, records + 64)));

        // A preset picked on the unit: its record brings the page that
        // preset's block, which the next edits change.
        m_s.sim->selectPreset(3);
        QTRY_COMPARE_WITH_TIMEOUT(m_s.ui()->comboBox_Preset->currentIndex(), 3, kWait);
        QTRY_VERIFY_WITH_TIMEOUT(bytesOf(m_s.page->config()) == bytesOf(m_s.sim->block(3)), kWait);
    }

    // Save and factory reset: the device's answers become the messages; a
    // reset reads the current preset at its answer and preset 0 after 250 ms.
    void saveAndResetReplies()
    {
        m_s.ui()->pushButton_save->click();
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(m_s.page).contains(QStringLiteral("Save successful")), kWait);
        m_s.sim->setResult(tavrosim::kCmdSave, 0);
        m_s.ui()->pushButton_save->click();
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(m_s.page).contains(QStringLiteral("Fail to save!")), kWait);
        m_s.sim->setResult(tavrosim::kCmdSave, 1);

        m_s.sim->clearLog();
        m_s.ui()->pushButton_Reset->click();
        answer(m_s.page, QMessageBox::Yes);
        QVERIFY(m_s.waitFor(tavrosim::kCmdReadPreset, 2));
        QCOMPARE(m_s.commands(), QList<int>({tavrosim::kCmdFactoryReset, tavrosim::kCmdReadPreset,
                                              tavrosim::kCmdReadPreset}));
        QCOMPARE(hexOf(m_s.frames(tavrosim::kCmdFactoryReset).front()), QStringLiteral("78 59 70 02 00 00 78 59 2E"));
        QCOMPARE(hexOf(m_s.frames(tavrosim::kCmdReadPreset)[0]), QStringLiteral("78 59 67 01 00 00 03 FC"));
        QCOMPARE(hexOf(m_s.frames(tavrosim::kCmdReadPreset)[1]), QStringLiteral("78 59 67 01 00 00 00 FF"));
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(m_s.page).contains(QStringLiteral("Restore factory data successful")),
                                 kWait);
    }

    // Faulty frames from the device: nothing is read past what came, a record
    // with bank 7 shows bank 1, values without a list row go back as they
    // came, and short replies are failures.
    void faultyReplies()
    {
        QTRY_COMPARE_WITH_TIMEOUT(m_s.ui()->comboBox_Preset->currentIndex(), 0, kWait);
        const QString gateShown = m_s.ui()->comboBox_gate->currentText();
        const QString curveShown = m_s.ui()->comboBox_Curve->currentText();
        Bytes rec = m_s.sim->systemRecord();
        rec[2] = 7;    // pad bank
        rec[4] = 4;    // curve without a row
        rec[6] = 0;    // gate without a row
        rec[29] = 0xC5; // pad-down colour 5 without a row
        m_s.sim->setAnswering(false); // the polls would bring the stored record back
        QVERIFY(m_s.sim->sendFrame(tavrosim::kCmdSystemConfig, rec));
        QTRY_COMPARE_WITH_TIMEOUT(m_s.page->system().padBank, uchar(0), kWait);
        QTRY_COMPARE_WITH_TIMEOUT(m_s.page->system().displayFlags, uchar(0xC5), kWait);
        QCOMPARE(m_s.ui()->pushButton_PadGroup->text(), QStringLiteral("1"));
        QCOMPARE(m_s.ui()->comboBox_gate->currentText(), gateShown);
        QCOMPARE(m_s.ui()->comboBox_Curve->currentText(), curveShown);

        const SRznanoConfigData before = m_s.page->config();
        const size_t reads = m_s.count(tavrosim::kCmdReadPreset);
        QVERIFY(m_s.sim->sendFrame(tavrosim::kCmdSystemConfig, Bytes(10, 0x30)));
        Bytes shortBlock(11, 0x77); // preset byte and ten block bytes
        shortBlock[0] = 0;
        QVERIFY(m_s.sim->sendFrame(tavrosim::kCmdReadPreset, shortBlock));
        QVERIFY(m_s.sim->sendFrame(tavrosim::kCmdSave, {}));
        QVERIFY(m_s.sim->sendFrame(tavrosim::kCmdFactoryReset, {}));
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(m_s.page).contains(QStringLiteral("Restore to factory defaults failed")),
                                 kWait);
        QVERIFY(toastTexts(m_s.page).contains(QStringLiteral("Fail to save!")));
        QCOMPARE(m_s.page->system().padBank, uchar(0));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&m_s.page->config()), 10), QByteArray(10, 0x77));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&m_s.page->config()) + 10, 669),
                 QByteArray(reinterpret_cast<const char *>(&before) + 10, 669));
        // The read that the empty 'p' made has reached the device unanswered.
        QTRY_VERIFY_WITH_TIMEOUT(m_s.count(tavrosim::kCmdReadPreset) > reads, kWait);
        // The cut block is no block: the Pad tab takes clicks again once a
        // whole one has come.
        Bytes whole{0};
        const Bytes stored = m_s.sim->block(0);
        whole.insert(whole.end(), stored.begin(), stored.end());
        QVERIFY(m_s.sim->sendFrame(tavrosim::kCmdReadPreset, whole));
        QTRY_VERIFY_WITH_TIMEOUT(m_s.ui()->pushButton_PadGroup->isEnabled(), kWait);
        m_s.sim->setAnswering(true);

        // The bank button and any send carry the bytes as they came.
        m_s.sim->clearLog();
        m_s.ui()->pushButton_PadGroup->click();
        QVERIFY(m_s.waitFor(tavrosim::kCmdSystemConfig, 1));
        const Bytes sent = m_s.lastRecord();
        QCOMPARE(int(sent[2]), 1);
        QCOMPARE(int(sent[4]), 4);
        QCOMPARE(int(sent[6]), 0);
        QCOMPARE(int(sent[29]), 0xC5);
        QCOMPARE(m_s.ui()->pushButton_PadGroup->text(), QStringLiteral("2"));
    }

    // A file loaded through "Load preset file" goes to the device whole.
    void loadThroughTheInButton()
    {
        const QString path = m_dir.filePath(QStringLiteral("other.rznano"));
        QVERIFY(tavrotest::writeAll(path, rznano::presetFileBytes(otherBlock())));
        tavrotest::ChosenPath chosen;
        chosen.path = path;
        m_s.sim->clearLog();
        m_s.ui()->pushButton_In->click();
        QCOMPARE(chosen.asked, QStringList({"open|Open Preset File|Zol Mini Pad Preset (*.rznano)"}));
        QVERIFY(m_s.waitFor(tavrosim::kCmdWriteConfig, 1));
        QCOMPARE(m_s.frames(tavrosim::kCmdWriteConfig).front().size(), size_t(686));
        QTRY_COMPARE_WITH_TIMEOUT(bytesOf(m_s.sim->block(m_s.sim->currentPreset())), bytesOf(otherBlock()), kWait);
        QCOMPARE(bytesOf(m_s.page->config()), bytesOf(otherBlock()));
    }

    // A refused file changes nothing, sends nothing and says so.
    void refusedFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("pad.rzp"));
        QVERIFY(tavrotest::writeAll(path, QByteArray("RZ-7 Pad") + rznano::presetFileBytes(otherBlock()).mid(7)));
        tavrotest::ChosenPath chosen;
        chosen.path = path;
        const QByteArray before = bytesOf(m_s.page->config());
        m_s.sim->clearLog();
        m_s.ui()->pushButton_In->click();
        QVERIFY(toastTexts(m_s.page).contains(QStringLiteral("Configuration file error!")));
        QVERIFY(m_s.settle());
        QCOMPARE(m_s.commands(), QList<int>());
        QCOMPARE(bytesOf(m_s.page->config()), before);
    }

    // Ctrl+S writes the 679 bytes of the block.
    void rawFileOnCtrlS()
    {
        const QString path = m_dir.filePath(QStringLiteral("config.bin"));
        tavrotest::ChosenPath chosen;
        chosen.path = path;
        m_s.page->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_s.page));
        QTest::keyClick(m_s.page, Qt::Key_S, Qt::ControlModifier); // the button clicks itself shortly after
        QTRY_COMPARE(chosen.asked, QStringList({"save|Config File|Config Files (*.bin)"}));
        QCOMPARE(tavrotest::readAll(path), bytesOf(m_s.page->config()));
    }

    // The online preset list: a failed first download is tried again at the
    // next press, a downloaded index is listed from its copy, a refused preset
    // says so on the list and sends nothing, and an applied preset goes to the
    // device whole and closes the list.
    void onlinePresets()
    {
        const QString index = QStringLiteral("tvsuite/rznano/preset.ini");
        m_s.ui()->pushButton_LoadPreset->click();
        QPointer<CDlgPreset> dlg = m_s.page->presetDialog();
        QVERIFY(dlg);
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(dlg).contains(QStringLiteral("Download failed")), kWait);
        QCOMPARE(m_server.requestCount(index), 1);

        QVERIFY(m_server.writeFile(index, "[files]\n1=Lofi\n2=Broken\n"));
        QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rznano/Broken.rznano"), QByteArray("RZ-Nano, cut short")));
        SRznanoConfigData lofi = otherBlock();
        lofi.PadData[2][15].data1 = 5;
        QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rznano/Lofi.rznano"), rznano::presetFileBytes(lofi)));
        m_s.ui()->pushButton_LoadPreset->click();
        QVERIFY(dlg.isNull()); // each press a new list
        dlg = m_s.page->presetDialog();
        auto *list = dlg->findChild<QListWidget *>(QStringLiteral("listWidget"));
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 2, kWait);
        QCOMPARE(m_server.requestCount(index), 2);

        m_s.ui()->pushButton_LoadPreset->click();
        dlg = m_s.page->presetDialog();
        list = dlg->findChild<QListWidget *>(QStringLiteral("listWidget"));
        QCOMPARE(list->count(), 2); // from the copy on disk
        QCOMPARE(m_server.requestCount(index), 2);

        m_s.sim->clearLog();
        list->setCurrentRow(1);
        dlg->findChild<QPushButton *>(QStringLiteral("pushButton_yes"))->click();
        answer(dlg, QMessageBox::Yes);
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(dlg).contains(QStringLiteral("Configuration file error!")), kWait);
        QVERIFY(dlg->isVisible());
        list->setCurrentRow(0);
        dlg->findChild<QPushButton *>(QStringLiteral("pushButton_yes"))->click();
        answer(dlg, QMessageBox::Yes);
        QVERIFY(m_s.waitFor(tavrosim::kCmdWriteConfig, 1));
        QTRY_COMPARE_WITH_TIMEOUT(bytesOf(m_s.sim->block(m_s.sim->currentPreset())), bytesOf(lofi), kWait);
        QCOMPARE(m_s.commands(), QList<int>({tavrosim::kCmdWriteConfig}));
        QVERIFY(!dlg->isVisible());
        QCOMPARE(m_s.ui()->pad16->text().split(QLatin1Char('\n')).value(2), QStringLiteral("Note:55"));
    }

    // The upgrade press: nothing without the vendor's library; with it the
    // dialog shows the model's firmware index.
    void firmwareUpgrade()
    {
        const QString index = QStringLiteral("tvsuite/rznano/firmware.ini");
        QVERIFY(m_server.writeFile(index, "[files]\n1=NANO_V4\n"));
        qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB) + ".missing");
        m_s.ui()->pushButton_update->click();
        QVERIFY(m_s.page->upgradeDialog());
        QVERIFY(!m_s.page->upgradeDialog()->isVisible());
        QCOMPARE(m_server.requestCount(index), 0);

        qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB));
        m_s.ui()->pushButton_update->click();
        cUpgrade *upgrade = m_s.page->upgradeDialog();
        QVERIFY(upgrade->isVisible());
        QTRY_COMPARE_WITH_TIMEOUT(upgrade->findChild<QListWidget *>(QStringLiteral("listWidget"))->count(), 1, kWait);
        QCOMPARE(m_server.requestCount(index), 1);
        upgrade->close();
    }

    // Calibration: the levels the dialog applies go out in the record (the
    // dialog itself holds them to 10..90); nothing goes out while the page
    // writes its widgets.
    void calibration()
    {
        Bytes rec = m_s.sim->systemRecord();
        rec[10] = 9;
        rec[11] = 91;
        rec[0] = 123;
        m_s.sim->setSystemRecord(rec);
        QTRY_COMPARE_WITH_TIMEOUT(m_s.ui()->comboBox_tempo->currentText(), QStringLiteral("123"), kWait);
        m_s.ui()->pushButton_threshold->click();
        cDlgPadLevel *dlg = m_s.page->padLevelDialog();
        QVERIFY(dlg);
        auto *pad3 = dlg->findChild<TouchComboBox *>(QStringLiteral("comboBox_3"));
        pad3->setCurrentIndex(pad3->findText(QStringLiteral("70")));
        m_s.sim->clearLog();
        dlg->findChild<QPushButton *>(QStringLiteral("pushButton_save"))->click();
        QVERIFY(m_s.waitFor(tavrosim::kCmdSystemConfig, 1));
        const Bytes sent = m_s.frames(tavrosim::kCmdSystemConfig).front();
        QCOMPARE(int(sent[6 + 10]), 10);
        QCOMPARE(int(sent[6 + 11]), 90);
        QCOMPARE(int(sent[6 + 12]), 70);
        QCOMPARE(int(sent[6 + 13]), 45);

        // The dialog speaks while the page writes its widgets from a record.
        connect(m_s.ui()->comboBox_tempo, QOverload<int>::of(&QComboBox::currentIndexChanged), dlg,
                [dlg] { emit dlg->signals_send_pad_level(); });
        m_s.sim->clearLog();
        rec = m_s.sim->systemRecord();
        rec[0] = 124;
        m_s.sim->setSystemRecord(rec);
        QTRY_COMPARE_WITH_TIMEOUT(m_s.ui()->comboBox_tempo->currentText(), QStringLiteral("124"), kWait);
        QVERIFY(m_s.settle());
        QCOMPARE(m_s.count(tavrosim::kCmdSystemConfig), size_t(0));
    }
    // OK in the per-control dialog: the changed section reaches the device
    // and the captions follow; a typed message goes with the pool first.
    void controlDialogOk()
    {
        const int preset = m_s.sim->currentPreset();
        const int bank = int(m_s.page->padBank());
        m_s.sim->clearLog();
        m_s.page->findChild<QPushButton *>(QStringLiteral("pad3"))->click();
        Ui_CDlgRzChild *u = m_s.page->childDialog()->form();
        u->comboBox_type->setCurrentIndex(1);
        u->comboBox_data1->setCurrentIndex(74);
        u->pushButton_ok->click();
        QVERIFY(m_s.waitFor(tavrosim::kCmdWritePads, 1));
        QCOMPARE(m_s.commands(), QList<int>({tavrosim::kCmdWritePads}));
        QVERIFY(m_s.ui()->pad3->text().contains(QStringLiteral("CC:74")));
        QTRY_COMPARE_WITH_TIMEOUT(int(m_s.sim->block(preset)[size_t(64 * bank + 8 + 1)]), 74, kWait);

        m_s.sim->clearLog();
        m_s.ui()->key_2->click();
        u = m_s.page->childDialog()->form();
        u->comboBox_type->setCurrentIndex(2);
        u->pushButton_ok->click();
        QVERIFY(m_s.waitFor(tavrosim::kCmdWriteKeys, 1));
        QCOMPARE(m_s.commands(), QList<int>({tavrosim::kCmdWriteKeys}));

        const QList<QList<int>> orders{
            {tavrosim::kCmdWriteSysexPool, tavrosim::kCmdWriteKeys, tavrosim::kCmdWritePads},
            {tavrosim::kCmdWriteSysexPool, tavrosim::kCmdWritePads, tavrosim::kCmdWriteKeys}};
        for (int kind = 0; kind < 2; ++kind) {
            m_s.sim->clearLog();
            if (kind == 0)
                m_s.ui()->pad6->click();
            else
                m_s.ui()->key_3->click();
            u = m_s.page->childDialog()->form();
            u->comboBox_type->setCurrentIndex(kind == 0 ? 4 : 5);
            u->textEdit_Customize->setPlainText(kind == 0 ? QStringLiteral("F0 43 10 F7") : QStringLiteral("90 3C 7F"));
            u->pushButton_ok->click();
            QVERIFY(m_s.waitFor(orders[kind].back(), 1));
            QCOMPARE(m_s.commands(), orders[kind]);
            QTRY_COMPARE_WITH_TIMEOUT(bytesOf(m_s.sim->block(preset)), bytesOf(m_s.page->config()), kWait);
        }
        const Bytes device = m_s.sim->block(preset);
        QCOMPARE(hexOf(Bytes(device.begin() + 378, device.begin() + 385)), QStringLiteral("90 3C 7F F0 43 10 F7"));
    }

    // The dialog's set-all questions reach the device: colours as one preview
    // for all pads, channels and the pad order as the bank's records.
    void controlDialogSetAll()
    {
        const int preset = m_s.sim->currentPreset();
        const size_t bank = m_s.page->padBank();
        m_s.sim->clearLog();
        m_s.ui()->pad1->click();
        CDlgRzChild *d = m_s.page->childDialog();
        d->form()->pushButton_setColor->click();
        answer(d, QMessageBox::Yes);
        QVERIFY(m_s.waitFor(tavrosim::kCmdPadColours, 1));
        QCOMPARE(int(m_s.frames(tavrosim::kCmdPadColours).front()[6]), 0xFF);

        d->form()->comboBox_type->setCurrentIndex(0);
        d->form()->comboBox_channel->setCurrentIndex(11);
        d->form()->pushButton_setCH->click();
        answer(d, QMessageBox::Yes);
        d->form()->comboBox_data1->setCurrentIndex(40);
        d->form()->pushButton_setData1->click();
        answer(d, QMessageBox::Yes);
        QVERIFY(m_s.waitFor(tavrosim::kCmdWritePads, 2));
        QTRY_COMPARE_WITH_TIMEOUT(int(m_s.sim->block(preset)[64 * bank + 4 * 15 + 1]), 55, kWait);
        QCOMPARE(int(m_s.sim->block(preset)[64 * bank] & 0x0F), 11);
        QCOMPARE(int(m_s.sim->block(preset)[64 * bank + 4 * 5 + 1]) , int(m_s.page->config().PadData[bank][5].data1));
        for (int p = 0; p < 16; ++p)
            QCOMPARE(m_s.page->config().PadRGB[bank][p], m_s.page->config().PadRGB[bank][0]);

        // The bank button takes the pad dialog away.
        QPointer<CDlgRzChild> open = d;
        m_s.ui()->pushButton_PadGroup->click();
        QVERIFY(open.isNull());
    }

    // A button's message that grows moves the Customize pads of the other
    // banks in the pool: the pool goes, the current bank, the buttons, then
    // each moved bank in bank order, and the device holds the page's block.
    void buttonMessageMovesOtherBanks()
    {
        Session s;
        QVERIFY(s.open([](Simulator &sim) {
            Bytes b = tavrosim::factorySmallPadBlock(0);
            // Bank 1 pad 0 plays F8 F8 from 0, bank 2 pad 5 FA FB FC from 2.
            const Bytes refs{0x40, 0x00, 0x00, 0x02, 0x40, 0x02, 0x00, 0x03}, pool{0xF8, 0xF8, 0xFA, 0xFB, 0xFC};
            std::copy_n(refs.begin(), 4, b.begin() + 64);
            std::copy_n(refs.begin() + 4, 4, b.begin() + 128 + 20);
            std::copy(pool.begin(), pool.end(), b.begin() + 378);
            sim.setBlock(0, b);
        }));
        s.sim->clearLog();
        s.ui()->key_1->click();
        Ui_CDlgRzChild *u = s.page->childDialog()->form();
        u->comboBox_type->setCurrentIndex(5);
        u->textEdit_Customize->setPlainText(QStringLiteral("F0 7E 7F 06 01 F7"));
        u->pushButton_ok->click();
        QVERIFY(s.waitFor(tavrosim::kCmdWritePads, 3));
        QCOMPARE(s.commands(), QList<int>({tavrosim::kCmdWriteSysexPool, tavrosim::kCmdWritePads, tavrosim::kCmdWriteKeys,
                                           tavrosim::kCmdWritePads, tavrosim::kCmdWritePads}));
        const std::vector<Bytes> pads = s.frames(tavrosim::kCmdWritePads);
        QCOMPARE(QList<int>({pads[0][6], pads[1][6], pads[2][6]}), QList<int>({0, 1, 2}));
        QCOMPARE(int(s.page->config().PadData[2][5].data1), 8);
        QTRY_COMPARE_WITH_TIMEOUT(bytesOf(s.sim->block(0)), bytesOf(s.page->config()), kWait);
    }

    // The monitor lists what the device plays, coloured by kind, at most 500
    // lines.
    void monitorLines()
    {
        m_s.ui()->pushButton_DelText->click();
        QVERIFY(m_s.sim->sendBytes({0x90, 0x3C, 0x64, 0xC0, 0x05, 0xF8, 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7}));
        QListWidget *list = m_s.ui()->listWidget_show;
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 4, kWait);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Note ON: 90 3C 64"));
        QCOMPARE(list->item(0)->foreground().color(), g_statusColours.value(0x90));
        QCOMPARE(list->item(1)->text(), QStringLiteral("Program Change: C0 05"));
        QCOMPARE(list->item(2)->text(), QStringLiteral("F8"));
        QCOMPARE(list->item(2)->foreground().color(), g_statusColours.value(0xF0));
        QCOMPARE(list->item(3)->text(), QStringLiteral("F0 7E 7F 06 01 F7 "));
        QCOMPARE(list->item(3)->foreground().color(), QColor(255, 255, 142));

        Bytes clock(600, 0xF8);
        QVERIFY(m_s.sim->sendBytes(clock));
        QVERIFY(m_s.sim->sendBytes({0x80, 0x3C, 0x00}));
        QTRY_COMPARE_WITH_TIMEOUT(list->item(list->count() - 1)->text(), QStringLiteral("Note OFF: 80 3C 00"), kWait);
        QCOMPARE(list->count(), 500);
    }

    // Closing with no edit held sends the close frame alone, from the close
    // box and from Escape alike.
    void closingUnchanged_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("close box") << false;
        QTest::newRow("escape") << true;
    }
    void closingUnchanged()
    {
        QFETCH(bool, escape);
        Session s;
        QVERIFY(s.open());
        QVERIFY(s.settle());
        s.sim->clearLog();
        if (escape)
            QTest::keyClick(s.page, Qt::Key_Escape);
        else
            s.page->close();
        QVERIFY(s.waitFor(tavrosim::kCmdPageClose, 1));
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->page(), kWait);
        QCOMPARE(s.commands(), QList<int>({tavrosim::kCmdPageClose}));
        QCOMPARE(hexOf(s.frames(tavrosim::kCmdPageClose).front()), QStringLiteral("78 59 75 00 00 00 FF"));
    }

    // After a colour edit closing asks; Yes saves, then closes.
    void closingAfterAnEditAsks()
    {
        m_s.sim->clearLog();
        m_s.ui()->pushButton_BtColor->click();
        auto *picker = m_s.page->findChild<ColorPicker *>();
        picker->findChild<TouchComboBox *>("comboBox_R")->setCurrentIndex(7);
        QVERIFY(m_s.waitFor(tavrosim::kCmdWriteModeColours, 1));
        picker->findChild<QPushButton *>("btn_Confirm")->click();
        QVERIFY(m_s.page->hasUnsavedChanges());
        m_s.sim->clearLog();
        QPointer<QTimer> waiting = tavrotest::onNextModalBox(
            [](QMessageBox *box) { tavrotest::buttonWithRole(box, QMessageBox::YesRole)->click(); });
        m_s.page->close();
        delete waiting;
        QVERIFY(m_s.waitFor(tavrosim::kCmdPageClose, 1));
        QCOMPARE(m_s.commands(), QList<int>({tavrosim::kCmdSave, tavrosim::kCmdPageClose}));
        QTRY_VERIFY_WITH_TIMEOUT(!m_s.window->page(), kWait);
    }

    // The device goes while a set-all question of the dialog is open: the
    // answer, whenever it comes, and the page's end write nothing into freed
    // memory (the sanitizers watch).
    void unplugWhileASetAllQuestionIsOpen()
    {
        m_s.sim->vanish(); // the shared session is done; its device leaves the scan
        Session s;
        QVERIFY(s.open());
        s.ui()->pushButton_pad->click();
        s.ui()->pad2->click();
        QPointer<CDlgRzChild> d = s.page->childDialog();
        d->form()->pushButton_setCH->click();
        QPointer<QMessageBox> box = d->findChild<QMessageBox *>();
        QVERIFY(box);
        s.sim->vanish();
        // The window's port scan sees the device gone; it may wait for the
        // question to be answered before it finishes the page.
        QTRY_VERIFY_WITH_TIMEOUT(!tavrotest::picture(*s.window, 8), kWait);
        if (box)
            box->done(QMessageBox::Yes);
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->page(), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(d.isNull() && box.isNull(), kWait);
        QVERIFY(s.window->isVisible());
    }
};

TAVRO_TEST_MAIN(TestRznanoEndToEnd)
#include "test_rznano_e2e.moc"
