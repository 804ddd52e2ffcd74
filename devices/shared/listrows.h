// Lists and switches of a page's global settings, driven by a table: each
// list names the record field it shows (byte, bit field, 16-bit value), how a
// row maps to a value (row + base, or a table of values such as a swing
// table) and how many rows it has; each switch names its byte and bit.
//
// The rule every page keeps: a stored value that no row shows leaves the list
// as it is (showListRow does nothing) and the stored byte as it is (storeListRow
// with a list that shows no row, or a row outside the list, writes nothing), so
// every send carries the byte as received until the user picks a row. -1 is
// never encoded.
//
// How a page uses it: one constexpr SListField per list and one SSwitchBit per
// switch, in a table of its own; its view calls showListRow() for each list
// after a record arrives and storeListRow() for each before a record is sent.
#pragma once

#include "deviceframe.h"

class QComboBox;

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

// ---- the page's combo boxes -------------------------------------------------

// Selects the row that shows the record's value; a value without a row (or a
// row the box does not have) leaves the box as it is. The caller blocks the
// box's signals or marks itself as updating, as it does for its other writes.
void showListRow(QComboBox *box, const uchar *record, const SListField &field);
// Writes the box's current row into the record; no current row (-1) or a row
// outside the list writes nothing.
void storeListRow(uchar *record, const SListField &field, const QComboBox *box);

} // namespace pagekit
