#include "touchcombobox.h"
#include "touchscrolllistwidget.h"
#include "testmain.h"

#include <QDateTime>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

QIcon colourIcon(Qt::GlobalColor colour)
{
    QPixmap pixmap(8, 8);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

QString describeRows(const TouchComboBox &combo)
{
    const TouchScrollListWidget *list = combo.popupList();
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        const QListWidgetItem *row = list->item(i);
        out << QStringLiteral("%1|%2|%3")
                   .arg(row->text(), row->data(Qt::UserRole).toString(),
                        row->data(Qt::DecorationRole).isValid() ? QStringLiteral("icon") : QString());
    }
    return out.join(QLatin1Char(','));
}

QString describeItems(const TouchComboBox &combo)
{
    QStringList out;
    for (int i = 0; i < combo.count(); ++i)
        out << QStringLiteral("%1|%2|%3")
                   .arg(combo.itemText(i), combo.itemData(i).toString(),
                        combo.itemIcon(i).isNull() ? QString() : QStringLiteral("icon"));
    return out.join(QLatin1Char(','));
}

void sendMouse(QWidget *target, QEvent::Type type, const QPoint &pos, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void waitForNextMillisecond()
{
    const qint64 start = QDateTime::currentMSecsSinceEpoch();
    QTRY_VERIFY(QDateTime::currentMSecsSinceEpoch() > start);
}

} // namespace

class TestTouchComboBox : public QObject
{
    Q_OBJECT

private slots:
    void popupListFollowsEveryItemOperation();
    void itemsAddedBeforeSetupAppearInPopup();
    void emptyComboOpensNothing();
    void popupHeight_data();
    void popupHeight();
    void popupWidensForLongTexts();
    void popupOpensAboveNearScreenBottom();
    void rowClickChoosesItemAndCloses();
    void comboDestroyedByItsOwnChoice();
    void closeFromOutsideDoesNotReopenAtOnce();
    void otherHidesLetThePopupOpenAgain();
    void wheelNeverChangesClosedCombo();
    void wheelScrollsOpenList();
    void rightButtons();
    void dragScrollsWithoutChoosing();
    void shortDragStillChoosesRow();
    void fastDragGlidesAndStops();
    void glideArithmetic();
};

void TestTouchComboBox::popupListFollowsEveryItemOperation()
{
    TouchComboBox combo;
    QTRY_VERIFY(combo.popupList());
    auto check = [&combo](const char *step) {
        QVERIFY2(describeRows(combo) == describeItems(combo),
                 qPrintable(QStringLiteral("%1: %2 vs %3").arg(QLatin1String(step), describeRows(combo),
                                                               describeItems(combo))));
    };

    combo.addItem(QStringLiteral("Note"), 1);
    check("addItem");
    combo.addItem(colourIcon(Qt::red), QStringLiteral("CC"), 2);
    check("addItem icon");
    combo.addItems({QStringLiteral("PC"), QStringLiteral("Off")});
    check("addItems");
    combo.insertItem(1, QStringLiteral("Toggle"), 7);
    check("insertItem");
    combo.insertItem(0, colourIcon(Qt::blue), QStringLiteral("First"));
    check("insertItem icon");
    combo.insertItems(2, {QStringLiteral("x"), QStringLiteral("y")});
    check("insertItems");
    combo.setCurrentIndex(4);
    combo.removeItem(2);
    check("removeItem");
    QCOMPARE(combo.popupList()->currentRow(), combo.currentIndex());
    combo.setItemText(0, QStringLiteral("Renamed"));
    check("setItemText");
    combo.setItemIcon(1, colourIcon(Qt::green));
    check("setItemIcon");
    combo.setItemData(2, 99);
    check("setItemData");
    combo.setItemData(2, QStringLiteral("tip"), Qt::ToolTipRole);
    QCOMPARE(combo.popupList()->item(2)->data(Qt::ToolTipRole).toString(), QStringLiteral("tip"));

    // Out of range: only the combo's own operation runs (and ignores it).
    combo.setItemText(combo.count(), QStringLiteral("nowhere"));
    check("setItemText out of range");
    combo.setItemText(-1, QStringLiteral("nowhere"));
    check("setItemText negative");

    combo.clear();
    QCOMPARE(combo.count(), 0);
    QCOMPARE(combo.popupList()->count(), 0);
}

void TestTouchComboBox::itemsAddedBeforeSetupAppearInPopup()
{
    TouchComboBox combo;
    QVERIFY(!combo.popupList()); // set up once the event loop runs
    combo.addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    combo.setItemText(1, QStringLiteral("two"));
    combo.setCurrentIndex(2);
    QTRY_VERIFY(combo.popupList());
    QCOMPARE(describeRows(combo), describeItems(combo));
    QVERIFY(!combo.popupWindow()->parent());
    QVERIFY(combo.popupWindow()->windowFlags() & Qt::Popup);

    // A combo shown before the set-up ran makes its popup on demand.
    TouchComboBox early;
    early.addItem(QStringLiteral("only"));
    early.showPopup();
    QVERIFY(early.popupWindow());
    QVERIFY(early.popupWindow()->isVisible());
    early.hidePopup();
}

void TestTouchComboBox::emptyComboOpensNothing()
{
    TouchComboBox combo;
    combo.show();
    QTRY_VERIFY(combo.popupWindow());
    QTest::mouseClick(&combo, Qt::LeftButton);
    QVERIFY(!combo.popupWindow()->isVisible());
    QVERIFY(!combo.isPopupOpen());
}

void TestTouchComboBox::popupHeight_data()
{
    QTest::addColumn<int>("items");
    QTest::addColumn<int>("height");
    QTest::newRow("1") << 1 << 60;
    QTest::newRow("5") << 5 << 260;
    QTest::newRow("6") << 6 << 310;
    QTest::newRow("256") << 256 << 310;
}

void TestTouchComboBox::popupHeight()
{
    QFETCH(int, items);
    QFETCH(int, height);
    QWidget window;
    window.move(0, 0);
    auto *combo = new TouchComboBox(&window);
    combo->setGeometry(10, 10, 120, 30);
    for (int i = 0; i < items; ++i)
        combo->addItem(QString::number(i));
    window.show();
    QTest::mouseClick(combo, Qt::LeftButton);
    QVERIFY(combo->isPopupOpen());
    QCOMPARE(combo->popupWindow()->height(), height);
    QCOMPARE(combo->popupWindow()->width(), combo->width());
    // Just below the combo.
    QCOMPARE(combo->popupWindow()->geometry().topLeft(), combo->mapToGlobal(QPoint(0, combo->height())));
    combo->hidePopup();
}

void TestTouchComboBox::popupWidensForLongTexts()
{
    TouchComboBox combo;
    combo.resize(80, 30);
    const QString longText = QStringLiteral("Control Change Toggle On Release");
    combo.addItems({QStringLiteral("a"), longText});
    combo.show();
    combo.showPopup();
    const int advance = QFontMetrics(combo.popupList()->font()).horizontalAdvance(longText);
    QVERIFY(advance + 35 > 80);
    QCOMPARE(combo.popupWindow()->width(), advance + 35);
    combo.hidePopup();
}

void TestTouchComboBox::popupOpensAboveNearScreenBottom()
{
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    QWidget window(nullptr, Qt::FramelessWindowHint);
    auto *combo = new TouchComboBox(&window);
    combo->setGeometry(0, 0, 100, 30);
    window.setGeometry(available.left() + 20, available.bottom() - 60, 100, 30);
    for (int i = 0; i < 10; ++i)
        combo->addItem(QString::number(i));
    window.show();
    combo->showPopup();
    const QRect popup = combo->popupWindow()->geometry();
    QCOMPARE(popup.height(), 310);
    // Its lower edge on the combo's upper edge.
    QCOMPARE(popup.bottom() + 1, combo->mapToGlobal(QPoint(0, 0)).y());
    combo->hidePopup();
}

void TestTouchComboBox::rowClickChoosesItemAndCloses()
{
    TouchComboBox combo;
    combo.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    combo.show();
    QSignalSpy changed(&combo, QOverload<int>::of(&QComboBox::currentIndexChanged));
    QSignalSpy activated(&combo, QOverload<int>::of(&QComboBox::activated));
    QSignalSpy activatedText(&combo, &QComboBox::textActivated);
    QTest::mouseClick(&combo, Qt::LeftButton);
    QVERIFY(combo.isPopupOpen());
    TouchScrollListWidget *list = combo.popupList();
    QCOMPARE(list->currentRow(), 0);

    const QPoint rowCentre = list->visualItemRect(list->item(2)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rowCentre);
    QCOMPARE(combo.currentIndex(), 2);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 2);
    QCOMPARE(activatedText.count(), 0);
    QVERIFY(!combo.popupWindow()->isVisible());
    QVERIFY(!combo.isPopupOpen());

    // Reopens at once, on the chosen row.
    QTest::mouseClick(&combo, Qt::LeftButton);
    QVERIFY(combo.popupWindow()->isVisible());
    QCOMPARE(list->currentRow(), 2);
    combo.hidePopup();
}

void TestTouchComboBox::comboDestroyedByItsOwnChoice()
{
    // A form destroyed on a choice takes its combo and the combo's parentless
    // popup with it, while the popup's list is still handling the click.
    auto *form = new QWidget;
    auto *combo = new TouchComboBox(form);
    combo->addItems({QStringLiteral("keep"), QStringLiteral("close")});
    form->show();
    connect(combo, QOverload<int>::of(&QComboBox::activated), this, [form] { delete form; });
    combo->showPopup();
    QPointer<QWidget> popup = combo->popupWindow();
    QPointer<TouchComboBox> comboAlive = combo;
    TouchScrollListWidget *list = combo->popupList();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                      list->visualItemRect(list->item(1)).center());
    QTRY_VERIFY(comboAlive.isNull());
    QTRY_VERIFY(popup.isNull());
}

void TestTouchComboBox::closeFromOutsideDoesNotReopenAtOnce()
{
    TouchComboBox combo;
    combo.addItems({QStringLiteral("a"), QStringLiteral("b")});
    combo.show();
    QTest::mouseClick(&combo, Qt::LeftButton);
    QWidget *popup = combo.popupWindow();
    QVERIFY(popup->isVisible());

    // Qt closes a popup when the user clicks outside it, here on the combo.
    popup->close();
    QVERIFY(!popup->isVisible());
    QTest::mouseClick(&combo, Qt::LeftButton);
    QVERIFY(!popup->isVisible());

    QTRY_VERIFY(!combo.isPopupOpen());
    QTest::mouseClick(&combo, Qt::LeftButton);
    QVERIFY(popup->isVisible());
    combo.hidePopup();
}

void TestTouchComboBox::otherHidesLetThePopupOpenAgain()
{
    QWidget window;
    auto *combo = new TouchComboBox(&window);
    combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
    window.show();
    combo->showPopup();
    QVERIFY(combo->popupWindow()->isVisible());
    // QComboBox hides its popup itself when it is disabled.
    combo->setEnabled(false);
    QVERIFY(!combo->popupWindow()->isVisible());
    combo->setEnabled(true);
    QTest::mouseClick(combo, Qt::LeftButton);
    QVERIFY(combo->popupWindow()->isVisible());
    combo->hidePopup();
}

void TestTouchComboBox::wheelNeverChangesClosedCombo()
{
    QWidget window;
    auto *combo = new TouchComboBox(&window);
    combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    combo->setCurrentIndex(1);
    window.show();
    QSignalSpy changed(combo, QOverload<int>::of(&QComboBox::currentIndexChanged));
    for (int delta : {120, -120, -240}) {
        QWheelEvent wheel(QPointF(5, 5), combo->mapToGlobal(QPoint(5, 5)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(combo, &wheel);
        // Left unaccepted, so that the system passes it on to what holds the combo.
        QVERIFY(!wheel.isAccepted());
    }
    QCOMPARE(combo->currentIndex(), 1);
    QCOMPARE(changed.count(), 0);
}

void TestTouchComboBox::wheelScrollsOpenList()
{
    TouchComboBox combo;
    for (int v = 0; v < 256; ++v)
        combo.addItem(QString::number(v), v);
    combo.show();
    combo.showPopup();
    TouchScrollListWidget *list = combo.popupList();
    QScrollBar *bar = list->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    const int before = bar->value();
    QWheelEvent wheel(QPointF(10, 10), list->viewport()->mapToGlobal(QPoint(10, 10)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(list->viewport(), &wheel);
    QVERIFY(bar->value() > before);
    QCOMPARE(combo.currentIndex(), 0);
    combo.hidePopup();
}

void TestTouchComboBox::rightButtons()
{
    TouchComboBox combo;
    combo.addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
    combo.show();
    QTest::mouseClick(&combo, Qt::RightButton);
    QVERIFY(!combo.isPopupOpen());

    combo.showPopup();
    TouchScrollListWidget *list = combo.popupList();
    QSignalSpy clicked(list, &QListWidget::itemClicked);
    QTest::mouseClick(list->viewport(), Qt::RightButton, Qt::NoModifier,
                      list->visualItemRect(list->item(1)).center());
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(combo.currentIndex(), 0);
    combo.hidePopup();
}

void TestTouchComboBox::dragScrollsWithoutChoosing()
{
    TouchComboBox combo;
    for (int v = 0; v < 256; ++v)
        combo.addItem(QString::number(v));
    combo.show();
    combo.showPopup();
    TouchScrollListWidget *list = combo.popupList();
    QWidget *viewport = list->viewport();
    QScrollBar *bar = list->verticalScrollBar();
    bar->setValue(100);
    QSignalSpy clicked(list, &QListWidget::itemClicked);
    const QPoint start(20, 200);

    sendMouse(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    const QListWidgetItem *pressedRow = list->currentItem();
    sendMouse(viewport, QEvent::MouseMove, start - QPoint(0, 10), Qt::NoButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, start - QPoint(0, 30), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(bar->value(), 130); // the content follows the pointer
    QCOMPARE(list->currentItem(), pressedRow); // a drag selects no other row
    sendMouse(viewport, QEvent::MouseButtonRelease, start - QPoint(0, 30), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(clicked.count(), 0);
    QCOMPARE(combo.currentIndex(), 0);
    QVERIFY(combo.isPopupOpen());

    // A move without a press does nothing.
    const int value = bar->value();
    sendMouse(viewport, QEvent::MouseMove, start, Qt::NoButton, Qt::NoButton);
    QCOMPARE(bar->value(), value);
    combo.hidePopup();
}

void TestTouchComboBox::shortDragStillChoosesRow()
{
    TouchComboBox combo;
    for (int v = 0; v < 50; ++v)
        combo.addItem(QString::number(v));
    combo.show();
    combo.showPopup();
    TouchScrollListWidget *list = combo.popupList();
    QWidget *viewport = list->viewport();
    const QPoint start = list->visualItemRect(list->item(2)).center();
    QSignalSpy activated(&combo, QOverload<int>::of(&QComboBox::activated));

    sendMouse(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, start + QPoint(3, 0), Qt::NoButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseButtonRelease, start + QPoint(7, 0), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(activated.count(), 1);
    QCOMPARE(activated.at(0).at(0).toInt(), 2);
    QCOMPARE(combo.currentIndex(), 2);
}

void TestTouchComboBox::fastDragGlidesAndStops()
{
    TouchComboBox combo;
    for (int v = 0; v < 256; ++v)
        combo.addItem(QString::number(v));
    combo.show();
    combo.showPopup();
    TouchScrollListWidget *list = combo.popupList();
    QWidget *viewport = list->viewport();
    QScrollBar *bar = list->verticalScrollBar();
    const QPoint start(20, 250);

    sendMouse(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    QPoint pos = start;
    for (int i = 0; i < 3; ++i) {
        waitForNextMillisecond();
        pos -= QPoint(0, 40);
        sendMouse(viewport, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
    }
    const int afterDrag = bar->value();
    QCOMPARE(afterDrag, 120);
    sendMouse(viewport, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    QVERIFY(list->isGliding());
    QTRY_VERIFY_WITH_TIMEOUT(!list->isGliding(), 10000);
    // Upwards drag: the list keeps moving the same way.
    QVERIFY(bar->value() > afterDrag);

    // A press stops a glide at once.
    sendMouse(viewport, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    pos = start;
    for (int i = 0; i < 3; ++i) {
        waitForNextMillisecond();
        pos += QPoint(0, 40);
        sendMouse(viewport, QEvent::MouseMove, pos, Qt::NoButton, Qt::LeftButton);
    }
    sendMouse(viewport, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    QVERIFY(list->isGliding());
    sendMouse(viewport, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
    QVERIFY(!list->isGliding());
    sendMouse(viewport, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
    combo.hidePopup();
}

void TestTouchComboBox::glideArithmetic()
{
    using namespace touchscroll;
    // A drag measured at 200 px/s glides 5, 4, 3, 2, 1 px and stops.
    int step = glideStep(200, 40);
    QCOMPARE(step, 5);
    int value = 500;
    QList<int> moves;
    while (step != 0) {
        const GlideTick tick = glideTick(value, step, 0, 1000);
        moves << value - tick.value;
        value = tick.value;
        step = tick.step;
    }
    QCOMPARE(moves, (QList<int>{5, 4, 3, 2, 1}));
    QCOMPARE(value, 485);

    // The ends stop a glide at once.
    GlideTick top = glideTick(10, 50, 0, 1000);
    QCOMPARE(top.value, 0);
    QCOMPARE(top.step, 0);
    GlideTick bottom = glideTick(990, -50, 0, 1000);
    QCOMPARE(bottom.value, 1000);
    QCOMPARE(bottom.step, 0);
    // A larger step shrinks by 5 % per tick.
    QCOMPARE(glideTick(500, 100, 0, 1000).step, 95);

    // Slow or tiny releases do not glide.
    QCOMPARE(glideStep(150, 40), 0);
    QCOMPARE(glideStep(-151, 40), -3);
    QCOMPARE(glideStep(4000, 2), 0);

    // Speed: the first sample is taken as is, later ones are smoothed, and
    // everything is bounded to 5000 px/s.
    QCOMPARE(smoothedVelocity(0, 10, 50), 200);
    QCOMPARE(smoothedVelocity(200, 20, 50), 260); // 0.7 * 200 + 0.3 * 400
    QCOMPARE(smoothedVelocity(0, 500, 1), kMaxVelocity);
    QCOMPARE(smoothedVelocity(0, -500, 1), -kMaxVelocity);
    QCOMPARE(smoothedVelocity(-100, 7, 3), -70 + 699); // trunc(-70 + 699.9)
}

TAVRO_TEST_MAIN(TestTouchComboBox)
#include "test_touchcombobox.moc"
