// The configuration block a page holds, and which replies may replace it. A
// page shows one preset, and a CMD_READ_PRESET reply is taken only when its
// preset byte names that preset: a late answer to an earlier request (the read
// of preset 0 that follows a factory reset) would otherwise show another
// preset's block under the shown one's name, and the next edit would write it
// there. While the shown preset's whole block has not come, a reply of another
// preset is answered by asking for the shown one again, once a poll.
//
// How a page uses it: for each configuration reply its own rules let through
// (a busy page drops them first), judge() with the preset it shows; on Take it
// copies the block in and calls stored() (whole: the whole block came), on
// AskAgain it sends CMD_READ_PRESET for the shown preset. A block loaded from
// a file is stored() whole. polled() as each poll goes out; until held() the
// poll asks for the block too. Until held(), nothing of the block may reach
// the device or a file: no per-control dialog opens, no section is written.
// A factory reset the user confirmed makes the block held stale (forget()):
// the device's blocks are the factory ones from then on.
#pragma once

#include <QtGlobal>

namespace pagekit {

class PresetBlock
{
public:
    enum class Reply { Take, Drop, AskAgain };
    Reply judge(const uchar *frame, uint received, uchar shownPreset);
    void stored(bool whole, uchar shownPreset) { m_heldPreset = whole ? int(shownPreset) : -1; }
    // The whole block of the preset shown is held.
    bool held(uchar shownPreset) const { return m_heldPreset == int(shownPreset); }
    void polled() { m_askedAgain = false; }
    void forget()
    {
        m_heldPreset = -1;
        m_askedAgain = false;
    }

private:
    int m_heldPreset = -1;     // the preset whose whole block is held; -1: none
    bool m_askedAgain = false; // a reply of another preset was answered since the last poll
};

} // namespace pagekit
