// The styled question box answers without blocking its caller and cleans up
// after itself; the blocking boxes return what the user chose.
#include "testmain.h"

#include "dialogs.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

namespace {

QMessageBox *openBoxOf(QWidget *parent)
{
    const auto boxes = parent->findChildren<QMessageBox *>();
    return boxes.size() == 1 ? boxes.first() : nullptr;
}

// Answers the next modal box that appears with the given button.
void answerNextModal(QMessageBox::StandardButton button)
{
    auto *timer = new QTimer(qApp);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->deleteLater();
        timer->stop();
        box->button(button)->click();
    });
    timer->start();
}

} // namespace

class TestDialogs : public QObject
{
    Q_OBJECT

private slots:
    void styledQuestionAnswers_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("answer");
        QTest::newRow("yes") << 0 << 2;
        QTest::newRow("no") << 1 << 1;
        QTest::newRow("closed otherwise") << 2 << 0;
        QTest::newRow("escape is no answer") << 3 << 0;
    }
    void styledQuestionAnswers()
    {
        QFETCH(int, how);
        QFETCH(int, answer);

        QWidget parent;
        parent.show();
        QList<int> answers;
        showStyledQuestion(&parent, QStringLiteral("Title"), QStringLiteral("Text?"),
                           [&answers](int a) { answers << a; });
        // The call returns before any answer.
        QVERIFY(answers.isEmpty());
        QPointer<QMessageBox> box = openBoxOf(&parent);
        QVERIFY(box);
        QVERIFY(box->isVisible());
        QCOMPARE(box->windowModality(), Qt::WindowModal);
        QVERIFY(box->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(box->windowTitle(), QStringLiteral("Title"));
        QCOMPARE(box->text(), QStringLiteral("Text?"));
        QCOMPARE(static_cast<QAbstractButton *>(box->defaultButton()), box->button(QMessageBox::Yes));
        QVERIFY(box->styleSheet().contains(QStringLiteral("#F5F5F7")));

        if (how == 0)
            box->button(QMessageBox::Yes)->click();
        else if (how == 1)
            box->button(QMessageBox::No)->click();
        else if (how == 2)
            box->done(42);
        else
            QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(answers, QList<int>{answer});
        // The box deletes itself after answering, once.
        QTRY_VERIFY(box.isNull());
        QCOMPARE(answers.size(), 1);
    }

    void styledQuestionWithoutParentUsesActiveWindow()
    {
        QWidget window;
        window.show();
        QApplication::setActiveWindow(&window);
        QTRY_COMPARE(QApplication::activeWindow(), &window);
        int got = -1;
        showStyledQuestion(nullptr, QStringLiteral("T"), QStringLiteral("Q"), [&got](int a) { got = a; });
        QPointer<QMessageBox> box = openBoxOf(&window);
        QVERIFY(box);
        box->button(QMessageBox::No)->click();
        QCOMPARE(got, 1);
        QTRY_VERIFY(box.isNull());
    }

    void styledQuestionNeverCallsBackIntoDeletedParent()
    {
        // Deleting the parent takes the open box with it, without an answer.
        auto *parent = new QWidget;
        parent->show();
        bool called = false;
        showStyledQuestion(parent, QStringLiteral("T"), QStringLiteral("Q"), [&called](int) { called = true; });
        QPointer<QMessageBox> box = openBoxOf(parent);
        QVERIFY(box);
        delete parent;
        QVERIFY(box.isNull());

        // A box that outlives its parent (moved to another window first) is
        // answered after the parent is gone: the callback must not run, and
        // the box still cleans up after itself.
        parent = new QWidget;
        parent->show();
        showStyledQuestion(parent, QStringLiteral("T"), QStringLiteral("Q"), [&called](int) { called = true; });
        box = openBoxOf(parent);
        QVERIFY(box);
        QWidget other;
        other.show();
        box->setParent(&other, box->windowFlags());
        delete parent;
        QVERIFY(box);
        box->button(QMessageBox::Yes)->click();
        QVERIFY(!called);
        QTRY_VERIFY(box.isNull());
    }

    void askQuestionReturnsTrueForNo()
    {
        answerNextModal(QMessageBox::No);
        QVERIFY(askQuestion(QStringLiteral("T"), QStringLiteral("Q")));
        answerNextModal(QMessageBox::Yes);
        QVERIFY(!askQuestion(QStringLiteral("T"), QStringLiteral("Q")));
    }

    void messageBoxPrintfFormats()
    {
        QString shown;
        auto *timer = new QTimer(this);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, this, [timer, &shown] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer->stop();
            shown = box->windowTitle() + QLatin1Char('|') + box->text();
            box->button(QMessageBox::Ok)->click();
        });
        timer->start();
        messageBoxPrintf("Unknown Device! %d %s", 7, "x");
        QCOMPARE(shown, QStringLiteral("Message|Unknown Device! 7 x"));
    }
};

TAVRO_TEST_MAIN(TestDialogs)
#include "test_dialogs.moc"
