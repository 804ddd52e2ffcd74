#include "z3frames.h"

#include <cstring>

#include "deviceframe.h"

namespace z3 {

namespace {

uint frameOf(quint8 command, const quint8 *payload, int len, quint8 *buf)
{
    if (len > 0)
        std::memcpy(buf + SDeviceFrame::kOffsetPayload, payload, size_t(len));
    return buildFrame(buf, command, uint(len));
}

} // namespace

uint keyBankFrame(const SZ3ProConfigData &image, int group, quint8 *buf)
{
    quint8 *out = buf + SDeviceFrame::kOffsetPayload;
    int n = 0;
    out[n++] = quint8(group);
    for (int k = 0; k < kKeysPerGroup; ++k) {
        const Z3KeyRecord r = image.key(group, k);
        // The high nibble names the key: a stored type above 15 (only a
        // damaged image holds one) must not name another.
        out[n++] = quint8((k << 4) | (r.triggerType() & 0x0F));
        out[n++] = r.sysexFlags();
        out[n++] = quint8(r.count(1));
        out[n++] = quint8(r.count(2));
    }
    for (int k = 0; k < kKeysPerGroup; ++k) {
        const Z3KeyRecord r = image.key(group, k);
        for (int list = 1; list <= 2; ++list) {
            const int entries = qMax(r.count(list), 1);
            std::memcpy(out + n, r.entry(list, 0), size_t(kEntrySize * entries));
            n += kEntrySize * entries;
        }
    }
    return buildFrame(buf, CMD_PEDAL_KEY_BANK, uint(n));
}

uint sysexPoolFrame(const SZ3ProConfigData &image, quint8 *buf)
{
    return frameOf(CMD_PEDAL_SYSEX_POOL, image.pool(), image.poolUsed(), buf);
}

uint switchesFrame(const SZ3ProConfigData &image, quint8 *buf)
{
    return frameOf(CMD_PEDAL_SWITCHES, image.switchRecord(0), kSwitchCount * kSwitchSize, buf);
}

uint displayCharsFrame(const SZ3ProConfigData &image, quint8 *buf)
{
    return frameOf(CMD_DISPLAY_CHARS, image.data() + kDisplayChars, kDisplayBytes, buf);
}

uint settingFrame(const SZ3ProConfigData &image, int mode, quint8 *buf)
{
    quint8 payload[2] = {quint8(mode), 0};
    switch (mode) {
    case 1:
        payload[1] = image.mode1Max();
        break;
    case 2:
        payload[1] = image.mode2Max();
        break;
    case 4:
        payload[1] = image.groupSelect();
        break;
    default:
        break;
    }
    return frameOf(CMD_PEDAL_SETTING, payload, 2, buf);
}

uint expressionFrame(const SZ3ProConfigData &image, quint8 *buf)
{
    return frameOf(CMD_PEDAL_EXPRESSION, image.pedalEntry(0), 4 * image.pedalEntryCount(), buf);
}

uint bluetoothFrame(quint8 mode, const QByteArray &name, quint8 *buf)
{
    quint8 payload[1 + kMaxBtName];
    payload[0] = mode;
    const int n = qMin(name.size(), kMaxBtName);
    if (n > 0)
        std::memcpy(payload + 1, name.constData(), size_t(n));
    return frameOf(CMD_PEDAL_BLUETOOTH, payload, 1 + n, buf);
}

uint passThroughFrame(bool on, quint8 *buf)
{
    const quint8 payload = on ? 1 : 0;
    return frameOf(CMD_PEDAL_PASSTHROUGH, &payload, 1, buf);
}

} // namespace z3
