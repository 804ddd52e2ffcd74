#include "listrows.h"

#include <QComboBox>

namespace pagekit {

void showListRow(QComboBox *box, const uchar *record, const SListField &field)
{
    const int row = listRow(record, field);
    if (box && row >= 0 && row < box->count())
        box->setCurrentIndex(row);
}

void storeListRow(uchar *record, const SListField &field, const QComboBox *box)
{
    if (box)
        setListRow(record, field, box->currentIndex());
}

} // namespace pagekit
