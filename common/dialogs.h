// The question and information boxes through which the editor asks and tells
// the user things. All of them run on the GUI thread.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Answers passed to the callback of showStyledQuestion.
enum StyledAnswer : int {
    ANSWER_OTHER = 0, // closed some other way
    ANSWER_NO = 1,
    ANSWER_YES = 2,
};

// Style sheet shared by both question boxes.
QString questionBoxStyleSheet();

// Non-blocking question box, window-modal to parent (the active window when
// parent is null), staying on top, Yes as default. Returns at once; onAnswer
// later receives 2 for Yes, 1 for No, 0 otherwise (Escape and the close button
// included), and the box then deletes itself. When the parent is destroyed
// before the answer, onAnswer is not called.
void showStyledQuestion(QWidget *parent, const QString &title, const QString &text,
                        std::function<void(int)> onAnswer);

// Blocking question box without parent (Yes/No, Yes default). Returns true when
// the answer was No.
bool askQuestion(const QString &title, const QString &text);

// QMessageBox::information without parent and one OK button; returns the button pressed.
int showInformation(const QString &title, const QString &text);

// Return and Enter on a dialog act on no button of its own: Qt makes the
// first auto-default button the default one ("Save to device", "Data
// recovery", a colour chooser...), which would take Return from a focused
// list. Called once the dialog's buttons exist.
void clearDefaultButtons(QWidget *dialog);

// Information box titled "Message" with one OK button.
void messageBox(const QString &text);

// messageBox with a printf-style formatted text.
void messageBoxPrintf(const char *format, ...)
#if defined(__GNUC__) || defined(__clang__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
