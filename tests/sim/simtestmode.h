// The factory test mode of the controllers that have one (models 7, 8, 9), as
// the device keeps it: entered with CMD_TEST_START, it records every test LED
// and every self-test colour frame (55-byte CMD_PAD_COLOURS) without touching
// the configuration block, answers CMD_TEST_FLASH, and reports the MIDI-cable
// and Bluetooth bits of its status record in the poll answer. The settings
// below are the test's hands on the device, including its faults.
#pragma once

#include "simframe.h"

#include <vector>

namespace tavrosim {

struct SimTestMode
{
    // What CMD_TEST_FLASH is answered with: a result byte (0..255), or one of these.
    static constexpr int kFlashEmpty = -1; // an answer without its result byte
    static constexpr int kFlashNone = -2;  // no answer at all

    struct Light
    {
        uint8_t command = 0; // kCmdTestLed or kCmdPadColours
        Bytes payload;
    };

    bool active = false;
    int starts = 0;            // CMD_TEST_START frames received
    std::vector<Light> lights; // test LEDs and colour frames, in order of arrival

    // Settings (on by default: a unit with its cables in and its link up).
    bool midiCable = true;
    bool bluetooth = true;
    int flashAnswer = 1;
    bool shortRecord = false; // fault: the poll answer's record one byte short

    // The CMD_TEST_LED payloads, and the index of the last one (-1 before any).
    std::vector<Bytes> leds() const { return payloads(kCmdTestLed); }
    std::vector<Bytes> padColours() const { return payloads(kCmdPadColours); }
    int lastLed() const
    {
        for (auto it = lights.rbegin(); it != lights.rend(); ++it) {
            if (it->command == kCmdTestLed && !it->payload.empty())
                return it->payload[0];
        }
        return -1;
    }

private:
    std::vector<Bytes> payloads(uint8_t command) const
    {
        std::vector<Bytes> out;
        for (const Light &l : lights) {
            if (l.command == command)
                out.push_back(l.payload);
        }
        return out;
    }
};

// Where a unit's status record reports its links in test mode: byte -1 for a
// unit without a test mode.
struct SimStatusBits
{
    int byte = -1;
    uint8_t midiCable = 0;
    uint8_t bluetooth = 0;
};

} // namespace tavrosim
