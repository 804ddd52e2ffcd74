// The choice lists that the foot pedal pages' forms and dialogs share. The
// texts are source texts: a form shows each through the translator under its
// own class name. A row's index is its value unless told otherwise.
#pragma once

#include <QStringList>
#include <QtGlobal>

namespace pedal {

// The event type chooser of the event entry dialogs: rows 0..15 stand for a
// MIDI status byte, row 16 for a SysEx text.
struct SEventType
{
    const char *text;
    quint8 status; // 0 for the SysEx row
};
constexpr int kEventTypeCount = 17;
constexpr int kSysexTypeRow = 16;
extern const SEventType MidiEventTypeList[kEventTypeCount];

// The status byte of a type row; 0 for the SysEx row and rows out of range.
quint8 eventTypeStatus(int row);
// The type row of a status byte as a list row shows it: a channel message by
// its high nibble (0x80..0xE0), a system message by its whole byte (F1, F2,
// F3, F6, F8, FA, FB, FC, FE); -1 for anything else.
int eventTypeRow(quint8 status);
// True for the system messages that carry their status's low nibble in place
// of a channel (type rows 7..15).
bool isSystemEventRow(int row);

// A switch's action chooser: row = trigger type - 1 (types 1..5).
constexpr int kTriggerTypeCount = 5;
extern const char *const KeyTriggerList[kTriggerTypeCount];

// The display character choosers: row = character code. The second chooser of
// a pair adds the point as its last row.
constexpr int kSegmentCharCount = 37;
extern const char *const SegmentCharList[kSegmentCharCount];
extern const char *const kSegmentPoint; // "." , row 37 of the second chooser

// "0".."15" and "0".."127".
QStringList MidiChannelList();
QStringList MidiValueList();

} // namespace pedal
