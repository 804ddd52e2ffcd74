// The pad controller page's state without its widgets: the block of the preset
// the device plays, the last system record it accepted, the unpacked SysEx
// messages, and the flags and counters of the conversation with the device. The
// page shows this state and forwards what the user and the device do; the model
// decides what is stored and which frames go out.
#pragma once

#include "rz7config.h"
#include "devices/shared/echoguard.h"
#include "devices/shared/pagepoll.h"
#include "devices/shared/pendingsave.h"
#include "devices/shared/presetblock.h"

#include <QString>

#include <vector>

class CRZ7Model
{
public:
    CRZ7Model();

    SRZ7ConfigData &config() { return m_config; }
    const SRZ7ConfigData &config() const { return m_config; }
    rz7::SSystemConfigData &system() { return m_system; }
    const rz7::SSystemConfigData &system() const { return m_system; }
    SRZ7SysexStore &sysex() { return m_sysex; }
    const SRZ7SysexStore &sysex() const { return m_sysex; }

    bool isConfigEmpty() const { return rz7::isConfigEmpty(m_config); }
    // The whole block of the preset shown is held, from the device or a file.
    // Until it is, the poll asks for it (whatever a reply cut short has put
    // into the block) and no section of it is sent: the device would get
    // another preset's bytes, or bytes it never sent, over its own.
    bool blockHeld() const { return m_block.held(preset()); }
    // A block from a file was stored: it is the shown preset's now.
    void setBlockStored() { m_block.stored(true, preset()); }
    // A factory reset the user confirmed: the block held is the old one.
    void forgetBlock() { m_block.forget(); }

    // The current pad bank, knob group and preset of the system record, each
    // checked against its range (0 when out of range) so they can index the block.
    uint padBank() const;
    uint knobGroup() const;
    uchar preset() const;

    // Records and colours of the current bank or group; index checked (0..15
    // pads, 0..7 knobs, 0..5 keys), out-of-range indexes give a null pointer.
    SControlRecord *padRecord(uint pad);
    SColourGRB *padColour(uint pad);
    SKnobRecord *knobRecord(uint knob);
    SColourGRB &padBankColour() { return m_config.PadModeRGB[padBank()]; }
    SColourGRB &knobGroupColour() { return m_config.KnobModeRGB[knobGroup()]; }

    // Bank and group cycle 0, 1, 2, 0 (an out-of-range value restarts at 0).
    void nextPadBank();
    void nextKnobGroup();

    // ---- flags of the conversation ----
    // While busy, configuration replies are ignored; every system record send
    // clears it. A reply dropped while busy is remembered: when busy clears,
    // the page asks again for the block of the preset it then holds
    // (takeDroppedBlock), unless a whole block has replaced its own meanwhile.
    bool isBusy() const { return m_busy; }
    void setBusy(bool on) { m_busy = on; }
    bool takeDroppedBlock(uchar *preset);
    void forgetDroppedBlock() { m_blockDropped = false; }
    // A system record has been accepted from the device: until then the page
    // sends none (it would put its own zeros over the device's settings).
    bool systemAccepted() const { return m_systemAccepted; }
    bool hasUnsavedChanges() const { return m_unsavedChanges; }
    void setUnsavedChanges(bool on) { m_unsavedChanges = on; }
    // A pad colour the user confirmed is in the device's preset: the save
    // stores it (its live previews alone do not count).
    void colourConfirmed() { m_unsavedChanges = true; }
    // The page goes to another preset: a save still on its way is about the
    // preset left, and its refusal marks nothing here.
    void forgetPendingSave() { m_pendingSave.forget(); }
    pagekit::PendingSave &pendingSave() { return m_pendingSave; }
    bool ignoresEcho() const { return m_echo.armed(); }
    bool presetRequested() const { return m_presetRequested; }
    // After a language change the next system record requests the block again.
    void clearPresetRequested() { m_presetRequested = false; }

    // ---- receiving ----
    struct SReceived
    {
        enum Kind {
            Ignored,        // unknown command, too short, or a block while busy
            SystemEcho,     // the system record after one the page sent: dropped
            SystemRejected, // failed the check or shorter than 32 bytes: not stored
            SystemApplied,  // stored in system(): write it into the controls
            Configuration,  // block stored and SysEx unpacked: rebuild, enable
            SaveResult,     // ok: the save succeeded; refused, the edits stay unsaved
            FactoryResetResult,
        };
        Kind kind = Ignored;
        bool ok = false;
        // Send the read-preset frame for this preset (first block request after
        // a system record, the block after a factory reset, or the shown
        // preset's block when a reply of another preset came, also with
        // Ignored).
        bool requestPreset = false;
        uchar preset = 0;
        uint blockBytes = 0;
    };
    // Takes one frame as received (received = bytes actually in the buffer).
    SReceived receiveFrame(const uchar *frame, uint received);

    // ---- the 200 ms page timer ----
    struct STick
    {
        bool sendPoll = false;       // send g_fixedFramePoll
        bool requestPreset = false;  // the block is still empty: ask again
        uchar preset = 0;
        bool connectionLost = false; // more than 14 ticks without a system record
    };
    STick tick();

    // ---- sending ----
    // Each fills out (at least rz7::kTxBufferSize bytes) with one frame and
    // returns its length, 0 when nothing is to be sent.
    // The system record: thresholds outside 10..90 become 45 (also in system()),
    // the next received record is dropped as the echo, busy is cleared.
    // Nothing (0) before a record has been accepted from the device; busy is
    // cleared all the same.
    uint systemConfigFrame(uchar *out);
    // Colour preview of the current bank; pad 0..15 or rz7::kAllPads. One
    // pad's colour is a live preview; a colour given to all pads is the
    // user's choice and marks the configuration as changed.
    uint padColoursFrame(uchar *out, uchar pad);
    // Section writes; each marks the configuration as changed. Like the
    // colours, nothing (0) until blockHeld().
    uint keysFrame(uchar *out);
    uint padsFrame(uchar *out);
    uint knobsFrame(uchar *out);
    uint modeColoursFrame(uchar *out);
    // Packs the SysEx buffers into the pool, then builds the pool frame. The
    // pad banks other than the current one whose Customize references moved
    // are kept for movedPadBanks().
    uint sysexPoolFrame(uchar *out);
    // In bank order; each needs its pads written again (padsFrameOfBank).
    const std::vector<uint> &movedPadBanks() const { return m_movedBanks; }
    uint padsFrameOfBank(uchar *out, uint bank);
    uint configFrame(uchar *out) const;
    uint readPresetFrame(uchar *out, uchar preset) const;
    // Clears the changed mark until the device answers (a refusal sets it again).
    uint saveFrame(uchar *out);
    uint pageCloseFrame(uchar *out) const;

    // Re-reads the SysEx messages from the pool (after a block from the device
    // or a preset file was stored).
    void extractSysexData() { rz7::extractSysexData(m_config, m_sysex); }

private:
    // A part of the block may be written (the whole block is held): the
    // configuration is then marked as changed.
    bool mayWriteSection();

    SRZ7ConfigData m_config;
    rz7::SSystemConfigData m_system;
    SRZ7SysexStore m_sysex;
    bool m_busy = false;
    pagekit::EchoGuard m_echo; // the record after each one sent is dropped
    bool m_presetRequested = false;
    bool m_unsavedChanges = false;
    pagekit::PendingSave m_pendingSave;
    bool m_systemAccepted = false;
    bool m_blockDropped = false;
    std::vector<uint> m_movedBanks;
    pagekit::PresetBlock m_block; // the shown preset's block, and the replies taken
    // Polls every 8th tick; the device counts as lost after 14 quiet ticks.
    pagekit::PagePoll m_poll{{8, 14}};
};

namespace rz7 {
// The caption of a pad button (pagekit::padCaption in the context "CRZM7").
QString padCaption(const SControlRecord &rec);
} // namespace rz7
