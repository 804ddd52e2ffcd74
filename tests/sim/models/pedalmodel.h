// Model 1, the foot pedal above firmware 4 (the older generation is
// oldpedalmodel.h): a poll returns the whole 4,930-byte configuration image.
// The image starts as zeros; the page's frames are still to come (they go
// unanswered), and a factory reset clears the image without a reply.
#pragma once

#include "simmodel.h"

namespace tavrosim {

constexpr size_t kPedalImageSize = 4930;

class SimPedalModel : public SimImageModel
{
public:
    explicit SimPedalModel(const DeviceIdentity &id) : SimImageModel(id, kPedalImageSize) {}
};

} // namespace tavrosim
