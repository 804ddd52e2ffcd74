// Model 9, the keyboard controller: its 30-byte record answers the poll and
// takes writes; saves and factory resets are answered. Its 755-byte blocks,
// preset reads and section writes are still to come (they start as zeros and
// read-preset requests go unanswered).
#pragma once

#include "keyboardtestwiring.h"
#include "simmodel.h"

namespace tavrosim {

Bytes keyboardFactoryRecord();

class SimKeyboardModel : public SimBlockModel
{
public:
    explicit SimKeyboardModel(const DeviceIdentity &id) : SimBlockModel(id, 755, sysrec::kKeyboardSize) {}

    // Test mode: byte 26 bit 7 is the Bluetooth link (no MIDI cable).
    SimStatusBits statusBits() const override { return {26, 0, 0x80}; }
    Bytes pressLit(const SimTestMode &test, uint8_t value) const override { return keyboardPressLit(test, value); }

protected:
    Bytes factoryRecord() const override { return keyboardFactoryRecord(); }
    bool readsPresets() const override { return false; }
};

} // namespace tavrosim
