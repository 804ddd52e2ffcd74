// End-to-end sessions for any page: a simulated controller on real MIDI ports
// (JACK in the tests), the connection window, a click on the controller's
// picture and the page the device's answer opens. Link tavro_sim.
//
//   tavrotest::PageSession<cDlgRznano> s;
//   QVERIFY(s.open(tavrosim::optionsForModel(8)));
//   s.page->...
//   ... s.count(tavrosim::kCmdSystemConfig), s.sim->block(0) ...
#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "cbasedlg.h"
#include "connectwindowtest.h"
#include "pc_connectui.h"
#include "recordingowner.h"
#include "simulator.h"

namespace tavrotest {

// ms: the window scans the ports once a second.
constexpr int kSessionWait = 8000;

// A frame or block as "78 59 ..." text, and a frame's payload.
inline QString hexOf(const tavrosim::Bytes &b)
{
    return QString::fromStdString(tavrosim::toHex(b));
}

inline tavrosim::Bytes payloadOf(const tavrosim::Bytes &frame)
{
    return tavrosim::Bytes(frame.begin() + 6, frame.end() - 1);
}

// Page: the page's class (page is null when another page opened).
template <class Page = CBaseDlg>
struct PageSession
{
    std::unique_ptr<tavrosim::Simulator> sim;
    std::unique_ptr<pc_connectui> window;
    QPointer<Page> page;
    QElapsedTimer sinceOpen; // started when the page appeared
    // Keys held from the click until the page appears: Alt opens a model's
    // self-test instead of its editor page (factory mode).
    Qt::KeyboardModifiers clickModifiers = Qt::NoModifier;

    // Starts the simulator (prepare runs first, to set its records, blocks or
    // image), opens the window, clicks the model's picture and waits for the
    // page and then for ready (default: the page shows what it read,
    // contentEnabled). The log is
    // cleared just before the click, so it holds the page's whole
    // conversation.
    bool open(const tavrosim::SimOptions &options, const std::function<void(tavrosim::Simulator &)> &prepare = {},
              const std::function<bool(Page *)> &ready = {})
    {
        sim = std::make_unique<tavrosim::Simulator>(options);
        if (prepare)
            prepare(*sim);
        std::string error;
        if (!sim->start(&error)) {
            qWarning("simulator did not start: %s", error.c_str());
            return false;
        }
        window = std::make_unique<pc_connectui>();
        window->show();
        const uint model = uint(options.identity.model);
        if (!QTest::qWaitFor([this, model] { return picture(*window, model) != nullptr; }, kSessionWait))
            return false;
        sim->clearLog();
        QTest::mousePress(picture(*window, model), Qt::LeftButton, clickModifiers);
        if (!QTest::qWaitFor([this] { return window->page() != nullptr; }, kSessionWait))
            return false;
        if (clickModifiers & Qt::AltModifier)
            QTest::keyRelease(window->page(), Qt::Key_Alt);
        sinceOpen.start();
        page = dynamic_cast<Page *>(window->page());
        if (!page) {
            qWarning("another page opened: %s", qPrintable(window->page()->objectName()));
            return false;
        }
        const std::function<bool(Page *)> isReady = ready ? ready : [](Page *p) { return contentEnabled(p); };
        return QTest::qWaitFor([this, &isReady] { return page && isReady(page); }, kSessionWait);
    }

    // Frames the device received with this command, in order.
    std::vector<tavrosim::Bytes> frames(int command) const { return sim->receivedFrames(command); }
    size_t count(int command) const { return sim->receivedFrames(command).size(); }
    // Commands of the frames the device received, in order (polls left out
    // unless asked for).
    QList<int> commands(bool withPolls = false) const
    {
        QList<int> out;
        for (const tavrosim::SimLogEntry &e : sim->log()) {
            if (e.received && e.frame && e.bytes.size() > 2 && (withPolls || e.bytes[2] != tavrosim::kCmdPoll))
                out << e.bytes[2];
        }
        return out;
    }
    // Every frame the device received, as hex, in order (polls too).
    QStringList receivedHex() const
    {
        QStringList out;
        for (const tavrosim::SimLogEntry &e : sim->log()) {
            if (e.received && e.frame)
                out << QString::fromStdString(tavrosim::toHex(e.bytes));
        }
        return out;
    }
    // Waits until the device has seen one more poll: everything the page sent
    // before has arrived by then.
    bool settle() const
    {
        const size_t polls = count(tavrosim::kCmdPoll);
        return QTest::qWaitFor([this, polls] { return count(tavrosim::kCmdPoll) > polls; }, kSessionWait);
    }
};

} // namespace tavrotest
