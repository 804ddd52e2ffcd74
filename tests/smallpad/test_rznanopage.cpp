// The small pad page on its own: an owner that records what the page sends,
// frames fed through its receive road, its widgets driven as a user would.
#include <QtTest>

#include <QMessageBox>
#include <QPointer>
#include <QTranslator>

#include "colorpicker.h"
#include "devices/smallpad/rznanopresetfile.h"
#include "devices/smallpad/cdlgrzchild.h"
#include "globals.h"
#include "pagedialogs.h"
#include "rznanotest.h"
#include "testmain.h"
#include "touchcombobox.h"

using namespace rznanotest;
using tavrotest::hex;

class TestRznanoPage : public QObject
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

    // With unsaved changes a preset switch asks first: Yes saves, then
    // switches; No switches; Escape (no answer) sends nothing, keeps the
    // edits unsaved, puts the list back to the device's preset and takes the
    // device's frames again.
    void presetQuestion_data()
    {
        QTest::addColumn<int>("result"); // 0: the Escape key
        QTest::addColumn<QList<QByteArray>>("sent");
        QTest::addColumn<int>("shown");
        QByteArray record = systemRecord(5);
        record[3] = 5;
        const QByteArray read = hex("78 59 67 01 00 00 05 FA");
        const QByteArray sys = tavrotest::frame(CMD_SYSTEM_CONFIG, record);
        QTest::newRow("yes") << int(QMessageBox::Yes) << QList<QByteArray>{hex("78 59 68 00 00 00 FF"), read, sys} << 5;
        QTest::newRow("no") << int(QMessageBox::No) << QList<QByteArray>{read, sys} << 5;
        QTest::newRow("escape") << 0 << QList<QByteArray>{} << 0;
    }
    void presetQuestion()
    {
        QFETCH(int, result);
        QFETCH(QList<QByteArray>, sent);
        QFETCH(int, shown);
        Opened o;
        o.page.slots_click_ok_send(2); // a button edit
        o.owner.frames.clear();
        o.ui()->comboBox_Preset->setCurrentIndex(5);
        QVERIFY(o.page.isBusy());
        QMessageBox *box = tavrotest::shownQuestion(&o.page);
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Data has been modified but not saved. Save to device?"));
        if (result)
            box->done(result);
        else
            QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(o.owner.frames, sent);
        QCOMPARE(o.ui()->comboBox_Preset->currentIndex(), shown);
        QVERIFY(!o.page.isBusy());
        QCOMPARE(o.page.hasUnsavedChanges(), result == 0);
        // The device's records are taken again; after a switch the first
        // one was composed before the device took the page's and is dropped.
        QByteArray record = systemRecord(uchar(shown));
        record[0] = char(140);
        o.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, record));
        QCOMPARE(o.ui()->comboBox_tempo->currentText(), QLatin1String(result ? "120" : "140"));
        o.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, record));
        QCOMPARE(o.ui()->comboBox_tempo->currentText(), QStringLiteral("140"));
    }

    // Closing with unsaved changes asks first: Yes saves, then closes; No
    // closes; Escape keeps the page and sends nothing.
    void closeQuestion_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QList<QByteArray>>("sent");
        QTest::addColumn<bool>("stays");
        const QByteArray save = hex("78 59 68 00 00 00 FF");
        const QByteArray close = hex("78 59 75 00 00 00 FF");
        QTest::newRow("no changes") << QString() << QList<QByteArray>{close} << false;
        QTest::newRow("yes") << "yes" << QList<QByteArray>{save, close} << false;
        QTest::newRow("no") << "no" << QList<QByteArray>{close} << false;
        QTest::newRow("escape") << "escape" << QList<QByteArray>{} << true;
    }
    void closeQuestion()
    {
        QFETCH(QString, answer);
        QFETCH(QList<QByteArray>, sent);
        QFETCH(bool, stays);
        Opened o;
        o.page.show();
        if (!answer.isEmpty()) {
            o.page.slots_click_ok_send(3); // a pad edit
            o.owner.frames.clear();
        }
        QStringList seen;
        QCOMPARE(tavrotest::closeAnswering(&o.page, answer, &seen), !stays);
        if (!answer.isEmpty())
            QCOMPARE(seen.mid(0, 2),
                     QStringList({"Save to device", "Data has been modified but not saved. Save to device?"}));
        QCOMPARE(o.owner.withoutPolls(), sent); // a save is answered for a while
        QCOMPARE(o.page.isVisible(), stays);
        QCOMPARE(o.owner.backCalls, stays ? 0 : 1);
    }

    // The bank colour's text: the colour, and its complement for the number.
    void bankColourText_data()
    {
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("text");
        QTest::newRow("black") << 0 << 0 << 0 << "rgb(0,0,0);color:#FFFFFF";
        QTest::newRow("white") << 255 << 255 << 255 << "rgb(255,255,255);color:#000000";
        QTest::newRow("grey") << 128 << 128 << 128 << "rgb(128,128,128);color:#7F7F7F";
        QTest::newRow("red, stored G R B") << 0 << 255 << 0 << "rgb(255,0,0);color:#00FFFF";
    }
    void bankColourText()
    {
        QFETCH(int, g);
        QFETCH(int, r);
        QFETCH(int, b);
        QFETCH(QString, text);
        QCOMPARE(cDlgRznano::colour_style_text(SColourGRB{uchar(g), uchar(r), uchar(b)}), text);
    }

    // The device's preset and its block: a record naming another preset
    // reads that preset's block; a block that came while the page was busy is
    // asked for again; a new preset closes the colour chooser unsent; a new
    // block closes the per-control dialog.
    void deviceSwitchesPreset()
    {
        Opened o;
        o.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, systemRecord(4)));
        QCOMPARE(o.owner.frames, QList<QByteArray>({hex("78 59 67 01 00 00 04 FB")}));
        o.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, systemRecord(4)));
        QCOMPARE(o.owner.frames.size(), 1);
    }
    // A reset reads the shown preset at its answer and preset 0 after 250
    // ms; of the replies, only the shown preset's block is taken, whichever
    // comes last.
    void resetTakesOnlyTheShownPresetsBlock()
    {
        Opened o;
        o.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, systemRecord(3)));
        QByteArray preset3 = block();
        preset3[1] = char(48); // bank 0, pad 1 plays note 48
        o.page.click_reset();
        tavrotest::shownQuestion(&o.page)->done(QMessageBox::Yes);
        o.feed(tavrotest::frame(CMD_FACTORY_RESET, hex("01")));
        QCOMPARE(o.owner.sent(CMD_READ_PRESET).last(), hex("78 59 67 01 00 00 03 FC"));
        QTRY_COMPARE(o.owner.sent(CMD_READ_PRESET).last(), hex("78 59 67 01 00 00 00 FF"));
        const int reads = o.owner.sent(CMD_READ_PRESET).size();
        o.feed(tavrotest::configReply(3, preset3));
        o.feed(tavrotest::configReply(0, block()));
        QCOMPARE(o.page.config().PadData[0][0].data1, uchar(48));
        QCOMPARE(o.owner.sent(CMD_READ_PRESET).size(), reads);
    }
    // On each road to a preset whose whole block the page does not hold,
    // nothing is edited, sent or written from the old block; once the new
    // block has come whole, edits send it, and a set-all colour answered
    // meanwhile is spent.
    void nothingWrittenUntilTheBlockIsHeld_data() { tavrotest::addUnheldBlockRoads(); }
    void nothingWrittenUntilTheBlockIsHeld()
    {
        QFETCH(QString, road);
        QFETCH(int, shown);
        Opened o(systemRecord(road == "reset" ? 2 : 0));
        QByteArray next = block();
        next[1] = char(99); // bank 0, pad 1 plays note 99 in the block shown next
        if (road == "reset") {
            o.page.click_reset();
            tavrotest::shownQuestion(&o.page)->done(QMessageBox::Yes);
            QTRY_COMPARE(o.owner.sent(CMD_READ_PRESET).size(), 1); // preset 0, 250 ms later
            o.feed(tavrotest::configReply(0, next));
        } else if (road == "device") {
            o.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, systemRecord(1)));
        } else {
            o.ui()->comboBox_Preset->setCurrentIndex(1);
            if (road == "cut")
                o.feed(tavrotest::configReply(1, next).left(100));
        }
        o.owner.frames.clear();
        tavrotest::ChosenPath chosen;
        o.page.click_save_config_bin(); // Ctrl+S
        QVERIFY(chosen.asked.isEmpty());
        QVERIFY(tavrotest::toastTexts(&o.page).contains(QStringLiteral("Preset save defeated")));
        o.page.click_pad(0);
        QVERIFY(!o.page.childDialog());
        for (quint8 kind : {2, 3, 4, 5})
            o.page.slots_click_ok_send(kind);
        o.page.click_set_all_rgb_by_pad_bank();
        tavrotest::shownQuestion(&o.page)->done(QMessageBox::Yes);
        o.page.slots_change_rgb();
        o.page.send_mode_colours();
        QCOMPARE(o.owner.frames, QList<QByteArray>());
        // The poll asks for the shown preset again.
        const QByteArray read = tavrotest::frame(CMD_READ_PRESET, QByteArray(1, char(shown)));
        QTRY_VERIFY(o.owner.sent(CMD_READ_PRESET).contains(read));
        o.feed(tavrotest::configReply(uchar(shown), next));
        o.page.click_pad(0);
        QVERIFY(o.page.childDialog());
        o.page.slots_click_ok_send(3);
        QCOMPARE(int(o.owner.sent(CMD_WRITE_PADS).value(0)[6 + 1 + 1]), 99);
        o.page.slots_change_rgb(); // pad 1 alone: the set-all answered above is spent
        QCOMPARE(uchar(o.owner.sent(CMD_PAD_COLOURS).value(0)[6]), uchar(0));
    }
    void blockWhileTheChooserIsOpen()
    {
        Opened o;
        o.page.click_bank_colour();
        auto *picker = o.page.findChild<ColorPicker *>();
        QVERIFY(picker && o.page.isBusy());
        o.feed(tavrotest::configReply(0, block()));
        QVERIFY(o.owner.frames.isEmpty());
        picker->reject();
        QCOMPARE(o.commands(), QList<int>({CMD_WRITE_MODE_COLOURS, CMD_READ_PRESET}));
        QVERIFY(!o.page.isBusy());
    }
    void presetChangeClosesTheChooser()
    {
        Opened o;
        o.page.click_bank_colour();
        QPointer<ColorPicker> picker = o.page.findChild<ColorPicker *>();
        o.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, systemRecord(2)));
        QTRY_VERIFY(picker.isNull() || !picker->isVisible());
        QCOMPARE(o.owner.frames, QList<QByteArray>({hex("78 59 67 01 00 00 02 FD")}));
        QVERIFY(!o.page.isBusy());
    }
    void newBlockClosesTheDialog()
    {
        Opened o;
        o.page.click_key(1);
        QPointer<CDlgRzChild> d = o.page.childDialog();
        QVERIFY(d);
        o.feed(tavrotest::configReply(0, block()));
        QVERIFY(d.isNull());
    }

    // A preset from the online list replaces the block under an open bank
    // colour chooser: it closes without putting the old colour back.
    void presetClosesTheChooser()
    {
        Opened o;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.rznano"));
        QCOMPARE(rznano::writePresetFile(path, o.page.config()), presetfile::Save::Saved);
        o.page.click_bank_colour();
        QPointer<ColorPicker> picker = o.page.findChild<ColorPicker *>();
        o.page.slots_RZNANO_apply_preset(path);
        QTRY_VERIFY(picker.isNull() || !picker->isVisible());
        QCOMPARE(o.commands(), QList<int>({CMD_WRITE_CONFIG}));
        QVERIFY(!o.page.isBusy());
    }

    // "To All Pad" under an open pad dialog: the dialog's previews still
    // name its own pad.
    void setAllKeepsTheDialogsPad()
    {
        Opened o;
        o.page.click_pad(5);
        o.page.click_set_all_rgb_by_pad_bank();
        o.page.findChild<QMessageBox *>()->done(QMessageBox::Yes);
        emit o.page.childDialog()->signals_change_rgb();
        const QList<QByteArray> previews = o.owner.sent(CMD_PAD_COLOURS);
        QCOMPARE(previews.size(), 2);
        QCOMPARE(uchar(previews[0][6]), uchar(0xFF));
        QCOMPARE(uchar(previews[1][6]), uchar(5));
    }

    // Until a record of the device's has been taken, nothing of the page's
    // own goes out in its place.
    void noRecordBeforeTheDevicesOwn()
    {
        tavrotest::RecordingOwner owner;
        cDlgRznano page(&owner);
        QByteArray bad = systemRecord();
        bad[0] = 0; // tempo 0: refused
        page.Slots_recv_frame(tavrotest::u8(tavrotest::frame(CMD_SYSTEM_CONFIG, bad)), 39);
        page.Slots_recv_frame(tavrotest::u8(tavrotest::configReply(0, block())), 7 + 680);
        owner.frames.clear();
        page.click_pad_bank();
        page.form()->comboBox_gate->setCurrentIndex(3);
        page.form()->comboBox_Preset->setCurrentIndex(2);
        QCOMPARE(owner.sent(CMD_SYSTEM_CONFIG).size(), 0);
    }

    // A record that reports Dark beside ECO is shown as it is: both stay on,
    // and the next edit sends both back.
    void recordWithDarkAndEco()
    {
        Opened o;
        QByteArray record = systemRecord();
        record[28] = char(1 << rznano::kEcoBit | 1 << rznano::kDarkBit);
        o.feed(tavrotest::frame(CMD_SYSTEM_CONFIG, record));
        QVERIFY(o.ui()->pushButton_ECO->isChecked() && o.ui()->pushButton_night->isChecked());
        o.ui()->pushButton_DAW->setChecked(true);
        const QList<QByteArray> sent = o.owner.sent(CMD_SYSTEM_CONFIG);
        QCOMPARE(sent.size(), 1);
        QCOMPARE(int(uchar(sent[0][6 + 28])), 1 << rznano::kEcoBit | 1 << rznano::kDarkBit | 1 << rznano::kDawBit);
    }

    // A reply that brings only the head of the block is no block: the page
    // keeps asking for it, disabled, until a whole one comes.
    void shortBlockReplyKeepsAsking()
    {
        tavrotest::RecordingOwner owner;
        cDlgRznano page(&owner);
        auto feed = [&page](const QByteArray &f) { page.Slots_recv_frame(tavrotest::u8(f), uint(f.size())); };
        feed(tavrotest::frame(CMD_SYSTEM_CONFIG, systemRecord()));
        feed(tavrotest::configReply(0, QByteArray(10, 0x77)));
        QVERIFY(!rznano::isConfigEmpty(page.config()));
        owner.frames.clear();
        QTRY_VERIFY(!owner.sent(CMD_POLL).isEmpty());
        QCOMPARE(owner.frames.last(), hex("78 59 67 01 00 00 00 FF"));
        QVERIFY(!tavrotest::contentEnabled(&page));

        feed(tavrotest::configReply(0, block()));
        owner.frames.clear();
        QTRY_VERIFY(!owner.sent(CMD_POLL).isEmpty());
        QCOMPARE(owner.frames.size(), 1);
        QVERIFY(tavrotest::contentEnabled(&page));
    }

    // A save the device refuses leaves the edits unsaved, so closing still
    // asks; a stored one, or a refused save without edits, does not.
    void saveReply_data()
    {
        QTest::addColumn<bool>("edited");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("unsaved");
        QTest::newRow("edits refused") << true << 0 << true;
        QTest::newRow("edits stored") << true << 1 << false;
        QTest::newRow("nothing refused") << false << 0 << false;
    }
    void saveReply()
    {
        QFETCH(bool, edited);
        QFETCH(int, result);
        QFETCH(bool, unsaved);
        Opened o;
        if (edited)
            o.page.slots_click_ok_send(2);
        o.page.save_to_device();
        QVERIFY(!o.page.hasUnsavedChanges());
        o.feed(tavrotest::frame(CMD_SAVE, QByteArray(1, char(result))));
        QCOMPARE(o.page.hasUnsavedChanges(), unsaved);
    }

    // A preset file that cannot be written is a failed save, and says so.
    void saveToAMissingFolder()
    {
        Opened o;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("missing-folder/x.rznano"));
        o.page.save_config_data_to_XML(&o.page.config(), path);
        QVERIFY(tavrotest::toastTexts(&o.page).contains(QStringLiteral("Preset save defeated")));
        QVERIFY(!QFile::exists(path));
    }

    // A pad message that grows moves the Customize pads of the banks after
    // it: their records go to the device too, bank by bank.
    void repackSendsTheBanksThatMoved()
    {
        QByteArray blk = block();
        // Button 0 holds 2 bytes at 0, bank-0 pad 3 holds 3 at 2, bank-2 pad 0
        // holds 1 at 5; bank 1 has no Customize pad.
        blk[336] = 0x50;
        blk[336 + 3] = 2;
        blk[4 * 3] = 0x40;
        blk[4 * 3 + 1] = 2;
        blk[4 * 3 + 3] = 3;
        blk[128] = 0x40;
        blk[128 + 1] = 5;
        blk[128 + 3] = 1;
        Opened o(systemRecord(), blk);
        QCOMPARE(o.page.sysexWork().sysexPoolUsed, std::uint16_t(6));
        // The dialog wrote a 4-byte message for bank-0 pad 3.
        o.page.config().PadData[0][3].value2 = 4;
        o.page.slots_click_ok_send(5);
        QCOMPARE(o.commands(), QList<int>({CMD_WRITE_SYSEX_POOL, CMD_WRITE_KEYS, CMD_WRITE_PADS, CMD_WRITE_PADS}));
        QCOMPARE(int(o.owner.frames[2][6]), 0);
        QCOMPARE(int(o.owner.frames[3][6]), 2);
        QCOMPARE(int(o.owner.frames[3][6 + 1 + 1]), 6); // pad 0's new offset
    }
};

TAVRO_TEST_MAIN(TestRznanoPage)
#include "test_rznanopage.moc"
