// Model 9, the keyboard controller (25 keys, 8 knobs and 8 pads in 4 banks, 3
// buttons, slide, pitch bend and pedal): eight 755-byte blocks with flash
// copies, the 30-byte record, the section writes, the keybed read and the
// preset reads.
#pragma once

#include "keyboardtestwiring.h"
#include "simmodel.h"

namespace tavrosim {

// The keyboard's configuration block as the device stores it: raw bytes at
// these offsets.
namespace kbblock {
constexpr size_t kSize = 755;
constexpr size_t kWheelPedal = 0;   // 10 bytes: slide, pitch bend, pedal
constexpr size_t kWheelPedalSize = 10;
constexpr size_t kKnobs = 10;       // 4 banks x 8 knobs x 5 bytes
constexpr size_t kPads = 170;       // 4 banks x 8 pads x 4 bytes
constexpr size_t kPadColours = 298; // 4 banks x 8 pads x 3 bytes (G, R, B)
constexpr size_t kKeys = 394;       // 3 buttons x 5 bytes, then 3 long presses x 5
constexpr size_t kKeysSize = 30;
constexpr size_t kPool = 424;
constexpr size_t kPoolSize = 300;
constexpr size_t kKeybed = 724;     // channel, transpose, octave, velocities, 25 keys
constexpr size_t kKeybedSize = 30;
constexpr size_t kCrc = 754;
constexpr size_t kBanks = 4;
constexpr size_t knob(size_t bank, size_t k) { return kKnobs + 40 * bank + 5 * k; }
constexpr size_t pad(size_t bank, size_t p) { return kPads + 32 * bank + 4 * p; }
constexpr size_t padColour(size_t bank, size_t p) { return kPadColours + 24 * bank + 3 * p; }
} // namespace kbblock

// Keyboard-only commands.
enum : uint8_t {
    kCmdWriteWheelPedal = 0x20,
    kCmdWriteKeybed = 0x21,
    kCmdReadKeybed = 0x22,
};

// The factory contents: every preset on its own channel, so that a test can
// tell which one it was given.
Bytes factoryKeyboardBlock(int preset);
Bytes keyboardFactoryRecord();

class SimKeyboardModel : public SimBlockModel
{
public:
    explicit SimKeyboardModel(const DeviceIdentity &id) : SimBlockModel(id, kbblock::kSize, sysrec::kKeyboardSize) {}

    // Test mode: byte 26 bit 7 is the Bluetooth link (no MIDI cable).
    SimStatusBits statusBits() const override { return {26, 0, 0x80}; }
    Bytes pressLit(const SimTestMode &test, uint8_t value) const override { return keyboardPressLit(test, value); }

protected:
    Bytes factoryBlock(int preset) const override { return factoryKeyboardBlock(preset); }
    Bytes factoryRecord() const override { return keyboardFactoryRecord(); }
    bool handleSection(uint8_t command, const Bytes &payload, SimOutcome &out) override;
};

} // namespace tavrosim
