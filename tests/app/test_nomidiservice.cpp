// No MIDI service at all, on the default road (no ALSA sequencer, no JACK
// server): the window says so once in its hint, in both languages, stays
// silent on standard error while it keeps asking, and takes the service as
// soon as a JACK server starts; a server that stops and starts again is found
// again, with the controllers on it.
#include <QtTest>

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
#include "simulator.h"
#include "testmain.h"
#include "ui_pc_connectui.h"

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
        auto sim = std::make_unique<tavrosim::Simulator>(tavrosim::optionsForModel(7));
        QVERIFY(sim->start());
        QTRY_VERIFY_WITH_TIMEOUT(tavrotest::picture(*window, 7), 8000);
        QTest::mousePress(tavrotest::picture(*window, 7), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(window->page(), 8000);
        jackd.terminate();
        QVERIFY(jackd.waitForFinished(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!window->midiServiceError().isEmpty() && !window->page(), 8000);
        QCOMPARE(hint->text(), QString::fromLatin1(kHint).arg(window->midiServiceError()));
        sim->vanish();
        QVERIFY2(startServer(jackd, *window).isEmpty(), "the JACK server did not start again");
        QVERIFY(sim->reappear());
        QTRY_VERIFY_WITH_TIMEOUT(tavrotest::picture(*window, 7), 8000);
        QCOMPARE(hint->text(), QStringLiteral("connect the device to the computer using USB cable"));

        window.reset();
        sim.reset();
        jackd.terminate();
        QVERIFY(jackd.waitForFinished(10000));
#endif
    }

private:
    // Starts this test's own JACK server and waits until the window's scans
    // have found it; why not, when it failed.
    QString startServer(QProcess &jackd, pc_connectui &window)
    {
        jackd.setProcessChannelMode(QProcess::MergedChannels);
        jackd.start(QStringLiteral("jackd"), {QStringLiteral("-n"), m_server, QStringLiteral("--no-realtime"),
                                              QStringLiteral("-d"), QStringLiteral("dummy"), QStringLiteral("-r"),
                                              QStringLiteral("48000"), QStringLiteral("-p"), QStringLiteral("1024")});
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
