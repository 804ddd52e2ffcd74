// The per-control dialog on a block of its own, offscreen: what each kind shows,
// what OK writes and which section it asks the page to send, the custom MIDI
// byte text, the colour preview and the set-all actions.
#include "devices/pad/crzm7dlg.h"
#include "autodisappermsgbox.h"
#include "bytes.h"
#include "colorpicker.h"
#include "midinames.h"
#include "pagedialogs.h"
#include "testmain.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTextEdit>

#include <algorithm>
#include <cstring>
#include <memory>

using namespace tavrotest;

namespace {

QByteArray recordBytes(const void *p, int n)
{
    return QByteArray(reinterpret_cast<const char *>(p), n);
}

// A block, a SysEx store and a flag as the page holds them, and one dialog on them.
struct Bench
{
    SRZ7ConfigData block;
    SRZ7SysexStore store;
    uchar setAll = 0;
    std::unique_ptr<CRZM7DLG> dlg;
    std::unique_ptr<QSignalSpy> sent;
    std::unique_ptr<QSignalSpy> rgb;

    Bench()
    {
        std::memset(&block, 0, sizeof block);
        std::memset(&store, 0, sizeof store);
    }

    CRZM7DLG *open(int kind, int index, int bank)
    {
        sent.reset();
        rgb.reset();
        dlg.reset(new CRZM7DLG(&block, kind, index, bank, &store, &setAll, nullptr));
        if (kind == 1)
            dlg->show_colour(&block.PadRGB[bank][index]);
        dlg->load_control();
        sent.reset(new QSignalSpy(dlg.get(), &CRZM7DLG::signals_click_ok_send));
        rgb.reset(new QSignalSpy(dlg.get(), &CRZM7DLG::signals_change_rgb));
        dlg->show();
        return dlg.get();
    }

    template <class T>
    T *w(const char *name) const
    {
        T *p = dlg->findChild<T *>(QLatin1String(name));
        if (!p)
            qFatal("no widget %s", name);
        return p;
    }
    QComboBox *combo(const char *name) const { return w<QComboBox>(name); }
    void click(const char *name) const { w<QPushButton>(name)->click(); }
    void type(const QString &text) const { w<QTextEdit>("textEdit_Customize")->setPlainText(text); }
    // Customize pads of bank 2 holding n bytes of the pool, as the last packing
    // counted them.
    void fillPool(int n)
    {
        store.sysexTotal = quint16(store.sysexTotal + n);
        for (int p = 0; n > 0; ++p, n -= 40)
            block.PadData[2][p] = SControlRecord{0x40, 0, 0, uchar(std::min(n, 40))};
    }

    // The sections the dialog asked for, in order.
    QList<int> sections() const
    {
        QList<int> out;
        for (const QList<QVariant> &args : *sent)
            out << args.at(0).toInt();
        return out;
    }

    // The fading message shown over the dialog, empty when none.
    QString message() const
    {
        const auto boxes = dlg->findChildren<AutoDisapperMsgBox *>();
        return boxes.isEmpty() ? QString() : boxes.last()->text();
    }

    // The set-all question on screen (an answered one may still await deletion).
    QMessageBox *question() const
    {
        return tavrotest::shownQuestion(dlg.get(), 2000);
    }

    // Answers the set-all question the dialog asked.
    QString answer(QMessageBox::StandardButton button) const
    {
        QMessageBox *box = question();
        if (!box)
            return QStringLiteral("<no question>");
        const QString text = box->text();
        box->button(button)->click();
        return text;
    }
};

} // namespace

class TestCrzm7Dlg : public QObject
{
    Q_OBJECT
private slots:
    void titlesAndTypeLists();
    void knob_okOrdersRangeAndSends();
    void knob_equalRangeRefusedAndNothingSent();
    void knob_relativeKeepsSpeed();
    void pad_programChangeRoundTripAndNameLists();
    void pad_noteRecordAndCancelWritesNothing();
    void pad_customizeStoresAndReopens();
    void customize_refusalsChangeNothing_data();
    void customize_refusalsChangeNothing();
    void customize_oldLengthOnlyFromCustomize();
    void button_longPressModesAndOtherRecord();
    void button_pressSwitchKeepsEachFlag();
    void button_fifthHasNoMmcNoLongPress();
    void button_customizeSendsPoolFirst();
    void colour_previewAndRestoreOnCancel();
    void colour_acceptKeepsLastChoice();
    void setAll_colours();
    void setAll_channelsSendTheirKind();
    void setAll_data1ByPadOrder();
    void setAll_noChangesNothing();
    void ok_untouchedFieldsKeepTheirBytes();
};

void TestCrzm7Dlg::titlesAndTypeLists()
{
    Bench b;
    b.open(0, 7, 2);
    QCOMPARE(b.dlg->windowTitle(), QStringLiteral("Setting Knob 8"));
    QCOMPARE(b.combo("comboBox_type")->count(), 3);
    QCOMPARE(b.w<QStackedWidget>("stackedWidget")->currentIndex(), 0);
    QVERIFY(b.w<QWidget>("comboBox_data4")->isVisible());
    QCOMPARE(b.w<QPushButton>("pushButton_setCH")->text(), QStringLiteral("To all\nknob"));

    b.open(1, 4, 0);
    QCOMPARE(b.dlg->windowTitle(), QStringLiteral("Setting Pad 5"));
    QCOMPARE(b.combo("comboBox_type")->itemText(4), QStringLiteral("Customize"));
    QCOMPARE(b.w<QStackedWidget>("stackedWidget")->currentIndex(), 1);
    QVERIFY(b.w<QWidget>("pushButton_color")->isVisible());
    QVERIFY(!b.w<QWidget>("comboBox_data4")->isVisible());
    // A pad in Note lists the note names.
    QCOMPARE(b.combo("comboBox_data1")->itemText(60), g_noteNames.at(60));

    b.open(2, 0, 0);
    QCOMPARE(b.dlg->windowTitle(), QStringLiteral("Setting Button 1"));
    QCOMPARE(b.combo("comboBox_type")->count(), 6);
    QCOMPARE(b.combo("comboBox_type")->itemText(4), QStringLiteral("MMC"));
    QCOMPARE(b.w<QStackedWidget>("stackedWidget")->currentIndex(), 2);
    QVERIFY(b.w<QPushButton>("pushButton_down")->isChecked());
    QCOMPARE(b.combo("comboBox_data1")->itemText(7), g_ccNames.at(7));
}

void TestCrzm7Dlg::knob_okOrdersRangeAndSends()
{
    Bench b;
    b.block.KnobData[1][3] = SKnobRecord{0x83, 74, 100, 20, 1};
    b.open(0, 3, 1);
    QCOMPARE(b.combo("comboBox_channel")->currentIndex(), 3);
    QCOMPARE(b.combo("comboBox_data2")->currentIndex(), 100);
    QCOMPARE(b.combo("comboBox_data4")->currentIndex(), 1);
    QVERIFY(b.w<QPushButton>("pushButton_CH3")->isChecked());
    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{1});
    QCOMPARE(toHex(recordBytes(&b.block.KnobData[1][3], 5)), QStringLiteral("83 4A 14 64 01"));
    QVERIFY(!b.dlg->isVisible());

}

void TestCrzm7Dlg::knob_equalRangeRefusedAndNothingSent()
{
    Bench b;
    b.block.KnobData[0][0] = SKnobRecord{0x00, 7, 0, 127, 2};
    b.open(0, 0, 0);
    b.combo("comboBox_data3")->setCurrentIndex(0);
    b.click("pushButton_ok");
    QCOMPARE(b.message(), QStringLiteral("The maximum value and the minimum value cannot be equal."));
    QVERIFY(b.sent->isEmpty());
    QVERIFY(b.dlg->isVisible());
    QCOMPARE(toHex(recordBytes(&b.block.KnobData[0][0], 5)), QStringLiteral("00 07 00 7F 02"));

    // The same for a pad in Note.
    b.block.PadData[0][0] = SControlRecord{0x00, 36, 0, 127};
    b.open(1, 0, 0);
    b.combo("comboBox_data2")->setCurrentIndex(127);
    b.click("pushButton_ok");
    QVERIFY(b.sent->isEmpty());
    QCOMPARE(toHex(recordBytes(&b.block.PadData[0][0], 4)), QStringLiteral("00 24 00 7F"));
}

void TestCrzm7Dlg::knob_relativeKeepsSpeed()
{
    Bench b;
    b.block.KnobData[2][5] = SKnobRecord{0x22, 10, 64, 64, 3};
    b.open(0, 5, 2);
    QCOMPARE(b.combo("comboBox_type")->currentIndex(), 2);
    QCOMPARE(b.w<QLabel>("label_data2")->text(), QStringLiteral("Left"));
    b.combo("comboBox_data4")->setCurrentIndex(0);
    b.click("pushButton_ok"); // equal left and right are allowed
    QCOMPARE(b.sections(), QList<int>{1});
    QCOMPARE(toHex(recordBytes(&b.block.KnobData[2][5], 5)), QStringLiteral("22 0A 40 40 03"));
}

void TestCrzm7Dlg::pad_programChangeRoundTripAndNameLists()
{
    Bench b;
    b.block.PadData[1][2] = SControlRecord{0x30, 5, 6, 7};
    b.open(1, 2, 1);
    QCOMPARE(b.combo("comboBox_type")->currentIndex(), 3);
    QCOMPARE(b.combo("comboBox_data1")->currentIndex(), 7);
    QCOMPARE(b.combo("comboBox_data1")->currentText(), g_gmProgramNames.at(7));
    QCOMPARE(b.combo("comboBox_data2")->currentIndex(), 5);
    QCOMPARE(b.combo("comboBox_data3")->currentIndex(), 6);
    QCOMPARE(b.w<QLabel>("label_data1")->text(), QStringLiteral("Program"));
    QVERIFY(!b.w<QWidget>("pushButton_setData1")->isVisible());

    // Channel 10 (index 9) and index 10 list the drums; the program stays selected.
    b.combo("comboBox_channel")->setCurrentIndex(9);
    QCOMPARE(b.combo("comboBox_data1")->itemText(36), g_gmDrumNames.at(36));
    QCOMPARE(b.combo("comboBox_data1")->currentIndex(), 7);
    b.combo("comboBox_channel")->setCurrentIndex(10);
    QCOMPARE(b.combo("comboBox_data1")->itemText(36), g_gmDrumNames.at(36));
    b.combo("comboBox_channel")->setCurrentIndex(0);
    QCOMPARE(b.combo("comboBox_data1")->itemText(36), g_gmProgramNames.at(36));
    QCOMPARE(b.combo("comboBox_data1")->currentIndex(), 7);

    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{3});
    QCOMPARE(toHex(recordBytes(&b.block.PadData[1][2], 4)), QStringLiteral("30 05 06 07"));

    // Leaving Program Change for Customize and back gives numbers, then names again.
    b.open(1, 2, 1);
    b.combo("comboBox_type")->setCurrentIndex(4);
    QCOMPARE(b.combo("comboBox_data1")->itemText(36), QStringLiteral("36"));
    b.combo("comboBox_type")->setCurrentIndex(3);
    QCOMPARE(b.combo("comboBox_data1")->itemText(36), g_gmProgramNames.at(36));
}

void TestCrzm7Dlg::pad_noteRecordAndCancelWritesNothing()
{
    Bench b;
    b.block.PadData[0][9] = SControlRecord{0x82, 40, 127, 10};
    b.open(1, 9, 0);
    QCOMPARE(b.w<QLabel>("label_data1")->text(), QStringLiteral("Note"));
    b.combo("comboBox_data1")->setCurrentIndex(41);
    b.combo("comboBox_channel")->setCurrentIndex(4);
    b.click("pushButton_cancel");
    QVERIFY(!b.dlg->isVisible());
    QVERIFY(b.sent->isEmpty());
    QCOMPARE(toHex(recordBytes(&b.block.PadData[0][9], 4)), QStringLiteral("82 28 7F 0A"));

    b.open(1, 9, 0);
    b.combo("comboBox_data1")->setCurrentIndex(41);
    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{3});
    QCOMPARE(toHex(recordBytes(&b.block.PadData[0][9], 4)), QStringLiteral("82 29 0A 7F"));

}

void TestCrzm7Dlg::pad_customizeStoresAndReopens()
{
    Bench b;
    b.block.PadData[2][15] = SControlRecord{0x85, 60, 1, 127};
    b.open(1, 15, 2);
    b.combo("comboBox_type")->setCurrentIndex(4);
    QCOMPARE(b.w<QStackedWidget>("stackedWidget_2")->currentIndex(), 1);
    QCOMPARE(b.w<QTextEdit>("textEdit_Customize")->toPlainText(), QString()); // not stored yet
    b.type(QStringLiteral("f0 7e 7f 06 01 f7"));
    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{5});
    const SControlRecord &r = b.block.PadData[2][15];
    QCOMPARE(r.ctrl, uchar(0xC0)); // Customize, flag kept, channel bits 0
    QCOMPARE(r.value2, uchar(6));
    QCOMPARE(toHex(recordBytes(b.store.padSysex[2][15], 6)), QStringLiteral("F0 7E 7F 06 01 F7"));

    b.open(1, 15, 2);
    QCOMPARE(b.combo("comboBox_type")->currentIndex(), 4);
    QCOMPARE(b.w<QTextEdit>("textEdit_Customize")->toPlainText(), QStringLiteral("F0 7E 7F 06 01 F7 "));

    // Packed upper case; X clears the text, an empty text stores length 0.
    b.type(QStringLiteral("F07E7F0601F7"));
    b.click("pushButton_ok");
    QCOMPARE(b.block.PadData[2][15].value2, uchar(6));
    b.open(1, 15, 2);
    b.click("pushButton_DelText");
    QCOMPARE(b.w<QTextEdit>("textEdit_Customize")->toPlainText(), QString());
    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{5});
    QCOMPARE(b.block.PadData[2][15].value2, uchar(0));
}

void TestCrzm7Dlg::customize_refusalsChangeNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("others"); // pool bytes of the other controls
    QTest::addColumn<QString>("message");
    QString digits81;
    for (int i = 0; i < 81; ++i)
        digits81 += QLatin1Char('1');
    QTest::newRow("81 digits") << digits81 << 0 << "Sysex data maximum length is 40";
    QTest::newRow("full pool") << "90 3C 7F 80 3C 00" << 296 << "The SysEx data has reached its maximum capacity of 300 bytes.";
    QTest::newRow("malformed") << "F0 7E" << 0 << "The SysEx message format is err";
    QTest::newRow("lone digit") << "F" << 0 << "The SysEx message format is err";
}

void TestCrzm7Dlg::customize_refusalsChangeNothing()
{
    QFETCH(QString, text);
    QFETCH(int, others);
    QFETCH(QString, message);
    Bench b;
    // Pad 4 of bank 0 holds a four-byte string of the pool's total.
    b.block.PadData[0][3] = SControlRecord{0x40, 0, 0, 4};
    std::memcpy(b.store.padSysex[0][3], "\xF0\x01\x02\xF7\x55\x55", 6);
    b.store.sysexTotal = 4;
    b.fillPool(others);
    const QByteArray recordBefore = recordBytes(&b.block.PadData[0][3], 4);
    const QByteArray bufferBefore = recordBytes(b.store.padSysex[0][3], 40);

    b.open(1, 3, 0);
    b.type(text);
    b.click("pushButton_ok");
    QCOMPARE(b.message(), message);
    QVERIFY(b.sent->isEmpty());
    QVERIFY(b.dlg->isVisible());
    QCOMPARE(b.w<QTextEdit>("textEdit_Customize")->toPlainText(), text);
    QCOMPARE(recordBytes(&b.block.PadData[0][3], 4), recordBefore);
    QCOMPARE(recordBytes(b.store.padSysex[0][3], 40), bufferBefore);
    QCOMPARE(int(b.store.sysexTotal), others + 4);
}

void TestCrzm7Dlg::customize_oldLengthOnlyFromCustomize()
{
    // A record not yet in Customize has no bytes of its own in the pool total:
    // its byte 3 (a value, here 10) does not count as an old length.
    Bench b;
    b.block.KeyData[3] = SControlRecord{0x10, 0, 0, 10};
    b.fillPool(290);
    b.open(2, 3, 0);
    b.combo("comboBox_type")->setCurrentIndex(5);
    b.type(QStringLiteral("F0 01 02 03 04 05 06 07 08 09 F7")); // 11 bytes
    b.click("pushButton_ok");
    QVERIFY(b.sent->isEmpty());
    QCOMPARE(b.block.KeyData[3].ctrl, uchar(0x10));

    // The room is counted from the records: once a pad has left Customize
    // (its OK leaves the packing for later), the message fits.
    b.block.PadData[2][0].ctrl = 0x00;
    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{4});
    QCOMPARE(b.block.KeyData[3].ctrl, uchar(0x50));
}

void TestCrzm7Dlg::button_longPressModesAndOtherRecord()
{
    Bench b;
    b.block.KeyData[1] = SControlRecord{0x13, 20, 127, 0};
    b.block.KeyLongData[1] = SControlRecord{0x50, 0, 0, 3};
    std::memcpy(b.store.keyLongSysex[1], "\xFA\xFB\xFC", 3);
    b.open(2, 1, 0);
    QCOMPARE(b.combo("comboBox_type")->currentIndex(), 1);

    b.click("pushButton_long");
    QVERIFY(b.w<QPushButton>("pushButton_long")->isChecked());
    QVERIFY(!b.w<QPushButton>("pushButton_down")->isChecked());
    QCOMPARE(b.combo("comboBox_type")->count(), 6);
    QCOMPARE(b.combo("comboBox_type")->itemText(5), QStringLiteral("None"));
    QCOMPARE(b.combo("comboBox_type")->currentIndex(), 4);
    QCOMPARE(b.w<QStackedWidget>("stackedWidget_2")->currentIndex(), 1);
    QCOMPARE(b.w<QTextEdit>("textEdit_Customize")->toPlainText(), QStringLiteral("FA FB FC "));

    // "None" is stored as mode 6; the press record comes from its working copy.
    b.combo("comboBox_type")->setCurrentIndex(5);
    QCOMPARE(b.w<QStackedWidget>("stackedWidget_2")->currentIndex(), 2);
    b.block.KeyData[1].data1 = 99; // the working copy wins
    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{2});
    QCOMPARE(b.block.KeyLongData[1].mode(), uchar(6));
    QCOMPARE(toHex(recordBytes(&b.block.KeyData[1], 4)), QStringLiteral("13 14 7F 00"));

    // MMC on the press list is mode 4, with no fields.
    b.open(2, 1, 0);
    b.combo("comboBox_type")->setCurrentIndex(4);
    QCOMPARE(b.w<QStackedWidget>("stackedWidget_2")->currentIndex(), 2);
    b.click("pushButton_ok");
    QCOMPARE(b.block.KeyData[1].mode(), uchar(4));
    QCOMPARE(b.block.KeyLongData[1].mode(), uchar(6));
}

void TestCrzm7Dlg::button_pressSwitchKeepsEachFlag()
{
    Bench b;
    b.block.KeyData[0] = SControlRecord{0x02, 64, 127, 0};    // CC, no flag
    b.block.KeyLongData[0] = SControlRecord{0x95, 7, 100, 0}; // CC Toggle, flag, channel 5
    b.open(2, 0, 0);
    QVERIFY(!b.w<QPushButton>("pushButton_CH3")->isChecked());
    b.click("pushButton_long");
    QVERIFY(b.w<QPushButton>("pushButton_CH3")->isChecked());
    QCOMPARE(b.combo("comboBox_channel")->currentIndex(), 5);
    QCOMPARE(b.combo("comboBox_type")->currentIndex(), 1);
    QCOMPARE(b.combo("comboBox_data2")->currentIndex(), 100);
    b.combo("comboBox_data2")->setCurrentIndex(90);
    b.click("pushButton_down");
    QVERIFY(!b.w<QPushButton>("pushButton_CH3")->isChecked());
    QCOMPARE(b.combo("comboBox_data1")->currentIndex(), 64);
    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{2});
    QCOMPARE(toHex(recordBytes(&b.block.KeyData[0], 4)), QStringLiteral("02 40 7F 00"));
    QCOMPARE(toHex(recordBytes(&b.block.KeyLongData[0], 4)), QStringLiteral("95 07 5A 00"));

    // Clicking the press already on screen changes nothing.
    b.open(2, 0, 0);
    b.combo("comboBox_data1")->setCurrentIndex(3);
    b.click("pushButton_down");
    QCOMPARE(b.combo("comboBox_data1")->currentIndex(), 3);
}

void TestCrzm7Dlg::button_fifthHasNoMmcNoLongPress()
{
    Bench b;
    b.block.KeyData[4] = SControlRecord{0x50, 0, 0, 2};
    std::memcpy(b.store.keySysex[4], "\xF8\xF8", 2);
    b.open(2, 4, 0);
    QCOMPARE(b.w<QStackedWidget>("stackedWidget")->currentIndex(), 0);
    QCOMPARE(b.combo("comboBox_type")->count(), 5);
    QCOMPARE(b.combo("comboBox_type")->findText(QStringLiteral("MMC")), -1);
    QCOMPARE(b.combo("comboBox_type")->currentIndex(), 4);
    QCOMPARE(b.w<QTextEdit>("textEdit_Customize")->toPlainText(), QStringLiteral("F8 F8 "));
    b.type(QStringLiteral("FA"));
    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{4});
    QCOMPARE(toHex(recordBytes(&b.block.KeyData[4], 4)), QStringLiteral("50 00 00 01"));
    QCOMPARE(b.store.keySysex[4][0], uchar(0xFA));

    // Program Change on the fifth button keeps index = mode.
    b.open(2, 4, 0);
    b.combo("comboBox_type")->setCurrentIndex(3);
    b.combo("comboBox_data1")->setCurrentIndex(12);
    b.click("pushButton_ok");
    QCOMPARE(toHex(recordBytes(&b.block.KeyData[4], 4)), QStringLiteral("30 0C 00 01"));

    // Mode 4 has no row on a list without MMC: the first type shows.
    b.block.KeyData[4] = SControlRecord{0x40, 0x11, 0x22, 0x33};
    b.open(2, 4, 0);
    QCOMPARE(b.combo("comboBox_type")->currentIndex(), 0);
}

void TestCrzm7Dlg::button_customizeSendsPoolFirst()
{
    Bench b;
    b.block.KeyData[5] = SControlRecord{0x00, 1, 2, 3};
    b.block.KeyLongData[5] = SControlRecord{0x10, 4, 5, 6};
    b.open(2, 5, 0);
    b.click("pushButton_long");
    b.combo("comboBox_type")->setCurrentIndex(4); // Customize on the long list
    QVERIFY(!b.w<QWidget>("comboBox_data3")->isVisible());
    b.type(QStringLiteral("C0 05"));
    b.click("pushButton_ok");
    QCOMPARE(b.sections(), QList<int>{4});
    QCOMPARE(b.block.KeyLongData[5].ctrl, uchar(0x50));
    QCOMPARE(b.block.KeyLongData[5].value2, uchar(2));
    QCOMPARE(toHex(recordBytes(b.store.keyLongSysex[5], 2)), QStringLiteral("C0 05"));
    QCOMPARE(toHex(recordBytes(&b.block.KeyData[5], 4)), QStringLiteral("00 01 02 03"));
}

void TestCrzm7Dlg::colour_previewAndRestoreOnCancel()
{
    Bench b;
    b.block.PadRGB[1][0] = SColourGRB::fromRgb(1, 2, 3);
    b.open(1, 0, 1);
    QVERIFY(b.w<QPushButton>("pushButton_color")->styleSheet().contains(QStringLiteral("rgb(1, 2, 3)")));
    b.click("pushButton_color");
    auto *picker = b.dlg->findChild<ColorPicker *>();
    QVERIFY(picker);
    QCOMPARE(picker->currentColor(), QColor(1, 2, 3));
    emit picker->colorChanged(QColor(200, 100, 50));
    QVERIFY(b.block.PadRGB[1][0] == SColourGRB::fromRgb(200, 100, 50));
    QCOMPARE(b.rgb->count(), 1);
    QVERIFY(b.w<QPushButton>("pushButton_color")->styleSheet().contains(QStringLiteral("rgb(200, 100, 50)")));

    picker->reject();
    QVERIFY(b.block.PadRGB[1][0] == SColourGRB::fromRgb(1, 2, 3));
    QCOMPARE(b.rgb->count(), 2);
    QVERIFY(b.w<QPushButton>("pushButton_color")->styleSheet().contains(QStringLiteral("rgb(1, 2, 3)")));
    QTRY_VERIFY(b.dlg->findChild<ColorPicker *>() == nullptr);
}

void TestCrzm7Dlg::colour_acceptKeepsLastChoice()
{
    Bench b;
    b.open(1, 7, 0);
    b.click("pushButton_color");
    auto *picker = b.dlg->findChild<ColorPicker *>();
    QVERIFY(picker);
    emit picker->colorChanged(QColor(10, 20, 30));
    // A last edit still inside the chooser's throttle when the user confirms.
    picker->setColor(QColor(40, 50, 60));
    picker->accept();
    QVERIFY(b.block.PadRGB[0][7] == SColourGRB::fromRgb(40, 50, 60));
    const int reports = b.rgb->count();
    QVERIFY(reports >= 2);
    // Cancel of the dialog does not undo an accepted colour.
    b.click("pushButton_cancel");
    QVERIFY(b.block.PadRGB[0][7] == SColourGRB::fromRgb(40, 50, 60));
    QCOMPARE(b.rgb->count(), reports);
}

void TestCrzm7Dlg::setAll_colours()
{
    Bench b;
    b.block.PadRGB[2][3] = SColourGRB::fromRgb(9, 8, 7);
    b.open(1, 3, 2);
    b.click("pushButton_setColor");
    QCOMPARE(b.answer(QMessageBox::Yes), QStringLiteral("Set all color?"));
    for (const SColourGRB &c : b.block.PadRGB[2])
        QVERIFY(c == SColourGRB::fromRgb(9, 8, 7));
    QVERIFY(b.block.PadRGB[1][3] == SColourGRB::fromRgb(0, 0, 0));
    QCOMPARE(b.setAll, uchar(1));
    QCOMPARE(b.rgb->count(), 1);
    QVERIFY(b.sent->isEmpty());
    QVERIFY(b.dlg->isVisible()); // set-all does not close the dialog
}

void TestCrzm7Dlg::setAll_channelsSendTheirKind()
{
    Bench b;
    b.block.KnobData[2][0].ctrl = 0xA0;
    b.open(0, 0, 2);
    b.combo("comboBox_channel")->setCurrentIndex(6);
    b.click("pushButton_setCH");
    QCOMPARE(b.answer(QMessageBox::Yes), QStringLiteral("Set all channels?"));
    QCOMPARE(b.sections(), QList<int>{1});
    for (const SKnobRecord &k : b.block.KnobData[2])
        QCOMPARE(k.channel(), uchar(6));
    QCOMPARE(b.block.KnobData[2][0].ctrl, uchar(0xA6));

    b.block.PadData[0][1].ctrl = 0x40;
    b.open(1, 0, 0);
    b.combo("comboBox_channel")->setCurrentIndex(3);
    b.click("pushButton_setCH");
    b.answer(QMessageBox::Yes);
    QCOMPARE(b.sections(), QList<int>{3});
    QCOMPARE(b.block.PadData[0][1].ctrl, uchar(0x40));
    QCOMPARE(b.block.PadData[0][15].channel(), uchar(3));

    b.block.KeyLongData[2].ctrl = 0x50;
    b.open(2, 0, 0);
    b.click("pushButton_long");
    b.combo("comboBox_channel")->setCurrentIndex(12);
    b.click("pushButton_setCH");
    b.answer(QMessageBox::Yes);
    QCOMPARE(b.sections(), QList<int>{2});
    QCOMPARE(b.block.KeyLongData[0].channel(), uchar(12));
    QCOMPARE(b.block.KeyLongData[2].ctrl, uchar(0x50));
    QCOMPARE(b.block.KeyData[0].channel(), uchar(0));
}

// Program Change pads (byte 1 their Bank MSB) and Customize pads keep byte 1.
void TestCrzm7Dlg::setAll_data1ByPadOrder()
{
    Bench b;
    b.block.PadData[1][6] = SControlRecord{0x30, 5, 6, 7};
    b.block.PadData[1][9] = SControlRecord{0x40, 8, 0, 0};
    b.open(1, 4, 1);
    b.combo("comboBox_data1")->setCurrentIndex(60);
    QVERIFY(b.w<QWidget>("pushButton_setData1")->isVisible());
    b.click("pushButton_setData1");
    QCOMPARE(b.answer(QMessageBox::Yes), QStringLiteral("Set Note according to the pad order?"));
    QCOMPARE(b.sections(), QList<int>{3});
    for (int p = 0; p < 16; ++p)
        QCOMPARE(int(b.block.PadData[1][p].data1), p == 6 ? 5 : p == 9 ? 8 : 56 + p);

    b.open(1, 0, 1);
    b.combo("comboBox_type")->setCurrentIndex(2);
    b.click("pushButton_setData1");
    QCOMPARE(b.answer(QMessageBox::Yes), QStringLiteral("Set CC according to the pad order?"));
}

void TestCrzm7Dlg::setAll_noChangesNothing()
{
    Bench b;
    b.block.PadRGB[0][0] = SColourGRB::fromRgb(50, 50, 50);
    b.open(1, 0, 0);
    const QByteArray before = recordBytes(&b.block, sizeof b.block);
    b.combo("comboBox_channel")->setCurrentIndex(7);
    b.click("pushButton_setCH");
    b.answer(QMessageBox::No);
    b.click("pushButton_setColor");
    b.answer(QMessageBox::No);
    b.click("pushButton_setData1");
    QMessageBox *box = b.question();
    QVERIFY(box);
    box->reject();
    QCOMPARE(recordBytes(&b.block, sizeof b.block), before);
    QVERIFY(b.sent->isEmpty());
    QVERIFY(b.rgb->isEmpty());
    QCOMPARE(b.setAll, uchar(0));
}

// Bytes that no row of their list shows (above 127, a speed above 4, a mode
// without a type row) go back as they were on OK when the user did not touch
// them; a touched field is written.
void TestCrzm7Dlg::ok_untouchedFieldsKeepTheirBytes()
{
    Bench b;
    b.block.KnobData[1][2] = SKnobRecord{0x03, 200, 10, 150, 7};
    b.open(0, 2, 1);
    b.click("pushButton_ok");
    QCOMPARE(recordBytes(&b.block.KnobData[1][2], 5), hex("03 C8 0A 96 07"));
    QCOMPARE(b.sections(), QList<int>({1}));

    b.block.PadData[0][4] = SControlRecord{0x21, 0x90, 0x80, 0xFF}; // momentary, all three without a row
    b.open(1, 4, 0);
    b.combo("comboBox_data2")->setCurrentIndex(64);
    b.click("pushButton_ok");
    QCOMPARE(recordBytes(&b.block.PadData[0][4], 4), hex("21 90 40 FF"));

    b.block.KeyData[3] = SControlRecord{0x32, 0x81, 0x05, 0x82}; // program change
    b.open(2, 3, 0);
    b.click("pushButton_ok");
    QCOMPARE(recordBytes(&b.block.KeyData[3], 4), hex("32 81 05 82"));

    // Pad mode 7, mode 4 on a long press: the first type shows, the mode stays.
    b.block.PadData[0][5] = SControlRecord{0x73, 0x10, 0x20, 0x30};
    b.open(1, 5, 0);
    QCOMPARE(b.combo("comboBox_type")->currentIndex(), 0);
    b.click("pushButton_ok");
    QCOMPARE(recordBytes(&b.block.PadData[0][5], 4), hex("73 10 20 30"));
    b.block.KeyLongData[1] = SControlRecord{0x42, 0x11, 0x22, 0x33};
    b.open(2, 1, 0);
    b.click("pushButton_long");
    b.click("pushButton_ok");
    QCOMPARE(recordBytes(&b.block.KeyLongData[1], 4), hex("42 11 22 33"));
    // Picking the first type is a choice.
    b.open(2, 1, 0);
    b.click("pushButton_long");
    emit b.combo("comboBox_type")->activated(0);
    b.click("pushButton_ok");
    QCOMPARE(recordBytes(&b.block.KeyLongData[1], 4), hex("02 11 22 33"));
}

TAVRO_TEST_MAIN(TestCrzm7Dlg)
#include "test_crzm7dlg.moc"
