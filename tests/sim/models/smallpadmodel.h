// Model 8, the small pad controller: its 32-byte record answers the poll and
// takes writes; saves and factory resets are answered. Its 679-byte blocks,
// preset reads and section writes are still to come (they start as zeros and
// read-preset requests go unanswered).
#pragma once

#include "padtestwiring.h"
#include "simmodel.h"

namespace tavrosim {

class SimSmallPadModel : public SimBlockModel
{
public:
    explicit SimSmallPadModel(const DeviceIdentity &id) : SimBlockModel(id, 679, sysrec::kPadSize) {}

    // Test mode: byte 28 bit 7 is the Bluetooth link (no MIDI cable).
    SimStatusBits statusBits() const override { return {28, 0, 0x80}; }
    Bytes pressLit(const SimTestMode &test, uint8_t value) const override { return padPressLit(8, test, value); }

protected:
    Bytes factoryRecord() const override;
    bool readsPresets() const override { return false; }
};

} // namespace tavrosim
