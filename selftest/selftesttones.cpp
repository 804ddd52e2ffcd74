#include "selftesttones.h"

#include <QDir>
#include <QSoundEffect>
#include <QUrl>
#include <QtDebug>

const char *const SelfTestTones::kLowFile = "400Hz150ms.wav";
const char *const SelfTestTones::kHighFile = "800Hz150ms.wav";

namespace {

QString notReadyReason(QSoundEffect::Status status)
{
    switch (status) {
    case QSoundEffect::Null:
        return QStringLiteral("no sound file set");
    case QSoundEffect::Loading:
        return QStringLiteral("still loading (no sound output?)");
    case QSoundEffect::Error:
        return QStringLiteral("the sound file could not be loaded");
    case QSoundEffect::Ready:
        break;
    }
    return QString();
}

} // namespace

SelfTestTones::SelfTestTones(QObject *parent) : QObject(parent) {}

bool SelfTestTones::load(const QString &folder)
{
    if (!QDir(folder).exists())
        return false;
    auto make = [this, &folder](const char *file) {
        auto *effect = new QSoundEffect(this);
        effect->setSource(QUrl::fromLocalFile(folder + QLatin1Char('/') + QLatin1String(file)));
        effect->setVolume(1.0);
        return effect;
    };
    m_low = make(kLowFile);
    m_high = make(kHighFile);
    return true;
}

void SelfTestTones::play(bool high)
{
    Request request;
    request.high = high;
    QSoundEffect *effect = high ? m_high : m_low;
    if (!effect)
        request.reason = QStringLiteral("no audio folder");
    else
        request.reason = notReadyReason(effect->status());
    if (request.reason.isEmpty()) {
        effect->stop();
        effect->play();
        request.played = true;
    } else {
        qWarning().noquote() << QStringLiteral("self-test tone %1 Hz not played: %2")
                                    .arg(high ? 800 : 400)
                                    .arg(request.reason);
    }
    if (m_requests.size() >= kKeptRequests)
        m_requests.removeFirst();
    m_requests.append(request);
}
