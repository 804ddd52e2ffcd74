#include "rz7model.h"

#include <QCoreApplication>

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
    switch (frameCommand(frame, received)) {
    case CMD_SYSTEM_CONFIG: {
        // Any system record, even a dropped or a faulty one, shows the device is there.
        m_lossTicks = 0;
        if (m_ignoreEcho) {
            m_ignoreEcho = false;
            r.kind = SReceived::SystemEcho;
            return r;
        }
        SSystemConfigData rec;
        if (parseSystemRecord(frame, received, &rec) && check_system_config_data(rec)) {
            m_system = rec;
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
        if (m_busy)
            return r;
        uchar replyPreset = 0;
        const uint n = parseConfigReply(frame, received, &m_config, &replyPreset);
        if (n == 0)
            return r;
        rz7::extractSysexData(m_config, m_sysex);
        r.kind = SReceived::Configuration;
        r.ok = true;
        r.blockBytes = n;
        r.preset = replyPreset;
        return r;
    }
    case CMD_SAVE:
        r.kind = SReceived::SaveResult;
        r.ok = parseResultReply(frame, received);
        return r;
    case CMD_FACTORY_RESET:
        r.kind = SReceived::FactoryResetResult;
        r.ok = parseResultReply(frame, received);
        r.requestPreset = true;
        r.preset = preset();
        return r;
    default:
        return r;
    }
}

CRZ7Model::STick CRZ7Model::tick()
{
    STick t;
    if (++m_pollTicks > 7) {
        m_pollTicks = 0;
        t.sendPoll = true;
        if (isConfigEmpty()) {
            t.requestPreset = true;
            t.preset = preset();
        }
    }
    if (m_lossTicks <= 14)
        ++m_lossTicks;
    t.connectionLost = m_lossTicks > 14;
    return t;
}

uint CRZ7Model::systemConfigFrame(uchar *out)
{
    clampBytesToRange(m_system.thresholds, uchar(kThresholds), 10, 90);
    m_ignoreEcho = true;
    const uint n = buildSystemConfigFrame(out, m_system);
    m_busy = false;
    return n;
}

uint CRZ7Model::padColoursFrame(uchar *out, uchar pad) const
{
    return buildPadColoursFrame(out, m_config, pad, padBank(), knobGroup());
}

uint CRZ7Model::keysFrame(uchar *out)
{
    m_unsavedChanges = true;
    return buildWriteKeysFrame(out, m_config);
}

uint CRZ7Model::padsFrame(uchar *out)
{
    m_unsavedChanges = true;
    return buildWritePadsFrame(out, m_config, padBank());
}

uint CRZ7Model::knobsFrame(uchar *out)
{
    m_unsavedChanges = true;
    return buildWriteKnobsFrame(out, m_config, knobGroup());
}

uint CRZ7Model::modeColoursFrame(uchar *out)
{
    m_unsavedChanges = true;
    return buildModeColoursFrame(out, m_config);
}

uint CRZ7Model::sysexPoolFrame(uchar *out)
{
    m_unsavedChanges = true;
    const uint n = packSysexPool(m_config, m_sysex);
    return buildSysexPoolFrame(out, m_config, n);
}

uint CRZ7Model::configFrame(uchar *out) const
{
    return buildWriteConfigFrame(out, m_config);
}

uint CRZ7Model::readPresetFrame(uchar *out, uchar preset) const
{
    return buildReadPresetFrame(out, preset);
}

uint CRZ7Model::saveFrame(uchar *out)
{
    m_unsavedChanges = false;
    return buildSaveFrame(out);
}

uint CRZ7Model::pageCloseFrame(uchar *out) const
{
    return buildPageCloseFrame(out);
}

namespace rz7 {

QString padCaption(const SControlRecord &rec)
{
    static const char *const texts[] = {
        QT_TRANSLATE_NOOP("CRZM7", "Note\nCH:%1\ndata1:%2\nrange:%3-%4"),
        QT_TRANSLATE_NOOP("CRZM7", "CC Toggle\nCH:%1\ndata1:%2\nvalue:%3 or %4"),
        QT_TRANSLATE_NOOP("CRZM7", "momentary\nCH:%1\ndata1:%2\nDown:%3\nUp:%4"),
        QT_TRANSLATE_NOOP("CRZM7", "PC\nCH:%1\nMSB:%2\nLSB:%3\nProgram:%4"),
        QT_TRANSLATE_NOOP("CRZM7", "Customize"),
    };
    const uint mode = rec.mode();
    QString text;
    if (mode <= 3) {
        text = QCoreApplication::translate("CRZM7", texts[mode])
                   .arg(int(rec.channel()))
                   .arg(int(rec.data1))
                   .arg(int(rec.value1))
                   .arg(int(rec.value2));
    } else if (mode == kPadSysexMode) {
        text = QCoreApplication::translate("CRZM7", texts[4]);
    }
    if (rec.flag())
        text.prepend(QStringLiteral("MCP-"));
    return text;
}

} // namespace rz7
