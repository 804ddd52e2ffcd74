#include "autodisappermsgbox.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QGraphicsOpacityEffect>
#include <QPointer>

namespace {

QList<AutoDisapperMsgBox *> notices(QWidget *parent)
{
    return parent->findChildren<AutoDisapperMsgBox *>(QString(), Qt::FindDirectChildrenOnly);
}

qreal opacityOf(QWidget *w)
{
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(w->graphicsEffect());
    return effect ? effect->opacity() : -1.0;
}

} // namespace

class TestAutoDisapperMsgBox : public QObject
{
    Q_OBJECT

private slots:
    void sizeAndPlacement_data();
    void sizeAndPlacement();
    void longTextGrowsDownwardsAndStaysInsideParent();
    void constructorTimesAndDefaults();
    void nullParentShowsNothing();
    void lifetimeFadesInStaysFadesOutAndDeletes();
    void twoNoticesAreIndependent();
    void parentDestroyedWhileVisible();
};

void TestAutoDisapperMsgBox::sizeAndPlacement_data()
{
    QTest::addColumn<int>("parentWidth");
    QTest::addColumn<int>("expectedWidth");
    QTest::newRow("300 px parent: raised to 300") << 300 << 300;
    QTest::newRow("450 px parent: 0.8 of it") << 450 << 360;
    QTest::newRow("499 px parent: truncated") << 499 << 399;
    QTest::newRow("500 px parent: capped at 400") << 500 << 400;
    QTest::newRow("1600 px parent") << 1600 << 400;
    QTest::newRow("200 px parent: overhangs") << 200 << 300;
}

void TestAutoDisapperMsgBox::sizeAndPlacement()
{
    QFETCH(int, parentWidth);
    QFETCH(int, expectedWidth);
    QWidget parent;
    parent.resize(parentWidth, 400);
    parent.show();

    AutoDisapperMsgBox::showMessage(&parent, QStringLiteral("Saved"), 800);
    const auto list = notices(&parent);
    QCOMPARE(list.size(), 1);
    AutoDisapperMsgBox *box = list.first();
    QCOMPARE(box->width(), expectedWidth);
    QVERIFY(box->height() >= 40);
    QVERIFY(box->isVisible());
    QVERIFY(!box->isWindow());
    QVERIFY(box->testAttribute(Qt::WA_DeleteOnClose));

    // Centred across, a third of the free height above it; a parent narrower
    // than the notice gets its right edges aligned.
    const int expectedX = parentWidth >= expectedWidth ? (parentWidth - expectedWidth) / 2
                                                       : parentWidth - expectedWidth;
    QCOMPARE(box->x(), expectedX);
    QCOMPARE(box->y(), (400 - box->height()) / 3);
    QVERIFY(box->styleSheet().contains(QLatin1String("background-color:rgba(0, 0, 0, 200)")));
    QVERIFY(box->styleSheet().contains(QLatin1String("border-radius:15;")));
    QCOMPARE(box->text(), QStringLiteral("Saved"));
}

void TestAutoDisapperMsgBox::longTextGrowsDownwardsAndStaysInsideParent()
{
    QWidget parent;
    parent.resize(1000, 60);
    parent.show();
    AutoDisapperMsgBox::showMessage(&parent, QStringLiteral("short"), 800);
    const QString longText = QStringLiteral("a rather long message that has to wrap ").repeated(8);
    AutoDisapperMsgBox::showMessage(&parent, longText, 800);
    const auto list = notices(&parent);
    QCOMPARE(list.size(), 2);
    AutoDisapperMsgBox *shortBox = list.at(0);
    AutoDisapperMsgBox *longBox = list.at(1);
    QCOMPARE(longBox->width(), 400);
    QVERIFY(longBox->height() > 2 * shortBox->height());
    QVERIFY(longBox->wordWrap());
    // Taller than the parent: its lower edge sits on the parent's lower edge.
    QCOMPARE(longBox->y(), 60 - longBox->height());
}

void TestAutoDisapperMsgBox::constructorTimesAndDefaults()
{
    QWidget parent;
    auto *defaults = new AutoDisapperMsgBox(&parent, QStringLiteral("x"), 0, 0, 0);
    QCOMPARE(defaults->fadeInTime(), 150);
    QCOMPARE(defaults->fadeOutTime(), 150);
    QVERIFY(defaults->displayTime() > 0);

    // The fade-out time comes before the fade-in time.
    auto *given = new AutoDisapperMsgBox(&parent, QStringLiteral("x"), 500, 300, 200);
    QCOMPARE(given->displayTime(), 500);
    QCOMPARE(given->fadeOutTime(), 300);
    QCOMPARE(given->fadeInTime(), 200);
    given->setFadeInTime(0);
    given->setDisplayTime(-5);
    QCOMPARE(given->fadeInTime(), 200);
    QCOMPARE(given->displayTime(), 500);
    QVERIFY(given->testAttribute(Qt::WA_DeleteOnClose));
}

void TestAutoDisapperMsgBox::nullParentShowsNothing()
{
    const int before = QApplication::topLevelWidgets().size();
    AutoDisapperMsgBox::showMessage(nullptr, QStringLiteral("nobody"), 800);
    QCOMPARE(QApplication::topLevelWidgets().size(), before);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!qobject_cast<AutoDisapperMsgBox *>(w));
}

void TestAutoDisapperMsgBox::lifetimeFadesInStaysFadesOutAndDeletes()
{
    QWidget parent;
    parent.resize(600, 400);
    parent.show();
    QElapsedTimer clock;
    clock.start();
    AutoDisapperMsgBox::showMessage(&parent, QStringLiteral("Save successful"), 600);
    QPointer<AutoDisapperMsgBox> box = notices(&parent).value(0);
    QVERIFY(box);
    QVERIFY(opacityOf(box) < 0.5); // starts transparent

    QTRY_COMPARE(opacityOf(box), 1.0);
    QTRY_VERIFY_WITH_TIMEOUT(box.isNull(), 5000);
    // 150 ms in, 600 ms shown, 150 ms out; timers may fire a little early.
    QVERIFY2(clock.elapsed() >= 800, qPrintable(QString::number(clock.elapsed())));
    QVERIFY(notices(&parent).isEmpty());
}

void TestAutoDisapperMsgBox::twoNoticesAreIndependent()
{
    QWidget parent;
    parent.resize(600, 400);
    parent.show();
    AutoDisapperMsgBox::showMessage(&parent, QStringLiteral("first"), 2000);
    AutoDisapperMsgBox::showMessage(&parent, QStringLiteral("second"), 200);
    const auto list = notices(&parent);
    QCOMPARE(list.size(), 2);
    QPointer<AutoDisapperMsgBox> first = list.at(0);
    QPointer<AutoDisapperMsgBox> second = list.at(1);
    QVERIFY(first->isVisible() && second->isVisible());
    // The later one is drawn over the earlier one.
    QCOMPARE(parent.childAt(second->geometry().center()), second.data());

    QTRY_VERIFY_WITH_TIMEOUT(second.isNull(), 5000);
    QVERIFY(first);
    QVERIFY(first->isVisible());
}

void TestAutoDisapperMsgBox::parentDestroyedWhileVisible()
{
    auto *parent = new QWidget;
    parent->resize(600, 400);
    parent->show();
    AutoDisapperMsgBox::showMessage(parent, QStringLiteral("gone"), 100);
    QPointer<AutoDisapperMsgBox> box = notices(parent).value(0);
    QVERIFY(box);
    delete parent;
    QVERIFY(box.isNull());

    // Let a second notice live out the first one's schedule: any timer the
    // first one left behind would fire in the meantime.
    QWidget other;
    other.resize(600, 400);
    other.show();
    AutoDisapperMsgBox::showMessage(&other, QStringLiteral("later"), 300);
    QPointer<AutoDisapperMsgBox> later = notices(&other).value(0);
    QTRY_VERIFY_WITH_TIMEOUT(later.isNull(), 5000);
}

TAVRO_TEST_MAIN(TestAutoDisapperMsgBox)
#include "test_autodisappermsgbox.moc"
