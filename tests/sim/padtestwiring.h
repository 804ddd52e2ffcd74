// How the pad controllers report their controls in test mode, written from
// the self-test's step table (which LED marks a control, which data1 the
// control reports), not from the editor's key table: so a wrong LED in the
// editor shows up as a press of the wrong control.
#pragma once

#include "simtestmode.h"

#include <cstdint>

namespace tavrosim {

struct PadPress
{
    uint8_t status = 0; // 0x90 note-on for a pad, 0xB0 control change otherwise; 0: nothing lit
    uint8_t data1 = 0;
    uint8_t data2 = 0;
    uint32_t message() const { return uint32_t(status) | uint32_t(data1) << 8 | uint32_t(data2) << 16; }
};

// The control under test LED `led` of a pad model (7 or 8), pressed with
// `value`. Buttons: LED 0..5 report 8..13, LED 6..9 report 16..19 and LEDs
// 0x91 and 0x90 report 14 and 15 (model 7 only); pads: LED 0x80 + k reports
// 20 + k. An LED that marks no control gives status 0.
inline PadPress pressLit(int model, uint8_t led, uint8_t value)
{
    PadPress p;
    p.data2 = value;
    if (led >= 0x80 && led <= 0x8F) {
        p.status = 0x90;
        p.data1 = uint8_t(20 + (led - 0x80));
    } else if (led <= 5) {
        p.status = 0xB0;
        p.data1 = uint8_t(8 + led);
    } else if (model == 7 && led >= 6 && led <= 9) {
        p.status = 0xB0;
        p.data1 = uint8_t(10 + led);
    } else if (model == 7 && (led == 0x90 || led == 0x91)) {
        p.status = 0xB0;
        p.data1 = led == 0x91 ? 14 : 15;
    }
    return p;
}

// The message of a pad model's unit for a press of the control under the last
// lit test LED: empty when none is lit.
inline Bytes padPressLit(int model, const SimTestMode &test, uint8_t value)
{
    const int led = test.lastLed();
    if (led < 0)
        return {};
    const PadPress p = pressLit(model, uint8_t(led), value);
    if (p.status == 0)
        return {};
    return {p.status, p.data1, p.data2};
}

} // namespace tavrosim
