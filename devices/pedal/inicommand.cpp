#include "inicommand.h"

#include "common/utils.h"

#include <QDebug>

#include <cstring>

namespace z3 {

namespace {

// Converts the tokens of one list and appends them at *next; returns how many
// bytes were stored. Once the buffer is full the rest of the list is dropped.
int appendList(const QString &list, SIniCommand *cmd, int *next)
{
    int stored = 0;
    const QStringList tokens = list.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (const QString &token : tokens) {
        if (*next >= SIniCommand::kSize) {
            qDebug("Array overflow!");
            break;
        }
        bool ok = false;
        const uint value = token.toUInt(&ok, 16);
        if (!ok) {
            qDebug().noquote() << "Failed to parse:" << token;
            continue;
        }
        cmd->bytes[(*next)++] = quint8(value & 0xFF);
        ++stored;
    }
    return stored;
}

// The length of the MIDI message that starts with status byte s.
int messageLength(quint8 s)
{
    if (s < 0xF0) {
        const quint8 kind = s & 0xF0;
        return (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
    }
    switch (s) {
    case 0xF2:
        return 3;
    case 0xF1:
    case 0xF3:
        return 2;
    default:
        return 1;
    }
}

SIniList listOf(const quint8 *bytes, int len)
{
    SIniList list;
    const quint8 s = bytes[0];
    if (s == 0xF0) {
        list.sysex = true;
        list.message = QByteArray(reinterpret_cast<const char *>(bytes), len);
        return list;
    }
    const int n = qMin(messageLength(s), len);
    list.event.status = s >= 0xF0 ? s : quint8(s & 0xF0);
    list.event.channel = s & 0x0F;
    list.event.data1 = n > 1 ? bytes[1] : 0;
    list.event.data2 = n > 2 ? bytes[2] : 0;
    return list;
}

} // namespace

quint8 iniTriggerType(const QString &word)
{
    static const char *const kWords[] = {"down", "toggle", "down_up", "long", "up_long"};
    const QString w = word.trimmed();
    for (int i = 0; i < 5; ++i) {
        if (w.compare(QLatin1String(kWords[i]), Qt::CaseInsensitive) == 0)
            return quint8(i + 1);
    }
    return 0;
}

QStringList splitIniValue(const QString &value)
{
    return value.split(QLatin1Char('|'), Qt::KeepEmptyParts);
}

bool parseIniCommand(const QStringList &parts, SIniCommand *cmd)
{
    std::memset(cmd->bytes, 0, sizeof cmd->bytes);
    const QString word = parts.isEmpty() ? QString() : parts.at(0).trimmed();
    cmd->bytes[0] = iniTriggerType(word);
    if (cmd->bytes[0] == 0) {
        qDebug().noquote() << "Invalid trigger type:" << word;
        return false;
    }
    int next = SIniCommand::kListStart;
    if (parts.size() > 1)
        cmd->bytes[1] = quint8(appendList(parts.at(1).trimmed(), cmd, &next));
    if (parts.size() > 2)
        cmd->bytes[2] = quint8(appendList(parts.at(2).trimmed(), cmd, &next));
    return true;
}

bool decodeIniCommand(const quint8 *pbyBuf, SIniApply *out)
{
    const int type = pbyBuf[0];
    const int len1 = pbyBuf[1];
    const int len2 = pbyBuf[2];
    if (type < 1 || type > 5 || len1 == 0 || len1 + len2 > SIniCommand::kMaxListBytes)
        return false;
    const quint8 *l1 = pbyBuf + SIniCommand::kListStart;
    const quint8 *l2 = l1 + len1;
    if (!isValidMidiStream(l1, quint16(len1)) || (len2 > 0 && !isValidMidiStream(l2, quint16(len2))))
        return false;
    SIniApply result;
    result.triggerType = quint8(type);
    result.list1 = listOf(l1, len1);
    result.hasList2 = len2 > 0;
    if (result.hasList2)
        result.list2 = listOf(l2, len2);
    *out = result;
    return true;
}

} // namespace z3
