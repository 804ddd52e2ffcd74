#include "keyboardmodel.h"

#include <algorithm>

namespace tavrosim {

Bytes keyboardFactoryRecord()
{
    Bytes r(sysrec::kKeyboardSize, 0);
    r[0] = 120;                // tempo 120
    r[7] = 4;                  // division 1/16
    r[8] = 50;                 // gate 50 %
    r[9] = 50;                 // swing off
    r[11] = 15;                // after-touch delay 30
    std::fill(r.begin() + sysrec::kKeyboardThresholds, r.begin() + sysrec::kKeyboardThresholds + 8, uint8_t(45));
    r[20] = 127;               // full-level velocity
    return r;
}

} // namespace tavrosim
