// The pad controller's own helper for tests that drive its page without a
// device: its system record. The model-free helpers (recording owner, frames,
// fading messages) are in recordingowner.h.
#pragma once

#include <QByteArray>

#include "recordingowner.h"

namespace tavrotest {

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

} // namespace tavrotest
