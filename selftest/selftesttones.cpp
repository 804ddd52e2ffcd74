#include "selftesttones.h"

#include <QDir>
#include <QHash>
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

struct EffectPair
{
    QSoundEffect *low = nullptr;
    QSoundEffect *high = nullptr;
};

// Per folder, for the whole run. The effects are never deleted: releasing a
// sample while Qt's loader thread runs waits for that thread to stop, and it
// may never stop. Both sources are set back to back, so that the loader
// thread is all but sure to be still busy with the first when the second is
// asked for rather than stopping.
EffectPair sharedEffects(const QString &folder)
{
    static QHash<QString, EffectPair> effects;
    const QString key = QDir(folder).absolutePath();
    auto found = effects.constFind(key);
    if (found != effects.constEnd())
        return *found;
    EffectPair pair{new QSoundEffect, new QSoundEffect};
    pair.low->setVolume(1.0);
    pair.high->setVolume(1.0);
    pair.low->setSource(QUrl::fromLocalFile(key + QLatin1Char('/') + QLatin1String(SelfTestTones::kLowFile)));
    pair.high->setSource(QUrl::fromLocalFile(key + QLatin1Char('/') + QLatin1String(SelfTestTones::kHighFile)));
    effects.insert(key, pair);
    return pair;
}

} // namespace

SelfTestTones::SelfTestTones(QObject *parent) : QObject(parent) {}

bool SelfTestTones::load(const QString &folder)
{
    if (!QDir(folder).exists())
        return false;
    const EffectPair pair = sharedEffects(folder);
    m_low = pair.low;
    m_high = pair.high;
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
