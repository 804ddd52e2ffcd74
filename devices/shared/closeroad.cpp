#include "closeroad.h"

#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>

#include "cbasedlg.h"
#include "nestedloop.h"

namespace pagekit {

CloseAnswer askBeforeClose(const SCloseQuestion &q)
{
    QMessageBox box(QMessageBox::Question, q.title, q.text, QMessageBox::NoButton, nullptr,
                    Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
    QPushButton *yes = box.addButton(q.yes, QMessageBox::YesRole);
    box.addButton(q.no, QMessageBox::NoRole);
    if (!q.cancel.isEmpty())
        box.addButton(q.cancel, QMessageBox::RejectRole);
    // Escape and the box's close box answer this hidden button.
    QPushButton *close = box.addButton(q.close, QMessageBox::RejectRole);
    close->hide();
    box.setDefaultButton(yes);
    box.setEscapeButton(close);
    {
        const NestedLoopScope loop;
        box.exec();
    }
    switch (box.buttonRole(box.clickedButton())) {
    case QMessageBox::YesRole:
        return CloseAnswer::Save;
    case QMessageBox::NoRole:
        return CloseAnswer::Discard;
    default:
        return CloseAnswer::Stay;
    }
}

bool closeEditorPage(CBaseDlg &page, QCloseEvent *event, bool unsaved, const SCloseQuestion &question,
                     const std::function<void()> &sendSave, const std::function<void()> &sendClose)
{
    if (unsaved) {
        switch (askBeforeClose(question)) {
        case CloseAnswer::Stay:
            event->ignore();
            return false;
        case CloseAnswer::Save:
            if (sendSave)
                sendSave();
            break;
        case CloseAnswer::Discard:
            break;
        }
    }
    event->accept();
    if (sendClose)
        sendClose();
    page.Slots_back_to_connect();
    return true;
}

void clearDefaultButtons(QWidget *page)
{
    for (QPushButton *button : page->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}

} // namespace pagekit
