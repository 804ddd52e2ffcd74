// Roads both self-tests take end to end, for a PageSession whose page has a
// model with step() and errorShown() and whose session has workStep() (the
// operator works the current step; true when it moved on).
#pragma once

#include <QTest>

#include <functional>

#include "pagesession.h"

namespace tavrotest {

// The unit goes away and comes back: the dialog stays open and restarts
// (away() says the dialog shows the unit gone), the window starts the test
// once more, and the unit is tested from its first step again. While the unit
// is away a send over JACK still succeeds, so the USB lamp is not looked at.
// Call QTest::currentTestFailed() after it.
template <class Session>
void unitAwayAndBack(Session &s, const std::function<bool()> &away)
{
    QVERIFY(s.workStep());
    QCOMPARE(int(s.page->model().step()), 1);
    const int starts = s.sim->testModeState().starts;

    s.sim->vanish();
    QTRY_VERIFY_WITH_TIMEOUT(away() && s.page->model().step() == 0, kSessionWait);
    QVERIFY(s.window->isHidden());
    QVERIFY(s.page->isVisible());

    QVERIFY(s.sim->reappear());
    QTRY_COMPARE_WITH_TIMEOUT(s.sim->testModeState().starts, starts + 1, kSessionWait);
    QVERIFY(s.settle());
    QCOMPARE(s.sim->testModeState().starts, starts + 1);
    QCOMPARE(int(s.page->model().step()), 0);
    QVERIFY(s.workStep());
    QCOMPARE(int(s.page->model().step()), 1);
}

} // namespace tavrotest
