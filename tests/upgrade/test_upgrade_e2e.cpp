// The whole upgrade road: the dialog sends through the editor's MIDI port
// wrapper over JACK to the simulated controller, which leaves MIDI and shows
// up as a drive of the upgrade-library stand-in; the image comes from a local
// HTTP server; the controller comes back with the new firmware.

#include <QListWidget>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

#include "bytes.h"
#include "cupgrade.h"
#include "httpfixture.h"
#include "midiports.h"
#include "midiportwrapper.h"
#include "simulator.h"
#include "sysexpacking.h"
#include "testmain.h"
#include "upgradetestutil.h"

using namespace upgradetest;

namespace {

const char kSimName[] = "Upgrade Test Pad";
const QString kPid = QStringLiteral("PID-RZ7");
const QString kVid = QStringLiteral("VID-TV");

} // namespace

class TestUpgradeEndToEnd : public QObject
{
    Q_OBJECT

private:
    bool openSimPorts();
    QByteArray askDeviceInfo();
    void startSim(const QStringList &deviceExtra);

    HttpFixture m_server;
    std::unique_ptr<Drives> m_drives;
    std::unique_ptr<tavrosim::Simulator> m_sim;
    std::unique_ptr<MidiPortWrapper> m_midi;
    std::unique_ptr<RecordingOwner> m_owner;
    std::unique_ptr<BoxCatcher> m_boxes;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void upgradeOverMidi_data();
    void upgradeOverMidi();
    void failedUpgradeLeavesDeviceForFixMode();
};

void TestUpgradeEndToEnd::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
        QFAIL("no private JACK server: run under scripts/test.sh or scripts/jack-env.sh");
    useStandInLibrary();
    QVERIFY(m_server.start());
    qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/firmware.ini"), "[files]\n1=RZ7_V12\n"));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/RZ7_V12.ufw"),
                               imageBytes(kPid.toStdString(), kVid.toStdString(), 12, 20000)));
}

void TestUpgradeEndToEnd::init()
{
    QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).clear();
    m_drives = std::make_unique<Drives>();
    m_midi = std::make_unique<MidiPortWrapper>();
    m_owner = std::make_unique<RecordingOwner>();
    MidiPortWrapper *midi = m_midi.get();
    m_owner->m_forward = [midi](const uchar *frame, int len) { return midi->send(frame, len) == len; };
    m_boxes = std::make_unique<BoxCatcher>(QMessageBox::Yes);
    g_downloadFolder = QStringLiteral("rz7/");
    g_firmwareVersion = 3;
}

void TestUpgradeEndToEnd::cleanup()
{
    m_owner.reset();
    m_midi.reset();
    m_sim.reset();
    m_boxes.reset();
    m_drives.reset();
}

// The controller on JACK; in upgrade mode it becomes drive F.
void TestUpgradeEndToEnd::startSim(const QStringList &deviceExtra)
{
    tavrosim::SimOptions options;
    options.name = kSimName;
    options.identity.model = 7;
    options.identity.folder = "rz7";
    options.identity.firmware = 3;
    Drives *drives = m_drives.get();
    options.upgradeHook = [drives, deviceExtra] { drives->addDevice('F', kPid, kVid, deviceExtra); };
    m_sim = std::make_unique<tavrosim::Simulator>(options);
    std::string error;
    QVERIFY2(m_sim->start(&error), error.c_str());
    QVERIFY(openSimPorts());
}

bool TestUpgradeEndToEnd::openSimPorts()
{
    MidiPortLister lister;
    const int out = lister.outputPortNames().indexOf(QString::fromStdString(m_sim->inPortName()));
    const int in = lister.inputPortNames().indexOf(QString::fromStdString(m_sim->outPortName()));
    return out >= 0 && in >= 0 && m_midi->open(uint(out), uint(in), true);
}

// The device-information reply as the device sends it now (unpacked).
QByteArray TestUpgradeEndToEnd::askDeviceInfo()
{
    m_midi->flush();
    m_midi->send(g_fixedFrameDeviceInfo.bytes, g_fixedFrameDeviceInfo.length);
    QByteArray wire;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000) {
        uchar buf[512];
        const uint n = m_midi->read(buf, sizeof buf, 1);
        wire.append(reinterpret_cast<const char *>(buf), int(n));
        const int start = wire.indexOf(QByteArray::fromHex("F07832"));
        const int end = start >= 0 ? wire.indexOf(char(0xF7), start) : -1;
        if (end > start) {
            uchar frame[64];
            const uint len = unpackSysEx(reinterpret_cast<const uchar *>(wire.constData()) + start,
                                         uint(end - start + 1), frame, sizeof frame);
            return QByteArray(reinterpret_cast<const char *>(frame), int(qMin<uint>(len, sizeof frame)));
        }
        QCoreApplication::processEvents();
    }
    return QByteArray();
}

// Downloads go beside the program, whose folder may hold ".ini" or ".ufw":
// this program, copied under such a folder, runs the first row there.
void TestUpgradeEndToEnd::upgradeOverMidi_data()
{
    QTest::addColumn<QString>("folder");
    QTest::newRow("beside the build") << QString();
    QTest::newRow("folder holds .ini") << QStringLiteral("maria.iniesta");
    QTest::newRow("folder holds .ufw") << QStringLiteral("Tools.ufw");
}

void TestUpgradeEndToEnd::upgradeOverMidi()
{
    QFETCH(QString, folder);
    if (!folder.isEmpty()) {
        QTemporaryDir root;
        const QString program = root.filePath(folder + QStringLiteral("/test_upgrade_e2e"));
        QVERIFY(QDir(root.path()).mkdir(folder) && QFile::copy(QCoreApplication::applicationFilePath(), program));
        QProcess run;
        run.start(program, {QStringLiteral("upgradeOverMidi:beside the build")});
        QVERIFY(run.waitForFinished(120000));
        QVERIFY2(run.exitStatus() == QProcess::NormalExit && run.exitCode() == 0, run.readAll().constData());
        QVERIFY(QFile::exists(root.filePath(folder + QStringLiteral("/FirmwareUpgrade/FirmwareUpgrade.ufw"))));
        return;
    }
    startSim({});
    const QByteArray before = askDeviceInfo();
    QVERIFY(before.size() >= 24);
    QCOMPARE(uchar(before[23]), uchar(3));

    cUpgrade dlg(m_owner.get(), nullptr);
    QVERIFY(dlg.init());
    dlg.download(m_server.baseUrl() + QStringLiteral("rz7/firmware.ini"), cUpgrade::index_path());
    auto *list = dlg.findChild<QListWidget *>(QStringLiteral("listWidget"));
    QTRY_COMPARE(list->count(), 1);
    dlg.findChild<QPushButton *>(QStringLiteral("pushButton_upgrade"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(m_owner->m_closedEvents == 1, 20000);

    // What crossed the wire, checked with the controller's own unpacking.
    const std::vector<tavrosim::Bytes> frames = m_sim->receivedFrames(tavrosim::kCmdEnterUpgrade);
    QCOMPARE(int(frames.size()), 1);
    const tavrosim::Bytes wire = tavrosim::packSysEx(frames.front());
    QCOMPARE(tavrotest::toHex(QByteArray(reinterpret_cast<const char *>(wire.data()), int(wire.size()))),
             QStringLiteral("F0 78 32 45 13 00 00 40 3F 7F 02 00 F7"));
    QVERIFY(m_sim->inUpgradeMode());
    QCOMPARE(dlg.driveLetter(), 'F');
    QCOMPARE(dlg.findChild<QProgressBar *>(QStringLiteral("progressBar"))->text(),
             QStringLiteral("Update progress: 100%"));
    QCOMPARE(QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).value(QStringLiteral("UpgradeResult")).toInt(), 1);
    QCOMPARE(m_owner->m_backs, 1);

    // The controller restarts with the version of the image it was given.
    const QByteArray installed = m_drives->installedImage('F');
    ufw::ImageInfo info;
    QCOMPARE(int(ufw::verifyImage(reinterpret_cast<const uint8_t *>(installed.constData()), size_t(installed.size()), info)),
             int(ufw::Check::Ok));
    std::string error;
    QVERIFY2(m_sim->returnFromUpgrade(int(info.version), &error), error.c_str());
    m_midi->close();
    QVERIFY(openSimPorts());
    const QByteArray after = askDeviceInfo();
    QVERIFY(after.size() >= 24);
    QCOMPARE(uchar(after[23]), uchar(12));
}

void TestUpgradeEndToEnd::failedUpgradeLeavesDeviceForFixMode()
{
    startSim({QStringLiteral("fail_at=55")});
    {
        cUpgrade dlg(m_owner.get(), nullptr);
        QVERIFY(dlg.init());
        dlg.download(m_server.baseUrl() + QStringLiteral("rz7/firmware.ini"), cUpgrade::index_path());
        QTRY_COMPARE(dlg.findChild<QListWidget *>(QStringLiteral("listWidget"))->count(), 1);
        dlg.findChild<QPushButton *>(QStringLiteral("pushButton_upgrade"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(m_boxes->titles.size(), 2, 20000);
        QCOMPARE(m_boxes->titles.last(), QStringLiteral("Update interrupted"));
        QVERIFY(dlg.isVisible());
    }
    QVERIFY(m_sim->inUpgradeMode());
    QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
    QCOMPARE(settings.value(QStringLiteral("UpgradeResult")).toInt(), 0);
    QCOMPARE(settings.value(QStringLiteral("IniUrl")).toString(), m_server.baseUrl() + QStringLiteral("rz7/firmware.ini"));
    QCOMPARE(settings.value(QStringLiteral("UfwUrl")).toString(), m_server.baseUrl() + QStringLiteral("rz7/RZ7_V12.ufw"));
    QCOMPARE(settings.value(QStringLiteral("Dev_PID")).toString(), kPid);
    QCOMPARE(settings.value(QStringLiteral("Dev_VID")).toString(), kVid);
}

TAVRO_TEST_MAIN(TestUpgradeEndToEnd)
#include "test_upgrade_e2e.moc"
