// The older pedal page on its own: an owner that records what the page sends,
// images and reports fed as frames, the widgets driven as a user would.
#include "testmain.h"
#include "bytes.h"
#include "recordingowner.h"
#include "pedaloldtest.h"

#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTranslator>

#include "devices/pedal_old/master.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "midinames.h"
#include "touchcombobox.h"
#include "ui_master.h"

using tavrotest::hex;
using tavrotest::RecordingOwner;
using tavrotest::toHex;

namespace {

QByteArray imageFrame(const SMIDIConfigData &c)
{
    return tavrotest::frame(CMD_POLL, c.toByteArray());
}

void feed(master &page, const QByteArray &frame)
{
    page.Slots_recv_frame(tavrotest::u8(frame), uint(frame.size()));
}

QStringList rows(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// An image whose switch A holds list 1 = [00 90 3C 64] and list 2 = the SysEx
// F0 41 10 F7, action "Down+Up", with display characters on every switch.
SMIDIConfigData richImage(quint8 preset)
{
    SMIDIConfigData c = pedaloldtest::image(preset);
    SSwitchRecord &a = c.SwitchData[0];
    a.Type = 3;
    a.Count1 = 1;
    a.List1[0] = {0x00, 0x90, 0x3C, 0x64};
    a.setSysex(2, true);
    const uchar sysex[] = {0xF0, 0x41, 0x10, 0xF7};
    std::memcpy(a.Sysex2, sysex, 4);
    a.setSysexLen(2, 4);
    a.Display[0] = 0x80 | 11; // "A" with its dot
    a.Display[1] = 2;
    c.SwitchData[1].Display[2] = 0x80 | 5;
    c.PedalCount = 2;
    c.PedalData[0] = {2, 64, 5, 120};
    c.PedalData[1] = {0, 11, 0, 127};
    return c;
}

} // namespace

class TestMasterPage : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstImage_data();
    void firstImage();
    void imageFillsTheWidgets();
    void lostImageIsPolledAgain();
    void presetReports();
    void presetChoice();
    void presetDisplay();
    void switchDisplay();
    void choosersWithoutRowKeepTheStoredByte();
    void customize1Switches();
    void actionChange();
    void monitor();
    void languageCloseAndEscapeSendNothing();
    void factoryResetAsks();

private:
    void open(const SMIDIConfigData &c)
    {
        feed(*m_page, imageFrame(c));
        m_owner.frames.clear();
    }
    RecordingOwner m_owner;
    master *m_page = nullptr;
    Ui_master *ui = nullptr;
};

void TestMasterPage::initTestCase()
{
    g_translator = new QTranslator(qApp);
    QVERIFY(g_translator->load(QStringLiteral(":/Language/language_en.qm")));
    QCoreApplication::installTranslator(g_translator);
    g_downloadLink = QStringLiteral("Z3");
    g_firmwareVersion = 4;
}

void TestMasterPage::init()
{
    m_owner.frames.clear();
    m_owner.backCalls = 0;
    m_page = new master(&m_owner);
    ui = m_page->form();
}

void TestMasterPage::cleanup()
{
    delete m_page;
    m_page = nullptr;
}

void TestMasterPage::firstImage_data()
{
    QTest::addColumn<int>("preset");
    QTest::addColumn<QStringList>("frames");
    const QString switches = QStringLiteral("78 59 62 0C 00 00 10 00 00 20 00 00 30 00 00 40 00 00 5F");
    QTest::newRow("Preset1") << 1 << QStringList{"78 59 60 02 00 00 01 FA 04"};
    QTest::newRow("Preset2") << 2
                             << QStringList{"78 59 60 02 00 00 01 FB 03", "78 59 60 02 00 00 01 FB 03"};
    QTest::newRow("Customize1") << 4 << QStringList{switches, switches, switches};
    QTest::newRow("Customize2") << 5 << QStringList{"78 59 60 05 00 00 00 11 00 00 00 EE"};
}

void TestMasterPage::firstImage()
{
    QFETCH(int, preset);
    QFETCH(QStringList, frames);
    QVERIFY(!tavrotest::contentEnabled(m_page));
    QCOMPARE(ui->stackedWidget->currentIndex(), 4);
    feed(*m_page, imageFrame(pedaloldtest::image(quint8(preset))));
    QStringList sent;
    for (const QByteArray &f : m_owner.frames)
        sent << toHex(f);
    QCOMPARE(sent, frames);
    QVERIFY(tavrotest::contentEnabled(m_page));
    QCOMPARE(ui->comboBox_preset->currentIndex(), preset - 1);
    QCOMPARE(ui->stackedWidget->currentIndex(), preset - 1);
    QVERIFY(ui->checkBox_A->isChecked());
    QTRY_COMPARE(m_page->windowTitle(), QStringLiteral("Z3 Connected V4"));
}

void TestMasterPage::imageFillsTheWidgets()
{
    SMIDIConfigData c = richImage(5);
    c.SwitchData[2].Latch = 0x31;
    c.SwitchData[2].Channel = 0x1A; // shown by its low nibble
    c.SwitchData[2].Data1 = 99;
    open(c);
    QCOMPARE(rows(ui->listWidget_A1), QStringList{"[01]   90   3C   64"});
    QCOMPARE(rows(ui->listWidget_A2), QStringList{"F0 41 10 F7 "});
    QCOMPARE(rows(ui->listWidget_pedal), QStringList({"[01]  B2  64  5~120", "[02]  B0  11  0~127"}));
    QCOMPARE(ui->label_list1->text(), QStringLiteral("Down"));
    QCOMPARE(ui->label_list2->text(), QStringLiteral("Up"));
    QCOMPARE(ui->comboBox_C->currentIndex(), 0);
    QCOMPARE(ui->comboBox_A->currentIndex(), 2);
    QCOMPARE(ui->comboBox_list1->currentText(), QStringLiteral("A"));
    QCOMPARE(ui->comboBox_list1_2->currentText(), QStringLiteral("1"));
    QVERIFY(ui->radioButton_1->isChecked());
    QVERIFY(!ui->radioButton_2->isChecked());
    QCOMPARE(ui->pushButton_FSC_mode->text(), QStringLiteral("Momentary"));
    QCOMPARE(ui->comboBox2_channelC->currentIndex(), 10);
    QCOMPARE(ui->comboBox2_dataC->currentIndex(), 99);
    QVERIFY(!ui->pushButton_LoadPreset->isVisible());

    // Switch B: "Down" hides list 2 and, on Customize2, the group buttons.
    ui->checkBox_B->setChecked(true);
    QCOMPARE(m_page->currentSwitch(), 1);
    QVERIFY(ui->listWidget_A2->isHidden());
    QCOMPARE(ui->stackedWidget_Group->currentIndex(), 1);
    QVERIFY(!ui->radioButton_1->isChecked());
    QVERIFY(ui->radioButton_2->isChecked());
    QVERIFY(m_owner.frames.isEmpty());

    // A later image with switch A still selected is shown in full.
    ui->checkBox_A->setChecked(true);
    c.SwitchData[0].Count1 = 2;
    c.SwitchData[0].List1[1] = {0x08, 0xF8, 0, 0};
    feed(*m_page, imageFrame(c));
    QCOMPARE(rows(ui->listWidget_A1), QStringList({"[01]   90   3C   64", "[02]   F8"}));
}

// An unanswered poll is sent again twice, 3 s apart; then the user is asked
// to reconnect.
void TestMasterPage::lostImageIsPolledAgain()
{
    const QByteArray poll = hex("78 59 66 00 00 00 FF");
    QTRY_COMPARE_WITH_TIMEOUT(m_owner.frames, QList<QByteArray>({poll, poll}), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(tavrotest::toastTexts(m_page).contains("Data error,Please reconnect..."), 5000);
    QCOMPARE(m_owner.frames.size(), 2);
}

void TestMasterPage::presetReports()
{
    // Before the first valid image the page has nothing to send: a report then
    // must not send the switch settings or switch A's record of an empty image.
    for (const char *p : {"04", "05", "02"})
        feed(*m_page, tavrotest::frame(CMD_PEDAL_MODE, hex(p)));
    QVERIFY(m_owner.frames.isEmpty());
    QCOMPARE(ui->comboBox_preset->currentIndex(), 0);

    open(pedaloldtest::image(1));
    const QByteArray three = tavrotest::frame(CMD_PEDAL_MODE, hex("03"));
    feed(*m_page, three);
    QCOMPARE(m_owner.frames, QList<QByteArray>{hex("78 59 60 02 00 00 01 FC 02")});
    QCOMPARE(ui->stackedWidget->currentIndex(), 2);
    QCOMPARE(int(m_page->config().Preset), 3);
    feed(*m_page, three);
    QCOMPARE(m_owner.frames.size(), 1);

    // A report without its preset byte is ignored, whatever the buffer holds
    // behind the header.
    const QByteArray cut = hex("78 59 68 00 00 00 02");
    m_page->Slots_recv_frame(tavrotest::u8(cut), 6);
    feed(*m_page, tavrotest::frame(CMD_PEDAL_MODE, QByteArray()));
    feed(*m_page, tavrotest::frame(CMD_PEDAL_MODE, hex("06")));
    QCOMPARE(m_owner.frames.size(), 1);
    QCOMPARE(int(m_page->config().Preset), 3);
}

void TestMasterPage::presetChoice()
{
    open(pedaloldtest::image(1));
    ui->comboBox_preset->setCurrentIndex(1);
    QCOMPARE(m_owner.frames, QList<QByteArray>{hex("78 59 60 02 00 00 01 FB 03")});
    QCOMPARE(ui->stackedWidget->currentIndex(), 1);
    m_owner.frames.clear();
    ui->comboBox_preset->setCurrentIndex(5);
    QVERIFY(m_owner.frames.isEmpty());
    QCOMPARE(ui->stackedWidget->currentIndex(), 5);
    for (QWidget *w : std::initializer_list<QWidget *>{ui->label_Display_screen, ui->comboBox_ModeDis1,
                                                       ui->comboBox_ModeDis2, ui->radioButton_ModeDis})
        QVERIFY(w->isHidden());
    // No pair to store into on the "Pedal" row.
    ui->comboBox_ModeDis1->setCurrentIndex(4);
    ui->radioButton_ModeDis->click();
    QVERIFY(m_owner.frames.isEmpty());
    ui->comboBox_preset->setCurrentIndex(4);
    QCOMPARE(m_owner.frames, QList<QByteArray>{hex("78 59 60 05 00 00 00 11 00 00 00 EE")});
    QVERIFY(!ui->label_Display_screen->isHidden());
    // Switch A is "Down" while the pedal plays Preset1: no list selector.
    QCOMPARE(ui->stackedWidget_Group->currentIndex(), 1);
}

void TestMasterPage::presetDisplay()
{
    open(pedaloldtest::image(2));
    ui->radioButton_ModeDis->click();
    ui->comboBox_ModeDis1->setCurrentIndex(11);
    ui->comboBox_ModeDis2->setCurrentIndex(37);
    QCOMPARE(m_owner.frames.size(), 3);
    QCOMPARE(toHex(m_owner.frames.last()), QStringLiteral("78 59 67 0A 00 00 00 00 8B 25 00 00 00 00 00 00 4F"));
    ui->radioButton_ModeDis->click();
    QCOMPARE(toHex(m_owner.frames.last()), QStringLiteral("78 59 67 0A 00 00 00 00 0B 25 00 00 00 00 00 00 CF"));
    QVERIFY(!ui->radioButton_ModeDis->isChecked());
}

void TestMasterPage::switchDisplay()
{
    open(pedaloldtest::image(5));
    ui->checkBox_B->setChecked(true);
    m_owner.frames.clear();
    ui->radioButton_1->click();
    ui->comboBox_list1->setCurrentIndex(2);
    ui->comboBox_list1_2->setCurrentIndex(3);
    QCOMPARE(toHex(m_owner.frames.last()),
             QStringLiteral("78 59 69 10 00 00 00 00 00 00 82 03 00 00 00 00 00 00 00 00 00 00 7A"));
}

void TestMasterPage::choosersWithoutRowKeepTheStoredByte()
{
    SMIDIConfigData c = pedaloldtest::image(1);
    c.PresetDisplay[1] = 0x85;         // no row in the second chooser
    c.SwitchData[0].Display[1] = 38;   // likewise
    c.SwitchData[3].Data1 = 0x90;      // no row in the data chooser
    open(c);
    QCOMPARE(ui->comboBox_ModeDis2->currentIndex(), -1);
    QCOMPARE(ui->comboBox_list1_2->currentIndex(), -1);
    QCOMPARE(ui->comboBox2_dataD->currentIndex(), -1);

    ui->comboBox_ModeDis1->setCurrentIndex(3);
    QCOMPARE(toHex(m_owner.frames.takeLast()).mid(18, 5), QStringLiteral("03 85"));
    ui->comboBox_list1->setCurrentIndex(4);
    QCOMPARE(toHex(m_owner.frames.takeLast()).mid(18, 11), QStringLiteral("04 26 00 00"));
    ui->comboBox2_channelD->setCurrentIndex(5);
    QCOMPARE(toHex(m_owner.frames.takeLast()).mid(45, 8), QStringLiteral("40 05 90"));
}

void TestMasterPage::customize1Switches()
{
    open(pedaloldtest::image(4));
    ui->pushButton_FSC_mode->click();
    QCOMPARE(ui->pushButton_FSC_mode->text(), QStringLiteral("Momentary"));
    QCOMPARE(toHex(m_owner.frames.last()), QStringLiteral("78 59 62 0C 00 00 10 00 00 20 00 00 31 00 00 40 00 00 5E"));
    ui->pushButton_FSC_mode->click();
    QCOMPARE(ui->pushButton_FSC_mode->text(), QStringLiteral("Latch"));
    QCOMPARE(uchar(m_owner.frames.last()[12]), uchar(0x30));
    ui->comboBox2_channelD->setCurrentIndex(3);
    ui->comboBox2_dataD->setCurrentIndex(9);
    QCOMPARE(toHex(m_owner.frames.last()), QStringLiteral("78 59 62 0C 00 00 10 00 00 20 00 00 30 00 00 40 03 09 53"));
    QCOMPARE(m_owner.frames.size(), 4);
}

void TestMasterPage::actionChange()
{
    open(richImage(5));
    QVERIFY(ui->checkBox_A->isChecked());
    ui->comboBox_C->setCurrentIndex(2); // "Down+Up" on switch C
    QVERIFY(ui->checkBox_C->isChecked());
    QCOMPARE(m_page->currentSwitch(), 2);
    QCOMPARE(int(m_page->config().SwitchData[2].Type), 3);
    QCOMPARE(m_owner.frames, QList<QByteArray>{hex("78 59 60 05 00 00 00 33 00 00 00 CC")});
    QCOMPARE(ui->stackedWidget_Group->currentIndex(), 0);
    QVERIFY(!ui->listWidget_A2->isHidden());

    // "Down" on A hides list 2 but keeps and sends its SysEx.
    ui->stackedWidget_2->setCurrentIndex(1);
    ui->comboBox_A->setCurrentIndex(0);
    QCOMPARE(m_owner.frames.last(), tavrotest::frameOf(CMD_SWITCH_DATA, hex("00 11 0F 01 04 00 90 3C 64 F0 41 10 F7")));
    QVERIFY(ui->listWidget_A2->isHidden());
    QCOMPARE(ui->stackedWidget_Group->currentIndex(), 1);
    QCOMPARE(ui->stackedWidget_2->currentIndex(), 0);
    QVERIFY(ui->pushButton_Group1->isChecked());
    ui->comboBox_A->setCurrentIndex(4);
    QCOMPARE(ui->label_list1->text(), QStringLiteral("Up"));
    QCOMPARE(ui->label_list2->text(), QStringLiteral("Long"));
    QCOMPARE(rows(ui->listWidget_A2), QStringList{"F0 41 10 F7 "});

    ui->pushButton_Group2->click();
    QCOMPARE(ui->stackedWidget_2->currentIndex(), 1);
    QVERIFY(!ui->pushButton_Group1->isChecked());
    ui->pushButton_Group2->click();
    QVERIFY(ui->pushButton_Group2->isChecked());
}

void TestMasterPage::monitor()
{
    open(pedaloldtest::image(1));
    QListWidget *list = ui->listWidget_show;
    const QByteArray sysex = hex("F0 01 F7 99");
    m_page->Slots_recv_sysex(tavrotest::u8(sysex), uint(sysex.size()));
    m_page->Slots_recv_sysex(tavrotest::u8(sysex), 2); // no F7: no row
    m_page->Slots_recv_midi(0x643C90);
    m_page->Slots_recv_midi(0x0AC5);
    m_page->Slots_recv_midi(0xF8);
    QTRY_COMPARE(rows(list), QStringList({"F0 01 F7 ", "90 3C 64", "C5 0A", "F8"}));
    QCOMPARE(list->item(0)->foreground().color(), QColor(255, 255, 142));
    QCOMPARE(list->item(1)->foreground().color(), midiStatusColour(0x90));

    // At most 499 rows, whichever road they come by.
    for (int i = 0; i < 510; ++i)
        m_page->Slots_recv_midi(0x07B0);
    m_page->monitor()->flush();
    QCOMPARE(list->count(), 499);
    m_page->Slots_recv_sysex(tavrotest::u8(sysex), uint(sysex.size()));
    m_page->monitor()->flush();
    QCOMPARE(list->count(), 499);
    QCOMPARE(list->item(498)->text(), QStringLiteral("F0 01 F7 "));
    ui->pushButton_DelText->click();
    QCOMPARE(list->count(), 0);
    QVERIFY(m_owner.frames.isEmpty());
}

void TestMasterPage::languageCloseAndEscapeSendNothing()
{
    open(richImage(5));
    g_language = 1;
    m_page->Slots_change_language();
    QCOMPARE(ui->comboBox_preset->itemText(4), QStringLiteral("自定义模式2"));
    QCOMPARE(ui->label_list1->text(), QStringLiteral("踩下"));
    QCOMPARE(ui->comboBox_list1->currentIndex(), 11);
    g_language = 0;
    m_page->Slots_change_language();
    QCOMPARE(ui->label_list2->text(), QStringLiteral("Up"));
    QVERIFY(m_owner.frames.isEmpty());

    m_page->show();
    QTest::keyClick(m_page, Qt::Key_Escape);
    QCOMPARE(m_owner.backCalls, 1);
    m_page->show();
    m_page->close();
    QCOMPARE(m_owner.backCalls, 2);
    QVERIFY(m_owner.frames.isEmpty());
}

void TestMasterPage::factoryResetAsks()
{
    open(pedaloldtest::image(1));
    m_page->show();
    auto answer = [this](QMessageBox::StandardButton button) {
        ui->pushButton_Reset->click();
        QMessageBox *box = m_page->findChild<QMessageBox *>();
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("restore factory setting"));
        if (button == QMessageBox::NoButton)
            box->close();
        else
            box->button(button)->click();
        QTRY_VERIFY(!m_page->findChild<QMessageBox *>());
    };
    answer(QMessageBox::No);
    answer(QMessageBox::NoButton);
    QVERIFY(m_owner.frames.isEmpty());
    answer(QMessageBox::Yes);
    // The pedal answers nothing: its reset image is polled for a second later.
    QCOMPARE(m_owner.frames, QList<QByteArray>{hex("78 59 70 02 00 00 78 59 2E")});
    QTRY_COMPARE(m_owner.frames.size(), 2);
    QCOMPARE(m_owner.frames.last(), hex("78 59 66 00 00 00 FF"));
}

TAVRO_TEST_MAIN(TestMasterPage)
#include "test_masterpage.moc"
