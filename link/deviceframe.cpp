#include "deviceframe.h"

const SFixedFrame g_fixedFrames[5] = {
    {7, {0x78, 0x59, CMD_DEVICE_INFO, 0x00, 0x00, 0x00, 0xFF}},
    {9, {0x78, 0x59, CMD_ENTER_UPGRADE, 0x02, 0x00, 0x00, 0x7F, 0x7F, 0x01}},
    {7, {0x78, 0x59, CMD_POLL, 0x00, 0x00, 0x00, 0xFF}},
    {9, {0x78, 0x59, CMD_FACTORY_RESET, 0x02, 0x00, 0x00, 0x78, 0x59, 0x2E}},
    {7, {0x78, 0x59, CMD_TEST_START, 0x00, 0x00, 0x00, 0xFF}},
};
const SFixedFrame &g_fixedFrameDeviceInfo = g_fixedFrames[0];
const SFixedFrame &g_fixedFrameEnterUpgrade = g_fixedFrames[1];
const SFixedFrame &g_fixedFramePoll = g_fixedFrames[2];
const SFixedFrame &g_fixedFrameFactoryReset = g_fixedFrames[3];
const SFixedFrame &g_fixedFrameTestStart = g_fixedFrames[4];

uint framePayloadLength(const uchar *frame)
{
    return uint(frame[3]) | (uint(frame[4]) << 8) | (uint(frame[5]) << 16);
}

static uchar payloadChecksum(const uchar *frame, uint n)
{
    if (n == 0)
        return 0xFF;
    uint sum = 0;
    const uchar *p = frame + SDeviceFrame::kOffsetPayload;
    for (uint i = 0; i < n; ++i)
        sum += p[i];
    return uchar(~sum & 0xFF);
}

void frameInitHeader(uchar *frame, uchar command, uint payloadLength)
{
    frame[0] = SDeviceFrame::kMagic0;
    frame[1] = SDeviceFrame::kMagic1;
    frame[2] = command;
    frame[3] = uchar(payloadLength & 0xFF);
    frame[4] = uchar((payloadLength >> 8) & 0xFF);
    frame[5] = uchar((payloadLength >> 16) & 0xFF);
}

void frameSetChecksum(uchar *frame)
{
    const uint n = framePayloadLength(frame);
    frame[SDeviceFrame::kOffsetPayload + n] = payloadChecksum(frame, n);
}

uint buildFrame(uchar *frame, uchar command, uint payloadLength)
{
    frameInitHeader(frame, command, payloadLength);
    frameSetChecksum(frame);
    return framePayloadLength(frame) + SDeviceFrame::kOverhead;
}

int frameChecksum(const uchar *frame)
{
    const uint n = framePayloadLength(frame);
    if (n == 0)
        return -1;
    uint sum = 0;
    for (uint i = 0; i < n; ++i)
        sum += frame[SDeviceFrame::kOffsetPayload + i];
    return ~int(sum);
}

bool frameVerify(const uchar *frame, uint frameLength)
{
    if (frameLength < SDeviceFrame::kOverhead)
        return false;
    const uint n = framePayloadLength(frame);
    if (frameLength < n + SDeviceFrame::kOverhead)
        return false;
    return frame[frameLength - 1] == payloadChecksum(frame, n);
}

void clampBytesToRange(uchar *bytes, uchar count, uchar a, uchar b)
{
    if (!bytes || count == 0)
        return;
    const uchar lo = a < b ? a : b;
    const uchar hi = a < b ? b : a;
    for (uint i = 0; i < count; ++i) {
        if (bytes[i] < lo || bytes[i] > hi)
            bytes[i] = 45;
    }
}

uchar setBit(uchar value, uchar bit, bool on)
{
    if (bit > 7)
        return value;
    const uchar mask = uchar(1u << bit);
    return on ? uchar(value | mask) : uchar(value & ~mask);
}
