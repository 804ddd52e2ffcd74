#include "rz7model.h"

#include "devices/shared/pageframes.h"
#include "devices/shared/padview.h"

#include <cstring>

using namespace rz7;

CRZ7Model::CRZ7Model()
{
    std::memset(&m_config, 0, sizeof m_config);
    std::memset(&m_system, 0, sizeof m_system);
    std::memset(&m_sysex, 0, sizeof m_sysex);
}

uint CRZ7Model::padBank() const
{
    return m_system.padBank < kPadBanks ? m_system.padBank : 0;
}

uint CRZ7Model::knobGroup() const
{
    return m_system.knobGroup < kKnobGroups ? m_system.knobGroup : 0;
}

uchar CRZ7Model::preset() const
{
    return m_system.preset < kPresets ? m_system.preset : 0;
}

SControlRecord *CRZ7Model::padRecord(uint pad)
{
    return pad < kPadsPerBank ? &m_config.PadData[padBank()][pad] : nullptr;
}

SColourGRB *CRZ7Model::padColour(uint pad)
{
    return pad < kPadsPerBank ? &m_config.PadRGB[padBank()][pad] : nullptr;
}

SKnobRecord *CRZ7Model::knobRecord(uint knob)
{
    return knob < kKnobsPerGroup ? &m_config.KnobData[knobGroup()][knob] : nullptr;
}

void CRZ7Model::nextPadBank()
{
    m_system.padBank = m_system.padBank < 2 ? uchar(m_system.padBank + 1) : 0;
}

void CRZ7Model::nextKnobGroup()
{
    m_system.knobGroup = m_system.knobGroup < 2 ? uchar(m_system.knobGroup + 1) : 0;
}

CRZ7Model::SReceived CRZ7Model::receiveFrame(const uchar *frame, uint received)
{
    SReceived r;
    switch (pagekit::frameCommand(frame, received)) {
    case CMD_SYSTEM_CONFIG: {
        // Any system record, even a dropped or a faulty one, shows the device is there.
        m_poll.heardDevice();
        if (!m_echo.takes()) {
            r.kind = SReceived::SystemEcho;
            return r;
        }
        SSystemConfigData rec;
        if (pagekit::parseSystemRecord(frame, received, &rec, kSystemSize) && check_system_config_data(rec)) {
            // A bank or group without a block section is taken as the first
            // one, as every use of them takes it: view, frames and the record
            // sent back agree.
            if (rec.padBank >= kPadBanks)
                rec.padBank = 0;
            if (rec.knobGroup >= kKnobGroups)
                rec.knobGroup = 0;
            m_system = rec;
            m_systemAccepted = true;
            r.kind = SReceived::SystemApplied;
            r.ok = true;
        } else {
            r.kind = SReceived::SystemRejected;
        }
        if (!m_presetRequested) {
            m_presetRequested = true;
            r.requestPreset = true;
            r.preset = preset();
        }
        return r;
    }
    case CMD_READ_PRESET: {
        if (m_busy) {
            // A reply that carries block bytes (the preset byte and one more).
            if (framePayloadLength(frame) >= 2 && received >= SDeviceFrame::kOffsetPayload + 2)
                m_blockDropped = true;
            return r;
        }
        // Only the block of the preset shown is taken.
        switch (m_block.judge(frame, received, preset())) {
        case pagekit::PresetBlock::Reply::Take:
            break;
        case pagekit::PresetBlock::Reply::AskAgain:
            r.requestPreset = true;
            r.preset = preset();
            return r;
        case pagekit::PresetBlock::Reply::Drop:
            return r;
        }
        uchar replyPreset = 0;
        const uint n = pagekit::parseConfigReply(frame, received, &m_config, kBlockSize, &replyPreset);
        if (n == 0)
            return r;
        // A reply cut short is shown but holds no block: it is asked for again.
        m_block.stored(n == kBlockSize, preset());
        rz7::extractSysexData(m_config, m_sysex);
        r.kind = SReceived::Configuration;
        r.ok = true;
        r.blockBytes = n;
        r.preset = replyPreset;
        return r;
    }
    case CMD_SAVE:
        r.kind = SReceived::SaveResult;
        r.ok = pagekit::parseResultReply(frame, received);
        if (m_pendingSave.refused(r.ok))
            m_unsavedChanges = true;
        return r;
    case CMD_FACTORY_RESET:
        r.kind = SReceived::FactoryResetResult;
        r.ok = pagekit::parseResultReply(frame, received);
        r.requestPreset = true;
        r.preset = preset();
        return r;
    default:
        return r;
    }
}

CRZ7Model::STick CRZ7Model::tick()
{
    const pagekit::PagePoll::STick p = m_poll.tick(!blockHeld() || isConfigEmpty());
    if (p.sendPoll)
        m_block.polled();
    STick t;
    t.sendPoll = p.sendPoll;
    t.requestPreset = p.requestBlock;
    t.preset = p.requestBlock ? preset() : uchar(0);
    t.connectionLost = p.connectionLost;
    return t;
}

uint CRZ7Model::systemConfigFrame(uchar *out)
{
    m_busy = false;
    if (!m_systemAccepted)
        return 0;
    clampBytesToRange(m_system.thresholds, uchar(kThresholds), 10, 90);
    m_echo.arm();
    return pagekit::buildSystemRecordFrame(out, &m_system, kSystemSize);
}

bool CRZ7Model::takeDroppedBlock(uchar *presetOut)
{
    if (m_busy || !m_blockDropped)
        return false;
    m_blockDropped = false;
    *presetOut = preset();
    return true;
}

bool CRZ7Model::mayWriteSection()
{
    if (!blockHeld())
        return false;
    m_unsavedChanges = true;
    return true;
}

uint CRZ7Model::padColoursFrame(uchar *out, uchar pad)
{
    if (!blockHeld())
        return 0;
    if (pad == kAllPads)
        m_unsavedChanges = true;
    return buildPadColoursFrame(out, m_config, pad, padBank(), knobGroup());
}

uint CRZ7Model::keysFrame(uchar *out)
{
    return mayWriteSection() ? buildWriteKeysFrame(out, m_config) : 0;
}

uint CRZ7Model::padsFrame(uchar *out)
{
    return mayWriteSection() ? buildWritePadsFrame(out, m_config, padBank()) : 0;
}

uint CRZ7Model::knobsFrame(uchar *out)
{
    return mayWriteSection() ? buildWriteKnobsFrame(out, m_config, knobGroup()) : 0;
}

uint CRZ7Model::modeColoursFrame(uchar *out)
{
    return mayWriteSection() ? buildModeColoursFrame(out, m_config) : 0;
}

uint CRZ7Model::sysexPoolFrame(uchar *out)
{
    m_movedBanks.clear();
    if (!mayWriteSection())
        return 0;
    const pagekit::SPackResult packed = packSysexPool(m_config, m_sysex);
    for (int bank : packed.movedTags) {
        if (bank >= 0 && uint(bank) != padBank())
            m_movedBanks.push_back(uint(bank));
    }
    return pagekit::buildSysexPoolFrame(out, m_config.SysexPool, kPoolSize, packed.used);
}

uint CRZ7Model::padsFrameOfBank(uchar *out, uint bank)
{
    return mayWriteSection() ? buildWritePadsFrame(out, m_config, bank) : 0;
}

uint CRZ7Model::configFrame(uchar *out) const
{
    return buildWriteConfigFrame(out, m_config);
}

uint CRZ7Model::readPresetFrame(uchar *out, uchar preset) const
{
    return pagekit::buildReadPresetFrame(out, preset);
}

uint CRZ7Model::saveFrame(uchar *out)
{
    m_pendingSave.sent(m_unsavedChanges);
    m_unsavedChanges = false;
    return pagekit::buildSaveFrame(out);
}

uint CRZ7Model::pageCloseFrame(uchar *out) const
{
    return pagekit::buildPageCloseFrame(out);
}

namespace rz7 {

QString padCaption(const SControlRecord &rec)
{
    return pagekit::padCaption(rec, "CRZM7");
}

} // namespace rz7
