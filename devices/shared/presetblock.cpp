#include "presetblock.h"

#include "deviceframe.h"

namespace pagekit {

PresetBlock::Reply PresetBlock::judge(const uchar *frame, uint received, uchar shownPreset)
{
    // No preset byte: no block either.
    if (received <= SDeviceFrame::kOffsetPayload || framePayloadLength(frame) < 1)
        return Reply::Drop;
    if (frame[SDeviceFrame::kOffsetPayload] == shownPreset)
        return Reply::Take;
    if (held(shownPreset) || m_askedAgain)
        return Reply::Drop;
    m_askedAgain = true;
    return Reply::AskAgain;
}

} // namespace pagekit
