// The small pad's per-control dialog offscreen, on a page fed through a
// recording owner: its lists and titles, what OK writes into the block and
// which sections the page then sends, the typed messages, the set-all
// questions, and how the page keeps it in step with the bank.
#include <QtTest>

#include <QMessageBox>
#include <QPointer>
#include <QTextEdit>
#include <QTranslator>

#include "colorpicker.h"
#include "devices/shared/controlrules.h"
#include "devices/smallpad/cdlgrzchild.h"
#include "globals.h"
#include "midinames.h"
#include "devices/shared/closeroad.h"
#include "pagedialogs.h"
#include "rznanotest.h"
#include "testmain.h"
#include "touchcombobox.h"
#include "ui_cdlgrzchild.h"

using namespace rznanotest;
using tavrotest::hex;
using tavrotest::toastTexts;

namespace {

QStringList items(const QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out << box->itemText(i);
    return out;
}

struct Edit : Opened
{
    explicit Edit(const QByteArray &blk = block()) : Opened(systemRecord(), blk)
    {
        pagekit::setPageContentEnabled(&page, true); // as the page's next poll tick does
    }
    CDlgRzChild *pad(int index)
    {
        page.click_pad(index);
        return page.childDialog();
    }
    CDlgRzChild *button(int index)
    {
        page.click_key(index);
        return page.childDialog();
    }
    using Opened::ui;
    static Ui_CDlgRzChild *ui(CDlgRzChild *d) { return d->form(); }
    static void answer(CDlgRzChild *d, int result)
    {
        auto *box = d->findChild<QMessageBox *>();
        QVERIFY(box);
        box->done(result);
    }
};

} // namespace

class TestRzChild : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        g_translator = new QTranslator(qApp);
        g_language = 0;
        g_translator->load(QStringLiteral(":/Language/language_en.qm"));
        QApplication::installTranslator(g_translator);
    }

    // Titles, the mode lists of a pad and of both presses, drum names on
    // channel index 9 and 10 only.
    void listsAndTitles()
    {
        Edit e;
        CDlgRzChild *d = e.pad(4);
        QCOMPARE(d->windowTitle(), QStringLiteral("Setting Pad 5"));
        QCOMPARE(items(Edit::ui(d)->comboBox_type),
                 QStringList({"Note", "CC Toggle", "CC Momentary", "Program Change", "Customize"}));
        Edit::ui(d)->comboBox_type->setCurrentIndex(3);
        for (int channel : {8, 9, 10, 11}) {
            Edit::ui(d)->comboBox_channel->setCurrentIndex(channel);
            const QStringList &names = channel == 9 || channel == 10 ? g_gmDrumNames : g_gmProgramNames;
            QCOMPARE(Edit::ui(d)->comboBox_data1->itemText(40), names.at(40));
        }
        d = e.button(0);
        QCOMPARE(d->windowTitle(), QStringLiteral("Setting Button 1"));
        QCOMPARE(items(Edit::ui(d)->comboBox_type),
                 QStringList({"CC", "CC Toggle", "CC Momentary", "Program Change", "MMC", "Customize"}));
        Edit::ui(d)->pushButton_long->click();
        QCOMPARE(items(Edit::ui(d)->comboBox_type),
                 QStringList({"CC", "CC Toggle", "CC Momentary", "Program Change", "Customize", "None"}));
    }

    // What OK writes and sends, and what it refuses.
    void padOk_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("data1");
        QTest::addColumn<int>("data2");
        QTest::addColumn<int>("data3");
        QTest::addColumn<QByteArray>("record"); // empty: refused
        QTest::newRow("note, min above max") << 0 << 36 << 100 << 20 << hex("02 24 14 64");
        QTest::newRow("note, equal") << 0 << 36 << 50 << 50 << QByteArray();
        QTest::newRow("program change") << 3 << 12 << 1 << 2 << hex("32 01 02 0C");
        QTest::newRow("momentary") << 2 << 64 << 127 << 0 << hex("22 40 7F 00");
    }
    void padOk()
    {
        QFETCH(int, type);
        QFETCH(int, data1);
        QFETCH(int, data2);
        QFETCH(int, data3);
        QFETCH(QByteArray, record);
        Edit e;
        CDlgRzChild *d = e.pad(3);
        Ui_CDlgRzChild *u = Edit::ui(d);
        u->comboBox_type->setCurrentIndex(type);
        u->comboBox_channel->setCurrentIndex(2);
        u->comboBox_data1->setCurrentIndex(data1);
        u->comboBox_data2->setCurrentIndex(data2);
        u->comboBox_data3->setCurrentIndex(data3);
        const QByteArray before(reinterpret_cast<const char *>(&e.page.config().PadData[0][3]), 4);
        u->pushButton_ok->click();
        const QByteArray after(reinterpret_cast<const char *>(&e.page.config().PadData[0][3]), 4);
        if (record.isEmpty()) {
            QCOMPARE(after, before);
            QVERIFY(toastTexts(d).contains(QStringLiteral("The maximum value and the minimum value cannot be equal.")));
            QVERIFY(e.owner.frames.isEmpty());
            return;
        }
        QCOMPARE(tavrotest::toHex(after), tavrotest::toHex(record));
        QCOMPARE(e.commands(), QList<int>({CMD_WRITE_PADS}));
    }

    // A stored mode without a type row shows the first type, a value above
    // 127 shows no row; OK keeps both unless the user picks a row.
    void storedValuesWithoutRows_data()
    {
        QTest::addColumn<int>("pad");   // -1: button 0
        QTest::addColumn<bool>("longPress");
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("type");  // the row shown, and picked when pick
        QTest::addColumn<bool>("pick");
        QTest::addColumn<QByteArray>("after");
        QTest::newRow("pad program values") << 3 << false << hex("33 C8 C9 05") << 3 << false << hex("33 C8 C9 05");
        QTest::newRow("button value") << -1 << false << hex("02 15 C8 00") << 0 << false << hex("02 15 C8 00");
        QTest::newRow("mode 4 on a long press") << -1 << true << hex("40 11 22 33") << 0 << false << hex("40 11 22 33");
        QTest::newRow("its first type picked") << -1 << true << hex("40 11 22 33") << 0 << true << hex("00 11 22 33");
        QTest::newRow("pad mode 6") << 6 << false << hex("63 C8 00 7F") << 0 << false << hex("63 C8 00 7F");
    }
    void storedValuesWithoutRows()
    {
        QFETCH(int, pad);
        QFETCH(bool, longPress);
        QFETCH(QByteArray, record);
        QFETCH(int, type);
        QFETCH(bool, pick);
        QFETCH(QByteArray, after);
        QByteArray blk = block();
        const int at = pad >= 0 ? 4 * pad : longPress ? 348 : 336;
        blk.replace(at, 4, record);
        Edit e(blk);
        CDlgRzChild *d = pad >= 0 ? e.pad(pad) : e.button(0);
        Ui_CDlgRzChild *u = Edit::ui(d);
        if (longPress)
            u->pushButton_long->click();
        QCOMPARE(u->comboBox_type->currentIndex(), type);
        if (pick) {
            u->comboBox_type->setCurrentIndex(type);
            emit u->comboBox_type->activated(type); // as the touch list does
        }
        u->pushButton_ok->click();
        const char *stored = reinterpret_cast<const char *>(&e.page.config()) + at;
        QCOMPARE(tavrotest::toHex(QByteArray(stored, 4)), tavrotest::toHex(after));
    }

    // A button edited on both presses writes both; the MCP flag goes with
    // each record.
    void buttonBothPresses()
    {
        Edit e;
        CDlgRzChild *d = e.button(2);
        Ui_CDlgRzChild *u = Edit::ui(d);
        u->comboBox_type->setCurrentIndex(1);
        u->comboBox_data1->setCurrentIndex(20);
        u->pushButton_CH3->setChecked(true);
        u->pushButton_long->click();
        u->comboBox_type->setCurrentIndex(5); // None
        u->comboBox_channel->setCurrentIndex(4);
        QVERIFY(!u->pushButton_CH3->isChecked());
        u->pushButton_ok->click();
        QCOMPARE(int(e.page.config().KeyData[2].ctrl), 0x90);
        QCOMPARE(int(e.page.config().KeyData[2].data1), 20);
        QCOMPARE(int(e.page.config().KeyLongData[2].ctrl), 0x64);
        QCOMPARE(e.commands(), QList<int>({CMD_WRITE_KEYS}));
    }

    // A press put in the Customize mode without its own OK keeps its stored
    // record when the other press is confirmed.
    void unconfirmedCustomizeKeepsItsRecord()
    {
        QByteArray blk = block();
        blk.replace(348, 4, hex("00 0A 14 1E")); // long press 0: CC 10, 20, 30
        Edit e(blk);
        CDlgRzChild *d = e.button(0);
        Ui_CDlgRzChild *u = Edit::ui(d);
        u->pushButton_long->click();
        u->comboBox_type->setCurrentIndex(4); // Customize, left unconfirmed
        u->pushButton_down->click();
        u->pushButton_ok->click();
        QCOMPARE(tavrotest::toHex(QByteArray(reinterpret_cast<const char *>(&e.page.config().KeyLongData[0]), 4)),
                 QStringLiteral("00 0A 14 1E"));
    }

    // Customize on a long press writes only the long press; the pool goes
    // first, then the pads, then the buttons.
    void customizeOnALongPress()
    {
        Edit e;
        const SControlRecord shortPress = e.page.config().KeyData[1];
        CDlgRzChild *d = e.button(1);
        Ui_CDlgRzChild *u = Edit::ui(d);
        u->comboBox_type->setCurrentIndex(2);
        u->pushButton_long->click();
        u->comboBox_type->setCurrentIndex(4);
        u->textEdit_Customize->setPlainText(QStringLiteral("F0 7E 7F 06 01 F7"));
        u->pushButton_ok->click();
        QCOMPARE(int(e.page.config().KeyLongData[1].ctrl), 0x50);
        QCOMPARE(int(e.page.config().KeyLongData[1].value2), 6);
        QCOMPARE(e.page.config().KeyData[1].ctrl, shortPress.ctrl);
        QCOMPARE(e.commands(), QList<int>({CMD_WRITE_SYSEX_POOL, CMD_WRITE_PADS, CMD_WRITE_KEYS}));
        QCOMPARE(e.owner.frames[0], tavrotest::frame(CMD_WRITE_SYSEX_POOL, hex("06 00 F0 7E 7F 06 01 F7")));
    }

    // The typed message of the Customize mode.
    void typedMessages_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("used");   // the pool's bytes the records hold
        QTest::addColumn<int>("old");    // the record's message now (0: not Customize)
        QTest::addColumn<QString>("stored"); // empty: refused
        const QString six = QStringLiteral("F0 7E 7F 06 01 F7 ");
        QTest::newRow("six bytes") << "F0 7E 7F 06 01 F7" << 0 << 0 << six;
        QTest::newRow("lower case, no blanks") << "f07e7f0601f7" << 0 << 0 << six;
        QTest::newRow("separators") << "F0,7E;7F-06 01 F7" << 0 << 0 << six;
        for (const char *bad : {"F0 7E 7F", "F7", "3C", "7F", "90 3C", "C0", "F0 80 F7", "G1", "F0 5 F7",
                                "F0 7E 7F 06 01 F7 5"})
            QTest::newRow(bad) << bad << 0 << 0 << QString();
        QTest::newRow("note on") << "90 3C 64" << 0 << 0 << "90 3C 64 ";
        QTest::newRow("program change") << "C0 05" << 0 << 0 << "C0 05 ";
        QTest::newRow("clock, start, stop") << "F8 FA FC" << 0 << 0 << "F8 FA FC ";
        QTest::newRow("FF") << "FF" << 0 << 0 << "FF ";
        QTest::newRow("empty") << "" << 0 << 0 << "";
        QTest::newRow("80 digits") << QString("F8").repeated(40) << 0 << 0 << QString("F8 ").repeated(40);
        QTest::newRow("81 digits") << QString("F8").repeated(40) + "F" << 0 << 0 << QString();
        QTest::newRow("290 used, 10 bytes") << QString("F8").repeated(10) << 290 << 0 << QString("F8 ").repeated(10);
        QTest::newRow("290 used, 11 bytes") << QString("F8").repeated(11) << 290 << 0 << QString();
        QTest::newRow("300 used, 10 over 10") << QString("F8").repeated(10) << 300 << 10 << QString("F8 ").repeated(10);
    }
    void typedMessages()
    {
        QFETCH(QString, text);
        QFETCH(int, used);
        QFETCH(int, old);
        QFETCH(QString, stored);
        QByteArray blk = block();
        if (old > 0)
            blk.replace(4 * 5, 4, QByteArray("\x40\x00\x00", 3) + char(old)); // pad 5 holds a message
        for (int p = 8, n = used - old; n > 0; ++p, n -= 40) // pads 9.. hold the others' bytes
            blk.replace(4 * p, 4, QByteArray("\x40\x00\x00", 3) + char(qMin(n, 40)));
        Edit e(blk);
        // The count of an earlier packing, before pads left Customize: the
        // room is counted from the records.
        e.page.sysexWork().sysexPoolUsed = 300;
        CDlgRzChild *d = e.pad(5);
        Edit::ui(d)->comboBox_type->setCurrentIndex(4);
        Edit::ui(d)->textEdit_Customize->setPlainText(text);
        const SControlRecord before = e.page.config().PadData[0][5];
        Edit::ui(d)->pushButton_ok->click();
        const SControlRecord &rec = e.page.config().PadData[0][5];
        if (stored.isNull()) {
            QCOMPARE(rec.ctrl, before.ctrl);
            QCOMPARE(rec.value2, before.value2);
            QVERIFY(e.owner.frames.isEmpty());
            QCOMPARE(toastTexts(d).size(), 1);
            return;
        }
        QCOMPARE(int(rec.ctrl), 0x40);
        QCOMPARE(pagekit::sysexText(e.page.sysexWork().padSysex[0][5], rec.value2), stored);
        QCOMPARE(e.commands(), QList<int>({CMD_WRITE_SYSEX_POOL, CMD_WRITE_KEYS, CMD_WRITE_PADS}));
    }

    // "Set ... according to the pad order?": byte 1 of the bank's pads from
    // the chosen base, held to 0..127; Program Change pads (their Bank MSB)
    // and Customize pads untouched.
    void padOrder_data()
    {
        QTest::addColumn<int>("pad");
        QTest::addColumn<int>("base");
        QTest::addColumn<QList<int>>("data1");
        QTest::newRow("base 120 on pad 3") << 2 << 120
                                           << QList<int>{118, 119, 120, 121, 122, 123, 124, 125, 126, 127, 127, 127,
                                                         127, 127, 5, 99};
        QTest::newRow("base 3 on pad 11") << 10 << 3 << QList<int>{0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 5, 99};
    }
    void padOrder()
    {
        QFETCH(int, pad);
        QFETCH(int, base);
        QFETCH(QList<int>, data1);
        QByteArray blk = block();
        blk.replace(4 * 14, 4, hex("30 05 00 00")); // pad 15 in Program Change, Bank MSB 5
        blk.replace(4 * 15, 4, hex("40 63 00 00")); // pad 16 in the Customize mode
        Edit e(blk);
        CDlgRzChild *d = e.pad(pad);
        Edit::ui(d)->comboBox_data1->setCurrentIndex(base);
        Edit::ui(d)->pushButton_setData1->click();
        QCOMPARE(d->findChild<QMessageBox *>()->text(), QStringLiteral("Set Note according to the pad order?"));
        Edit::answer(d, QMessageBox::Yes);
        QList<int> got;
        for (const SControlRecord &rec : e.page.config().PadData[0])
            got << rec.data1;
        QCOMPARE(got, data1);
        QCOMPARE(e.commands(), QList<int>({CMD_WRITE_PADS}));
    }

    // Set all channels on a long press touches the long presses only, but
    // not a Customize one; set all colours previews with index FF.
    void setAllChannelsAndColours()
    {
        QByteArray blk = block();
        blk.replace(348 + 4, 4, hex("50 00 00 00"));
        Edit e(blk);
        CDlgRzChild *d = e.button(0);
        Edit::ui(d)->pushButton_long->click();
        Edit::ui(d)->comboBox_channel->setCurrentIndex(7);
        Edit::ui(d)->pushButton_setCH->click();
        Edit::answer(d, QMessageBox::Yes);
        QCOMPARE(int(e.page.config().KeyLongData[0].channel()), 7);
        QCOMPARE(int(e.page.config().KeyLongData[1].ctrl), 0x50);
        QCOMPARE(int(e.page.config().KeyData[0].channel()), 0);
        QCOMPARE(e.commands(), QList<int>({CMD_WRITE_KEYS}));

        e.owner.frames.clear();
        d = e.pad(8);
        Edit::ui(d)->pushButton_setColor->click();
        Edit::answer(d, QMessageBox::Yes);
        for (const SColourGRB &c : e.page.config().PadRGB[0])
            QCOMPARE(c, e.page.config().PadRGB[0][8]);
        QCOMPARE(e.commands(), QList<int>({CMD_PAD_COLOURS}));
        QCOMPARE(int(uchar(e.owner.frames[0][6])), 0xFF);
    }

    // A pad colour is an edit once confirmed (the chooser's OK, a Yes to a
    // set-all colour question), not while it is only previewed.
    void confirmedColoursAreEdits()
    {
        Edit e;
        CDlgRzChild *d = e.pad(2);
        Edit::ui(d)->pushButton_color->click();
        auto *picker = d->findChild<ColorPicker *>();
        QVERIFY(picker);
        picker->findChild<TouchComboBox *>(QStringLiteral("comboBox_R"))->setCurrentIndex(9);
        QTRY_COMPARE(e.owner.sent(CMD_PAD_COLOURS).size(), 1);
        QVERIFY(!e.page.hasUnsavedChanges());
        picker->findChild<QPushButton *>(QStringLiteral("btn_Confirm"))->click();
        QVERIFY(e.page.hasUnsavedChanges());

        e.page.save_to_device();
        e.ui()->pushButton_setPadColor->click();
        tavrotest::shownQuestion(&e.page)->done(QMessageBox::Yes);
        QVERIFY(e.page.hasUnsavedChanges());
    }

    // An open pad dialog goes when the page shows another bank (the bank
    // button, or a record of the device's), and with the page.
    void dialogFollowsThePage()
    {
        QPointer<CDlgRzChild> d;
        {
            Edit e;
            d = e.pad(1);
            e.ui()->pushButton_PadGroup->click();
            QVERIFY(d.isNull());
            d = e.button(0); // buttons have no bank
            e.ui()->pushButton_PadGroup->click();
            QVERIFY(!d.isNull());
            d = e.pad(2);
            QByteArray rec = systemRecord();
            rec[2] = 2;
            e.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, rec));
            QVERIFY(!d.isNull()); // opened on bank 2, and the record's bank is 2
            rec[2] = 0;
            e.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, rec));
            QVERIFY(d.isNull());
            d = e.pad(3);
        }
        QVERIFY(d.isNull());
    }
};

TAVRO_TEST_MAIN(TestRzChild)
#include "test_rzchild.moc"
