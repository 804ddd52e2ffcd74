// Opens a controller's page through the connection window for a simulated
// controller and saves what the screen shows of it. Run on a real display
// (Xvfb) with a JACK server (scripts/screenshot-pad.sh does both):
//   page-shot <model> <out.png> [view]
// model: pad, smallpad, keyboard, pedal, pedal-old, pad-selftest, keyboard-selftest (those with a stage).
#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTranslator>

#include <cstdio>

#include "cbasedlg.h"
#include "connectwindowtest.h"
#include "globals.h"
#include "pageshot.h"
#include "pc_connectui.h"
#include "recordingowner.h"
#include "ui_pc_connectui.h"

using tavrotest::picture;

namespace {

int fail(const char *what)
{
    std::fprintf(stderr, "page-shot: %s\n", what);
    return 1;
}

// One line per model with a stage.
bool stageFor(const QString &model, pageshot::SStage *stage)
{
    if (model == QLatin1String("pad"))
        *stage = pageshot::padStage();
    else if (model == QLatin1String("pad-selftest"))
        *stage = pageshot::padSelfTestStage();
    else if (model == QLatin1String("pedal-old"))
        *stage = pageshot::pedalOldStage();
    else if (model == QLatin1String("keyboard-selftest"))
        *stage = pageshot::keyboardSelfTestStage();
    else if (model == QLatin1String("pedal"))
        *stage = pageshot::pedalStage();
    else if (model == QLatin1String("keyboard"))
        *stage = pageshot::keyboardStage();
    else if (model == QLatin1String("smallpad"))
        *stage = pageshot::smallPadStage();
    else
        return false;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 3)
        return fail("usage: page-shot <model> <out.png> [view]");
    pageshot::SStage stage;
    if (!stageFor(QString::fromLocal8Bit(argv[1]), &stage))
        return fail("no stage for this model");
    const QString out = QString::fromLocal8Bit(argv[2]);
    const QString view = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();

    g_translator = new QTranslator(&app);
    g_language = qEnvironmentVariableIntValue("TAVRO_SHOT_LANGUAGE");

    tavrosim::Simulator sim(stage.options);
    if (stage.prepare)
        stage.prepare(sim);
    std::string error;
    if (!sim.start(&error))
        return fail(error.c_str());

    pc_connectui window;
    window.show();
    const uint model = uint(stage.options.identity.model);
    if (!QTest::qWaitFor([&] { return picture(window, model) != nullptr; }, 10000))
        return fail("the controller's picture did not appear");
    // Alt held from the click until the answer is handled opens the self-test.
    QTest::mousePress(picture(window, model), Qt::LeftButton, stage.factory ? Qt::AltModifier : Qt::NoModifier);
    if (!QTest::qWaitFor([&] { return window.page() != nullptr; }, 10000))
        return fail("no page opened");
    if (stage.factory)
        QTest::keyRelease(window.page(), Qt::Key_Alt);
    CBaseDlg *page = window.page();
    if (!QTest::qWaitFor([&] { return tavrotest::contentEnabled(page); }, 10000))
        return fail("the page did not read the configuration");
    if (stage.show && !stage.show(page, view, sim))
        return fail("the page is not the model's page");

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
