// Lists and switches of a page's global settings, driven by a table: each
// list names the record field it shows (byte, bit field, 16-bit value), how a
// row maps to a value (row + base, or a table of values such as a swing
// table) and how many rows it has; each switch names its byte and bit.
//
// The rule every page keeps: a stored value that no row shows leaves the list
// as it is (listRow gives -1) and the stored byte as it is (setListRow with
// -1, or a row outside the list, writes nothing), so every send carries the
// byte as received until the user picks a row. -1 is never encoded.
//
// Pure field rules on a record's bytes, QtCore at most, so that a preset-file
// reader builds without widgets; listrows.h adds the page's combo boxes.
#pragma once

#include "deviceframe.h"

namespace pagekit {

struct SListField
{
    uint byte = 0;                // first byte of the field in the record
    uchar width = 1;              // 1, or 2 for a 16-bit little-endian value
    uchar shift = 0;              // bit field: its lowest bit
    uchar bits = 8;               // bit field: its number of bits (8: the whole byte)
    int base = 0;                 // value of row 0 (value = row + base)
    int rows = 0;                 // rows of the list
    const uchar *table = nullptr; // when set: the value of each row (rows entries), base unused
};

// The field's value in the record.
int fieldValue(const uchar *record, const SListField &field);
// The row that shows the record's value, or -1 when no row does.
int listRow(const uchar *record, const SListField &field);
// Writes the value of a row into the record; a bit field keeps the other bits.
// A row outside 0..rows - 1 (-1 included) writes nothing and returns false.
bool setListRow(uchar *record, const SListField &field, int row);

struct SSwitchBit
{
    uint byte;
    uchar bit;
};
bool switchOn(const uchar *record, const SSwitchBit &sw);
void setSwitch(uchar *record, const SSwitchBit &sw, bool on);

} // namespace pagekit
