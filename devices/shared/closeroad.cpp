#include "closeroad.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVector>

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

namespace {

// Set on a page while its close waits for the save's answer: -1 while the
// page asked nothing meanwhile, else the content state it asked for last.
const char kContentHeld[] = "pagekit_contentHeld";

void applyContentEnabled(QWidget *page, bool on)
{
    for (QWidget *child : page->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            child->setEnabled(on);
    }
}

// The page takes no edit while the save's answer is awaited: an edit made then
// would reach the device after the save, and the page would close without
// asking about it. Its content is disabled for the wait and then put back as
// it was, or as the page asked meanwhile (its block came, say).
SaveAnswer awaitSaveAnswerHeld(CBaseDlg &page, PendingSave &pending)
{
    QVector<QPair<QPointer<QWidget>, bool>> before;
    for (QWidget *child : page.findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            before.append({child, !child->testAttribute(Qt::WA_Disabled)});
    }
    page.setProperty(kContentHeld, -1);
    applyContentEnabled(&page, false);
    const QPointer<CBaseDlg> guard(&page);
    const SaveAnswer answer = awaitSaveAnswer(pending);
    if (!guard)
        return answer;
    const int asked = page.property(kContentHeld).toInt();
    page.setProperty(kContentHeld, QVariant());
    if (asked >= 0) {
        applyContentEnabled(&page, asked != 0);
    } else {
        for (const auto &child : before) {
            if (child.first)
                child.first->setEnabled(child.second);
        }
    }
    return answer;
}

} // namespace

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
            if (pending && awaitSaveAnswerHeld(page, *pending) == SaveAnswer::Refused) {
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

void setPageContentEnabled(QWidget *page, bool on)
{
    // Held for a close's wait: applied when the wait ends.
    if (page->property(kContentHeld).isValid()) {
        page->setProperty(kContentHeld, on ? 1 : 0);
        return;
    }
    applyContentEnabled(page, on);
}

} // namespace pagekit
