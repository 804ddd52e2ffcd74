// The foot pedal page's files and toolbar, through a recording owner, the
// file-dialog seam, the local HTTP server and the stand-in upgrade library:
// preset files saved, refused and applied, presets from the online list, the
// firmware upgrade, the raw ".bin" file, and commands from the library.
#include "testmain.h"

#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTranslator>

#include "bytes.h"
#include "cdlgpreset.h"
#include "cupgrade.h"
#include "devices/pedal/cdlgz3.h"
#include "devices/pedal/inicommand.h"
#include "devices/pedal/pedalpresetfile.h"
#include "filechooser.h"
#include "globals.h"
#include "httpfixture.h"
#include "pedaltestimage.h"
#include "recordingowner.h"
#include "touchcombobox.h"
#include "ui_cdlgz3.h"
#include "utils.h"

#include "filesizelimit.h"

using tavrotest::frame;
using tavrotest::toastTexts;

namespace {

struct Opened
{
    tavrotest::RecordingOwner owner;
    cDlgZ3 page{&owner};

    explicit Opened(const SZ3ProConfigData &image = pedaltest::plainImage())
    {
        const QByteArray f = frame(CMD_POLL, image.toByteArray());
        page.Slots_recv_frame(reinterpret_cast<const uchar *>(f.constData()), uint(f.size()));
        page.show();
    }
    Ui_cDlgZ3 *ui() const { return page.form(); }
};

// The file dialogs answer with the path the test chose (empty: cancelled).
struct ChosenPath
{
    QString path;
    QStringList asked;
    ChosenPath()
    {
        setFileChooser([this](bool save, const QString &caption, const QString &filter) {
            asked << QStringLiteral("%1|%2|%3").arg(save ? "save" : "open", caption, filter);
            return path;
        });
    }
    ~ChosenPath() { setFileChooser(nullptr); }
};

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestCDlgZ3Files : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        g_translator = new QTranslator(qApp);
        g_language = 0;
        QVERIFY(loadInterfaceCatalogue());
    }

    void saveAndRefuse()
    {
        QTemporaryDir dir;
        ChosenPath chosen;
        const SZ3ProConfigData image = pedaltest::preparedImage();
        Opened o(image);

        // Cancelled: nothing written.
        o.ui()->pushButton_Out->click();
        QCOMPARE(chosen.asked, QStringList{"save|Save Preset File|Zol Z3 Preset (*.z3)"});
        QVERIFY(QDir(dir.path()).isEmpty());

        chosen.path = dir.filePath("mine.z3");
        o.ui()->pushButton_Out->click();
        QCOMPARE(readFile(chosen.path), PedalPresetFile::encode(image.toByteArray()));
        QVERIFY(toastTexts(&o.page).contains("Preset save successful"));

        // A file of another model: asked about, then nothing changes.
        const QString other = dir.filePath("other.z3");
        QFile f(other);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("dovo Dazed" + readFile(chosen.path).mid(10));
        f.close();
        chosen.path = other;
        QString question;
        const auto loadAnswering = [&o, &question] {
            question.clear();
            QTimer::singleShot(0, [&question] {
                auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
                if (box) {
                    question = box->windowTitle() + "|" + box->text();
                    box->button(QMessageBox::Yes)->click();
                }
            });
            o.ui()->pushButton_In->click();
        };
        loadAnswering();
        QCOMPARE(question, QString("File Error!|Configuration file error!"));
        QVERIFY(o.page.image() == image);

        // An image that fails the check is refused, and the user told so.
        SZ3ProConfigData broken = pedaltest::plainImage();
        broken.setDisplayChar(2, 0x30);
        QVERIFY(PedalPresetFile::write(other, broken.toByteArray()) == PedalPresetFile::Save::Saved);
        loadAnswering();
        QCOMPARE(question, QString("File Error!|Configuration file error!"));
        QVERIFY(o.page.image() == image);

        // A file that cannot be opened (a folder of that name) is told too.
        chosen.path = dir.filePath("folder.z3");
        QVERIFY(QDir().mkpath(chosen.path));
        loadAnswering();
        QCOMPARE(question, QString("File Error!|Configuration file error!"));
        QVERIFY(o.owner.frames.isEmpty());
    }

    // Until the pedal's image is in, a save writes nothing and says the data
    // is still coming.
    void noSaveBeforeTheImage()
    {
        QTemporaryDir dir;
        ChosenPath chosen;
        chosen.path = dir.filePath("early.z3");
        tavrotest::RecordingOwner owner;
        cDlgZ3 page(&owner);
        page.form()->pushButton_Out->click();
        page.form()->pushButton_ConfigData->click();
        QCOMPARE(chosen.asked, QStringList());
        QVERIFY(QDir(dir.path()).isEmpty());
        QCOMPARE(toastTexts(&page).count("Load data..."), 3);
    }

    // The page's own file loads again: a count of 17 in a group the pedal's
    // check did not look at is held as the 16 shown and sent, and a trigger
    // type the page has no row for is kept.
    void ownFileLoadsAgain()
    {
        QTemporaryDir dir;
        ChosenPath chosen;
        chosen.path = dir.filePath("own.z3");
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setMode(4);
        image.setGroupSelect(0x01);
        image.key(1, 2).setCount(1, 17);
        image.key(1, 3).setTriggerType(6);
        Opened o(image);
        QCOMPARE(int(o.page.image().key(1, 2).rawCount(1)), 16);
        o.ui()->comboBox_Group->setCurrentIndex(1);
        o.ui()->pushButton_Out->click();
        SZ3ProConfigData loaded;
        QVERIFY(readZ3Preset(chosen.path, &loaded) == Z3PresetLoad::Ok);
        QVERIFY(loaded == o.page.image());
    }

    // A save that cannot complete says so and keeps the old file.
    void saveThatFails()
    {
        QTemporaryDir dir;
        ChosenPath chosen;
        Opened o(pedaltest::preparedImage());
        // A folder that cannot be written.
        chosen.path = dir.filePath("missing/new.z3");
        o.ui()->pushButton_Out->click();
        QCOMPARE(toastTexts(&o.page).filter("Preset save").join(','), QString("Preset save defeated"));
        chosen.path = dir.filePath("old.z3");
        QVERIFY(PedalPresetFile::write(chosen.path, QByteArray(4930, 0)) == PedalPresetFile::Save::Saved);
        const QByteArray old = readFile(chosen.path);
        tavrotest::FileSizeLimit limit(40);
        if (!limit.active())
            QSKIP("needs a file-size limit");
        o.ui()->pushButton_Out->click();
        limit.lift();
        QCOMPARE(toastTexts(&o.page).filter("Preset save").join(','), QString("Preset save defeated,Preset save defeated"));
        QCOMPARE(readFile(chosen.path), old);
    }

    void rawFileOnCtrlS()
    {
        QTemporaryDir dir;
        ChosenPath chosen;
        chosen.path = dir.filePath("image.bin");
        const SZ3ProConfigData image = pedaltest::preparedImage();
        Opened o(image);
        o.page.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&o.page));
        QTest::keyClick(&o.page, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(chosen.asked, QStringList{"save|Config File|Config Files (*.bin)"});
        QCOMPARE(readFile(chosen.path), image.toByteArray());
        QVERIFY(!toastTexts(&o.page).contains("Preset save defeated"));

        // A file that cannot be written says so.
        chosen.path = dir.filePath("no/such/folder/image.bin");
        QTest::keyClick(&o.page, Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY(toastTexts(&o.page).contains("Preset save defeated"));
    }

    // A preset from the online list is downloaded, shown and written.
    void onlinePreset()
    {
        HttpFixture server;
        QVERIFY(server.start());
        qputenv("TAVRO_SERVER_BASE", server.baseUrl().toUtf8());
        const QString index = "tvsuite/Z3/preset.ini";
        QVERIFY(server.writeFile(index, "[files]\n1=Stage\n"));
        SZ3ProConfigData stage = pedaltest::preparedImage();
        stage.setMode(2);
        QVERIFY(server.writeFile("tvsuite/Z3/Stage.z3", PedalPresetFile::encode(stage.toByteArray())));

        QPointer<CDlgPreset> dlg;
        {
            Opened o;
            o.ui()->pushButton_LoadPreset->click();
            dlg = o.page.presetDialog();
            QVERIFY(dlg && dlg->isVisible());
            auto *list = dlg->findChild<QListWidget *>("listWidget");
            QTRY_COMPARE(list->count(), 1);
            const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            QVERIFY(QFile::exists(appData + "/Z3/LoadPreset/preset.ini"));
            list->setCurrentRow(0);
            dlg->findChild<QPushButton *>("pushButton_yes")->click();
            if (auto *question = dlg->findChild<QMessageBox *>())
                question->done(QMessageBox::Yes);
            QTRY_VERIFY(!o.owner.sent(CMD_PEDAL_EXPRESSION).isEmpty());
            SZ3ProConfigData shown = stage;
            shown.setMode(1); // an applied preset leaves the pedal in mode 1
            shown.setByte(z3::kBtMode, 0); // and its own Bluetooth mode
            QVERIFY(o.page.image() == shown);
            QCOMPARE(o.owner.sent(CMD_PEDAL_KEY_BANK).size(), 8);
            // The next list reads the local index.
            o.ui()->pushButton_LoadPreset->click();
            QVERIFY(!dlg);
            dlg = o.page.presetDialog();
            QTRY_COMPARE(dlg->findChild<QListWidget *>("listWidget")->count(), 1);
            QCOMPARE(server.requestCount(index), 1);
        }
        QVERIFY(!dlg); // gone with the page
    }

    // The upgrade fetches the pedal's firmware index when the upgrade library
    // loads, and does nothing without it.
    void firmwareUpgrade()
    {
        HttpFixture server;
        QVERIFY(server.start());
        qputenv("TAVRO_SERVER_BASE", server.baseUrl().toUtf8());
        const QString index = "tvsuite/Z3/firmware.ini";
        QVERIFY(server.writeFile(index, "[files]\n1=Z3_V6\n"));
        QPointer<cUpgrade> upgrade;
        {
            Opened o;
            qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB) + ".missing");
            o.ui()->pushButton_update->click();
            QVERIFY(o.page.upgradeDialog());
            QVERIFY(!o.page.upgradeDialog()->isVisible());
            qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB));
            upgrade = o.page.upgradeDialog();
            o.ui()->pushButton_update->click();
            QCOMPARE(o.page.upgradeDialog(), upgrade.data());
            QVERIFY(upgrade->isVisible());
            auto *list = upgrade->findChild<QListWidget *>("listWidget");
            QTRY_COMPARE(list->count(), 1);
            QCOMPARE(server.requestCount(index), 1);
            QVERIFY(o.owner.frames.isEmpty());
        }
        QVERIFY(!upgrade);
    }

    // A command from the library goes on the key it was chosen for; one the
    // page cannot take shows its message and sends nothing.
    void libraryCommands()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        image.setMode(4);
        Opened o(image);
        const auto put = [&o](int key, const QString &value) {
            SIniCommand buf;
            QVERIFY(z3::parseIniCommand(z3::splitIniValue(value), &buf));
            o.page.slots_send_tree_content(quint8(key), buf.bytes);
        };
        put(0, "toggle | B5 10 7F | B5 10 00");
        QCOMPARE(o.ui()->comboBox_A->currentText(), QString("Down(Toggle)"));
        QCOMPARE(o.ui()->listWidget_A1->item(0)->text(), QString("[01]   B5   10   7F"));
        QCOMPARE(o.owner.sent(CMD_PEDAL_KEY_BANK).size(), 8);
        QCOMPARE(uchar(o.owner.frames.last()[2]), uchar(CMD_PEDAL_SYSEX_POOL));
        // A command of one list put on the key while its list 2 shows: the
        // tabs go, and the list the command filled shows.
        emit o.ui()->pushButton_Group2->clicked(true);
        QCOMPARE(o.ui()->stackedWidget_2->currentIndex(), 1);
        put(0, "down | F0 7D 01 02 F7");
        QCOMPARE(tavrotest::toHex(o.owner.frames.last()), QString("78 59 63 05 00 00 F0 7D 01 02 F7 98"));
        QCOMPARE(o.ui()->listWidget_A1->item(0)->text(), QString("F0 7D 01 02 F7 "));
        QVERIFY(!o.ui()->pushButton_Group2->isVisible());
        QCOMPARE(o.ui()->stackedWidget_2->currentIndex(), 0);

        o.owner.frames.clear();
        const SZ3ProConfigData before = o.page.image();
        put(1, "down | B5 10");
        QVERIFY(toastTexts(&o.page).contains("INI Data Err!"));
        QVERIFY(o.page.image() == before);
        QVERIFY(o.owner.frames.isEmpty());

        put(2, "down | F8");
        QCOMPARE(o.page.image().key(0, 2).entry(1, 0)[1], quint8(0xF8));
        QCOMPARE(o.page.image().key(0, 2).entry(1, 0)[0], quint8(8));
    }
};

TAVRO_TEST_MAIN(TestCDlgZ3Files)
#include "test_cdlgz3files.moc"
