// The pad self-test dialog fed through a recording owner, tick by tick: what
// it sends when it opens, its lamps, banner, monitor and keys.
#include <QtTest>

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include "bytes.h"
#include "midinames.h"
#include "recordingowner.h"
#include "selftest/ctestdlg.h"
#include "selftest/selftesttones.h"
#include "testmain.h"
#include "ui_ctestdlg.h"

using tavrotest::RecordingOwner;

namespace {

QStringList hexFrames(const QList<QByteArray> &frames)
{
    QStringList out;
    for (const QByteArray &f : frames)
        out << tavrotest::toHex(f);
    return out;
}

// A status record whose byte 28 and 29 are given.
QByteArray statusRecord(uchar byte28, uchar byte29)
{
    QByteArray r(32, 0);
    r[28] = char(byte28);
    r[29] = char(byte29);
    return tavrotest::frame(CMD_SYSTEM_CONFIG, r);
}

void receive(cTestDlg &dlg, const QByteArray &frame)
{
    dlg.Slots_recv_frame(tavrotest::u8(frame), uint(frame.size()));
}

// The monitor's lines once the page's tick has put them in.
QStringList lines(cTestDlg &dlg)
{
    dlg.tick();
    QStringList out;
    for (int k = 0; k < dlg.form()->listWidget_show->count(); ++k)
        out << dlg.form()->listWidget_show->item(k)->text();
    return out;
}

} // namespace

class TestCTestDlg : public QObject
{
    Q_OBJECT

private slots:
    // audio/ and ConfigData/ as they ship.
    void init() { SelfTestPage::setFilesFolder(QStringLiteral(TAVRO_SELFTEST_FILES)); }

    // What each model sends while it opens, the lamps it shows and its prompt.
    void opens_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<QStringList>("frames");
        QTest::addColumn<QString>("title");
        QTest::newRow("model 7") << 7
                                 << QStringList({"78 59 66 00 00 00 FF", "78 59 72 00 00 00 FF",
                                                 "78 59 73 04 00 00 64 00 FF 00 9C"})
                                 << "RZ-7 自检模式";
        QTest::newRow("model 8") << 8
                                 << QStringList({"78 59 73 04 00 00 00 00 FF 00 00", "78 59 66 00 00 00 FF",
                                                 "78 59 72 00 00 00 FF", "78 59 73 04 00 00 64 00 FF 00 9C",
                                                 "78 59 73 04 00 00 00 00 FF 00 00"})
                                 << "RZ-Nano 自检模式";
    }
    void opens()
    {
        QFETCH(int, model);
        QFETCH(QStringList, frames);
        QFETCH(QString, title);
        RecordingOwner owner;
        cTestDlg dlg(&owner, uchar(model));
        dlg.show();
        Ui_cTestDlg *ui = dlg.form();
        QCOMPARE(hexFrames(owner.frames), frames);
        QCOMPARE(dlg.windowTitle(), title);
        QVERIFY(!(dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(ui->pushButton_MIDI->isVisible(), model == 7);
        QCOMPARE(ui->label_MIDI->isVisible(), model == 7);
        QVERIFY(ui->pushButton_USB->isChecked() && !ui->pushButton_BLE->isChecked());
        QCOMPARE(ui->label_knob->isVisible(), model == 7);
        QCOMPARE(ui->label_press->isVisible(), model == 8);
        QCOMPARE(ui->label_knob->text(), QString::fromUtf8("右旋第1个旋钮"));
        QVERIFY(!ui->label_Err->isVisible());
        QVERIFY(!ui->listWidget_show->isVisible() && !ui->pushButton_DelText->isVisible());
    }

    // The lamps follow the unit's status record; model 8 reads its byte 28
    // only; a record cut short changes nothing; a poll that cannot be sent
    // takes the USB and MIDI lamps off.
    void lamps()
    {
        RecordingOwner owner;
        cTestDlg pad(&owner, 7);
        Ui_cTestDlg *ui = pad.form();
        receive(pad, statusRecord(0, 0xC0));
        QVERIFY(ui->pushButton_MIDI->isChecked() && ui->pushButton_BLE->isChecked());
        receive(pad, statusRecord(0x80, 0x40));
        QVERIFY(ui->pushButton_MIDI->isChecked() && !ui->pushButton_BLE->isChecked());
        receive(pad, tavrotest::frame(CMD_SYSTEM_CONFIG, QByteArray(31, char(0xFF))));
        QByteArray cut = statusRecord(0x80, 0x80);
        cut.chop(4); // the header's payload did not come whole
        receive(pad, cut);
        QVERIFY(ui->pushButton_MIDI->isChecked() && !ui->pushButton_BLE->isChecked());

        // A click toggles a lamp, and the test goes by it.
        QTest::mouseClick(ui->pushButton_BLE, Qt::LeftButton);
        QVERIFY(ui->pushButton_BLE->isChecked());
        QVERIFY(pad.model().lamp(padtest::LampBluetooth));

        owner.frames.clear();
        owner.sendResult = false;
        pad.tick();
        QVERIFY(!ui->pushButton_USB->isChecked() && !ui->pushButton_MIDI->isChecked());
        QCOMPARE(hexFrames(owner.frames), QStringList({"78 59 66 00 00 00 FF", "78 59 72 00 00 00 FF",
                                                       "78 59 73 04 00 00 64 00 FF 00 9C"}));
        owner.sendResult = true;
        for (int t = 0; t < 5; ++t)
            pad.tick();
        QVERIFY(ui->pushButton_USB->isChecked());
        // Polls that cannot be sent for 3 s after the last record: the owner
        // is asked to open the unit's ports again.
        QSignalSpy silent(&pad, &SelfTestPage::signal_unit_silent);
        owner.sendResult = false;
        for (int t = 0; t < 15; ++t)
            pad.tick();
        QCOMPARE(silent.count(), 1);

        RecordingOwner smallOwner;
        cTestDlg small(&smallOwner, 8);
        receive(small, statusRecord(0x80, 0x00));
        QVERIFY(small.form()->pushButton_BLE->isChecked() && small.form()->pushButton_MIDI->isHidden());
        receive(small, statusRecord(0x00, 0xC0));
        QVERIFY(!small.form()->pushButton_BLE->isChecked());
    }

    // The banner: flash answers that no test awaits, and the texts errors leave.
    void banner()
    {
        RecordingOwner owner;
        cTestDlg dlg(&owner, 7);
        dlg.show();
        QLabel *err = dlg.form()->label_Err;
        receive(dlg, tavrotest::hex("78 59 74 01 00 00 01 FE"));
        receive(dlg, tavrotest::hex("78 59 74 00 00 00 FF"));
        receive(dlg, tavrotest::hex("78 59 74 01 00 00 00 FF"));
        QVERIFY(!err->isVisible());
        // Error 4 has no text of its own: not the USB text of the error before.
        dlg.show_error(5);
        dlg.show_error(4);
        QCOMPARE(err->text(), QString::fromUtf8("自检出错，请重新自检！"));
        dlg.restart_test();
        QVERIFY(!err->isVisible());

        // An audio folder without its files: silent, and no error.
        QTemporaryDir noWav;
        QVERIFY(QDir(noWav.path()).mkpath("audio"));
        QVERIFY(QDir(noWav.path()).mkpath("ConfigData"));
        QVERIFY(QFile::copy(TAVRO_SELFTEST_FILES "/ConfigData/SelfCheck.ini", noWav.filePath("ConfigData/SelfCheck.ini")));
        SelfTestPage::setFilesFolder(noWav.path());
        cTestDlg silent(&owner, 7);
        QVERIFY(silent.tones()->loaded());
        QVERIFY(!silent.model().errorShown());

        // No limits file and no audio folder: the sound error is the one shown.
        QTemporaryDir empty;
        SelfTestPage::setFilesFolder(empty.path());
        cTestDlg bare(&owner, 7);
        bare.show();
        QVERIFY(bare.form()->label_Err->isVisible());
        QCOMPARE(bare.form()->label_Err->text(), QString::fromUtf8("WAV文件缺失！"));
        QVERIFY(!bare.tones()->loaded());
        QCOMPARE(bare.model().limits().padMax, uchar(40));
    }

    // The monitor: one line per short message, F11 shows and hides it, 250
    // lines at most, a scroll on the next tick, no line for a SysEx.
    void monitor()
    {
        RecordingOwner owner;
        cTestDlg dlg(&owner, 7);
        dlg.show();
        QListWidget *list = dlg.form()->listWidget_show;
        dlg.Slots_recv_midi(0x7F2490);
        dlg.Slots_recv_midi(0xF8);
        dlg.Slots_recv_midi(0x10C5);
        const QByteArray sysex = tavrotest::hex("F0 01 02 F7");
        dlg.Slots_recv_sysex(tavrotest::u8(sysex), uint(sysex.size()));
        QVERIFY(dlg.scroll_pending());
        QCOMPARE(list->count(), 0);
        QCOMPARE(lines(dlg), QStringList({"Note ON: 90 24 7F", "F8", "Program Change: C5 10"}));
        QVERIFY(!dlg.scroll_pending());
        QCOMPARE(list->item(0)->foreground().color(), g_statusColours.value(0x90));

        QTest::keyClick(&dlg, Qt::Key_F11);
        QVERIFY(list->isVisible() && dlg.form()->pushButton_DelText->isVisible());
        for (int k = 0; k < 247; ++k)
            dlg.Slots_recv_midi(0x40B0 | uint(k & 0x7F) << 16);
        QCOMPARE(lines(dlg).size(), 250);
        // Once the list scrolls, its widest line stands whole beside the scroll bar.
        QTRY_VERIFY(list->verticalScrollBar()->isVisible()
                    && list->viewport()->width() >= list->sizeHintForColumn(0));
        QCOMPARE(list->item(0)->text(), QString("Note ON: 90 24 7F"));
        dlg.Slots_recv_midi(0x00B0);
        QCOMPARE(lines(dlg).size(), 250);
        QCOMPARE(list->item(0)->text(), QString("F8"));
        QTest::mouseClick(dlg.form()->pushButton_DelText, Qt::LeftButton);
        QCOMPARE(list->count(), 0);
        QTest::keyClick(&dlg, Qt::Key_F11);
        QVERIFY(!list->isVisible() && !dlg.form()->pushButton_DelText->isVisible());
    }

    // Return and Enter press no button, wherever the focus is; Alt+S and
    // Alt+F still do.
    void keys()
    {
        RecordingOwner owner;
        cTestDlg dlg(&owner, 7);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        Ui_cTestDlg *ui = dlg.form();
        owner.frames.clear();
        const bool bluetooth = ui->pushButton_BLE->isChecked();
        for (QWidget *w : {static_cast<QWidget *>(&dlg), static_cast<QWidget *>(ui->pushButton_reset2)}) {
            w->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
        }
        QCOMPARE(ui->pushButton_BLE->isChecked(), bluetooth);
        QVERIFY(owner.frames.isEmpty());
        QCOMPARE(ui->pushButton_BLE->focusPolicy(), Qt::NoFocus);

        // A mnemonic clicks its button a moment later (the click is animated).
        QTest::keyClick(&dlg, Qt::Key_S, Qt::AltModifier);
        QTRY_COMPARE(owner.sent(CMD_TEST_START).size(), 1);
        QTest::keyClick(&dlg, Qt::Key_F, Qt::AltModifier);
        QTRY_VERIFY(dlg.model().ledTest());
    }

    // Escape closes the page as the close box does: the owner hears of it.
    void escape()
    {
        RecordingOwner owner;
        QPointer<cTestDlg> dlg = new cTestDlg(&owner, 8);
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        dlg->show();
        QTest::keyClick(dlg, Qt::Key_Escape);
        QCOMPARE(owner.closedEvents, 1);
        QTRY_VERIFY(dlg.isNull());
    }
};

TAVRO_TEST_MAIN(TestCTestDlg)
#include "test_ctestdlg.moc"
