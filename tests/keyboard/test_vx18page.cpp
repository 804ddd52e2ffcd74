// The keyboard page and its per-control dialog driven offscreen: frames from
// the device go in through the page's handler, the frames it sends are
// recorded by its owner and compared byte for byte.
#include "devices/keyboard/cdlgvx18.h"
#include "devices/keyboard/cvx18child.h"
#include "ui_cdlgvx18.h"
#include "ui_cvx18child.h"

#include "bytes.h"
#include "globals.h"
#include "padtest.h"
#include "switchbutton.h"
#include "testmain.h"

#include <QGridLayout>
#include <QListWidget>
#include <QSignalSpy>
#include <QTimer>
#include <QMessageBox>
#include <QTranslator>

using namespace tavrotest;
using namespace vx18;

namespace {

QByteArray keyboardRecord(uchar preset = 0)
{
    QByteArray r(30, 0);
    r[0] = char(120);
    r[4] = char(preset);
    r[8] = 50;
    r[9] = 50;
    r[11] = 15;
    for (int i = 12; i < 20; ++i)
        r[i] = 45;
    r[20] = 127;
    return r;
}

QByteArray blockBytes(const SVX18ConfigData &b)
{
    return QByteArray(reinterpret_cast<const char *>(&b), int(sizeof b));
}

struct Page
{
    RecordingOwner owner;
    CDlgVX18 *page = nullptr;
    Page()
    {
        g_downloadLink = QStringLiteral("vx18");
        g_firmwareVersion = 3;
        if (!g_translator)
            g_translator = new QTranslator(qApp);
        page = new CDlgVX18(&owner);
        page->Slots_change_language();
    }
    ~Page() { delete page; }
    Page(const Page &) = delete;
    void receive(const QByteArray &f) { page->Slots_recv_frame(u8(f), uint(f.size())); }
    // The record, then the block, as the device answers.
    void connect(const SVX18ConfigData &block, uchar preset = 0)
    {
        receive(frame(CMD_SYSTEM_CONFIG, keyboardRecord(preset)));
        receive(frame(CMD_READ_PRESET, QByteArray(1, char(preset)) + blockBytes(block)));
        owner.frames.clear();
    }
    CVX18Child *dialog() const { return page->childDialog(); }
};

SVX18ConfigData emptyBlock()
{
    SVX18ConfigData b;
    std::memset(&b, 0, sizeof b);
    b.CRC = 1;
    return b;
}

} // namespace

class TestVx18Page : public QObject
{
    Q_OBJECT
private slots:
    void formAndTitle();
    void bankChangeClosesTheDialogOfTheOldBank();
    void knobOk();
    void padCustomizeWritesPoolKeysPads();
    void buttonPressAndLong();
    void keybedDialog();
    void slideExpression();
    void dialogChecksRefuse();
    void presetSwitch();
    void resetRequestsPresetsAndDropsWithPage();
};

void TestVx18Page::formAndTitle()
{
    Page p;
    Ui_CDlgVX18 *ui = p.page->form();
    QCOMPARE(p.page->objectName(), QStringLiteral("CDlgVX18"));
    QCOMPARE(ui->comboBox_delay->count(), 146);
    QCOMPARE(ui->comboBox_tempo->count(), 271);
    QCOMPARE(ui->comboBox_gate->itemText(98), QStringLiteral("99%"));
    QCOMPARE(ui->comboBox_swing->count(), 26);
    QVERIFY(ui->key_4->isHidden());
    int row = -1, col = -1, rs = 0, cs = 0;
    ui->gridLayout->getItemPosition(ui->gridLayout->indexOf(p.page->findChild<QPushButton *>("pad5")), &row, &col,
                                    &rs, &cs);
    QCOMPARE(QPoint(col, row), QPoint(0, 0));
    QCOMPARE(p.page->windowTitle(), QStringLiteral("Dialog"));
    SVX18ConfigData b = emptyBlock();
    b.PadData[0][0] = SControlRecord{0x09, 36, 1, 127};
    b.PadData[0][1] = SControlRecord{0xC0, 0, 0, 0};
    p.connect(b);
    QCOMPARE(p.page->windowTitle(), QStringLiteral("vx18 Connected V3"));
    QCOMPARE(p.page->findChild<QPushButton *>("pad1")->text(), QStringLiteral("Note\nCH:9\ndata1:36\nrange:1-127"));
    QCOMPARE(p.page->findChild<QPushButton *>("pad2")->text(), QStringLiteral("MCP-Customize"));
}

void TestVx18Page::bankChangeClosesTheDialogOfTheOldBank()
{
    Page p;
    p.connect(emptyBlock());
    p.page->form()->pushButton_data->click();
    p.page->findChild<QPushButton *>("pad1")->click();
    QVERIFY(p.dialog());
    p.page->form()->comboBox_KnobBank->setCurrentIndex(1); // not the pad's bank
    QVERIFY(p.dialog());
    p.page->form()->comboBox_PadBank->setCurrentIndex(2);
    QTRY_VERIFY(!p.dialog()); // the pad dialog edited bank 0
    p.page->findChild<QPushButton *>("knob_1")->click();
    p.receive(frame(CMD_READ_PRESET, QByteArray(1, 0) + blockBytes(emptyBlock())));
    QTRY_VERIFY(!p.dialog()); // the block it edited was replaced
}

void TestVx18Page::knobOk()
{
    Page p;
    p.connect(emptyBlock());
    p.page->findChild<QPushButton *>("knob_2")->click();
    Ui_CVX18Child *ui = p.dialog()->form();
    QCOMPARE(p.dialog()->windowTitle(), QStringLiteral("Setting Knob 2"));
    ui->comboBox_type->setCurrentIndex(0);
    ui->comboBox_channel->setCurrentIndex(2);
    ui->comboBox_data1->setCurrentIndex(74);
    ui->comboBox_data2->setCurrentIndex(127);
    ui->comboBox_data3->setCurrentIndex(0);
    ui->comboBox_data4->setCurrentIndex(2);
    ui->pushButton_ok->click();
    QCOMPARE(p.owner.frames.size(), 1);
    QCOMPARE(toHex(p.owner.frames[0].mid(6 + 1 + 5, 5)), toHex(hex("02 4A 00 7F 02")));
    QCOMPARE(uchar(p.owner.frames[0][2]), uchar(CMD_WRITE_KNOBS));
    QVERIFY(p.page->model().hasUnsavedChanges());
}

void TestVx18Page::padCustomizeWritesPoolKeysPads()
{
    Page p;
    SVX18ConfigData b = emptyBlock();
    b.PadData[1][0] = SControlRecord{0x40, 0, 0, 2}; // bank 1 holds the pool's first message
    std::memcpy(b.SysexPool, "\xF0\xF7", 2);
    p.connect(b);
    p.page->findChild<QPushButton *>("pad3")->click();
    Ui_CVX18Child *ui = p.dialog()->form();
    ui->comboBox_type->setCurrentIndex(4);
    ui->textEdit_Customize->setPlainText(QStringLiteral("f0 7e 7f 06 01 f7"));
    ui->pushButton_ok->click();
    QCOMPARE(p.owner.frames.size(), 4);
    QCOMPARE(toHex(p.owner.frames[0]), toHex(hex("78 59 59 0A 00 00 08 00 F0 7E 7F 06 01 F7 F0 F7 25")));
    QCOMPARE(uchar(p.owner.frames[1][2]), uchar(CMD_WRITE_KEYS));
    QCOMPARE(toHex(p.owner.frames[2].mid(6, 1) + p.owner.frames[2].mid(6 + 1 + 8, 4)), toHex(hex("00 40 00 00 06")));
    // Bank 1's message moved behind the new one: that bank is written too.
    QCOMPARE(toHex(p.owner.frames[3].mid(6, 5)), toHex(hex("01 40 06 00 02")));
    QCOMPARE(p.page->findChild<QPushButton *>("pad3")->text(), QStringLiteral("Customize"));
}

void TestVx18Page::buttonPressAndLong()
{
    Page p;
    p.connect(emptyBlock());
    p.page->findChild<QPushButton *>("key_1")->click();
    Ui_CVX18Child *ui = p.dialog()->form();
    ui->comboBox_type->setCurrentIndex(1);
    ui->comboBox_data1->setCurrentIndex(20);
    ui->pushButton_long->click();
    QCOMPARE(ui->comboBox_type->itemText(5), QStringLiteral("None"));
    ui->comboBox_type->setCurrentIndex(3);
    ui->comboBox_data1->setCurrentIndex(5);
    ui->pushButton_CH3->setChecked(true);
    ui->pushButton_ok->click();
    const SVX18ConfigData &c = p.page->model().config();
    QCOMPARE(int(c.KeyData[0].ctrl), 0x90); // press: CC Toggle, bit 7 set from Long
    QCOMPARE(int(c.KeyData[0].data1), 20);
    QCOMPARE(int(c.KeyLongData[0].ctrl), 0xB0);
    QCOMPARE(int(c.KeyLongData[0].data1), 5);
    QCOMPARE(uchar(p.owner.frames.last()[2]), uchar(CMD_WRITE_KEYS));
    // Opens on the page of the last OK.
    p.page->findChild<QPushButton *>("key_1")->click();
    QVERIFY(p.dialog()->isLongPage());
    QCOMPARE(p.dialog()->form()->comboBox_type->currentIndex(), 3);
}

void TestVx18Page::keybedDialog()
{
    Page p;
    SVX18ConfigData b = emptyBlock();
    b.KBCh = 20; // no entry in the list: kept by OK
    p.connect(b);
    p.page->form()->pushButton_keybed->click();
    QCOMPARE(toHex(p.owner.frames.value(0)), toHex(hex("78 59 22 00 00 00 FF")));
    QByteArray keybed = hex("00 00 00 00 7F") + QByteArray(25, 0x3C);
    p.receive(frame(CMD_READ_KEYBED, keybed));
    Ui_CVX18Child *ui = p.dialog()->form();
    QCOMPARE(p.dialog()->windowTitle(), QStringLiteral("Keybed Setting "));
    QCOMPARE(ui->comboBox_KBMax->currentIndex(), 127);
    ui->comboBox_XPose->setCurrentIndex(0);
    ui->comboBox_Oct->setCurrentIndex(6);
    auto *key25 = p.dialog()->findChild<switchbutton *>("widget_key_25");
    key25->setChecked(true, false);
    ui->pushButton_ok->click();
    QCOMPARE(toHex(p.owner.frames.last()),
             toHex(frame(CMD_WRITE_KEYBED, hex("00 F4 03 00 7F") + QByteArray(24, 0x3C) + hex("BC"))));
    QCOMPARE(int(p.page->model().config().CRC), 1);
}

void TestVx18Page::slideExpression()
{
    Page p;
    p.connect(emptyBlock());
    p.page->form()->pushButton_pitch->click();
    Ui_CVX18Child *ui = p.dialog()->form();
    QCOMPARE(p.dialog()->windowTitle(), QStringLiteral("Slide/Pedal Setting "));
    QVERIFY(!ui->widget_ModAdvance->isHidden()); // modulation CC 0 is not the default
    ui->comboBox_PedalType->setCurrentIndex(1);
    ui->comboBox_PedalType->setCurrentIndex(0);
    QCOMPARE(ui->comboBox_PedalCC->currentIndex(), 64);
    QCOMPARE(ui->label_12->text(), QStringLiteral("Up"));
    ui->comboBox_PedalType->setCurrentIndex(1);
    ui->comboBox_PedalMin->setCurrentIndex(0);
    ui->comboBox_PedalMax->setCurrentIndex(0);
    ui->pushButton_ok->click();
    QCOMPARE(toHex(p.owner.frames.last()), toHex(hex("78 59 20 0A 00 00 00 00 00 00 00 01 00 0B 00 00 F3")));
}

void TestVx18Page::dialogChecksRefuse()
{
    Page p;
    p.connect(emptyBlock());
    p.page->findChild<QPushButton *>("knob_1")->click();
    Ui_CVX18Child *ui = p.dialog()->form();
    ui->comboBox_data2->setCurrentIndex(64);
    ui->comboBox_data3->setCurrentIndex(64);
    ui->pushButton_ok->click();
    QVERIFY(p.owner.frames.isEmpty());
    QVERIFY(toastTexts(p.dialog()).contains(QStringLiteral("The maximum value and the minimum value cannot be equal.")));

    // A refused text changes nothing.
    p.page->findChild<QPushButton *>("pad1")->click();
    ui = p.dialog()->form();
    ui->comboBox_type->setCurrentIndex(4);
    ui->textEdit_Customize->setPlainText(QStringLiteral("0xF0 0x7E"));
    ui->pushButton_ok->click();
    QVERIFY(p.owner.frames.isEmpty());
    QCOMPARE(int(p.page->model().config().PadData[0][0].ctrl), 0);
    ui->textEdit_Customize->setPlainText(QString(81, QLatin1Char('1')));
    ui->pushButton_ok->click();
    QVERIFY(p.owner.frames.isEmpty());
}

namespace {
QMessageBox *openQuestion(QWidget *parent)
{
    QMessageBox *box = nullptr;
    auto visible = [&] {
        for (QMessageBox *b : parent->findChildren<QMessageBox *>()) {
            if (b->isVisible())
                box = b;
        }
        return box != nullptr;
    };
    [&] { QTRY_VERIFY(visible()); }();
    return box;
}
} // namespace

void TestVx18Page::presetSwitch()
{
    Page p;
    p.connect(emptyBlock());
    p.page->form()->comboBox_Preset->setCurrentIndex(2);
    QCOMPARE(p.owner.frames.size(), 2);
    QCOMPARE(toHex(p.owner.frames[0]), toHex(hex("78 59 67 01 00 00 02 FD")));
    QCOMPARE(int(p.owner.frames[1][6 + 4]), 2);
    p.receive(frame(CMD_SYSTEM_CONFIG, keyboardRecord(2))); // the device's echo

    // Unsaved: asked first; Escape sends nothing and records apply again.
    p.page->model().setUnsavedChanges(true);
    p.owner.frames.clear();
    p.page->form()->comboBox_Preset->setCurrentIndex(4);
    QMessageBox *box = openQuestion(p.page);
    QVERIFY(p.owner.frames.isEmpty());
    box->reject();
    QTRY_COMPARE(p.page->form()->comboBox_Preset->currentIndex(), 2);
    QVERIFY(!p.page->model().isLoadingPreset());
    QVERIFY(p.owner.frames.isEmpty());
    QByteArray rec = keyboardRecord(2);
    rec[0] = char(125);
    p.receive(frame(CMD_SYSTEM_CONFIG, rec));
    QCOMPARE(p.page->form()->comboBox_tempo->currentIndex(), 95);

    // Yes saves first.
    p.page->form()->comboBox_Preset->setCurrentIndex(5);
    openQuestion(p.page)->button(QMessageBox::Yes)->click();
    QTRY_COMPARE(p.owner.frames.size(), 3);
    QCOMPARE(toHex(p.owner.frames[0]), toHex(hex("78 59 68 00 00 00 FF")));
    QCOMPARE(toHex(p.owner.frames[1]), toHex(hex("78 59 67 01 00 00 05 FA")));
}

void TestVx18Page::resetRequestsPresetsAndDropsWithPage()
{
    auto p = std::make_unique<Page>();
    p->connect(emptyBlock());
    p->page->form()->pushButton_Reset->click();
    openQuestion(p->page)->button(QMessageBox::Yes)->click();
    QTRY_COMPARE(p->owner.frames.size(), 2);
    QCOMPARE(toHex(p->owner.frames[0]), toHex(hex("78 59 70 02 00 00 78 59 2E")));
    QCOMPARE(toHex(p->owner.frames[1]), toHex(hex("78 59 67 01 00 00 00 FF")));
    p->receive(frame(CMD_FACTORY_RESET, hex("01")));
    QCOMPARE(p->owner.frames.size(), 3);
    QVERIFY(toastTexts(p->page).contains(QStringLiteral("Restore factory data successful")));

    // Closed within the delay: the delayed request has no page and is dropped.
    p->page->form()->pushButton_Reset->click();
    openQuestion(p->page)->button(QMessageBox::Yes)->click();
    QTRY_COMPARE(p->owner.frames.size(), 4);
    delete p->page;
    p->page = nullptr;
    // A timer started after the delayed request marks the end of the road:
    // when it fires, the request's time has passed without a page to send.
    QTimer later;
    later.setSingleShot(true);
    QSignalSpy done(&later, &QTimer::timeout);
    later.start(300);
    QVERIFY(done.wait(2000));
}

TAVRO_TEST_MAIN(TestVx18Page)
#include "test_vx18page.moc"
