// Rules of the pad controller's per-control dialog that need no window: how the
// dialog's fields become record bytes, how the typed MIDI byte text becomes a
// control's message, and the three set-all actions on a block.
#pragma once

#include "rz7config.h"

#include <QString>

namespace rz7dlg {

// What the dialog edits.
enum ControlKind : int {
    KindKnob = 0,
    KindPad = 1,
    KindButton = 2,
};

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
// Button modes the lists carry beyond the numbers of the pads.
constexpr uint kKeyModeMmc = 4;
constexpr uint kKeyModeNone = 6;

// ---- type lists -------------------------------------------------------------

// Stored mode of a button record for an index of its type list. A list without
// "MMC" (the long-press list and the fifth button's list) skips mode 4, so its
// indexes above 3 are one below the mode.
uint keyModeFromIndex(int index, bool listWithoutMmc);
// The reverse: the list index that shows a stored mode.
int keyIndexFromMode(uint mode, bool listWithoutMmc);

// The Customize mode of a kind: 4 for pads, 5 for buttons (and anything else).
uint customizeMode(int kind);
// Byte 3 of the record when its mode is the Customize mode of the kind, else 0.
uchar sysexLength(const SControlRecord &rec, int kind);

// The value the data1 list shows for a stored record: byte 3 (the program) for
// a pad in Program Change, byte 1 otherwise.
uchar shownData1(const SControlRecord &rec, int kind);

// ---- writing the fields on OK -------------------------------------------------

// Fields of the dialog as the user confirmed them: combo indexes, the mode being
// the stored mode (not the list index).
struct SFields
{
    uint mode = 0;
    uint channel = 0;
    bool flag = false;
    uint d1 = 0;
    uint d2 = 0;
    uint d3 = 0;
    uint d4 = 0;
};

// Writes a knob. Modes 0 and 1 refuse an equal minimum and maximum (false,
// record unchanged) and store them ordered; mode 2 stores left and right as
// given and keeps the speed byte.
bool storeKnob(SKnobRecord &rec, const SFields &f);
// Writes a pad in modes 0 to 3. Mode 0 refuses an equal minimum and maximum and
// stores them ordered; mode 3 stores d2, d3, d1 (bank MSB, bank LSB, program).
bool storePad(SControlRecord &rec, const SFields &f);
// Writes a button record in any mode but Customize: mode, flag, channel, d1..d3.
void storeKey(SControlRecord &rec, const SFields &f);

// ---- MIDI byte text ------------------------------------------------------------

enum class TextResult {
    Accepted,
    TooLong,   // more than 40 bytes
    PoolFull,  // the pool would hold more than 300 bytes
    Malformed, // not complete MIDI messages
};

struct SParsedText
{
    TextResult result = TextResult::Accepted;
    uint length = 0;
    uchar bytes[rz7::kSysexMax] = {};
};

// Turns typed text into bytes: only hexadecimal digits count, read in pairs
// from the start, a last lone digit making a byte of its own. The result is
// checked against 40 bytes, then against the pool (poolTotal bytes in use, of
// which oldLength are this control's current message; the pool test is skipped
// when poolTotal is below oldLength), then as a MIDI stream.
SParsedText parseSysexText(const QString &text, uint poolTotal, uint oldLength);

// Bytes as text: two uppercase hex digits and a blank per byte.
QString sysexText(const uchar *bytes, uint length);

// ---- set-all actions ------------------------------------------------------------

// Copies the colour of pad `pad` to all 16 pads of the bank.
void setAllPadColours(SRZ7ConfigData &block, uint bank, uint pad);
// Sets the channel of every control of a kind: the 8 knobs of group `bank`, the
// 16 pads of bank `bank` but those in Customize, or the 6 press (or long-press)
// records of the buttons but those in Customize. Mode and flag bits are kept.
// Returns the section to send.
SendKind setAllChannels(SRZ7ConfigData &block, int kind, uint bank, bool longPress, uint channel);
// Byte 1 of every pad of the bank not in Customize becomes data1 + p - pad,
// held to 0..127.
void setAllData1ByPadOrder(SRZ7ConfigData &block, uint bank, uint pad, int data1);

} // namespace rz7dlg
