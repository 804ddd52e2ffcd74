#include "simmodel.h"

#include <algorithm>

namespace tavrosim {

bool SimModel::handleFrame(uint8_t command, const Bytes &, SimOutcome &out)
{
    if (command == kCmdPoll) {
        out.note = "no poll answer for this model";
        return true;
    }
    return false;
}

Bytes SimModel::pressLit(const SimTestMode &, uint8_t) const
{
    return {};
}

uint8_t SimModel::result(uint8_t command) const
{
    const auto it = m_results.find(command);
    return it == m_results.end() ? 1 : it->second;
}

// ---- block models ----------------------------------------------------------------

SimBlockModel::SimBlockModel(const DeviceIdentity &id, size_t blockSize, size_t recordSize)
    : SimModel(id), m_blockSize(blockSize), m_recordSize(recordSize)
{
}

void SimBlockModel::factoryReset()
{
    for (size_t p = 0; p < kPresets; ++p) {
        m_flash[p] = factoryBlock(int(p));
        m_flash[p].resize(m_blockSize, 0);
        m_blocks[p] = m_flash[p];
    }
    m_system = factoryRecord();
    m_system.resize(m_recordSize, 0);
}

void SimBlockModel::setBlock(int preset, const Bytes &block)
{
    Bytes &b = m_blocks.at(size_t(preset));
    std::copy_n(block.begin(), std::min(block.size(), b.size()), b.begin());
}

void SimBlockModel::setSystemRecord(const Bytes &record)
{
    std::copy_n(record.begin(), std::min(record.size(), m_system.size()), m_system.begin());
}

void SimBlockModel::switchTo(int preset)
{
    const int old = currentPreset();
    if (old == preset)
        return;
    if (old >= 0 && old < int(kPresets))
        m_blocks[size_t(old)] = m_flash[size_t(old)];
    m_system[presetByte()] = uint8_t(preset);
}

void SimBlockModel::selectPreset(int preset)
{
    if (preset < 0 || preset >= int(kPresets))
        return;
    switchTo(preset);
}

bool SimBlockModel::wrongSize(SimOutcome &out, size_t got, size_t want)
{
    out.note = "ignored: payload of " + std::to_string(got) + " bytes, expected " + std::to_string(want);
    return true;
}

bool SimBlockModel::writeSection(Bytes &block, size_t at, const Bytes &payload, size_t size, SimOutcome &out)
{
    if (payload.size() != size)
        return wrongSize(out, payload.size(), size);
    std::copy(payload.begin(), payload.end(), block.begin() + long(at));
    return true;
}

bool SimBlockModel::writeSlot(Bytes &block, size_t at, size_t stride, size_t count, const Bytes &payload,
                              const char *what, SimOutcome &out)
{
    if (payload.size() != stride + 1)
        return wrongSize(out, payload.size(), stride + 1);
    if (payload[0] >= count) {
        out.note = std::string("ignored: ") + what + " out of range";
        return true;
    }
    std::copy(payload.begin() + 1, payload.end(), block.begin() + long(at + stride * payload[0]));
    return true;
}

bool SimBlockModel::writeSysexPool(Bytes &block, size_t poolAt, size_t poolSize, const Bytes &payload,
                                   SimOutcome &out)
{
    const size_t n = payload.size();
    if (n < 2)
        return wrongSize(out, n, 2);
    const size_t used = size_t(payload[0]) | size_t(payload[1]) << 8;
    if (used > poolSize) {
        out.note = "ignored: pool of " + std::to_string(used) + " bytes";
        return true;
    }
    if (n != used + 2)
        return wrongSize(out, n, used + 2);
    std::copy(payload.begin() + 2, payload.end(), block.begin() + long(poolAt));
    return true;
}

bool SimBlockModel::handleSection(uint8_t, const Bytes &, SimOutcome &)
{
    return false;
}

bool SimBlockModel::handleFrame(uint8_t command, const Bytes &payload, SimOutcome &out)
{
    switch (command) {
    case kCmdPoll:
        out.replies.push_back(makeFrame(kCmdSystemConfig, m_system));
        return true;
    case kCmdSystemConfig:
        if (payload.size() != m_recordSize) {
            out.note = "ignored: system record of " + std::to_string(payload.size()) + " bytes";
            return true;
        }
        if (payload[presetByte()] >= kPresets) {
            out.note = "ignored: preset out of range";
            return true;
        }
        switchTo(payload[presetByte()]);
        std::copy_n(payload.begin(), takenRecordBytes(), m_system.begin());
        if (m_echoSystem && echoesRecordWrites())
            out.replies.push_back(makeFrame(kCmdSystemConfig, m_system));
        return true;
    case kCmdReadPreset: {
        if (!readsPresets())
            return false;
        if (payload.size() != 1 || payload[0] >= kPresets) {
            out.note = "ignored: bad preset request";
            return true;
        }
        const Bytes &b = m_blocks[payload[0]];
        Bytes reply(1 + b.size());
        reply[0] = payload[0];
        std::copy(b.begin(), b.end(), reply.begin() + 1);
        out.replies.push_back(makeFrame(kCmdReadPreset, reply));
        return true;
    }
    case kCmdSave:
        if (readsPresets() && result(kCmdSave) != 0)
            m_flash[size_t(currentPreset())] = current();
        out.replies.push_back(makeFrame(kCmdSave, Bytes{result(kCmdSave)}));
        return true;
    default:
        return handleSection(command, payload, out);
    }
}

// ---- image models ----------------------------------------------------------------

bool SimImageModel::handleFrame(uint8_t command, const Bytes &payload, SimOutcome &out)
{
    if (command == kCmdPoll) {
        out.replies.push_back(makeFrame(kCmdPoll, m_image));
        return true;
    }
    return SimModel::handleFrame(command, payload, out);
}

} // namespace tavrosim
