#include "httpfixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QSaveFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int kMaxRequestHead = 64 * 1024;
const char *const kBufferProperty = "httpFixtureRequest";

// The decoded path of a request target relative to the root, or a null string
// when the target leaves the root or is not a plain absolute path.
QString relativeRequestPath(const QByteArray &target)
{
    QByteArray pathPart = target;
    const int cut = pathPart.indexOf('?');
    if (cut >= 0)
        pathPart.truncate(cut);
    if (!pathPart.startsWith('/'))
        return QString();
    const QString decoded = QUrl::fromPercentEncoding(pathPart);
    if (decoded.contains(QLatin1Char('\\')) || decoded.contains(QChar(0)))
        return QString();
    QStringList kept;
    for (const QString &segment : decoded.split(QLatin1Char('/'))) {
        if (segment == QLatin1String(".."))
            return QString();
        if (segment.isEmpty() || segment == QLatin1String("."))
            continue;
        kept << segment;
    }
    return kept.join(QLatin1Char('/'));
}

} // namespace

HttpFixture::HttpFixture(const QString &rootPath, QObject *parent)
    : QObject(parent)
{
    if (rootPath.isEmpty()) {
        m_tempRoot.reset(new QTemporaryDir());
        m_root = m_tempRoot->path();
        QDir(m_root).mkpath(QStringLiteral("tvsuite"));
    } else {
        m_root = QDir(rootPath).absolutePath();
    }
}

HttpFixture::~HttpFixture()
{
    stop();
}

bool HttpFixture::start()
{
    if (m_server && m_server->isListening())
        return true;
    if (!m_server) {
        m_server = new QTcpServer(this);
        connect(m_server, &QTcpServer::newConnection, this, &HttpFixture::onNewConnection);
    }
    return m_server->listen(QHostAddress::LocalHost, 0);
}

void HttpFixture::stop()
{
    if (!m_server)
        return;
    m_server->close();
    const auto sockets = m_server->findChildren<QTcpSocket *>();
    for (QTcpSocket *socket : sockets) {
        socket->disconnect(this);
        socket->abort();
        socket->deleteLater();
    }
}

bool HttpFixture::isListening() const
{
    return m_server && m_server->isListening();
}

quint16 HttpFixture::port() const
{
    return isListening() ? m_server->serverPort() : 0;
}

QString HttpFixture::rootUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(port());
}

QString HttpFixture::baseUrl() const
{
    return rootUrl() + QStringLiteral("tvsuite/");
}

QString HttpFixture::urlFor(const QString &relativePath) const
{
    return rootUrl() + relativePath;
}

QString HttpFixture::rootPath() const
{
    return m_root;
}

bool HttpFixture::writeFile(const QString &relativePath, const QByteArray &content)
{
    const QString path = QDir(m_root).filePath(relativePath);
    if (!QDir().mkpath(QFileInfo(path).absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(content);
    return file.commit();
}

void HttpFixture::setBehaviour(const QString &relativePath, Behaviour behaviour, int delayMs)
{
    Rule rule;
    rule.behaviour = behaviour;
    rule.delayMs = delayMs;
    m_rules.insert(relativePath, rule);
}

void HttpFixture::setRedirect(const QString &relativePath, const QString &location, int code)
{
    Rule rule;
    rule.behaviour = Redirect;
    rule.location = location;
    rule.code = code;
    m_rules.insert(relativePath, rule);
}

void HttpFixture::clearBehaviours()
{
    m_rules.clear();
}

QStringList HttpFixture::requests() const
{
    return m_requests;
}

int HttpFixture::requestCount(const QString &relativePath) const
{
    return m_requests.count(relativePath);
}

void HttpFixture::clearRequests()
{
    m_requests.clear();
}

void HttpFixture::onNewConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void HttpFixture::onReadyRead(QTcpSocket *socket)
{
    QByteArray head = socket->property(kBufferProperty).toByteArray() + socket->readAll();
    const int end = head.indexOf("\r\n\r\n");
    if (end < 0) {
        if (head.size() > kMaxRequestHead)
            socket->abort();
        else
            socket->setProperty(kBufferProperty, head);
        return;
    }
    // One request per connection: anything after the head is ignored.
    disconnect(socket, &QTcpSocket::readyRead, this, nullptr);
    socket->setProperty(kBufferProperty, QVariant());

    const QList<QByteArray> words = head.left(head.indexOf("\r\n")).split(' ');
    if (words.size() != 3 || !words.at(2).startsWith("HTTP/1.")) {
        sendStatus(socket, 400, "Bad Request", false);
        return;
    }
    const QByteArray method = words.at(0);
    const bool headOnly = method == "HEAD";
    if (method != "GET" && !headOnly) {
        sendStatus(socket, 405, "Method Not Allowed", false);
        return;
    }
    const QString path = relativeRequestPath(words.at(1));
    m_requests << (path.isNull() ? QString::fromLatin1(words.at(1)) : path);
    emit requestReceived(m_requests.last());
    if (path.isNull()) {
        sendStatus(socket, 404, "Not Found", headOnly);
        return;
    }

    const Rule rule = m_rules.value(path);
    if (rule.behaviour == Stall)
        return;
    if (rule.behaviour == Slow) {
        QTimer::singleShot(rule.delayMs, Qt::PreciseTimer, socket,
                           [this, socket, path, headOnly] { answer(socket, path, headOnly); });
        return;
    }
    answer(socket, path, headOnly);
}

void HttpFixture::answer(QTcpSocket *socket, const QString &path, bool headOnly)
{
    const Rule rule = m_rules.value(path);
    const Behaviour behaviour = rule.behaviour;
    if (behaviour == NotFound) {
        sendStatus(socket, 404, "Not Found", headOnly);
        return;
    }
    if (behaviour == Redirect) {
        socket->write("HTTP/1.1 " + QByteArray::number(rule.code) + " Redirect\r\n"
                      "Location: " + rule.location.toUtf8() + "\r\n"
                      "Connection: close\r\n"
                      "Content-Length: 0\r\n\r\n");
        socket->disconnectFromHost();
        return;
    }
    QByteArray body;
    if (behaviour != EmptyBody) {
        const QString file = localFileFor(path);
        QFile in(file);
        if (file.isEmpty() || !in.open(QIODevice::ReadOnly)) {
            sendStatus(socket, 404, "Not Found", headOnly);
            return;
        }
        body = in.readAll();
    }

    qint64 announced = body.size();
    if (behaviour == BreakOff) {
        announced = qMax<qint64>(body.size(), 1);
        body.truncate(body.size() / 2);
    }
    QByteArray reply = "HTTP/1.1 200 OK\r\n"
                       "Content-Type: application/octet-stream\r\n"
                       "Connection: close\r\n";
    if (behaviour != Unsized)
        reply += "Content-Length: " + QByteArray::number(announced) + "\r\n";
    reply += "\r\n";
    if (behaviour == Trickle && !headOnly) {
        socket->write(reply);
        trickle(socket, body, qMax(1, rule.delayMs));
        return;
    }
    if (!headOnly)
        reply += body;
    socket->write(reply);
    socket->disconnectFromHost();
    emit answered(path);
}

void HttpFixture::trickle(QTcpSocket *socket, const QByteArray &rest, int delayMs)
{
    if (rest.isEmpty()) {
        socket->disconnectFromHost();
        return;
    }
    socket->write(rest.left(1));
    QTimer::singleShot(delayMs, Qt::PreciseTimer, socket,
                       [this, socket, rest, delayMs] { trickle(socket, rest.mid(1), delayMs); });
}

void HttpFixture::sendStatus(QTcpSocket *socket, int code, const char *reason, bool headOnly)
{
    const QByteArray body = QByteArray::number(code) + ' ' + reason + '\n';
    QByteArray reply = "HTTP/1.1 " + QByteArray::number(code) + ' ' + reason + "\r\n"
                       "Content-Type: text/plain\r\n"
                       "Connection: close\r\n"
                       "Content-Length: " + QByteArray::number(body.size()) + "\r\n\r\n";
    if (!headOnly)
        reply += body;
    socket->write(reply);
    socket->disconnectFromHost();
}

QString HttpFixture::localFileFor(const QString &path) const
{
    const QFileInfo info(QDir(m_root).filePath(path));
    return info.isFile() ? info.absoluteFilePath() : QString();
}
