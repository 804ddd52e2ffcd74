// The simulated controller's state and its answers to device frames, without
// any MIDI: the MIDI side (simulator.h) feeds it checked frames and sends what
// it returns.
#pragma once

#include "simframe.h"

#include <array>
#include <map>
#include <string>

namespace tavrosim {

// The pad controller's configuration block as the device stores it: raw bytes
// at these offsets.
namespace padblock {
constexpr size_t kSize = 823;
constexpr size_t kKnobs = 0;        // 3 groups x 8 knobs x 5 bytes
constexpr size_t kPads = 120;       // 3 banks x 16 pads x 4 bytes
constexpr size_t kPadColours = 312; // 3 banks x 16 pads x 3 bytes (G, R, B)
constexpr size_t kKeys = 456;       // 6 buttons x 4 bytes
constexpr size_t kKeysLong = 480;   // 6 buttons x 4 bytes
constexpr size_t kKnobModeColours = 504; // 3 x 3
constexpr size_t kPadModeColours = 513;  // 3 x 3
constexpr size_t kPool = 522;       // 300 bytes
constexpr size_t kPoolSize = 300;
constexpr size_t kCrc = 822;
constexpr size_t kBanks = 3;
constexpr size_t kPresets = 8;
constexpr size_t knob(size_t group, size_t k) { return kKnobs + 40 * group + 5 * k; }
constexpr size_t pad(size_t bank, size_t p) { return kPads + 64 * bank + 4 * p; }
constexpr size_t padColour(size_t bank, size_t p) { return kPadColours + 48 * bank + 3 * p; }
} // namespace padblock

// System record of the pad controllers (32 bytes) and the keyboard (30).
namespace sysrec {
constexpr size_t kPadSize = 32;
constexpr size_t kKeyboardSize = 30;
constexpr size_t kTempo = 0; // u16 little-endian
constexpr size_t kPadBank = 2;
constexpr size_t kKnobGroup = 3;
constexpr size_t kPreset = 4;
constexpr size_t kPadThresholds = 11; // 16 bytes on the pad controllers
constexpr size_t kKeyboardThresholds = 12; // 8 bytes on the keyboard
} // namespace sysrec

struct DeviceIdentity
{
    int model = 7;
    std::string folder = "rz7";
    int firmware = 3;
};

// The factory contents the device returns to on a reset.
Bytes factoryPadBlock(int preset);
Bytes factorySystemRecord(int model);

class SimDevice
{
public:
    explicit SimDevice(const DeviceIdentity &id = DeviceIdentity());

    // What a frame did besides its replies.
    struct Outcome
    {
        std::vector<Bytes> replies; // whole frames, in sending order
        bool enterUpgrade = false;
        std::string note;           // why a frame was ignored, for the log
    };
    // Takes one frame that passed its checks.
    Outcome handleFrame(const Bytes &frame);

    const DeviceIdentity &identity() const { return m_id; }
    // A new firmware version (after an upgrade); the pedal image takes its size.
    void setFirmware(int version);

    // The device-information reply payload: model, 16-byte folder, firmware.
    Bytes deviceInfoPayload() const;

    // Pad controller state (model 7). Working copies hold the edits; the flash
    // copies change only on save and factory reset. Leaving a preset drops its
    // unsaved edits: the working copy is reloaded from flash.
    const Bytes &block(int preset) const { return m_blocks.at(size_t(preset)); }
    const Bytes &flashBlock(int preset) const { return m_flash.at(size_t(preset)); }
    void setBlock(int preset, const Bytes &block);
    const Bytes &systemRecord() const { return m_system; }
    void setSystemRecord(const Bytes &record);
    int currentPreset() const { return m_system.size() > sysrec::kPreset ? m_system[sysrec::kPreset] : 0; }
    // The device switches to another preset by itself (a person on the unit).
    void selectPreset(int preset);
    void factoryReset();

    // Foot pedal (model 1): the configuration image that a poll returns.
    const Bytes &pedalImage() const { return m_pedalImage; }
    void setPedalImage(const Bytes &image) { m_pedalImage = image; }

    // The one-byte result of save and factory reset (default 1, success).
    void setResult(uint8_t command, uint8_t value) { m_results[command] = value; }
    // Whether a system-record write is answered with the stored record.
    void setEchoSystemRecord(bool on) { m_echoSystem = on; }

    bool testMode() const { return m_testMode; }

private:
    bool isPad() const { return m_id.model == 7 || m_id.model == 8; }
    size_t systemSize() const;
    Bytes &current() { return m_blocks[size_t(currentPreset())]; }
    void switchTo(int preset);
    Outcome handlePadSection(uint8_t command, const Bytes &payload);
    uint8_t result(uint8_t command) const;

    DeviceIdentity m_id;
    std::array<Bytes, padblock::kPresets> m_blocks;
    std::array<Bytes, padblock::kPresets> m_flash;
    Bytes m_system;
    Bytes m_pedalImage;
    std::map<uint8_t, uint8_t> m_results;
    bool m_echoSystem = true;
    bool m_testMode = false;
};

} // namespace tavrosim
