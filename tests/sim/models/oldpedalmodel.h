// Model 1 up to firmware 4, the older foot pedal: a poll returns its whole
// 1,184-byte configuration image, and the page's frames change it in place
// (switch records, the Customize1 switches, the expression list, the display
// characters of the presets and the switches, the preset selection). A frame
// of the wrong size is logged in the outcome's note and otherwise ignored.
// The pedal answers nothing else; a factory reset brings back its factory
// image without a reply. Faults for the page's checks: poll answers carrying
// an image that must be refused, and images with values at the edges.
#pragma once

#include "simmodel.h"

#include <deque>

namespace tavrosim {

constexpr size_t kOldPedalImageSize = 1184;

// The image as the pedal stores it: raw bytes at these offsets.
namespace oldpedal {
constexpr size_t kPedalData = 0;       // 16 x {channel, controller, min, max}
constexpr size_t kPedalCount = 64;
constexpr size_t kPreset = 65;         // 1..5
constexpr size_t kPresetDisplay = 66;  // 5 pairs
constexpr size_t kReserved1 = 76;
constexpr size_t kSwitches = 77;       // 4 records of 276 bytes
constexpr size_t kSwitchSize = 276;
constexpr size_t kReserved2 = 1181;    // 3 bytes
// Inside a switch record.
constexpr size_t kType = 0;
constexpr size_t kSysexFlags = 1;
constexpr size_t kCount1 = 2;
constexpr size_t kCount2 = 3;
constexpr size_t kList1 = 4;           // 16 x {channel, status, data1, data2}
constexpr size_t kList2 = 68;
constexpr size_t kSwitchReserved1 = 132;
constexpr size_t kSysexLen1 = 133;     // u16 little-endian
constexpr size_t kSysexLen2 = 135;
constexpr size_t kSysex1 = 137;        // 65 bytes
constexpr size_t kSysex2 = 202;
constexpr size_t kLatch = 267;
constexpr size_t kChannel = 268;
constexpr size_t kData1 = 269;
constexpr size_t kDisplay = 270;       // 4 bytes
constexpr size_t kSwitchReserved2 = 274; // 2 bytes
constexpr size_t sw(size_t k) { return kSwitches + kSwitchSize * k; }
} // namespace oldpedal

// The factory image: Preset1, each switch a "Down" switch with one control
// change, display characters on every preset and switch, one expression
// entry, and reserved bytes that differ from each other.
Bytes oldPedalFactoryImage();

// Images the page must refuse, and images with values no chooser shows.
enum class OldPedalImage {
    Factory,
    PresetZero,       // Preset 0: refused
    Count1Of17,       // switch B's Count1 17: refused
    DisplayByte28,    // switch C's first display byte 0x28: refused
    SysexLength300,   // switch A's list 2 a SysEx with length 300: accepted
    DisplayWithoutRow,// preset 1's second character 0x26 (38): accepted, no row
    Data1Of90,        // switch D's Customize1 data byte 0x90: accepted, no row
};
Bytes oldPedalImage(OldPedalImage kind);

class SimOldPedalModel : public SimImageModel
{
public:
    explicit SimOldPedalModel(const DeviceIdentity &id);

    void factoryReset() override { m_image = oldPedalFactoryImage(); }
    bool handleFrame(uint8_t command, const Bytes &payload, SimOutcome &out) override;

    // The next count poll answers (after those queued before) carry this
    // image in place of the stored one.
    void answerPollsWith(const Bytes &image, int count = 1);
    // The next poll answer (after those queued before) is cut in the middle
    // of the image; its header still gives the whole length.
    void answerPollShort();
    // The pedal moves to preset 1..5 by itself (a foot on the unit); returns
    // the payload of the CMD_PEDAL_MODE frame that reports it (empty when the
    // preset is out of range and nothing changed).
    Bytes selectPreset(int preset);

private:
    bool applySwitchData(const Bytes &payload, SimOutcome &out);

    std::deque<Bytes> m_pollAnswers; // whole frames

};

} // namespace tavrosim
