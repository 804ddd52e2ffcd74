// What the screenshot program needs of each model: how to fill the simulated
// controller so that its page shows something worth seeing, and how to bring
// a view of the page (a tab) to the front. One stage per model, named in
// stageFor() (pageshot.cpp); the pad controller's stage (stage_pad.cpp) shows
// the pattern.
#pragma once

#include <QString>

#include <functional>

#include "simulator.h"

class CBaseDlg;

namespace pageshot {

struct SStage
{
    tavrosim::SimOptions options;                          // the simulated controller
    bool factory = false;                                  // Alt held at the answer: the self-test opens
    std::function<void(tavrosim::Simulator &)> prepare;    // before it starts
    // The page is open and has read the device: show the view asked for
    // (empty: the stage's default) and send the traffic the monitor should show.
    std::function<bool(CBaseDlg *page, const QString &view, tavrosim::Simulator &sim)> show;
};

// Model 7.
SStage padStage();
// Model 7's self-test.
SStage padSelfTestStage();
// Model 1, firmware 4 and below.
SStage pedalOldStage();
// Model 9's self-test.
SStage keyboardSelfTestStage();
// Model 1, firmware 5.
SStage pedalStage();
// Model 9.
SStage keyboardStage();
// Model 8.
SStage smallPadStage();

} // namespace pageshot
