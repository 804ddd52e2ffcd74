#include "crzm7dlg_rules.h"

namespace rz7dlg {

void setAllPadColours(SRZ7ConfigData &block, uint bank, uint pad)
{
    if (bank < rz7::kPadBanks)
        pagekit::setAllPadColours(block.PadRGB[bank], rz7::kPadsPerBank, pad);
}

SendKind setAllChannels(SRZ7ConfigData &block, int kind, uint bank, bool longPress, uint channel)
{
    switch (kind) {
    case KindKnob:
        if (bank >= rz7::kKnobGroups)
            return SendNothing;
        pagekit::setAllChannels(block.KnobData[bank], rz7::kKnobsPerGroup, channel);
        return SendKnobs;
    case KindPad:
        if (bank >= rz7::kPadBanks)
            return SendNothing;
        pagekit::setAllChannels(block.PadData[bank], rz7::kPadsPerBank, channel, rz7::kPadSysexMode);
        return SendPads;
    case KindButton:
        pagekit::setAllChannels(longPress ? block.KeyLongData : block.KeyData, rz7::kKeys, channel,
                                rz7::kKeySysexMode);
        return SendKeys;
    default:
        return SendNothing;
    }
}

void setAllData1ByPadOrder(SRZ7ConfigData &block, uint bank, uint pad, int data1)
{
    if (bank < rz7::kPadBanks)
        pagekit::setAllData1ByPadOrder(block.PadData[bank], rz7::kPadsPerBank, pad, data1,
                                       pagekit::kPadOrderSkipModes);
}

} // namespace rz7dlg
