// The simulated controller's state and its answers to device frames, without
// any MIDI: the MIDI side (simulator.h) feeds it checked frames and sends what
// it returns. SimDevice answers the commands every model shares (device
// information, host hello, page close, test start, upgrade mode, the checks of
// a factory reset) and hands every other frame to the unit of its model
// (simmodel.h, models/).
#pragma once

#include "simframe.h"
#include "simmodel.h"
#include "models/padmodel.h"

#include <memory>

namespace tavrosim {

// The factory system record of a model with one (7, 8, 9); empty otherwise.
Bytes factorySystemRecord(int model);

class SimDevice
{
public:
    using Outcome = SimOutcome;

    explicit SimDevice(const DeviceIdentity &id = DeviceIdentity());

    // Takes one frame that passed its checks.
    Outcome handleFrame(const Bytes &frame);

    const DeviceIdentity &identity() const { return m_model->identity(); }
    // A new firmware version (after an upgrade); the foot pedal's unit follows
    // its generation.
    void setFirmware(int version);

    // The device-information reply payload: model, 16-byte folder, firmware.
    Bytes deviceInfoPayload() const;

    // The model's unit, and the unit as a given kind (null when it is not one).
    SimModel &model() { return *m_model; }
    template <class T> T *unit() { return dynamic_cast<T *>(m_model.get()); }
    template <class T> const T *unit() const { return dynamic_cast<const T *>(m_model.get()); }

    // Models with presets of a block (7, 8, 9); empty and 0 for the others.
    const Bytes &block(int preset) const;
    const Bytes &flashBlock(int preset) const;
    void setBlock(int preset, const Bytes &block);
    const Bytes &systemRecord() const;
    void setSystemRecord(const Bytes &record);
    int currentPreset() const;
    // The device switches to another preset by itself (a person on the unit).
    void selectPreset(int preset);
    // Whether a system-record write is answered with the stored record.
    void setEchoSystemRecord(bool on);
    void factoryReset() { m_model->factoryReset(); }

    // Foot pedal (model 1): the configuration image that a poll returns.
    const Bytes &pedalImage() const;
    void setPedalImage(const Bytes &image);

    // The one-byte result of save and factory reset (default 1, success).
    void setResult(uint8_t command, uint8_t value) { m_model->setResult(command, value); }

    // The factory test mode (simtestmode.h): its state and settings, and the
    // message a press of the control under the last lit LED sends (empty when
    // nothing is lit or the model has no wiring).
    bool testMode() const { return m_test.active; }
    SimTestMode &test() { return m_test; }
    const SimTestMode &test() const { return m_test; }
    Bytes pressLitMessage(uint8_t value) const { return m_model->pressLit(m_test, value); }

private:
    void handleTestFlash(SimOutcome &out) const;
    void applyTestStatus(SimOutcome &out) const;

    std::unique_ptr<SimModel> m_model;
    SimTestMode m_test;
};

} // namespace tavrosim
