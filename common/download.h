// One HTTP download under the editor's rules, shared by every fetch from the
// download server (preset and firmware indexes, presets, firmware images, the
// pad levels, the command library):
// - only a 2xx answer is success; redirects are followed only when they are
//   not less safe (never from https to http), at most kMaxRedirects of them;
// - the body may not grow past the cap of its kind, checked while it arrives;
// - a transfer that stays silent for the transfer timeout ends, and so does a
//   download that is not done by its overall deadline (a server that trickles
//   a byte now and then cannot hold a dialog for ever).
// A failed download ends with finished(false); the caller shows its own
// message. Everything runs on the calling thread's event loop.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;

enum class DownloadKind {
    Index,          // firmware.ini, preset.ini, the command library
    Preset,         // one preset file
    FirmwareImage,  // one *.ufw image
};

struct DownloadLimits
{
    qint64 maxBytes = 0;
    int transferTimeoutMs = 0; // no byte for this long ends the download
    int deadlineMs = 0;        // the whole download, from the request on
    // The body must read as an index: text, and not a web page (a guest
    // network's sign-in page answers 200 for any location).
    bool indexText = false;
};

// The limits of a kind: 1 MiB for indexes and presets, 16 MiB for images;
// an index must be index text (isIndexText);
// 20 s without a byte; 60 s for an index or a preset, 10 min for an image.
// TAVRO_DOWNLOAD_TIMEOUT_MS and TAVRO_DOWNLOAD_DEADLINE_MS, when set to a
// positive number, replace both times for every kind (the tests shorten them).
DownloadLimits downloadLimits(DownloadKind kind);

constexpr int kMaxRedirects = 5;

// False when the platform says that no network is reachable at all.
bool networkAccessible();

class Download : public QObject
{
    Q_OBJECT

public:
    enum Failure {
        NoFailure,
        InvalidUrl,  // not a valid URL, or one without a scheme
        Network,     // the network layer failed (refused, reset, bad redirect ...)
        HttpStatus,  // the server answered with a status outside 2xx
        TooLarge,    // the body outgrew the cap
        Stalled,     // nothing arrived for the transfer timeout
        Deadline,    // not done by the overall deadline
        Aborted,     // abort() was called
        NotAnIndex,  // an index was asked for and the answer is none (a web page, binary data)
    };
    Q_ENUM(Failure)

    // Starts a GET of url with the limits of kind. The download belongs to
    // parent (it ends, silently, when parent goes) and deletes itself after
    // finished has been emitted. finished always comes later, never from
    // inside this call.
    static Download *get(const QUrl &url, DownloadKind kind, QObject *parent);
    static Download *get(const QUrl &url, const DownloadLimits &limits, QObject *parent);

    ~Download() override;

    // Ends the download at once without emitting finished.
    void abort();

    const QUrl &url() const { return m_url; }
    bool isRunning() const { return m_running; }
    // The whole body; valid in the handler of finished(true).
    const QByteArray &body() const { return m_body; }
    Failure failure() const { return m_failure; }
    QString errorText() const { return m_errorText; }
    int httpStatus() const { return m_status; }

signals:
    // Bytes received so far and the announced total (-1 when unknown).
    void progress(qint64 received, qint64 total);
    void finished(bool ok);

private:
    Download(const QUrl &url, const DownloadLimits &limits, QObject *parent);
    void start();
    void onReadyRead();
    void onMetaData();
    void onFinished();
    void fail(Failure failure, const QString &text);
    void end(bool ok);
    void dropReply();

    QUrl m_url;
    DownloadLimits m_limits;
    QNetworkAccessManager *m_manager = nullptr;
    QPointer<QNetworkReply> m_reply;
    QTimer m_deadline;
    QByteArray m_body;
    Failure m_failure = NoFailure;
    QString m_errorText;
    int m_status = 0;
    bool m_running = true;
};
