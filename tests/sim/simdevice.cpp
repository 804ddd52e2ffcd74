#include "simdevice.h"

#include <algorithm>

namespace tavrosim {

namespace {

void putGRB(Bytes &b, size_t at, uint8_t g, uint8_t r, uint8_t bl)
{
    b[at] = g;
    b[at + 1] = r;
    b[at + 2] = bl;
}

uint8_t blockSum(const Bytes &b)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < padblock::kCrc; ++i)
        sum += b[i];
    return uint8_t(sum & 0xFF);
}

size_t pedalImageSize(int firmware)
{
    return firmware > 4 ? 4930 : 1184;
}

} // namespace

Bytes factoryPadBlock(int preset)
{
    using namespace padblock;
    Bytes b(kSize, 0);
    const uint8_t ch = uint8_t(preset & 0x0F); // each preset on its own channel
    for (size_t g = 0; g < kBanks; ++g) {
        for (size_t k = 0; k < 8; ++k) {
            const size_t at = knob(g, k);
            b[at] = ch;                          // mode 0 "CC"
            b[at + 1] = uint8_t(20 + 8 * g + k); // controller
            b[at + 2] = 0;
            b[at + 3] = 127;
            b[at + 4] = 2;                       // speed "Normal"
        }
    }
    for (size_t bank = 0; bank < kBanks; ++bank) {
        for (size_t p = 0; p < 16; ++p) {
            const size_t at = pad(bank, p);
            b[at] = ch;                          // mode 0 "Note"
            b[at + 1] = uint8_t(36 + 16 * bank + p);
            b[at + 2] = 0;
            b[at + 3] = 127;
            const size_t c = padColour(bank, p);
            if (bank == 0)
                putGRB(b, c, 0xFF, 0x00, 0x00);
            else if (bank == 1)
                putGRB(b, c, 0x00, 0xFF, 0x00);
            else
                putGRB(b, c, 0x00, 0x00, 0xFF);
        }
    }
    for (size_t k = 0; k < 6; ++k) {
        const size_t at = kKeys + 4 * k;
        b[at] = ch;                              // mode 0 "CC"
        b[at + 1] = uint8_t(102 + k);
        b[at + 2] = 127;
        b[kKeysLong + 4 * k] = uint8_t(0x60 | ch); // mode 6 "None"
    }
    putGRB(b, kKnobModeColours + 0, 0xFF, 0xFF, 0x00);
    putGRB(b, kKnobModeColours + 3, 0x00, 0xFF, 0xFF);
    putGRB(b, kKnobModeColours + 6, 0xFF, 0x00, 0xFF);
    putGRB(b, kPadModeColours + 0, 0xFF, 0x00, 0x00);
    putGRB(b, kPadModeColours + 3, 0x00, 0xFF, 0x00);
    putGRB(b, kPadModeColours + 6, 0x00, 0x00, 0xFF);
    b[kCrc] = blockSum(b);
    return b;
}

Bytes factorySystemRecord(int model)
{
    if (model == 9) {
        Bytes r(sysrec::kKeyboardSize, 0);
        r[0] = 120;                // tempo 120
        r[7] = 4;                  // division 1/16
        r[8] = 50;                 // gate 50 %
        r[9] = 50;                 // swing off
        r[11] = 15;                // after-touch delay 30
        std::fill(r.begin() + sysrec::kKeyboardThresholds,
                  r.begin() + sysrec::kKeyboardThresholds + 8, uint8_t(45));
        r[20] = 127;               // full-level velocity
        return r;
    }
    Bytes r(sysrec::kPadSize, 0);
    r[0] = 120;                    // tempo 120
    r[6] = 4;                      // division 1/16
    r[7] = 50;                     // gate 50 %
    r[8] = 50;                     // swing off
    r[10] = 15;                    // after-touch delay 30
    std::fill(r.begin() + sysrec::kPadThresholds, r.begin() + sysrec::kPadThresholds + 16,
              uint8_t(45));
    r[28] = 127;                   // full-level velocity
    return r;
}

SimDevice::SimDevice(const DeviceIdentity &id)
    : m_id(id)
{
    factoryReset();
}

size_t SimDevice::systemSize() const
{
    return m_id.model == 9 ? sysrec::kKeyboardSize : sysrec::kPadSize;
}

void SimDevice::factoryReset()
{
    for (size_t p = 0; p < padblock::kPresets; ++p) {
        m_flash[p] = factoryPadBlock(int(p));
        m_blocks[p] = m_flash[p];
    }
    m_system = factorySystemRecord(m_id.model);
    m_pedalImage.assign(pedalImageSize(m_id.firmware), 0);
}

void SimDevice::setFirmware(int version)
{
    m_id.firmware = version;
    m_pedalImage.resize(pedalImageSize(version), 0);
}

Bytes SimDevice::deviceInfoPayload() const
{
    Bytes p(18, 0);
    p[0] = uint8_t(m_id.model);
    for (size_t i = 0; i < 16 && i < m_id.folder.size(); ++i)
        p[1 + i] = uint8_t(m_id.folder[i]);
    p[17] = uint8_t(m_id.firmware);
    return p;
}

void SimDevice::setBlock(int preset, const Bytes &block)
{
    Bytes &b = m_blocks.at(size_t(preset));
    std::copy_n(block.begin(), std::min(block.size(), b.size()), b.begin());
}

void SimDevice::setSystemRecord(const Bytes &record)
{
    std::copy_n(record.begin(), std::min(record.size(), m_system.size()), m_system.begin());
}

void SimDevice::switchTo(int preset)
{
    const int old = currentPreset();
    if (old == preset)
        return;
    if (old >= 0 && old < int(padblock::kPresets))
        m_blocks[size_t(old)] = m_flash[size_t(old)];
    m_system[sysrec::kPreset] = uint8_t(preset);
}

void SimDevice::selectPreset(int preset)
{
    if (preset < 0 || preset >= int(padblock::kPresets))
        return;
    switchTo(preset);
}

uint8_t SimDevice::result(uint8_t command) const
{
    const auto it = m_results.find(command);
    return it == m_results.end() ? 1 : it->second;
}

SimDevice::Outcome SimDevice::handlePadSection(uint8_t command, const Bytes &payload)
{
    using namespace padblock;
    Outcome out;
    Bytes &b = current();
    const size_t n = payload.size();
    auto wrongSize = [&](size_t want) {
        out.note = "ignored: payload of " + std::to_string(n) + " bytes, expected "
                   + std::to_string(want);
        return out;
    };
    switch (command) {
    case kCmdPadColours: {
        if (n != 55)
            return wrongSize(55);
        const size_t bank = m_system[sysrec::kPadBank];
        const size_t group = m_system[sysrec::kKnobGroup];
        if (bank >= kBanks || group >= kBanks) {
            out.note = "ignored: current pad bank or knob group out of range";
            return out;
        }
        if (payload[0] != 0xFF && payload[0] >= 16) {
            out.note = "ignored: pad index out of range";
            return out;
        }
        std::copy_n(payload.begin() + 1, 48, b.begin() + long(padColour(bank, 0)));
        std::copy_n(payload.begin() + 49, 3, b.begin() + long(kKnobModeColours + 3 * group));
        std::copy_n(payload.begin() + 52, 3, b.begin() + long(kPadModeColours + 3 * bank));
        return out;
    }
    case kCmdWriteKeys:
        if (n != 48)
            return wrongSize(48);
        std::copy(payload.begin(), payload.end(), b.begin() + long(kKeys));
        return out;
    case kCmdWritePads:
        if (n != 65)
            return wrongSize(65);
        if (payload[0] >= kBanks) {
            out.note = "ignored: pad bank out of range";
            return out;
        }
        std::copy_n(payload.begin() + 1, 64, b.begin() + long(pad(payload[0], 0)));
        return out;
    case kCmdWriteKnobs:
        if (n != 41)
            return wrongSize(41);
        if (payload[0] >= kBanks) {
            out.note = "ignored: knob group out of range";
            return out;
        }
        std::copy_n(payload.begin() + 1, 40, b.begin() + long(knob(payload[0], 0)));
        return out;
    case kCmdWriteModeColours:
        if (n != 18)
            return wrongSize(18);
        std::copy(payload.begin(), payload.end(), b.begin() + long(kKnobModeColours));
        return out;
    case kCmdWriteConfig:
        if (n != kSize)
            return wrongSize(kSize);
        b = payload;
        return out;
    case kCmdWriteSysexPool: {
        if (n < 2)
            return wrongSize(2);
        const size_t used = size_t(payload[0]) | size_t(payload[1]) << 8;
        if (used > kPoolSize) {
            out.note = "ignored: pool of " + std::to_string(used) + " bytes";
            return out;
        }
        if (n != used + 2)
            return wrongSize(used + 2);
        std::copy(payload.begin() + 2, payload.end(), b.begin() + long(kPool));
        return out;
    }
    default:
        out.note = "unhandled";
        return out;
    }
}

SimDevice::Outcome SimDevice::handleFrame(const Bytes &frame)
{
    Outcome out;
    const uint8_t command = frame[2];
    const Bytes payload(frame.begin() + 6, frame.end() - 1);
    const bool pad7 = m_id.model == 7;

    switch (command) {
    case kCmdDeviceInfo:
        out.replies.push_back(makeFrame(kCmdDeviceInfo, deviceInfoPayload()));
        return out;
    case kCmdHostHello:
    case kCmdPageClose:
        return out;
    case kCmdTestStart:
        m_testMode = true;
        return out;
    case kCmdPoll:
        if (isPad() || m_id.model == 9)
            out.replies.push_back(makeFrame(kCmdSystemConfig, m_system));
        else if (m_id.model == 1)
            out.replies.push_back(makeFrame(kCmdPoll, m_pedalImage));
        else
            out.note = "no poll answer for this model";
        return out;
    case kCmdSystemConfig: {
        if (!(isPad() || m_id.model == 9)) {
            out.note = "unhandled";
            return out;
        }
        const size_t size = systemSize();
        if (payload.size() != size) {
            out.note = "ignored: system record of " + std::to_string(payload.size()) + " bytes";
            return out;
        }
        if (payload[sysrec::kPreset] >= padblock::kPresets) {
            out.note = "ignored: preset out of range";
            return out;
        }
        switchTo(payload[sysrec::kPreset]);
        // The last byte is the device's own; the host only hands it back.
        std::copy_n(payload.begin(), size - 1, m_system.begin());
        if (m_echoSystem)
            out.replies.push_back(makeFrame(kCmdSystemConfig, m_system));
        return out;
    }
    case kCmdReadPreset: {
        if (!pad7) {
            out.note = "unhandled";
            return out;
        }
        if (payload.size() != 1 || payload[0] >= padblock::kPresets) {
            out.note = "ignored: bad preset request";
            return out;
        }
        Bytes reply{payload[0]};
        const Bytes &b = m_blocks[payload[0]];
        reply.insert(reply.end(), b.begin(), b.end());
        out.replies.push_back(makeFrame(kCmdReadPreset, reply));
        return out;
    }
    case kCmdSave:
        if (!(isPad() || m_id.model == 9)) {
            out.note = "unhandled";
            return out;
        }
        if (pad7 && result(kCmdSave) != 0)
            m_flash[size_t(currentPreset())] = current();
        out.replies.push_back(makeFrame(kCmdSave, Bytes{result(kCmdSave)}));
        return out;
    case kCmdFactoryReset: {
        if (payload != Bytes{0x78, 0x59}) {
            out.note = "ignored: reset without 78 59";
            return out;
        }
        const uint8_t r = result(kCmdFactoryReset);
        if (r != 0)
            factoryReset();
        if (isPad() || m_id.model == 9)
            out.replies.push_back(makeFrame(kCmdFactoryReset, Bytes{r}));
        return out;
    }
    case kCmdEnterUpgrade:
        if (payload != Bytes{0x7F, 0x7F}) {
            out.note = "ignored: upgrade request without 7F 7F";
            return out;
        }
        out.enterUpgrade = true;
        return out;
    case kCmdPadColours:
    case kCmdWriteKeys:
    case kCmdWritePads:
    case kCmdWriteKnobs:
    case kCmdWriteModeColours:
    case kCmdWriteConfig:
    case kCmdWriteSysexPool:
        if (pad7)
            return handlePadSection(command, payload);
        out.note = "unhandled";
        return out;
    default:
        out.note = "unhandled";
        return out;
    }
}

} // namespace tavrosim
