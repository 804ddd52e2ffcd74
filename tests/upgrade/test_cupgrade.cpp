// The upgrade dialog against the upgrade-library stand-in and a local HTTP
// server: index list, version rule, image check, drive search, upgrade run,
// stored failure, offline upgrade. Frames are recorded by the owner.

#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>

#include <memory>

#include "autodisappermsgbox.h"
#include "bytes.h"
#include "cupgrade.h"
#include "download.h"
#include "filesizelimit.h"
#include "httpfixture.h"
#include "testmain.h"
#include "upgradetestutil.h"
#include "utils.h"

using namespace upgradetest;

namespace {

const QString kPid = QStringLiteral("PID-7A21");
const QString kVid = QStringLiteral("VID-5533");

QStringList notices(QWidget *dialog)
{
    QStringList texts;
    for (AutoDisapperMsgBox *box : dialog->findChildren<AutoDisapperMsgBox *>())
        texts << box->text();
    return texts;
}

QListWidget *listOf(cUpgrade *dlg)
{
    return dlg->findChild<QListWidget *>(QStringLiteral("listWidget"));
}

QProgressBar *barOf(cUpgrade *dlg)
{
    return dlg->findChild<QProgressBar *>(QStringLiteral("progressBar"));
}

int storedResult()
{
    QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
    return settings.value(QStringLiteral("UpgradeResult"), 1).toInt();
}

QString stored(const char *key)
{
    QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
    return settings.value(QLatin1String(key)).toString();
}

QString readLog()
{
    QFile file(logFilePath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool downloading(cUpgrade *dlg)
{
    for (Download *d : dlg->findChildren<Download *>())
        if (d->isRunning())
            return true;
    return false;
}

QPushButton *button(cUpgrade *dlg, const char *name)
{
    return dlg->findChild<QPushButton *>(QLatin1String(name));
}

void clearNotices(QWidget *dialog)
{
    qDeleteAll(dialog->findChildren<AutoDisapperMsgBox *>());
}

// Accepts the next file dialog with path (empty: cancels it); *startFolder
// receives the folder it opened in.
void answerFileDialog(const QString &path, QString *startFolder = nullptr)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, path, startFolder] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        if (startFolder)
            *startFolder = dialog->directory().absolutePath();
        if (path.isEmpty()) {
            dialog->reject();
        } else {
            // The name box is what a user types into; selectFile races the
            // dialog's own folder loading.
            auto *nameEdit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            if (nameEdit)
                nameEdit->setText(path);
            QMetaObject::invokeMethod(dialog, "accept");
        }
    });
    timer->start();
}

} // namespace

class TestCUpgrade : public QObject
{
    Q_OBJECT

private:
    QString indexUrl() const { return m_server.baseUrl() + QStringLiteral("rz7/firmware.ini"); }
    QString imageUrl(const QString &name) const { return m_server.baseUrl() + QStringLiteral("rz7/") + name + QStringLiteral(".ufw"); }
    void serveIndex(const QStringList &names);
    cUpgrade *newDialog();
    void listIndex(cUpgrade *dlg, int rows);
    void chooseAndConfirm(cUpgrade *dlg, const QString &name);

    HttpFixture m_server;
    std::unique_ptr<Drives> m_drives;
    std::unique_ptr<RecordingOwner> m_owner;
    std::unique_ptr<cUpgrade> m_dlg;
    std::unique_ptr<BoxCatcher> m_boxes;

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void versionInName_data();
    void versionInName();
    void deleteFolderStaysInside();
    void initNeedsEveryFunction();
    void textsFollowTheLanguageAtEachStart();

    void indexListedWithoutProgress();
    void versionRuleDecidesDownload();
    void downloadFailureIsShown();
    void badImageNeverSwitchesDevice();
    void closingBeforeSwitchCancels();
    void oneRunAtATime();

    void upgradeRunsInOrder();
    void switchedDialogCannotBeClosed();
    void failedUpgradeIsStored_data();
    void failedUpgradeIsStored();
    void storedImageIsFetchedAfterFailure();
    void storedImageOfAnotherModelIsRefused();
    void unmatchedDeviceIsToldAndStored();
    void sameProductOtherVendorIdUpgrades();
    void deviceNotFoundIsToldAndStored();

    void offlineButtonNeedsAlt();
    void offlineUpgrade_data();
    void offlineUpgrade();
    void failedOfflineRunLeavesOnlineUpgradesWorking();
};

void TestCUpgrade::initTestCase()
{
    useStandInLibrary();
    QVERIFY(m_server.start());
    qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
}

void TestCUpgrade::init()
{
    QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).clear();
    QFile::remove(logFilePath());
    m_server.clearBehaviours();
    m_server.clearRequests();
    m_drives = std::make_unique<Drives>();
    m_owner = std::make_unique<RecordingOwner>();
    Drives *drives = m_drives.get();
    m_owner->m_forward = [drives](const uchar *frame, int len) {
        drives->note(QStringLiteral("SEND ") + tavrotest::toHex(QByteArray(reinterpret_cast<const char *>(frame), len)));
        return true;
    };
    m_boxes = std::make_unique<BoxCatcher>(QMessageBox::Yes);
    g_downloadFolder = QStringLiteral("rz7/");
    g_firmwareVersion = 5;
}

void TestCUpgrade::cleanup()
{
    m_dlg.reset();
    m_owner.reset();
    m_boxes.reset();
    m_drives.reset();
}

void TestCUpgrade::serveIndex(const QStringList &names)
{
    QByteArray ini = "[files]\n";
    for (int i = 0; i < names.size(); ++i)
        ini += QByteArray::number(i + 1) + '=' + names[i].toUtf8() + '\n';
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/firmware.ini"), ini));
    for (const QString &name : names)
        QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/") + name + QStringLiteral(".ufw"),
                                   imageBytes(kPid.toStdString(), kVid.toStdString(), 12)));
}

cUpgrade *TestCUpgrade::newDialog()
{
    m_dlg = std::make_unique<cUpgrade>(m_owner.get(), nullptr);
    if (!m_dlg->init())
        return nullptr;
    return m_dlg.get();
}

void TestCUpgrade::listIndex(cUpgrade *dlg, int rows)
{
    dlg->download(indexUrl(), cUpgrade::index_path());
    QTRY_COMPARE(listOf(dlg)->count(), rows);
}

void TestCUpgrade::chooseAndConfirm(cUpgrade *dlg, const QString &name)
{
    const auto items = listOf(dlg)->findItems(name, Qt::MatchExactly);
    QCOMPARE(items.size(), 1);
    listOf(dlg)->setCurrentItem(items.first());
    dlg->findChild<QPushButton *>(QStringLiteral("pushButton_upgrade"))->click();
}

// ---------------------------------------------------------------- pure parts

void TestCUpgrade::versionInName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("version");
    QTest::newRow("first V and digits win") << "DEV2_V15" << 2;
    QTest::newRow("suffix dropped") << "RZ7_V12.ufw" << 12;
    QTest::newRow("no suffix") << "RZ7_V12" << 12;
    QTest::newRow("only the last suffix dropped") << "RZ7_V12.bak.ufw" << 12;
    QTest::newRow("lower case") << "rz7_v9" << 9;
    QTest::newRow("version in the dropped suffix") << "RZ7.V30" << 0;
    QTest::newRow("none") << "firmware" << 0;
    QTest::newRow("too large") << "RZ7_V99999999999" << 0;
}

void TestCUpgrade::versionInName()
{
    QFETCH(QString, name);
    QFETCH(int, version);
    QCOMPARE(cUpgrade::get_ufw_version(name), version);
}

void TestCUpgrade::deleteFolderStaysInside()
{
    QTemporaryDir base;
    const QString folder = base.path() + QStringLiteral("/FirmwareUpgrade");
    const QString outside = base.path() + QStringLiteral("/outside");
    QVERIFY(writeBytes(outside + QStringLiteral("/keep.txt"), "keep"));
    QVERIFY(writeBytes(folder + QStringLiteral("/a.ufw"), "x"));
    QVERIFY(writeBytes(folder + QStringLiteral("/.hidden"), "x"));
    QVERIFY(writeBytes(folder + QStringLiteral("/sub/deeper/b.ini"), "x"));
    QVERIFY(QFile::link(outside, folder + QStringLiteral("/sub/dirlink")));
    QVERIFY(QFile::link(outside + QStringLiteral("/keep.txt"), folder + QStringLiteral("/filelink")));
    QVERIFY(QFile::link(base.path() + QStringLiteral("/missing"), folder + QStringLiteral("/broken")));

    QVERIFY(cUpgrade::delete_folder(folder));
    QVERIFY(!QFileInfo::exists(folder));
    QVERIFY(QFile::exists(outside + QStringLiteral("/keep.txt")));

    // The folder itself a link: the link goes, its target stays.
    QVERIFY(QFile::link(outside, folder));
    QVERIFY(cUpgrade::delete_folder(folder));
    QVERIFY(!QFileInfo(folder).isSymLink());
    QVERIFY(QFile::exists(outside + QStringLiteral("/keep.txt")));

    QVERIFY(!cUpgrade::delete_folder(folder));
}

void TestCUpgrade::initNeedsEveryFunction()
{
    RecordingOwner owner;
    cUpgrade dlg(&owner, nullptr);
    QVERIFY(dlg.init());

    qputenv("TAVRO_UPGRADE_LIB", QByteArray("/nonexistent/libjl_firmware_upgrade_x86.so"));
    QVERIFY(!dlg.init());
    QVERIFY(!dlg.isVisible());
    // Its functions are gone with it: nothing is called on an image.
    dlg.get_UFW_Pid_Vid(QStringLiteral("/nonexistent.ufw"));
    QVERIFY(!dlg.find_device_disk());

    // A library that is not the upgrade library.
    qputenv("TAVRO_UPGRADE_LIB", QByteArray(TAVRO_OTHER_SHARED_LIB));
    QVERIFY(!dlg.init());

    useStandInLibrary();
    QVERIFY(dlg.init());
}

// The connection window builds its dialog for Fix Mode at start-up; the user
// may switch the language before choosing Fix Mode.
void TestCUpgrade::textsFollowTheLanguageAtEachStart()
{
    g_language = 0;
    const auto restore = qScopeGuard([] {
        g_language = 0;
        loadInterfaceCatalogue();
    });
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    QCOMPARE(button(dlg, "pushButton_upgrade")->text(), QStringLiteral("Upgrade Firmware"));

    g_language = 1;
    QVERIFY(dlg->init());
    QCOMPARE(button(dlg, "pushButton_upgrade")->text(), QStringLiteral("固件更新"));
    QCOMPARE(dlg->windowTitle(), QStringLiteral("固件更新"));
}

// ---------------------------------------------------------------- index and download

void TestCUpgrade::indexListedWithoutProgress()
{
    serveIndex({QStringLiteral("RZ7_V12"), QStringLiteral("RZ7_V3"), QStringLiteral("RZ7_V8")});
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    QVERIFY(!dlg->isVisible());
    QVERIFY(QDir().mkpath(cUpgrade::upgrade_folder() + QStringLiteral("/old")));

    QSignalSpy progress(barOf(dlg), &QProgressBar::valueChanged);
    listIndex(dlg, 3);
    QVERIFY(dlg->isVisible());
    QCOMPARE(listOf(dlg)->item(0)->text(), QStringLiteral("RZ7_V12"));
    QCOMPARE(listOf(dlg)->item(2)->text(), QStringLiteral("RZ7_V8"));
    QVERIFY(listOf(dlg)->selectedItems().isEmpty());
    QCOMPARE(progress.count(), 0);
    QVERIFY(!QFileInfo::exists(cUpgrade::upgrade_folder() + QStringLiteral("/old")));

    // Several rows and none chosen: the button asks nothing (the question
    // would be open right after the click).
    dlg->findChild<QPushButton *>(QStringLiteral("pushButton_upgrade"))->click();
    QVERIFY(dlg->findChildren<QMessageBox *>().isEmpty());
    QVERIFY(m_boxes->texts.isEmpty());

    // One row is chosen for the user.
    serveIndex({QStringLiteral("RZ7_V12")});
    listIndex(dlg, 1);
    QCOMPARE(listOf(dlg)->selectedItems().size(), 1);
}

void TestCUpgrade::versionRuleDecidesDownload()
{
    serveIndex({QStringLiteral("RZ7_V5"), QStringLiteral("RZ7_V6"), QStringLiteral("RZ7")});
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/RZ7_V6.ufw"), "not an image"));
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 3);
    m_server.clearRequests();

    for (const QString &name : {QStringLiteral("RZ7_V5"), QStringLiteral("RZ7")}) {
        clearNotices(dlg);
        m_boxes->texts.clear();
        chooseAndConfirm(dlg, name);
        QTRY_COMPARE(m_boxes->texts, QStringList{QStringLiteral("Download and update?")});
        QCOMPARE(m_boxes->titles, QStringList{QStringLiteral("firmware upgrade")});
        m_boxes->titles.clear();
        QTRY_VERIFY(notices(dlg).contains(QStringLiteral("It is already the latest version!")));
    }
    QVERIFY(m_server.requests().isEmpty());

    // Answering No downloads nothing either.
    m_boxes->setAnswer(QMessageBox::No);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V6"));
    QTRY_COMPARE(m_boxes->texts.size(), 2);
    // The answer was handled when the box closed: no run, no download.
    QVERIFY(!dlg->isRunning());
    QVERIFY(!downloading(dlg));
    QVERIFY(m_server.requests().isEmpty());

    // A newer image is fetched, with the download percentage; it is no
    // firmware, and the bar is cleared with the notice.
    QSignalSpy shown(barOf(dlg), &QProgressBar::valueChanged);
    m_boxes->setAnswer(QMessageBox::Yes);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V6"));
    QTRY_COMPARE(m_server.requests(), QStringList{QStringLiteral("tvsuite/rz7/RZ7_V6.ufw")});
    QTRY_VERIFY(notices(dlg).contains(QStringLiteral("The downloaded firmware file is damaged.")));
    QVERIFY(shown.contains(QVariantList{100}) && barOf(dlg)->format() == QStringLiteral("Download progress: %p%"));
    QCOMPARE(barOf(dlg)->text(), QString());
}

void TestCUpgrade::downloadFailureIsShown()
{
    serveIndex({QStringLiteral("RZ7_V12")});
    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/firmware.ini"), HttpFixture::NotFound);
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    dlg->download(indexUrl(), cUpgrade::index_path());
    QTRY_VERIFY(notices(dlg).contains(QStringLiteral("Download failed!")));
    QCOMPARE(listOf(dlg)->count(), 0);

    // An image cut off part way.
    m_server.clearBehaviours();
    listIndex(dlg, 1);
    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/RZ7_V12.ufw"), HttpFixture::BreakOff);
    clearNotices(dlg);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QTRY_VERIFY(notices(dlg).contains(QStringLiteral("Download failed!")));
    QVERIFY(m_owner->m_sent.isEmpty());
    QCOMPARE(barOf(dlg)->text(), QString());

    QVERIFY(!dlg->isRunning());
    QVERIFY(button(dlg, "pushButton_upgrade")->isEnabled());

    // No stored index to resume from: an empty URL.
    clearNotices(dlg);
    dlg->resume_upgrade();
    QTRY_VERIFY(notices(dlg).contains(QStringLiteral("Download failed!")));

    // A redirect within the server is followed; one to a missing index is a
    // failure, not an empty index ("It is already the latest version!").
    m_server.setRedirect(QStringLiteral("tvsuite/rz7/firmware.ini"), m_server.urlFor(QStringLiteral("tvsuite/rz7/moved.ini")));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/moved.ini"), "[files]\n1=RZ7_V12\n2=RZ7_V13\n"));
    listIndex(dlg, 2);
    m_server.setRedirect(QStringLiteral("tvsuite/rz7/firmware.ini"), m_server.urlFor(QStringLiteral("tvsuite/rz7/none.ini")));
    clearNotices(dlg);
    dlg->download(indexUrl(), cUpgrade::index_path());
    QTRY_VERIFY(notices(dlg).contains(QStringLiteral("Download failed!")));
    QVERIFY(!notices(dlg).contains(QStringLiteral("It is already the latest version!")));

    // What is no index (a guest network's sign-in page, reached by a redirect
    // or answered directly; binary data; UTF-16) fails; an index without keys
    // (empty, groups without keys, keys outside "files") offers nothing.
    // Neither leaves the rows of the check before. An index with comments in
    // old code pages (Latin-1, GBK) lists its row (no notice).
    const QByteArray page = "\n  <!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head></html>\n";
    QVERIFY(m_server.writeFile(QStringLiteral("signin.html"), page));
    const QString failed = QStringLiteral("Download failed!"), latest = QStringLiteral("It is already the latest version!");
    const QList<QPair<QByteArray, QString>> answers{{"redirect", failed}, {page, failed},
        {QByteArray("[files]\n1=RZ7_V12\0\xff", 19), failed}, {QByteArray("\xff\xfe[\0f\0]\0\n\0", 10), failed},
        {"", latest}, {"[files]\n[video]\n", latest}, {"[video]\n1=v.example/a\n", latest},
        {"; Mise \xe0 jour\n; \xb9\xcc\xbc\xfe\n[files]\n1=RZ7_V20\n", QString()}};
    for (const auto &answer : answers) {
        m_server.clearBehaviours();
        serveIndex({QStringLiteral("RZ7_V12")});
        listIndex(dlg, 1);
        if (answer.first == "redirect")
            m_server.setRedirect(QStringLiteral("tvsuite/rz7/firmware.ini"), m_server.urlFor(QStringLiteral("signin.html")));
        else
            QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/firmware.ini"), answer.first));
        clearNotices(dlg);
        dlg->download(indexUrl(), cUpgrade::index_path());
        const bool lists = answer.second.isEmpty();
        QTRY_VERIFY(lists ? !listOf(dlg)->findItems(QStringLiteral("RZ7_V20"), Qt::MatchExactly).isEmpty()
                          : !notices(dlg).isEmpty());
        QCOMPARE(notices(dlg), lists ? QStringList() : QStringList{answer.second});
        QCOMPARE(listOf(dlg)->count(), lists ? 1 : 0);
    }

    // An index larger than 1 MiB is cut off while it arrives, even unannounced.
    m_server.clearBehaviours();
    QByteArray huge = "[files]\n1=RZ7_HUGE\n";
    while (huge.size() <= 1024 * 1024)
        huge += "; padding line of the index\n";
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/firmware.ini"), huge));
    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/firmware.ini"), HttpFixture::Unsized);
    clearNotices(dlg);
    dlg->download(indexUrl(), cUpgrade::index_path());
    QTRY_VERIFY(notices(dlg).contains(QStringLiteral("Download failed!")));
    QVERIFY(listOf(dlg)->findItems(QStringLiteral("RZ7_HUGE"), Qt::MatchExactly).isEmpty());

    // The disk fills while an index is written: it says so, and no index cut
    // after its first rows is listed or left behind.
    m_server.clearBehaviours();
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/firmware.ini"), "[files]\n1=RZ7_V12\n2=RZ7_V13\n"));
    dlg->download(indexUrl(), cUpgrade::index_path());
    QTRY_VERIFY(!listOf(dlg)->findItems(QStringLiteral("RZ7_V13"), Qt::MatchExactly).isEmpty());
    QByteArray longer = "[files]\n1=RZ7_V12\n";
    while (longer.size() <= 2048)
        longer += "; padding line of the index\n";
    longer += "2=RZ7_V14\n";
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/firmware.ini"), longer));
    tavrotest::FileSizeLimit limit(1024);
    if (!limit.active())
        QSKIP("needs a file size limit");
    clearNotices(dlg);
    dlg->download(indexUrl(), cUpgrade::index_path());
    QTRY_VERIFY(notices(dlg).contains(QStringLiteral("Download failed!")));
    limit.lift();
    QVERIFY(!QFile::exists(cUpgrade::index_path()));
    QCOMPARE(listOf(dlg)->count(), 0);
}

void TestCUpgrade::badImageNeverSwitchesDevice()
{
    serveIndex({QStringLiteral("RZ7_V12")});
    m_drives->addDevice('D', kPid, kVid);
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);

    // A good image first, so that its PID and VID are known ...
    listIndex(dlg, 1);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QTRY_COMPARE_WITH_TIMEOUT(m_owner->m_closedEvents, 1, 15000);
    QCOMPARE(m_owner->m_sent.size(), 1);
    QCOMPARE(dlg->ufwPid(), kPid);

    // ... then a corrupt one: the old PID must not let it through.
    QByteArray corrupt = imageBytes(kPid.toStdString(), kVid.toStdString(), 13);
    corrupt[corrupt.size() - 1] = char(corrupt[corrupt.size() - 1] ^ 0x55);
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/RZ7_V13.ufw"), corrupt));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/firmware.ini"), "[files]\n1=RZ7_V13\n"));
    m_drives->clearCalls();
    dlg->download(indexUrl(), cUpgrade::index_path());
    QTRY_COMPARE(listOf(dlg)->count() == 1 && listOf(dlg)->item(0)->text() == QStringLiteral("RZ7_V13"), true);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V13"));
    QTRY_VERIFY(notices(dlg).contains(QStringLiteral("The downloaded firmware file is damaged.")));
    QVERIFY(!notices(dlg).contains(QStringLiteral("Download failed!")));
    QCOMPARE(m_owner->m_sent.size(), 1);
    QVERIFY(!dlg->isRunning());
    QVERIFY(dlg->ufwPid().isEmpty());
    QCOMPARE(m_drives->callNames(), (QStringList{QStringLiteral("JL_loadUfwData"), QStringLiteral("JL_getUfwCrc")}));
}

void TestCUpgrade::closingBeforeSwitchCancels()
{
    serveIndex({QStringLiteral("RZ7_V12")});
    m_drives->addDevice('C', kPid, kVid);
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);
    m_drives->clearCalls();

    // The user closes the dialog while the image is on its way.
    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/RZ7_V12.ufw"), HttpFixture::Slow, 200);
    QSignalSpy asked(&m_server, &HttpFixture::requestReceived);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QVERIFY(asked.wait(5000));
    QVERIFY(dlg->isRunning());
    QVERIFY(!button(dlg, "pushButton_upgrade")->isEnabled());
    dlg->close();
    QVERIFY(!dlg->isRunning());
    QVERIFY(!downloading(dlg));

    // A second client asking for the same slow image is answered after the
    // cancelled download would have been; by then nothing of the run happened.
    QObject holder;
    Download *later = Download::get(QUrl(imageUrl(QStringLiteral("RZ7_V12"))), DownloadKind::FirmwareImage, &holder);
    QSignalSpy laterDone(later, &Download::finished);
    QVERIFY(laterDone.wait(5000));
    QVERIFY(m_owner->m_sent.isEmpty());
    QVERIFY(m_drives->calls().isEmpty());
    QCOMPARE(m_boxes->texts, QStringList{QStringLiteral("Download and update?")});
    QCOMPARE(stored("UpgradeResult"), QString());
    QVERIFY(button(dlg, "pushButton_upgrade")->isEnabled());
}

void TestCUpgrade::oneRunAtATime()
{
    serveIndex({QStringLiteral("RZ7_V12")});
    m_drives->addDevice('C', kPid, kVid);
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);
    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/RZ7_V12.ufw"), HttpFixture::Slow, 300);
    QSignalSpy asked(&m_server, &HttpFixture::requestReceived);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QVERIFY(asked.wait(5000));

    // While the image comes, both buttons are off; pressing on anyway, or a
    // page asking for the index again, starts nothing.
    QVERIFY(!button(dlg, "pushButton_upgrade")->isEnabled());
    QVERIFY(!button(dlg, "pushButton_offline")->isEnabled());
    dlg->click_upgrade();
    QVERIFY(dlg->findChildren<QMessageBox *>().isEmpty());
    dlg->click_offline_upgrade();
    dlg->download(indexUrl(), cUpgrade::index_path());
    QVERIFY(QFileInfo::exists(cUpgrade::upgrade_folder()));

    QTRY_COMPARE_WITH_TIMEOUT(m_owner->m_closedEvents, 1, 15000);
    QCOMPARE(m_owner->m_sent.size(), 1);
    QCOMPARE(m_server.requests(), (QStringList{QStringLiteral("tvsuite/rz7/firmware.ini"),
                                               QStringLiteral("tvsuite/rz7/RZ7_V12.ufw")}));
    QVERIFY(button(dlg, "pushButton_upgrade")->isEnabled());
}

// ---------------------------------------------------------------- upgrade run

void TestCUpgrade::upgradeRunsInOrder()
{
    serveIndex({QStringLiteral("RZ7_V12")});
    const QByteArray image = imageBytes(kPid.toStdString(), kVid.toStdString(), 12, 5000);
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/RZ7_V12.ufw"), image));
    m_drives->addDevice('C', QStringLiteral("OTHER"), kVid, {}, QStringLiteral("USB DISK 2.0"));
    m_drives->addDevice('E', kPid, kVid);
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);
    m_drives->clearCalls();

    QVector<int> values;
    const auto watch = connect(barOf(dlg), &QProgressBar::valueChanged, this, [&values](int v) { values << v; });
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QTRY_VERIFY_WITH_TIMEOUT(!dlg->isVisible(), 15000);
    disconnect(watch);

    QCOMPARE(m_drives->calls(),
             (QStringList{QStringLiteral("JL_loadUfwData %1 0").arg(image.size()),
                          QStringLiteral("JL_getUfwCrc 0"),
                          QStringLiteral("JL_getUfwPidVid 0"),
                          QStringLiteral("SEND 78 59 71 02 00 00 7F 7F 01"),
                          QStringLiteral("JL_getChipDeviceName 0"),
                          QStringLiteral("JL_queryDeviceDesc C 0"),
                          QStringLiteral("JL_queryDeviceDesc D 5"),
                          QStringLiteral("JL_queryDeviceDesc E 0"),
                          QStringLiteral("JL_queryDevicePidVid E 0"),
                          QStringLiteral("JL_upgradeDevice E 1 1 0")}));
    QCOMPARE(dlg->driveLetter(), 'E');
    QCOMPARE(m_drives->installedImage('E'), image);
    QCOMPARE(storedResult(), 1);
    QCOMPARE(m_owner->m_backs, 1);
    QCOMPARE(m_owner->m_closedEvents, 1);
    QCOMPARE(barOf(dlg)->value(), 100);
    QCOMPARE(barOf(dlg)->text(), QStringLiteral("Update progress: 100%"));
    // Upgrade progress climbs 0..100 after the download's.
    const int start = values.lastIndexOf(0);
    QVERIFY(start > 0);
    QVERIFY(std::is_sorted(values.begin() + start, values.end()));
    QCOMPARE(values.last(), 100);
    QVERIFY(m_boxes->texts.size() == 1); // only the question
}

void TestCUpgrade::switchedDialogCannotBeClosed()
{
    serveIndex({QStringLiteral("RZ7_V12")});
    m_drives->addDevice('C', kPid, kVid);
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);

    // Half way through flashing the user tries every way out.
    QStringList refused;
    connect(barOf(dlg), &QProgressBar::valueChanged, dlg, [&](int value) {
        if (value != 50 || !barOf(dlg)->text().startsWith(QLatin1String("Update")))
            return;
        dlg->close();
        dlg->reject();
        QTest::keyClick(dlg, Qt::Key_Escape);
        if (dlg->isVisible() && dlg->deviceSwitched())
            refused << QStringLiteral("still open");
    });
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QTRY_COMPARE_WITH_TIMEOUT(m_owner->m_closedEvents, 1, 15000);
    QCOMPARE(refused, QStringList{QStringLiteral("still open")});
    QVERIFY(!m_drives->installedImage('C').isEmpty());
    QCOMPARE(storedResult(), 1);
    QVERIFY(!dlg->isVisible());
}

void TestCUpgrade::failedUpgradeIsStored_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("code");
    QTest::addColumn<bool>("writable");
    QTest::newRow("interrupted") << "fail_at=40" << 7 << true;
    // Full progress is not success: the library's answer decides.
    QTest::newRow("error after 100%") << "result=3" << 3 << true;
    // A folder where the settings file would be defeats every user.
    QTest::newRow("settings cannot be written") << "fail_at=40" << 7 << false;
}

void TestCUpgrade::failedUpgradeIsStored()
{
    QFETCH(QString, fault);
    QFETCH(int, code);
    QFETCH(bool, writable);
    const QString settingsFile = QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).fileName();
    const auto unblock = qScopeGuard([&] { QDir(settingsFile).removeRecursively(); });
    if (!writable) {
        QFile::remove(settingsFile);
        QVERIFY(QDir().mkpath(settingsFile));
    }
    serveIndex({QStringLiteral("RZ7_V12")});
    m_drives->addDevice('C', kPid, QStringLiteral("VID-OTHER"), {fault});
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));

    QTRY_COMPARE_WITH_TIMEOUT(m_boxes->texts.size(), 2, 15000);
    QCOMPARE(m_boxes->titles.last(), QStringLiteral("Update interrupted"));
    if (!writable) {
        QCOMPARE(m_boxes->texts.last(), QStringLiteral("The failure could not be recorded (the settings file cannot "
                                                       "be written), so a restart will not resume the upgrade."));
        return;
    }
    QCOMPARE(m_boxes->texts.last(), QStringLiteral("Please restart the software to update"));
    QCOMPARE(storedResult(), 0);
    QCOMPARE(stored("IniUrl"), indexUrl());
    QCOMPARE(stored("UfwUrl"), imageUrl(QStringLiteral("RZ7_V12")));
    QCOMPARE(stored("Dev_PID"), kPid);
    QCOMPARE(stored("Dev_VID"), QStringLiteral("VID-OTHER"));
    QVERIFY(dlg->isVisible());
    QCOMPARE(m_owner->m_backs, 0);
    QCOMPARE(m_owner->m_closedEvents, 0);
    QCOMPARE(barOf(dlg)->text(), QString()); // no percentage beside the failure
    QVERIFY(m_drives->installedImage('C').isEmpty());

    const QRegularExpression line(QStringLiteral("^\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\.\\d{3}\\] "
                                                 "m_upgradeDevice err %1\\n$").arg(code));
    QVERIFY2(line.match(readLog()).hasMatch(), qPrintable(readLog()));
}

void TestCUpgrade::storedImageIsFetchedAfterFailure()
{
    QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
    settings.setValue(QStringLiteral("UpgradeResult"), 0);
    settings.setValue(QStringLiteral("UfwUrl"), imageUrl(QStringLiteral("RZ7_V9")));
    settings.sync();
    serveIndex({QStringLiteral("RZ7_V12"), QStringLiteral("RZ7_V9")});
    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/RZ7_V9.ufw"), HttpFixture::NotFound);

    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 2);
    m_server.clearRequests();
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QTRY_COMPARE(m_server.requests(), QStringList{QStringLiteral("tvsuite/rz7/RZ7_V9.ufw")});

    // Resumed (Fix Mode) after a device of another model answered in this
    // run: the stored index's folder counts, not that device's.
    g_downloadFolder = QStringLiteral("dev2/");
    settings.setValue(QStringLiteral("IniUrl"), indexUrl());
    settings.sync();
    cUpgrade *resumed = newDialog();
    QVERIFY(resumed);
    resumed->resume_upgrade();
    QTRY_COMPARE(listOf(resumed)->count(), 2);
    m_server.clearRequests();
    chooseAndConfirm(resumed, QStringLiteral("RZ7_V12"));
    QTRY_COMPARE(m_server.requests(), QStringList{QStringLiteral("tvsuite/rz7/RZ7_V9.ufw")});
}

void TestCUpgrade::storedImageOfAnotherModelIsRefused()
{
    // Model A's upgrade failed; this dialog upgrades model B (folder rz7/).
    QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
    settings.setValue(QStringLiteral("UpgradeResult"), 0);
    settings.setValue(QStringLiteral("IniUrl"), m_server.baseUrl() + QStringLiteral("vx18/firmware.ini"));
    settings.setValue(QStringLiteral("UfwUrl"), m_server.baseUrl() + QStringLiteral("vx18/VX18_V9.ufw"));
    settings.sync();
    serveIndex({QStringLiteral("RZ7_V12")});
    m_drives->addDevice('C', kPid, kVid);
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);
    m_server.clearRequests();

    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    // The notice names the way out.
    QTRY_VERIFY(notices(dlg).contains(QStringLiteral(
        "An interrupted upgrade of another device must be finished first. Connect that device, start the editor "
        "again and choose Fix Mode in the menu of the connection window.")));
    QVERIFY(!dlg->isRunning());
    QVERIFY(m_server.requests().isEmpty());
    QVERIFY(m_owner->m_sent.isEmpty());
    QCOMPARE(stored("UfwUrl"), m_server.baseUrl() + QStringLiteral("vx18/VX18_V9.ufw"));
}

void TestCUpgrade::unmatchedDeviceIsToldAndStored()
{
    // The device in upgrade mode is another product: told, stored for Fix
    // Mode without this image, handed back.
    serveIndex({QStringLiteral("RZ7_V12")});
    m_drives->addDevice('C', QStringLiteral("PID-OTHER"), kVid);
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QTRY_COMPARE_WITH_TIMEOUT(m_owner->m_backs, 1, 15000);
    QVERIFY(!m_drives->callNames().contains(QStringLiteral("JL_upgradeDevice")));
    QCOMPARE(m_boxes->titles.last(), QStringLiteral("Update interrupted"));
    QCOMPARE(m_boxes->texts.last(),
             QStringLiteral("The firmware does not match the device in upgrade mode. Please restart the software to update."));
    QCOMPARE(storedResult(), 0);
    QCOMPARE(stored("IniUrl"), indexUrl());
    QCOMPARE(stored("UfwUrl"), QString());
    QCOMPARE(stored("Dev_PID"), QStringLiteral("PID-OTHER"));
    QVERIFY(!dlg->isRunning());

    // The device does not answer its PID and VID: the image stays resumable.
    QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).clear();
    m_drives->removeDevice('C');
    m_drives->addDevice('C', kPid, kVid, {QStringLiteral("pidvid_error=4")});
    listIndex(dlg, 1);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QTRY_COMPARE_WITH_TIMEOUT(m_owner->m_backs, 2, 15000);
    QVERIFY(!m_drives->callNames().contains(QStringLiteral("JL_upgradeDevice")));
    QCOMPARE(m_boxes->texts.last(),
             QStringLiteral("The device in upgrade mode does not answer. Please restart the software to update."));
    QCOMPARE(storedResult(), 0);
    QCOMPARE(stored("UfwUrl"), imageUrl(QStringLiteral("RZ7_V12")));
    QVERIFY(readLog().endsWith(QStringLiteral("] device PID VID get error \n")));
}

void TestCUpgrade::sameProductOtherVendorIdUpgrades()
{
    serveIndex({QStringLiteral("RZ7_V12")});
    m_drives->addDevice('C', kPid, QStringLiteral("VID-ELSE"));
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_drives->installedImage('C').isEmpty(), 15000);
    QTRY_COMPARE(m_owner->m_closedEvents, 1);
}

void TestCUpgrade::deviceNotFoundIsToldAndStored()
{
    serveIndex({QStringLiteral("RZ7_V12")});
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));

    QTRY_COMPARE_WITH_TIMEOUT(m_boxes->texts.size(), 2, 20000);
    QCOMPARE(m_boxes->texts.last(), QStringLiteral("Please restart the software to update"));
    QStringList queried;
    for (const QString &line : m_drives->calls())
        if (line.startsWith(QLatin1String("JL_queryDeviceDesc")))
            queried << line.section(QLatin1Char(' '), 1, 1);
    QCOMPARE(queried.size(), 23);
    QCOMPARE(queried.first(), QStringLiteral("C"));
    QCOMPARE(queried.last(), QStringLiteral("Y"));
    QCOMPARE(storedResult(), 0);
    QCOMPARE(stored("IniUrl"), indexUrl());
    QCOMPARE(stored("UfwUrl"), imageUrl(QStringLiteral("RZ7_V12")));
    QVERIFY(dlg->isVisible());
}

// ---------------------------------------------------------------- offline upgrade

void TestCUpgrade::offlineButtonNeedsAlt()
{
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    dlg->show();
    auto *offline = dlg->findChild<QPushButton *>(QStringLiteral("pushButton_offline"));
    QVERIFY(!offline->isVisible());
    QTest::keyClick(dlg, Qt::Key_A);
    QVERIFY(!offline->isVisible());
    QTest::keyClick(dlg, Qt::Key_Alt);
    QVERIFY(offline->isVisible());
    QTest::keyClick(dlg, Qt::Key_Alt);
    QVERIFY(offline->isVisible());
}

void TestCUpgrade::offlineUpgrade_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("upgrades");
    QTest::addColumn<QString>("notice");
    const QByteArray good = imageBytes(kPid.toStdString(), kVid.toStdString(), 4);
    const QString invalid = QStringLiteral("The file is not a valid firmware file.");
    QTest::newRow("good image") << "RZ7_V4.ufw" << good << true << QString();
    QTest::newRow("suffix in capitals") << "RZ7_V4.UFW" << good << true << QString();
    QTest::newRow("wrong suffix") << "RZ7_V4.bin" << good << false
                                  << QStringLiteral("Please choose a firmware file (*.ufw).");
    QTest::newRow("no PID") << "RZ7_V4.ufw" << imageBytes("", kVid.toStdString(), 4) << false << invalid;
    QTest::newRow("not an image") << "RZ7_V4.ufw" << QByteArray("hello") << false << invalid;
}

void TestCUpgrade::offlineUpgrade()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(bool, upgrades);
    QFETCH(QString, notice);
    QTemporaryDir folder;
    const QString path = folder.path() + QLatin1Char('/') + fileName;
    QVERIFY(writeBytes(path, content));
    m_drives->addDevice('C', kPid, kVid);

    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    dlg->show();
    QTest::keyClick(dlg, Qt::Key_Alt);
    answerFileDialog(path);
    dlg->findChild<QPushButton *>(QStringLiteral("pushButton_offline"))->click();

    if (upgrades) {
        QCOMPARE(m_owner->m_sent.size(), 1);
        QCOMPARE(tavrotest::toHex(m_owner->m_sent.first()), QStringLiteral("78 59 71 02 00 00 7F 7F 01"));
        QCOMPARE(m_drives->installedImage('C'), content);
        QCOMPARE(storedResult(), 1);
        QVERIFY(!dlg->isVisible());
    } else {
        QVERIFY(m_owner->m_sent.isEmpty());
        QVERIFY(!m_drives->callNames().contains(QStringLiteral("JL_queryDeviceDesc")));
        QVERIFY(m_boxes->texts.isEmpty());
        QVERIFY(dlg->isVisible());
        QCOMPARE(notices(dlg), QStringList{notice});
    }

    // The next file dialog starts where this file was; cancelling keeps that.
    const int sent = m_owner->m_sent.size();
    for (int i = 0; i < 2; ++i) {
        QString startFolder;
        answerFileDialog(QString(), &startFolder);
        dlg->click_offline_upgrade();
        QCOMPARE(startFolder, QDir(folder.path()).absolutePath());
    }
    QCOMPARE(m_owner->m_sent.size(), sent);
}

void TestCUpgrade::failedOfflineRunLeavesOnlineUpgradesWorking()
{
    // An offline run switches the device and then loses it.
    serveIndex({QStringLiteral("RZ7_V12")});
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/RZ7_V4.ufw");
    QVERIFY(writeBytes(path, imageBytes(kPid.toStdString(), kVid.toStdString(), 4)));
    {
        cUpgrade *dlg = newDialog();
        QVERIFY(dlg);
        listIndex(dlg, 1);
        QTest::keyClick(dlg, Qt::Key_Alt);
        answerFileDialog(path);
        button(dlg, "pushButton_offline")->click();
        QCOMPARE(m_boxes->texts, QStringList{QStringLiteral("Please restart the software to update")});
    }
    // Fix Mode is offered at the next start, with an index to resume from.
    QCOMPARE(storedResult(), 0);
    QCOMPARE(stored("IniUrl"), indexUrl());
    QCOMPARE(stored("UfwUrl"), QString());

    // An online upgrade now fetches the row the user chose, not an empty location.
    m_drives->addDevice('D', kPid, kVid);
    cUpgrade *dlg = newDialog();
    QVERIFY(dlg);
    listIndex(dlg, 1);
    m_server.clearRequests();
    chooseAndConfirm(dlg, QStringLiteral("RZ7_V12"));
    QTRY_COMPARE_WITH_TIMEOUT(m_owner->m_closedEvents, 1, 15000);
    QCOMPARE(m_server.requests(), QStringList{QStringLiteral("tvsuite/rz7/RZ7_V12.ufw")});
    QCOMPARE(storedResult(), 1);
}

TAVRO_TEST_MAIN(TestCUpgrade)
#include "test_cupgrade.moc"
