// The poll count of a page's 200 ms timer: every 8th tick the page sends the
// poll frame (the device answers with its system record) and, while its block
// is still empty, asks for the block again. Optionally a loss rule: more than
// lossAfter ticks without a system record mean the device has gone.
//
// How a page uses it: one PagePoll in its model, built with its options (only
// the pad controller page has a loss rule); tick() from the page's timer,
// heardDevice() for every system record that arrives (even a dropped or faulty
// one). The page acts on connectionLost only when mayHandBack() says so: while
// the page's own nested loop runs (a box it waits on with exec(), a file
// dialog) handing back would delete the page under that loop; it hands back
// at the first tick after.
#pragma once

namespace pagekit {

class PagePoll
{
public:
    struct SOptions
    {
        int pollEvery = 8; // ticks between polls
        int lossAfter = 0; // ticks without a record before the device counts as lost; 0: no loss rule
    };
    explicit PagePoll(const SOptions &options);

    struct STick
    {
        bool sendPoll = false;       // send the poll frame now
        bool requestBlock = false;   // with the poll: the block is still empty, ask for it
        bool connectionLost = false; // the loss rule fired (and keeps firing until a record comes)
    };
    STick tick(bool blockEmpty);
    void heardDevice() { m_lossTicks = 0; }

private:
    SOptions m_options;
    int m_pollTicks = 0;
    int m_lossTicks = 0;
};

// False while a nested event loop of the page runs (see above).
bool mayHandBack();

} // namespace pagekit
