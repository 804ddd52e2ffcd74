#include "smallpadmodel.h"

#include <algorithm>

namespace tavrosim {

Bytes factorySmallPadBlock(int preset)
{
    using namespace smallpadblock;
    Bytes b(kSize, 0);
    const uint8_t ch = uint8_t(preset & 0x0F); // each preset on its own channel
    const uint8_t bankColours[kBanks][3] = {{0x00, 0xFF, 0x00}, {0xFF, 0x00, 0x00}, {0x00, 0x00, 0xFF}}; // G, R, B
    for (size_t bank = 0; bank < kBanks; ++bank) {
        for (size_t p = 0; p < 16; ++p) {
            const size_t at = pad(bank, p);
            b[at] = ch; // mode 0 "Note"
            b[at + 1] = uint8_t(36 + 16 * bank + p);
            b[at + 2] = 0;
            b[at + 3] = 127;
            std::copy_n(bankColours[bank], 3, b.begin() + long(padColour(bank, p)));
        }
        std::copy_n(bankColours[bank], 3, b.begin() + long(kPadModeColours + 3 * bank));
        b[kKnobModeColours + 3 * bank + 2] = uint8_t(0x40 * (bank + 1));
    }
    for (size_t k = 0; k < 3; ++k) {
        b[kKeys + 4 * k] = ch; // mode 0 "CC"
        b[kKeys + 4 * k + 1] = uint8_t(102 + k);
        b[kKeys + 4 * k + 2] = 127;
        b[kKeysLong + 4 * k] = uint8_t(0x60 | ch); // mode 6 "None"
    }
    uint32_t sum = 0;
    for (size_t i = 0; i < kCrc; ++i)
        sum += b[i];
    b[kCrc] = uint8_t(sum);
    return b;
}

Bytes smallPadFactoryRecord()
{
    Bytes r(sysrec::kPadSize, 0);
    r[0] = 120;  // tempo 120
    r[5] = 4;    // division 1/16
    r[6] = 50;   // gate 50 %
    r[7] = 50;   // swing off
    r[9] = 15;   // after-touch delay 30 ms
    std::fill_n(r.begin() + long(smallpadrec::kThresholds), 16, uint8_t(45));
    r[27] = 127; // full-level velocity
    r[30] = 0x5A; // the device's own bytes
    r[31] = 0xA5;
    return r;
}

bool SimSmallPadModel::handleSection(uint8_t command, const Bytes &payload, SimOutcome &out)
{
    using namespace smallpadblock;
    Bytes &b = current();
    const size_t n = payload.size();
    switch (command) {
    case kCmdPadColours: {
        if (n != 55)
            return wrongSize(out, n, 55);
        const size_t bank = systemRecord()[smallpadrec::kPadBank];
        if (bank >= kBanks) {
            out.note = "ignored: current pad bank out of range";
            return true;
        }
        if (payload[0] != 0xFF && payload[0] >= 16) {
            out.note = "ignored: pad index out of range";
            return true;
        }
        std::copy_n(payload.begin() + 1, 48, b.begin() + long(padColour(bank, 0)));
        std::copy_n(payload.begin() + 49, 3, b.begin() + long(kKnobModeColours + 3 * bank));
        std::copy_n(payload.begin() + 52, 3, b.begin() + long(kPadModeColours + 3 * bank));
        return true;
    }
    case kCmdWriteKeys:
        return writeSection(b, kKeys, payload, 24, out);
    case kCmdWritePads:
        return writeSlot(b, kPads, 64, kBanks, payload, "pad bank", out);
    case kCmdWriteModeColours:
        return writeSection(b, kKnobModeColours, payload, 18, out);
    case kCmdWriteConfig:
        return writeSection(b, 0, payload, kSize, out);
    case kCmdWriteSysexPool:
        return writeSysexPool(b, kPool, kPoolSize, payload, out);
    default:
        return false;
    }
}

} // namespace tavrosim
