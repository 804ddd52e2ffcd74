// The system record a page sends makes the next one from the device stale: the
// answer to a poll sent just before was composed before the device took the
// page's record (and a device that echoes writes sends the page's own back).
// Taken, that record would undo the page's own change: a preset or bank the
// user just picked would jump back, and the page would read and edit the
// block of the preset left while the device plays the new one. So the next
// system record after each one the page sends is dropped; later ones are
// taken as usual, a switch made on the device among them.
//
// How a page uses it: arm() as its system record goes out; takes() first for
// every system record that arrives, before any rule of its own (false: drop
// the record). A dropped record still shows that the device is there
// (PagePoll::heardDevice).
#pragma once

namespace pagekit {

class EchoGuard
{
public:
    void arm() { m_armed = true; }
    bool takes()
    {
        const bool take = !m_armed;
        m_armed = false;
        return take;
    }
    bool armed() const { return m_armed; }

private:
    bool m_armed = false;
};

} // namespace pagekit
