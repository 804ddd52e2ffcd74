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

} // namespace selftest
