// The download rules against the local HTTP server: status, redirects, size
// caps, the transfer timeout, the overall deadline, and endings that must stay
// silent.
#include <QSignalSpy>

#include "download.h"
#include "httpfixture.h"
#include "rawini.h"
#include "testmain.h"

namespace {

DownloadLimits shortLimits(qint64 maxBytes = 4096)
{
    DownloadLimits limits;
    limits.maxBytes = maxBytes;
    limits.transferTimeoutMs = 400;
    limits.deadlineMs = 1500;
    return limits;
}

} // namespace

class TestDownload : public QObject
{
    Q_OBJECT

private:
    HttpFixture m_server;

    // Runs one download to its end; the failure it ended with.
    Download::Failure run(const QString &path, const DownloadLimits &limits, QByteArray *body = nullptr)
    {
        QObject owner;
        Download *download = Download::get(QUrl(m_server.urlFor(path)), limits, &owner);
        Download::Failure failure = Download::Aborted;
        connect(download, &Download::finished, this, [&](bool ok) {
            failure = ok ? Download::NoFailure : download->failure();
            if (body)
                *body = download->body();
        });
        QSignalSpy done(download, &Download::finished);
        if (!done.wait(10000))
            return Download::Aborted;
        return failure;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_server.start());
        QVERIFY(m_server.writeFile("tvsuite/small.ini", "[files]\n1=A\n"));
        QVERIFY(m_server.writeFile("tvsuite/big.bin", QByteArray(5000, 'x')));
        QVERIFY(m_server.writeFile("tvsuite/hundred.bin", QByteArray(100, 'y')));
        QVERIFY(m_server.writeFile("tvsuite/exact.bin", QByteArray(4096, 'z')));
    }

    void rules_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("behaviour"); // -1: served as it is
        QTest::addColumn<int>("delayMs");
        QTest::addColumn<int>("failure");
        QTest::newRow("served") << "tvsuite/small.ini" << -1 << 0 << int(Download::NoFailure);
        QTest::newRow("exactly the cap") << "tvsuite/exact.bin" << -1 << 0 << int(Download::NoFailure);
        QTest::newRow("slow but in time") << "tvsuite/hundred.bin" << int(HttpFixture::Slow) << 150
                                          << int(Download::NoFailure);
        QTest::newRow("missing") << "tvsuite/none.ini" << -1 << 0 << int(Download::HttpStatus);
        QTest::newRow("announced too large") << "tvsuite/big.bin" << -1 << 0 << int(Download::TooLarge);
        QTest::newRow("unannounced too large") << "tvsuite/big.bin" << int(HttpFixture::Unsized) << 0
                                               << int(Download::TooLarge);
        QTest::newRow("stalled") << "tvsuite/small.ini" << int(HttpFixture::Stall) << 0 << int(Download::Stalled);
        QTest::newRow("trickling past the deadline") << "tvsuite/hundred.bin" << int(HttpFixture::Trickle) << 60
                                                     << int(Download::Deadline);
        QTest::newRow("cut off") << "tvsuite/hundred.bin" << int(HttpFixture::BreakOff) << 0
                                 << int(Download::Network);
    }
    void rules()
    {
        QFETCH(QString, path);
        QFETCH(int, behaviour);
        QFETCH(int, delayMs);
        QFETCH(int, failure);
        m_server.clearBehaviours();
        if (behaviour >= 0)
            m_server.setBehaviour(path, HttpFixture::Behaviour(behaviour), delayMs);
        QByteArray body;
        QCOMPARE(int(run(path, shortLimits(), &body)), failure);
        if (failure != Download::NoFailure)
            QVERIFY(body.isEmpty());
    }

    // Redirects within the server are followed; a loop ends as a failure and
    // so does a redirect to a missing file. Only 2xx counts.
    void redirects()
    {
        m_server.clearBehaviours();
        m_server.setRedirect("tvsuite/moved.ini", m_server.urlFor("tvsuite/small.ini"));
        m_server.setRedirect("tvsuite/gone.ini", m_server.urlFor("tvsuite/none.ini"), 301);
        m_server.setRedirect("tvsuite/loop.ini", m_server.urlFor("tvsuite/loop.ini"), 307);
        QByteArray body;
        QCOMPARE(int(run("tvsuite/moved.ini", shortLimits(), &body)), int(Download::NoFailure));
        QCOMPARE(body, QByteArray("[files]\n1=A\n"));
        QCOMPARE(int(run("tvsuite/gone.ini", shortLimits())), int(Download::HttpStatus));
        QCOMPARE(int(run("tvsuite/loop.ini", shortLimits())), int(Download::Network));
        // The loop is followed kMaxRedirects times and no further (the
        // network layer may send a request again on a connection the server
        // closed, so the count is a bound).
        const int asked = m_server.requestCount("tvsuite/loop.ini");
        QVERIFY2(asked >= 1 + kMaxRedirects && asked <= 2 * (1 + kMaxRedirects), qPrintable(QString::number(asked)));
    }

    // Aborting, or the owner going away, ends a download without a word; an
    // unusable location fails later, never inside the call.
    void silentEndings()
    {
        m_server.clearBehaviours();
        m_server.setBehaviour("tvsuite/small.ini", HttpFixture::Slow, 100);
        auto *owner = new QObject;
        Download *aborted = Download::get(QUrl(m_server.urlFor("tvsuite/small.ini")), shortLimits(), owner);
        Download *orphaned = Download::get(QUrl(m_server.urlFor("tvsuite/small.ini")), shortLimits(), owner);
        QSignalSpy abortedDone(aborted, &Download::finished);
        QSignalSpy abortedGone(aborted, &QObject::destroyed);
        QSignalSpy orphanedDone(orphaned, &Download::finished);
        QSignalSpy orphanedGone(orphaned, &QObject::destroyed);
        aborted->abort();
        QVERIFY(abortedGone.wait(5000));
        delete owner;
        QCOMPARE(orphanedGone.count(), 1);
        // Both are gone: nothing can come from them any more.
        QCOMPARE(abortedDone.count(), 0);
        QCOMPARE(orphanedDone.count(), 0);

        QObject holder;
        for (const QString &url : {QStringLiteral("not a url"), QStringLiteral("file:///etc/passwd")}) {
            Download *bad = Download::get(QUrl(url), shortLimits(), &holder);
            QSignalSpy done(bad, &Download::finished);
            QCOMPARE(done.count(), 0);
            QVERIFY(done.wait(5000));
            QCOMPARE(done.first().first().toBool(), false);
        }
    }

    // The server's text, as written: no list splitting, quotes or escapes.
    void rawIniKeepsValues()
    {
        const RawIni ini = RawIni::fromText("\xEF\xBB\xBF; comment\n[files]\n2=Rock, Pop\n1 = \"Quoted\" \n"
                                            "10=a\\nb\n[video]\n1=https://x.example/w?a=1,2;b\n");
        QCOMPARE(ini.keys("files"), (QStringList{"1", "10", "2"}));
        QCOMPARE(ini.value("files", "2"), QStringLiteral("Rock, Pop"));
        QCOMPARE(ini.value("files", "1"), QStringLiteral("\"Quoted\""));
        QCOMPARE(ini.value("files", "10"), QStringLiteral("a\\nb"));
        QCOMPARE(ini.value("video", "1"), QStringLiteral("https://x.example/w?a=1,2;b"));
        QVERIFY(!ini.isEmpty());
        QVERIFY(RawIni::fromText("; only a comment\n[files]\n").isEmpty());
    }
};

TAVRO_TEST_MAIN(TestDownload)
#include "test_download.moc"
