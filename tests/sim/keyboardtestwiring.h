// How the keyboard controller reports its controls in test mode, written from
// the self-test's step table (which LED or pad colour marks a control, which
// data1 the control reports), not from the self-test's own tables: so a wrong
// LED in the self-test shows up as a press of the wrong control.
#pragma once

#include "simtestmode.h"

#include <cstdint>

namespace tavrosim {

// The message of the keyboard for a press of the control under the last light
// it was given: a button's test LED (0x80, 0x81, 0x19, 0x1B, 0x1D, 0x1F, 0x18,
// 0x1A, 0x1C, 0x1E report controls 10, 11, 13, 15, 17, 19, 12, 14, 16, 18 as
// control changes) or one pad's colour (indexes 4 to 7 and 0 to 3 report 20
// to 27 as note-ons). Empty when that light is dark or marks no control (the
// display LEDs, the lamp 0x25, all pads at once).
inline Bytes keyboardPressLit(const SimTestMode &test, uint8_t value)
{
    if (test.lights.empty())
        return {};
    const SimTestMode::Light &light = test.lights.back();
    const Bytes &p = light.payload;
    if (light.command == kCmdTestLed && p.size() >= 4) {
        if (p[1] == 0 && p[2] == 0 && p[3] == 0)
            return {};
        static const uint8_t leds[][2] = {{0x80, 10}, {0x81, 11}, {0x19, 13}, {0x1B, 15}, {0x1D, 17},
                                          {0x1F, 19}, {0x18, 12}, {0x1A, 14}, {0x1C, 16}, {0x1E, 18}};
        for (const auto &l : leds) {
            if (l[0] == p[0])
                return {0xB0, l[1], value};
        }
        return {};
    }
    if (light.command == kCmdPadColours && p.size() >= 55 && p[0] < 8) {
        const size_t at = 1 + 3 * size_t(p[0]);
        if (p[at] == 0 && p[at + 1] == 0 && p[at + 2] == 0)
            return {};
        const uint8_t control = uint8_t(p[0] >= 4 ? 16 + p[0] : 24 + p[0]);
        return {0x90, control, value};
    }
    return {};
}

} // namespace tavrosim
