// Helpers for tests that drive a page without a device or a connection window:
// an owner that records what the page sends, the frames a page receives, and
// the fading messages it shows. Any page, any model.
//
//   tavrotest::RecordingOwner owner;
//   MyPage page(&owner);
//   page.Slots_recv_frame(u8(tavrotest::frame(CMD_SYSTEM_CONFIG, record)), ...);
//   QCOMPARE(owner.sent(CMD_READ_PRESET).size(), 1);
#pragma once

#include <QByteArray>
#include <QEvent>
#include <QList>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include <cstring>

#include "autodisappermsgbox.h"
#include "cbasedlg.h"
#include "ceventbase.h"
#include "deviceframe.h"

namespace tavrotest {

// Stands where the connection window stands: records every frame sent
// through it, every hand-back and every page-closed event.
class RecordingOwner : public CBaseDlg
{
public:
    RecordingOwner() : CBaseDlg(nullptr, nullptr) {}
    void Slots_recv_frame(const uchar *, uint) override {}
    void Slots_recv_sysex(const uchar *, uint) override {}
    void Slots_recv_midi(uint) override {}
    bool Slots_send_data(const uchar *frame, int len) override
    {
        frames << QByteArray(reinterpret_cast<const char *>(frame), len);
        return sendResult;
    }
    bool Slots_back_to_connect() override
    {
        ++backCalls;
        return true;
    }

    // Frames with this command byte, in order.
    QList<QByteArray> sent(uchar command) const
    {
        QList<QByteArray> out;
        for (const QByteArray &f : frames) {
            if (f.size() > 2 && uchar(f[2]) == command)
                out << f;
        }
        return out;
    }

    // The frames but the polls, which the page's timer sends on its own.
    QList<QByteArray> withoutPolls() const
    {
        QList<QByteArray> out;
        for (const QByteArray &f : frames) {
            if (f.size() <= 2 || uchar(f[2]) != CMD_POLL)
                out << f;
        }
        return out;
    }

    QList<QByteArray> frames;
    int backCalls = 0;
    int closedEvents = 0;
    // What a send reports to the page (a port that is gone reports false).
    bool sendResult = true;

protected:
    void customEvent(QEvent *event) override
    {
        if (event->type() == EVENT_PAGE_CLOSED)
            ++closedEvents;
    }
};

// A device frame with this command and payload and a correct checksum.
inline QByteArray frame(uchar command, const QByteArray &payload)
{
    QByteArray f(payload.size() + 7, 0);
    if (!payload.isEmpty())
        std::memcpy(f.data() + 6, payload.constData(), size_t(payload.size()));
    buildFrame(reinterpret_cast<uchar *>(f.data()), command, uint(payload.size()));
    return f;
}

// The device's answer to a preset request: the preset, then the block.
inline QByteArray configReply(uchar preset, const QByteArray &blockBytes)
{
    return frame(CMD_READ_PRESET, QByteArray(1, char(preset)) + blockBytes);
}

// Whether a page shows what it read: a page waiting for its device disables
// what it shows (every widget right under it), never itself.
inline bool contentEnabled(QWidget *page)
{
    for (QWidget *w : page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!w->isWindow() && !w->isEnabled())
            return false;
    }
    return page->isEnabled();
}

// Rows "road" and "shown" (the preset shown after it) of the roads by which a
// page comes to show a preset whose whole block it does not hold: a switch
// from the list whose reply is lost or cut short, a switch on the device, a
// factory reset the device leaves unanswered (from preset 2).
inline void addUnheldBlockRoads()
{
    QTest::addColumn<QString>("road");
    QTest::addColumn<int>("shown");
    QTest::newRow("list") << QStringLiteral("list") << 1;
    QTest::newRow("list, cut reply") << QStringLiteral("cut") << 1;
    QTest::newRow("device") << QStringLiteral("device") << 1;
    QTest::newRow("unanswered factory reset") << QStringLiteral("reset") << 2;
}

// The texts of the fading messages a widget shows.
inline QStringList toastTexts(QWidget *page)
{
    QStringList out;
    for (AutoDisapperMsgBox *box : page->findChildren<AutoDisapperMsgBox *>())
        out << box->text();
    return out;
}

} // namespace tavrotest
