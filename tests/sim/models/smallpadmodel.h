// Model 8, the small pad controller (16 pads in 3 banks, 3 buttons): eight
// 679-byte blocks with flash copies and its 32-byte record, whose preset is
// byte 3 and whose bytes 30 and 31 are the device's own. Record writes are
// not echoed.
#pragma once

#include "padtestwiring.h"
#include "simmodel.h"

namespace tavrosim {

// The small pad controller's configuration block: raw bytes at these offsets.
namespace smallpadblock {
constexpr size_t kSize = 679;
constexpr size_t kPads = 0;               // 3 banks x 16 pads x 4 bytes
constexpr size_t kPadColours = 192;       // 3 banks x 16 pads x 3 bytes (G, R, B)
constexpr size_t kKeys = 336;             // 3 buttons x 4 bytes, short press
constexpr size_t kKeysLong = 348;         // 3 buttons x 4 bytes, long press
constexpr size_t kKnobModeColours = 360;  // 3 x 3
constexpr size_t kPadModeColours = 369;   // 3 x 3
constexpr size_t kPool = 378;             // 300 bytes
constexpr size_t kPoolSize = 300;
constexpr size_t kCrc = 678;
constexpr size_t kBanks = 3;
constexpr size_t pad(size_t bank, size_t p) { return kPads + 64 * bank + 4 * p; }
constexpr size_t padColour(size_t bank, size_t p) { return kPadColours + 48 * bank + 3 * p; }
} // namespace smallpadblock

// The small pad controller's record.
namespace smallpadrec {
constexpr size_t kPadBank = 2;
constexpr size_t kPreset = 3;
constexpr size_t kThresholds = 10; // 16 bytes
constexpr size_t kDeviceBytes = 30; // bytes 30 and 31 are never taken from a write
} // namespace smallpadrec

// The factory contents: every preset on its own channel, so that a test can
// tell which one it was given; every field in range.
Bytes factorySmallPadBlock(int preset);
Bytes smallPadFactoryRecord();

class SimSmallPadModel : public SimBlockModel
{
public:
    explicit SimSmallPadModel(const DeviceIdentity &id) : SimBlockModel(id, smallpadblock::kSize, sysrec::kPadSize) {}

    // Test mode: byte 28 bit 7 is the Bluetooth link (no MIDI cable).
    SimStatusBits statusBits() const override { return {28, 0, 0x80}; }
    Bytes pressLit(const SimTestMode &test, uint8_t value) const override { return padPressLit(8, test, value); }

protected:
    Bytes factoryBlock(int preset) const override { return factorySmallPadBlock(preset); }
    Bytes factoryRecord() const override { return smallPadFactoryRecord(); }
    size_t presetByte() const override { return smallpadrec::kPreset; }
    size_t takenRecordBytes() const override { return smallpadrec::kDeviceBytes; }
    bool echoesRecordWrites() const override { return false; }
    bool handleSection(uint8_t command, const Bytes &payload, SimOutcome &out) override;
};

} // namespace tavrosim
