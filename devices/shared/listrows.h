// The page's combo boxes over the list fields of listfields.h (the pure field
// rules, included here so that a page includes this header alone).
//
// How a page uses it: one constexpr SListField per list and one SSwitchBit per
// switch, in a table of its own; its view calls showListRow() for each list
// after a record arrives and storeListRow() for each before a record is sent.
// A stored value that no row shows leaves the box as it is (showListRow does
// nothing), and a box that shows no row writes nothing (storeListRow).
#pragma once

#include "devices/shared/listfields.h"

class QComboBox;

namespace pagekit {

// Selects the row that shows the record's value; a value without a row (or a
// row the box does not have) leaves the box as it is. The caller blocks the
// box's signals or marks itself as updating, as it does for its other writes.
void showListRow(QComboBox *box, const uchar *record, const SListField &field);
// Writes the box's current row into the record; no current row (-1) or a row
// outside the list writes nothing.
void storeListRow(uchar *record, const SListField &field, const QComboBox *box);

} // namespace pagekit
