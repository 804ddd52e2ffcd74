// Renders every common widget offscreen to PNG files so that a reviewer can
// look at them. The folder comes from TAVRO_WIDGET_SHOTS_DIR in the
// environment, else from the build.
#include "autodisappermsgbox.h"
#include "colorarea.h"
#include "colorpicker.h"
#include "leddisplay.h"
#include "switchbutton.h"
#include "toastwidget.h"
#include "touchcombobox.h"
#include "testmain.h"

#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QImage>
#include <QSet>

class TestWidgetRender : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fadingMessage();
    void touchComboPopup();
    void colourPicker();
    void switches();
    void toast();
    void segmentDisplay();

private:
    void save(const QPixmap &pixmap, const QString &name);
    QDir m_dir;
};

void TestWidgetRender::initTestCase()
{
    QString path = qEnvironmentVariable("TAVRO_WIDGET_SHOTS_DIR");
    if (path.isEmpty())
        path = QStringLiteral(TAVRO_WIDGET_SHOTS_DIR);
    QVERIFY(QDir().mkpath(path));
    m_dir = QDir(path);
}

// Saves the picture and checks that it shows something (not one flat colour).
void TestWidgetRender::save(const QPixmap &pixmap, const QString &name)
{
    QVERIFY(!pixmap.isNull());
    const QImage image = pixmap.toImage();
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 3; y += 2)
        for (int x = 0; x < image.width() && colours.size() < 3; x += 2)
            colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() >= 3, qPrintable(name));
    const QString file = m_dir.filePath(name + QStringLiteral(".png"));
    QVERIFY2(pixmap.save(file), qPrintable(file));
    qInfo("wrote %s", qPrintable(file));
}

void TestWidgetRender::fadingMessage()
{
    QWidget parent;
    parent.resize(500, 300);
    parent.setStyleSheet(QStringLiteral("background: #3a6ea5;"));
    parent.show();
    AutoDisapperMsgBox::showMessage(&parent, QStringLiteral("Save successful"), 5000);
    auto *box = parent.findChild<AutoDisapperMsgBox *>();
    QVERIFY(box);
    auto *effect = qobject_cast<QGraphicsOpacityEffect *>(box->graphicsEffect());
    QTRY_COMPARE(effect->opacity(), 1.0);
    save(parent.grab(), QStringLiteral("fading-message"));
}

void TestWidgetRender::touchComboPopup()
{
    QWidget window;
    window.resize(220, 60);
    auto *combo = new TouchComboBox(&window);
    combo->setGeometry(10, 10, 120, 30);
    for (int v = 0; v < 16; ++v)
        combo->addItem(QStringLiteral("Channel %1").arg(v + 1), v);
    combo->setCurrentIndex(3);
    window.show();
    combo->showPopup();
    QVERIFY(combo->popupWindow()->isVisible());
    save(window.grab(), QStringLiteral("touch-combo"));
    save(combo->popupWindow()->grab(), QStringLiteral("touch-combo-popup"));
    combo->hidePopup();
}

void TestWidgetRender::colourPicker()
{
    ColorPicker picker;
    picker.setCurrentColor(QColor(40, 160, 230));
    picker.show();
    QTRY_VERIFY(picker.findChild<ColorArea *>()->width() > 0);
    save(picker.grab(), QStringLiteral("colour-picker"));
}

void TestWidgetRender::switches()
{
    QWidget row;
    row.setStyleSheet(QStringLiteral("background: #202020;"));
    auto *layout = new QHBoxLayout(&row);
    auto *off = new switchbutton;
    auto *on = new switchbutton;
    auto *disabled = new switchbutton;
    for (switchbutton *sw : {off, on, disabled}) {
        sw->setFixedSize(60, 30);
        layout->addWidget(sw);
    }
    on->setChecked(true, false);
    disabled->setChecked(true, false);
    disabled->setEnabled(false);
    row.show();
    QTRY_COMPARE(on->getSliderPosition(), on->getEndX());
    save(row.grab(), QStringLiteral("switches"));
}

void TestWidgetRender::toast()
{
    ToastWidget toast;
    toast.showToast(QStringLiteral("Preset loaded"), 5000);
    QTRY_COMPARE(toast.windowOpacity(), 1.0);
    save(toast.grab(), QStringLiteral("toast"));
}

void TestWidgetRender::segmentDisplay()
{
    LedDisplay display(4, {0, 16, 13 | LedDisplay::kDotBit, 10});
    display.show();
    save(display.grab(), QStringLiteral("segment-display"));
}

TAVRO_TEST_MAIN(TestWidgetRender)
#include "test_widgetrender.moc"
