// Model 1, the foot pedal, in its two firmware generations: a poll returns the
// whole configuration image, 4,930 bytes above firmware 4 and 1,184 bytes up
// to it. The image starts as zeros; the pages' frames are still to come (they
// go unanswered), and a factory reset clears the image without a reply.
#pragma once

#include "simmodel.h"

namespace tavrosim {

constexpr size_t kPedalImageSize = 4930;
constexpr size_t kOldPedalImageSize = 1184;

class SimPedalModel : public SimImageModel
{
public:
    explicit SimPedalModel(const DeviceIdentity &id) : SimImageModel(id, kPedalImageSize) {}
};

class SimOldPedalModel : public SimImageModel
{
public:
    explicit SimOldPedalModel(const DeviceIdentity &id) : SimImageModel(id, kOldPedalImageSize) {}
};

} // namespace tavrosim
