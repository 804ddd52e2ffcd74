// Model 8, the small pad controller: its 32-byte record answers the poll and
// takes writes; saves and factory resets are answered. Its 679-byte blocks,
// preset reads and section writes are still to come (they start as zeros and
// read-preset requests go unanswered).
#pragma once

#include "simmodel.h"

namespace tavrosim {

class SimSmallPadModel : public SimBlockModel
{
public:
    explicit SimSmallPadModel(const DeviceIdentity &id) : SimBlockModel(id, 679, sysrec::kPadSize) {}

protected:
    Bytes factoryRecord() const override;
    bool readsPresets() const override { return false; }
};

} // namespace tavrosim
