// The edits of the foot pedal page as operations on its image, without any
// window: the SysEx pool, the key event lists and the expression-pedal list.
// The page calls them, then redraws and sends. Nothing here reads or writes
// outside the image, whatever counts, pool size or references an image from
// the pedal or a file holds.
#pragma once

#include <QByteArray>
#include <QStringList>

#include "z3config.h"

namespace z3 {

struct SIniApply;

// ---- SysEx pool ---------------------------------------------------------------

enum class PoolResult { Stored, Full, NoRef };

// Appends bytes to the pool and points ref (entry 0 of a list of image) at
// them. With replace, the message ref points to leaves the pool first; the
// room is measured before anything is removed (used - old + new <= 512), so a
// message that does not fit changes nothing and the old message stays.
PoolResult storeSysex(SZ3ProConfigData &image, quint8 *ref, const QByteArray &bytes, bool replace);

// Removes the message ref points to and closes the gap: later bytes move
// down and every marked reference behind it moves with them; ref itself
// becomes 00 00 00 (its fourth byte untouched) when its list is still marked.
// An empty reference, or one reaching beyond the used pool, changes nothing.
void removeSysex(SZ3ProConfigData &image, quint8 *ref);

// The bytes a reference shows: those of its message inside the used pool.
QByteArray sysexBytes(const SZ3ProConfigData &image, const quint8 *ref);

// ---- key event lists -----------------------------------------------------------

// An event as the entry dialog hands it over: status, channel, data1, data2.
struct SEvent
{
    quint8 status, channel, data1, data2;
};

// The rows a key list shows: one per event, or the one SysEx row.
QStringList keyListRows(const SZ3ProConfigData &image, int group, int key, int list);

// Appends an event (a SysEx list becomes a one-event list and gives its
// message back). False when the list already holds 16 events.
bool addKeyEvent(SZ3ProConfigData &image, int group, int key, int list, const SEvent &event);
// Rewrites the event at row (a SysEx list becomes a one-event list, row 0).
// False and nothing changed when an event list has no such row.
bool modifyKeyEvent(SZ3ProConfigData &image, int group, int key, int list, int row, const SEvent &event);
// Stores a SysEx message as the whole list. On Full the list is as it was.
PoolResult setKeySysex(SZ3ProConfigData &image, int group, int key, int list, const QByteArray &bytes);
// Deletes one event, or empties a SysEx list's message (the list stays marked,
// with an empty reference). False when there was no such row.
bool deleteKeyRow(SZ3ProConfigData &image, int group, int key, int list, int row);
// Empties a list: count 0 and its message out of the pool (the mark stays).
void clearKeyList(SZ3ProConfigData &image, int group, int key, int list);

// ---- expression-pedal list ---------------------------------------------------

// Rows of the expression-pedal list ("[01]  B2  07  00~7F").
QStringList pedalListRows(const SZ3ProConfigData &image);
// Appends an entry; false when 16 are in use.
bool addPedalEntry(SZ3ProConfigData &image, const int values[4]);
// Rewrites entry row; false when there is no such row.
bool modifyPedalEntry(SZ3ProConfigData &image, int row, const int values[4]);
// Removes entry row; false when there is no such row.
bool deletePedalEntry(SZ3ProConfigData &image, int row);
// All 64 entry bytes and the count to 0.
void clearPedalList(SZ3ProConfigData &image);


// ---- effects-unit commands ------------------------------------------------------

enum class LibraryResult { Applied, PoolFull };

// Puts a library command, read back from its buffer (decodeIniCommand), on a
// key: list 1 always, list 2 when the command has one; a SysEx list goes to
// the pool, an event list becomes that one event; the trigger type is the
// command's. The pool must take both lists' messages once the key's old ones
// are out, or nothing changes.
LibraryResult applyLibraryCommand(SZ3ProConfigData &image, int group, int key, const SIniApply &command);

} // namespace z3
