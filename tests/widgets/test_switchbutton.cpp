#include "switchbutton.h"
#include "testmain.h"

#include <QImage>

namespace {

// The switch drawn on a transparent image, without any window background.
QImage paintOf(switchbutton &sw)
{
    QImage image(sw.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    sw.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

void press(switchbutton &sw, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mousePress(&sw, button, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(&sw, button, Qt::NoModifier, QPoint(5, 5));
}

} // namespace

class TestSwitchButton : public QObject
{
    Q_OBJECT

private slots:
    void defaultsAndKnobEnds();
    void pressTogglesAndReportsOnce();
    void rightButtonTogglesToo();
    void setCheckedIsSilent();
    void checkedPropertySlides();
    void withoutAnimationTheKnobJumpsAfterTheReport();
    void toggleDuringSlideTurnsBack();
    void paintingOnAndOff();
    void tallSwitchKnobDoesNotTravel();
    void disabledLook();
};

void TestSwitchButton::defaultsAndKnobEnds()
{
    switchbutton sw;
    sw.resize(60, 30);
    sw.show(); // the ends follow the size at each resize event
    QCOMPARE(sw.getStartX(), 2);
    QCOMPARE(sw.getEndX(), 32);
    QCOMPARE(sw.getChecked(), false);
    QCOMPARE(sw.getTextOn(), QStringLiteral("ON"));
    QCOMPARE(sw.getTextOff(), QStringLiteral("OFF"));
    QTRY_COMPARE(sw.getSliderPosition(), 2);

    sw.setSpace(4);
    QCOMPARE(sw.getStartX(), 4);
    QCOMPARE(sw.getEndX(), 34);
}

void TestSwitchButton::pressTogglesAndReportsOnce()
{
    switchbutton sw;
    sw.resize(60, 30);
    sw.show();
    QCoreApplication::processEvents();
    QSignalSpy spy(&sw, &switchbutton::statusChanged);
    press(sw);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toBool(), true);
    QVERIFY(sw.getChecked());
    QTRY_COMPARE(sw.getSliderPosition(), 32);

    press(sw);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toBool(), false);
    QTRY_COMPARE(sw.getSliderPosition(), 2);
}

void TestSwitchButton::rightButtonTogglesToo()
{
    switchbutton sw;
    sw.resize(60, 30);
    sw.show();
    QSignalSpy spy(&sw, &switchbutton::statusChanged);
    press(sw, Qt::RightButton);
    QCOMPARE(spy.count(), 1);
    QVERIFY(sw.getChecked());
}

void TestSwitchButton::setCheckedIsSilent()
{
    switchbutton sw;
    sw.resize(60, 30);
    sw.show();
    QCoreApplication::processEvents();
    QCOMPARE(sw.getSliderPosition(), 2);
    QSignalSpy spy(&sw, &switchbutton::statusChanged);

    sw.setChecked(true, false); // jumps
    QVERIFY(sw.getChecked());
    QCOMPARE(sw.getSliderPosition(), 32);
    sw.setChecked(true, true); // unchanged: nothing
    QCOMPARE(sw.getSliderPosition(), 32);
    sw.setChecked(false, true); // slides
    QVERIFY(!sw.getChecked());
    QTRY_COMPARE(sw.getSliderPosition(), 2);
    QCOMPARE(spy.count(), 0);
}

void TestSwitchButton::checkedPropertySlides()
{
    switchbutton sw;
    sw.resize(60, 30);
    sw.show();
    QCoreApplication::processEvents(); // the knob's first placement is deferred
    QCOMPARE(sw.getSliderPosition(), 2);
    QSignalSpy spy(&sw, &switchbutton::statusChanged);
    QList<int> positions;
    QTimer sampler;
    sampler.setInterval(10);
    connect(&sampler, &QTimer::timeout, this, [&] { positions << sw.getSliderPosition(); });
    sampler.start();

    QVERIFY(sw.setProperty("checked", true));
    QVERIFY(sw.getChecked());
    QVERIFY(sw.getSliderPosition() < 32); // not there at once
    QTRY_COMPARE(sw.getSliderPosition(), 32);
    sampler.stop();
    QCOMPARE(spy.count(), 0);
    QCOMPARE(sw.property("checked").toBool(), true);
    // Passed through positions between the ends.
    QVERIFY(std::any_of(positions.cbegin(), positions.cend(), [](int p) { return p > 2 && p < 32; }));
}

void TestSwitchButton::withoutAnimationTheKnobJumpsAfterTheReport()
{
    switchbutton sw;
    sw.resize(60, 30);
    sw.setAnimation(false);
    sw.show();
    QCoreApplication::processEvents();
    QCOMPARE(sw.getSliderPosition(), 2);
    int positionAtReport = -1;
    connect(&sw, &switchbutton::statusChanged, this, [&] { positionAtReport = sw.getSliderPosition(); });
    press(sw);
    QCOMPARE(positionAtReport, 2);
    QCOMPARE(sw.getSliderPosition(), 32);

    // setChecked with animate true still jumps when the switch does not animate.
    sw.setChecked(false, true);
    QCOMPARE(sw.getSliderPosition(), 2);
}

void TestSwitchButton::toggleDuringSlideTurnsBack()
{
    switchbutton sw;
    sw.resize(200, 30);
    sw.show();
    QCoreApplication::processEvents();
    QCOMPARE(sw.getSliderPosition(), 2);
    press(sw);
    QTRY_VERIFY(sw.getSliderPosition() > 2);
    press(sw);
    QVERIFY(!sw.getChecked());
    QTRY_COMPARE(sw.getSliderPosition(), 2);
    // A resize places the knob by the state at once.
    sw.setChecked(true, false);
    sw.resize(100, 30);
    QCOMPARE(sw.getSliderPosition(), 72);
}

void TestSwitchButton::paintingOnAndOff()
{
    switchbutton sw;
    sw.resize(60, 30);
    sw.setChecked(true, false);
    QImage on = paintOf(sw);
    // Knob from x 32 to 57; the pill's green at the far left.
    QCOMPARE(on.pixelColor(44, 15), QColor(255, 255, 255));
    QCOMPARE(on.pixelColor(3, 15), QColor(50, 255, 50));
    QCOMPARE(on.pixelColor(30, 2), QColor(50, 255, 50));
    QCOMPARE(on.pixelColor(0, 0).alpha(), 0); // outside the rounded end
    // The text sits in the left half only.
    bool textLeft = false;
    for (int x = 5; x < 30; ++x)
        for (int y = 0; y < 30; ++y)
            textLeft = textLeft || on.pixelColor(x, y) == QColor(255, 255, 255);
    QVERIFY(textLeft);

    sw.setChecked(false, false);
    QImage off = paintOf(sw);
    QCOMPARE(off.pixelColor(15, 15), QColor(255, 255, 255));
    QCOMPARE(off.pixelColor(57, 15), QColor(190, 190, 190));

    // Without text the free half is plain pill colour.
    sw.setShowText(false);
    QImage plain = paintOf(sw);
    for (int x = 30; x < 55; ++x)
        QCOMPARE(plain.pixelColor(x, 15), QColor(190, 190, 190));
    QVERIFY(plain != off);
}

void TestSwitchButton::tallSwitchKnobDoesNotTravel()
{
    switchbutton sw;
    sw.resize(30, 60);
    sw.show();
    QCOMPARE(sw.getStartX(), 2);
    QCOMPARE(sw.getEndX(), 2);
    sw.setChecked(true, false);
    QCOMPARE(sw.getSliderPosition(), 2);
    QImage image = paintOf(sw);
    QCOMPARE(image.pixelColor(15, 15), QColor(255, 255, 255));
}

void TestSwitchButton::disabledLook()
{
    switchbutton sw;
    sw.resize(60, 30);
    sw.setChecked(true, false);
    sw.setEnabled(false);
    QImage image = paintOf(sw);
    QCOMPARE(image.pixelColor(3, 15).alpha(), 150);
    QCOMPARE(image.pixelColor(44, 15), QColor(255, 255, 255)); // knob at full colour

    sw.show();
    QSignalSpy spy(&sw, &switchbutton::statusChanged);
    QTest::mouseClick(&sw, Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    QVERIFY(sw.getChecked());
}

TAVRO_TEST_MAIN(TestSwitchButton)
#include "test_switchbutton.moc"
