// The close road of an editor page that hands back to its owner (the close
// box, Escape, and the page's own closing alike): with unsaved changes the
// page's own translated question first ("Save the data to the device?"), Yes
// saving to the device's flash, No closing without, and Escape or the close
// box of the question (or a visible Cancel, where the page has one) keeping
// the page open; then the page-close frame and the hand-back to the owner.
// Escape reaches closeEvent through CBaseDlg::reject, so it never hides or
// deletes a page behind its owner's back.
//
// How a page uses it: its closeEvent calls closeEditorPage() with its question
// (texts translated in its own context) and its senders.
#pragma once

#include <QString>

#include <functional>

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

// The page's closeEvent: asks when unsaved (Stay ignores the event and returns
// false), sends the save frame on Save, then the close frame, and hands back.
bool closeEditorPage(CBaseDlg &page, QCloseEvent *event, bool unsaved, const SCloseQuestion &question,
                     const std::function<void()> &sendSave, const std::function<void()> &sendClose);

// Return and Enter on a page act on no button of its own: a page is a dialog,
// whose default button (the first that is auto-default, "Save to device" say)
// would take Return from a focused list. Called once the page's buttons exist.
void clearDefaultButtons(QWidget *page);

} // namespace pagekit
