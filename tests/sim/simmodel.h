// One simulated model: its device state and its answers to the frames only it
// knows. The common commands (device information, host hello, page close,
// test start, upgrade mode, the factory reset's checks) are SimDevice's; every
// other frame goes to the model's unit.
//
// Adding a model: write its unit in models/ (a SimBlockModel for controllers
// with presets of a configuration block and a system record, a SimImageModel
// for controllers answering the poll with a whole configuration image, or a
// SimModel of its own), and name it in makeSimModel() (simmodels.cpp). The pad
// controller's unit (models/padmodel.*) shows the pattern: its block layout,
// its factory contents, and its section writes with wrong sizes logged in the
// outcome's note and otherwise ignored.
#pragma once

#include "simframe.h"
#include "simtestmode.h"

#include <array>
#include <map>
#include <memory>
#include <string>

namespace tavrosim {

struct DeviceIdentity
{
    int model = 7;
    std::string folder = "rz7";
    int firmware = 3;
};

// What a frame did besides its replies.
struct SimOutcome
{
    std::vector<Bytes> replies; // whole frames, in sending order
    bool enterUpgrade = false;
    std::string note;           // why a frame was ignored, for the log
};

// System record of the pad controllers (32 bytes) and the keyboard (30).
namespace sysrec {
constexpr size_t kPadSize = 32;
constexpr size_t kKeyboardSize = 30;
constexpr size_t kTempo = 0; // u16 little-endian
constexpr size_t kPadBank = 2;
constexpr size_t kKnobGroup = 3;
constexpr size_t kPreset = 4;
constexpr size_t kPadThresholds = 11;      // 16 bytes on the pad controllers
constexpr size_t kKeyboardThresholds = 12; // 8 bytes on the keyboard
} // namespace sysrec

class SimModel
{
public:
    explicit SimModel(const DeviceIdentity &id) : m_id(id) {}
    virtual ~SimModel() = default;

    const DeviceIdentity &identity() const { return m_id; }
    // A new firmware version (after an upgrade). SimDevice makes a new unit
    // when the version calls for another one (see makeSimModel).
    virtual void setFirmware(int version) { m_id.firmware = version; }

    // Back to the factory contents (a factory reset, or the start).
    virtual void factoryReset() {}
    // Whether the unit answers an accepted factory reset with its result byte.
    virtual bool answersFactoryReset() const { return false; }
    // A frame of the model's own that passed its checks. False: the model
    // does not know the command (the device logs it as unhandled).
    virtual bool handleFrame(uint8_t command, const Bytes &payload, SimOutcome &out);

    // The factory test mode: where the status record reports the links, and
    // the message a press of the control under the last lit LED sends (empty:
    // nothing lit, or no wiring). Units without a test mode keep these.
    virtual SimStatusBits statusBits() const { return {}; }
    virtual Bytes pressLit(const SimTestMode &test, uint8_t value) const;

    // The one-byte result of save and factory reset (default 1, success).
    void setResult(uint8_t command, uint8_t value) { m_results[command] = value; }
    uint8_t result(uint8_t command) const;

protected:
    DeviceIdentity m_id;

private:
    std::map<uint8_t, uint8_t> m_results;
};

// A controller with presets of a configuration block and a system record (the
// pads and the keyboard). Working copies hold the edits; the flash copies
// change only on save and factory reset. Leaving a preset drops its unsaved
// edits: the working copy is reloaded from flash. A poll answers the system
// record; a system-record write (of the record's size, preset in range) may
// switch the preset and is echoed unless told otherwise; a save stores the
// working copy; a read-preset request answers [preset] + block when the unit
// reads presets; the section writes are the unit's (handleSection).
class SimBlockModel : public SimModel
{
public:
    static constexpr size_t kPresets = 8;

    SimBlockModel(const DeviceIdentity &id, size_t blockSize, size_t recordSize);

    size_t blockSize() const { return m_blockSize; }
    size_t recordSize() const { return m_recordSize; }
    const Bytes &block(int preset) const { return m_blocks.at(size_t(preset)); }
    const Bytes &flashBlock(int preset) const { return m_flash.at(size_t(preset)); }
    void setBlock(int preset, const Bytes &block);
    const Bytes &systemRecord() const { return m_system; }
    void setSystemRecord(const Bytes &record);
    int currentPreset() const { return m_system.size() > presetByte() ? m_system[presetByte()] : 0; }
    // The device switches to another preset by itself (a person on the unit).
    void selectPreset(int preset);
    // Whether a system-record write is answered with the stored record.
    void setEchoSystemRecord(bool on) { m_echoSystem = on; }

    void factoryReset() override;
    bool answersFactoryReset() const override { return true; }
    bool handleFrame(uint8_t command, const Bytes &payload, SimOutcome &out) override;

protected:
    // Factory contents; called by factoryReset (and so at the start).
    virtual Bytes factoryBlock(int preset) const { (void)preset; return Bytes(m_blockSize, 0); }
    virtual Bytes factoryRecord() const = 0;
    // Whether CMD_READ_PRESET is answered.
    virtual bool readsPresets() const { return true; }
    // The record byte that names the current preset.
    virtual size_t presetByte() const { return sysrec::kPreset; }
    // How many leading bytes of a record write the device takes; the rest are
    // its own (the host only hands them back).
    virtual size_t takenRecordBytes() const { return m_recordSize - 1; }
    // Whether the model can answer a record write with the record at all.
    virtual bool echoesRecordWrites() const { return true; }
    // Section writes into the current preset's working copy; false: unknown command.
    virtual bool handleSection(uint8_t command, const Bytes &payload, SimOutcome &out);

    Bytes &current() { return m_blocks[size_t(currentPreset())]; }
    // Sets out.note for a payload of the wrong size and returns true.
    static bool wrongSize(SimOutcome &out, size_t got, size_t want);
    // A payload of exactly size bytes, copied into block at `at`; another size
    // is noted and ignored. Returns true.
    static bool writeSection(Bytes &block, size_t at, const Bytes &payload, size_t size, SimOutcome &out);
    // A payload of 1 + stride bytes whose first byte picks one of count slots of
    // stride bytes from `at` (a bank, a group); a slot out of range is noted
    // ("what out of range") and ignored. Returns true.
    static bool writeSlot(Bytes &block, size_t at, size_t stride, size_t count, const Bytes &payload,
                          const char *what, SimOutcome &out);
    // A CMD_WRITE_SYSEX_POOL payload (u16 count, then that many bytes) into
    // the pool at poolAt of block; a count above poolSize or a payload of
    // another length is noted and ignored. Returns true.
    static bool writeSysexPool(Bytes &block, size_t poolAt, size_t poolSize, const Bytes &payload, SimOutcome &out);

private:
    void switchTo(int preset);

    size_t m_blockSize;
    size_t m_recordSize;
    std::array<Bytes, kPresets> m_blocks;
    std::array<Bytes, kPresets> m_flash;
    Bytes m_system;
    bool m_echoSystem = true;
};

// A controller that answers the poll with its whole configuration image (the
// foot pedal): a reply with the poll command and the image as payload.
class SimImageModel : public SimModel
{
public:
    SimImageModel(const DeviceIdentity &id, size_t imageSize) : SimModel(id), m_image(imageSize, 0) {}

    const Bytes &image() const { return m_image; }
    void setImage(const Bytes &image) { m_image = image; }

    void factoryReset() override { m_image.assign(m_image.size(), 0); }
    bool handleFrame(uint8_t command, const Bytes &payload, SimOutcome &out) override;

protected:
    Bytes m_image;
};

// The unit for an identity: the model number and, for the foot pedal, the
// firmware generation. Models without a unit of their own get a SimModel that
// answers none of the model's frames.
std::unique_ptr<SimModel> makeSimModel(const DeviceIdentity &id);
// Whether a unit made for `from` still serves `to` (a firmware change).
bool sameSimModel(const DeviceIdentity &from, const DeviceIdentity &to);

} // namespace tavrosim
