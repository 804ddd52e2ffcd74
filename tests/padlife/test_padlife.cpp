// The pad page's life, files and toolbar, with the page fed directly through
// a recording owner: the close question, factory reset, preset files and the
// raw dump, calibration, and the online preset list against a local server.
#include <QtTest>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>
#include <QtEndian>

#include <cstring>

#include "bytes.h"
#include "cdlgpadlevel.h"
#include "cdlgpreset.h"
#include "cupgrade.h"
#include "devices/pad/rz7presetfile.h"
#include "globals.h"
#include "httpfixture.h"
#include "padlifeutil.h"
#include "padtest.h"
#include "testmain.h"
#include "ui_crzm7.h"

using namespace padlife;
using tavrotest::frame;
using tavrotest::hex;
using tavrotest::RecordingOwner;
using tavrotest::systemRecord;
using tavrotest::u8;

namespace {

// Pads: Note on channel 0, notes from firstNote, velocity 1..127; red pads; a
// SysEx button whose message lies in the pool.
SRZ7ConfigData makeBlock(int firstNote)
{
    SRZ7ConfigData b;
    std::memset(&b, 0, sizeof b);
    for (int bank = 0; bank < 3; ++bank) {
        for (int p = 0; p < 16; ++p) {
            b.PadData[bank][p].data1 = uchar(firstNote + 16 * bank + p);
            b.PadData[bank][p].value1 = 1;
            b.PadData[bank][p].value2 = 127;
            b.PadRGB[bank][p] = SColourGRB::fromRgb(0xFF, 0, 0);
        }
    }
    for (int g = 0; g < 3; ++g)
        for (int k = 0; k < 8; ++k)
            b.KnobData[g][k].data1 = uchar(g * 8 + k);
    b.KeyData[0].setMode(5);
    b.KeyData[0].setSysexRef(SSysexRef{0, 0, 3});
    b.SysexPool[0] = 0xF0;
    b.SysexPool[1] = 0x7E;
    b.SysexPool[2] = 0xF7;
    b.CRC = 0x5A;
    return b;
}

struct Opened
{
    RecordingOwner owner;
    CRZM7 page{&owner};
    explicit Opened(const SRZ7ConfigData &blk = makeBlock(36), uchar preset = 0)
    {
        feed(frame(CMD_SYSTEM_CONFIG, systemRecord(preset)));
        feed(frame(CMD_READ_PRESET, QByteArray(1, char(preset)) + blockBytes(blk)));
        owner.frames.clear();
    }
    void feed(const QByteArray &f) { page.Slots_recv_frame(u8(f), uint(f.size())); }
    Ui_CRZM7 *ui() { return page.form(); }
    QString pad1() { return page.findChild<QPushButton *>(QStringLiteral("pad1"))->text(); }
};

} // namespace

class TestPadLife : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        g_translator = new QTranslator(qApp);
        QVERIFY(g_translator->load(QStringLiteral(":/Language/language_en.qm")));
        QApplication::installTranslator(g_translator);
    }

    // Closing: without changes the close frame at once; with changes the
    // question decides.
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
        QTest::newRow("close box") << "box" << QList<QByteArray>{} << true;
    }
    void closeQuestion()
    {
        QFETCH(QString, answer);
        QFETCH(QList<QByteArray>, sent);
        QFETCH(bool, stays);
        Opened o;
        o.page.show();
        if (!answer.isEmpty()) {
            o.page.slots_click_ok_send(1); // a knob edit
            o.owner.frames.clear();
        }
        QStringList seen;
        const bool closed = tavrotest::closeAnswering(&o.page, answer, &seen);
        QCOMPARE(!seen.isEmpty(), !answer.isEmpty());
        if (!seen.isEmpty()) {
            QCOMPARE(seen.mid(0, 2), QStringList({"Save to device", "The current preset has been modified. Do you "
                                                                    "want to save the changes to the device?"}));
            QVERIFY(seen.filter(QStringLiteral("(")).size() == 1); // a hidden close button
        }
        QCOMPARE(o.owner.withoutPolls(), sent); // a save is answered for a while
        QCOMPARE(closed, !stays);
        QCOMPARE(o.page.isVisible(), stays);
        QCOMPARE(o.owner.backCalls, stays ? 0 : 1);
        QCOMPARE(o.page.model().hasUnsavedChanges(), !answer.isEmpty() && answer != QLatin1String("yes"));
    }

    // The device going quiet while the close question is open: the page is
    // handed back only once the question is gone, never under it.
    void lossWhileTheQuestionIsOpen()
    {
        RecordingOwner ownerObject;
        RecordingOwner *owner = &ownerObject;
        QPointer<CRZM7> page = new CRZM7(owner);
        page->show();
        page->model().setUnsavedChanges(true);
        int backWhileOpen = -1;
        onNextModalBox([&](QMessageBox *box) {
            // The page polls every 1.6 s; by the second poll 3.2 s without a
            // record have passed, more than the 3 s after which it gives up.
            QVERIFY(QTest::qWaitFor([&] { return owner->sent(CMD_POLL).size() >= 2; }, 6000));
            backWhileOpen = owner->backCalls;
            QTest::keyClick(box, Qt::Key_Escape);
        });
        page->close();
        QCOMPARE(backWhileOpen, 0);
        QVERIFY(page);
        QTRY_VERIFY(owner->backCalls > 0);
        delete page;
    }

    // Factory reset: only Yes sends the frame; the reply asks for the block
    // and shows how it went.
    void factoryReset()
    {
        Opened o;
        auto answer = [&o](int result) {
            auto *box = o.page.findChild<QMessageBox *>();
            QVERIFY(box);
            QCOMPARE(box->windowTitle(), QStringLiteral("Tips"));
            box->done(result);
            QTRY_VERIFY(!o.page.findChild<QMessageBox *>());
        };
        o.ui()->pushButton_Reset->click();
        answer(QMessageBox::No);
        o.ui()->pushButton_Reset->click();
        answer(QDialog::Rejected);
        QVERIFY(o.owner.frames.isEmpty());
        o.ui()->pushButton_Reset->click();
        answer(QMessageBox::Yes);
        QCOMPARE(o.owner.frames, QList<QByteArray>({hex("78 59 70 02 00 00 78 59 2E")}));

        o.owner.frames.clear();
        o.feed(frame(CMD_FACTORY_RESET, hex("01")));
        QVERIFY(toastTexts(&o.page).contains("Restore factory data successful"));
        QCOMPARE(o.owner.frames, QList<QByteArray>({hex("78 59 67 01 00 00 00 FF")}));
        o.feed(frame(CMD_FACTORY_RESET, hex("00")));
        QVERIFY(toastTexts(&o.page).contains("Restore to factory defaults failed"));
    }

    // Save a preset file, load it back: the block returns whole and goes to
    // the device as one configuration write; the file has the agreed layout.
    void presetFileRoundTrip()
    {
        QTemporaryDir dir;
        ChosenPath chooser;
        chooser.path = dir.filePath("mine.rzp");
        const SRZ7ConfigData original = makeBlock(36);
        Opened o(original, 3);

        o.ui()->pushButton_Out->click();
        QCOMPARE(chooser.asked, QStringList({"save|Save Preset File|Zol Pad Preset (*.rzp)"}));
        QVERIFY(toastTexts(&o.page).contains("Preset save successful"));
        QVERIFY(o.owner.frames.isEmpty());
        const QByteArray file = readAll(chooser.path);
        QVERIFY(file.startsWith("RZ-7 Pad"));
        const QByteArray xml = qUncompress(file.mid(8));
        QCOMPARE(qFromBigEndian<quint32>(file.constData() + 8), quint32(xml.size()));
        QCOMPARE(xml, rz7::presetXml(original));
        int at = 0;
        for (const char *section : {"<KnobData>", "<PadData>", "<PadRGB>", "<KeyData>", "<KeyLongData>",
                                    "<KnobModeRGB>", "<PadModeRGB>", "<SysexPool>", "<CRC>"}) {
            const int next = xml.indexOf(section, at);
            QVERIFY2(next > at, section);
            at = next;
        }

        // Other data on the page; a block and a system record for another
        // preset arrive while the file dialog is open.
        o.page.model().config() = makeBlock(60);
        o.page.recover_data_ui();
        QVERIFY(o.pad1().contains("Note:60"));
        chooser.asked.clear();
        chooser.whileOpen = [&o] {
            QVERIFY(o.page.model().isBusy());
            o.feed(frame(CMD_READ_PRESET, QByteArray(1, 5) + blockBytes(makeBlock(90))));
            o.feed(frame(CMD_SYSTEM_CONFIG, systemRecord(5)));
        };
        o.ui()->pushButton_In->click();
        QCOMPARE(chooser.asked, QStringList({"open|Open Preset File|Zol Pad Preset (*.rzp)"}));
        QCOMPARE(blockBytes(o.page.model().config()), blockBytes(original));
        // The device's record named preset 6 meanwhile: the page keeps it.
        QCOMPARE(int(o.page.model().system().preset), 5);
        QVERIFY(o.pad1().contains("Note:36"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(o.page.model().sysex().keySysex[0]), 3),
                 hex("F0 7E F7"));
        const QList<QByteArray> writes = o.owner.sent(CMD_WRITE_CONFIG);
        // Besides the write, only the block request that the device's record
        // brought while the dialog was open.
        QCOMPARE(o.owner.frames.size(), 2);
        QCOMPARE(o.owner.frames[0], hex("78 59 67 01 00 00 05 FA"));
        QCOMPARE(writes.size(), 1);
        QCOMPARE(writes[0].size(), 830);
        QCOMPARE(writes[0].mid(6, 823), blockBytes(original));
        QVERIFY(!o.page.model().isBusy());
        QVERIFY(!o.page.model().hasUnsavedChanges());

        // A save that cannot open its file writes nothing, leaves the other
        // files alone, and says so.
        chooser.whileOpen = nullptr;
        chooser.path = dir.filePath("missing-folder/x.rzp");
        QVERIFY(!toastTexts(&o.page).contains("Preset save defeated"));
        o.ui()->pushButton_Out->click();
        QVERIFY(!QFile::exists(chooser.path));
        QCOMPARE(readAll(dir.filePath("mine.rzp")), file);
        QVERIFY(toastTexts(&o.page).contains("Preset save defeated"));
    }

    // The device switches preset while the file dialog keeps the page busy:
    // its block is dropped then, and asked for again when the dialog closes
    // without a file.
    void blockDroppedWhileBusyIsAskedAgain()
    {
        ChosenPath chooser;
        Opened o;
        chooser.whileOpen = [&o] {
            o.feed(frame(CMD_SYSTEM_CONFIG, systemRecord(5)));
            o.feed(frame(CMD_READ_PRESET, QByteArray(1, 5) + blockBytes(makeBlock(90))));
        };
        o.ui()->pushButton_In->click();
        QVERIFY(o.pad1().contains("Note:36"));
        QCOMPARE(o.owner.sent(CMD_READ_PRESET),
                 QList<QByteArray>({hex("78 59 67 01 00 00 05 FA"), hex("78 59 67 01 00 00 05 FA")}));
        o.feed(frame(CMD_READ_PRESET, QByteArray(1, 5) + blockBytes(makeBlock(90))));
        QVERIFY(o.pad1().contains("Note:90"));
    }

    // A block whose SysEx reference lies past the pool is cut to nothing on
    // arrival; the file the page saves from it loads back.
    void fileOfACutReferenceLoadsBack()
    {
        QTemporaryDir dir;
        ChosenPath chooser;
        chooser.path = dir.filePath("cut.rzp");
        SRZ7ConfigData fromDevice = makeBlock(36);
        fromDevice.KeyData[1].setMode(5);
        fromDevice.KeyData[1].setSysexRef(SSysexRef{0xF4, 0x01, 5}); // offset 500
        Opened o(fromDevice);
        QCOMPARE(tavrotest::toHex(QByteArray(reinterpret_cast<const char *>(&o.page.model().config().KeyData[1]), 4)),
                 QStringLiteral("50 00 00 00"));
        o.ui()->pushButton_Out->click();
        const QByteArray saved = blockBytes(o.page.model().config());
        o.page.model().config() = makeBlock(60);
        o.ui()->pushButton_In->click();
        QVERIFY2(toastTexts(&o.page).filter(QRegularExpression("^\\d{4}$")).isEmpty(),
                 qPrintable(toastTexts(&o.page).join(",")));
        QCOMPARE(blockBytes(o.page.model().config()), saved);
    }

    // Files that cannot be used: their code, nothing sent, nothing changed.
    void badPresetFiles_data()
    {
        QTest::addColumn<QByteArray>("content"); // null: the file does not exist
        QTest::addColumn<QString>("message");
        const QByteArray good = rz7::presetFileBytes(makeBlock(48));
        const QByteArray body = good.mid(8);
        QByteArray oversized = "RZ-7 Pad" + body;
        qToBigEndian<quint32>(2 * 1024 * 1024, oversized.data() + 8);
        SRZ7ConfigData outside = makeBlock(48);
        outside.PadData[1][4].setMode(4);
        outside.PadData[1][4].setSysexRef(SSysexRef{0x28, 0x01, 10}); // 296 + 10 > 300
        QTest::newRow("unopenable") << QByteArray() << "0000";
        QTest::newRow("header in other case") << "RZ-7 PAD" + body << "1111";
        QTest::newRow("other model") << "RZ-8 Pad" + body << "1111";
        QTest::newRow("header only") << QByteArray("RZ-7 Pad") << "2222";
        QTest::newRow("not compressed") << QByteArray("RZ-7 Pad<Preset></Preset>") << "3333";
        QTest::newRow("truncated") << good.left(good.size() / 2) << "3333";
        QTest::newRow("oversized length") << oversized << "3333";
        QTest::newRow("sysex outside pool") << rz7::presetFileBytes(outside) << "3333";
        QTest::newRow("broken xml") << "RZ-7 Pad" + qCompress(rz7::presetXml(makeBlock(48)).left(3000), 9)
                                    << QString();
        QTest::newRow("nothing chosen") << QByteArray("cancel") << QString();
    }
    void badPresetFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        ChosenPath chooser;
        chooser.path = dir.filePath("bad.rzp");
        if (content == "cancel")
            chooser.path.clear();
        else if (!content.isNull())
            QVERIFY(writeAll(chooser.path, content));
        Opened o;
        const QByteArray before = blockBytes(o.page.model().config());
        const QString caption = o.pad1();
        o.ui()->pushButton_In->click();
        if (!message.isEmpty())
            QVERIFY2(toastTexts(&o.page).contains(message), qPrintable(toastTexts(&o.page).join(",")));
        else
            QVERIFY(toastTexts(&o.page).filter(QRegularExpression("^\\d{4}$")).isEmpty());
        QVERIFY(o.owner.frames.isEmpty());
        QCOMPARE(blockBytes(o.page.model().config()), before);
        QCOMPARE(o.pad1(), caption);
        QVERIFY(!o.page.model().isBusy());
    }

    // Ctrl+S dumps the block as it is, although no visible button carries it.
    void ctrlSWritesTheBlock()
    {
        QTemporaryDir dir;
        ChosenPath chooser;
        chooser.path = dir.filePath("dump.bin");
        Opened o(makeBlock(40));
        o.page.show();
        o.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&o.page));
        QTest::keyClick(&o.page, Qt::Key_S, Qt::ControlModifier); // the button clicks itself shortly after
        QTRY_COMPARE(chooser.asked, QStringList({"save|Config File|Config Files (*.bin)"}));
        QCOMPARE(readAll(chooser.path), blockBytes(makeBlock(40)));
        QVERIFY(o.owner.frames.isEmpty());

        chooser.path.clear();
        QTest::keyClick(&o.page, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(chooser.asked.size(), 2);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"dump.bin"}));
    }

    // Calibration: one dialog at a time on the page's thresholds; its
    // reports send the system record; it goes with the page.
    void padCalibration()
    {
        QPointer<cDlgPadLevel> second;
        {
            Opened o;
            o.ui()->pushButton_threshold->click();
            QPointer<cDlgPadLevel> first = o.page.padLevelDialog();
            QVERIFY(first && first->isVisible());
            o.ui()->pushButton_threshold->click();
            QVERIFY(!first);
            second = o.page.padLevelDialog();
            QVERIFY(second && second->isVisible());
            QCOMPARE(second->padCount(), 16);

            o.page.model().system().thresholds[2] = 70; // as the dialog writes them
            emit second->signals_send_pad_level();
            const QList<QByteArray> sent = o.owner.sent(CMD_SYSTEM_CONFIG);
            QCOMPARE(sent.size(), 1);
            QCOMPARE(int(uchar(sent[0][6 + 13])), 70);
        }
        QVERIFY(!second);
    }

    // The online preset list: the index goes to the application-data folder;
    // it is fetched again while no local copy exists, then read locally; a
    // preset chosen there is downloaded and written to the device.
    void onlinePresetList()
    {
        HttpFixture server;
        QVERIFY(server.start());
        qputenv("TAVRO_SERVER_BASE", server.baseUrl().toUtf8());
        const QString index = QStringLiteral("tvsuite/rz7/preset.ini");
        const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QCOMPARE(CRZM7::presetIndexPath(), appData + "/rz7/LoadPreset/preset.ini");
        QCOMPARE(CRZM7::presetIndexUrl(), server.baseUrl() + "rz7/preset.ini");

        QPointer<CDlgPreset> dlg;
        {
            Opened o;
            auto list = [&o] { return o.page.presetDialog()->findChild<QListWidget *>("listWidget"); };

            server.setBehaviour(index, HttpFixture::NotFound);
            o.ui()->pushButton_LoadPreset->click();
            QTRY_COMPARE(server.requestCount(index), 1);
            QVERIFY(o.page.presetDialog()->isVisible());
            QTRY_VERIFY(!toastTexts(o.page.presetDialog()).isEmpty()); // "Download failed"
            QCOMPARE(list()->count(), 0);
            QVERIFY(!QFile::exists(CRZM7::presetIndexPath()));

            // A sign-in page in the index's place fails too, beside a copy
            // left by an earlier run: the copy is neither replaced nor
            // listed, and the next list asks the server again.
            server.setBehaviour(index, HttpFixture::Serve);
            server.writeFile(index, "<html><head><title>Sign in</title></head></html>\n");
            QDir().mkpath(QFileInfo(CRZM7::presetIndexPath()).absolutePath());
            QVERIFY(writeAll(CRZM7::presetIndexPath(), "[files]\n1=Stale\n"));
            o.ui()->pushButton_LoadPreset->click();
            QTRY_VERIFY(toastTexts(o.page.presetDialog()).contains("Download failed"));
            QCOMPARE(list()->count(), 0);
            QCOMPARE(server.requestCount(index), 2);

            server.writeFile(index, "[files]\n1=Techno\n2=House\n");
            QPointer<CDlgPreset> old = o.page.presetDialog();
            o.ui()->pushButton_LoadPreset->click();
            QVERIFY(!old);
            QTRY_COMPARE(list()->count(), 2);
            QCOMPARE(server.requestCount(index), 3);
            QVERIFY(QFile::exists(CRZM7::presetIndexPath()));

            o.ui()->pushButton_LoadPreset->click();
            QCOMPARE(list()->count(), 2);
            QCOMPARE(server.requestCount(index), 3);
            dlg = o.page.presetDialog();

            const SRZ7ConfigData house = makeBlock(70);
            server.writeFile("tvsuite/rz7/House.rzp", rz7::presetFileBytes(house));
            list()->setCurrentRow(1);
            dlg->findChild<QPushButton *>("pushButton_yes")->click();
            auto *question = dlg->findChild<QMessageBox *>();
            QVERIFY(question);
            question->done(QMessageBox::Yes);
            QTRY_COMPARE(o.owner.sent(CMD_WRITE_CONFIG).size(), 1);
            QCOMPARE(o.owner.frames.size(), 1);
            QCOMPARE(o.owner.frames[0].mid(6, 823), blockBytes(house));
            QCOMPARE(blockBytes(o.page.model().config()), blockBytes(house));
            QVERIFY(o.pad1().contains("Note:70"));
            QVERIFY(!dlg->isVisible());
            QVERIFY(!o.page.model().hasUnsavedChanges());

            // A broken download shows its code and changes nothing.
            o.owner.frames.clear();
            server.writeFile("tvsuite/rz7/Techno.rzp", "RZ-7 Pad");
            dlg->show();
            list()->setCurrentRow(0);
            dlg->findChild<QPushButton *>("pushButton_yes")->click();
            dlg->findChild<QMessageBox *>()->done(QMessageBox::Yes);
            // On the list, which covers the page.
            QTRY_VERIFY(toastTexts(dlg).contains("2222"));
            QVERIFY(!toastTexts(&o.page).contains("2222"));
            QVERIFY(o.owner.frames.isEmpty());
            QCOMPARE(blockBytes(o.page.model().config()), blockBytes(house));
        }
        QVERIFY(!dlg); // closed and gone with the page
    }

    // Firmware upgrade: the dialog is made once and fetches the model's
    // firmware index; without a usable upgrade library nothing happens.
    void firmwareUpgrade()
    {
        HttpFixture server;
        QVERIFY(server.start());
        qputenv("TAVRO_SERVER_BASE", server.baseUrl().toUtf8());
        const QString index = QStringLiteral("tvsuite/rz7/firmware.ini");
        QVERIFY(server.writeFile(index, "[files]\n1=RZ7_V5\n2=RZ7_V6\n"));
        QPointer<cUpgrade> upgrade;
        {
            Opened o;
            qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB) + ".missing");
            o.ui()->pushButton_update->click();
            QVERIFY(o.page.upgradeDialog());
            QVERIFY(!o.page.upgradeDialog()->isVisible());
            QCOMPARE(server.requestCount(index), 0);

            qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB));
            upgrade = o.page.upgradeDialog();
            o.ui()->pushButton_update->click();
            QCOMPARE(o.page.upgradeDialog(), upgrade.data());
            QVERIFY(upgrade->isVisible());
            auto *list = upgrade->findChild<QListWidget *>(QStringLiteral("listWidget"));
            QTRY_COMPARE(list->count(), 2);
            QCOMPARE(server.requestCount(index), 1);
            QVERIFY(o.owner.frames.isEmpty());
        }
        QVERIFY(!upgrade);
    }
};

TAVRO_TEST_MAIN(TestPadLife)
#include "test_padlife.moc"
