#include "simdevice.h"

namespace tavrosim {

namespace {
const Bytes kNone;
} // namespace

Bytes factorySystemRecord(int model)
{
    std::unique_ptr<SimModel> unit = makeSimModel(DeviceIdentity{model, "", 3});
    unit->factoryReset();
    const auto *blocks = dynamic_cast<const SimBlockModel *>(unit.get());
    return blocks ? blocks->systemRecord() : Bytes();
}

SimDevice::SimDevice(const DeviceIdentity &id)
    : m_model(makeSimModel(id))
{
    m_model->factoryReset();
}

void SimDevice::setFirmware(int version)
{
    DeviceIdentity id = m_model->identity();
    id.firmware = version;
    if (sameSimModel(m_model->identity(), id)) {
        m_model->setFirmware(version);
        return;
    }
    m_model = makeSimModel(id);
    m_model->factoryReset();
}

Bytes SimDevice::deviceInfoPayload() const
{
    const DeviceIdentity &id = identity();
    Bytes p(18, 0);
    p[0] = uint8_t(id.model);
    for (size_t i = 0; i < 16 && i < id.folder.size(); ++i)
        p[1 + i] = uint8_t(id.folder[i]);
    p[17] = uint8_t(id.firmware);
    return p;
}

const Bytes &SimDevice::block(int preset) const
{
    const auto *b = unit<SimBlockModel>();
    return b ? b->block(preset) : kNone;
}

const Bytes &SimDevice::flashBlock(int preset) const
{
    const auto *b = unit<SimBlockModel>();
    return b ? b->flashBlock(preset) : kNone;
}

void SimDevice::setBlock(int preset, const Bytes &block)
{
    if (auto *b = unit<SimBlockModel>())
        b->setBlock(preset, block);
}

const Bytes &SimDevice::systemRecord() const
{
    const auto *b = unit<SimBlockModel>();
    return b ? b->systemRecord() : kNone;
}

void SimDevice::setSystemRecord(const Bytes &record)
{
    if (auto *b = unit<SimBlockModel>())
        b->setSystemRecord(record);
}

int SimDevice::currentPreset() const
{
    const auto *b = unit<SimBlockModel>();
    return b ? b->currentPreset() : 0;
}

void SimDevice::selectPreset(int preset)
{
    if (auto *b = unit<SimBlockModel>())
        b->selectPreset(preset);
}

void SimDevice::setEchoSystemRecord(bool on)
{
    if (auto *b = unit<SimBlockModel>())
        b->setEchoSystemRecord(on);
}

const Bytes &SimDevice::pedalImage() const
{
    const auto *p = unit<SimImageModel>();
    return p ? p->image() : kNone;
}

void SimDevice::setPedalImage(const Bytes &image)
{
    if (auto *p = unit<SimImageModel>())
        p->setImage(image);
}

SimDevice::Outcome SimDevice::handleFrame(const Bytes &frame)
{
    Outcome out;
    const uint8_t command = frame[2];
    const Bytes payload(frame.begin() + 6, frame.end() - 1);

    switch (command) {
    case kCmdDeviceInfo:
        out.replies.push_back(makeFrame(kCmdDeviceInfo, deviceInfoPayload()));
        return out;
    case kCmdHostHello:
    case kCmdPageClose:
        return out;
    case kCmdTestStart:
        m_test.active = true;
        ++m_test.starts;
        return out;
    case kCmdTestLed:
        if (payload.size() != 4) {
            out.note = "ignored: test LED of " + std::to_string(payload.size()) + " bytes";
            return out;
        }
        m_test.lights.push_back({command, payload});
        return out;
    case kCmdTestFlash:
        handleTestFlash(out);
        return out;
    case kCmdFactoryReset: {
        if (payload != Bytes{0x78, 0x59}) {
            out.note = "ignored: reset without 78 59";
            return out;
        }
        const uint8_t r = m_model->result(kCmdFactoryReset);
        if (r != 0)
            m_model->factoryReset();
        if (m_model->answersFactoryReset())
            out.replies.push_back(makeFrame(kCmdFactoryReset, Bytes{r}));
        return out;
    }
    case kCmdEnterUpgrade:
        if (payload != Bytes{0x7F, 0x7F}) {
            out.note = "ignored: upgrade request without 7F 7F";
            return out;
        }
        out.enterUpgrade = true;
        return out;
    default:
        // The self-test's colour frames light the LEDs and leave the block alone.
        if (m_test.active && command == kCmdPadColours && payload.size() == 55) {
            m_test.lights.push_back({command, payload});
            return out;
        }
        if (!m_model->handleFrame(command, payload, out))
            out.note = "unhandled";
        else if (m_test.active && command == kCmdPoll)
            applyTestStatus(out);
        return out;
    }
}

void SimDevice::handleTestFlash(SimOutcome &out) const
{
    switch (m_test.flashAnswer) {
    case SimTestMode::kFlashNone:
        out.note = "flash test not answered";
        return;
    case SimTestMode::kFlashEmpty:
        out.replies.push_back(makeFrame(kCmdTestFlash, Bytes()));
        return;
    default:
        out.replies.push_back(makeFrame(kCmdTestFlash, Bytes{uint8_t(m_test.flashAnswer)}));
        return;
    }
}

void SimDevice::applyTestStatus(SimOutcome &out) const
{
    const SimStatusBits bits = m_model->statusBits();
    for (Bytes &reply : out.replies) {
        if (reply.size() < 7 || reply[2] != kCmdSystemConfig)
            continue;
        Bytes record(reply.begin() + 6, reply.end() - 1);
        if (bits.byte >= 0 && size_t(bits.byte) < record.size()) {
            uint8_t &b = record[size_t(bits.byte)];
            b = uint8_t(b & ~(bits.midiCable | bits.bluetooth));
            if (m_test.midiCable)
                b |= bits.midiCable;
            if (m_test.bluetooth)
                b |= bits.bluetooth;
        }
        if (m_test.shortRecord && !record.empty())
            record.pop_back();
        reply = makeFrame(kCmdSystemConfig, record);
    }
}

} // namespace tavrosim
