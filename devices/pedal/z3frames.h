// The frames the foot pedal page sends, built from its image. Each builder
// writes one whole device frame into buf (at least kTxBufferSize bytes) and
// returns its length.
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include "z3config.h"

namespace z3 {

// The page's transmit buffer; the longest frame is a key bank of 536 bytes.
constexpr int kTxBufferSize = 1024;
constexpr int kMaxKeyBankFrame = 536;
constexpr int kMaxBtName = 32;

// CMD_PEDAL_KEY_BANK for one group: [g], then per key {k << 4 | triggerType,
// sysexFlags, count1, count2}, then per key the first max(count1, 1) entries
// of list 1 and max(count2, 1) of list 2. Counts above 16 go out as 16.
uint keyBankFrame(const SZ3ProConfigData &image, int group, quint8 *buf);
// CMD_PEDAL_SYSEX_POOL: the used part of the pool (at most 512 bytes).
uint sysexPoolFrame(const SZ3ProConfigData &image, quint8 *buf);
// CMD_PEDAL_SWITCHES: image bytes 74..85.
uint switchesFrame(const SZ3ProConfigData &image, quint8 *buf);
// CMD_DISPLAY_CHARS: image bytes 66..73.
uint displayCharsFrame(const SZ3ProConfigData &image, quint8 *buf);
// CMD_PEDAL_SETTING [mode, parameter]: mode 1 mode1Max, 2 mode2Max, 3 zero,
// 4 groupSelect.
uint settingFrame(const SZ3ProConfigData &image, int mode, quint8 *buf);
// CMD_PEDAL_EXPRESSION: the entries in use (at most 16).
uint expressionFrame(const SZ3ProConfigData &image, quint8 *buf);
// CMD_PEDAL_BLUETOOTH: [mode] and at most 32 bytes of name.
uint bluetoothFrame(quint8 mode, const QByteArray &name, quint8 *buf);
// CMD_PEDAL_PASSTHROUGH: [on].
uint passThroughFrame(bool on, quint8 *buf);

} // namespace z3
