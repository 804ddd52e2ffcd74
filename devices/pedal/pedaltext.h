// Texts and byte rules that both foot pedal pages share, without any window:
// the rows of the event, SysEx and expression-pedal lists, the reading of an
// expression row back into its numbers, the display-character bytes, and the
// hexadecimal byte pairs that the event entry dialog hands over.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <array>

namespace pedal {

// The longest SysEx entry the entry dialog accepts, in bytes.
constexpr int kMaxSysexEntry = 64;

// ---- event lists ----------------------------------------------------------

// One row of a switch's event list. row counts from 0 and shows from "[01]";
// the first byte shown is (status & 0xF0) + channel, so a system message,
// stored with its status's low nibble as channel, shows its whole status:
//   status C0, D0, F1, F3:               "[01]   C2   05"
//   status F6, F8, FA, FB, FC, FE:       "[01]   F8"
//   any other status:                    "[01]   92   3C   64"
// Three blanks between fields.
QString eventRowText(int row, quint8 channel, quint8 status, quint8 data1, quint8 data2);

// The one row of a list that holds a SysEx message: every byte as two
// upper-case hexadecimal digits followed by one blank ("F0 43 10 F7 "); an
// empty text for no bytes.
QString sysexRowText(const quint8 *bytes, int len);

// Whether a switch's action (trigger type) offers its second list, and with
// it the two-way list selector: "Down(Toggle)", "Down+Up" and "Up+Long" (2, 3,
// 5). "Down" and "Long" (1, 4) use list 1 alone, and so does a type that names
// no action.
inline bool hasTwoLists(quint8 type) { return type == 2 || type == 3 || type == 5; }

// Whether a switch's trigger type names an action of the list ("Up" .. "Up+Long",
// 1..5). A pedal may hold another (0, or above 5): the switch then shows no
// action and no list until the user picks one.
inline bool namesAction(quint8 type) { return type >= 1 && type <= 5; }

// ---- expression-pedal list ------------------------------------------------

// One row of the expression-pedal list, and the text from which the entry
// dialog is prefilled: "[01]  B2  07  00~7F" (row from 0, the control-change
// status 0xB0 | channel, controller, minimum~maximum, all hexadecimal, two
// blanks between fields).
QString expressionRowText(int row, quint8 channel, quint8 controller, quint8 minimum, quint8 maximum);

// Reads a row of that form back: channel = low 4 bits of the second field,
// controller, minimum and maximum the low 8 bits of the third field and the
// two pieces of the fourth around "~". Fields are split at blanks; with fewer
// than four fields every value is 0. A field that is not hexadecimal reads 0,
// and so does a missing piece (a fourth field without "~" gives maximum 0).
// Values run 0..255: a value above 127 has no row in a 128-row list.
std::array<int, 4> parseExpressionRowText(const QString &text);

// ---- display characters -----------------------------------------------------

// A display byte holds a character code (a row of the character list) in
// bits 0..6 and the first character's decimal point in bit 7. Codes above
// kMaxDisplayCode make an image invalid.
constexpr int kMaxDisplayCode = 39;

inline int displayCode(quint8 byte) { return byte & 0x7F; }
inline bool displayDot(quint8 byte) { return (byte & 0x80) != 0; }
inline bool displayByteValid(quint8 byte) { return displayCode(byte) <= kMaxDisplayCode; }

// The first byte of a pair after an edit: code = row of the first chooser,
// bit 7 = dot. A chooser without a row (row < 0, a stored code it has no row
// for) keeps the stored code; only the dot is written.
quint8 displayFirstByte(quint8 stored, int row, bool dot);
// The second byte of a pair: the row of the second chooser, or the stored
// byte when that chooser has no row.
quint8 displaySecondByte(quint8 stored, int row);

// ---- hexadecimal entry text -------------------------------------------------

// The bytes of a text of hexadecimal byte pairs, one blank between pairs, as
// the event entry dialog hands it over ("F0 43 10 F7 "). The text is trimmed
// and split at every single blank, empty parts kept; each part is read as a
// hexadecimal number (a part that does not read gives 0) and stored as its
// low 8 bits. At most maxBytes bytes are returned.
QByteArray parseHexPairs(const QString &text, int maxBytes = kMaxSysexEntry);

} // namespace pedal
