// Model 1 above firmware 4 (the older generation is oldpedalmodel.h), the foot
// pedal with the 4,930-byte image: a poll returns the image; the page's
// setting, key-bank, switch, pool, expression, display, pass-through and
// Bluetooth frames change it; a factory reset brings back the default image
// without a reply. Frames of a wrong size are logged in the outcome's note and
// otherwise ignored.
#pragma once

#include "simmodel.h"

#include <string>
#include <vector>

namespace tavrosim {

constexpr size_t kPedalImageSize = 4930;

// Offsets of the image (the editor's z3config.h holds the same layout).
namespace z3image {
constexpr size_t kSize = kPedalImageSize;
constexpr size_t kPedalEntries = 0;
constexpr size_t kPedalCount = 64;
constexpr size_t kMode = 65;
constexpr size_t kDisplayChars = 66;
constexpr size_t kSwitches = 74;
constexpr size_t kKeys = 87;
constexpr size_t kPoolUsed = 4374;
constexpr size_t kPool = 4376;
constexpr size_t kPoolSize = 512;
constexpr size_t kMode1Max = 4920;
constexpr size_t kMode2Max = 4921;
constexpr size_t kGroupSelect = 4922;
constexpr size_t kBtMode = 4925;
constexpr size_t kPassThrough = 4928;
constexpr size_t key(size_t group, size_t k) { return kKeys + 536 * group + 134 * k; }
// The bytes the editor carries without using: each holds a marker of its own
// in the default image, so that a test sees them survive.
std::vector<size_t> unusedBytes();
} // namespace z3image

// The default image: mode 1, tone counts 128, one group, trigger types 1,
// switches latching (10/20/30/40), markers in every unused byte.
Bytes defaultZ3Image();

class SimPedalModel : public SimImageModel
{
public:
    explicit SimPedalModel(const DeviceIdentity &id);

    // Names a scan reports, one CMD_PEDAL_BLUETOOTH [0, name] each.
    void setScanNames(const std::vector<std::string> &names) { m_scanNames = names; }

    void factoryReset() override { m_image = defaultZ3Image(); }
    bool handleFrame(uint8_t command, const Bytes &payload, SimOutcome &out) override;

private:
    bool applyKeyBank(const Bytes &payload, SimOutcome &out);

    std::vector<std::string> m_scanNames;
};

} // namespace tavrosim
