// The upgrade-only page on its own: its form, its one button, what passes
// through it between the upgrade dialog and its owner, and its closing.

#include <QListWidget>
#include <QPushButton>

#include "bytes.h"
#include "cshareupdatedlg.h"
#include "cupgrade.h"
#include "download.h"
#include "httpfixture.h"
#include "testmain.h"
#include "upgradetestutil.h"

using namespace upgradetest;

namespace {

const QString kPid = QStringLiteral("PID-Z2");
const QString kVid = QStringLiteral("VID-Z2");

QPushButton *buttonOf(QWidget *page)
{
    return page->findChild<QPushButton *>(QStringLiteral("pushButton_upgrade"));
}

} // namespace

class TestCShareUpdateDlg : public QObject
{
    Q_OBJECT

private:
    HttpFixture m_server;

private slots:
    void initTestCase();
    void init();

    void formKeepsItsFirstTexts();
    void missingLibraryDoesNothing();
    void upgradeRunsThroughThePage();
    void closingTellsTheOwner();
};

void TestCShareUpdateDlg::initTestCase()
{
    useStandInLibrary();
    QVERIFY(m_server.start());
    qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/z2/firmware.ini"), "[files]\n1=Z2_V7\n"));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/z2/Z2_V7.ufw"),
                               imageBytes(kPid.toStdString(), kVid.toStdString(), 7)));
}

void TestCShareUpdateDlg::init()
{
    QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).clear();
    m_server.clearRequests();
    g_language = 0;
    g_downloadLink = QStringLiteral("z2");
    g_downloadFolder = QStringLiteral("z2/");
    g_firmwareVersion = 2;
}

void TestCShareUpdateDlg::formKeepsItsFirstTexts()
{
    RecordingOwner owner;
    CShareUpdateDlg page(&owner, nullptr);
    QCOMPARE(page.objectName(), QStringLiteral("CShareUpdateDlg"));
    QCOMPARE(page.minimumSize(), QSize(450, 300));
    QCOMPARE(page.maximumSize(), QSize(450, 300));
    QVERIFY(!(page.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(buttonOf(&page)->geometry(), QRect(110, 130, 220, 50));
    QCOMPARE(buttonOf(&page)->font().family(), QStringLiteral("Consolas"));
    QCOMPARE(buttonOf(&page)->font().pointSize(), 14);
    // Its own upgrade dialog loaded the English texts before the form was built.
    QCOMPARE(buttonOf(&page)->text(), QStringLiteral("upgrade"));
    QCOMPARE(page.windowTitle(), QStringLiteral("Dialog"));

    g_language = 1;
    page.upgrade()->Slots_change_language();
    page.Slots_change_language();
    QCOMPARE(buttonOf(&page)->text(), QStringLiteral("upgrade"));
    g_language = 0;
    page.upgrade()->Slots_change_language();

    page.update_title();
    QCOMPARE(page.windowTitle(), QStringLiteral("z2 V2"));
}

void TestCShareUpdateDlg::missingLibraryDoesNothing()
{
    qputenv("TAVRO_UPGRADE_LIB", QByteArray("/nonexistent/libjl_firmware_upgrade_x86.so"));
    RecordingOwner owner;
    CShareUpdateDlg page(&owner, nullptr);
    page.show();
    buttonOf(&page)->click();
    // A download would have shown the dialog and started at once.
    QVERIFY(!page.upgrade()->isVisible());
    QVERIFY(page.upgrade()->findChildren<Download *>().isEmpty());
    QVERIFY(m_server.requests().isEmpty());
    useStandInLibrary();
}

void TestCShareUpdateDlg::upgradeRunsThroughThePage()
{
    Drives drives;
    drives.addDevice('C', kPid, kVid);
    BoxCatcher boxes(QMessageBox::Yes);
    RecordingOwner owner;
    CShareUpdateDlg page(&owner, nullptr);
    page.show();

    // Device traffic is ignored.
    const QByteArray noise = tavrotest::hex("90 3C 40 F0 01 02 F7 F0 78 32 45 00 00 00 40 7F F7");
    QCOMPARE(page.Slots_recv_data(tavrotest::u8(noise), uint(noise.size())), uint(noise.size()));

    buttonOf(&page)->click();
    QVERIFY(page.upgrade()->isVisible());
    QTRY_COMPARE(page.upgrade()->findChild<QListWidget *>(QStringLiteral("listWidget"))->count(), 1);
    QCOMPARE(m_server.requests(), QStringList{QStringLiteral("tvsuite/z2/firmware.ini")});
    page.upgrade()->findChild<QPushButton *>(QStringLiteral("pushButton_upgrade"))->click();
    QTRY_VERIFY_WITH_TIMEOUT(!drives.installedImage('C').isEmpty(), 15000);

    // The frame and the hand-back reach the owner through the page; the
    // dialog's closing stops at the page.
    QCOMPARE(owner.m_sent.size(), 1);
    QCOMPARE(tavrotest::toHex(owner.m_sent.first()), QStringLiteral("78 59 71 02 00 00 7F 7F 01"));
    QTRY_COMPARE(owner.m_backs, 1);
    QCOMPARE(owner.m_closedEvents, 0);
    QVERIFY(!page.upgrade()->isVisible());
}

void TestCShareUpdateDlg::closingTellsTheOwner()
{
    RecordingOwner owner;
    auto *page = new CShareUpdateDlg(&owner, nullptr);
    page->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<cUpgrade> upgrade = page->upgrade();
    page->show();
    page->close();
    QCOMPARE(owner.m_closedEvents, 1);
    // The page and its upgrade dialog are gone once the events have run.
    QTRY_VERIFY(upgrade.isNull());
}

TAVRO_TEST_MAIN(TestCShareUpdateDlg)
#include "test_cshareupdatedlg.moc"
