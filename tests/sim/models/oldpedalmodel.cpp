#include "oldpedalmodel.h"

#include <algorithm>

namespace tavrosim {

using namespace oldpedal;

namespace {

constexpr uint8_t kCmdSwitchData = 0x60;
constexpr uint8_t kCmdPedalSwitches = 0x62;
constexpr uint8_t kCmdPedalExpression = 0x65;
constexpr uint8_t kCmdDisplayChars = 0x67;
constexpr uint8_t kCmdSwitchDisplay = 0x69;

bool sizeIs(SimOutcome &out, const char *what, size_t got, size_t want)
{
    if (got == want)
        return true;
    out.note = std::string("ignored: ") + what + " of " + std::to_string(got) + " bytes, not " + std::to_string(want);
    return false;
}

void setLength(Bytes &image, size_t at, size_t len)
{
    image[at] = uint8_t(len & 0xFF);
    image[at + 1] = uint8_t(len >> 8);
}

} // namespace

Bytes oldPedalFactoryImage()
{
    Bytes image(kOldPedalImageSize, 0);
    image[kPedalData] = 0;       // channel 0, controller 11, 0..127
    image[kPedalData + 1] = 11;
    image[kPedalData + 3] = 127;
    image[kPedalCount] = 1;
    image[kPreset] = 1;
    // "P1", "P2", "P3", "C1", "C2" (P is row 28, C row 13, digits from row 1).
    const uint8_t pairs[10] = {28, 2, 28, 3, 28, 4, 13, 2, 13, 3};
    std::copy(pairs, pairs + 10, image.begin() + kPresetDisplay);
    image[kReserved1] = 0xA5;
    image[kReserved2] = 0xB1;
    image[kReserved2 + 1] = 0xB2;
    image[kReserved2 + 2] = 0xB3;
    for (size_t k = 0; k < 4; ++k) {
        const size_t s = sw(k);
        image[s + kType] = 1;
        image[s + kCount1] = 1;
        image[s + kList1 + 1] = 0xB0; // CC 20 + k, value 127, channel 0
        image[s + kList1 + 2] = uint8_t(20 + k);
        image[s + kList1 + 3] = 127;
        image[s + kSwitchReserved1] = uint8_t(0xC0 + k);
        image[s + kLatch] = uint8_t((k + 1) << 4);
        image[s + kData1] = uint8_t(10 + k);
        image[s + kDisplay] = uint8_t(11 + k); // "A".."d", then "1"
        image[s + kDisplay + 1] = 2;
        image[s + kSwitchReserved2] = uint8_t(0xD0 + k);
        image[s + kSwitchReserved2 + 1] = uint8_t(0xE0 + k);
    }
    return image;
}

Bytes oldPedalImage(OldPedalImage kind)
{
    Bytes image = oldPedalFactoryImage();
    switch (kind) {
    case OldPedalImage::Factory:
        break;
    case OldPedalImage::PresetZero:
        image[kPreset] = 0;
        break;
    case OldPedalImage::Count1Of17:
        image[sw(1) + kCount1] = 17;
        break;
    case OldPedalImage::DisplayByte28:
        image[sw(2) + kDisplay] = 0x28;
        break;
    case OldPedalImage::SysexLength300:
        image[sw(0) + kType] = 3;
        image[sw(0) + kSysexFlags] = 0x0F;
        for (size_t i = 0; i < 65; ++i)
            image[sw(0) + kSysex2 + i] = uint8_t(0x10 + i);
        setLength(image, sw(0) + kSysexLen2, 300);
        break;
    case OldPedalImage::DisplayWithoutRow:
        image[kPresetDisplay + 1] = 38;
        break;
    case OldPedalImage::Data1Of90:
        image[sw(3) + kData1] = 0x90;
        break;
    }
    return image;
}

SimOldPedalModel::SimOldPedalModel(const DeviceIdentity &id) : SimImageModel(id, kOldPedalImageSize)
{
    factoryReset();
}

void SimOldPedalModel::answerPollsWith(const Bytes &image, int count)
{
    for (int i = 0; i < count; ++i)
        m_pollAnswers.push_back(makeFrame(kCmdPoll, image));
}

void SimOldPedalModel::answerPollShort()
{
    Bytes frame = makeFrame(kCmdPoll, m_image);
    frame.resize(6 + m_image.size() / 2);
    m_pollAnswers.push_back(frame);
}

Bytes SimOldPedalModel::selectPreset(int preset)
{
    if (preset < 1 || preset > 5)
        return {};
    m_image[kPreset] = uint8_t(preset);
    return Bytes{uint8_t(preset)};
}

bool SimOldPedalModel::applySwitchData(const Bytes &payload, SimOutcome &out)
{
    if (payload.empty()) {
        out.note = "ignored: empty switch data";
        return true;
    }
    if (payload[0] == 1) {
        if (!sizeIs(out, "preset selection", payload.size(), 2))
            return true;
        if (payload[1] < 0xFA || payload[1] > 0xFC) {
            out.note = "ignored: preset selection of an unknown preset";
            return true;
        }
        m_image[kPreset] = uint8_t(payload[1] - 0xF9);
        return true;
    }
    if (payload[0] != 0 || payload.size() < 5) {
        out.note = "ignored: switch data of an unknown form";
        return true;
    }
    const size_t k = payload[1] >> 4;
    const uint8_t flags = payload[2];
    const size_t len1 = payload[3], len2 = payload[4];
    const bool sysex1 = (flags & 0xF0) != 0, sysex2 = (flags & 0x0F) != 0;
    if (k < 1 || k > 4 || len1 > (sysex1 ? 64u : 16u) || len2 > (sysex2 ? 64u : 16u)) {
        out.note = "ignored: switch record out of range";
        return true;
    }
    const size_t bytes1 = sysex1 ? len1 : 4 * len1, bytes2 = sysex2 ? len2 : 4 * len2;
    if (!sizeIs(out, "switch record", payload.size(), 5 + bytes1 + bytes2))
        return true;
    const size_t s = sw(k - 1);
    m_image[s + kType] = payload[1] & 0x0F;
    m_image[s + kSysexFlags] = flags;
    const uint8_t *data = payload.data() + 5;
    for (int list = 1; list <= 2; ++list) {
        const bool sysex = list == 1 ? sysex1 : sysex2;
        const size_t len = list == 1 ? len1 : len2;
        const size_t n = list == 1 ? bytes1 : bytes2;
        if (sysex) {
            setLength(m_image, s + (list == 1 ? kSysexLen1 : kSysexLen2), len);
            std::copy(data, data + n, m_image.begin() + long(s + (list == 1 ? kSysex1 : kSysex2)));
        } else {
            m_image[s + (list == 1 ? kCount1 : kCount2)] = uint8_t(len);
            std::copy(data, data + n, m_image.begin() + long(s + (list == 1 ? kList1 : kList2)));
        }
        data += n;
    }
    return true;
}

bool SimOldPedalModel::handleFrame(uint8_t command, const Bytes &payload, SimOutcome &out)
{
    switch (command) {
    case kCmdPoll:
        if (!m_pollAnswers.empty()) {
            out.replies.push_back(m_pollAnswers.front());
            m_pollAnswers.pop_front();
        } else {
            out.replies.push_back(makeFrame(kCmdPoll, m_image));
        }
        return true;
    case kCmdSwitchData:
        return applySwitchData(payload, out);
    case kCmdPedalSwitches:
        if (sizeIs(out, "switch settings", payload.size(), 12)) {
            for (size_t k = 0; k < 4; ++k)
                std::copy(payload.begin() + long(3 * k), payload.begin() + long(3 * k + 3),
                          m_image.begin() + long(sw(k) + kLatch));
        }
        return true;
    case kCmdPedalExpression:
        if (payload.size() % 4 != 0 || payload.size() > 64) {
            out.note = "ignored: expression list of " + std::to_string(payload.size()) + " bytes";
            return true;
        }
        std::copy(payload.begin(), payload.end(), m_image.begin() + long(kPedalData));
        m_image[kPedalCount] = uint8_t(payload.size() / 4);
        return true;
    case kCmdDisplayChars:
        if (sizeIs(out, "preset display", payload.size(), 10))
            std::copy(payload.begin(), payload.end(), m_image.begin() + long(kPresetDisplay));
        return true;
    case kCmdSwitchDisplay:
        if (sizeIs(out, "switch display", payload.size(), 16)) {
            for (size_t k = 0; k < 4; ++k)
                std::copy(payload.begin() + long(4 * k), payload.begin() + long(4 * k + 4),
                          m_image.begin() + long(sw(k) + kDisplay));
        }
        return true;
    default:
        return SimModel::handleFrame(command, payload, out);
    }
}

} // namespace tavrosim
