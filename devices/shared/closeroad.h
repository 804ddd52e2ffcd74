// The close road of an editor page that hands back to its owner (the close
// box, Escape, and the page's own closing alike): with unsaved changes the
// page's own translated question first ("Save the data to the device?"), Yes
// saving to the device's flash, No closing without, and Escape or the close
// box of the question (or a visible Cancel, where the page has one) keeping
// the page open; then the page-close frame and the hand-back to the owner.
// After Yes the page waits for the device's answer to the save (at most
// kSaveAnswerWaitMs), taking no edit meanwhile (its content is disabled): a
// refusal keeps the page open with its edits unsaved (the page's own handler
// of the answer says "Fail to save!" and marks them) and sends no close frame;
// a stored save, or none heard, closes. Escape
// reaches closeEvent through CBaseDlg::reject, so it never hides or deletes a
// page behind its owner's back.
//
// How a page uses it: its closeEvent calls closeEditorPage() with its question
// (texts translated in its own context), its senders and the PendingSave its
// handler of the save's answer reports to.
#pragma once

#include <QString>

#include <functional>

#include "devices/shared/pendingsave.h"

class CBaseDlg;
class QCloseEvent;
class QWidget;

namespace pagekit {

struct SCloseQuestion
{
    QString title;  // the box's title
    QString text;   // the question
    QString yes;    // saves, then closes
    QString no;     // closes without saving
    QString cancel; // a visible Cancel that keeps the page; empty: none
    QString close;  // the hidden button that Escape and the box's close box answer
};

enum class CloseAnswer { Save, Discard, Stay };

// Asks in a modal box of its own (a nested event loop, marked as such).
CloseAnswer askBeforeClose(const SCloseQuestion &question);

// How long a close waits for the answer to its save.
constexpr int kSaveAnswerWaitMs = 1500;

enum class SaveAnswer { Stored, Refused, Silent };

// Waits in a nested event loop (marked as such) until pending hears the
// device's answer, or timeoutMs pass without one.
SaveAnswer awaitSaveAnswer(PendingSave &pending, int timeoutMs = kSaveAnswerWaitMs);

// The page's closeEvent: asks when unsaved (Stay ignores the event and returns
// false), sends the save frame on Save and waits for its answer (a refusal
// ignores the event and returns false), then sends the close frame and hands
// back. A close while the page waits for that answer is ignored. A page with
// nothing to save may pass no pending save.
bool closeEditorPage(CBaseDlg &page, QCloseEvent *event, bool unsaved, const SCloseQuestion &question,
                     const std::function<void()> &sendSave, const std::function<void()> &sendClose,
                     PendingSave *pending = nullptr);

// A page waiting for its device disables what it shows, never itself: a
// disabled dialog takes no keys, and Escape would not reach the close road.
// Sets every child widget of the page that is no window of its own; while a
// close waits for a save's answer, the state is applied when the wait ends.
void setPageContentEnabled(QWidget *page, bool on);

} // namespace pagekit
