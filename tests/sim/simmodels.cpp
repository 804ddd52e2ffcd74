// Which unit simulates which model: one line per unit.
#include "simmodel.h"

#include "models/keyboardmodel.h"
#include "models/padmodel.h"
#include "models/oldpedalmodel.h"
#include "models/pedalmodel.h"
#include "models/smallpadmodel.h"

namespace tavrosim {

namespace {

// The unit kinds; a firmware change that crosses kinds makes a new unit.
enum class Unit { Other, Pad, SmallPad, Keyboard, Pedal, OldPedal };

Unit unitOf(const DeviceIdentity &id)
{
    switch (id.model) {
    case 7: return Unit::Pad;
    case 8: return Unit::SmallPad;
    case 9: return Unit::Keyboard;
    case 1: return id.firmware > 4 ? Unit::Pedal : Unit::OldPedal;
    default: return Unit::Other;
    }
}

} // namespace

std::unique_ptr<SimModel> makeSimModel(const DeviceIdentity &id)
{
    switch (unitOf(id)) {
    case Unit::Pad: return std::make_unique<SimPadModel>(id);
    case Unit::SmallPad: return std::make_unique<SimSmallPadModel>(id);
    case Unit::Keyboard: return std::make_unique<SimKeyboardModel>(id);
    case Unit::Pedal: return std::make_unique<SimPedalModel>(id);
    case Unit::OldPedal: return std::make_unique<SimOldPedalModel>(id);
    case Unit::Other: break;
    }
    return std::make_unique<SimModel>(id);
}

bool sameSimModel(const DeviceIdentity &from, const DeviceIdentity &to)
{
    return unitOf(from) == unitOf(to);
}

} // namespace tavrosim
