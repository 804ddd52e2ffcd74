// Start-up: one running copy, the warning of a second start, a name left by a
// killed copy, and the language a first start picks from the system locale.
#include <QtTest>

#include <QApplication>
#include <QLocalServer>
#include <QLocalSocket>
#include <QMessageBox>
#include <QProcess>
#include <QSettings>

#include "startup.h"
#include "testmain.h"

namespace {

// Starts the editor with this process's folders and extra environment.
std::unique_ptr<QProcess> startEditor(const QStringList &env = {})
{
    auto p = std::make_unique<QProcess>();
    QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
    e.insert("QT_QPA_PLATFORM", "offscreen");
    for (const QString &kv : env)
        e.insert(kv.section('=', 0, 0), kv.section('=', 1));
    p->setProcessEnvironment(e);
    p->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p->start(QString::fromUtf8(TASUITE_EXE), QStringList());
    return p;
}

bool nameTaken()
{
    QLocalSocket s;
    s.connectToServer(QString::fromLatin1(kSingleInstanceName));
    return s.waitForConnected(200);
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
