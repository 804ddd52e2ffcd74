#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "cdlgpreset.h"
#include "filesizelimit.h"
#include "httpfixture.h"
#include "presettestutil.h"
#include "testmain.h"

using namespace presettest;

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QStringList rows(QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Values as the server writes them: a name and a link holding commas.
const QByteArray kIndex = "[files]\n"
                          "1=Techno\n"
                          "2=House,Deep\n"
                          "3=Mine.rzp\n"
                          "[video]\n"
                          "1=cn.tavro.example/techno\n"
                          "3=cn.tavro.example/mine\n"
                          "x=cn.tavro.example/bad\n"
                          "[video-en]\n"
                          "1=en.tavro.example/techno\n"
                          "2=en.tavro.example/house?list=a,b\n";

} // namespace

// Receives the locations the dialog asks the system browser to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestCDlgPreset : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void rowAndLinkRules();
    void listsIndexAndDownloadsServerPreset_data();
    void listsIndexAndDownloadsServerPreset();
    void localRowsLoadAndDelete();
    void failuresShowDownloadFailed();
    void fullDiskLeavesNoShortFile();
    void maliciousRowNamesStayServerRows();
    void tutorialLinksOpenInBrowser();
    void destroyingAbandonsDownloads();

private:
    CDlgPreset *openList(bool bHideVideoRow = true);

    HttpFixture m_server;
    QTemporaryDir m_work;
    QByteArray m_dataHome;
    QScopedPointer<CDlgPreset> m_dlg;
    QListWidget *m_list = nullptr;
};

void TestCDlgPreset::initTestCase()
{
    QVERIFY(m_server.start());
    qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/preset.ini"), kIndex));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/Techno.rzp"), "TECHNO-BYTES"));
    m_dataHome = qgetenv("XDG_DATA_HOME");
}

void TestCDlgPreset::cleanupTestCase()
{
    m_dlg.reset();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void TestCDlgPreset::init()
{
    m_dlg.reset();
    m_server.clearBehaviours();
    m_server.clearRequests();
    qputenv("XDG_DATA_HOME", m_dataHome);
}

CDlgPreset *TestCDlgPreset::openList(bool bHideVideoRow)
{
    m_dlg.reset(new CDlgPreset(7, bHideVideoRow));
    m_list = m_dlg->findChild<QListWidget *>(QStringLiteral("listWidget"));
    m_dlg->show();
    return m_dlg.data();
}

void TestCDlgPreset::rowAndLinkRules()
{
    QVERIFY(isLocalPresetRow(QStringLiteral("Mine.rzp"), QStringLiteral(".rzp")));
    QVERIFY(!isLocalPresetRow(QStringLiteral("Techno"), QStringLiteral(".rzp")));
    for (const char *bad : {"../x.rzp", "sub/x.rzp", "sub\\x.rzp", "/abs.rzp", "C:x.rzp", "..rzp", ".."})
        QVERIFY2(!isLocalPresetRow(QString::fromLatin1(bad), QStringLiteral(".rzp")), bad);
    // Without a suffix every plain name is local, but never a path.
    QVERIFY(isLocalPresetRow(QStringLiteral("Techno"), QString()));
    QVERIFY(!isLocalPresetRow(QStringLiteral("../Techno"), QString()));

    QCOMPARE(tutorialUrl(QStringLiteral("www.tavro.example/v?id=3")),
             QUrl(QStringLiteral("https://www.tavro.example/v?id=3")));
    QCOMPARE(tutorialUrl(QStringLiteral("https://a.example/x")), QUrl(QStringLiteral("https://a.example/x")));
    QCOMPARE(tutorialUrl(QStringLiteral("http://a.example/x")), QUrl(QStringLiteral("http://a.example/x")));
    QVERIFY(tutorialUrl(QString()).isEmpty());
    QVERIFY(tutorialUrl(QStringLiteral("https://")).isEmpty());
    QVERIFY(tutorialUrl(QStringLiteral("file:///etc/passwd")).isEmpty());
}

// The user's data folder may hold ".ini" or the model's suffix in its name.
void TestCDlgPreset::listsIndexAndDownloadsServerPreset_data()
{
    QTest::addColumn<QString>("dataHome");
    QTest::newRow("plain data folder") << QString();
    QTest::newRow("data folder holds the suffix") << m_work.filePath(QStringLiteral("maria.iniesta/Mix.rzp"));
}

void TestCDlgPreset::listsIndexAndDownloadsServerPreset()
{
    QFETCH(QString, dataHome);
    if (!dataHome.isEmpty())
        qputenv("XDG_DATA_HOME", dataHome.toLocal8Bit());
    CDlgPreset *dlg = openList();
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Load Preset"));
    QCOMPARE(dlg->suffix(), QStringLiteral(".rzp"));
    QCOMPARE(dlg->localFolder(),
             QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/rz7/"));

    const QString indexPath = dlg->localFolder() + QStringLiteral("LoadPreset/preset.ini");
    dlg->download(m_server.baseUrl() + QStringLiteral("rz7/preset.ini"), indexPath, DownloadKind::Index);
    QTRY_COMPARE(m_list->count(), 3);
    QCOMPARE(rows(m_list), QStringList({QStringLiteral("Techno"), QStringLiteral("House,Deep"), QStringLiteral("Mine.rzp")}));
    QCOMPARE(readFile(indexPath), kIndex);

    // fill_list puts its rows in front of those already listed.
    dlg->fill_list(indexPath);
    QCOMPARE(m_list->count(), 6);
    QCOMPARE(m_list->item(3)->text(), QStringLiteral("Techno"));
    dlg->clear_list();
    dlg->fill_list(indexPath);

    QSignalSpy announced(dlg, &CDlgPreset::signals_download_preset);
    m_list->setCurrentRow(0);
    auto *deleteButton = dlg->findChild<QPushButton *>(QStringLiteral("pushButton_delete"));
    QVERIFY(deleteButton->isHidden());

    dlg->findChild<QPushButton *>(QStringLiteral("pushButton_yes"))->click();
    QVERIFY(openQuestion(dlg));
    QCOMPARE(openQuestion(dlg)->text(),
             QStringLiteral("Are you sure to apply this preset to the device?This will cover the current settings."));
    QVERIFY(answer(dlg, QMessageBox::Yes));
    QVERIFY(announced.wait(5000));
    const QString target = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
                           + QStringLiteral("/LoadPreset/preset.rzp");
    QCOMPARE(announced.first().first().toString(), target);
    QCOMPARE(readFile(target), QByteArray("TECHNO-BYTES"));
    QCOMPARE(m_server.requestCount(QStringLiteral("tvsuite/rz7/Techno.rzp")), 1);

    // "No" asks nothing of the server.
    dlg->findChild<QPushButton *>(QStringLiteral("pushButton_yes"))->click();
    QVERIFY(answer(dlg, QMessageBox::No));
    QTest::qWait(0);
    QCOMPARE(m_server.requestCount(QStringLiteral("tvsuite/rz7/Techno.rzp")), 1);

    // An index without keys, or with none in "files", lists nothing and says so.
    for (const char *keyless : {"", "[video]\n1=v.example/a\n"}) {
        QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/empty.ini"), keyless));
        qDeleteAll(dlg->findChildren<AutoDisapperMsgBox *>());
        dlg->clear_list();
        dlg->download(m_server.baseUrl() + QStringLiteral("rz7/empty.ini"), m_work.filePath(QStringLiteral("empty.ini")),
                      DownloadKind::Index);
        QTRY_VERIFY(notices(dlg).contains(QStringLiteral("no preset")));
        QCOMPARE(m_list->count(), 0);
    }
    // An index saved in Latin-1 shows its names as written.
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/latin1.ini"), "[files]\n1=Caf\xe9 Kit\n"));
    dlg->download(m_server.baseUrl() + QStringLiteral("rz7/latin1.ini"), m_work.filePath(QStringLiteral("latin1.ini")),
                  DownloadKind::Index);
    QTRY_COMPARE(rows(m_list), QStringList{QStringLiteral("Caf\u00e9 Kit")});
}

void TestCDlgPreset::localRowsLoadAndDelete()
{
    CDlgPreset *dlg = openList();
    const QString indexPath = m_work.filePath(QStringLiteral("local/preset.ini"));
    QVERIFY(writeFile(indexPath, kIndex));
    dlg->fill_list(indexPath);
    const QString localFile = dlg->localFolder() + QStringLiteral("Mine.rzp");
    QVERIFY(writeFile(localFile, "MINE"));

    QSignalSpy announced(dlg, &CDlgPreset::signals_download_preset);
    m_list->setCurrentRow(2);
    auto *deleteButton = dlg->findChild<QPushButton *>(QStringLiteral("pushButton_delete"));
    QVERIFY(!deleteButton->isHidden());

    dlg->findChild<QPushButton *>(QStringLiteral("pushButton_yes"))->click();
    QVERIFY(answer(dlg, QMessageBox::Yes));
    QCOMPARE(announced.count(), 1);   // at once, without a request
    QCOMPARE(announced.first().first().toString(), localFile);
    QVERIFY(m_server.requests().isEmpty());

    deleteButton->click();
    QCOMPARE(openQuestion(dlg)->text(), QStringLiteral("Delete the selected preset file?"));
    QVERIFY(answer(dlg, QMessageBox::No));
    QVERIFY(QFile::exists(localFile));
    QCOMPARE(m_list->count(), 3);

    deleteButton->click();
    QVERIFY(answer(dlg, QMessageBox::Yes));
    QVERIFY(!QFile::exists(localFile));
    QCOMPARE(rows(m_list), QStringList({QStringLiteral("Techno"), QStringLiteral("House,Deep")}));

    // A server row is never deleted, even when asked directly.
    m_list->setCurrentRow(0);
    deleteButton->click();
    QVERIFY(!openQuestion(dlg));
    QCOMPARE(m_list->count(), 2);
}

void TestCDlgPreset::failuresShowDownloadFailed()
{
    CDlgPreset *dlg = openList();
    QSignalSpy announced(dlg, &CDlgPreset::signals_download_preset);
    const QString target = m_work.filePath(QStringLiteral("fail/preset.rzp"));
    QVERIFY(writeFile(target, "OLD"));

    const auto expectFailure = [&](const QString &url, const QString &path, DownloadKind kind = DownloadKind::Preset) {
        qDeleteAll(dlg->findChildren<AutoDisapperMsgBox *>());
        dlg->download(url, path, kind);
        QTRY_VERIFY(notices(dlg).contains(QStringLiteral("Download failed")));
    };

    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/Techno.rzp"), HttpFixture::NotFound);
    expectFailure(m_server.baseUrl() + QStringLiteral("rz7/Techno.rzp"), target);

    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/Techno.rzp"), HttpFixture::BreakOff);
    expectFailure(m_server.baseUrl() + QStringLiteral("rz7/Techno.rzp"), target);
    QCOMPARE(readFile(target), QByteArray("OLD"));   // a broken download never replaces a file

    HttpFixture gone;
    QVERIFY(gone.start());
    const QString refusedUrl = gone.baseUrl() + QStringLiteral("rz7/Techno.rzp");
    gone.stop();
    expectFailure(refusedUrl, target);

    // The target folder cannot be created (a file stands in its way) ...
    QVERIFY(writeFile(m_work.filePath(QStringLiteral("blocker")), "x"));
    expectFailure(m_server.baseUrl() + QStringLiteral("rz7/Techno.rzp"),
                  m_work.filePath(QStringLiteral("blocker/preset.rzp")));
    // ... or the target is a folder and cannot be written.
    m_server.clearBehaviours();
    QVERIFY(QDir().mkpath(m_work.filePath(QStringLiteral("isdir.rzp"))));
    expectFailure(m_server.baseUrl() + QStringLiteral("rz7/Techno.rzp"), m_work.filePath(QStringLiteral("isdir.rzp")));
    QCOMPARE(announced.count(), 0);

    // An answer that is no index (a guest network's sign-in page, reached by
    // a redirect or answered directly; binary data) lists nothing and is not
    // kept as the index.
    const QByteArray page = "\n  <!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"></head></html>\n";
    QVERIFY(m_server.writeFile(QStringLiteral("signin.html"), page));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/page.ini"), page));
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/binary.ini"), QByteArray("[files]\n1=A\0\xff", 13)));
    m_server.setRedirect(QStringLiteral("tvsuite/rz7/moved.ini"), m_server.urlFor(QStringLiteral("signin.html")));
    const QString indexPath = m_work.filePath(QStringLiteral("fail/preset.ini"));
    for (const char *name : {"moved.ini", "page.ini", "binary.ini"}) {
        expectFailure(m_server.baseUrl() + QStringLiteral("rz7/") + QLatin1String(name), indexPath, DownloadKind::Index);
        QVERIFY2(m_list->count() == 0 && !QFile::exists(indexPath), name);
    }

    // "Load" without a current row.
    dlg->findChild<QPushButton *>(QStringLiteral("pushButton_yes"))->click();
    QVERIFY(answer(dlg, QMessageBox::Yes));
    QVERIFY(notices(dlg).contains(QStringLiteral("No preset options were selected.")));
}

// The disk fills while a downloaded preset is written: a file size limit on
// this process makes every write past it fail, as a full disk does.
void TestCDlgPreset::fullDiskLeavesNoShortFile()
{
    const QByteArray big(256 * 1024, 'P');
    QVERIFY(m_server.writeFile(QStringLiteral("tvsuite/rz7/Big.rzp"), big));
    const QString folder = m_work.filePath(QStringLiteral("full"));
    const QString kept = folder + QStringLiteral("/kept.rzp");
    QVERIFY(writeFile(kept, "OLD"));

    tavrotest::FileSizeLimit limit(16 * 1024);
    if (!limit.active())
        QSKIP("needs a file size limit");
    CDlgPreset *dlg = openList();
    QSignalSpy announced(dlg, &CDlgPreset::signals_download_preset);
    // Over an older file, which stays whole, and where none was.
    for (const QString &name : {QStringLiteral("kept.rzp"), QStringLiteral("new.rzp")}) {
        qDeleteAll(dlg->findChildren<AutoDisapperMsgBox *>());
        dlg->download(m_server.baseUrl() + QStringLiteral("rz7/Big.rzp"), folder + QLatin1Char('/') + name,
                      DownloadKind::Preset);
        QTRY_VERIFY(notices(dlg).contains(QStringLiteral("Download failed")));
    }
    QCOMPARE(readFile(kept), QByteArray("OLD"));
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("kept.rzp")});
    QCOMPARE(announced.count(), 0);

    // With room again the same download is written whole.
    limit.lift();
    dlg->download(m_server.baseUrl() + QStringLiteral("rz7/Big.rzp"), kept, DownloadKind::Preset);
    QVERIFY(announced.wait(5000));
    QCOMPARE(readFile(kept), big);
}

void TestCDlgPreset::maliciousRowNamesStayServerRows()
{
    CDlgPreset *dlg = openList();
    const QString indexPath = m_work.filePath(QStringLiteral("evil/preset.ini"));
    QVERIFY(writeFile(indexPath, "[files]\n1=../x.rzp\n2=..\\\\x.rzp\n"));
    dlg->fill_list(indexPath);
    QCOMPARE(m_list->count(), 2);
    QCOMPARE(m_list->item(0)->text(), QStringLiteral("../x.rzp"));

    // A file just outside the model's folder, which the row names.
    const QString outside = QDir::cleanPath(dlg->localFolder() + QStringLiteral("../x.rzp"));
    QVERIFY(writeFile(outside, "KEEP"));

    QSignalSpy announced(dlg, &CDlgPreset::signals_download_preset);
    auto *deleteButton = dlg->findChild<QPushButton *>(QStringLiteral("pushButton_delete"));
    for (int row = 0; row < 2; ++row) {
        m_list->setCurrentRow(row);
        QVERIFY(deleteButton->isHidden());
        deleteButton->click();
        QVERIFY(!openQuestion(dlg));

        m_server.clearRequests();
        dlg->findChild<QPushButton *>(QStringLiteral("pushButton_yes"))->click();
        QVERIFY(answer(dlg, QMessageBox::Yes));
        // Asked of the server, which has no such file.
        QTRY_COMPARE(m_server.requests().size(), 1);
        QTRY_VERIFY(notices(dlg).contains(QStringLiteral("Download failed")));
    }
    QCOMPARE(announced.count(), 0);
    QCOMPARE(readFile(outside), QByteArray("KEEP"));
}

// Run once on an English and once on a Chinese system (CTest sets the locale
// and TAVRO_EXPECT_CHINESE).
void TestCDlgPreset::tutorialLinksOpenInBrowser()
{
    const bool chinese = QLocale::system().language() == QLocale::Chinese;
    if (!qEnvironmentVariableIsEmpty("TAVRO_EXPECT_CHINESE"))
        QCOMPARE(chinese, qEnvironmentVariableIntValue("TAVRO_EXPECT_CHINESE") == 1);

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");

    CDlgPreset *dlg = openList(false);
    auto *label = dlg->findChild<QLabel *>(QStringLiteral("label_DAW"));
    auto *videoButton = dlg->findChild<QPushButton *>(QStringLiteral("pushButton_video"));
    QVERIFY(!videoButton->isHidden());

    // Links come only with a downloaded index.
    dlg->download(m_server.baseUrl() + QStringLiteral("rz7/preset.ini"), m_work.filePath(QStringLiteral("v/preset.ini")),
                  DownloadKind::Index);
    QTRY_COMPARE(m_list->count(), 3);

    m_list->setCurrentRow(0);
    QCOMPARE(label->text(), QStringLiteral("Video tutorial: Techno"));
    QTest::keyClick(dlg, Qt::Key_Return); // opens nothing
    videoButton->click();
    QCOMPARE(catcher.opened.size(), 1);
    QCOMPARE(catcher.opened.last(), QUrl(chinese ? QStringLiteral("https://cn.tavro.example/techno")
                                                 : QStringLiteral("https://en.tavro.example/techno")));

    // Row 1 has only an English link, with a comma in it: a Chinese system
    // falls back to it, and the link reaches the browser as written.
    m_list->setCurrentRow(1);
    videoButton->click();
    QCOMPARE(catcher.opened.size(), 2);
    QCOMPARE(catcher.opened.last(), QUrl(QStringLiteral("https://en.tavro.example/house?list=a,b")));

    // Row 2 has only a Chinese link: the English table decides, so the home page opens.
    m_list->setCurrentRow(2);
    QCOMPARE(label->text(), QStringLiteral("Video tutorial: "));
    videoButton->click();
    QCOMPARE(catcher.opened.size(), 3);
    QCOMPARE(catcher.opened.last(), QUrl(chinese ? QStringLiteral("https://video.tavro.example/cn/channel")
                                                 : QStringLiteral("https://video.tavro.example/en/channel")));

    // Cancel hides the dialog and resets the label.
    m_list->setCurrentRow(0);
    dlg->findChild<QPushButton *>(QStringLiteral("pushButton_no"))->click();
    QVERIFY(!dlg->isVisible());
    QCOMPARE(label->text(), QStringLiteral("Video tutorial: "));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void TestCDlgPreset::destroyingAbandonsDownloads()
{
    CDlgPreset *dlg = openList();
    m_server.setBehaviour(QStringLiteral("tvsuite/rz7/Techno.rzp"), HttpFixture::Slow, 300);
    const QString target = m_work.filePath(QStringLiteral("abandon/preset.rzp"));
    QSignalSpy received(&m_server, &HttpFixture::requestReceived);
    dlg->download(m_server.baseUrl() + QStringLiteral("rz7/Techno.rzp"), target, DownloadKind::Preset);
    QVERIFY(received.wait(5000));
    m_dlg.reset();
    // A second client asking for the same slow file is answered after the
    // abandoned request would have been; by then nothing may have been written.
    QNetworkAccessManager nam;
    QNetworkReply *later = nam.get(QNetworkRequest(QUrl(m_server.baseUrl() + QStringLiteral("rz7/Techno.rzp"))));
    QSignalSpy finished(later, &QNetworkReply::finished);
    QVERIFY(finished.wait(5000));
    QCOMPARE(later->readAll(), QByteArray("TECHNO-BYTES"));
    delete later;
    QVERIFY(!QFile::exists(target));
}

TAVRO_TEST_MAIN(TestCDlgPreset)
#include "test_cdlgpreset.moc"
