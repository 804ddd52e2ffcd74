// The "Fix Mode" menu in the connection window at the next start after a
// failed upgrade: where it sits, its language, resuming the upgrade with a
// device still in upgrade mode (after which the application ends), and what
// the user is told when there is no such device.

#include <QAction>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "connectwindowtest.h"
#include "cupgrade.h"
#include "fixmodemenu.h"
#include "httpfixture.h"
#include "pc_connectui.h"
#include "simulator.h"
#include "testmain.h"
#include "ui_pc_connectui.h"
#include "upgradetestutil.h"

using namespace upgradetest;

namespace {

const QString kPid = QStringLiteral("PID-7A21");
const QString kVid = QStringLiteral("VID-5533");

FixModeMenuBar *menuOf(pc_connectui &window)
{
    return window.findChild<FixModeMenuBar *>();
}

cUpgrade *visibleUpgradeDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *dlg = qobject_cast<cUpgrade *>(w); dlg && dlg->isVisible())
            return dlg;
    return nullptr;
}

} // namespace

class TestFixModeWindow : public QObject
{
    Q_OBJECT

private:
    void storeFailure();
    HttpFixture m_server;

private slots:
    void initTestCase();
    void init();

    void menuAtEndOfBottomRow();
    void noMenuAfterGoodUpgrade_data();
    void noMenuAfterGoodUpgrade();
    void resumedUpgradeEndsApplication();
    void noDeviceIsTold();
    void missingLibraryDoesNothing();
};

void TestFixModeWindow::initTestCase()
{
    if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
        QFAIL("no private JACK server: run under scripts/test.sh or scripts/jack-env.sh");
    useStandInLibrary();
    QVERIFY(m_server.start());
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/firmware.ini"), "[files]\n1=RZ7_V12\n2=RZ7_V9\n"));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/RZ7_V12.ufw"),
                               imageBytes(kPid.toStdString(), kVid.toStdString(), 12)));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/RZ7_V9.ufw"),
                               imageBytes(kPid.toStdString(), kVid.toStdString(), 9)));
}

void TestFixModeWindow::init()
{
    QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).clear();
    g_language = 0;
    // No device-information reply in this run of the program.
    g_firmwareVersion = 0;
    g_deviceId = 0;
    g_downloadFolder.clear();
    m_server.clearRequests();
}

void TestFixModeWindow::storeFailure()
{
    QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
    settings.setValue(QStringLiteral("UpgradeResult"), 0);
    settings.setValue(QStringLiteral("IniUrl"), m_server.baseUrl() + QStringLiteral("rz7/firmware.ini"));
    settings.setValue(QStringLiteral("UfwUrl"), m_server.baseUrl() + QStringLiteral("rz7/RZ7_V9.ufw"));
}

void TestFixModeWindow::menuAtEndOfBottomRow()
{
    storeFailure();
    pc_connectui window;
    window.show();
    FixModeMenuBar *bar = menuOf(window);
    QVERIFY(bar);
    QHBoxLayout *row = window.form()->horizontalLayout;
    QCOMPARE(row->itemAt(row->count() - 1)->widget(), bar);
    QCOMPARE(bar->size(), QSize(80, 40));
    QCOMPARE(bar->fixMenu()->title(), QStringLiteral("menu"));
    QCOMPARE(bar->fixModeAction()->text(), QStringLiteral("Fix upgrade defeat"));

    window.changeLanguage(1);
    QCOMPARE(bar->fixMenu()->title(), QStringLiteral("菜单"));
    QCOMPARE(bar->fixModeAction()->text(), QStringLiteral("升级失败修复"));
    window.changeLanguage(0);
    QCOMPARE(bar->fixModeAction()->text(), QStringLiteral("Fix upgrade defeat"));
}

void TestFixModeWindow::noMenuAfterGoodUpgrade_data()
{
    QTest::addColumn<QVariant>("result");
    QTest::newRow("never upgraded") << QVariant();
    QTest::newRow("last upgrade ended well") << QVariant(1);
}

void TestFixModeWindow::noMenuAfterGoodUpgrade()
{
    QFETCH(QVariant, result);
    if (result.isValid())
        QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).setValue(QStringLiteral("UpgradeResult"), result);
    pc_connectui window;
    QVERIFY(!menuOf(window));
    QVERIFY(window.findChildren<QMenuBar *>().isEmpty());
}

void TestFixModeWindow::resumedUpgradeEndsApplication()
{
    storeFailure();
    Drives drives;
    drives.addDevice('G', kPid, kVid);
    BoxCatcher boxes(QMessageBox::Yes);
    // Another controller, of a model that has no page: a click on it leaves
    // its ports open.
    tavrosim::SimOptions other = tavrosim::optionsForModel(2);
    other.name = "ORB_LINKER";
    tavrosim::Simulator sim(other);
    QVERIFY(sim.start());
    pc_connectui window;
    window.show();
    QVERIFY(menuOf(window));
    QSignalSpy finished(&window, &QDialog::finished);
    QTRY_VERIFY_WITH_TIMEOUT(tavrotest::picture(window, 2), 8000);
    QTest::mousePress(tavrotest::picture(window, 2), Qt::LeftButton);
    QTRY_COMPARE(int(g_deviceId), 2);

    menuOf(window)->fixModeAction()->trigger();
    // The device check asks only for the chip name and the descriptions.
    QCOMPARE(drives.callNames().mid(0, 2),
             (QStringList{QStringLiteral("JL_getChipDeviceName"), QStringLiteral("JL_queryDeviceDesc")}));
    QCOMPARE(drives.callNames().size(), 1 + ('G' - 'C' + 1));
    QVERIFY(!QApplication::overrideCursor());
    cUpgrade *dlg = visibleUpgradeDialog();
    QVERIFY(dlg);
    auto *list = dlg->findChild<QListWidget *>(QStringLiteral("listWidget"));
    QTRY_COMPARE(list->count(), 2);
    QCOMPARE(m_server.requests(), QStringList{QStringLiteral("tvsuite/rz7/firmware.ini")});

    // Whatever row is chosen, the image of the failed upgrade is fetched again.
    list->setCurrentRow(0);
    QCOMPARE(list->currentItem()->text(), QStringLiteral("RZ7_V12"));
    dlg->findChild<QPushButton *>(QStringLiteral("pushButton_upgrade"))->click();

    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
    QCOMPARE(m_server.requests().last(), QStringLiteral("tvsuite/rz7/RZ7_V9.ufw"));
    const QByteArray installed = drives.installedImage('G');
    ufw::ImageInfo info;
    QCOMPARE(int(ufw::verifyImage(reinterpret_cast<const uint8_t *>(installed.constData()), size_t(installed.size()), info)),
             int(ufw::Check::Ok));
    QCOMPARE(info.version, 9u);
    QVERIFY(!window.isVisible());
    QVERIFY(!dlg->isVisible());
    QCOMPARE(QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).value(QStringLiteral("UpgradeResult")).toInt(), 1);
    QVERIFY(boxes.texts == QStringList{QStringLiteral("Download and update?")});
    QVERIFY(sim.receivedFrames(tavrosim::kCmdEnterUpgrade).empty());
    sim.vanish();
}

void TestFixModeWindow::noDeviceIsTold()
{
    storeFailure();
    Drives drives;
    drives.addDevice('E', kPid, kVid, {}, QStringLiteral("SOME USB STICK"));
    BoxCatcher boxes;
    pc_connectui window;
    window.show();
    menuOf(window)->fixModeAction()->trigger();
    QTRY_COMPARE(boxes.texts, QStringList{QStringLiteral("Device not found for upgrade")});
    QCOMPARE(boxes.titles, QStringList{QStringLiteral("warning")});
    QCOMPARE(drives.callNames().count(QStringLiteral("JL_queryDeviceDesc")), 23);
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(!visibleUpgradeDialog());
    QVERIFY(m_server.requests().isEmpty());
    QVERIFY(window.isVisible());
}

void TestFixModeWindow::missingLibraryDoesNothing()
{
    storeFailure();
    qputenv("TAVRO_UPGRADE_LIB", QByteArray("/nonexistent/libjl_firmware_upgrade_x86.so"));
    BoxCatcher boxes;
    pc_connectui window;
    window.show();
    // The action runs to its end inside trigger(): a search or a download
    // would have begun there.
    menuOf(window)->fixModeAction()->trigger();
    useStandInLibrary();
    QVERIFY(boxes.texts.isEmpty());
    QVERIFY(!visibleUpgradeDialog());
    QVERIFY(!QApplication::overrideCursor());
    QVERIFY(m_server.requests().isEmpty());
}

TAVRO_TEST_MAIN(TestFixModeWindow)
#include "test_fixmode_window.moc"
