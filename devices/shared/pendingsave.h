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
// each until an answer comes, so that no refusal is lost.
#pragma once

namespace pagekit {

class PendingSave
{
public:
    void sent(bool withEdits) { m_withEdits = m_withEdits || withEdits; }
    // The device's answer to the save: true when the edits it carried are
    // still unsaved.
    bool refused(bool stored)
    {
        const bool editsLost = !stored && m_withEdits;
        m_withEdits = false;
        return editsLost;
    }
    void forget() { m_withEdits = false; }

private:
    bool m_withEdits = false;
};

} // namespace pagekit
