// The foot pedal page on its own, fed frames and observed through a recording
// owner: the image it accepts or refuses, the pedal's reports, the edits it
// sends, byte for byte.
#include "testmain.h"

#include <QListWidget>
#include <QTranslator>

#include "bytes.h"
#include "devices/pedal/cdlgz3.h"
#include "globals.h"
#include "midimonitorlist.h"
#include "recordingowner.h"
#include "pedaltestimage.h"
#include "touchcombobox.h"
#include "utils.h"
#include "ui_cdlgz3.h"

using tavrotest::RecordingOwner;
using tavrotest::frame;
using tavrotest::toHex;
using tavrotest::toastTexts;

namespace {

struct Page
{
    RecordingOwner owner;
    cDlgZ3 *page = nullptr;

    Page()
    {
        page = new cDlgZ3(&owner);
        page->show();
    }
    ~Page() { delete page; }

    Ui_cDlgZ3 *ui() const { return page->form(); }
    void receive(const QByteArray &f)
    {
        page->Slots_recv_frame(reinterpret_cast<const uchar *>(f.constData()), uint(f.size()));
    }
    void receiveImage(const SZ3ProConfigData &image) { receive(frame(CMD_POLL, image.toByteArray())); }
    QStringList sent() const
    {
        QStringList out;
        for (const QByteArray &f : owner.frames)
            out << toHex(f);
        return out;
    }
};

} // namespace

class TestCDlgZ3Page : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { g_translator = new QTranslator(qApp); }
    void init()
    {
        g_language = 0;
        g_downloadLink = QStringLiteral("Z3");
        g_firmwareVersion = 5;
        QVERIFY(loadInterfaceCatalogue());
    }

    // Before the first image nothing can be edited; an accepted image is
    // shown and sends nothing.
    void acceptedImageIsShown()
    {
        Page p;
        QVERIFY(!p.ui()->stackedWidget->isEnabled());
        QVERIFY(!p.ui()->widget_display->isEnabled());
        QVERIFY(p.ui()->pushButton_BtHost->isEnabled());
        p.receiveImage(pedaltest::preparedImage());
        QVERIFY(p.ui()->stackedWidget->isEnabled());
        QCOMPARE(p.ui()->comboBox_preset->currentIndex(), 3);
        QCOMPARE(p.ui()->stackedWidget->currentIndex(), 3);
        QCOMPARE(p.ui()->comboBox_Group->count(), 3);
        QCOMPARE(p.ui()->comboBox_MaxGroup->currentIndex(), 2);
        QVERIFY(p.ui()->checkBox_A->isChecked());
        QCOMPARE(p.ui()->comboBox_A->currentIndex(), 2);
        QCOMPARE(p.ui()->listWidget_A1->count(), 2);
        QCOMPARE(p.ui()->listWidget_A1->item(0)->text(), QString("[01]   92   3C   64"));
        QCOMPARE(p.ui()->listWidget_A2->item(0)->text(), QString("F0 43 10 F7 "));
        QCOMPARE(p.ui()->listWidget_pedal->count(), 2);
        QCOMPARE(p.ui()->comboBox_BtModel->currentIndex(), 1);
        QCOMPARE(p.ui()->stackedWidget_BtModel->currentIndex(), 1);
        QCOMPARE(p.ui()->comboBox_ModeDis1->currentIndex(), 9);
        QVERIFY(p.ui()->pushButton_Dot->isChecked());
        QCOMPARE(p.ui()->pushButton_Group1->text(), QString("Down"));
        QCOMPARE(p.sent(), QStringList());
        QVERIFY(p.page->image() == pedaltest::preparedImage());
        // A later image over the Pedal panel shows the mode's page again,
        // with its display row, under the checked "Preset".
        p.ui()->pushButton_pedal->click();
        p.receiveImage(pedaltest::preparedImage());
        QVERIFY(p.ui()->pushButton_BackHomepage->isChecked());
        QCOMPARE(p.ui()->stackedWidget->currentIndex(), 3);
        QVERIFY(p.ui()->widget_display->isVisible());
    }

    // An unanswered poll is sent again twice, 3 s apart; then the user is
    // asked to reconnect.
    void lostImageIsPolledAgain()
    {
        Page p;
        const QString poll = "78 59 66 00 00 00 FF";
        QTRY_COMPARE_WITH_TIMEOUT(p.sent(), QStringList({poll, poll}), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(toastTexts(p.page).contains("Data error,Please reconnect..."), 5000);
        QCOMPARE(p.sent().size(), 2);
    }

    void badChecksumShowsTheLength()
    {
        Page p;
        QByteArray f = frame(CMD_POLL, pedaltest::plainImage().toByteArray());
        f[f.size() - 1] = char(f[f.size() - 1] ^ 0xFF);
        p.receive(f);
        QCOMPARE(toastTexts(p.page), QStringList({"Load data...", "4937"}));
        QVERIFY(!p.ui()->stackedWidget->isEnabled());
    }

    // A refused image changes nothing, before and after a good one, and
    // leaves no state that drops later edits.
    void refusedImagesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("payload");
        const QByteArray good = pedaltest::plainImage().toByteArray();
        QTest::newRow("header length 10") << good.left(10);
        QTest::newRow("one byte too long") << good + QByteArray(1, 0);
        auto broken = [&good](int offset, char value) {
            QByteArray b = good;
            b[offset] = value;
            return b;
        };
        QTest::newRow("pedal count 17") << broken(z3::kPedalCount, 17);
        QTest::newRow("display 0x28") << broken(z3::kDisplayChars + 5, 0x28);
        QTest::newRow("group 8") << broken(z3::kGroupSelect, char(0x80));
    }
    void refusedImagesChangeNothing()
    {
        QFETCH(QByteArray, payload);
        Page p;
        p.receive(frame(CMD_POLL, payload));
        QVERIFY(!p.ui()->stackedWidget->isEnabled());
        QVERIFY(p.page->image() == SZ3ProConfigData());
        QVERIFY(toastTexts(p.page).contains("Data error,Please reconnect..."));

        SZ3ProConfigData good = pedaltest::plainImage();
        good.setMode(3);
        p.receiveImage(good);
        p.receive(frame(CMD_POLL, payload));
        QVERIFY(p.page->image() == good);
        QCOMPARE(p.ui()->comboBox_preset->currentIndex(), 2);
        p.ui()->pushButton_FSB_mode->click();
        QCOMPARE(p.sent(), QStringList{"78 59 62 0C 00 00 10 00 00 21 00 00 30 00 00 40 00 00 5E"});
    }

    void modeReports()
    {
        Page p;
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setDisplayChar(6, 0x83);
        p.receiveImage(image);
        p.ui()->pushButton_pedal->click();
        p.receive(frame(CMD_PEDAL_MODE, QByteArray(1, 4)));
        QCOMPARE(p.ui()->comboBox_preset->currentIndex(), 3);
        QCOMPARE(p.ui()->stackedWidget->currentIndex(), 3);
        QVERIFY(p.ui()->widget_display->isVisible());
        QVERIFY(p.ui()->pushButton_BackHomepage->isChecked());
        QCOMPARE(p.ui()->comboBox_ModeDis1->currentIndex(), 3);
        QVERIFY(p.ui()->checkBox_A->isChecked());
        QCOMPARE(int(p.page->image().mode()), 4);
        p.receive(frame(CMD_PEDAL_MODE, QByteArray(1, 0)));
        QCOMPARE(p.ui()->comboBox_preset->currentIndex(), 0);
        QCOMPARE(int(p.page->image().mode()), 0);
        // Above 4 and without a payload: ignored.
        p.receive(frame(CMD_PEDAL_MODE, QByteArray(1, 5)));
        p.receive(frame(CMD_PEDAL_MODE, QByteArray()));
        QCOMPARE(p.ui()->comboBox_preset->currentIndex(), 0);
        QCOMPARE(int(p.page->image().mode()), 0);
        QCOMPARE(p.sent(), QStringList());
    }

    // Neither a type the page has no row for nor a list count above 16
    // refuses an image: with the group that holds them chosen, the next
    // connection takes the pedal's image. The key shows no action and no
    // list, its type goes back as stored, and the count is held as 16.
    void keyWithoutAction()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setMode(4);
        image.setGroupSelect(0x01);
        image.key(1, 0).setTriggerType(6);
        image.key(1, 2).setCount(1, 17);
        Page first;
        first.receiveImage(image);
        first.ui()->comboBox_Group->setCurrentIndex(1);
        image.setGroupSelect(first.page->image().groupSelect()); // the pedal as it now is
        Page p;
        p.receiveImage(image);
        QVERIFY(p.ui()->stackedWidget->isEnabled());
        QCOMPARE(p.ui()->comboBox_A->currentIndex(), -1);
        QVERIFY(p.ui()->stackedWidget_2->isHidden());
        p.ui()->checkBox_C->setChecked(true);
        QCOMPARE(p.ui()->listWidget_A1->count(), 16);
        p.ui()->comboBox_B->setCurrentIndex(1);
        QVERIFY(p.sent()[1].startsWith("78 59 61 6D 00 00 01 06 00 00 00 12 00 00 00 21 00 10 00"));
    }

    void groupReports()
    {
        Page p;
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setMode(4);
        image.setGroupSelect(0x03);
        image.key(2, 0).setTriggerType(5);
        p.receiveImage(image);
        p.receive(frame(CMD_PEDAL_SETTING, QByteArray(1, 2)));
        QCOMPARE(p.ui()->comboBox_Group->currentIndex(), 2);
        QCOMPARE(int(p.page->image().groupSelect()), 0x23);
        QCOMPARE(p.ui()->comboBox_A->currentIndex(), 4);
        QCOMPARE(p.ui()->pushButton_Group1->text(), QString("Up"));
        // No row 5 with four groups; the same group again changes nothing.
        p.receive(frame(CMD_PEDAL_SETTING, QByteArray(1, 5)));
        p.receive(frame(CMD_PEDAL_SETTING, QByteArray(1, 2)));
        p.receive(frame(CMD_PEDAL_SETTING, QByteArray()));
        QCOMPARE(p.ui()->comboBox_Group->currentIndex(), 2);
        QCOMPARE(int(p.page->image().groupSelect()), 0x23);
        QCOMPARE(p.sent(), QStringList());
        p.ui()->comboBox_Group->setCurrentIndex(1);
        QCOMPARE(p.sent(), QStringList{"78 59 60 02 00 00 04 13 E8"});
    }

    void bluetoothReports()
    {
        Page p;
        p.receiveImage(pedaltest::plainImage());
        QByteArray scan = QByteArray(1, 0) + "Stage Box";
        p.receive(frame(CMD_PEDAL_BLUETOOTH, scan));
        p.receive(frame(CMD_PEDAL_BLUETOOTH, scan));
        QCOMPARE(p.ui()->listWidget_BtName->count(), 1);
        p.receive(frame(CMD_PEDAL_BLUETOOTH, QByteArray(1, 1) + "Stage Box"));
        QCOMPARE(p.ui()->label_CurBt->text(), QString("Connected Bluetooth:Stage Box"));
        QVERIFY(toastTexts(p.page).contains("Bluetooth connection successful..."));
        p.receive(frame(CMD_PEDAL_BLUETOOTH, QByteArray(1, 2)));
        QVERIFY(p.ui()->label_CurBt->text().isEmpty());
        p.receive(frame(CMD_PEDAL_BLUETOOTH, QByteArray()));
        QCOMPARE(p.sent(), QStringList());
    }

    void settingEdits()
    {
        Page p;
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setByte(z3::kMode2Max, 64);
        image.setGroupSelect(0x67);
        image.switchRecord(0)[2] = 0xC8; // no row in switch A's data chooser
        p.receiveImage(image);
        p.ui()->comboBox_preset->setCurrentIndex(1);
        QCOMPARE(p.sent(), QStringList{"78 59 60 02 00 00 02 40 BD"});
        QCOMPARE(p.ui()->stackedWidget->currentIndex(), 1);
        p.owner.frames.clear();
        p.ui()->comboBox_P1Max->setCurrentIndex(0);
        QCOMPARE(p.sent(), QStringList{"78 59 60 02 00 00 01 04 FA"});
        p.owner.frames.clear();
        p.ui()->comboBox_MaxGroup->setCurrentIndex(2);
        QCOMPARE(p.sent(), QStringList({"78 59 60 02 00 00 04 27 D4", "78 59 60 02 00 00 04 22 D9"}));
        QCOMPARE(p.ui()->comboBox_Group->count(), 3);
        QCOMPARE(p.ui()->comboBox_Group->currentIndex(), 2);
        // Channel 3 chosen for switch A: its data byte without a row is kept.
        p.owner.frames.clear();
        p.ui()->comboBox2_channelA->setCurrentIndex(3);
        QCOMPARE(p.sent(), QStringList{"78 59 62 0C 00 00 10 03 C8 20 00 00 30 00 00 40 00 00 94"});
    }

    void languageSwitch_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("momentary");
        QTest::addColumn<QString>("display");
        QTest::addColumn<QString>("title");
        QTest::newRow("English") << 0 << "Momentary" << "Display Screen" << "Z3 Connected V5";
        QTest::newRow("Chinese") << 1 << "瞬时" << "显示屏" << "Z3 已连接 V5";
    }
    void languageSwitch()
    {
        QFETCH(int, language);
        QFETCH(QString, momentary);
        QFETCH(QString, display);
        QFETCH(QString, title);
        Page p;
        SZ3ProConfigData image = pedaltest::plainImage();
        image.switchRecord(1)[0] = 0x21;
        image.setDisplayChar(0, 5);
        p.receiveImage(image);
        QTRY_VERIFY(!p.page->windowTitle().isEmpty());
        g_language = language;
        p.page->Slots_change_language();
        QCOMPARE(p.ui()->label_Display_screen->text(), display);
        QCOMPARE(p.ui()->pushButton_FSB_mode->text(), momentary);
        QCOMPARE(p.page->windowTitle(), title);
        QCOMPARE(p.sent(), QStringList());
    }

    void closingSendsNothing()
    {
        Page p;
        p.receiveImage(pedaltest::preparedImage());
        QTest::keyClick(p.page, Qt::Key_Escape);
        QCOMPARE(p.owner.backCalls, 1);
        p.page->close();
        QCOMPARE(p.owner.backCalls, 2);
        QCOMPARE(p.sent(), QStringList());
    }

    // Both monitors share the list and keep at most 499 rows.
    void monitors()
    {
        Page p;
        const uchar sysex[] = {0xF0, 0x01, 0xF7};
        p.page->Slots_recv_sysex(sysex, 3);
        const uchar open[] = {0xF0, 0x02};
        p.page->Slots_recv_sysex(open, 2);
        p.page->Slots_recv_midi(0x643C91);
        p.page->Slots_recv_midi(0xF8);
        p.page->monitor()->flush();
        QListWidget *list = p.ui()->listWidget_show;
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(0)->text(), QString("F0 01 F7 "));
        QCOMPARE(list->item(0)->foreground().color(), QColor(255, 255, 142));
        QCOMPARE(list->item(1)->text(), QString("Note ON: 91 3C 64"));
        QCOMPARE(list->item(2)->text(), QString("F8"));
        for (int i = 0; i < 600; ++i)
            p.page->Slots_recv_midi(0xF8);
        p.page->monitor()->flush();
        QCOMPARE(list->count(), 499);
        for (int i = 0; i < 600; ++i)
            p.page->Slots_recv_sysex(sysex, 3);
        QTRY_COMPARE(p.page->monitor()->pending(), 0);
        QCOMPARE(list->count(), 499);
        p.ui()->pushButton_DelText->click();
        QCOMPARE(list->count(), 0);
        QCOMPARE(p.sent(), QStringList());
    }
};

TAVRO_TEST_MAIN(TestCDlgZ3Page)
#include "test_cdlgz3page.moc"
