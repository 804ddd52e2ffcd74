// Opens the pad page through the connection window for a simulated controller
// and saves what the screen shows of it. Run on a real display (Xvfb) with a
// JACK server: padpage-shot <out.png> [global|pad|knob]
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTranslator>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "connectwindowtest.h"
#include "devices/pad/crzm7.h"
#include "globals.h"
#include "pc_connectui.h"
#include "simulator.h"
#include "ui_crzm7.h"
#include "ui_pc_connectui.h"

using tavrotest::picture;

namespace {

int fail(const char *what)
{
    std::fprintf(stderr, "padpage-shot: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return fail("usage: padpage-shot <out.png> [global|pad|knob]");
    const QString out = QString::fromLocal8Bit(argv[1]);
    const QString tab = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QStringLiteral("pad");

    g_translator = new QTranslator(&app);
    g_language = 0;

    tavrosim::SimOptions options;
    options.name = "RZ-7 Pad";
    options.identity.model = 7;
    options.identity.folder = "rz7";
    options.identity.firmware = 3;
    tavrosim::Simulator sim(options);
    // Preset 1 with a colour per pad and a few pads in other modes.
    tavrosim::Bytes block = tavrosim::factoryPadBlock(0);
    for (int p = 0; p < 16; ++p) {
        const QColor c = QColor::fromHsv(p * 360 / 16, 255, 255);
        const size_t at = tavrosim::padblock::padColour(0, size_t(p));
        block[at] = uint8_t(c.green());
        block[at + 1] = uint8_t(c.red());
        block[at + 2] = uint8_t(c.blue());
    }
    const uint8_t others[][4] = {{0x11, 64, 0, 127}, {0x21, 1, 127, 0}, {0x32, 0, 1, 12}, {0xC0, 0, 0, 6}};
    for (size_t k = 0; k < 4; ++k)
        std::copy(others[k], others[k] + 4, block.begin() + long(tavrosim::padblock::pad(0, 12 + k)));
    sim.setBlock(0, block);
    std::string error;
    if (!sim.start(&error))
        return fail(error.c_str());

    pc_connectui window;
    window.show();
    if (!QTest::qWaitFor([&] { return picture(window, 7) != nullptr; }, 10000))
        return fail("the controller's picture did not appear");
    QTest::mousePress(picture(window, 7), Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return window.page() != nullptr; }, 10000))
        return fail("no page opened");
    auto *page = qobject_cast<CRZM7 *>(window.page());
    if (!page)
        return fail("the page is not the pad page");
    if (!QTest::qWaitFor([&] { return page->isEnabled(); }, 10000))
        return fail("the page did not read the configuration");

    QPushButton *tabButton = tab == QLatin1String("global") ? page->form()->pushButton_setting
                             : tab == QLatin1String("knob") ? page->form()->pushButton_knob_button
                                                            : page->form()->pushButton_pad;
    tabButton->click();
    // Some traffic from the controller for the monitor.
    sim.sendBytes({0x90, 0x24, 0x64, 0x80, 0x24, 0x00, 0xB0, 0x14, 0x40, 0xC0, 0x05, 0xE0, 0x00, 0x40,
                   0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7, 0xD0, 0x30});
    page->move(0, 0);
    page->raise();
    page->activateWindow();
    QTest::qWait(1000); // the fading message goes and the window is painted

    const QRect area = page->frameGeometry();
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(),
                                                                      area.height());
    if (shot.isNull() || !shot.save(out))
        return fail("the picture could not be saved");
    std::printf("saved %s\n", qPrintable(out));
    return 0;
}
