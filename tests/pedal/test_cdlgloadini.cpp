// The effects-unit library popup against the local HTTP server: one request
// per run once a download was written, the built-in library when the server
// fails (and a new try with the next dialog), an unwritable copy, a click
// that hands a command over, and the expand state kept per library file.
#include "testmain.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QSignalSpy>
#include <QTreeWidget>

#include "autodisappermsgbox.h"
#include "bytes.h"
#include "devices/pedal/cdlgloadini.h"
#include "download.h"
#include "httpfixture.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using tavrotest::toHex;

namespace {

const QString kLibraryPath = QStringLiteral("tvsuite/Z3/MIDIPreset.ini");

// "Sub/Hidden" belongs to a sub-group for the ini reader and is no row. The
// second comment is in Latin-1.
const QByteArray kLibrary = ";down|toggle|down_up|long|up_long\n"
                            "; R\xe9glages\n"
                            "[Unit One]\n"
                            "Bypass = toggle | B5 10 7F | B5 10 00\n"
                            "Sub/Hidden = down | C0 01\n"
                            "Broken = sideways | B0 01 02\n"
                            "[Unit Two]\n"
                            "Clock = down | F8\n"
                            "[Unit Three]\n"
                            "Patch = down | C2 07\n";

QTreeWidget *treeOf(cDlgLoadINI *dlg)
{
    return dlg->findChild<QTreeWidget *>(QStringLiteral("treeWidget"));
}

QStringList messagesOf(cDlgLoadINI *dlg)
{
    QStringList texts;
    for (const AutoDisapperMsgBox *box : dlg->findChildren<AutoDisapperMsgBox *>())
        texts << box->text();
    return texts;
}

// "[Unit]" rows with their command rows, and a "+" on the open ones.
QStringList rowsOf(cDlgLoadINI *dlg)
{
    QStringList rows;
    QTreeWidget *tree = treeOf(dlg);
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *unit = tree->topLevelItem(i);
        QStringList commands;
        for (int c = 0; c < unit->childCount(); ++c)
            commands << unit->child(c)->text(0);
        rows << (unit->isExpanded() ? QStringLiteral("+") : QString()) + unit->text(0) + QLatin1Char(':')
                    + commands.join(QLatin1Char(','));
    }
    return rows;
}

// "+" for an open unit row, "-" for a closed one, in row order.
QString openUnits(cDlgLoadINI *dlg)
{
    QString state;
    for (int i = 0; i < treeOf(dlg)->topLevelItemCount(); ++i)
        state += treeOf(dlg)->topLevelItem(i)->isExpanded() ? QLatin1Char('+') : QLatin1Char('-');
    return state;
}

void clickRow(cDlgLoadINI *dlg, QTreeWidgetItem *item)
{
    QTreeWidget *tree = treeOf(dlg);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, tree->visualItemRect(item).center());
}

} // namespace

class TestCDlgLoadINI : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("TAVRO_DOWNLOAD_TIMEOUT_MS", "400");
        qputenv("TAVRO_DOWNLOAD_DEADLINE_MS", "400");
        QVERIFY(m_server.start());
        qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
        QVERIFY(m_server.writeFile(kLibraryPath, kLibrary));
    }
    void init()
    {
        g_iniDownloaded = false;
        m_server.clearBehaviours();
        m_server.clearRequests();
        QSettings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite")).clear();
    }

    void failedDownloadsShowTheBuiltInLibrary_data()
    {
        QTest::addColumn<int>("behaviour"); // -1: nothing listens
        QTest::newRow("no server") << -1;
        QTest::newRow("not found") << int(HttpFixture::NotFound);
        QTest::newRow("stalled") << int(HttpFixture::Stall);
        QTest::newRow("broken off") << int(HttpFixture::BreakOff);
        QTest::newRow("empty answer") << int(HttpFixture::EmptyBody);
    }
    void failedDownloadsShowTheBuiltInLibrary()
    {
        QFETCH(int, behaviour);
        if (behaviour < 0)
            qputenv("TAVRO_SERVER_BASE", "http://127.0.0.1:1/tvsuite/");
        else
            m_server.setBehaviour(kLibraryPath, HttpFixture::Behaviour(behaviour));
        {
            cDlgLoadINI dlg(0);
            dlg.show();
            QCOMPARE(treeOf(&dlg)->topLevelItemCount(), 0);
            QTRY_COMPARE(dlg.iniPath(), cDlgLoadINI::builtInPath());
            QVERIFY(rowsOf(&dlg).contains(
                QStringLiteral("+[Amberline Drive 2]:Boost,Bypass,Patch Down,Patch Up,Tuner")));
            QCOMPARE(messagesOf(&dlg), QStringList());
            QVERIFY(!g_iniDownloaded);
        }
        // The next dialog asks again.
        qputenv("TAVRO_SERVER_BASE", m_server.baseUrl().toUtf8());
        QSignalSpy asked(&m_server, &HttpFixture::requestReceived);
        cDlgLoadINI again(0);
        QVERIFY(asked.wait());
        QCOMPARE(m_server.requestCount(kLibraryPath), behaviour < 0 ? 1 : 2);
    }

    void oneDownloadPerRun()
    {
        cDlgLoadINI first(1);
        first.show();
        QTRY_COMPARE(first.iniPath(), cDlgLoadINI::localCopyPath());
        QCOMPARE(rowsOf(&first), QStringList({QStringLiteral("+[Unit One]:Broken,Bypass"),
                                              QStringLiteral("+[Unit Three]:Patch"), QStringLiteral("+[Unit Two]:Clock")}));
        QCOMPARE(messagesOf(&first), QStringList{QStringLiteral("1")});
        QVERIFY(g_iniDownloaded);
        QFile copy(cDlgLoadINI::localCopyPath());
        QVERIFY(copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), kLibrary);

        // The second dialog reads the copy at once and starts no download.
        m_server.writeFile(kLibraryPath, "[Changed]\nX = down | F8\n");
        cDlgLoadINI second(1);
        QCOMPARE(second.iniPath(), cDlgLoadINI::localCopyPath());
        QCOMPARE(rowsOf(&second).size(), 3);
        QVERIFY(second.findChildren<Download *>().isEmpty());
        QCOMPARE(m_server.requestCount(kLibraryPath), 1);
        m_server.writeFile(kLibraryPath, kLibrary);
    }

    void unwritableCopyUsesTheBuiltInLibrary_data()
    {
        QTest::addColumn<bool>("fullDisk");
        QTest::newRow("a folder in the way") << false;
#ifdef Q_OS_UNIX
        QTest::newRow("a full disk") << true;
#endif
    }
    void unwritableCopyUsesTheBuiltInLibrary()
    {
        QFETCH(bool, fullDisk);
        const QString path = cDlgLoadINI::localCopyPath();
        QFile::remove(path);
        if (!fullDisk)
            QVERIFY(QDir().mkpath(path)); // it cannot be opened
        {
            cDlgLoadINI dlg(0);
            dlg.show();
#ifdef Q_OS_UNIX
            // Writes stop after a few bytes, as on a full disk.
            struct rlimit saved;
            QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
            const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
            struct rlimit small = saved;
            small.rlim_cur = 16;
            if (fullDisk)
                QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
            const bool done = QTest::qWaitFor([&dlg] { return !dlg.iniPath().isEmpty(); }, 5000);
            setrlimit(RLIMIT_FSIZE, &saved);
            std::signal(SIGXFSZ, oldHandler);
            QVERIFY(done);
#endif
            QTRY_COMPARE(dlg.iniPath(), cDlgLoadINI::builtInPath());
            QCOMPARE(messagesOf(&dlg), QStringList{QStringLiteral("11111")});
            QVERIFY(!g_iniDownloaded);
        }
        QVERIFY(!QFileInfo(path).isFile());
        QVERIFY(!fullDisk || QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files).isEmpty());
        QDir(path).removeRecursively();
    }

    void clickHandsTheCommandOver()
    {
        cDlgLoadINI dlg(2);
        QSignalSpy sent(&dlg, &cDlgLoadINI::signal_send_tree_content);
        QByteArray command;
        connect(&dlg, &cDlgLoadINI::signal_send_tree_content, this, [&command](quint8, quint8 *pbyBuf) {
            command = QByteArray(reinterpret_cast<const char *>(pbyBuf), SIniCommand::kSize);
        });
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg));
        QTRY_COMPARE(dlg.iniPath(), cDlgLoadINI::localCopyPath());
        QTreeWidgetItem *unit = treeOf(&dlg)->topLevelItem(0); // "[Unit One]"

        // A unit row and an unknown trigger word hand nothing over.
        clickRow(&dlg, unit);
        clickRow(&dlg, unit->child(0)); // "Broken"
        QVERIFY(dlg.isVisible());
        QCOMPARE(sent.count(), 0);

        clickRow(&dlg, unit->child(1)); // "Bypass"
        QCOMPARE(sent.count(), 1);
        QCOMPARE(sent.at(0).at(0).value<quint8>(), quint8(2));
        QCOMPARE(toHex(command.left(9)), QStringLiteral("02 03 03 B5 10 7F B5 10 00"));
        QCOMPARE(command.mid(9), QByteArray(SIniCommand::kSize - 9, '\0'));
        QVERIFY(!dlg.isVisible());
    }

    void expandStatePerFilePath()
    {
        // The built-in library: every unit open at first; one is closed.
        m_server.setBehaviour(kLibraryPath, HttpFixture::NotFound);
        {
            cDlgLoadINI dlg(0);
            QTRY_COMPARE(dlg.iniPath(), cDlgLoadINI::builtInPath());
            QCOMPARE(openUnits(&dlg), QStringLiteral("+++++"));
            treeOf(&dlg)->topLevelItem(1)->setExpanded(false);
        }
        // The local copy has a state of its own; all its units are closed.
        m_server.clearBehaviours();
        {
            cDlgLoadINI dlg(0);
            QTRY_COMPARE(dlg.iniPath(), cDlgLoadINI::localCopyPath());
            QCOMPARE(openUnits(&dlg), QStringLiteral("+++"));
            for (int i = 0; i < 3; ++i)
                treeOf(&dlg)->topLevelItem(i)->setExpanded(false);
        }
        cDlgLoadINI local(0);
        QCOMPARE(openUnits(&local), QStringLiteral("---"));
        QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
        QCOMPARE(settings.value(QStringLiteral("TreeExpandState/") + cDlgLoadINI::localCopyPath()).toStringList(),
                 QStringList());
        QVERIFY(settings.value(QStringLiteral("TreeExpandStateFlag/") + cDlgLoadINI::localCopyPath()).toBool());

        g_iniDownloaded = false;
        m_server.setBehaviour(kLibraryPath, HttpFixture::NotFound);
        cDlgLoadINI builtIn(0);
        QTRY_COMPARE(builtIn.iniPath(), cDlgLoadINI::builtInPath());
        QCOMPARE(openUnits(&builtIn), QStringLiteral("+-+++"));
    }

private:
    HttpFixture m_server;
};

TAVRO_TEST_MAIN(TestCDlgLoadINI)
#include "test_cdlgloadini.moc"
