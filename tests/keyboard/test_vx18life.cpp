// The keyboard page's closing, files and toolbar, with the page fed directly
// through a recording owner: the close question, preset files and the raw
// dump, calibration, the online preset list and the firmware index against a
// local server.
#include <QtTest>

#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>

#include <cstring>

#include "bytes.h"
#include "cdlgpadlevel.h"
#include "cdlgpreset.h"
#include "cupgrade.h"
#include "devices/keyboard/cdlgvx18.h"
#include "devices/keyboard/vx18presetfile.h"
#include "globals.h"
#include "httpfixture.h"
#include "pagedialogs.h"
#include "recordingowner.h"
#include "vx18test.h"
#include "testmain.h"
#include "touchcombobox.h"
#include "ui_cdlgvx18.h"

using namespace tavrotest;
using namespace vx18;
using namespace vx18test;

namespace {

// Pads in Note from firstNote; button 1 with a message in the pool.
SVX18ConfigData makeBlock(int firstNote)
{
    SVX18ConfigData b;
    std::memset(&b, 0, sizeof b);
    for (uint bank = 0; bank < kBanks; ++bank) {
        for (uint p = 0; p < kPadsPerBank; ++p)
            b.PadData[bank][p] = SControlRecord{0, uchar(firstNote + 8 * bank + p), 0, 127};
    }
    b.KeyData[0] = SKnobRecord{0x50, 0, 0, 3, 0};
    std::memcpy(b.SysexPool, "\xF0\x7E\xF7", 3);
    b.KBXPose = 0xFD;
    b.CRC = 0x5A;
    return b;
}

QString pad1(const Page &p)
{
    return p.page.findChild<QPushButton *>(QStringLiteral("pad1"))->text();
}

} // namespace

class TestVx18Life : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        g_translator = new QTranslator(qApp);
        g_language = 0;
        g_downloadLink = QStringLiteral("vx18");
    }

    // Closing: without changes the close frame at once; with changes the
    // question decides, and Cancel, Escape or its close box keep the page.
    void closeQuestion_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QList<QByteArray>>("sent");
        const QByteArray save = hex("78 59 68 00 00 00 FF");
        const QByteArray close = hex("78 59 75 00 00 00 FF");
        QTest::newRow("no changes") << QString() << QList<QByteArray>{close};
        QTest::newRow("yes") << "yes" << QList<QByteArray>{save, close};
        QTest::newRow("no") << "no" << QList<QByteArray>{close};
        QTest::newRow("cancel") << "cancel" << QList<QByteArray>{};
        QTest::newRow("escape") << "escape" << QList<QByteArray>{};
        QTest::newRow("close box") << "box" << QList<QByteArray>{};
    }
    void closeQuestion()
    {
        QFETCH(QString, answer);
        QFETCH(QList<QByteArray>, sent);
        const bool stays = !sent.contains(hex("78 59 75 00 00 00 FF"));
        Page o(makeBlock(36));
        o.page.show();
        o.page.model().setUnsavedChanges(!answer.isEmpty());
        QStringList seen;
        const bool closed = closeAnswering(&o.page, answer, &seen);
        if (!answer.isEmpty())
            QCOMPARE(seen, QStringList({"Save to device", "Save the data to the device?", "(Close)", "Cancel", "No",
                                        "Yes"}));
        else
            QVERIFY(seen.isEmpty());
        QCOMPARE(o.owner.withoutPolls(), sent); // a save is answered for a while
        QCOMPARE(closed, !stays);
        QCOMPARE(o.page.isVisible(), stays);
        QCOMPARE(o.owner.backCalls, stays ? 0 : 1);
    }

    // Save a preset file and load it back: the block returns whole and goes
    // to the device as one configuration write; what arrives from the device
    // while the file dialog is open is dropped, and the unsaved mark stays.
    void presetFileRoundTrip()
    {
        QTemporaryDir dir;
        ChosenPath chooser;
        chooser.path = dir.filePath("mine.vx18");
        const SVX18ConfigData original = makeBlock(36);
        Page o(original);
        o.ui()->pushButton_Out->click();
        QCOMPARE(chooser.asked, QStringList({"save|Save Preset File|Zol VX18 Preset (*.vx18)"}));
        QVERIFY(toastTexts(&o.page).contains("Preset save successful"));
        QCOMPARE(readAll(chooser.path), presetFileBytes(original));

        o.receive(frame(CMD_READ_PRESET, QByteArray(1, 0) + blockBytes(makeBlock(60))));
        QVERIFY(pad1(o).contains("data1:60"));
        o.page.model().setUnsavedChanges(true);
        chooser.asked.clear();
        chooser.whileOpen = [&o] {
            QVERIFY(o.page.model().isLoadingPreset());
            o.receive(frame(CMD_READ_PRESET, QByteArray(1, 5) + blockBytes(makeBlock(90))));
            o.receive(frame(CMD_SYSTEM_CONFIG, keyboardRecord(5)));
        };
        o.ui()->pushButton_In->click();
        QCOMPARE(chooser.asked, QStringList({"open|Open Preset File|Zol VX18 Preset (*.vx18)"}));
        QCOMPARE(blockBytes(o.page.model().config()), blockBytes(original));
        QVERIFY(pad1(o).contains("data1:36"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(o.page.model().sysex().keyText[0]), 3), hex("F0 7E F7"));
        QCOMPARE(o.owner.frames.size(), 1);
        QCOMPARE(o.owner.frames[0].size(), 762);
        QCOMPARE(o.owner.frames[0], frame(CMD_WRITE_CONFIG, blockBytes(original)));
        QCOMPARE(int(o.page.model().preset()), 0);
        QVERIFY(!o.page.model().isLoadingPreset());
        QVERIFY(o.page.model().hasUnsavedChanges());

        // A file that cannot be written is a failed save, and says so.
        chooser.whileOpen = nullptr;
        chooser.path = dir.filePath("missing-folder/x.vx18");
        o.ui()->pushButton_Out->click();
        QVERIFY(toastTexts(&o.page).contains("Preset save defeated"));
        QVERIFY(!QFile::exists(chooser.path));
    }

    // A block the device sends while the open dialog is up is dropped; when
    // no file was loaded, it is asked for again.
    void blockDroppedDuringTheDialogIsAskedAgain()
    {
        ChosenPath chooser; // cancelled
        Page o(makeBlock(36));
        chooser.whileOpen = [&o] { o.receive(frame(CMD_READ_PRESET, QByteArray(1, 0) + blockBytes(makeBlock(90)))); };
        o.ui()->pushButton_In->click();
        QCOMPARE(blockBytes(o.page.model().config()), blockBytes(makeBlock(36)));
        QCOMPARE(o.owner.frames, QList<QByteArray>({hex("78 59 67 01 00 00 00 FF")}));
    }

    // Files that cannot be used change and send nothing, and say so in a box.
    void badPresetFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        const QByteArray good = presetFileBytes(makeBlock(48));
        SVX18ConfigData outside = makeBlock(48);
        outside.PadData[3][7] = SControlRecord{0x40, 0x2C, 0x01, 1}; // 300 + 1 > 300
        QTest::newRow("foreign header") << QByteArray("RZ-Nano") + good.mid(5);
        QTest::newRow("header only") << QByteArray("VX-18");
        QTest::newRow("cut") << good.left(good.size() / 2);
        QTest::newRow("malformed") << QByteArray("VX-18") + qCompress(presetXml(makeBlock(48)).left(900), 9);
        QTest::newRow("reference outside the pool") << presetFileBytes(outside);
    }
    void badPresetFiles()
    {
        QFETCH(QByteArray, content);
        QTemporaryDir dir;
        ChosenPath chooser;
        chooser.path = dir.filePath("bad.vx18");
        QVERIFY(writeAll(chooser.path, content));
        Page o(makeBlock(36));
        const QByteArray before = blockBytes(o.page.model().config());
        QStringList seen;
        QPointer<QTimer> waiting = onNextModalBox([&](QMessageBox *b) {
            seen << b->windowTitle() << b->text();
            b->done(QMessageBox::Yes);
        });
        o.ui()->pushButton_In->click();
        delete waiting;
        QCOMPARE(seen, QStringList({"File Error!", "Configuration file error!"}));
        QVERIFY(o.owner.frames.isEmpty());
        QCOMPARE(blockBytes(o.page.model().config()), before);
        QVERIFY(!o.page.model().isLoadingPreset());
    }

    // Before the shown preset's whole block has come, neither a preset file
    // nor the raw dump is written from it.
    void noFileBeforeAWholeBlock()
    {
        ChosenPath chooser;
        RecordingOwner owner;
        CDlgVX18 page(&owner);
        page.form()->pushButton_Out->click();
        page.form()->pushButton_ConfigData->click();
        QVERIFY(chooser.asked.isEmpty());
        QCOMPARE(toastTexts(&page), QStringList({"Preset save defeated", "Preset save defeated"}));
    }

    // Ctrl+S dumps the block as it is.
    void ctrlSWritesTheBlock()
    {
        QTemporaryDir dir;
        ChosenPath chooser;
        chooser.path = dir.filePath("dump.bin");
        Page o(makeBlock(40));
        o.page.show();
        o.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&o.page));
        QTest::keyClick(&o.page, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(chooser.asked, QStringList({"save|Config File|Config Files (*.bin)"}));
        QCOMPARE(readAll(chooser.path), blockBytes(makeBlock(40)));
        QVERIFY(o.owner.frames.isEmpty());
    }

    // Calibration: one dialog for the page's life, run modally each time;
    // Apply sends the levels.
    void padCalibration()
    {
        QPointer<cDlgPadLevel> dlg;
        {
            Page o(makeBlock(36));
            QList<QPointer<cDlgPadLevel>> shown;
            for (int round = 0; round < 2; ++round) {
                QTimer::singleShot(0, [&] {
                    shown << o.page.padLevelDialog();
                    auto *level = o.page.padLevelDialog()->findChild<TouchComboBox *>("comboBox_3");
                    level->setCurrentIndex(level->findText("70"));
                    o.page.padLevelDialog()->findChild<QPushButton *>("pushButton_save")->click();
                    o.page.padLevelDialog()->reject();
                });
                o.ui()->pushButton_threshold->click();
            }
            QCOMPARE(shown.size(), 2);
            QCOMPARE(shown[0], shown[1]);
            const QList<QByteArray> sent = o.owner.sent(CMD_SYSTEM_CONFIG);
            QCOMPARE(sent.size(), 2);
            QCOMPARE(int(uchar(sent[0][6 + 14])), 70);
            dlg = o.page.padLevelDialog();
        }
        QVERIFY(!dlg); // closed and gone with the page
    }

    // The online preset list: the index is fetched while no local copy
    // exists, then read locally; a preset chosen there is written whole.
    void onlinePresetList()
    {
        HttpFixture server;
        QVERIFY(server.start());
        qputenv("TAVRO_SERVER_BASE", server.baseUrl().toUtf8());
        const QString index = QStringLiteral("tvsuite/vx18/preset.ini");
        const QString local = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                              + QStringLiteral("/vx18/LoadPreset/preset.ini");
        QPointer<CDlgPreset> dlg;
        {
            Page o(makeBlock(36));
            auto list = [&o] { return o.page.presetDialog()->findChild<QListWidget *>("listWidget"); };
            server.setBehaviour(index, HttpFixture::NotFound);
            o.ui()->pushButton_LoadPreset->click();
            QTRY_COMPARE(server.requestCount(index), 1);
            QTRY_VERIFY(!toastTexts(o.page.presetDialog()).isEmpty()); // the download failed
            QVERIFY(!QFile::exists(local));

            server.setBehaviour(index, HttpFixture::Serve);
            server.writeFile(index, "[files]\n1=Jazz\n");
            o.ui()->pushButton_LoadPreset->click();
            QTRY_COMPARE(list()->count(), 1);
            QCOMPARE(server.requestCount(index), 2);
            QVERIFY(QFile::exists(local));
            o.ui()->pushButton_LoadPreset->click();
            QCOMPARE(list()->count(), 1);
            QCOMPARE(server.requestCount(index), 2);
            dlg = o.page.presetDialog();

            const SVX18ConfigData jazz = makeBlock(70);
            server.writeFile("tvsuite/vx18/Jazz.vx18", presetFileBytes(jazz));
            list()->setCurrentRow(0);
            dlg->findChild<QPushButton *>("pushButton_yes")->click();
            dlg->findChild<QMessageBox *>()->done(QMessageBox::Yes);
            QTRY_COMPARE(o.owner.sent(CMD_WRITE_CONFIG).size(), 1);
            QCOMPARE(o.owner.frames, QList<QByteArray>({frame(CMD_WRITE_CONFIG, blockBytes(jazz))}));
            QVERIFY(pad1(o).contains("data1:70"));
            QVERIFY(!dlg->isVisible());
        }
        QVERIFY(!dlg);
    }

    // Firmware upgrade: the dialog fetches the keyboard's firmware index.
    void firmwareUpgrade()
    {
        HttpFixture server;
        QVERIFY(server.start());
        qputenv("TAVRO_SERVER_BASE", server.baseUrl().toUtf8());
        qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB));
        const QString index = QStringLiteral("tvsuite/vx18/firmware.ini");
        QVERIFY(server.writeFile(index, "[files]\n1=VX18_V5\n"));
        QPointer<cUpgrade> upgrade;
        {
            Page o(makeBlock(36));
            o.ui()->pushButton_update->click();
            upgrade = o.page.upgradeDialog();
            QVERIFY(upgrade && upgrade->isVisible());
            QTRY_COMPARE(upgrade->findChild<QListWidget *>(QStringLiteral("listWidget"))->count(), 1);
            QCOMPARE(server.requestCount(index), 1);
            QVERIFY(o.owner.frames.isEmpty());
        }
        QVERIFY(!upgrade);
    }
};

TAVRO_TEST_MAIN(TestVx18Life)
#include "test_vx18life.moc"
