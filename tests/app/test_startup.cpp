// Start-up: one running copy, the warning of a second start, a name left by a
// killed copy, and the language a first start picks from the system locale.
#include <QtTest>

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QProcess>
#include <QDir>
#include <QSettings>
#include <QTranslator>

#include "startup.h"
#include "testmain.h"

namespace {

// Starts the editor with this process's folders and extra environment. With
// the window probe preloaded, its message boxes are written to its standard
// output and answered.
std::unique_ptr<QProcess> startEditor(const QStringList &env = {})
{
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", "offscreen");
#if defined(TAVRO_WINDOWPROBE)
    e.insert("LD_PRELOAD", TAVRO_WINDOWPROBE);
    e.insert("TAVRO_PROBE_BOXES", "1");
    // The probe comes before the sanitizer's runtime in the library list.
    e.insert("ASAN_OPTIONS", e.value("ASAN_OPTIONS") + ":verify_asan_link_order=0");
#endif
    for (const QString &kv : env)
        e.insert(kv.section('=', 0, 0), kv.section('=', 1));
    p->setProcessEnvironment(e);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QString::fromUtf8(TASUITE_EXE), QStringList());
    return p;
}

bool nameTaken(const QString &name = singleInstanceServerName())
{
    QLocalSocket s;
    s.connectToServer(name);
    return s.waitForConnected(200);
}

// A folder of its own under this test's temporary folder.
QString freshFolder(const QString &name)
{
    const QString path = QDir::tempPath() + QLatin1Char('/') + name;
    QDir(path).removeRecursively();
    QDir().mkpath(path);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

int storedLanguage()
{
    QSettings settings("Tavro", "TavroSuite");
    return settings.value("Language", -1).toInt();
}

} // namespace

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        QSettings("Tavro", "TavroSuite").clear();
    }

    // A second start finds the first, shows the bilingual warning and leaves;
    // after the first copy is killed, its leftover name does not block a start.
    void singleInstance()
    {
        auto first = startEditor();
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(nameTaken(), 20000);

        QLocalSocket socket;
        QLocalServer server;
        QVERIFY(anotherInstanceRunning(socket, server));
        QVERIFY(!server.isListening());

        QString title, text;
        QTimer::singleShot(0, [&] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            QVERIFY(box);
            title = box->windowTitle();
            text = box->text();
            box->done(QMessageBox::Ok);
        });
        showAlreadyRunning();
        QCOMPARE(title, QString::fromUtf8("Warning 警告"));
        QCOMPARE(text, QString::fromUtf8("Application is already running!\n应用程序正在运行中！"));
        QVERIFY(first->state() == QProcess::Running);

        first->kill();
        QVERIFY(first->waitForFinished());
        QVERIFY(!nameTaken());

        QLocalSocket socket2;
        QLocalServer server2;
        QVERIFY(!anotherInstanceRunning(socket2, server2));
        QVERIFY(server2.isListening());
        QVERIFY(nameTaken());
    }

    // The check is per user, whatever the temporary folder: a second start of
    // the same user from another temporary folder is refused with the
    // warning and ends with 0; a start of another user (another runtime
    // folder) beside it runs.
    void secondStartOfTheExecutable()
    {
#if !defined(TAVRO_WINDOWPROBE)
        QSKIP("needs the window probe (Linux)");
#else
        auto first = startEditor({"TMPDIR=" + freshFolder("first")});
        QVERIFY(first->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(nameTaken(), 20000);

        auto second = startEditor({"TMPDIR=" + freshFolder("second")});
        QVERIFY(second->waitForFinished(30000));
        QCOMPARE(second->exitStatus(), QProcess::NormalExit);
        QCOMPARE(second->exitCode(), 0);
        QCOMPARE(QString::fromUtf8(second->readAllStandardOutput()),
                 QString::fromUtf8("box Warning 警告|Application is already running!\\n应用程序正在运行中！\n"));
        QCOMPARE(first->state(), QProcess::Running);

        const QString otherRuntime = freshFolder("other-user-runtime");
        auto other = startEditor({"TMPDIR=" + freshFolder("first"), "XDG_RUNTIME_DIR=" + otherRuntime});
        QVERIFY(other->waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(nameTaken(otherRuntime + "/TaSuite"), 20000);
        QCOMPARE(other->state(), QProcess::Running);
        QVERIFY(other->readAllStandardOutput().isEmpty());

        for (QProcess *p : {first.get(), other.get()}) {
            p->terminate();
            QVERIFY(p->waitForFinished(20000));
        }
#endif
    }

    // Qt's own texts (the buttons of every box, the file dialogs) have their
    // Chinese catalogue beside the executable, where the language switch
    // loads it from.
    void qtCatalogueBesideExecutable()
    {
        const QString path = QFileInfo(QString::fromUtf8(TASUITE_EXE)).absolutePath()
                             + QStringLiteral("/translations/qtbase_zh_CN.qm");
        QTranslator qt;
        QVERIFY2(qt.load(path), qPrintable(path));
        QCOMPARE(qt.translate("QPlatformTheme", "OK"), QString::fromUtf8("确定"));
        QCOMPARE(qt.translate("QPlatformTheme", "Cancel"), QString::fromUtf8("取消"));
    }

    // The first start on a Chinese system picks Chinese and stores 1; on any
    // other locale 0.
    void languageFromLocale_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("expected");
        QTest::newRow("Chinese") << "zh_CN.UTF-8" << 1;
        QTest::newRow("English") << "en_US.UTF-8" << 0;
        QTest::newRow("German") << "de_DE.UTF-8" << 0;
    }
    void languageFromLocale()
    {
        QFETCH(QString, locale);
        QFETCH(int, expected);
        QSettings("Tavro", "TavroSuite").clear();
        auto editor = startEditor({"LC_ALL=" + locale, "LANG=" + locale, "LANGUAGE="});
        QVERIFY(editor->waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(storedLanguage(), expected, 20000);
        editor->terminate();
        QVERIFY(editor->waitForFinished());
    }

    // A stored value wins over the locale, also one that is neither 0 nor 1.
    void storedLanguageWins()
    {
        for (int stored : {0, 1, 5}) {
            QSettings("Tavro", "TavroSuite").setValue("Language", stored);
            QCOMPARE(startupLanguage(), stored);
        }
    }
};

TAVRO_TEST_MAIN(TestStartup)
#include "test_startup.moc"
