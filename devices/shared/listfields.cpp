#include "listfields.h"

#include <algorithm>

namespace pagekit {

namespace {

uchar fieldMask(const SListField &f)
{
    return f.bits >= 8 ? uchar(0xFF) : uchar(((1u << f.bits) - 1) << f.shift);
}

} // namespace

int fieldValue(const uchar *record, const SListField &f)
{
    if (f.width == 2)
        return record[f.byte] | (record[f.byte + 1] << 8);
    return (record[f.byte] & fieldMask(f)) >> f.shift;
}

int listRow(const uchar *record, const SListField &f)
{
    const int value = fieldValue(record, f);
    int row = -1;
    if (f.table) {
        const uchar *end = f.table + f.rows;
        const uchar *it = std::find(f.table, end, uchar(value));
        row = it == end ? -1 : int(it - f.table);
    } else {
        row = value - f.base;
    }
    return row >= 0 && row < f.rows ? row : -1;
}

bool setListRow(uchar *record, const SListField &f, int row)
{
    if (row < 0 || row >= f.rows)
        return false;
    const int value = f.table ? int(f.table[row]) : row + f.base;
    if (f.width == 2) {
        record[f.byte] = uchar(value & 0xFF);
        record[f.byte + 1] = uchar((value >> 8) & 0xFF);
        return true;
    }
    const uchar mask = fieldMask(f);
    record[f.byte] = uchar((record[f.byte] & ~mask) | ((value << f.shift) & mask));
    return true;
}

bool switchOn(const uchar *record, const SSwitchBit &sw)
{
    return (record[sw.byte] >> sw.bit) & 1;
}

void setSwitch(uchar *record, const SSwitchBit &sw, bool on)
{
    record[sw.byte] = setBit(record[sw.byte], sw.bit, on);
}

} // namespace pagekit
