// The keyboard's SysEx pool: its visiting order over the block's records and
// the pack and unpack over it (kept apart from the rest of the block's code,
// so that the preset-file reader needs nothing else).
#include "vx18config.h"

namespace vx18 {

pagekit::PoolList poolVisitingOrder(SVX18ConfigData &block, SysexTextStore &store)
{
    pagekit::PoolList order;
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyData[k].mode() == kKeySysexMode)
            order.push_back({&block.KeyData[k].ctrl, store.keyText[k], -1});
    }
    for (uint k = 0; k < kKeys; ++k) {
        if (block.KeyLongData[k].mode() == kKeySysexMode)
            order.push_back({&block.KeyLongData[k].ctrl, store.keyLongText[k], -1});
    }
    for (uint b = 0; b < kBanks; ++b) {
        for (uint p = 0; p < kPadsPerBank; ++p) {
            if (block.PadData[b][p].mode() == kPadSysexMode)
                order.push_back({&block.PadData[b][p].ctrl, store.padText[b][p], int(b)});
        }
    }
    return order;
}

void unpackSysexPool(SVX18ConfigData &block, SysexTextStore &store)
{
    store.poolFill = std::uint16_t(pagekit::expandSysexPool(block.SysexPool, kPoolSize, poolVisitingOrder(block, store)));
}

pagekit::SPackResult packSysexPool(SVX18ConfigData &block, SysexTextStore &store)
{
    pagekit::SPackResult r = pagekit::packSysexPool(block.SysexPool, kPoolSize, poolVisitingOrder(block, store));
    store.poolFill = std::uint16_t(r.used);
    return r;
}

} // namespace vx18
