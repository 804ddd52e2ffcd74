#include "pedalpoll.h"

#include <QTimer>

#include "deviceframe.h"

namespace pedal {

namespace {

constexpr int kResetSettleMs = 1000;
constexpr int kImageWaitMs = 3000;
constexpr int kExtraPolls = 2;

void poll(const SendFrame &send)
{
    send(g_fixedFramePoll.bytes, g_fixedFramePoll.length);
}

} // namespace

void sendFactoryReset(QObject *page, const SendFrame &send, const std::function<bool()> &polling)
{
    send(g_fixedFrameFactoryReset.bytes, g_fixedFrameFactoryReset.length);
    QTimer::singleShot(kResetSettleMs, page, [send, polling] {
        if (!polling || !polling())
            poll(send);
    });
}

void watchFirstImage(QObject *page, const std::function<bool()> &accepted, const SendFrame &send,
                     const std::function<void()> &giveUp, const std::function<bool()> &answered)
{
    auto *timer = new QTimer(page);
    timer->setInterval(kImageWaitMs);
    QObject::connect(timer, &QTimer::timeout, page, [timer, accepted, send, giveUp, answered, polls = 0]() mutable {
        if (accepted()) {
            timer->stop();
            timer->deleteLater();
            return;
        }
        if (polls < kExtraPolls) {
            ++polls;
            if (!answered || !answered())
                poll(send);
            return;
        }
        timer->stop();
        timer->deleteLater();
        giveUp();
    });
    timer->start();
}

} // namespace pedal
