// A page's SysEx pool: the messages of every control in its Customize (SysEx)
// mode, packed back to back into the pool of the configuration block, each
// control's record holding an SSysexRef (bytes 1..3: offset, length) into it.
// The page keeps an unpacked copy of each message in a 40-byte buffer.
//
// How a page uses it: it lists the records in their Customize mode, each with
// its buffer, in its own pool order (PoolList; the tag is the page's, e.g. the
// bank of a pad, -1 for none). After a block is stored it calls
// expandSysexPool(); before it sends the pool it calls packSysexPool() and
// then writes every section whose references moved (SPackResult::moved, or
// SPackResult::movedTags). A file loader checks refsInsidePool() before accepting a block.
#pragma once

#include "devices/shared/controlrecords.h"

#include <initializer_list>
#include <set>
#include <vector>

namespace pagekit {

// Bytes of one control's message, and of its buffer.
constexpr uint kSysexMessageMax = 40;

struct SPoolEntry
{
    uchar *record;  // the record; bytes 1..3 hold its SSysexRef
    uchar *buffer;  // kSysexMessageMax bytes
    int tag = -1;   // the page's own mark (bank, group), reported back
};
using PoolList = std::vector<SPoolEntry>;

// Copies each referenced message from the pool into its buffer, in list
// order. At most min(length, 40, poolSize - offset) bytes are copied; a
// reference that reaches past the pool or past 40 bytes has its length cut to
// what was copied (written back into the record), so record, buffer and pool
// agree; one cut to length 0 gets offset 0 too (it references nothing, and a
// saved file keeps no offset outside the pool). Buffer bytes beyond the length are left as they are. Returns the
// bytes copied in all.
uint expandSysexPool(const uchar *pool, uint poolSize, const PoolList &list);

struct SPackResult
{
    uint used = 0;            // bytes of the pool in use
    std::vector<bool> moved;  // per list entry: its reference bytes changed
    std::set<int> movedTags;  // the tags of those entries
};

// Packs the buffers back into the pool in list order, rewriting every
// reference: offset = bytes placed so far (also for a length of 0), length =
// what was placed. A message never takes more than 40 bytes, and packing stops
// at poolSize: a message that does not fit is cut to what is left, its length
// rewritten to match. Pool bytes beyond the fill keep their contents.
SPackResult packSysexPool(uchar *pool, uint poolSize, const PoolList &list);

// The bytes the listed messages take once packed (each at most 40), the
// records in `except` left out: what a control's new message is checked
// against, counted at that moment rather than at the last packing.
uint poolBytesInUse(const PoolList &list, std::initializer_list<const uchar *> except);

// True when every reference with a length above 0 lies inside the pool. A
// reference of length 0 references nothing and passes wherever it points.
bool refsInsidePool(const PoolList &list, uint poolSize);

} // namespace pagekit
