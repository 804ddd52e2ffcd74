// The foot pedal page end to end: the connection window opens it for a
// simulated pedal (model 1, firmware 5) on a real JACK server, the pedal's
// image and reports reach the page through RtMidi, and the page's frames reach
// the pedal the same way. One session serves every road of this file; each
// road sends the page the image it starts from.
#include "testmain.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTranslator>

#include "devices/pedal/cdlgz3.h"
#include "devices/pedal/pedalpresetfile.h"
#include "devices/pedal/z3edit.h"
#include "filechooser.h"
#include "ui_cpedal.h"
#include "ui_cvaluekey.h"
#include "globals.h"
#include "models/pedalmodel.h"
#include "pagedialogs.h"
#include "pagesession.h"
#include "pedaltestimage.h"
#include "recordingowner.h"
#include "touchcombobox.h"
#include "ui_cdlgz3.h"
#include "ui_pc_connectui.h"

using tavrosim::Bytes;
using tavrotest::kSessionWait;
using tavrotest::toastTexts;

namespace {

Bytes bytesOf(const SZ3ProConfigData &image)
{
    const QByteArray b = image.toByteArray();
    return Bytes(b.begin(), b.end());
}

using tavrotest::hexOf;

// Answers the page's open question box; false when none shows.
bool answer(QWidget *page, QMessageBox::StandardButton button, QString *text = nullptr)
{
    QMessageBox *box = tavrotest::shownQuestion(page, kSessionWait);
    if (!box)
        return false;
    if (text)
        *text = box->text();
    box->button(button)->click();
    return true;
}

} // namespace

class TestPedalPageEndToEnd : public QObject
{
    Q_OBJECT

    tavrotest::PageSession<cDlgZ3> s;

    Ui_cDlgZ3 *ui() const { return s.page->form(); }

    // Sends the page an image as the pedal would and waits until it shows.
    bool show(const SZ3ProConfigData &image)
    {
        s.sim->setPedalImage(bytesOf(image));
        if (!s.sim->sendFrame(tavrosim::kCmdPoll, bytesOf(image)))
            return false;
        return QTest::qWaitFor([this, &image] { return s.page && s.page->image() == image; }, kSessionWait);
    }

    // Everything the page sent before this has reached the pedal once the
    // pedal has seen this scan request.
    bool settle()
    {
        const size_t scans = s.count(0x64);
        ui()->pushButton_Scan->click();
        return QTest::qWaitFor([this, scans] { return s.count(0x64) > scans; }, kSessionWait);
    }

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
            QSKIP("needs a JACK server (scripts/jack-env.sh)");
        g_translator = new QTranslator(qApp);
        g_language = 0;
        // The pedal's first image is one the page refuses, so that the page
        // can be looked at before it has an image.
        QVERIFY(s.open(
            tavrosim::optionsForModel(1, 5),
            [](tavrosim::Simulator &sim) {
                Bytes image = tavrosim::defaultZ3Image();
                image[tavrosim::z3image::kPedalCount] = 17;
                sim.setPedalImage(image);
            },
            [](cDlgZ3 *) { return true; }));
    }

    // The page waits for the pedal's image with nothing editable, then shows
    // it and sends nothing back.
    void openShowsThePedalImage()
    {
        QVERIFY(!ui()->stackedWidget->isEnabled());
        QVERIFY(!ui()->widget_display->isEnabled());
        QVERIFY(toastTexts(s.page).contains("Load data..."));
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(s.page).contains("Data error,Please reconnect..."), kSessionWait);
        QVERIFY(!ui()->stackedWidget->isEnabled());
        QCOMPARE(s.count(tavrosim::kCmdPoll), size_t(1));

        const SZ3ProConfigData image = pedaltest::preparedImage();
        QVERIFY(show(image));
        QVERIFY(ui()->stackedWidget->isEnabled());
        QCOMPARE(ui()->comboBox_preset->currentIndex(), 3);
        QCOMPARE(ui()->stackedWidget->currentIndex(), 3);
        QCOMPARE(ui()->comboBox_Group->count(), 3);
        QVERIFY(ui()->checkBox_A->isChecked());
        QCOMPARE(ui()->listWidget_A1->count(), 2);
        QCOMPARE(ui()->listWidget_A2->item(0)->text(), QString("F0 43 10 F7 "));
        QCOMPARE(ui()->listWidget_pedal->item(1)->text(), QString("[02]  BF  0B  0A~64"));
        QCOMPARE(ui()->comboBox_BtModel->currentIndex(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(s.page->windowTitle(), QString("Z3 Connected V5"), kSessionWait);
        QVERIFY(settle());
        // The window's hello and information request, then the scan of settle().
        QCOMPARE(s.commands(), QList<int>({0x12, 0x11, 0x64}));
    }

    // ---- switches, display characters, expression pedal, reset, Bluetooth ----

    // Switch and display edits reach the pedal's image; a display code the
    // first chooser has no row for survives an edit of the second one.
    void switchesAndDisplay()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setMode(3);
        image.setDisplayChar(4, 38);
        QVERIFY(show(image));
        QCOMPARE(ui()->stackedWidget->currentIndex(), 2);
        QCOMPARE(ui()->comboBox_ModeDis1->currentIndex(), -1);
        ui()->pushButton_FSB_mode->click();
        QCOMPARE(ui()->pushButton_FSB_mode->text(), QString("Momentary"));
        ui()->comboBox2_channelC->setCurrentIndex(5);
        ui()->comboBox2_dataD->setCurrentIndex(100);
        ui()->comboBox_ModeDis2->setCurrentIndex(5);
        const auto pedalByte = [this](size_t at) { return int(s.sim->pedalImage()[at]); };
        QTRY_COMPARE_WITH_TIMEOUT(pedalByte(71), 5, kSessionWait);
        QCOMPARE(pedalByte(70), 38);
        QCOMPARE(pedalByte(77), 0x21);
        QCOMPARE(pedalByte(81), 5);
        QCOMPARE(pedalByte(85), 100);
        ui()->pushButton_FSB_mode->click();
        QTRY_COMPARE_WITH_TIMEOUT(pedalByte(77), 0x20, kSessionWait);
        QCOMPARE(hexOf(s.frames(0x62).back()), QString("78 59 62 0C 00 00 10 00 00 20 00 00 30 05 00 40 00 64 F6"));
    }

    void expressionList()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        const int entries[3][4] = {{0, 7, 0, 127}, {1, 11, 10, 100}, {2, 1, 0, 64}};
        for (const int *e : entries)
            z3::addPedalEntry(image, e);
        QVERIFY(show(image));
        ui()->pushButton_pedal->click();
        QCOMPARE(ui()->stackedWidget->currentIndex(), 4);

        // Removing the first of three.
        ui()->listWidget_pedal->setCurrentRow(0);
        ui()->pushButton_pedalDelItem->click();
        QTRY_COMPARE_WITH_TIMEOUT(int(s.sim->pedalImage()[z3::kPedalCount]), 2, kSessionWait);
        QCOMPARE(hexOf(s.frames(0x65).back()), QString("78 59 65 08 00 00 01 0B 0A 64 02 01 00 40 42"));
        QCOMPARE(ui()->listWidget_pedal->item(0)->text(), QString("[01]  B1  0B  0A~64"));

        // Changing the second row rewrites it alone.
        ui()->listWidget_pedal->setCurrentRow(1);
        emit ui()->listWidget_pedal->itemDoubleClicked(ui()->listWidget_pedal->item(1));
        QVERIFY(s.page->pedalDialog() && s.page->pedalDialog()->isVisible());
        QCOMPARE(s.page->pedalDialog()->form()->comboBox_channel->currentIndex(), 2);
        s.page->pedalDialog()->form()->comboBox_data1->setCurrentIndex(64);
        s.page->pedalDialog()->form()->pushButton_ok->click();
        QTRY_COMPARE_WITH_TIMEOUT(int(s.sim->pedalImage()[5]), 64, kSessionWait);
        QCOMPARE(int(s.sim->pedalImage()[1]), 11);
        QCOMPARE(ui()->listWidget_pedal->count(), 2);

        // Up to 16 entries; the 17th is refused with its message.
        SZ3ProConfigData full = pedaltest::plainImage();
        for (int i = 0; i < 16; ++i) {
            const int e[4] = {0, i, 0, 127};
            z3::addPedalEntry(full, e);
        }
        QVERIFY(show(full));
        const size_t sent = s.count(0x65);
        ui()->pushButton_pedalAdd->click();
        s.page->pedalDialog()->form()->pushButton_ok->click();
        QVERIFY(toastTexts(s.page).contains("Up to 16 MIDI codes can be stored."));
        QVERIFY(settle());
        QCOMPARE(s.count(0x65), sent);

        // Remove all asks even on an empty list.
        QVERIFY(show(pedaltest::plainImage()));
        ui()->pushButton_removePedal->click();
        QString question;
        QVERIFY(answer(s.page, QMessageBox::Yes, &question));
        QCOMPARE(question, QString("Remove all"));
        QTRY_COMPARE_WITH_TIMEOUT(s.count(0x65), sent + 1, kSessionWait);
        QCOMPARE(hexOf(s.frames(0x65).back()), QString("78 59 65 00 00 00 FF"));
    }

    // The reset is asked first; afterwards the page reads the pedal again.
    void factoryReset()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setMode(2);
        image.setByte(z3::kMode2Max, 40);
        QVERIFY(show(image));
        ui()->pushButton_Reset->click();
        QString question;
        QVERIFY(answer(s.page, QMessageBox::No, &question));
        QCOMPARE(question, QString("restore factory setting"));
        QVERIFY(settle());
        QCOMPARE(s.count(0x70), size_t(0));

        const size_t polls = s.count(tavrosim::kCmdPoll);
        ui()->pushButton_Reset->click();
        QVERIFY(answer(s.page, QMessageBox::Yes));
        QTRY_COMPARE_WITH_TIMEOUT(s.count(0x70), size_t(1), kSessionWait);
        QCOMPARE(hexOf(s.frames(0x70).front()), QString("78 59 70 02 00 00 78 59 2E"));
        QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdPoll), polls + 1, kSessionWait);
        const QByteArray reset(reinterpret_cast<const char *>(tavrosim::defaultZ3Image().data()), 4930);
        QTRY_VERIFY_WITH_TIMEOUT(s.page->image().toByteArray() == reset, kSessionWait);
        QCOMPARE(ui()->comboBox_preset->currentIndex(), 0);
    }

    void bluetoothHost()
    {
        QVERIFY(show(pedaltest::plainImage()));
        ui()->pushButton_BtHost->click();
        QCOMPARE(ui()->stackedWidget->currentIndex(), 5);
        const std::string longName(40, 'n');
        s.sim->withDevice([&longName](tavrosim::SimDevice &d) {
            d.unit<tavrosim::SimPedalModel>()->setScanNames({"Stage Box", "ABC", "Stage Box", longName});
        });
        const auto choose = [this](int row, QMessageBox::StandardButton button) {
            ui()->comboBox_BtModel->setCurrentIndex(row);
            emit ui()->comboBox_BtModel->activated(row);
            return answer(s.page, button);
        };

        // Every choice asks, the current one too; No puts the combo back.
        QVERIFY(choose(0, QMessageBox::No));
        QVERIFY(choose(2, QMessageBox::No));
        QCOMPARE(ui()->comboBox_BtModel->currentIndex(), 0);
        QVERIFY(settle());
        const size_t before = s.count(0x64);
        QVERIFY(choose(1, QMessageBox::Yes));
        QTRY_COMPARE_WITH_TIMEOUT(ui()->listWidget_BtName->count(), 3, kSessionWait);
        QCOMPARE(s.count(0x64), before + 1);
        QCOMPARE(hexOf(s.frames(0x64).back()), QString("78 59 64 01 00 00 01 FE"));
        QCOMPARE(ui()->stackedWidget_BtModel->currentIndex(), 1);
        QCOMPARE(int(s.sim->pedalImage()[z3::kBtMode]), 1);

        // Scan lists each name once.
        ui()->listWidget_BtName->addItem("stale");
        ui()->pushButton_Scan->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.count(0x64), before + 2, kSessionWait);
        QTRY_COMPARE_WITH_TIMEOUT(ui()->listWidget_BtName->count(), 3, kSessionWait);
        QCOMPARE(ui()->listWidget_BtName->item(0)->text(), QString("Stage Box"));

        // Connect with a name; the pedal reports the connection.
        ui()->listWidget_BtName->setCurrentRow(1);
        ui()->pushButton_BT->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui()->label_CurBt->text(), QString("Connected Bluetooth:ABC"), kSessionWait);
        QCOMPARE(hexOf(s.frames(0x64).back()), QString("78 59 64 04 00 00 01 41 42 43 38"));
        ui()->listWidget_BtName->setCurrentRow(2);
        ui()->pushButton_BT->click();
        QVERIFY(toastTexts(s.page).contains("The Bluetooth name is too long. Please switch to the Host model2."));
        QTRY_COMPARE_WITH_TIMEOUT(s.count(0x64), before + 4, kSessionWait);
        QCOMPARE(s.frames(0x64).back().size(), size_t(33 + 7));

        // The pass-through switch.
        QTest::mouseClick(ui()->widget_PassThrough, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(int(s.sim->pedalImage()[z3::kPassThrough]), 1, kSessionWait);
        QCOMPARE(hexOf(s.frames(0x59).back()), QString("78 59 59 01 00 00 01 FE"));
        QTest::mouseClick(ui()->widget_PassThrough, Qt::LeftButton);
        QTRY_COMPARE_WITH_TIMEOUT(int(s.sim->pedalImage()[z3::kPassThrough]), 0, kSessionWait);
    }

    // ---- key event lists --------------------------------------------------------

    // A trigger type makes its key current and writes every group, then the pool.
    void triggerTypeOfKeyC()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setMode(4);
        z3::addKeyEvent(image, 0, 2, 2, {0x90, 0, 60, 1});
        QVERIFY(show(image));
        s.sim->clearLog();
        ui()->comboBox_C->setCurrentIndex(3); // "Long"
        QVERIFY(ui()->checkBox_C->isChecked());
        QCOMPARE(s.page->currentKey(), 2);
        QVERIFY(ui()->pushButton_Group1->isHidden() && ui()->pushButton_Group2->isHidden());
        QCOMPARE(ui()->stackedWidget_2->currentIndex(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(s.commands().size(), 9, kSessionWait);
        QCOMPARE(s.commands(), QList<int>({0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x63}));
        for (int g = 0; g < 8; ++g)
            QCOMPARE(int(s.frames(0x61)[size_t(g)][6]), g);
        QCOMPARE(int(s.sim->pedalImage()[SZ3ProConfigData::keyOffset(0, 2)]), 4);
        // List 2 keeps its event and is still sent.
        QCOMPARE(int(s.sim->pedalImage()[SZ3ProConfigData::keyOffset(0, 2) + z3::kCount2]), 1);
    }

    void keyListEdits()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setMode(4);
        z3::setKeySysex(image, 0, 1, 1, QByteArray::fromHex("F0010203040506070809F7").left(10));
        z3::setKeySysex(image, 0, 2, 1, QByteArray::fromHex("F07D01F7"));
        QVERIFY(show(image));

        // Sixteen events on key A's first list; a seventeenth is refused.
        for (int i = 0; i < 16; ++i) {
            const size_t pools = s.count(0x63);
            ui()->pushButton_AddA1->click();
            cValueKey *dlg = s.page->valueKeyDialog();
            QVERIFY(dlg && dlg->isVisible());
            dlg->form()->comboBox_type->setCurrentIndex(3);
            dlg->form()->comboBox_data1->setCurrentIndex(i);
            dlg->form()->pushButton_ok->click();
            QTRY_COMPARE_WITH_TIMEOUT(s.count(0x63), pools + 1, kSessionWait);
        }
        QCOMPARE(ui()->listWidget_A1->count(), 16);
        QCOMPARE(ui()->listWidget_A1->item(15)->text(), QString("[16]   B0   0F   00"));
        const size_t pools = s.count(0x63);
        ui()->pushButton_AddA1->click();
        s.page->valueKeyDialog()->form()->pushButton_ok->click();
        QVERIFY(toastTexts(s.page).contains("Up to 16 MIDI codes can be stored."));
        QVERIFY(settle());
        QCOMPARE(s.count(0x63), pools);

        // A SysEx over key A's events goes behind the pool's two messages...
        ui()->listWidget_A1->setCurrentRow(3);
        emit ui()->listWidget_A1->itemDoubleClicked(ui()->listWidget_A1->item(3));
        cValueKey *dlg = s.page->valueKeyDialog();
        QCOMPARE(dlg->form()->comboBox_type->currentIndex(), 3);
        QCOMPARE(dlg->form()->comboBox_data1->currentIndex(), 3);
        dlg->form()->comboBox_type->setCurrentIndex(16);
        dlg->form()->textEdit->setPlainText("F0 7D 02 02 F7");
        dlg->form()->pushButton_ok->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.count(0x63), pools + 1, kSessionWait);
        QCOMPARE(hexOf(s.frames(0x63).back()), QString("78 59 63 13 00 00 F0 01 02 03 04 05 06 07 08 09 "
                                                       "F0 7D 01 F7 F0 7D 02 02 F7 15"));
        QCOMPARE(ui()->listWidget_A1->count(), 1);
        // ... and an event over key B's SysEx moves both down.
        ui()->checkBox_B->setChecked(true);
        ui()->listWidget_A1->setCurrentRow(0);
        emit ui()->listWidget_A1->itemDoubleClicked(ui()->listWidget_A1->item(0));
        QCOMPARE(dlg->form()->comboBox_type->currentIndex(), 16);
        dlg->form()->comboBox_type->setCurrentIndex(11); // F8
        dlg->form()->pushButton_ok->click();
        QTRY_COMPARE_WITH_TIMEOUT(s.count(0x63), pools + 2, kSessionWait);
        QCOMPARE(hexOf(s.frames(0x63).back()), QString("78 59 63 09 00 00 F0 7D 01 F7 F0 7D 02 02 F7 32"));
        QCOMPARE(ui()->listWidget_A1->item(0)->text(), QString("[01]   F8"));
        const Bytes pedal = s.sim->pedalImage();
        QCOMPARE(int(pedal[SZ3ProConfigData::keyOffset(0, 0) + z3::kList1 + 1]), 4);
        QCOMPARE(int(pedal[SZ3ProConfigData::keyOffset(0, 2) + z3::kList1 + 1]), 0);

        // Deleting the SysEx row of key C leaves one empty row.
        ui()->checkBox_C->setChecked(true);
        ui()->listWidget_A1->setCurrentRow(0);
        ui()->pushButton_DelItem1->click();
        QCOMPARE(ui()->listWidget_A1->count(), 1);
        QCOMPARE(ui()->listWidget_A1->item(0)->text(), QString());
        QTRY_COMPARE_WITH_TIMEOUT(s.count(0x63), pools + 3, kSessionWait);

        // Remove all asks; No changes nothing.
        ui()->checkBox_A->setChecked(true);
        ui()->pushButton_Remove1->click();
        QVERIFY(answer(s.page, QMessageBox::No));
        QVERIFY(settle());
        QCOMPARE(s.count(0x63), pools + 3);
        QCOMPARE(ui()->listWidget_A1->count(), 1);

        // The pedal holds what the page holds.
        QCOMPARE(hexOf(s.sim->pedalImage()), hexOf(bytesOf(s.page->image())));
    }

    // Both entry dialogs open at once: each answer goes where it belongs.
    void bothDialogsKeepTheirAnswers()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setMode(4);
        image.key(0, 0).setTriggerType(2);
        const int entries[2][4] = {{0, 7, 0, 127}, {1, 11, 10, 100}};
        for (const int *e : entries)
            z3::addPedalEntry(image, e);
        QVERIFY(show(image));

        // The expression dialog first, then the key dialog.
        ui()->listWidget_pedal->setCurrentRow(0);
        emit ui()->listWidget_pedal->itemDoubleClicked(ui()->listWidget_pedal->item(0));
        QVERIFY(s.page->pedalDialog()->isVisible());
        emit ui()->pushButton_Group2->clicked(true);
        ui()->pushButton_AddA2->click();
        QVERIFY(s.page->valueKeyDialog()->isVisible());
        // Removing a pedal row meanwhile leaves the key dialog's list alone.
        ui()->listWidget_pedal->setCurrentRow(1);
        ui()->pushButton_pedalDelItem->click();
        ui()->listWidget_pedal->setCurrentRow(0);

        s.page->pedalDialog()->form()->comboBox_data1->setCurrentIndex(99);
        s.page->pedalDialog()->form()->pushButton_ok->click();
        cValueKey *dlg = s.page->valueKeyDialog();
        dlg->form()->comboBox_type->setCurrentIndex(1);
        dlg->form()->comboBox_data1->setCurrentIndex(60);
        dlg->form()->comboBox_data2->setCurrentIndex(90);
        dlg->form()->pushButton_ok->click();

        const int key = SZ3ProConfigData::keyOffset(0, 0);
        QTRY_COMPARE_WITH_TIMEOUT(int(s.sim->pedalImage()[key + z3::kCount2]), 1, kSessionWait);
        const Bytes pedal = s.sim->pedalImage();
        QCOMPARE(hexOf(Bytes(pedal.begin() + key + z3::kList2, pedal.begin() + key + z3::kList2 + 4)),
                 QString("00 90 3C 5A"));
        QCOMPARE(int(pedal[z3::kPedalCount]), 1);
        QCOMPARE(int(pedal[1]), 99);
    }

    // ---- preset files -----------------------------------------------------------

    // A loaded file is shown and written section by section, and leaves page
    // and pedal in mode 1; the Bluetooth settings stay the pedal's, on the
    // page and in what Scan sends.
    void presetFileApplied()
    {
        SZ3ProConfigData before = pedaltest::plainImage();
        before.setByte(z3::kBtMode, 1);
        before.setByte(z3::kPassThrough, 1);
        QVERIFY(show(before));
        SZ3ProConfigData file = pedaltest::preparedImage();
        file.setMode(3);
        file.setByte(z3::kMode1Max, 36);
        file.setByte(z3::kBtMode, 0);
        file.setByte(z3::kPassThrough, 0);
        QTemporaryDir dir;
        const QString path = dir.filePath("stage.z3");
        QVERIFY(PedalPresetFile::write(path, file.toByteArray()) == PedalPresetFile::Save::Saved);
        setFileChooser([path](bool, const QString &, const QString &) { return path; });
        s.sim->clearLog();
        ui()->pushButton_In->click();
        setFileChooser(nullptr);

        QTRY_VERIFY_WITH_TIMEOUT(s.commands().count(0x60) >= 2 && s.commands().contains(0x65), kSessionWait);
        QVERIFY(settle());
        QList<int> sent = s.commands();
        sent.removeLast(); // the scan of settle()
        const int first = sent.indexOf(0x61);
        QVERIFY(first >= 0);
        for (int i = 0; i < first; ++i)
            QCOMPARE(sent[i], 0x60); // the view's own setting frames
        QCOMPARE(sent.mid(first), QList<int>({0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x61, 0x63, 0x62, 0x67, 0x65,
                                              0x60, 0x60}));
        const std::vector<Bytes> settings = s.frames(0x60);
        QCOMPARE(hexOf(settings[settings.size() - 1]), QString("78 59 60 02 00 00 01 24 DA"));
        QCOMPARE(hexOf(settings[settings.size() - 2]), QString("78 59 60 02 00 00 01 24 DA"));

        QCOMPARE(ui()->comboBox_preset->currentIndex(), 0);
        QCOMPARE(ui()->stackedWidget->currentIndex(), 0);
        QCOMPARE(int(s.page->image().mode()), 1);
        QCOMPARE(int(s.sim->pedalImage()[z3::kMode]), 1);
        QCOMPARE(ui()->comboBox_BtModel->currentIndex(), 1);
        QVERIFY(ui()->widget_PassThrough->getChecked());
        QCOMPARE(ui()->listWidget_pedal->count(), 2);
        // The scan of settle() asks in the mode shown, not in the file's.
        QCOMPARE(hexOf(s.frames(0x64).back()), QString("78 59 64 01 00 00 01 FE"));
        QCOMPARE(hexOf(s.sim->pedalImage()), hexOf(bytesOf(s.page->image())));
    }
};

TAVRO_TEST_MAIN(TestPedalPageEndToEnd)
#include "test_pedalpage_e2e.moc"
