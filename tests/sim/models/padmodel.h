// Model 7, the pad controller (16 pads in 3 banks, 8 knobs in 3 groups, 6
// buttons): eight 823-byte blocks with flash copies and the 32-byte record.
#pragma once

#include "padtestwiring.h"
#include "simmodel.h"

namespace tavrosim {

// The pad controller's configuration block as the device stores it: raw bytes
// at these offsets.
namespace padblock {
constexpr size_t kSize = 823;
constexpr size_t kKnobs = 0;        // 3 groups x 8 knobs x 5 bytes
constexpr size_t kPads = 120;       // 3 banks x 16 pads x 4 bytes
constexpr size_t kPadColours = 312; // 3 banks x 16 pads x 3 bytes (G, R, B)
constexpr size_t kKeys = 456;       // 6 buttons x 4 bytes
constexpr size_t kKeysLong = 480;   // 6 buttons x 4 bytes
constexpr size_t kKnobModeColours = 504; // 3 x 3
constexpr size_t kPadModeColours = 513;  // 3 x 3
constexpr size_t kPool = 522;       // 300 bytes
constexpr size_t kPoolSize = 300;
constexpr size_t kCrc = 822;
constexpr size_t kBanks = 3;
constexpr size_t kPresets = 8;
constexpr size_t knob(size_t group, size_t k) { return kKnobs + 40 * group + 5 * k; }
constexpr size_t pad(size_t bank, size_t p) { return kPads + 64 * bank + 4 * p; }
constexpr size_t padColour(size_t bank, size_t p) { return kPadColours + 48 * bank + 3 * p; }
} // namespace padblock

// The factory contents: every preset on its own channel, so that a test can
// tell which one it was given.
Bytes factoryPadBlock(int preset);
Bytes padFactoryRecord();

class SimPadModel : public SimBlockModel
{
public:
    explicit SimPadModel(const DeviceIdentity &id) : SimBlockModel(id, padblock::kSize, sysrec::kPadSize) {}

    // Test mode: byte 29 bit 6 is the MIDI cable, bit 7 the Bluetooth link.
    SimStatusBits statusBits() const override { return {29, 0x40, 0x80}; }
    Bytes pressLit(const SimTestMode &test, uint8_t value) const override { return padPressLit(7, test, value); }

protected:
    Bytes factoryBlock(int preset) const override { return factoryPadBlock(preset); }
    Bytes factoryRecord() const override { return padFactoryRecord(); }
    bool handleSection(uint8_t command, const Bytes &payload, SimOutcome &out) override;
};

} // namespace tavrosim
