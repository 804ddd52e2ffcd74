#include "padmodel.h"

#include <algorithm>

namespace tavrosim {

namespace {

void putGRB(Bytes &b, size_t at, uint8_t g, uint8_t r, uint8_t bl)
{
    b[at] = g;
    b[at + 1] = r;
    b[at + 2] = bl;
}

uint8_t blockSum(const Bytes &b)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < padblock::kCrc; ++i)
        sum += b[i];
    return uint8_t(sum & 0xFF);
}

} // namespace

Bytes factoryPadBlock(int preset)
{
    using namespace padblock;
    Bytes b(kSize, 0);
    const uint8_t ch = uint8_t(preset & 0x0F); // each preset on its own channel
    for (size_t g = 0; g < kBanks; ++g) {
        for (size_t k = 0; k < 8; ++k) {
            const size_t at = knob(g, k);
            b[at] = ch;                          // mode 0 "CC"
            b[at + 1] = uint8_t(20 + 8 * g + k); // controller
            b[at + 2] = 0;
            b[at + 3] = 127;
            b[at + 4] = 2;                       // speed "Normal"
        }
    }
    for (size_t bank = 0; bank < kBanks; ++bank) {
        for (size_t p = 0; p < 16; ++p) {
            const size_t at = pad(bank, p);
            b[at] = ch;                          // mode 0 "Note"
            b[at + 1] = uint8_t(36 + 16 * bank + p);
            b[at + 2] = 0;
            b[at + 3] = 127;
            const size_t c = padColour(bank, p);
            if (bank == 0)
                putGRB(b, c, 0xFF, 0x00, 0x00);
            else if (bank == 1)
                putGRB(b, c, 0x00, 0xFF, 0x00);
            else
                putGRB(b, c, 0x00, 0x00, 0xFF);
        }
    }
    for (size_t k = 0; k < 6; ++k) {
        const size_t at = kKeys + 4 * k;
        b[at] = ch;                              // mode 0 "CC"
        b[at + 1] = uint8_t(102 + k);
        b[at + 2] = 127;
        b[kKeysLong + 4 * k] = uint8_t(0x60 | ch); // mode 6 "None"
    }
    putGRB(b, kKnobModeColours + 0, 0xFF, 0xFF, 0x00);
    putGRB(b, kKnobModeColours + 3, 0x00, 0xFF, 0xFF);
    putGRB(b, kKnobModeColours + 6, 0xFF, 0x00, 0xFF);
    putGRB(b, kPadModeColours + 0, 0xFF, 0x00, 0x00);
    putGRB(b, kPadModeColours + 3, 0x00, 0xFF, 0x00);
    putGRB(b, kPadModeColours + 6, 0x00, 0x00, 0xFF);
    b[kCrc] = blockSum(b);
    return b;
}

Bytes padFactoryRecord()
{
    Bytes r(sysrec::kPadSize, 0);
    r[0] = 120;                    // tempo 120
    r[6] = 4;                      // division 1/16
    r[7] = 50;                     // gate 50 %
    r[8] = 50;                     // swing off
    r[10] = 15;                    // after-touch delay 30
    std::fill(r.begin() + sysrec::kPadThresholds, r.begin() + sysrec::kPadThresholds + 16, uint8_t(45));
    r[28] = 127;                   // full-level velocity
    return r;
}

bool SimPadModel::handleSection(uint8_t command, const Bytes &payload, SimOutcome &out)
{
    using namespace padblock;
    Bytes &b = current();
    const size_t n = payload.size();
    const Bytes &sys = systemRecord();
    switch (command) {
    case kCmdPadColours: {
        if (n != 55)
            return wrongSize(out, n, 55);
        const size_t bank = sys[sysrec::kPadBank];
        const size_t group = sys[sysrec::kKnobGroup];
        if (bank >= kBanks || group >= kBanks) {
            out.note = "ignored: current pad bank or knob group out of range";
            return true;
        }
        if (payload[0] != 0xFF && payload[0] >= 16) {
            out.note = "ignored: pad index out of range";
            return true;
        }
        std::copy_n(payload.begin() + 1, 48, b.begin() + long(padColour(bank, 0)));
        std::copy_n(payload.begin() + 49, 3, b.begin() + long(kKnobModeColours + 3 * group));
        std::copy_n(payload.begin() + 52, 3, b.begin() + long(kPadModeColours + 3 * bank));
        return true;
    }
    case kCmdWriteKeys:
        return writeSection(b, kKeys, payload, 48, out);
    case kCmdWritePads:
        return writeSlot(b, kPads, 64, kBanks, payload, "pad bank", out);
    case kCmdWriteKnobs:
        return writeSlot(b, kKnobs, 40, kBanks, payload, "knob group", out);
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
