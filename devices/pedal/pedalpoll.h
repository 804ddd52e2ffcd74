// How both foot pedal pages ask the pedal for its whole image. The pedal
// sends it only as the answer to CMD_POLL: the connection window's poll when
// a page opens, and the page's own polls below.
#pragma once

#include <QtGlobal>

#include <functional>

class QObject;

namespace pedal {

// Sends a frame through the page.
using SendFrame = std::function<void(const quint8 *frame, uint len)>;

// The factory reset. The pedal answers nothing to it, so about a second
// later (without blocking) its fresh image is polled for; the answer comes in
// as any image does, and the next edit is built on the reset image instead of
// writing the old one back over it. A page that polls again after each image
// it refuses passes polling(): while that says its own polls are running,
// their next answer brings the reset image, and the reset sends no poll
// beside them (each would start one more answer-and-poll chain).
void sendFactoryReset(QObject *page, const SendFrame &send, const std::function<bool()> &polling = {});

// Watches for the first image after a page opened, as the poll may go
// unanswered: every 3 s until accepted() is true it polls again, twice at
// most, then calls giveUp once. A page that polls again after each image it
// refuses passes answered(): once the pedal has answered at all, the watch
// sends no poll of its own (each would start one more answer-and-poll chain)
// but still gives up on time if no image has been accepted.
void watchFirstImage(QObject *page, const std::function<bool()> &accepted, const SendFrame &send,
                     const std::function<void()> &giveUp, const std::function<bool()> &answered = {});

} // namespace pedal
