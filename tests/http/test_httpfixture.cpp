#include <QElapsedTimer>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSignalSpy>
#include <QTcpSocket>

#include "httpfixture.h"
#include "testmain.h"

namespace {

struct Fetched {
    QNetworkReply::NetworkError error = QNetworkReply::NoError;
    int status = 0;
    QByteArray body;
};

Fetched fetch(QNetworkAccessManager &nam, const QString &url, int timeoutMs = 10000)
{
    QNetworkReply *reply = nam.get(QNetworkRequest(QUrl(url)));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    if (!reply->isFinished())
        finished.wait(timeoutMs);
    Fetched out;
    out.error = reply->error();
    out.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    out.body = reply->readAll();
    reply->deleteLater();
    return out;
}

QByteArray rawRequest(quint16 port, const QByteArray &request)
{
    // The server runs on this thread: wait through the event loop, never block.
    QTcpSocket socket;
    QByteArray answer;
    QObject::connect(&socket, &QTcpSocket::readyRead, [&] { answer += socket.readAll(); });
    QObject::connect(&socket, &QTcpSocket::connected, [&] { socket.write(request); });
    QSignalSpy closed(&socket, &QTcpSocket::disconnected);
    socket.connectToHost(QHostAddress::LocalHost, port);
    closed.wait(5000);
    return answer + socket.readAll();
}

} // namespace

class TestHttpFixture : public QObject
{
    Q_OBJECT

private slots:
    void servesFilesUnderTheRoot();
    void failsAsTold();
    void slowAndStalledAnswers();
    void refusesPathsOutsideTheRoot();
    void stoppedServerRefusesConnections();
};

void TestHttpFixture::servesFilesUnderTheRoot()
{
    HttpFixture server;
    QVERIFY(server.start());
    QVERIFY(server.port() != 0);
    QVERIFY(server.baseUrl().startsWith(QStringLiteral("http://127.0.0.1:")));
    QVERIFY(server.baseUrl().endsWith(QStringLiteral("/tvsuite/")));

    QByteArray image(5000, '\0');
    for (int i = 0; i < image.size(); ++i)
        image[i] = char(i * 7);
    QVERIFY(server.writeFile(QStringLiteral("tvsuite/rz7/fw 1.ufw"), image));
    QVERIFY(server.writeFile(QStringLiteral("tvsuite/rz7/preset.ini"), "[files]\n1=Techno\n"));

    QNetworkAccessManager nam;
    Fetched got = fetch(nam, server.baseUrl() + QStringLiteral("rz7/preset.ini"));
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.status, 200);
    QCOMPARE(got.body, QByteArray("[files]\n1=Techno\n"));

    got = fetch(nam, server.baseUrl() + QStringLiteral("rz7/fw%201.ufw"));
    QCOMPARE(got.status, 200);
    QCOMPARE(got.body, image);

    got = fetch(nam, server.baseUrl() + QStringLiteral("rz7/missing.rzp"));
    QCOMPARE(got.error, QNetworkReply::ContentNotFoundError);
    QCOMPARE(got.status, 404);

    // A folder is not a file.
    got = fetch(nam, server.baseUrl() + QStringLiteral("rz7"));
    QCOMPARE(got.status, 404);

    QCOMPARE(server.requests(),
             QStringList({QStringLiteral("tvsuite/rz7/preset.ini"), QStringLiteral("tvsuite/rz7/fw 1.ufw"),
                          QStringLiteral("tvsuite/rz7/missing.rzp"), QStringLiteral("tvsuite/rz7")}));
    QCOMPARE(server.requestCount(QStringLiteral("tvsuite/rz7/preset.ini")), 1);
}

void TestHttpFixture::failsAsTold()
{
    HttpFixture server;
    QVERIFY(server.start());
    const QByteArray body(1000, 'x');
    for (const char *name : {"a.bin", "b.bin", "c.bin"})
        QVERIFY(server.writeFile(QStringLiteral("tvsuite/") + QLatin1String(name), body));
    server.setBehaviour(QStringLiteral("tvsuite/a.bin"), HttpFixture::NotFound);
    server.setBehaviour(QStringLiteral("tvsuite/b.bin"), HttpFixture::EmptyBody);
    server.setBehaviour(QStringLiteral("tvsuite/c.bin"), HttpFixture::BreakOff);

    QNetworkAccessManager nam;
    Fetched got = fetch(nam, server.baseUrl() + QStringLiteral("a.bin"));
    QCOMPARE(got.error, QNetworkReply::ContentNotFoundError);
    QCOMPARE(got.status, 404);

    got = fetch(nam, server.baseUrl() + QStringLiteral("b.bin"));
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.status, 200);
    QVERIFY(got.body.isEmpty());

    got = fetch(nam, server.baseUrl() + QStringLiteral("c.bin"));
    QVERIFY(got.error != QNetworkReply::NoError);
    QVERIFY(got.body.size() < body.size());

    // Clearing the rules serves the file again.
    server.clearBehaviours();
    got = fetch(nam, server.baseUrl() + QStringLiteral("c.bin"));
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.body, body);
}

void TestHttpFixture::slowAndStalledAnswers()
{
    HttpFixture server;
    QVERIFY(server.start());
    QVERIFY(server.writeFile(QStringLiteral("tvsuite/slow.ini"), "[param]\npadthreshold=60\n"));
    QVERIFY(server.writeFile(QStringLiteral("tvsuite/stall.ini"), "[files]\n"));
    server.setBehaviour(QStringLiteral("tvsuite/slow.ini"), HttpFixture::Slow, 300);
    server.setBehaviour(QStringLiteral("tvsuite/stall.ini"), HttpFixture::Stall);

    QNetworkAccessManager nam;
    QElapsedTimer clock;
    clock.start();
    const Fetched got = fetch(nam, server.baseUrl() + QStringLiteral("slow.ini"));
    QCOMPARE(got.error, QNetworkReply::NoError);
    QCOMPARE(got.body, QByteArray("[param]\npadthreshold=60\n"));
    QVERIFY2(clock.elapsed() >= 290, qPrintable(QString::number(clock.elapsed())));

    QSignalSpy received(&server, &HttpFixture::requestReceived);
    QNetworkReply *reply = nam.get(QNetworkRequest(QUrl(server.baseUrl() + QStringLiteral("stall.ini"))));
    QSignalSpy finished(reply, &QNetworkReply::finished);
    QVERIFY(received.wait(5000));
    QCOMPARE(received.first().first().toString(), QStringLiteral("tvsuite/stall.ini"));
    QVERIFY(!reply->isFinished());
    // Stopping the server drops the stalled connection: the client sees an error.
    server.stop();
    QVERIFY(finished.count() > 0 || finished.wait(5000));
    QVERIFY(reply->error() != QNetworkReply::NoError);
    delete reply;
}

void TestHttpFixture::refusesPathsOutsideTheRoot()
{
    QTemporaryDir outer;
    QVERIFY(QDir(outer.path()).mkpath(QStringLiteral("root/tvsuite")));
    QFile secret(outer.filePath(QStringLiteral("secret.txt")));
    QVERIFY(secret.open(QIODevice::WriteOnly));
    secret.write("SECRET");
    secret.close();

    HttpFixture server(outer.filePath(QStringLiteral("root")));
    QVERIFY(server.start());
    for (const QByteArray &target : {QByteArray("/../secret.txt"), QByteArray("/tvsuite/%2e%2e/%2E%2E/secret.txt"),
                                    QByteArray("/tvsuite/..%5c..%5csecret.txt")}) {
        const QByteArray answer = rawRequest(server.port(), "GET " + target + " HTTP/1.1\r\nHost: x\r\n\r\n");
        QVERIFY2(answer.startsWith("HTTP/1.1 404"), answer.constData());
        QVERIFY(!answer.contains("SECRET"));
    }
    // Request heads may arrive in pieces; a non-GET method is refused.
    QCOMPARE(rawRequest(server.port(), "POST /tvsuite/ HTTP/1.1\r\n\r\n").left(12), QByteArray("HTTP/1.1 405"));
}

void TestHttpFixture::stoppedServerRefusesConnections()
{
    HttpFixture server;
    QVERIFY(server.start());
    const QString url = server.baseUrl() + QStringLiteral("x.ini");
    server.stop();
    QVERIFY(!server.isListening());
    QNetworkAccessManager nam;
    QCOMPARE(fetch(nam, url).error, QNetworkReply::ConnectionRefusedError);
}

TAVRO_TEST_MAIN(TestHttpFixture)
#include "test_httpfixture.moc"
