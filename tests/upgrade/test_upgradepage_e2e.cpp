// The upgrade-only page as the connection window opens it: simulated
// controllers on JACK, the window offscreen, the image from a local HTTP
// server and the device in upgrade mode from the upgrade-library stand-in.

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <memory>

#include "cshareupdatedlg.h"
#include "cupgrade.h"
#include "httpfixture.h"
#include "pc_connectui.h"
#include "simulator.h"
#include "testmain.h"
#include "connectwindowtest.h"
#include "ui_pc_connectui.h"
#include "upgradetestutil.h"

using namespace upgradetest;

using tavrotest::picture;

namespace {

constexpr int kWait = 8000; // a port scan runs once a second

const QString kPid = QStringLiteral("PID-Z2");
const QString kVid = QStringLiteral("VID-Z2");

} // namespace

class TestUpgradePageEndToEnd : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<tavrosim::Simulator> startSim(const std::string &name, int model, const std::string &folder,
                                                  Drives *drives);
    HttpFixture m_server;

private slots:
    void initTestCase();
    void init();

    void pageFromModelOrBrand_data();
    void pageFromModelOrBrand();
    void upgradeFromThePage();
};

void TestUpgradePageEndToEnd::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
        QFAIL("no private JACK server: run under scripts/test.sh or scripts/jack-env.sh");
    useStandInLibrary();
    QVERIFY(m_server.start());
    qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/z2/firmware.ini"), "[files]\n1=Z2_V7\n"));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/z2/Z2_V7.ufw"),
                               imageBytes(kPid.toStdString(), kVid.toStdString(), 7)));
}

void TestUpgradePageEndToEnd::init()
{
    QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).clear();
    g_language = 0;
    g_deviceId = 0;
    g_firmwareVersion = 0;
    g_downloadLink.clear();
    g_downloadFolder.clear();
}

std::unique_ptr<tavrosim::Simulator> TestUpgradePageEndToEnd::startSim(const std::string &name, int model,
                                                                      const std::string &folder, Drives *drives)
{
    tavrosim::SimOptions options;
    options.name = name;
    options.identity.model = model;
    options.identity.folder = folder;
    options.identity.firmware = 2;
    if (drives)
        options.upgradeHook = [drives] { drives->addDevice('E', kPid, kVid); };
    auto sim = std::make_unique<tavrosim::Simulator>(options);
    std::string error;
    if (!sim->start(&error)) {
        qWarning("simulator did not start: %s", error.c_str());
        return nullptr;
    }
    return sim;
}

void TestUpgradePageEndToEnd::pageFromModelOrBrand_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("model");
    QTest::addColumn<QString>("folder");
    QTest::newRow("model 5") << "Z2" << 5 << "z2/";
    QTest::newRow("brand word in the port name") << "ZOLVEN KD-9" << 3 << "kd9/";
}

// The page opens for the device, and closing it finishes the window.
void TestUpgradePageEndToEnd::pageFromModelOrBrand()
{
    QFETCH(QString, name);
    QFETCH(int, model);
    QFETCH(QString, folder);
    auto sim = startSim(name.toStdString(), model, folder.chopped(1).toStdString(), nullptr);
    QVERIFY(sim);
    pc_connectui window;
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(picture(window, uint(model)), kWait);
    QTest::mousePress(picture(window, uint(model)), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<CShareUpdateDlg *>(window.page()), kWait);
    QPointer<CBaseDlg> page = window.page();
    QTRY_VERIFY(page->isVisible());
    QVERIFY(!window.isVisible());
    QCOMPARE(g_downloadFolder, folder);

    QSignalSpy finished(&window, &QDialog::finished);
    page->close();
    QCOMPARE(finished.count(), 1);
    QVERIFY(!window.page());
    QVERIFY(!window.isVisible());
    QTRY_VERIFY(page.isNull());
}

// From the page's button to the device coming back: the frame goes through
// the page and the window to the device, and the window returns when done.
void TestUpgradePageEndToEnd::upgradeFromThePage()
{
    Drives drives;
    BoxCatcher boxes(QMessageBox::Yes);
    auto sim = startSim("Z2", 5, "z2", &drives);
    QVERIFY(sim);
    pc_connectui window;
    window.show();
    QTRY_VERIFY_WITH_TIMEOUT(picture(window, 5), kWait);
    QTest::mousePress(picture(window, 5), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(qobject_cast<CShareUpdateDlg *>(window.page()), kWait);
    auto *page = qobject_cast<CShareUpdateDlg *>(window.page());
    QPointer<cUpgrade> upgrade = page->upgrade();

    page->findChild<QPushButton *>(QStringLiteral("pushButton_upgrade"))->click();
    QTRY_COMPARE(upgrade->findChild<QListWidget *>(QStringLiteral("listWidget"))->count(), 1);
    upgrade->findChild<QPushButton *>(QStringLiteral("pushButton_upgrade"))->click();

    QTRY_VERIFY_WITH_TIMEOUT(!drives.installedImage('E').isEmpty(), 20000);
    QCOMPARE(sim->receivedCount(tavrosim::kCmdEnterUpgrade), 1);
    QVERIFY(sim->inUpgradeMode());
    QTRY_VERIFY(window.isVisible());
    QVERIFY(!window.page());
    QTRY_VERIFY(upgrade.isNull());
    QCOMPARE(QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).value(QStringLiteral("UpgradeResult")).toInt(), 1);
}

TAVRO_TEST_MAIN(TestUpgradePageEndToEnd)
#include "test_upgradepage_e2e.moc"
