// Helpers for tests that drive the pad controller page without a device: an
// owner that records what the page sends, and frames the page receives.
#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QWidget>

#include <cstring>

#include "autodisappermsgbox.h"
#include "cbasedlg.h"
#include "deviceframe.h"

namespace tavrotest {

// Stands where the connection window stands: records every frame sent
// through it and every hand-back.
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
        return true;
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

    QList<QByteArray> frames;
    int backCalls = 0;
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

// A plausible pad system record: tempo 120, gate 50, swing off, delay 15,
// thresholds 45, on the given preset.
inline QByteArray systemRecord(uchar preset = 0)
{
    QByteArray r(32, 0);
    r[0] = char(120);
    r[4] = char(preset);
    r[6] = 4;
    r[7] = 50;
    r[8] = 50;
    r[10] = 15;
    for (int i = 11; i < 27; ++i)
        r[i] = 45;
    r[28] = 127;
    return r;
}

// The device's answer to a preset request: the preset, then the block.
inline QByteArray configReply(uchar preset, const QByteArray &blockBytes)
{
    return frame(CMD_READ_PRESET, QByteArray(1, char(preset)) + blockBytes);
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
