// The pad page on its own: an owner that records what the page sends, frames
// fed through the page's receive road, the widgets driven as a user would.
#include <QtTest>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTranslator>

#include <cstring>

#include "autodisappermsgbox.h"
#include "bytes.h"
#include "colorpicker.h"
#include "devices/pad/crzm7.h"
#include "devices/pad/rz7presetfile.h"
#include "dialogs.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "midinames.h"
#include "pagedialogs.h"
#include "padtest.h"
#include "testmain.h"
#include "touchcombobox.h"
#include "ui_crzm7.h"

using tavrotest::configReply;
using tavrotest::frame;
using tavrotest::hex;
using tavrotest::RecordingOwner;
using tavrotest::systemRecord;
using tavrotest::toastTexts;
using tavrotest::toHex;
using tavrotest::u8;

namespace {

// A block whose bank-0 pads are Note on channel 0, notes 36.., red; banks 1 and 2 green and blue.
QByteArray block()
{
    QByteArray b(823, 0);
    for (int bank = 0; bank < 3; ++bank) {
        for (int p = 0; p < 16; ++p) {
            const int at = 120 + 64 * bank + 4 * p;
            b[at + 1] = char(36 + 16 * bank + p);
            b[at + 3] = 127;
            const int c = 312 + 48 * bank + 3 * p;
            b[c + (bank == 0 ? 1 : bank == 1 ? 0 : 2)] = char(0xFF);
        }
    }
    for (int g = 0; g < 3; ++g) {
        b[504 + 3 * g] = char(0x10 * (g + 1)); // knob group colours
        b[513 + 3 * g + 2] = char(0x40 * (g + 1)); // pad bank colours, blue
    }
    return b;
}

QPushButton *padButton(CRZM7 &page, int n)
{
    return page.findChild<QPushButton *>(QStringLiteral("pad%1").arg(n));
}

} // namespace

class TestCrzm7Page : public QObject
{
    Q_OBJECT

    // The page after its first system record and block.
    struct Opened
    {
        RecordingOwner owner;
        CRZM7 page{&owner};
        explicit Opened(const QByteArray &sys = systemRecord(), const QByteArray &blk = block())
        {
            feedSystem(sys);
            feed(configReply(uchar(sys[4]), blk)); // the block of the record's preset
            owner.frames.clear();
        }
        void feed(const QByteArray &f) { page.Slots_recv_frame(u8(f), uint(f.size())); }
        void feedSystem(const QByteArray &sys) { feed(frame(CMD_SYSTEM_CONFIG, sys)); }
        Ui_CRZM7 *ui() { return page.form(); }
    };

private slots:
    void initTestCase()
    {
        g_translator = new QTranslator(qApp);
        g_downloadLink = QStringLiteral("rz7");
        g_firmwareVersion = 3;
    }

    void init()
    {
        g_language = 0;
        g_translator->load(QStringLiteral(":/Language/language_en.qm"));
        QApplication::installTranslator(g_translator);
    }

    // Lists, tabs and the state before anything arrived.
    void setUpAndTabs()
    {
        RecordingOwner owner;
        CRZM7 page(&owner);
        Ui_CRZM7 *ui = page.form();
        QVERIFY(!tavrotest::contentEnabled(&page));
        QCOMPARE(ui->comboBox_tempo->count(), 271);
        QCOMPARE(ui->comboBox_tempo->itemText(0), QStringLiteral("30"));
        QCOMPARE(ui->comboBox_delay->count(), 146);
        QCOMPARE(ui->comboBox_delay->itemText(0), QStringLiteral("10"));
        QCOMPARE(ui->comboBox_delay->itemText(145), QStringLiteral("300"));
        QCOMPARE(ui->comboBox_gate->count(), 99);
        QCOMPARE(ui->comboBox_gate->itemText(98), QStringLiteral("99%"));
        QCOMPARE(ui->comboBox_full_vel->count(), 127);
        QCOMPARE(ui->comboBox_full_vel->itemText(126), QStringLiteral("127"));
        QVERIFY(toastTexts(&page).contains(QStringLiteral("Load data...")));

        QCOMPARE(ui->stackedWidget->currentIndex(), 0);
        QVERIFY(ui->pushButton_setting->isChecked());
        QVERIFY(owner.frames.isEmpty());

        Opened o; // enabled by its first block
        ui = o.ui();
        ui->pushButton_knob_button->click();
        QCOMPARE(ui->stackedWidget->currentIndex(), 2);
        QVERIFY(ui->pushButton_knob_button->isChecked());
        QVERIFY(!ui->pushButton_setting->isChecked());
        ui->pushButton_pad->click();
        QCOMPARE(ui->stackedWidget->currentIndex(), 1);
        QVERIFY(!ui->pushButton_knob_button->isChecked());
        QVERIFY(o.owner.frames.isEmpty());
    }

    // First record and first block: the requests, the list that follows the
    // device's preset, the enabled page, the captions and the title.
    void openingConversation()
    {
        RecordingOwner owner;
        CRZM7 page(&owner);
        QByteArray sys = systemRecord();
        sys[4] = 3;
        const QByteArray f = frame(CMD_SYSTEM_CONFIG, sys);
        page.Slots_recv_frame(u8(f), uint(f.size()));
        QCOMPARE(page.form()->comboBox_Preset->currentIndex(), 3);
        QCOMPARE(owner.frames, QList<QByteArray>({hex("78 59 67 01 00 00 03 FC"), hex("78 59 67 01 00 00 03 FC")}));
        QCOMPARE(page.windowTitle(), QStringLiteral("rz7 Connected V3"));
        QVERIFY(!tavrotest::contentEnabled(&page));

        owner.frames.clear();
        const QByteArray reply = configReply(3, block());
        page.Slots_recv_frame(u8(reply), uint(reply.size()));
        QVERIFY(tavrotest::contentEnabled(&page));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&page.model().config()), 823), block());
        QCOMPARE(padButton(page, 1)->text(), QStringLiteral("Note\nCH:0\nNote:36\nVel:0-127"));
        QCOMPARE(padButton(page, 16)->text(), QStringLiteral("Note\nCH:0\nNote:51\nVel:0-127"));
        QVERIFY(padButton(page, 1)->styleSheet().contains(QStringLiteral("stop: 0 rgb(255, 0, 0)")));
        QVERIFY(owner.frames.isEmpty());

        // A later record asks for nothing more.
        page.Slots_recv_frame(u8(f), uint(f.size()));
        QVERIFY(owner.frames.isEmpty());
    }

    // A record with a bank beyond the block is the device's record all the
    // same: its preset's block is read, its bank shown as the first; a
    // rejected record still triggers the first request, with the preset the
    // page holds.
    void rejectedAndShortRecords()
    {
        RecordingOwner owner;
        CRZM7 page(&owner);
        QByteArray wild = systemRecord();
        wild[2] = 7; // pad bank
        wild[4] = 5;
        page.Slots_recv_frame(u8(frame(CMD_SYSTEM_CONFIG, wild)), 39);
        QCOMPARE(owner.frames.last(), hex("78 59 67 01 00 00 05 FA"));
        QCOMPARE(int(page.model().system().padBank), 0);
        QCOMPARE(page.form()->pushButton_PadGroup->text(), QStringLiteral("1"));
        QCOMPARE(page.form()->comboBox_Preset->currentIndex(), 5);

        RecordingOwner owner2;
        CRZM7 page2(&owner2);
        QByteArray bad = systemRecord();
        bad[0] = 10; // tempo 10
        bad[4] = 5;
        QTest::ignoreMessage(QtDebugMsg, "check_system_config_data Err---");
        page2.Slots_recv_frame(u8(frame(CMD_SYSTEM_CONFIG, bad)), 39);
        QCOMPARE(owner2.frames, QList<QByteArray>({hex("78 59 67 01 00 00 00 FF")}));
        QCOMPARE(page2.form()->comboBox_Preset->currentIndex(), 0);

        Opened o;
        const QByteArray before(reinterpret_cast<const char *>(&o.page.model().system()), 32);
        QByteArray group = systemRecord();
        group[3] = 3;
        o.feedSystem(group);
        o.feedSystem(systemRecord().left(20));
        o.feed(frame(CMD_SYSTEM_CONFIG, systemRecord()).left(30)); // cut off in transit
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&o.page.model().system()), 32), before);
        QCOMPARE(o.ui()->pushButton_KnobGroup->text(), QStringLiteral("1"));
        QVERIFY(o.owner.frames.isEmpty());
    }

    // Short and odd configuration and result replies.
    void shortReplies()
    {
        Opened o;
        const QByteArray good(reinterpret_cast<const char *>(&o.page.model().config()), 823);
        // Payload length claims a whole block, only 10 bytes arrived.
        const QByteArray cut = configReply(0, QByteArray(823, char(0x55))).left(18);
        o.feed(cut);
        QByteArray now(reinterpret_cast<const char *>(&o.page.model().config()), 823);
        QCOMPARE(now.left(10), QByteArray(10, char(0x55)));
        QCOMPARE(now.mid(10), good.mid(10));
        // A reply with nothing but the preset byte, and one with no payload.
        o.feed(frame(CMD_READ_PRESET, QByteArray(1, 0)));
        o.feed(frame(CMD_READ_PRESET, QByteArray()));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&o.page.model().config()), 823), now);
        // A header alone, and a single byte.
        o.feed(hex("78 59 67 00"));
        o.feed(hex("78"));
        // Save reply without payload is a failure.
        o.feed(frame(CMD_SAVE, QByteArray()));
        QVERIFY(toastTexts(&o.page).contains(QStringLiteral("Fail to save!")));
        o.feed(frame(CMD_SAVE, hex("01")));
        QVERIFY(toastTexts(&o.page).contains(QStringLiteral("Save successful")));
        QVERIFY(o.owner.frames.isEmpty());
        // Factory reset reply: the block is read again, then the message.
        o.feed(frame(CMD_FACTORY_RESET, QByteArray()));
        QCOMPARE(o.owner.frames, QList<QByteArray>({hex("78 59 67 01 00 00 00 FF")}));
        QVERIFY(toastTexts(&o.page).contains(QStringLiteral("Restore to factory defaults failed")));
    }

    // Edits on the global page, byte-exact, and the dropped echo.
    void globalEditsAndEcho()
    {
        QByteArray sys = systemRecord();
        sys[11] = 9;
        sys[12] = 91;
        sys[31] = char(0xA5);
        Opened o(sys);
        o.ui()->comboBox_tempo->setCurrentIndex(100); // tempo 130
        QCOMPARE(o.owner.frames.size(), 1);
        QByteArray expect = sys;
        expect[0] = char(130);
        expect[11] = 45;
        expect[12] = 45;
        QCOMPARE(toHex(o.owner.frames[0]), toHex(frame(CMD_SYSTEM_CONFIG, expect)));

        // The next record is the echo: dropped. The one after is applied.
        QByteArray dev = expect;
        dev[0] = char(200);
        o.feedSystem(dev);
        QCOMPARE(o.ui()->comboBox_tempo->currentIndex(), 100);
        o.feedSystem(dev);
        QCOMPARE(o.ui()->comboBox_tempo->currentIndex(), 170);
        QCOMPARE(o.owner.frames.size(), 1); // applying sends nothing back

        // Each list writes its own byte.
        struct Case { TouchComboBox *box; int index; int byte; int value; };
        const Case cases[] = {
            {o.ui()->comboBox_swing, 9, 8, 70},
            {o.ui()->comboBox_delay, 145, 10, 150},
            {o.ui()->comboBox_gate, 0, 7, 1},
            {o.ui()->comboBox_full_vel, 9, 28, 10},
            {o.ui()->comboBox_Curve, 3, 5, 3},
            {o.ui()->comboBox_rate, 7, 6, 7},
            {o.ui()->comboBox_AFT_mode, 1, 9, 1},
            {o.ui()->comboBox_NoteMode, 1, 27, 1},
            {o.ui()->comboBox_erp, 7, 30, 0x38},
            {o.ui()->comboBox_setColor2, 3, 30, 0x3B},
        };
        for (const Case &c : cases) {
            o.owner.frames.clear();
            c.box->setCurrentIndex(c.index);
            QCOMPARE(o.owner.frames.size(), 1);
            QCOMPARE(int(uchar(o.owner.frames[0][6 + c.byte])), c.value);
        }
    }

    // Bank and group buttons cycle and send; their colours follow the block.
    void bankAndGroupButtons()
    {
        Opened o;
        QPushButton *bank = o.ui()->pushButton_PadGroup;
        QStringList texts;
        QList<int> bytes;
        for (int i = 0; i < 3; ++i) {
            o.owner.frames.clear();
            bank->click();
            texts << bank->text();
            QCOMPARE(o.owner.frames.size(), 1);
            bytes << int(o.owner.frames[0][6 + 2]);
        }
        QCOMPARE(texts, QStringList({"2", "3", "1"}));
        QCOMPARE(bytes, QList<int>({1, 2, 0}));

        bank->click(); // bank 1: green pads, captions of bank 1
        QVERIFY(padButton(o.page, 1)->styleSheet().contains(QStringLiteral("stop: 0 rgb(0, 255, 0)")));
        QCOMPARE(padButton(o.page, 1)->text(), QStringLiteral("Note\nCH:0\nNote:52\nVel:0-127"));
        QCOMPARE(bank->styleSheet(),
                 CRZM7::groupButtonStyle.arg(QStringLiteral("rgb(0,0,128);color:#FFFF7F")) + CRZM7::groupButtonRadius);

        o.owner.frames.clear();
        o.ui()->pushButton_KnobGroup->click();
        QCOMPARE(o.ui()->pushButton_KnobGroup->text(), QStringLiteral("2"));
        QCOMPARE(o.owner.frames.size(), 1);
        QCOMPARE(int(o.owner.frames[0][6 + 3]), 1);
        QVERIFY(o.ui()->pushButton_KnobGroup->styleSheet().startsWith(
            QStringLiteral("background-color:rgb(0,32,0);color:#FFDFFF;")));
    }

    // Switches: their bits, a record with dark mode beside ECO shown as it
    // is, dark mode switched on turning ECO off, the battery switches twice.
    void switches()
    {
        QByteArray sys = systemRecord();
        sys[29] = 0x03;
        Opened o(sys);
        QVERIFY(o.ui()->pushButton_night->isChecked());
        QVERIFY(o.ui()->pushButton_ECO->isChecked());
        QVERIFY(o.owner.frames.isEmpty());
        o.ui()->pushButton_DAW->click();
        QCOMPARE(o.owner.frames.size(), 1);
        QCOMPARE(int(uchar(o.owner.frames[0][6 + 29])), 0x07);

        // Dark mode off leaves ECO; dark mode on turns it off.
        o.ui()->pushButton_night->click();
        QCOMPARE(int(uchar(o.owner.frames.last()[6 + 29])), 0x05);
        o.ui()->pushButton_night->click();
        QVERIFY(!o.ui()->pushButton_ECO->isChecked());
        QCOMPARE(int(uchar(o.owner.frames.last()[6 + 29])), 0x06);

        struct Case { QPushButton *sw; int byte; int bit; };
        const Case cases[] = {
            {o.ui()->pushButton_full, 29, 3}, {o.ui()->pushButton_AFT_SW, 29, 4},
            {o.ui()->pushButton_BT, 29, 5},
        };
        for (const Case &c : cases) {
            o.owner.frames.clear();
            c.sw->click();
            QCOMPARE(o.owner.frames.size(), 1);
            QVERIFY(uchar(o.owner.frames[0][6 + c.byte]) & (1 << c.bit));
        }

        for (QPushButton *sw : {o.ui()->pushButton_LowBattery, o.ui()->pushButton_battery}) {
            o.owner.frames.clear();
            sw->click();
            QCOMPARE(o.owner.frames.size(), 2);
            QCOMPARE(o.owner.frames[0], o.owner.frames[1]);
        }
        QCOMPARE(int(uchar(o.owner.frames[0][6 + 30])), 0xC0);

        // Writing a record into the controls sends nothing.
        o.owner.frames.clear();
        o.feedSystem(systemRecord()); // the echo of the last send
        o.feedSystem(systemRecord());
        QVERIFY(!o.ui()->pushButton_battery->isChecked());
        QVERIFY(o.owner.frames.isEmpty());
    }

    // Values that no row shows leave the lists as they are and go back as
    // received until the user picks a row; -1 never goes out.
    void unlistedValues()
    {
        QByteArray sys = systemRecord();
        sys[8] = 62;
        Opened o(sys);
        QCOMPARE(o.ui()->comboBox_swing->currentIndex(), 5);
        QByteArray odd = sys;
        odd[5] = 4;           // curve
        odd[7] = 0;           // gate
        odd[8] = 55;          // swing
        odd[10] = char(200);  // after-touch delay
        odd[28] = 0;          // full-level velocity
        odd[30] = char(0xFF); // pad-down colour 7
        o.feedSystem(odd);
        QCOMPARE(o.ui()->comboBox_swing->currentIndex(), 5);
        QCOMPARE(o.ui()->comboBox_setColor2->currentIndex(), 0);
        o.ui()->pushButton_ECO->click();
        odd[29] = 0x01;
        QCOMPARE(o.owner.frames.size(), 1);
        QCOMPARE(toHex(o.owner.frames[0].mid(6, 32)), toHex(odd));
        o.ui()->comboBox_Curve->setCurrentIndex(2);
        odd[5] = 2;
        QCOMPARE(toHex(o.owner.frames.last().mid(6, 32)), toHex(odd));
    }

    // Captions of the worked examples in both languages, and the pad colour.
    void padCaptions_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<QString>("caption");
        QTest::newRow("en note") << 0 << hex("03 24 01 7F") << "Note\nCH:3\nNote:36\nVel:1-127";
        QTest::newRow("cn note") << 1 << hex("03 24 01 7F") << "音符开关\n通道:3\n音符:36\n力度:1-127";
        QTest::newRow("en mcp customize") << 0 << hex("C0 00 00 05") << "MCP-Customize";
        QTest::newRow("cn mcp customize") << 1 << hex("C0 00 00 05") << "MCP-自定义";
        QTest::newRow("en unused mode") << 0 << hex("60 01 02 03") << "";
        QTest::newRow("en toggle") << 0 << hex("15 07 00 7F") << "CC Toggle\nCH:5\nCC:7\nValue:0/127";
        QTest::newRow("cn momentary") << 1 << hex("2F 40 7F 00") << "瞬时切换CC\n通道:15\n控制器编号:64\n按下数值:127\n抬起数值:0";
        QTest::newRow("en program") << 0 << hex("31 01 02 03") << "Program\nCH:1\nMSB:1\nLSB:2\nProgram:3";
    }
    void padCaptions()
    {
        QFETCH(int, language);
        QFETCH(QByteArray, record);
        QFETCH(QString, caption);
        QByteArray blk = block();
        blk.replace(120 + 4 * 4, 4, record); // pad 5 of bank 0
        blk[312 + 3 * 4] = 0;
        blk[312 + 3 * 4 + 1] = char(0xFF);
        blk[312 + 3 * 4 + 2] = 0;
        Opened o(systemRecord(), QByteArray());
        g_language = language;
        o.page.Slots_change_language();
        QCOMPARE(padButton(o.page, 5)->text(), QStringLiteral("PAD5"));
        o.feed(configReply(0, blk));
        QCOMPARE(padButton(o.page, 5)->text(), caption);
        const QString style = padButton(o.page, 5)->styleSheet();
        QVERIFY(style.contains(QStringLiteral("stop: 0 rgb(255, 0, 0),stop: 1 rgba(255, 0, 0, 30)")));
        QVERIFY(style.contains(QStringLiteral("color: #00FFFF;")));
    }

    // After a language change the next record asks for the block again.
    void languageChangeRequestsBlockAgain()
    {
        Opened o;
        o.page.Slots_change_language();
        QCOMPARE(padButton(o.page, 1)->text(), QStringLiteral("PAD1"));
        o.feedSystem(systemRecord());
        QCOMPARE(o.owner.frames, QList<QByteArray>({hex("78 59 67 01 00 00 00 FF")}));
        o.feed(configReply(0, block()));
        QCOMPARE(padButton(o.page, 1)->text(), QStringLiteral("Note\nCH:0\nNote:36\nVel:0-127"));
    }

    // The monitor: SysEx and short messages, colours, the cap, the clear button.
    void monitor()
    {
        Opened o;
        QListWidget *list = o.ui()->listWidget_show;
        const QByteArray sx = hex("F0 7E 7F 06 01 F7 11 22");
        o.page.Slots_recv_sysex(u8(sx), uint(sx.size()));
        o.page.monitor()->flush(); // the page's tick
        QCOMPARE(list->count(), 1);
        QCOMPARE(list->item(0)->text(), QStringLiteral("F0 7E 7F 06 01 F7 "));
        QCOMPARE(list->item(0)->foreground().color(), QColor(255, 255, 142));
        const QByteArray open = hex("F0 01 02");
        o.page.Slots_recv_sysex(u8(open), uint(open.size()));
        o.page.monitor()->flush();
        QCOMPARE(list->count(), 1);

        o.page.Slots_recv_midi(0x90 | 0x7F << 8 | 0x40 << 16);
        o.page.monitor()->flush();
        QCOMPARE(list->item(1)->text(), midiStatusName(0x90) + QStringLiteral("90 7F 40"));
        QCOMPARE(list->item(1)->foreground().color(), midiStatusColour(0x90));
        o.page.Slots_recv_midi(0xC3 | 0x05 << 8);
        o.page.monitor()->flush();
        QCOMPARE(list->item(2)->text(), midiStatusName(0xC0) + QStringLiteral("C3 05"));
        o.page.Slots_recv_midi(0xF8);
        o.page.monitor()->flush();
        QCOMPARE(list->item(3)->text(), QStringLiteral("F8"));
        o.page.Slots_recv_midi(0xF2 | 0x01 << 8 | 0x02 << 16);
        o.page.monitor()->flush();
        QCOMPARE(list->item(4)->text(), QStringLiteral("F2 01 02"));

        for (int i = 0; i < 600; ++i) {
            if (i % 2)
                o.page.Slots_recv_sysex(u8(sx), uint(sx.size()));
            else
                o.page.Slots_recv_midi(0xB0 | uint(i % 128) << 8);
            if (i % 7 == 0)
                o.page.monitor()->flush();
            QVERIFY(list->count() <= 500);
        }
        o.page.monitor()->flush();
        QCOMPARE(list->item(list->count() - 1)->text(), QStringLiteral("F0 7E 7F 06 01 F7 "));
        o.ui()->pushButton_DelText->click();
        QCOMPARE(list->count(), 0);
    }

    // The dialog's section writes, in their order, and the pool frame.
    void dialogSectionWrites()
    {
        Opened o;
        auto commands = [&o] {
            QList<int> out;
            for (const QByteArray &f : o.owner.frames)
                out << int(uchar(f[2]));
            return out;
        };
        o.page.slots_click_ok_send(1);
        QCOMPARE(commands(), QList<int>({0x54}));
        QVERIFY(o.page.model().hasUnsavedChanges());
        o.owner.frames.clear();

        // A pad and a button in Customize: 15 pool bytes.
        SRZ7ConfigData &cfg = o.page.model().config();
        cfg.PadData[0][2] = SControlRecord{0x40, 0, 0, 10};
        cfg.KeyData[1] = SControlRecord{0x50, 0, 0, 5};
        SRZ7SysexStore &sx = o.page.model().sysex();
        std::memset(sx.padSysex[0][2], 0xA1, 10);
        std::memset(sx.keySysex[1], 0xB2, 5);
        o.page.slots_click_ok_send(4);
        QCOMPARE(commands(), QList<int>({0x59, 0x53, 0x52}));
        const QByteArray pool = o.owner.frames[0];
        QCOMPARE(pool.size(), 24);
        QCOMPARE(toHex(pool.left(8)), QStringLiteral("78 59 59 11 00 00 0F 00"));
        QCOMPARE(pool.mid(8, 5), QByteArray(5, char(0xB2)));
        QCOMPARE(pool.mid(13, 10), QByteArray(10, char(0xA1)));
        QCOMPARE(padButton(o.page, 3)->text(), QStringLiteral("Note\nCH:0\nNote:38\nVel:0-127")); // not rebuilt

        o.owner.frames.clear();
        o.page.slots_click_ok_send(5);
        QCOMPARE(commands(), QList<int>({0x59, 0x52, 0x53}));
        QCOMPARE(padButton(o.page, 3)->text(), QStringLiteral("Customize"));
        o.owner.frames.clear();
        o.page.slots_click_ok_send(0);
        o.page.slots_click_ok_send(9);
        QVERIFY(o.owner.frames.isEmpty());
    }

    // A pad dialog left open while the page moves to another bank would edit
    // records that are no longer sent: it is closed; a knob dialog stays.
    void dialogClosedOnBankChange()
    {
        Opened o;
        auto openDialogs = [] {
            int n = 0;
            for (QWidget *w : QApplication::topLevelWidgets())
                n += w->inherits("CRZM7DLG") && w->isVisible();
            return n;
        };
        o.page.form()->pushButton_pad->click();
        padButton(o.page, 2)->click();
        QCOMPARE(openDialogs(), 1);
        o.page.form()->pushButton_KnobGroup->click();
        QCOMPARE(openDialogs(), 1);
        o.page.form()->pushButton_PadGroup->click();
        QCOMPARE(openDialogs(), 0);
    }

    // Colour previews from the dialog and "To All Pad". A colour is an edit
    // once confirmed (the chooser's OK, Yes to a set-all question), not while
    // it is previewed.
    void padColourPreviews()
    {
        Opened o;
        o.page.form()->pushButton_pad->click();
        padButton(o.page, 4)->click(); // records the pad the dialog edits
        QWidget *dlg = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->inherits("CRZM7DLG") && w->isVisible())
                dlg = w;
        }
        QVERIFY(dlg);
        dlg->findChild<QPushButton *>(QStringLiteral("pushButton_color"))->click();
        auto *picker = dlg->findChild<ColorPicker *>();
        QVERIFY(picker);
        emit picker->colorChanged(QColor(9, 9, 9));
        QVERIFY(!o.page.model().hasUnsavedChanges());
        picker->setColor(QColor(9, 9, 9));
        picker->accept();
        QVERIFY(o.page.model().hasUnsavedChanges());
        dlg->close();
        QCOMPARE(o.page.dialogIndex(), 3);
        QCOMPARE(o.page.dialogKind(), 1);
        o.page.model().setUnsavedChanges(false);
        o.owner.frames.clear();
        o.page.model().config().PadRGB[0][3] = SColourGRB{0x11, 0x22, 0x33};
        o.page.slots_change_rgb();
        QVERIFY(!o.page.model().hasUnsavedChanges());
        *o.page.setAllColoursFlag() = 1;
        o.page.slots_change_rgb();
        QVERIFY(o.page.model().hasUnsavedChanges());
        QCOMPARE(o.owner.frames.size(), 2);
        QCOMPARE(int(uchar(o.owner.frames[1][6])), 0xFF);
        QCOMPARE(int(uchar(o.owner.frames[0][6])), 3);
        QCOMPARE(o.owner.frames[0].size(), 62);
        QCOMPARE(toHex(o.owner.frames[0].mid(6 + 1 + 9, 3)), QStringLiteral("11 22 33"));
        QVERIFY(padButton(o.page, 1)->styleSheet().contains(QStringLiteral("rgb(34, 17, 51)")));

        // "To All Pad": No does nothing, Yes paints the bank in its colour.
        o.page.model().setUnsavedChanges(false);
        o.owner.frames.clear();
        o.page.apply_bank_colour_to_pads(ANSWER_NO);
        o.page.apply_bank_colour_to_pads(ANSWER_OTHER);
        QVERIFY(o.owner.frames.isEmpty());
        QVERIFY(!o.page.model().hasUnsavedChanges());
        o.page.apply_bank_colour_to_pads(ANSWER_YES);
        QVERIFY(o.page.model().hasUnsavedChanges());
        QCOMPARE(o.owner.frames.size(), 1);
        const QByteArray q = o.owner.frames[0];
        QCOMPARE(int(uchar(q[6])), 0xFF);
        for (int p = 0; p < 16; ++p)
            QCOMPARE(toHex(q.mid(7 + 3 * p, 3)), QStringLiteral("00 00 40"));
        QVERIFY(padButton(o.page, 16)->styleSheet().contains(QStringLiteral("rgb(0, 0, 64)")));
    }

    // "To All Pad" on the page leaves alone which control the open dialog
    // edits: its previews still name its pad, and a bank or group change still
    // closes it when stale.
    void setAllColoursKeepsTheOpenDialog()
    {
        Opened o;
        auto openDialog = [] {
            QPointer<QDialog> dlg;
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->inherits("CRZM7DLG") && w->isVisible())
                    dlg = static_cast<QDialog *>(w);
            }
            return dlg;
        };
        padButton(o.page, 5)->click();
        QPointer<QDialog> dlg = openDialog();
        QVERIFY(dlg);
        o.page.apply_bank_colour_to_pads(ANSWER_YES);
        o.owner.frames.clear();
        o.page.model().config().PadRGB[0][4] = SColourGRB{0x11, 0x22, 0x33};
        QVERIFY(QMetaObject::invokeMethod(dlg, "signals_change_rgb"));
        QCOMPARE(o.owner.sent(CMD_PAD_COLOURS).size(), 1);
        QCOMPARE(int(uchar(o.owner.sent(CMD_PAD_COLOURS)[0][6])), 4);
        QVERIFY(padButton(o.page, 5)->styleSheet().contains(QStringLiteral("rgb(34, 17, 51)")));

        o.page.findChild<QPushButton *>(QStringLiteral("knob_3"))->click();
        dlg = openDialog();
        QVERIFY(dlg);
        o.page.apply_bank_colour_to_pads(ANSWER_YES);
        o.ui()->pushButton_KnobGroup->click();
        QVERIFY(!dlg);
    }

    // The group colour chooser previews live and restores on cancel.
    void groupColourChooser()
    {
        Opened o;
        o.page.show();
        o.ui()->pushButton_BtColor->click();
        auto *picker = o.page.findChild<ColorPicker *>();
        QVERIFY(picker);
        QCOMPARE(picker->currentColor(), QColor(0, 0, 0x40));
        auto *combo = picker->findChild<TouchComboBox *>(QStringLiteral("comboBox_R"));
        QVERIFY(combo);
        combo->setCurrentIndex(200);
        QTRY_COMPARE(o.owner.sent(CMD_WRITE_MODE_COLOURS).size(), 1);
        QByteArray w = o.owner.sent(CMD_WRITE_MODE_COLOURS)[0];
        QCOMPARE(w.size(), 25);
        QCOMPARE(toHex(w.mid(6 + 9, 3)), QStringLiteral("00 C8 40")); // bank 0 stored G, R, B
        QVERIFY(o.ui()->pushButton_PadGroup->styleSheet().contains(QStringLiteral("rgb(200,0,64)")));
        // While the chooser is open, blocks from the device are not taken.
        QVERIFY(o.page.model().isBusy());
        o.feed(configReply(0, QByteArray(823, 0)));
        QCOMPARE(int(o.page.model().config().PadModeRGB[0].r), 200);

        picker->findChild<QPushButton *>(QStringLiteral("btn_Cancel"))->click();
        QCOMPARE(o.owner.sent(CMD_WRITE_MODE_COLOURS).size(), 2);
        w = o.owner.sent(CMD_WRITE_MODE_COLOURS)[1];
        QCOMPARE(toHex(w.mid(6 + 9, 3)), QStringLiteral("00 00 40"));
        QVERIFY(!o.page.model().isBusy());
        QVERIFY(o.ui()->pushButton_PadGroup->styleSheet().contains(QStringLiteral("rgb(0,0,64)")));
        QTRY_VERIFY(!o.page.findChild<ColorPicker *>());

        // Confirmed: the colour stays; the knob chooser edits the group colour.
        o.owner.frames.clear();
        o.ui()->pushButton_KnobColor->click();
        picker = o.page.findChild<ColorPicker *>();
        QVERIFY(picker);
        picker->findChild<TouchComboBox *>(QStringLiteral("comboBox_B"))->setCurrentIndex(99);
        QTRY_COMPARE(o.owner.sent(CMD_WRITE_MODE_COLOURS).size(), 1);
        picker->findChild<QPushButton *>(QStringLiteral("btn_Confirm"))->click();
        QCOMPARE(o.owner.sent(CMD_WRITE_MODE_COLOURS).size(), 1);
        QCOMPARE(o.page.model().config().KnobModeRGB[0], (SColourGRB{0x10, 0, 99}));
    }

    // The preset list switches at once without unsaved changes.
    void presetSwitch()
    {
        Opened o;
        o.ui()->comboBox_Preset->setCurrentIndex(5);
        QCOMPARE(o.owner.frames.size(), 2);
        QCOMPARE(o.owner.frames[0], hex("78 59 67 01 00 00 05 FA"));
        QCOMPARE(int(o.owner.frames[1][2]), int(CMD_SYSTEM_CONFIG));
        QCOMPARE(int(o.owner.frames[1][6 + 4]), 5);
        QVERIFY(!o.page.model().isBusy());
    }

    // With unsaved changes the switch asks first: Yes saves, No drops the
    // mark, no answer puts the list back to the device's preset.
    void presetSwitchQuestion()
    {
        Opened o;
        auto answer = [&o](int result) {
            auto *box = o.page.findChild<QMessageBox *>();
            QVERIFY(box);
            QCOMPARE(box->text(), QStringLiteral("The current preset has been modified. Do you want to save the "
                                                 "changes to the device?"));
            box->done(result);
            QTRY_VERIFY(!o.page.findChild<QMessageBox *>());
        };
        o.page.slots_click_ok_send(1);
        o.owner.frames.clear();
        o.ui()->comboBox_Preset->setCurrentIndex(5);
        QVERIFY(o.owner.frames.isEmpty());
        answer(QDialog::Rejected);
        QCOMPARE(o.ui()->comboBox_Preset->currentIndex(), 0);
        QVERIFY(!o.page.model().isBusy());
        QVERIFY(o.page.model().hasUnsavedChanges());
        QVERIFY(o.owner.frames.isEmpty());

        o.ui()->comboBox_Preset->setCurrentIndex(5);
        answer(QMessageBox::No);
        QCOMPARE(o.owner.frames.size(), 2);
        QCOMPARE(o.owner.frames[0], hex("78 59 67 01 00 00 05 FA"));
        QCOMPARE(int(o.owner.frames[1][6 + 4]), 5);
        QVERIFY(!o.page.model().hasUnsavedChanges());

        o.feed(configReply(5, block()));
        o.page.slots_click_ok_send(2);
        o.owner.frames.clear();
        o.ui()->comboBox_Preset->setCurrentIndex(2);
        answer(QMessageBox::Yes);
        QCOMPARE(o.owner.frames.size(), 3);
        QCOMPARE(o.owner.frames[0], hex("78 59 68 00 00 00 FF"));
        QCOMPARE(o.owner.frames[1], hex("78 59 67 01 00 00 02 FD"));
        QCOMPARE(int(o.owner.frames[2][6 + 4]), 2);
        QVERIFY(!o.page.model().isBusy());
    }

    // Until the shown preset's whole block is held (after a switch from the
    // list, one on the device, a confirmed factory reset), no dialog opens,
    // no section goes out and no file is written; the block, once whole, is
    // what edits send. A reply of another preset asks for the shown one.
    void nothingWrittenUntilTheBlockIsHeld_data() { tavrotest::addUnheldBlockRoads(); }
    void nothingWrittenUntilTheBlockIsHeld()
    {
        QFETCH(QString, road);
        QFETCH(int, shown);
        Opened o(systemRecord(road == "reset" ? 2 : 0));
        QByteArray next = block();
        next[120 + 1] = char(99); // bank 0, pad 1 plays note 99 in the block shown next
        if (road == "reset") {
            o.page.answer_factory_reset(ANSWER_YES);
            o.feed(configReply(0, next));
            QCOMPARE(o.owner.sent(CMD_READ_PRESET).value(0), hex("78 59 67 01 00 00 02 FD"));
        } else if (road == "device") {
            o.feedSystem(systemRecord(1));
        } else {
            o.ui()->comboBox_Preset->setCurrentIndex(1);
            if (road == "cut")
                o.feed(configReply(1, next).left(100));
        }
        o.owner.frames.clear();
        tavrotest::ChosenPath chosen;
        o.ui()->pushButton_ConfigData->click();
        QVERIFY(chosen.asked.isEmpty());
        QVERIFY(toastTexts(&o.page).contains(QStringLiteral("Preset save defeated")));
        padButton(o.page, 1)->click();
        for (uchar kind : {1, 2, 3, 4, 5})
            o.page.slots_click_ok_send(kind);
        o.page.slots_change_rgb();
        o.page.send_mode_rgb();
        QVERIFY(!o.page.dialogKind() && o.owner.frames.isEmpty());
        // The poll asks for the shown preset again.
        QTRY_VERIFY(o.owner.sent(CMD_READ_PRESET).contains(frame(CMD_READ_PRESET, QByteArray(1, char(shown)))));
        o.feed(configReply(uchar(shown), next));
        padButton(o.page, 1)->click();
        QCOMPARE(o.page.dialogKind(), 1);
        o.page.slots_click_ok_send(3);
        QCOMPARE(int(o.owner.sent(CMD_WRITE_PADS).value(0)[6 + 1 + 1]), 99);
    }

    // The timer: poll after 1.6 s, block requests while empty, hand-back after
    // 3 s without a record, and no page-close frame on that road.
    void timerPollAndLoss()
    {
        RecordingOwner owner;
        CRZM7 page(&owner);
        QElapsedTimer clock;
        clock.start();
        QTRY_VERIFY_WITH_TIMEOUT(!owner.sent(CMD_POLL).isEmpty(), 4000);
        QVERIFY2(clock.elapsed() >= 1400, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(owner.frames, QList<QByteArray>({hex("78 59 66 00 00 00 FF"), hex("78 59 67 01 00 00 00 FF")}));
        QTRY_VERIFY_WITH_TIMEOUT(owner.backCalls > 0, 4000);
        QVERIFY(clock.elapsed() >= 2700);
        QTRY_VERIFY_WITH_TIMEOUT(owner.backCalls > 1, 1000); // repeated until the owner acts
        QVERIFY(owner.sent(0x75).isEmpty());
    }

    // The per-control dialog: one at a time, its reports turn into frames,
    // and it goes with the page.
    void controlDialogHook()
    {
        QPointer<QDialog> first;
        QPointer<QDialog> second;
        {
            Opened o;
            auto dialogs = [] {
                QList<QDialog *> out;
                for (QWidget *w : QApplication::topLevelWidgets()) {
                    if (w->inherits("CRZM7DLG"))
                        out << static_cast<QDialog *>(w);
                }
                return out;
            };
            o.page.findChild<QPushButton *>(QStringLiteral("knob_2"))->click();
            QCOMPARE(dialogs().size(), 1);
            first = dialogs().first();
            QCOMPARE(o.page.dialogKind(), 0);
            QCOMPARE(o.page.dialogIndex(), 1);
            QVERIFY(first->isVisible());

            padButton(o.page, 5)->click();
            QVERIFY(!first);
            QCOMPARE(dialogs().size(), 1);
            second = dialogs().first();
            QCOMPARE(o.page.dialogKind(), 1);
            QCOMPARE(o.page.dialogIndex(), 4);

            QVERIFY(QMetaObject::invokeMethod(second, "signals_click_ok_send", Q_ARG(uchar, 3)));
            QVERIFY(QMetaObject::invokeMethod(second, "signals_change_rgb"));
            QCOMPARE(o.owner.frames.size(), 2);
            QCOMPARE(int(uchar(o.owner.frames[0][2])), int(CMD_WRITE_PADS));
            QCOMPARE(int(uchar(o.owner.frames[1][2])), int(CMD_PAD_COLOURS));
            QCOMPARE(int(uchar(o.owner.frames[1][6])), 4);
        }
        QVERIFY(!second);
    }

    // A dialog on a block that another block replaced goes: a block from the
    // device (a preset switch, a factory reset) or an applied preset.
    void controlDialogGoesWithItsBlock()
    {
        Opened o;
        auto open = [&o] {
            padButton(o.page, 5)->click();
            QPointer<QDialog> dlg;
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w->inherits("CRZM7DLG") && w->isVisible())
                    dlg = static_cast<QDialog *>(w);
            }
            return dlg;
        };
        QPointer<QDialog> dlg = open();
        QVERIFY(dlg);
        o.feed(configReply(0, block()));
        QVERIFY(!dlg);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.rzp"));
        QVERIFY(rz7::writePresetFile(path, o.page.model().config()) == rz7::PresetSaveResult::Saved);
        dlg = open();
        QVERIFY(dlg);
        o.page.slots_apply_preset(path);
        QVERIFY(!dlg);
    }

    // A preset file whose text is broken is refused aloud, as on the other
    // pages, and changes nothing.
    void brokenPresetText()
    {
        Opened o;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("broken.rzp"));
        QVERIFY(tavrotest::writeAll(path, rz7::presetFileHeader() + qCompress("<Preset><ConfigData><CRC>", 9)));
        o.page.slots_apply_preset(path);
        QVERIFY(toastTexts(&o.page).contains(QStringLiteral("Configuration file error!")));
        QVERIFY(o.owner.frames.isEmpty());
    }

    // The online preset list is a window of its own, which the chooser does not
    // hold back: a preset applied under the group colour chooser replaces the
    // colour it edits, so the chooser goes without putting its old colour back.
    void presetAppliedUnderTheColourChooser()
    {
        Opened o;
        o.page.show();
        QByteArray other = block();
        other[513 + 2] = char(0x7F); // bank 0's colour in the preset: blue 0x7F
        SRZ7ConfigData loaded;
        std::memcpy(&loaded, other.constData(), sizeof loaded);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.rzp"));
        QVERIFY(rz7::writePresetFile(path, loaded) == rz7::PresetSaveResult::Saved);

        o.ui()->pushButton_BtColor->click();
        QPointer<ColorPicker> picker = o.page.findChild<ColorPicker *>();
        QVERIFY(picker);
        o.page.slots_apply_preset(path);
        QCOMPARE(o.owner.sent(CMD_WRITE_CONFIG).size(), 1);
        QTRY_VERIFY(!picker);
        QVERIFY(!o.page.model().isBusy());
        QCOMPARE(o.page.model().config().PadModeRGB[0], (SColourGRB{0, 0, 0x7F}));
        QCOMPARE(o.owner.sent(CMD_WRITE_MODE_COLOURS).size(), 0);
    }

    // While the preset question is open the device's records may put the list
    // back; Yes shows the preset the user chose from then on.
    void presetQuestionThenARecord()
    {
        Opened o;
        o.page.slots_click_ok_send(1);
        o.ui()->comboBox_Preset->setCurrentIndex(4);
        auto *box = o.page.findChild<QMessageBox *>();
        QVERIFY(box);
        o.feedSystem(systemRecord(0));
        QCOMPARE(o.ui()->comboBox_Preset->currentIndex(), 0);
        o.owner.frames.clear();
        box->done(QMessageBox::Yes);
        QCOMPARE(o.ui()->comboBox_Preset->currentIndex(), 4);
        QCOMPARE(o.owner.sent(CMD_READ_PRESET).first(), hex("78 59 67 01 00 00 04 FB"));
    }

    // Closing sends the close frame and hands back.
    void closeHandsBack()
    {
        Opened o;
        o.page.show();
        o.page.close();
        QCOMPARE(o.owner.frames, QList<QByteArray>({hex("78 59 75 00 00 00 FF")}));
        QCOMPARE(o.owner.backCalls, 1);

        // Escape takes the same road rather than hiding the page.
        Opened e;
        e.page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e.page));
        QTest::keyClick(&e.page, Qt::Key_Escape);
        QCOMPARE(e.owner.frames, QList<QByteArray>({hex("78 59 75 00 00 00 FF")}));
        QCOMPARE(e.owner.backCalls, 1);
    }
};

TAVRO_TEST_MAIN(TestCrzm7Page)
#include "test_crzm7page.moc"
