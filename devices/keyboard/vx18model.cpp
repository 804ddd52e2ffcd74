#include "vx18model.h"

#include <cstring>

using namespace vx18;

CVX18Model::CVX18Model()
    : m_poll(pagekit::PagePoll::SOptions{})
{
    std::memset(&m_config, 0, sizeof m_config);
    std::memset(&m_system, 0, sizeof m_system);
    std::memset(&m_sysex, 0, sizeof m_sysex);
}

CVX18Model::SReceived CVX18Model::receiveFrame(const uchar *frame, uint received)
{
    SReceived r;
    switch (pagekit::frameCommand(frame, received)) {
    case CMD_READ_PRESET: {
        if (m_loadingPreset) {
            // A reply that carries block bytes (the preset byte and one more).
            if (framePayloadLength(frame) >= 2 && received >= SDeviceFrame::kOffsetPayload + 2)
                m_blockDropped = true;
            return r;
        }
        // Only the block of the preset shown is taken.
        switch (m_block.judge(frame, received, m_system.preset)) {
        case pagekit::PresetBlock::Reply::Take:
            break;
        case pagekit::PresetBlock::Reply::AskAgain:
            r.requestPreset = true;
            r.preset = m_system.preset;
            return r;
        case pagekit::PresetBlock::Reply::Drop:
            return r;
        }
        const uint taken = pagekit::parseConfigReply(frame, received, &m_config, kBlockSize, nullptr);
        if (taken == 0)
            return r;
        // A reply cut short is shown but holds no block: it is asked for again.
        m_block.stored(taken == kBlockSize, m_system.preset);
        unpackSysexPool();
        r.kind = SReceived::Configuration;
        return r;
    }
    case CMD_SYSTEM_CONFIG: {
        SSystemConfigData rec;
        if (!pagekit::parseSystemRecord(frame, received, &rec, kSystemSize))
            return r;
        m_recordHeard = true;
        const bool equal = std::memcmp(&rec, &m_system, kSystemSize) == 0;
        // Until the device echoes the record the page sent last, what it
        // sends was composed before it took that record (an answer to a poll,
        // the echo of an earlier write): applied, it would undo the edit on
        // screen and the next write would send the old value back.
        if (m_echoTicks > 0) {
            if (equal)
                m_echoTicks = 0;
            return r;
        }
        if (m_loadingPreset || equal)
            return r;
        // The first record fetches the block, and so does every record that
        // names another preset (chosen on the device): otherwise the next edit
        // would write the old preset's sections into the new one.
        const bool otherPreset = rec.preset != m_system.preset;
        m_system = rec;
        r.kind = SReceived::SystemApplied;
        if (!m_presetRequested || otherPreset) {
            m_presetRequested = true;
            r.requestPreset = true;
            r.preset = m_system.preset;
        }
        return r;
    }
    case CMD_READ_KEYBED:
        if (parseKeybedReply(frame, received, &m_config))
            r.kind = SReceived::Keybed;
        return r;
    case CMD_SAVE:
        r.kind = SReceived::SaveResult;
        r.ok = pagekit::parseResultReply(frame, received);
        if (m_pendingSave.refused(r.ok))
            m_unsavedChanges = true; // the edits it carried are still unsaved
        return r;
    case CMD_FACTORY_RESET:
        r.kind = SReceived::FactoryResetResult;
        r.ok = pagekit::parseResultReply(frame, received);
        r.requestPreset = true;
        r.preset = m_system.preset;
        return r;
    default:
        return r;
    }
}

CVX18Model::STick CVX18Model::tick()
{
    if (m_echoTicks > 0)
        --m_echoTicks;
    const pagekit::PagePoll::STick p = m_poll.tick(!blockHeld() || isConfigEmpty());
    if (p.sendPoll)
        m_block.polled();
    STick t;
    t.sendPoll = p.sendPoll;
    t.requestPreset = p.requestBlock;
    t.preset = m_system.preset;
    return t;
}

uint CVX18Model::systemConfigFrame(uchar *out)
{
    if (!m_recordHeard)
        return 0;
    clampThresholds(m_system);
    m_echoTicks = kEchoWaitTicks;
    return buildSystemConfigFrame(out, m_system);
}

bool CVX18Model::takeDroppedBlock(uchar *preset)
{
    if (m_loadingPreset || !m_blockDropped)
        return false;
    m_blockDropped = false;
    *preset = m_system.preset;
    return true;
}

bool CVX18Model::mayWriteSection()
{
    if (!blockHeld())
        return false;
    m_unsavedChanges = true;
    return true;
}

uint CVX18Model::wheelPedalFrame(uchar *out)
{
    return mayWriteSection() ? buildWheelPedalFrame(out, m_config) : 0;
}

uint CVX18Model::keybedFrame(uchar *out)
{
    return mayWriteSection() ? buildKeybedFrame(out, m_config) : 0;
}

uint CVX18Model::padColoursFrame(uchar *out, uchar pad)
{
    if (!blockHeld())
        return 0;
    if (pad == kAllPads)
        m_unsavedChanges = true;
    return buildPadColoursFrame(out, m_config, pad, padBank());
}

uint CVX18Model::keysFrame(uchar *out)
{
    return mayWriteSection() ? buildWriteKeysFrame(out, m_config) : 0;
}

uint CVX18Model::padsFrame(uchar *out, uint bank)
{
    return mayWriteSection() ? buildWritePadsFrame(out, m_config, bank) : 0;
}

uint CVX18Model::knobsFrame(uchar *out)
{
    return mayWriteSection() ? buildWriteKnobsFrame(out, m_config, knobBank()) : 0;
}

uint CVX18Model::sysexPoolFrame(uchar *out)
{
    if (!mayWriteSection())
        return 0;
    const pagekit::SPackResult r = packSysexPool(m_config, m_sysex);
    m_movedBanks = r.movedTags;
    return buildSysexPoolFrame(out, m_config, r.used);
}

uint CVX18Model::saveFrame(uchar *out)
{
    m_pendingSave.sent(m_unsavedChanges);
    m_unsavedChanges = false;
    return buildSaveFrame(out);
}
