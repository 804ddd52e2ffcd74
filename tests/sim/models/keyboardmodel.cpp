#include "keyboardmodel.h"

#include <algorithm>

namespace tavrosim {

Bytes factoryKeyboardBlock(int preset)
{
    using namespace kbblock;
    Bytes b(kSize, 0);
    const uint8_t ch = uint8_t(preset & 0x0F); // each preset on its own channel
    const uint8_t wheel[kWheelPedalSize] = {ch, 1, 0, 127, ch, 0, ch, 64, 0, 127};
    std::copy(wheel, wheel + kWheelPedalSize, b.begin());
    for (size_t bank = 0; bank < kBanks; ++bank) {
        for (size_t k = 0; k < 8; ++k) {
            const size_t at = knob(bank, k);
            b[at] = ch;                             // mode 0 "CC"
            b[at + 1] = uint8_t(20 + 8 * bank + k); // controller
            b[at + 2] = 0;
            b[at + 3] = 127;
            b[at + 4] = 2;                          // speed "Normal"
        }
        for (size_t p = 0; p < 8; ++p) {
            const size_t at = pad(bank, p);
            b[at] = ch;                             // mode 0 "Note"
            b[at + 1] = uint8_t(36 + 8 * bank + p);
            b[at + 2] = 0;
            b[at + 3] = 127;
            const size_t c = padColour(bank, p);    // G, R, B: bank 0 green, 1 red, 2 blue, 3 white
            b[c] = (bank == 0 || bank == 3) ? 0xFF : 0;
            b[c + 1] = (bank == 1 || bank == 3) ? 0xFF : 0;
            b[c + 2] = (bank == 2 || bank == 3) ? 0xFF : 0;
        }
    }
    for (size_t k = 0; k < 3; ++k) {
        b[kKeys + 5 * k] = ch;                      // press: mode 0 "CC"
        b[kKeys + 5 * k + 1] = uint8_t(102 + k);
        b[kKeys + 5 * k + 2] = 127;
        b[kKeys + 15 + 5 * k] = uint8_t(0x60 | ch); // long press: mode 6 "None"
    }
    b[kKeybed] = ch;
    b[kKeybed + 4] = 127;                           // velocities 0..127
    for (size_t k = 0; k < 25; ++k)
        b[kKeybed + 5 + k] = uint8_t(48 + k);       // notes, switches off
    b[kCrc] = uint8_t(0xA0 | preset); // the device's own byte, carried by the editor
    return b;
}

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

bool SimKeyboardModel::handleSection(uint8_t command, const Bytes &payload, SimOutcome &out)
{
    using namespace kbblock;
    Bytes &b = current();
    const size_t n = payload.size();
    switch (command) {
    case kCmdWriteWheelPedal:
        return writeSection(b, kWheelPedal, payload, kWheelPedalSize, out);
    case kCmdWriteKeybed:
        return writeSection(b, kKeybed, payload, kKeybedSize, out);
    case kCmdReadKeybed:
        if (n != 0)
            return wrongSize(out, n, 0);
        out.replies.push_back(makeFrame(kCmdReadKeybed, Bytes(b.begin() + long(kKeybed),
                                                              b.begin() + long(kKeybed + kKeybedSize))));
        return true;
    case kCmdPadColours: {
        // [pad or FF] + the 8 colours of the device's current pad bank.
        if (n != 25)
            return wrongSize(out, n, 25);
        const size_t bank = systemRecord()[sysrec::kPadBank];
        if (bank >= kBanks || (payload[0] != 0xFF && payload[0] >= 8)) {
            out.note = "ignored: pad bank or pad index out of range";
            return true;
        }
        std::copy(payload.begin() + 1, payload.end(), b.begin() + long(padColour(bank, 0)));
        return true;
    }
    case kCmdWriteKeys:
        return writeSection(b, kKeys, payload, kKeysSize, out);
    case kCmdWritePads:
        return writeSlot(b, kPads, 32, kBanks, payload, "pad bank", out);
    case kCmdWriteKnobs:
        return writeSlot(b, kKnobs, 40, kBanks, payload, "knob bank", out);
    case kCmdWriteConfig:
        return writeSection(b, 0, payload, kSize, out);
    case kCmdWriteSysexPool:
        return writeSysexPool(b, kPool, kPoolSize, payload, out);
    default:
        return false;
    }
}

} // namespace tavrosim
