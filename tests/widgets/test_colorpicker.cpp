#include "colorarea.h"
#include "colorpicker.h"
#include "touchcombobox.h"
#include "testmain.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QSlider>
#include <QPushButton>

namespace {

struct PickerParts
{
    ColorArea *area;
    QSlider *slider;
    TouchComboBox *r;
    TouchComboBox *g;
    TouchComboBox *b;
};

PickerParts partsOf(ColorPicker &picker)
{
    return {picker.findChild<ColorArea *>(), picker.findChild<QSlider *>(QStringLiteral("slider_Brightness")),
            picker.findChild<TouchComboBox *>(QStringLiteral("comboBox_R")),
            picker.findChild<TouchComboBox *>(QStringLiteral("comboBox_G")),
            picker.findChild<TouchComboBox *>(QStringLiteral("comboBox_B"))};
}

QColor comboColour(const PickerParts &p)
{
    return QColor(p.r->currentIndex(), p.g->currentIndex(), p.b->currentIndex());
}

void pressArea(ColorArea *area, const QPoint &pos)
{
    QMouseEvent press(QEvent::MouseButtonPress, pos, area->mapToGlobal(pos), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(area, &press);
}

void dragArea(ColorArea *area, const QPoint &pos)
{
    QMouseEvent move(QEvent::MouseMove, pos, area->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(area, &move);
}

} // namespace

class TestColorPicker : public QObject
{
    Q_OBJECT

private slots:
    void freshPicker();
    void setCurrentColorIsSilent();
    void brightnessScalesBaseColourAndReportsOnce();
    void comboChangeResetsBrightnessSilently();
    void areaPickingAtEdges();
    void areaPickKeepsBrightness();
    void continuousDragIsThrottled();
    void confirmAndCancel();
    void escapeRejectsWithoutCancelled();
    void areaPositionsOfColours();
};

void TestColorPicker::freshPicker()
{
    ColorPicker picker;
    const PickerParts p = partsOf(picker);
    QVERIFY(p.area && p.slider && p.r && p.g && p.b);
    QCOMPARE(picker.currentColor(), QColor(255, 0, 0));
    QCOMPARE(comboColour(p), QColor(255, 0, 0));
    QCOMPARE(p.r->count(), 256);
    QCOMPARE(p.r->itemData(200).toInt(), 200);
    QCOMPARE(p.slider->value(), 255);

    picker.show();
    QTRY_VERIFY(p.area->width() > 0);
    QCOMPARE(p.area->markerPosition(), QPoint((p.area->width() - 1) / 2, (p.area->height() - 1) / 2));
    QVERIFY(picker.findChild<QLabel *>(QStringLiteral("label_colorPreview"))
                ->styleSheet()
                .contains(QLatin1String("background-color: #ff0000;")));
}

void TestColorPicker::setCurrentColorIsSilent()
{
    ColorPicker picker;
    const PickerParts p = partsOf(picker);
    picker.show();
    QTRY_VERIFY(p.area->width() > 0);
    QSignalSpy changed(&picker, &ColorPicker::colorChanged);

    picker.setCurrentColor(QColor());
    QCOMPARE(picker.currentColor(), QColor(255, 0, 0));

    picker.setCurrentColor(Qt::white);
    QCOMPARE(picker.currentColor(), QColor(Qt::white));
    QCOMPARE(comboColour(p), QColor(255, 255, 255));
    QCOMPARE(p.slider->value(), 255);
    // A grey has hue 0 and saturation 0: bottom-left corner.
    QCOMPARE(p.area->markerPosition(), QPoint(0, p.area->height() - 1));

    picker.setCurrentColor(QColor(10, 20, 30));
    QCOMPARE(comboColour(p), QColor(10, 20, 30));
    QVERIFY(!changed.wait(2 * ColorPicker::kThrottleMs + 100));
}

void TestColorPicker::brightnessScalesBaseColourAndReportsOnce()
{
    ColorPicker picker;
    const PickerParts p = partsOf(picker);
    picker.setCurrentColor(QColor(200, 100, 50));
    QSignalSpy changed(&picker, &ColorPicker::colorChanged);

    p.slider->setValue(128);
    const QColor half(qRound(200 * 128 / 255.0), qRound(100 * 128 / 255.0), qRound(50 * 128 / 255.0));
    QCOMPARE(picker.currentColor(), half);
    QCOMPARE(comboColour(p), half);
    QCOMPARE(changed.count(), 0); // not before the throttle period ends
    QVERIFY(changed.wait());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.at(0).at(0).value<QColor>(), half);

    p.slider->setValue(0);
    QCOMPARE(picker.currentColor(), QColor(0, 0, 0));
    QCOMPARE(comboColour(p), QColor(0, 0, 0));
    p.slider->setValue(255); // same burst: one report, with the colour at its end
    QCOMPARE(picker.currentColor(), QColor(200, 100, 50));
    QVERIFY(changed.wait());
    QCOMPARE(changed.count(), 2);
    QCOMPARE(changed.at(1).at(0).value<QColor>(), QColor(200, 100, 50));
    QVERIFY(!changed.wait(2 * ColorPicker::kThrottleMs + 100));
}

void TestColorPicker::comboChangeResetsBrightnessSilently()
{
    ColorPicker picker;
    const PickerParts p = partsOf(picker);
    picker.setCurrentColor(QColor(100, 100, 100));
    p.slider->setValue(51);
    QSignalSpy changed(&picker, &ColorPicker::colorChanged);
    QVERIFY(changed.wait());
    QCOMPARE(picker.currentColor(), QColor(20, 20, 20));

    QSignalSpy sliderMoved(p.slider, &QSlider::valueChanged);
    p.g->setCurrentIndex(128);
    QCOMPARE(picker.currentColor(), QColor(20, 128, 20));
    QCOMPARE(p.slider->value(), 255);
    QCOMPARE(sliderMoved.count(), 0);
    QCOMPARE(p.area->color(), QColor(20, 128, 20));
    QVERIFY(changed.wait());
    QCOMPARE(changed.last().at(0).value<QColor>(), QColor(20, 128, 20));

    // The slider now scales the combo colour.
    p.slider->setValue(0);
    QCOMPARE(picker.currentColor(), QColor(0, 0, 0));
    p.slider->setValue(255);
    QCOMPARE(picker.currentColor(), QColor(20, 128, 20));
}

void TestColorPicker::areaPickingAtEdges()
{
    ColorArea area;
    area.resize(360, 200);
    area.show();
    QSignalSpy changed(&area, &ColorArea::colorChanged);

    pressArea(&area, QPoint(360, 0)); // right and top edges
    QCOMPARE(area.color().hsvHue(), 359);
    QCOMPARE(area.color().hsvSaturation(), 255);
    QCOMPARE(area.color().value(), 255);
    QCOMPARE(area.markerPosition(), QPoint(360, 0));

    pressArea(&area, QPoint(-20, 500)); // clamped to the left and bottom edges
    QCOMPARE(area.markerPosition(), QPoint(0, 200));
    QCOMPARE(area.color().saturation(), 0);
    QCOMPARE(area.color().rgb(), QColor(255, 255, 255).rgb());

    pressArea(&area, QPoint(180, 100));
    QCOMPARE(area.color().hsvHue(), 179);
    QCOMPARE(area.color().hsvSaturation(), 127);
    QCOMPARE(changed.count(), 3);

    // Moves count only while the left button is held.
    QMouseEvent hover(QEvent::MouseMove, QPointF(10, 10), area.mapToGlobal(QPoint(10, 10)), Qt::NoButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&area, &hover);
    QMouseEvent right(QEvent::MouseButtonPress, QPointF(10, 10), area.mapToGlobal(QPoint(10, 10)),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(&area, &right);
    QCOMPARE(changed.count(), 3);
}

void TestColorPicker::areaPickKeepsBrightness()
{
    ColorPicker picker;
    const PickerParts p = partsOf(picker);
    picker.show();
    QTRY_VERIFY(p.area->width() > 0);
    p.slider->setValue(51); // 20 %
    pressArea(p.area, QPoint(0, 0)); // hue 0, full saturation: red
    QCOMPARE(picker.currentColor(), QColor(51, 0, 0));
    QCOMPARE(comboColour(p), QColor(51, 0, 0));
    QCOMPARE(p.slider->value(), 51);
}

void TestColorPicker::continuousDragIsThrottled()
{
    ColorPicker picker;
    const PickerParts p = partsOf(picker);
    picker.show();
    QTRY_VERIFY(p.area->width() > 0);
    QList<QColor> reported;
    bool matchedCurrent = true;
    connect(&picker, &ColorPicker::colorChanged, this, [&](QColor c) {
        reported << c;
        matchedCurrent = matchedCurrent && c == picker.currentColor();
    });

    const int w = p.area->width();
    int x = 0;
    QElapsedTimer clock;
    clock.start();
    pressArea(p.area, QPoint(0, 10));
    QTimer mover;
    mover.setInterval(5);
    connect(&mover, &QTimer::timeout, this, [&] {
        x = (x + 3) % w;
        dragArea(p.area, QPoint(x, 10 + x % 50));
    });
    mover.start();
    QTRY_VERIFY_WITH_TIMEOUT(clock.elapsed() >= 1000, 3000);
    mover.stop();
    const QColor last = picker.currentColor();
    QTRY_VERIFY(!reported.isEmpty() && reported.last() == last);

    QVERIFY2(reported.size() <= 7, qPrintable(QString::number(reported.size())));
    QVERIFY(reported.size() >= 2);
    QVERIFY(matchedCurrent);
}

void TestColorPicker::confirmAndCancel()
{
    {
        ColorPicker picker;
        picker.setCurrentColor(QColor(1, 2, 3));
        QSignalSpy confirmed(&picker, &ColorPicker::confirmed);
        QSignalSpy cancelled(&picker, &ColorPicker::cancelled);
        QSignalSpy finished(&picker, &QDialog::finished);
        picker.open();
        QTest::mouseClick(picker.findChild<QPushButton *>(QStringLiteral("btn_Confirm")), Qt::LeftButton);
        QCOMPARE(confirmed.count(), 1);
        QCOMPARE(confirmed.at(0).at(0).value<QColor>(), QColor(1, 2, 3));
        QCOMPARE(cancelled.count(), 0);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(picker.result(), int(QDialog::Accepted));
        QVERIFY(!picker.isVisible());
    }
    {
        ColorPicker picker;
        QSignalSpy confirmed(&picker, &ColorPicker::confirmed);
        QSignalSpy cancelled(&picker, &ColorPicker::cancelled);
        QSignalSpy finished(&picker, &QDialog::finished);
        picker.open();
        QTest::mouseClick(picker.findChild<QPushButton *>(QStringLiteral("btn_Cancel")), Qt::LeftButton);
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(confirmed.count(), 0);
        QCOMPARE(finished.count(), 1);
        QCOMPARE(picker.result(), int(QDialog::Rejected));
        QVERIFY(!picker.isVisible());
    }
    {
        // A page deletes its picker on close.
        QPointer<ColorPicker> picker = new ColorPicker;
        picker->setAttribute(Qt::WA_DeleteOnClose);
        picker->open();
        QTest::mouseClick(picker->findChild<QPushButton *>(QStringLiteral("btn_Confirm")), Qt::LeftButton);
        QTRY_VERIFY(picker.isNull());
    }
}

void TestColorPicker::escapeRejectsWithoutCancelled()
{
    ColorPicker picker;
    QSignalSpy cancelled(&picker, &ColorPicker::cancelled);
    QSignalSpy rejected(&picker, &QDialog::rejected);
    picker.open();
    QTest::keyClick(&picker, Qt::Key_Escape);
    QCOMPARE(rejected.count(), 1);
    QCOMPARE(picker.result(), int(QDialog::Rejected));
    QCOMPARE(cancelled.count(), 0);

    // Closed any other way (a click outside the popup): rejected as well.
    picker.open();
    picker.close();
    QCOMPARE(rejected.count(), 2);
    QCOMPARE(cancelled.count(), 0);
}

void TestColorPicker::areaPositionsOfColours()
{
    QCOMPARE(ColorArea::positionForColor(QColor(Qt::red), 0, 100), QPoint(0, 0));
    QCOMPARE(ColorArea::positionForColor(QColor(Qt::red), 201, 101), QPoint(0, 0));
    QCOMPARE(ColorArea::positionForColor(QColor(128, 128, 128), 201, 101), QPoint(0, 100));
    QCOMPARE(ColorArea::positionForColor(QColor::fromHsv(180, 0, 255), 361, 256), QPoint(180, 255));

    // A colour placed by its position and picked there again comes back
    // close to itself.
    ColorArea area;
    area.resize(360, 256);
    area.show();
    QTRY_COMPARE(area.width(), 360);
    area.setColor(QColor::fromHsv(240, 200, 255));
    const QPoint at = area.markerPosition();
    pressArea(&area, at);
    QVERIFY(qAbs(area.color().hsvHue() - 240) <= 2);
    QVERIFY(qAbs(area.color().hsvSaturation() - 200) <= 2);
}

TAVRO_TEST_MAIN(TestColorPicker)
#include "test_colorpicker.moc"
