// A save to the device's flash on its way. A page clears its unsaved mark as it
// sends the save; the device's answer says whether the edits were stored. A
// refusal leaves the edits the save carried unsaved again, so closing or a
// preset switch still asks about them instead of dropping them silently.
//
// How a page uses it: sent() with its unsaved mark as it sends the save frame
// (then it clears the mark), refused() with the device's result when the
// answer comes (true: mark the edits unsaved again), forget() when the page
// moves to another preset without edits: what the device answers afterwards
// is about the preset left. Saves sent one after the other keep the edits of
// each until an answer comes, so that no refusal is lost. The close road
// waits for the next answer through awaitAnswer() (see closeroad.h).
#pragma once

#include <functional>
#include <utility>

namespace pagekit {

class PendingSave
{
public:
    void sent(bool withEdits) { m_withEdits = m_withEdits || withEdits; }
    // The device's answer to the save: true when the edits it carried are
    // still unsaved. Whoever awaits the answer is told once, from inside this
    // call: it notes the answer (quits its loop) and acts after the page's
    // handler of the answer has run.
    bool refused(bool stored)
    {
        const bool editsLost = !stored && m_withEdits;
        m_withEdits = false;
        if (m_told) {
            const std::function<void(bool)> told = std::move(m_told);
            m_told = nullptr;
            told(stored);
        }
        return editsLost;
    }
    void forget() { m_withEdits = false; }

    // told(stored) at the next answer; null: nobody waits any more.
    void awaitAnswer(std::function<void(bool)> told) { m_told = std::move(told); }
    bool awaited() const { return bool(m_told); }

private:
    bool m_withEdits = false;
    std::function<void(bool)> m_told;
};

} // namespace pagekit
