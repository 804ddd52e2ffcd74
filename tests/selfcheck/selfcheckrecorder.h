// A window for the keyboard self-test's model that records what a run shows
// and sends, and the messages of a unit under test.
#pragma once

#include <QMap>
#include <QStringList>

#include "selftest/selfcheckmodel.h"
#include "selftestrecorder.h"

namespace tavrotest {

class SelfCheckRecorder : public SelfTestRecorder, public SelfCheckView
{
public:
    void setPrompt(const QString &text) override { prompts << text; }
    void showPrompt() override {}
    void setErrorLine(const QString &text) override { error = text; }
    void paintKey(quint8 button, quint8 r, quint8 g, quint8 b) override
    {
        keys[button] = uint(r) << 16 | uint(g) << 8 | b;
    }
    void addMonitorLine(uint) override {}
    void clearMonitor() override {}
    void scrollMonitor() override {}
    bool bluetoothLamp() const override { return ble; }
    void setBluetoothLamp(bool on) override { ble = on; }
    void setUsbLamp(bool) override {}
    void showKeybed(bool) override {}
    void showModuleRow(bool) override {}
    void clearModuleSelection() override {}

    void clear()
    {
        frames.clear();
        tones.clear();
        prompts.clear();
    }
    QString prompt() const { return prompts.isEmpty() ? QString() : prompts.last(); }
    // "H" for each 800 Hz tone, "L" for each 400 Hz tone, in order.
    QString toneString() const
    {
        QString out;
        for (const QString &t : tones)
            out += t == QLatin1String("high") ? QLatin1Char('H') : QLatin1Char('L');
        return out;
    }

    QStringList prompts;
    QString error;
    QMap<int, uint> keys; // key button -> 0xRRGGBB
    bool ble = true;
};

// "B0 02 0A, F8" -> the short messages as Slots_recv_midi receives them.
inline QList<uint> shortMessages(const QString &text)
{
    QList<uint> out;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QByteArray b = QByteArray::fromHex(part.trimmed().toLatin1());
        uint msg = 0;
        for (int i = 0; i < b.size(); ++i)
            msg |= uint(uchar(b[i])) << (8 * i);
        out << msg;
    }
    return out;
}

// The messages that pass step s of a run: strips and knobs as control
// changes, buttons and pads and keys as notes, the pedal as control 53.
inline QString passStepMessages(int s)
{
    const auto msg = [](int status, int d1, int d2) { return QString::asprintf("%02X %02X %02X,", status, d1, d2); };
    switch (SelfCheckModel::m_stepKind[s]) {
    case SelfCheckModel::KindStrip: return msg(0xB0, s, 127) + msg(0xB0, s, 0);
    case SelfCheckModel::KindKnob: return msg(0xB0, s, 10) + msg(0xB0, s, 0);
    case SelfCheckModel::KindButton: return msg(0x90, s >= 12 ? SelfCheckModel::m_buttonControl[s - 12] : s, 127);
    case SelfCheckModel::KindPad: return msg(0x90, s, 100);
    case SelfCheckModel::KindKey: return msg(0x90, s, 1) + msg(0x90, s, 3) + msg(0x90, s, 1);
    default: return msg(0xB0, 53, 127) + msg(0xB0, 53, 0);
    }
}

} // namespace tavrotest
