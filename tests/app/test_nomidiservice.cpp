// No MIDI service at all, on the default road (no ALSA sequencer, no JACK
// server): the window says so once in its hint, in both languages, stays
// silent on standard error while it keeps asking, and takes the service as
// soon as a JACK server starts; a server that stops and starts again is found
// again, with the controllers on it, also when it is back before the next
// scan, and a self-test open meanwhile is restarted on it.
#include <QtTest>

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QTemporaryFile>
#include <QTranslator>

#include <cstdio>
#include <iostream>

#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

#include "connectwindowtest.h"
#include "globals.h"
#include "midiapi.h"
#include "pc_connectui.h"
#include "selftest/selfcheck.h"
#include "testmain.h"
#include "ui_pc_connectui.h"
#include "ui_selfcheck.h"

namespace {

#if defined(Q_OS_UNIX)
// Everything written to file descriptor 2 between start and stop; Qt's own
// messages are held back meanwhile (they are not what is looked for).
class StderrCapture
{
public:
    bool start()
    {
        if (!m_file.open())
            return false;
        std::fflush(stderr);
        std::cerr.flush();
        m_saved = ::dup(2);
        m_previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        return m_saved >= 0 && ::dup2(m_file.handle(), 2) >= 0;
    }
    QByteArray stop()
    {
        std::fflush(stderr);
        std::cerr.flush();
        ::dup2(m_saved, 2);
        ::close(m_saved);
        qInstallMessageHandler(m_previous);
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
    QtMessageHandler m_previous = nullptr;
};
#endif

const char kHint[] = "No MIDI service was found (%1). The editor will connect as soon as one starts.";

// Sends a line to the simulated controller and returns its answer, up to "ok"
// or an error, without running the event loop. The controller is a program of
// its own, as a real one is: a process opens no JACK client on a new server
// while it holds one of the old (libjack would free it under its owner), so a
// controller in this process could come back only after the window's scan.
QByteArray ask(QProcess &sim, const QByteArray &line)
{
    sim.write(line + '\n');
    QByteArray answer;
    while (!answer.endsWith("ok\n") && !answer.startsWith("error") && sim.waitForReadyRead(10000))
        answer += sim.readAll();
    return answer;
}

} // namespace

class TestNoMidiService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
#if !defined(Q_OS_UNIX)
        QSKIP("the standard error capture needs POSIX");
#endif
        qunsetenv(kMidiApiEnvVar);
        if (midiApi() != RtMidi::UNIX_JACK)
            QSKIP("the default road here is not JACK (an ALSA sequencer exists)");
        g_translator = new QTranslator(qApp);
        m_server = QStringLiteral("tavro_none_%1").arg(QCoreApplication::applicationPid());
        qputenv("JACK_DEFAULT_SERVER", m_server.toUtf8());
    }

    void toldOnceQuietUntilServiceComes()
    {
#if defined(Q_OS_UNIX)
        auto window = std::make_unique<pc_connectui>();
        StderrCapture capture;
        QVERIFY(capture.start());
        for (int scan = 0; scan < 5; ++scan)
            window->scanDevices();
        const QByteArray written = capture.stop();
        QVERIFY2(written.isEmpty(), written.constData());

        QVERIFY(window->midiServiceError().contains(m_server));
        QLabel *hint = window->form()->label_2;
        QCOMPARE(hint->text(), QString::fromLatin1(kHint).arg(window->midiServiceError()));
        QVERIFY(hint->isVisibleTo(window.get()));
        window->changeLanguage(1);
        QCOMPARE(hint->text(),
                 QStringLiteral("未找到MIDI服务（%1）。MIDI服务启动后，编辑器会自动连接。").arg(window->midiServiceError()));
        window->changeLanguage(0);

        // A server starts: the next scans find it and the usual hint returns.
        QProcess jackd;
        const QString failed = startServer(jackd, *window);
        if (failed.contains(QLatin1String("Too many servers")))
            QSKIP(qPrintable(failed));
        QVERIFY2(failed.isEmpty(), qPrintable(failed));
        QCOMPARE(hint->text(), QStringLiteral("connect the device to the computer using USB cable"));
        QCOMPARE(midiApi(), RtMidi::UNIX_JACK);

        // A controller's page is open, then the server stops: the page goes
        // and the hint says there is no service; the server starts again with
        // the controller, and its picture comes back.
        window->show();
        QProcess keys;
        keys.start(QStringLiteral(TAVRO_SIM_PROGRAM),
                   {"--name", "VX-18", "--model", "9", "--folder", "vx18", "--api", "jack"});
        QVERIFY(keys.waitForStarted() && keys.waitForReadyRead(10000) && keys.readAll().startsWith("ready"));
        QTRY_VERIFY_WITH_TIMEOUT(tavrotest::picture(*window, 9), 8000);
        QTest::mousePress(tavrotest::picture(*window, 9), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(window->page(), 8000);
        jackd.terminate();
        QVERIFY(jackd.waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!window->midiServiceError().isEmpty() && !window->page(), 8000);
        QCOMPARE(hint->text(), QString::fromLatin1(kHint).arg(window->midiServiceError()));
        QVERIFY(ask(keys, "vanish").endsWith("ok\n"));
        QVERIFY2(startServer(jackd, *window).isEmpty(), "the JACK server did not start again");
        QVERIFY(ask(keys, "appear").endsWith("ok\n"));
        QTRY_VERIFY_WITH_TIMEOUT(tavrotest::picture(*window, 9), 8000);
        QCOMPARE(hint->text(), QStringLiteral("connect the device to the computer using USB cable"));

        // The server is back with the controller before the next scan: the
        // page, whose ports went with the old server, goes all the same.
        QTest::mousePress(tavrotest::picture(*window, 9), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(window->page(), 8000);
        QVERIFY(restartWithController(jackd, keys));
        QTRY_VERIFY_WITH_TIMEOUT(!window->page() && window->isVisible() && tavrotest::picture(*window, 9), 8000);
        // Again, and a click at once, before the window has scanned the new
        // server, opens the page (a failed click's box is closed, not waited on).
        QVERIFY(restartWithController(jackd, keys));
        QTimer::singleShot(8000, window.get(), [] {
            if (QWidget *box = QApplication::activeModalWidget())
                box->close();
        });
        QTest::mousePress(tavrotest::picture(*window, 9), Qt::LeftButton);
        // Edited once the page holds its block, which follows the device's record.
        QTRY_VERIFY_WITH_TIMEOUT(window->page() && window->page()->findChild<QWidget *>("page_3")->isEnabled(), 8000);
        window->page()->findChild<QComboBox *>("comboBox_tempo")->setCurrentIndex(270); // 300
        QTRY_VERIFY_WITH_TIMEOUT(ask(keys, "log").contains("rx ok 78 59 50 1E 00 00 2C 01"), 8000);

        // A self-test (Alt at the click) whose unit has answered: the first
        // scan of a server that is back with the controller tells the page
        // and starts the test on the new server, before the page could take
        // the unit as silent.
        QVERIFY(restartWithController(jackd, keys));
        QTRY_VERIFY_WITH_TIMEOUT(!window->page() && tavrotest::picture(*window, 9), 8000);
        QTest::mousePress(tavrotest::picture(*window, 9), Qt::LeftButton, Qt::AltModifier);
        QTRY_VERIFY_WITH_TIMEOUT(window->page(), 8000);
        QTest::keyRelease(window->page(), Qt::Key_Alt);
        QPointer<SelfCheck> test = qobject_cast<SelfCheck *>(window->page());
        QVERIFY(test);
        QTRY_VERIFY_WITH_TIMEOUT(test->form()->pushButton_BLE->isChecked(), 8000);
        QSignalSpy silent(test.data(), &SelfTestPage::signal_unit_silent);
        QVERIFY(restartWithController(jackd, keys) && ask(keys, "log clear").endsWith("ok\n"));
        window->scanDevices();
        QVERIFY2(!test->form()->pushButton_BLE->isChecked(), "the self-test was not told at the scan");
        QTRY_VERIFY_WITH_TIMEOUT(ask(keys, "log").contains("rx ok 78 59 72 00 00 00 FF"), 8000);
        QCOMPARE(silent.count(), 0);

        window.reset();
        keys.close();
        jackd.terminate();
        QVERIFY(jackd.waitForFinished(10000));
#endif
    }

private:
    void launchServer(QProcess &jackd) const
    {
        jackd.setProcessChannelMode(QProcess::MergedChannels);
        jackd.start(QStringLiteral("jackd"), {QStringLiteral("-n"), m_server, QStringLiteral("--no-realtime"),
                                              QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"),
                                              QStringLiteral("48000"), QStringLiteral("-p"), QStringLiteral("1024")});
    }

    // Stops the server and starts it again with the controller on it, all
    // before the window's next scan: nothing here runs the event loop.
    bool restartWithController(QProcess &jackd, QProcess &controller) const
    {
        jackd.terminate();
        if (!jackd.waitForFinished(10000) || !ask(controller, "vanish").endsWith("ok\n"))
            return false;
        launchServer(jackd);
        return jackd.waitForStarted()
               && QProcess::execute(QStringLiteral("jack_wait"), {"-w", "-s", m_server, "-t", "10"}) == 0
               && ask(controller, "appear").endsWith("ok\n");
    }

    // Starts this test's own JACK server and waits until the window's scans
    // have found it; why not, when it failed.
    QString startServer(QProcess &jackd, pc_connectui &window)
    {
        launchServer(jackd);
        const bool found = jackd.waitForStarted() && QTest::qWaitFor([&] {
            window.scanDevices();
            return window.midiServiceError().isEmpty() || jackd.state() == QProcess::NotRunning;
        }, 10000);
        // JACK keeps at most eight servers per machine ("Too many servers"):
        // other runs may hold every place.
        if (jackd.state() == QProcess::NotRunning)
            return QStringLiteral("jackd ended at once: ") + QString::fromLocal8Bit(jackd.readAll().trimmed());
        return found ? QString() : QStringLiteral("the window did not find the JACK server");
    }

    QString m_server;
};

TAVRO_TEST_MAIN(TestNoMidiService)
#include "test_nomidiservice.moc"
