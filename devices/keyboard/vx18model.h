// The keyboard page's state without its widgets: the block of the preset the
// device plays, the last system record, the per-control SysEx texts, and the
// flags and counters of the conversation with the device. The page shows this
// state and forwards what the user and the device do; the model decides what is
// stored and which frames go out.
#pragma once

#include "vx18config.h"
#include "devices/shared/pagepoll.h"
#include "devices/shared/pendingsave.h"
#include "devices/shared/presetblock.h"

#include <set>

class CVX18Model
{
public:
    CVX18Model();

    SVX18ConfigData &config() { return m_config; }
    const SVX18ConfigData &config() const { return m_config; }
    vx18::SSystemConfigData &system() { return m_system; }
    const vx18::SSystemConfigData &system() const { return m_system; }
    SysexTextStore &sysex() { return m_sysex; }
    const SysexTextStore &sysex() const { return m_sysex; }
    // One byte per button: its Long page was shown at its last OK.
    uchar *longFlags() { return m_longFlags; }

    bool isConfigEmpty() const { return vx18::isConfigEmpty(m_config); }
    // The whole block of the preset shown is held, from the device or a file.
    // Until it is, the poll asks for it (whatever a keybed reply or a reply cut
    // short has put into the block), and no section of it is sent: the device
    // would get back bytes it never sent, over its own.
    bool blockHeld() const { return m_block.held(m_system.preset); }
    // A block from a file was stored: it is the shown preset's now.
    void setBlockStored() { m_block.stored(true, m_system.preset); }
    // A factory reset the user confirmed: the block held is the old one.
    void forgetBlock() { m_block.forget(); }

    // Banks of the system record as block indexes (out of range: 0).
    uint padBank() const { return vx18::bankIndex(m_system.padBank); }
    uint knobBank() const { return vx18::bankIndex(m_system.knobBank); }
    uchar preset() const { return m_system.preset; }

    SControlRecord &padRecord(uint pad) { return m_config.PadData[padBank()][pad % vx18::kPadsPerBank]; }
    SColourGRB &padColour(uint pad) { return m_config.PadRGB[padBank()][pad % vx18::kPadsPerBank]; }

    // ---- flags of the conversation ----
    bool hasUnsavedChanges() const { return m_unsavedChanges; }
    void setUnsavedChanges(bool on) { m_unsavedChanges = on; }
    // A pad colour the user confirmed is in the device's preset: the save
    // stores it (its live previews alone do not count).
    void colourConfirmed() { m_unsavedChanges = true; }
    // The page goes to another preset: a save still on its way is about the
    // preset left, and its refusal marks nothing here.
    void forgetPendingSave() { m_pendingSave.forget(); }
    pagekit::PendingSave &pendingSave() { return m_pendingSave; }
    // A preset switch or a preset-file load is under way: system records and
    // blocks from the device are dropped.
    bool isLoadingPreset() const { return m_loadingPreset; }
    void setLoadingPreset(bool on) { m_loadingPreset = on; }
    // A block dropped while loading: once loading has ended, the preset to ask
    // for again (true, once). A block from a file supersedes it (forget).
    bool takeDroppedBlock(uchar *preset);
    void forgetDroppedBlock() { m_blockDropped = false; }
    // Whether a record from the device has arrived: until one has, the page's
    // own record holds nothing of the device's and is not sent.
    bool heardRecord() const { return m_recordHeard; }

    // ---- receiving ----
    struct SReceived
    {
        enum Kind {
            Ignored,       // unknown, too short, equal record, or dropped while loading
            SystemApplied, // stored in system(): set the global controls
            Configuration, // block stored and SysEx unpacked: redraw the pads
            Keybed,        // block bytes 724..753 replaced
            SaveResult,
            FactoryResetResult,
        };
        Kind kind = Ignored;
        bool ok = false;
        bool requestPreset = false; // send CMD_READ_PRESET [preset] (also with Ignored)
        uchar preset = 0;
    };
    SReceived receiveFrame(const uchar *frame, uint received);

    // ---- the 200 ms page timer ----
    struct STick
    {
        bool sendPoll = false;
        bool requestPreset = false; // the block is still empty
        uchar preset = 0;
    };
    STick tick();

    // ---- sending: each fills out (vx18::kTxBufferSize bytes) and returns its length ----
    // The writes of parts of the block send nothing (0) until blockHeld(), and
    // each marks the configuration as changed: the save stores them.
    uint wheelPedalFrame(uchar *out);
    uint keybedFrame(uchar *out);
    uint readKeybedFrame(uchar *out) const { return vx18::buildReadKeybedFrame(out); }
    // Thresholds outside 10..90 become 45 (also in system()). Records from
    // the device are dropped until it echoes this one, for at most
    // kEchoWaitTicks: they were composed before it took this one. 0 (nothing
    // to send) until the device's own record has arrived.
    uint systemConfigFrame(uchar *out);
    static constexpr int kEchoWaitTicks = 10;
    // One pad's colour is a live preview; a colour given to all pads
    // (kAllPads) is the user's choice and marks the configuration as changed.
    uint padColoursFrame(uchar *out, uchar pad);
    uint keysFrame(uchar *out);
    uint padsFrame(uchar *out, uint bank);
    uint knobsFrame(uchar *out);
    // Packs the texts into the pool, then builds the pool frame.
    uint sysexPoolFrame(uchar *out);
    // The pad banks whose references the last packing moved.
    const std::set<int> &movedBanks() const { return m_movedBanks; }
    uint configFrame(uchar *out) const { return vx18::buildWriteConfigFrame(out, m_config); }
    uint readPresetFrame(uchar *out, uchar preset) const { return vx18::buildReadPresetFrame(out, preset); }
    // Clears the changed mark; a save the device refuses puts it back.
    uint saveFrame(uchar *out);
    uint pageCloseFrame(uchar *out) const { return vx18::buildPageCloseFrame(out); }

    // After a block from the device or a file was stored.
    void unpackSysexPool() { vx18::unpackSysexPool(m_config, m_sysex); }

private:
    // A part of the block may be written (the whole block is held): the
    // configuration is then marked as changed.
    bool mayWriteSection();

    SVX18ConfigData m_config;
    vx18::SSystemConfigData m_system;
    SysexTextStore m_sysex;
    uchar m_longFlags[vx18::kKeys] = {0, 0, 0};
    bool m_unsavedChanges = false;
    pagekit::PendingSave m_pendingSave;
    bool m_loadingPreset = false;
    bool m_presetRequested = false;
    bool m_recordHeard = false;
    bool m_blockDropped = false;
    pagekit::PresetBlock m_block; // the shown preset's block, and the replies taken
    int m_echoTicks = 0; // ticks left to wait for the echo of the last record sent
    pagekit::PagePoll m_poll;
    std::set<int> m_movedBanks;
};
