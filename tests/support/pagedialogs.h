// Helpers for tests that answer a page's dialogs: the modal message boxes
// that run their own event loop, the file dialogs (through the file-chooser
// seam), and the files they read and write. Any page, any model.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

#include "filechooser.h"

namespace tavrotest {

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Hands the next modal message box (the close question runs its own event
// loop) to act, as soon as it is up. The caller deletes the returned timer
// when no box came (it still holds the caller's captures).
inline QTimer *onNextModalBox(std::function<void(QMessageBox *)> act)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        timer->deleteLater();
        act(box);
    });
    timer->start();
    return timer;
}

// The message box on screen among parent's children, after waiting up to ms
// for one (an answered box may stay a hidden child until it is deleted); null
// when none shows.
inline QMessageBox *shownQuestion(QWidget *parent, int ms = 8000)
{
    QMessageBox *box = nullptr;
    (void)QTest::qWaitFor(
        [&] {
            for (QMessageBox *m : parent->findChildren<QMessageBox *>()) {
                if (m->isVisible())
                    box = m;
            }
            return box != nullptr;
        },
        ms);
    return box;
}

// The button of a message box with this role (the first one).
inline QAbstractButton *buttonWithRole(QMessageBox *box, QMessageBox::ButtonRole role)
{
    for (QAbstractButton *b : box->buttons()) {
        if (box->buttonRole(b) == role)
            return b;
    }
    return nullptr;
}

// Closes page, answering the close question if one comes: "yes", "no",
// "cancel" (the shown reject button), "escape", or "box" (its close box). Returns whether the
// page closed; seen gets the question's title, text and buttons' texts
// (sorted, a hidden one in brackets), and stays empty when none came.
inline bool closeAnswering(QWidget *page, const QString &answer, QStringList *seen)
{
    QPointer<QTimer> waiting = onNextModalBox([&](QMessageBox *box) {
        QStringList buttons; // the box lays them out in the platform's order
        for (QAbstractButton *b : box->buttons())
            buttons << (b->isVisibleTo(box) ? b->text() : QStringLiteral("(%1)").arg(b->text()));
        buttons.sort();
        *seen << box->windowTitle() << box->text() << buttons;
        if (answer == QLatin1String("yes"))
            buttonWithRole(box, QMessageBox::YesRole)->click();
        else if (answer == QLatin1String("no"))
            buttonWithRole(box, QMessageBox::NoRole)->click();
        else if (answer == QLatin1String("cancel")) {
            for (QAbstractButton *b : box->buttons()) {
                if (box->buttonRole(b) == QMessageBox::RejectRole && b->isVisibleTo(box)) {
                    b->click();
                    break;
                }
            }
        }
        else if (answer == QLatin1String("escape"))
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->close();
    });
    const bool closed = page->close();
    delete waiting;
    return closed;
}

// The file dialogs answer with the path the test chose (empty: cancelled) and
// record what they were asked.
struct ChosenPath
{
    QString path;
    QStringList asked; // "save|caption|filter" or "open|caption|filter"
    std::function<void()> whileOpen; // runs while the "dialog" is up

    ChosenPath()
    {
        setFileChooser([this](bool save, const QString &caption, const QString &filter) {
            asked << QStringLiteral("%1|%2|%3").arg(save ? "save" : "open", caption, filter);
            if (whileOpen)
                whileOpen();
            return path;
        });
    }
    ~ChosenPath() { setFileChooser(nullptr); }
};

// Answers the next file dialog, Qt's own, as a user does: types the folder
// into the name box and presses Enter (the dialog goes there), then each of
// names in turn, the next once the dialog has gone into another folder and
// emptied its box (every name but the last is a folder). A question whether
// to replace a file is answered yes; its text goes to *replaceQuestion. A
// dialog that stops moving for 5 s is cancelled, so a test fails, not hangs.
inline void typeIntoNextFileDialog(const QString &folder, const QStringList &names, QString *replaceQuestion = nullptr)
{
    auto *timer = new QTimer;
    timer->setInterval(20);
    const QStringList entries = QStringList{folder} + names;
    auto typed = std::make_shared<int>(0);
    auto idle = std::make_shared<int>(0);
    auto lastFolder = std::make_shared<QString>();
    QObject::connect(timer, &QTimer::timeout, [=] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            if (replaceQuestion)
                *replaceQuestion = box->text();
            buttonWithRole(box, QMessageBox::YesRole)->click();
            return;
        }
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        auto *edit = dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!edit) {
            if (*typed == entries.size()) {
                timer->stop();
                timer->deleteLater();
            }
            return;
        }
        const QString here = dialog->directory().absolutePath();
        if (*typed < entries.size() && (*typed == 0 || (here != *lastFolder && edit->text().isEmpty()))) {
            *lastFolder = here;
            *idle = 0;
            edit->setText(entries.at((*typed)++));
            QTest::keyClick(edit, Qt::Key_Return);
        } else if (++*idle == 250) {
            *typed = entries.size();
            dialog->reject();
        }
    });
    timer->start();
}

} // namespace tavrotest
