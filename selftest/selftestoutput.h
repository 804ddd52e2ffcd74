// What a self-test's step machine does to the outside world: frames to the
// unit under test and the two tones. The self-test pages implement it over
// their owner and their tones; tests record it. No widgets, no MIDI.
#pragma once

#include "deviceframe.h"

class SelfTestOutput
{
public:
    virtual ~SelfTestOutput() = default;

    // Hands one frame to the unit; false when it could not be sent.
    virtual bool sendFrame(const uchar *frame, uint len) = 0;
    // Requests the 800 Hz tone (high) or the 400 Hz tone.
    virtual void playTone(bool high) = 0;
    // The unit stopped answering its polls and was taken as gone: its ports
    // are to be opened again and its test mode started once more.
    virtual void unitSilent() {}

    // The unit's test mode starts (again): g_fixedFrameTestStart.
    bool sendTestStart();
    // The status-record request: g_fixedFramePoll.
    bool sendPoll();
    // CMD_TEST_LED: one test LED with three colour bytes in the order of
    // SColourGRB.
    bool sendTestLed(uchar index, uchar c1, uchar c2, uchar c3);
};

namespace selftest {

constexpr uint kTestLedFrameSize = 11;

// Builds CMD_TEST_LED into out (at least kTestLedFrameSize bytes); returns 11.
uint testLedFrame(uchar *out, uchar index, uchar c1, uchar c2, uchar c3);

// Whether a short message (status | data1 << 8 | data2 << 16) is judged by a
// step machine: only messages that carry data bytes name a control. Real-time
// and other one-byte messages (timing clock, active sensing, start, stop...)
// are listed in the monitor and never judged.
bool isJudged(uint message);

// Watches the unit's answers to the polls. A unit that hangs, or one plugged
// in again faster than the window's scan on a MIDI service that does not tell
// the link its ports went, no longer answers the test although its ports are
// still listed: once it has answered, a silence of kSilenceMs is taken as the
// unit gone, whatever else restarted the test meanwhile.
class AnswerWatch
{
public:
    static constexpr int kSilenceMs = 3000;

    explicit AnswerWatch(int tickMs) : m_limit(kSilenceMs / tickMs) {}

    // A status record came.
    void answered()
    {
        m_armed = true;
        m_silentTicks = 0;
    }
    // The unit's ports were opened again: the silence starts over.
    void restart() { m_silentTicks = 0; }
    // One tick; true when the silence has reached its limit, after which it
    // is counted anew.
    bool tick()
    {
        if (!m_armed || ++m_silentTicks < m_limit)
            return false;
        m_silentTicks = 0;
        return true;
    }

private:
    const int m_limit;
    int m_silentTicks = 0;
    bool m_armed = false;
};

} // namespace selftest
