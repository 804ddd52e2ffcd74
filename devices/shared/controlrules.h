// Rules of the per-control dialogs of the pad, small pad and keyboard pages
// that need no window: how the dialog's fields become record bytes, how the
// typed MIDI byte text becomes a control's message, and the "to all" actions
// over spans of records.
//
// How a page's dialog uses it: on OK it fills an SFields from its lists (the
// mode as stored, not as listed; keyModeFromIndex() for button lists) and calls
// storeKnob()/storePad()/storeKey(); a Customize text goes through
// parseSysexText() with the page's pool size and per-control limit, and only an
// Accepted result changes the record and the working copy. The set-all actions
// take the span of records (or colours) they act on: the page decides which
// span (a bank, a group, one press of the buttons).
#pragma once

#include "devices/shared/controlrecords.h"
#include "devices/shared/sysexpool.h"

#include <QString>

namespace pagekit {

// What a dialog edits.
enum ControlKind : int {
    KindKnob = 0,
    KindPad = 1,
    KindButton = 2,
};

// Button modes beyond the numbers of the pads.
constexpr uint kKeyModeMmc = 4;
constexpr uint kKeyModeNone = 6;
// The Customize modes of pads and of buttons.
constexpr uint kPadCustomizeMode = 4;
constexpr uint kKeyCustomizeMode = 5;

// ---- type lists -------------------------------------------------------------

// Stored mode of a button record for a row of its type list. A list without
// "MMC" (a long-press list, or a button that has no MMC) skips mode 4, so its
// rows above 3 are one below the mode. Row -1 gives mode 0.
uint keyModeFromIndex(int index, bool listWithoutMmc);
// The reverse: the row that shows a stored mode; -1 for mode 4 on a list
// without "MMC", which has no row for it. A row at or past the end of the
// caller's list (mode 7, say) is no row either.
int keyIndexFromMode(uint mode, bool listWithoutMmc);

// The Customize mode of a kind: 4 for pads, 5 for buttons (and anything else).
uint customizeMode(int kind);
// Byte 3 of the record when its mode is the Customize mode of the kind, else 0.
uchar sysexLength(const SControlRecord &rec, int kind);
// The value the data1 list shows: byte 3 (the program) for a pad in Program
// Change, byte 1 otherwise.
uchar shownData1(const SControlRecord &rec, int kind);

// ---- writing the fields on OK -------------------------------------------------

// Fields of the dialog as the user confirmed them: the mode is the stored mode.
// A value field whose list shows no row (a stored byte above 127, a speed
// above 4) is kKeep: the byte it stands for keeps what is stored.
constexpr int kKeep = -1;
struct SFields
{
    uint mode = 0;
    uint channel = 0;
    bool flag = false;
    int d1 = 0;
    int d2 = 0;
    int d3 = 0;
    int d4 = 0;
};

// A knob. Modes 0 and 1 refuse an equal minimum and maximum (false, record
// unchanged) and store them ordered, with the speed d4 (at most 4); mode 2
// stores left and right as given and keeps the speed byte. A kKeep field
// keeps its byte, here and below.
bool storeKnob(SKnobRecord &rec, const SFields &f);
// A pad in modes 0 to 3. Mode 0 refuses an equal minimum and maximum and stores
// them ordered; mode 3 stores d2, d3, d1 (bank MSB, bank LSB, program). Other
// modes: false, record unchanged.
bool storePad(SControlRecord &rec, const SFields &f);
// A button record in any mode but Customize: mode, flag, channel, d1..d3.
void storeKey(SControlRecord &rec, const SFields &f);

// ---- MIDI byte text ------------------------------------------------------------

enum class TextResult {
    Accepted,
    TooLong,   // more bytes than one control may hold
    PoolFull,  // the pool would hold more than its size
    Malformed, // not complete MIDI messages
};

struct SParsedText
{
    TextResult result = TextResult::Accepted;
    uint length = 0;
    uchar bytes[kSysexMessageMax] = {};
};

// Turns typed text into bytes (hexDigitBytes of common/utils). The result is
// checked against maxLength bytes (at most kSysexMessageMax), then against the
// pool (poolTotal bytes in use, of which oldLength are this control's current
// message; skipped when poolTotal is below oldLength), then as a MIDI stream
// (isValidMidiStream). The bytes are filled only when the length test passed.
SParsedText parseSysexText(const QString &text, uint poolTotal, uint oldLength, uint poolSize,
                           uint maxLength = kSysexMessageMax);

// Bytes as text: two upper-case hex digits and a blank per byte; at most
// maxLength bytes are shown.
QString sysexText(const uchar *bytes, uint length, uint maxLength = kSysexMessageMax);

// ---- "to all" actions ------------------------------------------------------------

// Copies colour `pad` to every colour of the span.
void setAllPadColours(SColourGRB *colours, uint count, uint pad);
// Sets the channel of every record of the span but those in skipMode (their
// byte 0 is no channel there). Mode and flag bits are kept.
void setAllChannels(SControlRecord *records, uint count, uint channel, uint skipMode);
void setAllChannels(SKnobRecord *records, uint count, uint channel);
// Byte 1 of every record of the span becomes data1 + p - pad, held to 0..127;
// records whose mode is in skipModes (bit n for mode n) keep theirs.
void setAllData1ByPadOrder(SControlRecord *records, uint count, uint pad, int data1, uint skipModes);
// The pads that numbering by pad order leaves alone: only Note and CC pads
// take a number, byte 1 of a Program Change pad is its Bank MSB, of a
// Customize pad a place in the pool (modes 3..7).
constexpr uint kPadOrderSkipModes = 0xF8;

} // namespace pagekit
