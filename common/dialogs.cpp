#include "dialogs.h"
#include "nestedloop.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <cstdarg>

QString questionBoxStyleSheet()
{
    return QStringLiteral(
        "QMessageBox { background-color: #F5F5F7; font-size: 14px; }"
        "QMessageBox QLabel { color: #333333; font-size: 14px; }"
        "QMessageBox QPushButton { background-color: #FFFFFF; color: #333333;"
        " font-family: Arial; font-size: 14px; width: 60px; height: 30px;"
        " padding: 5px 10px; border-radius: 10px; border: 2px solid rgb(120,120,120); }"
        "QMessageBox QPushButton:hover { background-color: rgb(179,255,175); border-color: #000000; }"
        "QMessageBox QPushButton:pressed { background-color: #E0E0E0; }");
}

namespace {

// A Yes/No box whose Escape key answers neither: QMessageBox would click the
// No button, and No is a real choice for most callers (switch the preset and
// drop the edits, say). Escape closes the box as its close button does.
class StyledQuestionBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel)) {
            reject();
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
};

} // namespace

void showStyledQuestion(QWidget *parent, const QString &title, const QString &text,
                        std::function<void(int)> onAnswer)
{
    if (!parent)
        parent = QApplication::activeWindow();

    auto *box = new StyledQuestionBox(parent);
    box->setWindowTitle(title);
    box->setText(text);
    box->setIcon(QMessageBox::Question);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::Yes);
    box->setModal(false);
    box->setWindowFlags(box->windowFlags() | Qt::WindowStaysOnTopHint);
    box->setStyleSheet(questionBoxStyleSheet());

    // The callback usually works on the parent; it must not run once the parent is gone.
    const bool hadParent = parent != nullptr;
    QPointer<QWidget> guard(parent);
    QObject::connect(box, &QDialog::finished, box,
                     [box, guard, hadParent, onAnswer = std::move(onAnswer)](int result) {
                         int answer = ANSWER_OTHER;
                         if (result == QMessageBox::Yes)
                             answer = ANSWER_YES;
                         else if (result == QMessageBox::No)
                             answer = ANSWER_NO;
                         if (onAnswer && (!hadParent || !guard.isNull()))
                             onAnswer(answer);
                         box->deleteLater();
                     });
    box->open();
}

bool askQuestion(const QString &title, const QString &text)
{
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.setStyleSheet(questionBoxStyleSheet());
    const NestedLoopScope loop;
    return box.exec() == QMessageBox::No;
}

int showInformation(const QString &title, const QString &text)
{
    const NestedLoopScope loop;
    return QMessageBox::information(nullptr, title, text, QMessageBox::Ok);
}

void messageBox(const QString &text)
{
    const NestedLoopScope loop;
    QMessageBox::information(nullptr, QStringLiteral("Message"), text, QMessageBox::Ok);
}

void messageBoxPrintf(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    const QString text = QString::vasprintf(format, args);
    va_end(args);
    messageBox(text);
}

void clearDefaultButtons(QWidget *dialog)
{
    for (QPushButton *button : dialog->findChildren<QPushButton *>()) {
        button->setAutoDefault(false);
        button->setDefault(false);
    }
}
