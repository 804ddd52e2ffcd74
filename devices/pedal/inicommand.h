// A command of the effects-unit library, without any window: the library's
// entry text parsed into the 150-byte command buffer the library dialog hands
// to the page, and that buffer read back into what the page stores on a foot
// switch.
//
// An entry of the library file is "trigger | list 1" or "trigger | list 1 |
// list 2": a trigger word ("down", "toggle", "down_up", "long", "up_long", in
// any case) and one or two lists of hexadecimal bytes separated by blanks,
// each list MIDI messages (channel or system messages, or one SysEx message
// from F0 to F7).
//
// The buffer, SIniCommand: byte 0 the trigger type 1..5, byte 1 the number of
// bytes of list 1, byte 2 those of list 2 (0: no second list), then the bytes
// of list 1 and of list 2 back to back, the rest 0. At most 147 list bytes.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include "z3edit.h"

struct SIniCommand
{
    static constexpr int kSize = 150;
    static constexpr int kListStart = 3;
    static constexpr int kMaxListBytes = kSize - kListStart; // 147

    quint8 bytes[kSize] = {};

    quint8 triggerType() const { return bytes[0]; }
    int len1() const { return bytes[1]; }
    int len2() const { return bytes[2]; }
};

namespace z3 {

// The trigger type of a trigger word, compared trimmed, as a whole and without
// regard to case: "down" 1, "toggle" 2, "down_up" 3, "long" 4, "up_long" 5;
// any other word 0.
quint8 iniTriggerType(const QString &word);

// The value of a library entry split at every "|", empty parts kept.
QStringList splitIniValue(const QString &value);

// Parses the parts of an entry into *cmd (zeroed first). Part 1 is the
// trigger word, parts 2 and 3 the lists, further parts are ignored. A token
// that is no hexadecimal number is skipped ("Failed to parse:" on the debug
// output); a value above FF keeps its low eight bits; bytes past the 147 that
// fit are dropped ("Array overflow!" once per list). False, with the debug
// line "Invalid trigger type:", when the trigger word is unknown (or there is
// no part at all): nothing is to be handed to the page then.
bool parseIniCommand(const QStringList &parts, SIniCommand *cmd);

// One list of a command as the page stores it: a SysEx message for the pool,
// or the one event of a key list entry.
struct SIniList
{
    bool sysex = false;
    QByteArray message; // the whole list when it begins with F0
    SEvent event = {0, 0, 0, 0};
};

struct SIniApply
{
    quint8 triggerType = 0;
    SIniList list1;
    bool hasList2 = false; // false: list 2 of the key stays as it is
    SIniList list2;
};

// Reads a command buffer (SIniCommand::kSize bytes) for the page. Both lists
// are checked before the page changes anything; false ("INI Data Err!" on the
// page) when the trigger type is not 1..5, list 1 is empty, the lengths reach
// past the buffer, or a list is no well-formed MIDI stream.
// A list that begins with F0 is a SysEx message for the pool, whole. Any
// other list gives one event from its first message only: a channel message
// stores status = byte & F0 and channel = byte & 0F; a system message F1..FE
// stores status = the byte and channel = its low nibble, as the event entry
// dialog does. A data byte the first message does not have is 0; nothing is
// read past the list.
bool decodeIniCommand(const quint8 *pbyBuf, SIniApply *out);

} // namespace z3
