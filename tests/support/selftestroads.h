// Roads both self-tests take end to end, for a PageSession whose page has a
// model with step() and errorShown() and whose session has workStep() (the
// operator works the current step; true when it moved on) and forgetPress()
// (the next lit control is pressed even when it is the one pressed last).
#pragma once

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTest>

#include <functional>
#include <memory>

#include "pagesession.h"
#include "selftest/selftestpage.h"

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

// The unit is replaced faster than the window's scan can see it away: it is
// unplugged and plugged in again at once, or (secondUnit) a second unit of the
// model is plugged in before the first is unplugged. The window hears that
// the ports of the pair went: at its next scan, before the test could take
// the unit as silent, the lamp goes off, the window opens the present unit
// and starts its test mode once, and the unit is tested from the step the
// test began at. Call QTest::currentTestFailed() after it.
template <class Session>
void unitReplaced(Session &s, bool secondUnit, QAbstractButton *lamp)
{
    const int first = s.page->model().step();
    QVERIFY(s.workStep());
    QTRY_VERIFY_WITH_TIMEOUT(lamp->isChecked(), kSessionWait);
    QSignalSpy lampSwitched(lamp, &QAbstractButton::toggled);
    QSignalSpy silent(s.page.data(), &SelfTestPage::signal_unit_silent);
    std::unique_ptr<tavrosim::Simulator> firstUnit;
    int starts = s.sim->testModeState().starts;
    if (secondUnit) {
        tavrosim::SimOptions options = tavrosim::optionsForModel(s.sim->identity().model);
        options.name += " 2";
        auto second = std::make_unique<tavrosim::Simulator>(options);
        QVERIFY(second->start());
        QTRY_COMPARE_WITH_TIMEOUT(s.window->portScan().count, 2, kSessionWait); // the scan saw both
        s.sim->vanish();
        firstUnit = std::move(s.sim);
        s.sim = std::move(second);
        starts = 0;
    } else {
        s.sim->vanish();
        QVERIFY(s.sim->reappear());
    }
    QTRY_COMPARE_WITH_TIMEOUT(s.sim->testModeState().starts, starts + 1, kSessionWait);
    QVERIFY(lampSwitched.contains(QVariantList{false}));
    QCOMPARE(silent.count(), 0);
    QVERIFY(s.settle());
    QCOMPARE(s.sim->testModeState().starts, starts + 1);
    QCOMPARE(int(s.page->model().step()), first);
    s.forgetPress();
    QVERIFY(s.workStep());
    QVERIFY(!s.page->model().errorShown());
}

} // namespace tavrotest
