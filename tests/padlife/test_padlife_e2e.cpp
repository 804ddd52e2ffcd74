// The pad page's life and files end to end: the connection window opens the
// page for a simulated controller on a real JACK server; preset files, the
// online preset list (local HTTP server), factory reset and the close
// question travel through RtMidi to the device.
#include <QtTest>

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include <cstring>
#include <memory>

#include "cdlgpreset.h"
#include "devices/pad/rz7presetfile.h"
#include "globals.h"
#include "httpfixture.h"
#include "padlifeutil.h"
#include "pagesession.h"
#include "testmain.h"
#include "ui_crzm7.h"
#include "ui_pc_connectui.h"

using namespace padlife;
using tavrosim::Bytes;
using tavrosim::Simulator;

namespace {

constexpr int kWait = tavrotest::kSessionWait;

using tavrotest::hexOf;

QByteArray qbytes(const Bytes &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size()));
}

// A simulated pad controller, the connection window, and the page it opened.
struct Session : tavrotest::PageSession<CRZM7>
{
    bool open() { return PageSession::open(tavrosim::optionsForModel(7)); }

    Ui_CRZM7 *ui() const { return page->form(); }
    // A block the device does not hold yet: other notes on every pad.
    Bytes otherBlock() const
    {
        Bytes b = sim->block(sim->currentPreset());
        for (int bank = 0; bank < 3; ++bank)
            for (int p = 0; p < 16; ++p)
                b[size_t(120 + 64 * bank + 4 * p + 1)] = uint8_t(20 + 16 * bank + p);
        b[822] = 0x33;
        return b;
    }
};

SRZ7ConfigData toBlock(const Bytes &b)
{
    SRZ7ConfigData block;
    std::memcpy(&block, b.data(), sizeof block);
    return block;
}

QList<int> without(QList<int> commands, int command)
{
    commands.removeAll(command);
    return commands;
}

} // namespace

class TestPadLifeEndToEnd : public QObject
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

    // With unsaved changes the close question decides: Escape keeps the page
    // and sends nothing; Yes saves to the flash, then closes.
    void closeWithUnsavedChanges()
    {
        Session s;
        QVERIFY(s.open());
        // A knob edit, written as the per-control dialog has it written.
        SKnobRecord *knob = s.page->model().knobRecord(0);
        knob->data1 = uint8_t((knob->data1 + 1) & 0x7F);
        s.page->slots_click_ok_send(1);
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdWriteKnobs), size_t(1), kWait);
        s.sim->clearLog();

        onNextModalBox([](QMessageBox *box) { QTest::keyClick(box, Qt::Key_Escape); });
        QVERIFY(!s.page->close());
        QVERIFY(s.settle());
        QCOMPARE(without(s.commands(), tavrosim::kCmdPoll), QList<int>());
        QVERIFY(s.page && s.page->isVisible());
        QCOMPARE(s.window->page(), s.page.data());

        const int preset = s.sim->currentPreset();
        QVERIFY(s.sim->flashBlock(preset) != s.sim->block(preset));
        s.sim->clearLog();
        onNextModalBox([](QMessageBox *box) { buttonWithRole(box, QMessageBox::YesRole)->click(); });
        s.page->close();
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdPageClose), size_t(1), kWait);
        QCOMPARE(without(s.commands(), tavrosim::kCmdPoll),
                 QList<int>({tavrosim::kCmdSave, tavrosim::kCmdPageClose}));
        QCOMPARE(hexOf(s.frames(tavrosim::kCmdSave).front()), QString("78 59 68 00 00 00 FF"));
        QCOMPARE(hexOf(s.frames(tavrosim::kCmdPageClose).front()), QString("78 59 75 00 00 00 FF"));
        QTRY_VERIFY_WITH_TIMEOUT(s.sim->flashBlock(preset) == s.sim->block(preset), kWait);
        QTRY_VERIFY(!s.window->page());
        QVERIFY(s.window->isVisible());
    }

    // Switching presets with unsaved changes: the question first; Yes stores
    // the preset being left, then the device plays the new one.
    void presetSwitchSavesFirst()
    {
        Session s;
        QVERIFY(s.open());
        const int old = s.sim->currentPreset();
        const int next = (old + 3) % 8;
        SKnobRecord *knob = s.page->model().knobRecord(1);
        knob->data1 = uint8_t((knob->data1 + 1) & 0x7F);
        s.page->slots_click_ok_send(1);
        QTRY_VERIFY_WITH_TIMEOUT(s.sim->flashBlock(old) != s.sim->block(old), kWait);
        s.sim->clearLog();

        s.ui()->comboBox_Preset->setCurrentIndex(next);
        auto *box = s.page->findChild<QMessageBox *>();
        QVERIFY(box);
        QVERIFY(s.settle());
        QCOMPARE(without(s.commands(), tavrosim::kCmdPoll), QList<int>());
        box->done(QMessageBox::Yes);
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->currentPreset(), next, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdSystemConfig), size_t(1), kWait);
        const QList<int> sent = without(s.commands(), tavrosim::kCmdPoll);
        QCOMPARE(sent.mid(0, 3), QList<int>({tavrosim::kCmdSave, tavrosim::kCmdReadPreset, tavrosim::kCmdSystemConfig}));
        QCOMPARE(hexOf(s.frames(tavrosim::kCmdReadPreset).front()),
                 hexOf(tavrosim::makeFrame(tavrosim::kCmdReadPreset, Bytes{uint8_t(next)})));
        QCOMPARE(int(s.frames(tavrosim::kCmdSystemConfig).front()[6 + 4]), next);
        QCOMPARE(hexOf(s.sim->flashBlock(old)), hexOf(s.sim->block(old)));
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(Bytes(reinterpret_cast<const uint8_t *>(&s.page->model().config()),
                                              reinterpret_cast<const uint8_t *>(&s.page->model().config()) + 823)),
                                  hexOf(s.sim->block(next)), kWait);
        QVERIFY(!s.page->model().hasUnsavedChanges());
    }

    // A preset file goes to the device as one configuration write; a bad one
    // sends nothing.
    void presetFileToTheDevice()
    {
        Session s;
        QVERIFY(s.open());
        QTemporaryDir dir;
        ChosenPath chooser;
        const int preset = s.sim->currentPreset();
        const Bytes before = s.sim->block(preset);
        const Bytes other = s.otherBlock();

        chooser.path = dir.filePath("bad.rzp");
        QVERIFY(writeAll(chooser.path, "RZ-7 Pad"));
        s.sim->clearLog();
        s.ui()->pushButton_In->click();
        QVERIFY(toastTexts(s.page).contains("2222"));
        QVERIFY(s.settle());
        QCOMPARE(without(s.commands(), tavrosim::kCmdPoll), QList<int>());
        QCOMPARE(hexOf(s.sim->block(preset)), hexOf(before));

        chooser.path = dir.filePath("other.rzp");
        QVERIFY(writeAll(chooser.path, rz7::presetFileBytes(toBlock(other))));
        s.ui()->pushButton_In->click();
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s.sim->block(preset)), hexOf(other), kWait);
        QCOMPARE(s.count(tavrosim::kCmdWriteConfig), size_t(1));
        QCOMPARE(s.frames(tavrosim::kCmdWriteConfig).front().size(), size_t(830));
        QCOMPARE(int(s.sim->currentPreset()), preset);

        // Saved from the page and read back: the same bytes again.
        chooser.path = dir.filePath("saved.rzp");
        s.ui()->pushButton_Out->click();
        SRZ7ConfigData back;
        std::memset(&back, 0, sizeof back);
        QCOMPARE(rz7::readPresetFile(chooser.path, back), rz7::PresetLoadResult::Ok);
        QCOMPARE(blockBytes(back), qbytes(other));
    }

    // Factory reset reaches the device; its answer is shown and the block read again.
    void factoryReset()
    {
        Session s;
        QVERIFY(s.open());
        s.sim->clearLog();
        s.ui()->pushButton_Reset->click();
        auto *box = s.page->findChild<QMessageBox *>();
        QVERIFY(box);
        box->done(QMessageBox::Yes);
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdFactoryReset), size_t(1), kWait);
        QCOMPARE(hexOf(s.frames(tavrosim::kCmdFactoryReset).front()), QString("78 59 70 02 00 00 78 59 2E"));
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(s.page).contains("Restore factory data successful"), kWait);
        QTRY_VERIFY_WITH_TIMEOUT(s.count(tavrosim::kCmdReadPreset) >= 1, kWait);

        s.sim->setResult(tavrosim::kCmdFactoryReset, 0);
        s.ui()->pushButton_Reset->click();
        s.page->findChild<QMessageBox *>()->done(QMessageBox::Yes);
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(s.page).contains("Restore to factory defaults failed"), kWait);
    }

    // A preset chosen in the online list is downloaded and written to the device.
    void downloadedPresetToTheDevice()
    {
        HttpFixture server;
        QVERIFY(server.start());
        qputenv("TAVRO_SERVER_BASE", server.baseUrl().toUtf8());
        Session s;
        QVERIFY(s.open());
        const Bytes other = s.otherBlock();
        QVERIFY(server.writeFile("tvsuite/rz7/preset.ini", "[files]\n1=Lofi\n"));
        QVERIFY(server.writeFile("tvsuite/rz7/Lofi.rzp", rz7::presetFileBytes(toBlock(other))));

        s.ui()->pushButton_LoadPreset->click();
        CDlgPreset *dlg = s.page->presetDialog();
        QVERIFY(dlg);
        auto *list = dlg->findChild<QListWidget *>("listWidget");
        QTRY_COMPARE_WITH_TIMEOUT(list->count(), 1, kWait);
        list->setCurrentRow(0);
        dlg->findChild<QPushButton *>("pushButton_yes")->click();
        dlg->findChild<QMessageBox *>()->done(QMessageBox::Yes);
        const int preset = s.sim->currentPreset();
        QTRY_COMPARE_WITH_TIMEOUT(hexOf(s.sim->block(preset)), hexOf(other), kWait);
        QCOMPARE(s.count(tavrosim::kCmdWriteConfig), size_t(1));
        QVERIFY(!dlg->isVisible());
    }

    // A question that runs no loop of its own ("Set all pads to this
    // color?") goes with its page when the device is unplugged.
    void unpluggedWithAQuestionOpen()
    {
        Session s;
        QVERIFY(s.open());
        s.ui()->pushButton_setPadColor->click();
        QTRY_VERIFY_WITH_TIMEOUT(s.page->findChild<QMessageBox *>(), kWait);
        s.sim->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(s.page.isNull(), kWait);
        QVERIFY(s.window->isVisible());
        QVERIFY(!s.window->page());
    }
};

TAVRO_TEST_MAIN(TestPadLifeEndToEnd)
#include "test_padlife_e2e.moc"
