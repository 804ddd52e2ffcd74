#include "closeroad.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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

SaveAnswer awaitSaveAnswer(PendingSave &pending, int timeoutMs)
{
    QEventLoop loop;
    SaveAnswer answer = SaveAnswer::Silent;
    pending.awaitAnswer([&](bool stored) {
        answer = stored ? SaveAnswer::Stored : SaveAnswer::Refused;
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (answer == SaveAnswer::Silent) {
        const NestedLoopScope scope;
        loop.exec();
    }
    pending.awaitAnswer(nullptr);
    return answer;
}

bool closeEditorPage(CBaseDlg &page, QCloseEvent *event, bool unsaved, const SCloseQuestion &question,
                     const std::function<void()> &sendSave, const std::function<void()> &sendClose,
                     PendingSave *pending)
{
    // The close box or Escape again while a save's answer is awaited: the
    // first close decides.
    if (pending && pending->awaited()) {
        event->ignore();
        return false;
    }
    if (unsaved) {
        switch (askBeforeClose(question)) {
        case CloseAnswer::Stay:
            event->ignore();
            return false;
        case CloseAnswer::Save:
            if (sendSave)
                sendSave();
            // A refusal keeps the page and its edits: the page has shown it
            // and marked them unsaved again.
            if (pending && awaitSaveAnswer(*pending) == SaveAnswer::Refused) {
                event->ignore();
                return false;
            }
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

void setPageContentEnabled(QWidget *page, bool on)
{
    for (QWidget *child : page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            child->setEnabled(on);
    }
}

} // namespace pagekit
