// A small HTTP/1.1 server for download tests. It listens on 127.0.0.1 at a
// free port and serves the files of one folder tree (its root holds
// "tvsuite/"). Single paths can be told to fail or to misbehave.
//
// Typical use in a Qt test:
//
//     HttpFixture server;                      // fresh temporary root
//     QVERIFY(server.start());
//     server.writeFile("tvsuite/rz7/preset.ini", "[files]\n1=Techno\n");
//     server.setBehaviour("tvsuite/rz7/Techno.rzp", HttpFixture::NotFound);
//     qputenv("TAVRO_SERVER_BASE", server.baseUrl().toUtf8());
//     ... run the download, wait with QSignalSpy / QTRY_COMPARE ...
//
// Paths given to the fixture are relative to the root, without a leading
// "/" (for example "tvsuite/rz7/preset.ini"). Every connection serves one
// GET (or HEAD) request and is then closed. Requests for paths outside the
// root, for folders and for missing files are answered with 404.
//
// Runs on the thread that created it, through that thread's event loop; the
// client under test must therefore wait with an event loop (QSignalSpy::wait,
// QTRY_COMPARE), never block.
#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QScopedPointer>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;
class QTemporaryDir;

class HttpFixture : public QObject
{
    Q_OBJECT

public:
    // What the server does for one path.
    enum Behaviour {
        Serve,      // 200 with the file (404 when it is missing); the default
        NotFound,   // 404, even when the file exists
        Slow,       // waits `delayMs` after the request, then serves as Serve
        EmptyBody,  // 200 with Content-Length 0
        BreakOff,   // 200 announcing the full length, sends half the body, closes
        Stall,      // reads the request and never answers (until stop())
        Trickle,    // 200 announcing the full length, then one byte every `delayMs`
        Unsized,    // 200 without Content-Length: the body, then the connection closes
        Redirect,   // `redirectCode` with a Location header (see setRedirect)
    };

    // rootPath empty: a temporary folder (with an empty "tvsuite/" in it) is
    // created and removed with the fixture.
    explicit HttpFixture(const QString &rootPath = QString(), QObject *parent = nullptr);
    ~HttpFixture() override;

    // Listens on 127.0.0.1 at a port chosen by the system. False when it
    // cannot listen. Calling it again while listening does nothing.
    bool start();
    // Closes the listener and every open connection (stalled ones included).
    void stop();
    bool isListening() const;

    quint16 port() const;               // 0 while not listening
    QString rootUrl() const;            // "http://127.0.0.1:<port>/"
    QString baseUrl() const;            // rootUrl() + "tvsuite/"
    QString urlFor(const QString &relativePath) const;   // rootUrl() + path
    QString rootPath() const;           // the served folder

    // Writes (creating folders) a file under the root; false on failure.
    bool writeFile(const QString &relativePath, const QByteArray &content);

    // Behaviour of one path; delayMs is used by Slow only.
    void setBehaviour(const QString &relativePath, Behaviour behaviour, int delayMs = 0);
    // Answers relativePath with code (301, 302, 307 ...) and Location: location.
    void setRedirect(const QString &relativePath, const QString &location, int code = 302);
    void clearBehaviours();

    // Paths requested so far (relative, decoded), in arrival order.
    QStringList requests() const;
    int requestCount(const QString &relativePath) const;
    void clearRequests();

signals:
    // A complete request for this path has arrived (before it is answered).
    void requestReceived(const QString &relativePath);
    // The whole answer for this path has been handed to the connection.
    void answered(const QString &relativePath);

private:
    struct Rule {
        Behaviour behaviour = Serve;
        int delayMs = 0;
        QString location;
        int code = 0;
    };

    void onNewConnection();
    void onReadyRead(QTcpSocket *socket);
    void answer(QTcpSocket *socket, const QString &path, bool headOnly);
    void sendStatus(QTcpSocket *socket, int code, const char *reason, bool headOnly);
    void trickle(QTcpSocket *socket, const QByteArray &rest, int delayMs);
    QString localFileFor(const QString &path) const;

    QScopedPointer<QTemporaryDir> m_tempRoot;
    QString m_root;
    QTcpServer *m_server = nullptr;
    QHash<QString, Rule> m_rules;
    QStringList m_requests;
};
