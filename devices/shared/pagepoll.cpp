#include "pagepoll.h"

#include "nestedloop.h"

namespace pagekit {

PagePoll::PagePoll(const SOptions &options)
    : m_options(options)
{
}

PagePoll::STick PagePoll::tick(bool blockEmpty)
{
    STick t;
    if (++m_pollTicks >= m_options.pollEvery) {
        m_pollTicks = 0;
        t.sendPoll = true;
        t.requestBlock = blockEmpty;
    }
    if (m_options.lossAfter > 0) {
        if (m_lossTicks <= m_options.lossAfter)
            ++m_lossTicks;
        t.connectionLost = m_lossTicks > m_options.lossAfter;
    }
    return t;
}

bool mayHandBack()
{
    return !nestedLoopRunning();
}

} // namespace pagekit
