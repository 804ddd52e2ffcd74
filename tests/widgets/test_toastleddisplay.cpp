#include "leddisplay.h"
#include "toastwidget.h"
#include "testmain.h"

#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

void pressOn(QWidget *w)
{
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
}

QLabel *tile(LedDisplay &display, int position)
{
    for (QLabel *label : display.findChildren<QLabel *>())
        if (label->property("positionIndex").isValid() && label->property("positionIndex").toInt() == position)
            return label;
    return nullptr;
}

QLabel *key(LedDisplay &display, QChar character)
{
    for (QLabel *label : display.findChildren<QLabel *>())
        if (label->property("gridIndex").isValid() && label->text() == QString(character))
            return label;
    return nullptr;
}

QList<QPushButton *> dots(LedDisplay &display)
{
    return display.findChildren<QPushButton *>();
}

} // namespace

class TestToastAndLedDisplay : public QObject
{
    Q_OBJECT

private slots:
    void toastSizes();
    void toastPlacement();
    void toastFadesInStaysAndFadesOut();
    void toastShorterThanItsFadeInStillGoes();
    void newToastRestartsTheSequence();

    void segmentTextFromData();
    void segmentFewerValuesAndLargeCodes();
    void segmentSelectionAndCharacters();
    void segmentDots();
    void segmentClosedSignal();
};

void TestToastAndLedDisplay::toastSizes()
{
    ToastWidget toast;
    toast.showToast(QStringLiteral("ok"), 1000);
    QCOMPARE(toast.width(), 200);
    auto *label = toast.findChild<QLabel *>();
    QCOMPARE(toast.height(), label->sizeHint().height() + 30);
    QCOMPARE(label->geometry(), toast.rect());

    const QString wide = QStringLiteral("a considerably longer notice text for the toast");
    toast.showToast(wide, 1000);
    const int labelWidth = label->sizeHint().width();
    QVERIFY(labelWidth + 30 > 200);
    QCOMPARE(toast.width(), labelWidth + 30);
    QVERIFY(toast.testAttribute(Qt::WA_TranslucentBackground));
    QVERIFY(toast.windowFlags() & Qt::WindowStaysOnTopHint);
}

void TestToastAndLedDisplay::toastPlacement()
{
    // Without a parent: low on the free screen area, never above its middle.
    QCOMPARE(ToastWidget::placeOnScreen(QRect(0, 0, 1920, 1040), QSize(200, 60)), QPoint(860, 879));
    QCOMPARE(ToastWidget::placeOnScreen(QRect(0, 0, 1920, 200), QSize(200, 60)), QPoint(860, 100));
    QCOMPARE(ToastWidget::placeOnScreen(QRect(100, 50, 800, 600), QSize(301, 40)), QPoint(349, 509));

    ToastWidget alone;
    alone.showToast(QStringLiteral("hello"), 1000);
    QCOMPARE(alone.pos(), ToastWidget::placeOnScreen(QGuiApplication::primaryScreen()->availableGeometry(),
                                                    alone.size()));

    // Over a parent: centred on it, in screen coordinates, as a window of its
    // own so that it can fade.
    QWidget parent;
    parent.setGeometry(150, 120, 600, 400);
    parent.show();
    ToastWidget toast(&parent);
    toast.showToast(QStringLiteral("hello"), 1000);
    QVERIFY(toast.isWindow());
    const QPoint origin = parent.mapToGlobal(QPoint(0, 0));
    QCOMPARE(toast.pos(), origin + QPoint((600 - toast.width()) / 2, (400 - toast.height()) / 2));
}

void TestToastAndLedDisplay::toastFadesInStaysAndFadesOut()
{
    ToastWidget toast;
    QVERIFY(!toast.isVisible());
    toast.showToast(QStringLiteral("fading"), 800);
    QVERIFY(toast.isVisible());
    QVERIFY(toast.windowOpacity() < 0.5);
    QTRY_COMPARE(toast.windowOpacity(), 1.0);
    QVERIFY(toast.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(toast.windowOpacity() < 1.0, 3000); // fading out
    QVERIFY(toast.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!toast.isVisible(), 3000);
    QCOMPARE(toast.windowOpacity(), 0.0);
}

void TestToastAndLedDisplay::toastShorterThanItsFadeInStillGoes()
{
    ToastWidget toast;
    // The display time ends during the fade-in; the toast goes all the same.
    toast.showToast(QStringLiteral("brief"), 50);
    QVERIFY(toast.isVisible());
    QTRY_VERIFY_WITH_TIMEOUT(!toast.isVisible(), 3000);
    QCOMPARE(toast.windowOpacity(), 0.0);
}

void TestToastAndLedDisplay::newToastRestartsTheSequence()
{
    ToastWidget toast;
    toast.showToast(QStringLiteral("first"), 100);
    QTRY_VERIFY_WITH_TIMEOUT(toast.windowOpacity() < 1.0 && toast.windowOpacity() > 0.0
                                 && toast.isVisible(),
                             3000);
    toast.showToast(QStringLiteral("second"), 600);
    QVERIFY(toast.windowOpacity() == 0.0);
    QCOMPARE(toast.findChild<QLabel *>()->text(), QStringLiteral("second"));
    QTRY_COMPARE(toast.windowOpacity(), 1.0);
    QTRY_VERIFY_WITH_TIMEOUT(!toast.isVisible(), 4000);
}

void TestToastAndLedDisplay::segmentTextFromData()
{
    // A, empty, 3 with its dot, 0.
    LedDisplay display(4, {0x00, 0xFF, 13 | LedDisplay::kDotBit, 10});
    QCOMPARE(display.text(), QStringLiteral("A _ 3.0 "));
    QCOMPARE(tile(display, 0)->text(), QStringLiteral("A"));
    QCOMPARE(tile(display, 2)->text(), QStringLiteral("3"));
    QVERIFY(display.dot(2));
    QCOMPARE(dots(display).size(), 4);
    QVERIFY(display.windowFlags() & Qt::Popup);

    LedDisplay empty(3, {});
    QCOMPARE(empty.text(), QStringLiteral("_ _ _ "));

    // Every character of the grid, one per code.
    QVector<int> all;
    for (int c = 0; c < 16; ++c)
        all << c;
    LedDisplay full(16, all);
    QCOMPARE(full.text().remove(QLatin1Char(' ')), QStringLiteral("ABCDEF-89T012345"));
}

void TestToastAndLedDisplay::segmentFewerValuesAndLargeCodes()
{
    LedDisplay display(3, {16});
    QCOMPARE(display.code(0), 16); // stored as given
    QCOMPARE(tile(display, 0)->text(), QStringLiteral("_"));
    QVERIFY(!tile(display, 0)->styleSheet().isEmpty());
    QCOMPARE(display.code(1), -1);
    QCOMPARE(tile(display, 1)->text(), QStringLiteral("_"));
    QVERIFY(tile(display, 1)->styleSheet().isEmpty()); // no tile style of its own yet
    QCOMPARE(display.text(), QStringLiteral("_ _ _ "));
}

void TestToastAndLedDisplay::segmentSelectionAndCharacters()
{
    LedDisplay display(4, {});
    display.show();
    QSignalSpy changed(&display, &LedDisplay::dataChanged);

    pressOn(key(display, QLatin1Char('T'))); // nothing selected
    QCOMPARE(changed.count(), 0);
    QCOMPARE(display.text(), QStringLiteral("_ _ _ _ "));

    pressOn(tile(display, 1));
    QCOMPARE(display.currentPosition(), 1);
    QVERIFY(tile(display, 1)->styleSheet().contains(QLatin1String("#ffec99")));
    pressOn(key(display, QLatin1Char('T')));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(display.code(1), 9);
    QCOMPARE(tile(display, 1)->text(), QStringLiteral("T"));
    pressOn(key(display, QLatin1Char('8'))); // still selected: try another
    QCOMPARE(changed.count(), 2);
    QCOMPARE(display.text(), QStringLiteral("_ 8 _ _ "));
    QVERIFY(tile(display, 1)->styleSheet().contains(QLatin1String("#ffec99")));

    // Another tile takes the selection; the old one shows as set.
    pressOn(tile(display, 3));
    QCOMPARE(display.currentPosition(), 3);
    QVERIFY(tile(display, 1)->styleSheet().contains(QLatin1String("#d3f9d8")));
    QVERIFY(tile(display, 3)->styleSheet().contains(QLatin1String("#ffec99")));

    // A second click deselects; an empty tile then shows as empty.
    pressOn(tile(display, 3));
    QCOMPARE(display.currentPosition(), -1);
    QVERIFY(tile(display, 3)->styleSheet().contains(QLatin1String("#f8f9fa")));
    pressOn(key(display, QLatin1Char('A')));
    QCOMPARE(changed.count(), 2);
}

void TestToastAndLedDisplay::segmentDots()
{
    LedDisplay display(2, {1, 2 | LedDisplay::kDotBit});
    display.show();
    QSignalSpy changed(&display, &LedDisplay::dataChanged);
    const QList<QPushButton *> buttons = dots(display);
    QCOMPARE(buttons.size(), 2);
    QVERIFY(!buttons[0]->isChecked());
    QVERIFY(buttons[1]->isChecked());

    QTest::mouseClick(buttons[0], Qt::LeftButton);
    QTest::mouseClick(buttons[1], Qt::LeftButton);
    QCOMPARE(changed.count(), 2);
    QCOMPARE(display.text(), QStringLiteral("B.C "));
}

void TestToastAndLedDisplay::segmentClosedSignal()
{
    LedDisplay display(1, {});
    display.show();
    QSignalSpy closed(&display, &LedDisplay::closed);
    display.close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!display.isVisible());
}

TAVRO_TEST_MAIN(TestToastAndLedDisplay)
#include "test_toastleddisplay.moc"
