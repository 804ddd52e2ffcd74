// The pad controller's own rules of its per-control dialog: which section of
// the block an edit sends, which button has no MMC, and which span of the
// block a "to all" action covers. The field, text and set-all rules are the
// shared ones (devices/shared/controlrules.h).
#pragma once

#include "rz7config.h"
#include "devices/shared/controlrules.h"

namespace rz7dlg {

using namespace pagekit;

// The sections of the block a dialog changed, as told to the page.
enum SendKind : uchar {
    SendNothing = 0,
    SendKnobs = 1,
    SendKeys = 2,
    SendPads = 3,
    SendPoolPadsKeys = 4, // a button in Customize
    SendPoolKeysPads = 5, // a pad in Customize
};

// The button whose type list has no "MMC" and whose long press is not edited.
constexpr int kFifthButton = 4;

// Copies the colour of pad `pad` to all 16 pads of the bank.
void setAllPadColours(SRZ7ConfigData &block, uint bank, uint pad);
// Sets the channel of every control of a kind: the 8 knobs of group `bank`, the
// 16 pads of bank `bank` but those in Customize, or the 6 press (or long-press)
// records of the buttons but those in Customize. Mode and flag bits are kept.
// Returns the section to send.
SendKind setAllChannels(SRZ7ConfigData &block, int kind, uint bank, bool longPress, uint channel);
// Byte 1 of every Note and CC pad of the bank becomes data1 + p - pad, held to
// 0..127; Program Change and Customize pads keep theirs.
void setAllData1ByPadOrder(SRZ7ConfigData &block, uint bank, uint pad, int data1);

} // namespace rz7dlg
