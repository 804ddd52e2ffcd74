// The older pedal page's files and toolbar, fed through a recording owner:
// ".z3" files saved and loaded through the file dialogs' seam, the paced
// sending of a loaded configuration, the files it refuses, the online preset
// list and the firmware upgrade against the local HTTP server.
#include "testmain.h"
#include "bytes.h"
#include "pagedialogs.h"
#include "httpfixture.h"
#include "pedaloldtest.h"
#include "recordingowner.h"

#include <QElapsedTimer>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTranslator>

#include <cstring>

#include "cdlgpreset.h"
#include "cupgrade.h"
#include "devices/pedal/pedalpresetfile.h"
#include "devices/pedal_old/master.h"
#include "globals.h"
#include "touchcombobox.h"
#include "ui_master.h"

using tavrotest::hex;
using tavrotest::toHex;

namespace {

// Records when each frame went out.
class TimedOwner : public tavrotest::RecordingOwner
{
public:
    TimedOwner() { clock.start(); }
    bool Slots_send_data(const uchar *frame, int len) override
    {
        at << clock.elapsed();
        return RecordingOwner::Slots_send_data(frame, len);
    }
    void reset()
    {
        frames.clear();
        at.clear();
    }
    QElapsedTimer clock;
    QList<qint64> at;
};

// An image with something in every group the file carries, reserved bytes included.
SMIDIConfigData fileImage(quint8 preset)
{
    SMIDIConfigData c = pedaloldtest::image(preset);
    c.Reserved1 = 0x5A;
    c.Reserved2[0] = 0xA1;
    c.Reserved2[2] = 0xA3;
    for (int k = 0; k < pedalold::kSwitchCount; ++k) {
        SSwitchRecord &sw = c.SwitchData[k];
        sw.Type = quint8(2 + k % 3);
        sw.Count1 = 1;
        sw.List1[0] = {quint8(k), 0xB0, quint8(20 + k), 0x7F};
        sw.Reserved1 = quint8(0xC0 + k);
        sw.Reserved2[1] = quint8(0xD0 + k);
        sw.Channel = quint8(k);
        sw.Data1 = quint8(40 + k);
        sw.Display[0] = quint8(0x80 | (11 + k));
        sw.Display[3] = 37;
    }
    c.SwitchData[2].setSysex(2, true);
    c.SwitchData[2].setSysexLen(2, 3);
    c.SwitchData[2].Sysex2[0] = 0xF0;
    c.SwitchData[2].Sysex2[1] = 0x7D;
    c.SwitchData[2].Sysex2[2] = 0xF7;
    c.PedalCount = 1;
    c.PedalData[0] = {3, 7, 10, 100};
    for (int i = 0; i < 10; ++i)
        c.PresetDisplay[i] = quint8(i % 2 ? 20 + i : 0x80 | i);
    return c;
}

QByteArray bytesOf(const SMIDIConfigData &c)
{
    return c.toByteArray();
}

} // namespace

class TestMasterFiles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void saveThenLoad();
    void ownFileOfAnyAcceptedImageLoads();
    void loadSendsTheWholeConfigurationPaced();
    void refusedFiles_data();
    void refusedFiles();
    void presetListAndUpgrade();

private:
    void open(const SMIDIConfigData &c)
    {
        const QByteArray f = tavrotest::frame(CMD_POLL, c.toByteArray());
        m_page->Slots_recv_frame(tavrotest::u8(f), uint(f.size()));
        m_owner.reset();
    }
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    TimedOwner m_owner;
    master *m_page = nullptr;
    Ui_master *ui = nullptr;
};

void TestMasterFiles::initTestCase()
{
    QVERIFY(m_dir.isValid());
    g_translator = new QTranslator(qApp);
    QVERIFY(g_translator->load(QStringLiteral(":/Language/language_en.qm")));
    QCoreApplication::installTranslator(g_translator);
}

void TestMasterFiles::init()
{
    m_owner.reset();
    m_page = new master(&m_owner);
    ui = m_page->form();
}

void TestMasterFiles::cleanup()
{
    delete m_page;
    m_page = nullptr;
}

void TestMasterFiles::saveThenLoad()
{
    const SMIDIConfigData saved = fileImage(2);
    open(saved);
    tavrotest::ChosenPath chosen;
    chosen.path = path("saved.z3");
    QVERIFY(tavrotest::writeAll(chosen.path, QByteArray(5000, 'x'))); // replaced, not kept
    ui->pushButton_Out->click();
    QCOMPARE(chosen.asked, QStringList{"save|Save Preset File|Zol Z3 Preset (*.z3)"});
    const QByteArray file = tavrotest::readAll(chosen.path);
    QCOMPARE(file.left(14), QByteArray("DOVO Dazed") + hex("00 00 04 A0"));
    QCOMPARE(qUncompress(file.mid(10)), bytesOf(saved));
    QVERIFY(tavrotest::toastTexts(m_page).contains("Preset save successful"));

    // A folder that cannot be written: said so.
    chosen.path = path("missing/saved.z3");
    ui->pushButton_Out->click();
    QVERIFY(tavrotest::toastTexts(m_page).contains("Preset save defeated"));

    // Cancelled dialogs write and read nothing.
    chosen.path.clear();
    ui->pushButton_Out->click();
    ui->pushButton_In->click();
    QVERIFY(m_owner.frames.isEmpty());

    open(pedaloldtest::image(1));
    chosen.path = path("saved.z3");
    ui->pushButton_In->click();
    QCOMPARE(chosen.asked.last(), QStringLiteral("open|Open Preset File|Zol Z3 Preset (*.z3)"));
    QCOMPARE(bytesOf(m_page->config()), bytesOf(saved));
    QVERIFY(!m_owner.frames.isEmpty());
}

// The page's own file loads again, also when the pedal's image brought what
// the page only caps or sends otherwise: a SysEx length of 300, and Types of 0
// and 7 that the pedal's later Customize2 report leaves beside Preset 5.
void TestMasterFiles::ownFileOfAnyAcceptedImageLoads()
{
    SMIDIConfigData c = fileImage(1);
    c.SwitchData[2].setSysexLen(2, 300);
    std::memset(c.SwitchData[2].Sysex2, 0x11, sizeof c.SwitchData[2].Sysex2);
    c.SwitchData[1].Type = 0;
    c.SwitchData[3].Type = 7;
    open(c);
    const QByteArray report = tavrotest::frame(CMD_PEDAL_MODE, hex("05"));
    m_page->Slots_recv_frame(tavrotest::u8(report), uint(report.size()));
    tavrotest::ChosenPath chosen;
    chosen.path = path("own.z3");
    ui->pushButton_Out->click();
    QVERIFY(tavrotest::toastTexts(m_page).contains("Preset save successful"));

    open(pedaloldtest::image(1));
    ui->pushButton_In->click();
    const SMIDIConfigData loaded = m_page->config();
    QCOMPARE(int(loaded.Preset), 5);
    QCOMPARE(int(loaded.SwitchData[2].rawSysexLen(2)), 64);
    QCOMPARE(QByteArray(reinterpret_cast<const char *>(loaded.SwitchData[2].Sysex2), 64), QByteArray(64, 0x11));
    QCOMPARE(int(loaded.SwitchData[1].Type), 0);
    QCOMPARE(int(loaded.SwitchData[3].Type), 7);
    QCOMPARE(m_owner.sent(CMD_SWITCH_DISPLAY).size(), 1);
}

// Loaded while "Preset1" is shown: the selection of the file's preset, the
// four switch records 50 ms apart, the groups 30 ms apart, then Preset1.
void TestMasterFiles::loadSendsTheWholeConfigurationPaced()
{
    const SMIDIConfigData c = fileImage(1);
    QVERIFY(tavrotest::writeAll(path("one.z3"), PedalPresetFile::encode(bytesOf(c))));
    open(pedaloldtest::image(1));
    m_page->slots_Z3_apply_preset(path("one.z3"));

    QStringList commands;
    for (const QByteArray &f : m_owner.frames)
        commands << toHex(f.mid(2, 1)) + (uchar(f[2]) == CMD_SWITCH_DATA ? ":" + toHex(f.mid(6, 2)) : QString());
    QCOMPARE(commands, QStringList({"60:01 FA", "60:00 12", "60:00 23", "60:00 34", "60:00 42", "62", "69", "67",
                                    "65", "60:01 FA"}));
    const QList<qint64> at = m_owner.at;
    for (int i = 1; i <= 4; ++i)
        QVERIFY2(at[i + 1] - at[i] >= 50, qPrintable(QString::number(at[i + 1] - at[i])));
    for (int i = 5; i <= 8; ++i)
        QVERIFY2(at[i + 1] - at[i] >= 30, qPrintable(QString::number(at[i + 1] - at[i])));

    // The frames carry the file's groups as it has them.
    QCOMPARE(toHex(m_owner.frames[5].mid(6, 12)), QStringLiteral("10 00 28 20 01 29 30 02 2A 40 03 2B"));
    QCOMPARE(toHex(m_owner.frames[7].mid(6, 10)), toHex(QByteArray(reinterpret_cast<const char *>(c.PresetDisplay), 10)));
    QCOMPARE(toHex(m_owner.frames[8]), QStringLiteral("78 59 65 04 00 00 03 07 0A 64 87"));
    QCOMPARE(bytesOf(m_page->config()), bytesOf(c));

    // Another preset in the file: the page still ends on Preset1 while the
    // image keeps the file's preset.
    const SMIDIConfigData four = fileImage(4);
    QVERIFY(tavrotest::writeAll(path("four.z3"), PedalPresetFile::encode(bytesOf(four))));
    m_owner.reset();
    m_page->slots_Z3_apply_preset(path("four.z3"));
    QCOMPARE(ui->comboBox_preset->currentIndex(), 0);
    QCOMPARE(ui->stackedWidget->currentIndex(), 0);
    QCOMPARE(int(m_page->config().Preset), 4);
    QCOMPARE(toHex(m_owner.frames.last()), QStringLiteral("78 59 60 02 00 00 01 FA 04"));
}

// Every refused file says why with the "File Error!" box.
void TestMasterFiles::refusedFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray good = PedalPresetFile::encode(bytesOf(fileImage(3)));
    const QByteArray header("DOVO Dazed");
    QTest::newRow("newer page's file") << PedalPresetFile::encode(QByteArray(4930, '\x01'));
    QTest::newRow("another model") << QByteArray("RZ-7 Pad") + good.mid(10);
    QTest::newRow("header alone") << header;
    QTest::newRow("no zlib stream") << header + hex("00 00 04 A0") + QByteArray(300, 'z');
    QTest::newRow("cut stream") << good.left(good.size() / 2);
    QTest::newRow("declared 7F FF FF FF") << header + hex("7F FF FF FF") + good.mid(14);
    SMIDIConfigData display = fileImage(3);
    display.SwitchData[1].Display[2] = 0x28;
    QTest::newRow("display code 40") << PedalPresetFile::encode(bytesOf(display));
    QTest::newRow("cannot be opened (a folder)") << QByteArray();
}

void TestMasterFiles::refusedFiles()
{
    QFETCH(QByteArray, file);
    const SMIDIConfigData before = fileImage(5);
    open(before);
    const QString chosenPath = path(QLatin1String(file.isNull() ? "folder.z3" : "refused.z3"));
    QVERIFY(file.isNull() ? QDir().mkpath(chosenPath) : tavrotest::writeAll(chosenPath, file));
    QStringList seen;
    QTimer *watch = tavrotest::onNextModalBox([&seen](QMessageBox *b) {
        seen << b->windowTitle() << b->text();
        b->close();
    });
    tavrotest::ChosenPath chosen;
    chosen.path = chosenPath;
    ui->pushButton_In->click();
    if (seen.isEmpty())
        delete watch;
    QCOMPARE(seen, QStringList({"File Error!", "Configuration file error!"}));
    QVERIFY(m_owner.frames.isEmpty());
    QCOMPARE(bytesOf(m_page->config()), bytesOf(before));
}

// The preset list downloads its index at every opening and replaces the last
// list; a preset it hands over is loaded and sent. The upgrade asks for the
// pedal's firmware index only when its library loads, and goes with the page.
void TestMasterFiles::presetListAndUpgrade()
{
    HttpFixture server;
    QVERIFY(server.start());
    qputenv("TAVRO_SERVER_BASE", server.baseUrl().toUtf8());
    const QString presets = QStringLiteral("tvsuite/Z3/preset.ini");
    const QString firmware = QStringLiteral("tvsuite/Z3/firmware.ini");
    QVERIFY(server.writeFile(presets, "[files]\n1=Stage\n"));
    QVERIFY(server.writeFile(firmware, "[files]\n1=Z3_V4\n"));
    open(pedaloldtest::image(1));

    QVERIFY(ui->pushButton_LoadPreset->isHidden());
    ui->pushButton_LoadPreset->click();
    QTRY_COMPARE(server.requestCount(presets), 1);
    QPointer<CDlgPreset> first = m_page->presetDialog();
    ui->pushButton_LoadPreset->click();
    QVERIFY(!first);
    QTRY_COMPARE(server.requestCount(presets), 2);
    QVERIFY(m_page->presetDialog()->isVisible());

    const SMIDIConfigData stage = fileImage(2);
    QVERIFY(tavrotest::writeAll(path("stage.z3"), PedalPresetFile::encode(bytesOf(stage))));
    emit m_page->presetDialog()->signals_download_preset(path("stage.z3"));
    QCOMPARE(bytesOf(m_page->config()), bytesOf(stage));
    QCOMPARE(m_owner.sent(CMD_SWITCH_DISPLAY).size(), 1);

    qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB) + ".missing");
    ui->pushButton_update->click();
    QVERIFY(!m_page->upgradeDialog()->isVisible());
    qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_STANDIN_LIB));
    ui->pushButton_update->click();
    QTRY_COMPARE(server.requestCount(firmware), 1);
    QPointer<cUpgrade> upgrade = m_page->upgradeDialog();
    QVERIFY(upgrade->isVisible());
    QPointer<CDlgPreset> list = m_page->presetDialog();
    delete m_page; // with both dialogs open
    m_page = nullptr;
    QVERIFY(!upgrade);
    QVERIFY(!list);
}

TAVRO_TEST_MAIN(TestMasterFiles)
#include "test_masterfiles.moc"
