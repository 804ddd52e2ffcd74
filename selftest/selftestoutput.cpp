#include "selftestoutput.h"

bool SelfTestOutput::sendTestStart()
{
    return sendFrame(g_fixedFrameTestStart.bytes, g_fixedFrameTestStart.length);
}

bool SelfTestOutput::sendPoll()
{
    return sendFrame(g_fixedFramePoll.bytes, g_fixedFramePoll.length);
}

bool SelfTestOutput::sendTestLed(uchar index, uchar c1, uchar c2, uchar c3)
{
    uchar frame[selftest::kTestLedFrameSize];
    return sendFrame(frame, selftest::testLedFrame(frame, index, c1, c2, c3));
}

namespace selftest {

uint testLedFrame(uchar *out, uchar index, uchar c1, uchar c2, uchar c3)
{
    uchar *p = out + SDeviceFrame::kOffsetPayload;
    p[0] = index;
    p[1] = c1;
    p[2] = c2;
    p[3] = c3;
    return buildFrame(out, CMD_TEST_LED, 4);
}

bool isJudged(uint message)
{
    const uint status = message & 0xFF;
    return (status >= 0x80 && status <= 0xEF) || status == 0xF1 || status == 0xF2 || status == 0xF3;
}

} // namespace selftest
