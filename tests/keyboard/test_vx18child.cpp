// The keyboard's per-control dialog driven offscreen on a page fed through a
// recording owner: what OK stores and refuses, the SysEx text rules, the type
// pages and lists, the colour preview, the "To all" actions, the keybed with
// its key switches, and the slide and pedal page.
#include "ui_cdlgvx18.h"
#include "ui_cvx18child.h"

#include "bytes.h"
#include "colorpicker.h"
#include "midinames.h"
#include "switchbutton.h"
#include "testmain.h"
#include "touchcombobox.h"
#include "vx18test.h"

#include <QMessageBox>
#include <QStackedWidget>

using namespace tavrotest;
using namespace vx18;
using namespace vx18test;

namespace {

QByteArray recordBytes(const void *record, int n)
{
    return QByteArray(static_cast<const char *>(record), n);
}

// The record a control's dialog edits: "knob_1", "pad1", "key_1" (bank 0).
uchar *recordOf(SVX18ConfigData &b, const QString &control)
{
    if (control.startsWith(QLatin1String("knob_")))
        return &b.KnobData[0][control.mid(5).toInt() - 1].ctrl;
    if (control.startsWith(QLatin1String("pad")))
        return &b.PadData[0][control.mid(3).toInt() - 1].ctrl;
    return &b.KeyData[control.mid(4).toInt() - 1].ctrl;
}

// "type=0 channel=16 data4=4 ch3=1" applied to the dialog's form.
void applyEdits(Ui_CVX18Child *ui, const QString &edits)
{
    for (const QString &edit : edits.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString name = edit.section(QLatin1Char('='), 0, 0);
        const int value = edit.section(QLatin1Char('='), 1).toInt();
        if (name == QLatin1String("ch3"))
            ui->pushButton_CH3->setChecked(value != 0);
        else
            ui->stackedWidget_main->findChild<QComboBox *>(QStringLiteral("comboBox_") + name)->setCurrentIndex(value);
    }
}

// Answers the dialog's open "Set All" question.
void answerYes(QWidget *dialog)
{
    QMessageBox *box = nullptr;
    QVERIFY(QTest::qWaitFor([&] { return (box = dialog->findChild<QMessageBox *>()) != nullptr; }, 2000));
    QCOMPARE(box->windowTitle(), QStringLiteral("Set All"));
    box->done(QMessageBox::Yes);
    QTRY_VERIFY(!dialog->findChild<QMessageBox *>());
}

QString labels(Ui_CVX18Child *ui)
{
    QStringList out;
    for (QLabel *l : {ui->label_data1, ui->label_data2, ui->label_data3})
        out << (l->isVisibleTo(ui->stackedWidget_main) ? l->text() : QStringLiteral("-"));
    return out.join(QLatin1Char('|'));
}

} // namespace

class TestVx18Child : public QObject
{
    Q_OBJECT
private slots:
    void init() { g_language = 0; }
    void okStores_data();
    void okStores();
    void sysexTexts_data();
    void sysexTexts();
    void typePages_data();
    void typePages();
    void buttonOpensOnItsLastPage();
    void okOnAPageWithoutAType();
    void colourPreviewAndCancel();
    void toAllActions();
    void keybed();
    void slideAndPedal();
    void pedalTypes();
};

// OK on a knob, pad or button: the record it stores and the section it
// sends, or the refusal that stores and sends nothing.
void TestVx18Child::okStores_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<QString>("edits");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("command"); // 0: nothing sent
    QTest::addColumn<QString>("toast");
    QTest::newRow("knob, keybed channel, fastest") << "knob_1" << hex("00 01 00 7F 02") << "channel=16 data4=4"
                                                   << hex("00 01 00 7F 0C") << int(CMD_WRITE_KNOBS) << "";
    QTest::newRow("knob keeps its order: min, max") << "knob_1" << hex("00 01 00 7F 02") << "data2=100 data3=20"
                                                    << hex("00 01 14 64 02") << int(CMD_WRITE_KNOBS) << "";
    QTest::newRow("knob equal values") << "knob_1" << hex("00 01 40 40 02") << "" << hex("00 01 40 40 02") << 0
                                       << "The maximum value and the minimum value cannot be equal.";
    QTest::newRow("Relative stores its speed") << "knob_1" << hex("20 01 40 10 F2") << "data4=4"
                                               << hex("20 01 40 10 F4") << int(CMD_WRITE_KNOBS) << "";
    QTest::newRow("MCP-Note keeps bit 7") << "knob_1" << hex("B0 3C 00 7F 02") << "ch3=0" << hex("B0 3C 00 7F 02")
                                          << int(CMD_WRITE_KNOBS) << "";
    QTest::newRow("knob keeps a byte no row shows") << "knob_1" << hex("00 C8 00 7F 02") << ""
                                                    << hex("00 C8 00 7F 02") << int(CMD_WRITE_KNOBS) << "";
    QTest::newRow("knob in a mode without entry") << "knob_1" << hex("40 01 02 03 04") << "data1=9"
                                                  << hex("40 01 02 03 04") << 0 << "";
    QTest::newRow("pad Note accepts equal values") << "pad1" << hex("00 24 00 7F") << "data2=64 data3=64"
                                                   << hex("00 24 40 40") << int(CMD_WRITE_PADS) << "";
    QTest::newRow("pad Program Change: bytes 3, 1, 2") << "pad1" << hex("33 01 02 05") << "data1=6"
                                                       << hex("33 01 02 06") << int(CMD_WRITE_PADS) << "";
    QTest::newRow("pad Program Change keeps bytes no row shows") << "pad1" << hex("33 C8 C9 05") << ""
                                                                 << hex("33 C8 C9 05") << int(CMD_WRITE_PADS) << "";
    QTest::newRow("pad in a mode without entry") << "pad1" << hex("53 01 02 03") << "" << hex("53 01 02 03") << 0
                                                 << "";
    QTest::newRow("button CC on channel 4") << "key_1" << hex("00 40 7F 00 00") << "channel=4 data2=1"
                                            << hex("04 40 01 00 00") << int(CMD_WRITE_KEYS) << "";
}

void TestVx18Child::okStores()
{
    QFETCH(QString, control);
    QFETCH(QByteArray, stored);
    QFETCH(QString, edits);
    QFETCH(QByteArray, expected);
    QFETCH(int, command);
    QFETCH(QString, toast);
    SVX18ConfigData b = zeroBlock();
    std::memcpy(recordOf(b, control), stored.constData(), size_t(stored.size()));
    Page p(b);
    CVX18Child *dlg = p.open(control);
    applyEdits(dlg->form(), edits);
    dlg->form()->pushButton_ok->click();
    QCOMPARE(toHex(recordBytes(recordOf(p.block(), control), expected.size())), toHex(expected));
    if (command) {
        QCOMPARE(p.owner.frames.size(), 1);
        QCOMPARE(int(uchar(p.owner.frames[0][2])), command);
        QVERIFY(!p.dialog()->isVisible());
    } else {
        QVERIFY(p.owner.frames.isEmpty());
    }
    if (!toast.isEmpty()) {
        QVERIFY(toastTexts(dlg).contains(toast));
        QVERIFY(dlg->isVisible());
    }
}

// The text of a pad's message: bytes either way of writing, and the refusals
// (in the English catalogue's words), which change nothing. Pads 1..7 of bank 3 hold 40 bytes each, pad 1 of
// bank 0 holds 10: 290 bytes in the pool, until pads of bank 3 are set to Note.
void TestVx18Child::sysexTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("stored"); // empty: refused
    QTest::addColumn<QString>("toast");
    QTest::addColumn<int>("padsToNote");
    const QString twenty = QStringLiteral("F0") + QStringLiteral(" 01").repeated(18) + QStringLiteral(" F7");
    const QString twentyOne = QStringLiteral("F0") + QStringLiteral(" 01").repeated(19) + QStringLiteral(" F7");
    QTest::newRow("upper case with blanks") << "F0 7E 7F 06 01 F7" << hex("F0 7E 7F 06 01 F7") << "" << 0;
    QTest::newRow("lower case without") << "f07e7f0601f7" << hex("F0 7E 7F 06 01 F7") << "" << 0;
    QTest::newRow("0x prefixes") << "0xF0 0x7E" << QByteArray() << "The customize message format is err" << 0;
    QTest::newRow("81 digits") << QString(81, QLatin1Char('1')) << QByteArray()
                               << "Customize data maximum length is 40" << 0;
    QTest::newRow("20 replace 10: 300 in all") << twenty << hex(twenty.toLatin1().constData()) << "" << 0;
    QTest::newRow("21 replace 10: 301") << twentyOne << QByteArray()
                                        << "The customize data has reached its maximum capacity of 300 bytes." << 0;
    QTest::newRow("21 after a pad left Customize") << twentyOne << hex(twentyOne.toLatin1().constData()) << "" << 1;
}

void TestVx18Child::sysexTexts()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, stored);
    QFETCH(QString, toast);
    QFETCH(int, padsToNote);
    SVX18ConfigData b = zeroBlock();
    b.PadData[0][0] = SControlRecord{0x40, 0, 0, 10};
    std::memset(b.SysexPool, 0x01, 10);
    for (uint p = 0; p < 7; ++p) {
        b.PadData[3][p] = SControlRecord{0x40, 0, 0, 40};
        std::memset(b.SysexPool + 10 + 40 * p, 0x02, 40);
    }
    Page p(b);
    QCOMPARE(int(p.page.model().sysex().poolFill), 290);
    for (int pad = 0; pad < padsToNote; ++pad) // as the pad's OK leaves it; the pool is packed later
        p.block().PadData[3][pad] = SControlRecord{0x00, 36, 0, 127};
    CVX18Child *dlg = p.open("pad1");
    QCOMPARE(dlg->form()->textEdit_Customize->toPlainText(), QStringLiteral("01 ").repeated(10));
    dlg->form()->textEdit_Customize->setPlainText(text);
    dlg->form()->pushButton_ok->click();
    if (stored.isEmpty()) {
        QVERIFY(toastTexts(dlg).contains(toast));
        QVERIFY(p.owner.frames.isEmpty());
        QCOMPARE(toHex(recordBytes(&p.block().PadData[0][0], 4)), toHex(hex("40 00 00 0A")));
        QCOMPARE(toHex(recordBytes(p.page.model().sysex().padText[0][0], 10)), toHex(QByteArray(10, 0x01)));
        return;
    }
    QCOMPARE(toHex(recordBytes(p.block().SysexPool, stored.size())), toHex(stored));
    QCOMPARE(int(p.block().PadData[0][0].value2), stored.size());
    QCOMPARE(uchar(p.owner.frames.value(0).mid(2, 1).toHex().toUInt(nullptr, 16)), uchar(CMD_WRITE_SYSEX_POOL));
}

// What each type shows: the value rows' labels ("-": hidden), the first entry
// of the data1 list, the MCP button, and the page of stackedWidget_2.
void TestVx18Child::typePages_data()
{
    QTest::addColumn<QString>("control"); // "key_1/long": the button's Long page
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<QString>("firstEntry");
    QTest::addColumn<bool>("mcp");
    QTest::addColumn<int>("page");
    const QString number = QStringLiteral("0");
    QTest::newRow("knob CC") << "knob_1" << 0 << 0 << "Data1|Min|Max" << number << true << 0;
    QTest::newRow("knob Channel Pressure") << "knob_1" << 1 << 0 << "-|Min|Max" << number << true << 0;
    QTest::newRow("knob Relative") << "knob_1" << 2 << 0 << "Data1|Left / Right|Left / Right" << number << true << 0;
    QTest::newRow("knob MCP-Note") << "knob_1" << 3 << 0 << "Data1|Min|Max" << number << false << 0;
    QTest::newRow("pad Note") << "pad1" << 0 << 0 << "Note|Min|Max" << g_noteNames.value(0) << true << 0;
    QTest::newRow("pad CC Toggle") << "pad1" << 1 << 0 << "CC|Value1|Value2" << g_ccNames.value(0) << true << 0;
    QTest::newRow("pad CC Momentary") << "pad1" << 2 << 0 << "CC|Down|Up" << g_ccNames.value(0) << true << 0;
    QTest::newRow("pad Program Change") << "pad1" << 3 << 3 << "Program|Bank MSB|Bank LSB"
                                        << g_gmProgramNames.value(0) << true << 0;
    QTest::newRow("pad Program Change, drums") << "pad1" << 3 << 9 << "Program|Bank MSB|Bank LSB"
                                               << g_gmDrumNames.value(0) << true << 0;
    QTest::newRow("pad Customize") << "pad1" << 4 << 0 << "CC|Min|Max" << g_noteNames.value(0) << true << 1;
    QTest::newRow("button CC") << "key_1" << 0 << 0 << "CC|data2|-" << g_ccNames.value(0) << true << 0;
    QTest::newRow("button CC Momentary") << "key_1" << 2 << 0 << "CC|Up|Down" << g_ccNames.value(0) << true << 0;
    QTest::newRow("button MMC") << "key_1" << 4 << 0 << "CC|data2|-" << g_ccNames.value(0) << true << 2;
    QTest::newRow("button Customize") << "key_1" << 5 << 0 << "CC|data2|-" << g_ccNames.value(0) << true << 1;
    QTest::newRow("long Customize") << "key_1/long" << 4 << 0 << "CC|data2|-" << g_ccNames.value(0) << true << 1;
    QTest::newRow("long None") << "key_1/long" << 5 << 0 << "CC|data2|-" << g_ccNames.value(0) << true << 2;
}

void TestVx18Child::typePages()
{
    QFETCH(QString, control);
    QFETCH(int, type);
    QFETCH(int, channel);
    QFETCH(QString, labels);
    QFETCH(QString, firstEntry);
    QFETCH(bool, mcp);
    QFETCH(int, page);
    Page p;
    CVX18Child *dlg = p.open(control.section(QLatin1Char('/'), 0, 0));
    Ui_CVX18Child *ui = dlg->form();
    if (control.endsWith(QLatin1String("/long")))
        ui->pushButton_long->click();
    ui->comboBox_type->setCurrentIndex(type);
    ui->comboBox_channel->setCurrentIndex(channel);
    QCOMPARE(ui->comboBox_channel->count(), control.startsWith(QLatin1String("pad")) ? 16 : 17);
    if (page == 0)
        QCOMPARE(::labels(ui), labels);
    QCOMPARE(ui->comboBox_data1->itemText(0), firstEntry);
    QCOMPARE(ui->pushButton_CH3->isVisibleTo(dlg), mcp);
    QCOMPARE(ui->stackedWidget_2->currentIndex(), page);
}

// A button opens on the page of its last OK, and its Long record shows.
void TestVx18Child::buttonOpensOnItsLastPage()
{
    Page p;
    p.block().KeyLongData[2] = SKnobRecord{0x60, 0, 0, 0, 0}; // None
    CVX18Child *dlg = p.open("key_3");
    dlg->form()->pushButton_long->click();
    dlg->form()->pushButton_ok->click();
    dlg = p.open("key_3");
    QVERIFY(dlg->isLongPage());
    QCOMPARE(dlg->form()->comboBox_type->currentText(), QStringLiteral("None"));
    QVERIFY(p.open("key_2") && !p.dialog()->isLongPage());
}

// A colour picked in the chooser goes to the device at once; Cancel puts
// the old colour back and sends it again.
// OK on a button page that shows no type (a Long record in MMC, which the Long
// list lacks): that record keeps its bytes, and the edits of the Press page
// are stored and sent.
void TestVx18Child::okOnAPageWithoutAType()
{
    SVX18ConfigData b = zeroBlock();
    b.KeyData[0] = SKnobRecord{0x00, 0x40, 0x7F, 0, 0};
    b.KeyLongData[0] = SKnobRecord{0x44, 1, 2, 3, 0};
    Page p(b);
    CVX18Child *dlg = p.open(QStringLiteral("key_1"));
    applyEdits(dlg->form(), QStringLiteral("channel=4 data2=1"));
    dlg->form()->pushButton_long->click();
    QCOMPARE(dlg->form()->comboBox_type->currentIndex(), -1);
    dlg->form()->pushButton_ok->click();
    QCOMPARE(toHex(recordBytes(&p.block().KeyData[0], 5)), QStringLiteral("04 40 01 00 00"));
    QCOMPARE(toHex(recordBytes(&p.block().KeyLongData[0], 5)), QStringLiteral("44 01 02 03 00"));
    QCOMPARE(p.owner.sent(CMD_WRITE_KEYS).size(), 1);
}

void TestVx18Child::colourPreviewAndCancel()
{
    SVX18ConfigData b = zeroBlock();
    b.PadRGB[0][2] = SColourGRB::fromRgb(10, 20, 30);
    Page p(b);
    CVX18Child *dlg = p.open("pad3");
    dlg->form()->pushButton_color->click();
    auto *picker = dlg->findChild<ColorPicker *>();
    QVERIFY(picker);
    emit picker->colorChanged(QColor(200, 100, 50));
    QCOMPARE(p.block().PadRGB[0][2], SColourGRB::fromRgb(200, 100, 50));
    QCOMPARE(p.owner.frames.size(), 1);
    QCOMPARE(toHex(p.owner.frames[0].mid(6, 1) + p.owner.frames[0].mid(6 + 1 + 6, 3)), toHex(hex("02 64 C8 32")));
    QVERIFY(dlg->form()->pushButton_color->styleSheet().contains(QStringLiteral("rgb(200, 100, 50)")));
    picker->findChild<QPushButton *>(QStringLiteral("btn_Cancel"))->click();
    QTRY_COMPARE(p.owner.frames.size(), 2);
    QCOMPARE(p.block().PadRGB[0][2], SColourGRB::fromRgb(10, 20, 30));
    QCOMPARE(toHex(p.owner.frames[1].mid(6 + 1 + 6, 3)), toHex(hex("14 0A 1E")));
    // Previews and their restore are nothing to save; a confirmed colour is.
    QVERIFY(!p.page.model().hasUnsavedChanges());
    QTRY_VERIFY(!dlg->findChild<ColorPicker *>());
    dlg->form()->pushButton_color->click();
    picker = dlg->findChild<ColorPicker *>();
    picker->setCurrentColor(QColor(200, 100, 50));
    picker->findChild<QPushButton *>(QStringLiteral("btn_Confirm"))->click();
    QTRY_VERIFY(!dlg->findChild<ColorPicker *>());
    QVERIFY(p.page.model().hasUnsavedChanges());
}

// The three "To all" actions after Yes.
void TestVx18Child::toAllActions()
{
    SVX18ConfigData b = zeroBlock();
    b.PadRGB[0][2] = SColourGRB::fromRgb(1, 2, 3);
    b.PadData[0][7] = SControlRecord{0x40, 0, 0, 0}; // Customize: left alone
    b.KnobData[0][5].ctrl = 0x13;
    Page p(b);
    CVX18Child *dlg = p.open("pad3");
    dlg->form()->pushButton_setColor->click();
    answerYes(dlg);
    for (const SColourGRB &c : p.block().PadRGB[0])
        QCOMPARE(c, SColourGRB::fromRgb(1, 2, 3));
    QCOMPARE(int(uchar(p.owner.frames.value(0).mid(6, 1).toHex().toUInt(nullptr, 16))), 0xFF);
    QVERIFY(p.page.model().hasUnsavedChanges());

    dlg->form()->comboBox_type->setCurrentIndex(0);
    dlg->form()->comboBox_data1->setCurrentIndex(60);
    dlg->form()->pushButton_setData1->click();
    answerYes(dlg);
    QByteArray data1;
    for (const SControlRecord &r : p.block().PadData[0])
        data1.append(char(r.data1));
    QCOMPARE(toHex(data1), toHex(hex("3A 3B 3C 3D 3E 3F 40 00")));
    dlg->form()->comboBox_channel->setCurrentIndex(5);
    dlg->form()->pushButton_setCH->click();
    answerYes(dlg);
    QCOMPARE(int(p.block().PadData[0][0].ctrl), 0x05);
    QCOMPARE(int(p.block().PadData[0][7].ctrl), 0x40);

    p.owner.frames.clear();
    dlg = p.open("knob_1");
    dlg->form()->comboBox_channel->setCurrentIndex(16);
    dlg->form()->pushButton_setCH->click();
    answerYes(dlg);
    for (const SKnobRecord &r : p.block().KnobData[0])
        QCOMPARE(int(r.options & kKeybedChannelBit), int(kKeybedChannelBit));
    QCOMPARE(int(p.block().KnobData[0][5].ctrl), 0x13);
    QCOMPARE(int(uchar(p.owner.frames.value(0).mid(2, 1).toHex().toUInt(nullptr, 16))), int(CMD_WRITE_KNOBS));
}

// The keybed dialog: the velocity check, the key switches, and bytes no list
// shows surviving OK.
void TestVx18Child::keybed()
{
    SVX18ConfigData b = zeroBlock();
    b.KBCh = 20;
    b.KBXPose = 0x20;
    b.KBOctave = 5;
    b.KBVelMax = 127;
    std::memset(b.KBMCP, 0x3C, kKeybedKeys);
    b.KBMCP[24] = 0xBC;
    b.CRC = 0x77;
    Page p(b);
    p.ui()->pushButton_keybed->click();
    CVX18Child *dlg = p.dialog();
    Ui_CVX18Child *ui = dlg->form();
    p.owner.frames.clear();
    QCOMPARE(ui->comboBox_KBCH->currentIndex(), -1);
    QCOMPARE(dlg->findChild<QComboBox *>("comboBox_key_1")->itemText(60), g_noteNames.value(60));

    auto *key1 = dlg->findChild<switchbutton *>("widget_key_1");
    auto *key25 = dlg->findChild<switchbutton *>("widget_key_25");
    QVERIFY(!dlg->findChild<QComboBox *>("comboBox_key_1")->isVisibleTo(dlg));
    QTest::mouseClick(key1, Qt::LeftButton);
    QCOMPARE(int(p.block().KBMCP[0]), 0xBC);
    QVERIFY(dlg->findChild<QComboBox *>("comboBox_key_1")->isVisibleTo(dlg));
    QTest::mouseClick(key25, Qt::LeftButton);
    QCOMPARE(int(p.block().KBMCP[24]), 0x3C);
    QVERIFY(!dlg->findChild<QComboBox *>("comboBox_key_25")->isVisibleTo(dlg));
    QVERIFY(p.owner.frames.isEmpty());

    ui->comboBox_KBMin->setCurrentIndex(100);
    ui->comboBox_KBMax->setCurrentIndex(20);
    ui->pushButton_ok->click();
    QVERIFY(toastTexts(dlg).contains("The minimum value cannot be greater than the maximum value."));
    QVERIFY(p.owner.frames.isEmpty());
    ui->comboBox_KBMax->setCurrentIndex(100);
    ui->pushButton_ok->click();
    QCOMPARE(p.owner.frames.size(), 1);
    QCOMPARE(toHex(p.owner.frames[0].mid(6, 5)), toHex(hex("14 20 05 64 64")));
    QCOMPARE(int(p.block().CRC), 0x77);
    QVERIFY(p.page.model().hasUnsavedChanges());
}

// The slide and pedal page: advanced panels, the pedal types, "Keybed
// Channel", a minimum above its maximum, and bytes no list shows.
void TestVx18Child::slideAndPedal()
{
    SVX18ConfigData b = zeroBlock();
    const uchar bytes10[10] = {0, 1, 0, 127, 17, 0x83, 0, 64, 200, 127};
    std::memcpy(&b, bytes10, 10);
    Page p(b);
    CVX18Child *dlg = p.open("pushButton_pitch");
    Ui_CVX18Child *ui = dlg->form();
    QVERIFY(!ui->widget_ModAdvance->isVisibleTo(dlg)); // CC 1, 0..127: the default modulation
    QVERIFY(ui->widget_advance->isVisibleTo(dlg));      // byte 5 bit 7
    QCOMPARE(ui->comboBox_ModCC->itemText(74), g_ccNames.value(74));
    p.owner.frames.clear();
    QVERIFY(!p.page.model().hasUnsavedChanges());
    ui->pushButton_ok->click();
    QCOMPARE(toHex(p.owner.frames.value(0).mid(6, 10)), toHex(recordBytes(bytes10, 10)));
    QVERIFY(p.page.model().hasUnsavedChanges());

    dlg = p.open("pushButton_pitch");
    ui = dlg->form();
    ui->comboBox_ModCh->setCurrentIndex(16);
    ui->comboBox_PitchCH->setCurrentIndex(16);
    ui->comboBox_PedalCh->setCurrentIndex(16);
    ui->comboBox_PedalType->setCurrentIndex(0);
    QCOMPARE(ui->comboBox_PedalCC->currentIndex(), 64);
    ui->comboBox_ModMin->setCurrentIndex(100);
    ui->comboBox_ModMax->setCurrentIndex(20);
    ui->pushButton_ok->click();
    QCOMPARE(toHex(recordBytes(&p.block(), 10)), toHex(hex("10 01 64 14 10 80 10 40 00 7F")));
}

// "Sustain" and "Expression": each type brings its controller, range and the
// range's labels; a minimum set under one type stays under the other.
void TestVx18Child::pedalTypes()
{
    SVX18ConfigData b = zeroBlock();
    b.PedalType = 1;
    b.PedalMin = 10;
    b.PedalMax = 90;
    Page p(b);
    Ui_CVX18Child *ui = p.open("pushButton_pitch")->form();
    ui->comboBox_PedalType->setCurrentIndex(0);
    QCOMPARE(QList<int>({ui->comboBox_PedalCC->currentIndex(), ui->comboBox_PedalMin->currentIndex(),
                         ui->comboBox_PedalMax->currentIndex()}),
             QList<int>({64, 0, 127}));
    QCOMPARE(QStringList({ui->label_12->text(), ui->label_9->text()}), QStringList({"Up", "Down"}));
    ui->comboBox_PedalMin->setCurrentIndex(5);
    ui->comboBox_PedalType->setCurrentIndex(1);
    QCOMPARE(QList<int>({ui->comboBox_PedalCC->currentIndex(), ui->comboBox_PedalMin->currentIndex()}),
             QList<int>({11, 5}));
    QCOMPARE(QStringList({ui->label_12->text(), ui->label_9->text()}), QStringList({"Min", "Max"}));
}

TAVRO_TEST_MAIN(TestVx18Child)
#include "test_vx18child.moc"
