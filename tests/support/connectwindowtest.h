// Helpers for tests that drive the connection window.
#pragma once

#include <QGridLayout>
#include <QLabel>

#include "pc_connectui.h"
#include "ui_pc_connectui.h"

namespace tavrotest {

// The picture the window shows for a model, or null while it shows none.
inline QLabel *picture(pc_connectui &w, uint id)
{
    QGridLayout *grid = w.form()->gridLayout_show;
    for (int k = 0; k < grid->count(); ++k) {
        auto *label = qobject_cast<QLabel *>(grid->itemAt(k)->widget());
        if (label && label->property("deviceID").toUInt() == id)
            return label;
    }
    return nullptr;
}

} // namespace tavrotest
