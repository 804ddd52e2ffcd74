#include "download.h"

#include "rawini.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

constexpr qint64 kMiB = 1024 * 1024;

int positiveEnv(const char *name)
{
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok && value > 0 ? value : 0;
}

} // namespace

DownloadLimits downloadLimits(DownloadKind kind)
{
    DownloadLimits limits;
    limits.transferTimeoutMs = 20 * 1000;
    switch (kind) {
    case DownloadKind::Index:
        limits.indexText = true;
        Q_FALLTHROUGH();
    case DownloadKind::Preset:
        limits.maxBytes = 1 * kMiB;
        limits.deadlineMs = 60 * 1000;
        break;
    case DownloadKind::FirmwareImage:
        limits.maxBytes = 16 * kMiB;
        limits.deadlineMs = 10 * 60 * 1000;
        break;
    }
    if (const int transfer = positiveEnv("TAVRO_DOWNLOAD_TIMEOUT_MS"))
        limits.transferTimeoutMs = transfer;
    if (const int deadline = positiveEnv("TAVRO_DOWNLOAD_DEADLINE_MS"))
        limits.deadlineMs = deadline;
    return limits;
}

bool networkAccessible()
{
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    return QNetworkAccessManager().networkAccessible() != QNetworkAccessManager::NotAccessible;
    QT_WARNING_POP
}

Download *Download::get(const QUrl &url, DownloadKind kind, QObject *parent)
{
    return get(url, downloadLimits(kind), parent);
}

Download *Download::get(const QUrl &url, const DownloadLimits &limits, QObject *parent)
{
    auto *download = new Download(url, limits, parent);
    download->start();
    return download;
}

Download::Download(const QUrl &url, const DownloadLimits &limits, QObject *parent)
    : QObject(parent), m_url(url), m_limits(limits)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] { fail(Deadline, QStringLiteral("deadline passed")); });
}

Download::~Download()
{
    dropReply();
}

void Download::start()
{
    const QString scheme = m_url.scheme().toLower();
    if (!m_url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))) {
        // Reported from the event loop, like every other ending.
        QMetaObject::invokeMethod(this, [this] { fail(InvalidUrl, QStringLiteral("invalid URL")); },
                                  Qt::QueuedConnection);
        return;
    }
    m_manager = new QNetworkAccessManager(this);
    QNetworkRequest request(m_url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setMaximumRedirectsAllowed(kMaxRedirects);
    request.setTransferTimeout(m_limits.transferTimeoutMs);
    m_reply = m_manager->get(request);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &Download::onMetaData);
    connect(m_reply, &QNetworkReply::readyRead, this, &Download::onReadyRead);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &Download::progress);
    connect(m_reply, &QNetworkReply::finished, this, &Download::onFinished);
    m_deadline.start(m_limits.deadlineMs);
}

void Download::onMetaData()
{
    if (!m_reply)
        return;
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() > m_limits.maxBytes)
        fail(TooLarge, QStringLiteral("announced %1 bytes").arg(length.toLongLong()));
}

void Download::onReadyRead()
{
    if (!m_reply)
        return;
    m_body += m_reply->read(m_limits.maxBytes + 1 - m_body.size());
    if (m_body.size() > m_limits.maxBytes)
        fail(TooLarge, QStringLiteral("more than %1 bytes").arg(m_limits.maxBytes));
}

void Download::onFinished()
{
    if (!m_reply)
        return;
    const QPointer<Download> self(this);
    onReadyRead();
    if (!self || !m_reply)
        return;
    m_status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = m_reply->error();
    if (error == QNetworkReply::OperationCanceledError) {
        // Only the transfer timeout cancels a reply that is still connected.
        fail(Stalled, QStringLiteral("no data for %1 ms").arg(m_limits.transferTimeoutMs));
        return;
    }
    const bool redirectRefused = error == QNetworkReply::TooManyRedirectsError
                                 || error == QNetworkReply::InsecureRedirectError;
    const bool statusOk = m_status >= 200 && m_status <= 299;
    if (error != QNetworkReply::NoError || !statusOk) {
        const bool byStatus = !redirectRefused && m_status > 0 && !statusOk;
        fail(byStatus ? HttpStatus : Network,
             error != QNetworkReply::NoError ? m_reply->errorString() : QStringLiteral("HTTP status %1").arg(m_status));
        return;
    }
    dropReply();
    if (m_limits.indexText && !isIndexText(m_body)) {
        fail(NotAnIndex, QStringLiteral("the answer is not an index"));
        return;
    }
    end(true);
}

void Download::fail(Failure failure, const QString &text)
{
    if (!m_running)
        return;
    m_failure = failure;
    m_errorText = text;
    m_body.clear();
    dropReply();
    end(false);
}

void Download::end(bool ok)
{
    m_running = false;
    m_deadline.stop();
    // The handler may delete this download's parent, and so this download.
    const QPointer<Download> self(this);
    emit finished(ok);
    if (self)
        deleteLater();
}

void Download::abort()
{
    if (!m_running)
        return;
    m_running = false;
    m_failure = Aborted;
    m_deadline.stop();
    dropReply();
    deleteLater();
}

void Download::dropReply()
{
    if (!m_reply)
        return;
    QNetworkReply *reply = m_reply;
    m_reply = nullptr;
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
    reply->deleteLater();
}
