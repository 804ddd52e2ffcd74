// Helpers shared by the preset list and calibration tests.
#pragma once

#include <QAbstractButton>
#include <QMessageBox>
#include <QStringList>
#include <QTest>
#include <QWidget>

#include "autodisappermsgbox.h"

namespace presettest {

// The open (visible) question box over parent, or null.
inline QMessageBox *openQuestion(QWidget *parent)
{
    const auto boxes = parent->findChildren<QMessageBox *>();
    for (QMessageBox *box : boxes) {
        if (box->isVisible())
            return box;
    }
    return nullptr;
}

// Answers the open question over parent; false when none is open.
inline bool answer(QWidget *parent, QMessageBox::StandardButton button)
{
    QMessageBox *box = openQuestion(parent);
    if (!box || !box->button(button))
        return false;
    box->button(button)->click();
    return true;
}

// Texts of the fading notices currently shown over parent.
inline QStringList notices(QWidget *parent)
{
    QStringList texts;
    const auto labels = parent->findChildren<AutoDisapperMsgBox *>();
    for (AutoDisapperMsgBox *label : labels)
        texts << label->text();
    return texts;
}

} // namespace presettest
