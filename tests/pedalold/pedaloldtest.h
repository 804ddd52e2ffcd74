// Images of the older foot pedal for tests.
#pragma once

#include <QByteArray>

#include <cstring>

#include "devices/pedal_old/midiconfig.h"

namespace pedaloldtest {

// A valid image: the given preset, every switch "Down" with empty event lists,
// switch numbers in the mode bytes, all display characters "None".
inline SMIDIConfigData image(quint8 preset = 1)
{
    SMIDIConfigData c;
    std::memset(&c, 0, sizeof c);
    c.Preset = preset;
    for (int k = 0; k < pedalold::kSwitchCount; ++k) {
        c.SwitchData[k].Type = 1;
        c.SwitchData[k].Latch = quint8((k + 1) << 4);
    }
    return c;
}

inline QByteArray bytes(const SMIDIConfigData &c) { return c.toByteArray(); }

} // namespace pedaloldtest
