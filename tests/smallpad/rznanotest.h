// Helpers of the small pad page's tests: a plausible system record and block,
// and the page opened on them without a device.
#pragma once

#include <QByteArray>

#include "bytes.h"
#include "devices/smallpad/cdlgrznano.h"
#include "recordingowner.h"
#include "ui_cdlgrznano.h"

namespace rznanotest {

// Tempo 120, gate 50, swing off, delay 15, thresholds 45, full level 127, on
// the given preset.
inline QByteArray systemRecord(uchar preset = 0)
{
    QByteArray r(32, 0);
    r[0] = char(120);
    r[3] = char(preset);
    r[5] = 4;
    r[6] = 50;
    r[7] = 50;
    r[9] = 15;
    for (int i = 10; i < 26; ++i)
        r[i] = 45;
    r[27] = 127;
    return r;
}

// Bank b's pads play notes 36 + 16 b + p on channel 0 in red, green or blue;
// the bank colours are shades of blue.
inline QByteArray block()
{
    QByteArray b(679, 0);
    for (int bank = 0; bank < 3; ++bank) {
        for (int p = 0; p < 16; ++p) {
            const int at = 64 * bank + 4 * p;
            b[at + 1] = char(36 + 16 * bank + p);
            b[at + 3] = 127;
            b[192 + 48 * bank + 3 * p + (bank == 0 ? 1 : bank == 1 ? 0 : 2)] = char(0xFF);
        }
        b[360 + 3 * bank] = char(0x10 * (bank + 1));
        b[369 + 3 * bank + 2] = char(0x40 * (bank + 1));
    }
    return b;
}

// The page after its first system record and block, with its frames
// forgotten.
struct Opened
{
    tavrotest::RecordingOwner owner;
    cDlgRznano page{&owner};
    explicit Opened(const QByteArray &sys = systemRecord(), const QByteArray &blk = block())
    {
        feed(tavrotest::frame(CMD_SYSTEM_CONFIG, sys));
        feed(tavrotest::configReply(uchar(sys[3]), blk)); // the block of the record's preset
        owner.frames.clear();
    }
    void feed(const QByteArray &f) { page.Slots_recv_frame(tavrotest::u8(f), uint(f.size())); }
    Ui_cDlgRznano *ui() { return page.form(); }
    QList<int> commands() const
    {
        QList<int> out;
        for (const QByteArray &f : owner.frames)
            out << uchar(f[2]);
        return out;
    }
};

} // namespace rznanotest
