#include "z3edit.h"

#include <cstring>

#include "devices/pedal/pedaltext.h"
#include "devices/pedal/inicommand.h"

namespace z3 {

namespace {

bool isPoolRef(const SZ3ProConfigData &image, const quint8 *ref)
{
    const quint8 *first = image.data() + kKeys;
    return ref >= first && ref + kEntrySize <= first + kGroups * kGroupStride;
}

// The message a reference names, when it lies wholly inside the used pool.
bool removable(const SZ3ProConfigData &image, const quint8 *ref)
{
    const int len = sysexRefLength(ref);
    return len > 0 && sysexRefOffset(ref) + len <= image.poolUsed();
}

void writeEvent(quint8 *entry, const SEvent &e)
{
    entry[0] = e.channel;
    entry[1] = e.status;
    entry[2] = e.data1;
    entry[3] = e.data2;
}

} // namespace

PoolResult storeSysex(SZ3ProConfigData &image, quint8 *ref, const QByteArray &bytes, bool replace)
{
    if (!ref || !isPoolRef(image, ref))
        return PoolResult::NoRef;
    const int n = bytes.size();
    const int old = replace && removable(image, ref) ? sysexRefLength(ref) : 0;
    if (image.poolUsed() - old + n > kPoolSize)
        return PoolResult::Full;
    if (replace)
        removeSysex(image, ref);
    const int used = image.poolUsed();
    if (n > 0)
        std::memcpy(image.pool() + used, bytes.constData(), size_t(n));
    ref[0] = quint8(used >> 8);
    ref[1] = quint8(used & 0xFF);
    ref[2] = quint8(n);
    image.setPoolUsed(used + n);
    return PoolResult::Stored;
}

void removeSysex(SZ3ProConfigData &image, quint8 *ref)
{
    if (!ref || !isPoolRef(image, ref) || !removable(image, ref))
        return;
    const int o = sysexRefOffset(ref);
    const int len = sysexRefLength(ref);
    const int used = image.poolUsed();
    if (o + len < used)
        std::memmove(image.pool() + o, image.pool() + o + len, size_t(used - o - len));
    for (int g = 0; g < kGroups; ++g) {
        for (int k = 0; k < kKeysPerGroup; ++k) {
            Z3KeyRecord r = image.key(g, k);
            for (int list = 1; list <= 2; ++list) {
                if (!r.isSysex(list))
                    continue;
                quint8 *other = r.entry(list, 0);
                if (other == ref) {
                    other[0] = other[1] = other[2] = 0;
                } else if (sysexRefLength(other) != 0 && sysexRefOffset(other) > o) {
                    const int moved = sysexRefOffset(other) - len;
                    if (moved < o) {
                        // It began inside the removed message (only a damaged
                        // image or file holds such) and lost its bytes with it;
                        // moved down it would name another message or an
                        // offset below 0.
                        other[0] = other[1] = other[2] = 0;
                        continue;
                    }
                    other[0] = quint8(moved >> 8);
                    other[1] = quint8(moved & 0xFF);
                }
            }
        }
    }
    image.setPoolUsed(used - len);
}

QByteArray sysexBytes(const SZ3ProConfigData &image, const quint8 *ref)
{
    const int o = sysexRefOffset(ref);
    const int end = qMin(o + sysexRefLength(ref), image.poolUsed());
    if (o >= end)
        return QByteArray();
    return QByteArray(reinterpret_cast<const char *>(image.pool() + o), end - o);
}

QStringList keyListRows(const SZ3ProConfigData &image, int group, int key, int list)
{
    const Z3KeyRecord r = image.key(group, key);
    QStringList rows;
    if (r.isSysex(list)) {
        const QByteArray bytes = sysexBytes(image, r.entry(list, 0));
        rows << pedal::sysexRowText(reinterpret_cast<const quint8 *>(bytes.constData()), bytes.size());
        return rows;
    }
    for (int i = 0; i < r.count(list); ++i) {
        const quint8 *e = r.entry(list, i);
        rows << pedal::eventRowText(i, e[0], e[1], e[2], e[3]);
    }
    return rows;
}

bool addKeyEvent(SZ3ProConfigData &image, int group, int key, int list, const SEvent &event)
{
    Z3KeyRecord r = image.key(group, key);
    if (!r.isSysex(list) && r.count(list) >= kMaxEntries)
        return false;
    if (r.isSysex(list)) {
        removeSysex(image, r.entry(list, 0));
        r.setSysex(list, false);
        r.setCount(list, 0);
    }
    const int n = r.count(list);
    writeEvent(r.entry(list, n), event);
    r.setCount(list, n + 1);
    return true;
}

bool modifyKeyEvent(SZ3ProConfigData &image, int group, int key, int list, int row, const SEvent &event)
{
    Z3KeyRecord r = image.key(group, key);
    if (r.isSysex(list)) {
        r.setSysex(list, false);
        removeSysex(image, r.entry(list, 0));
        r.setCount(list, 1);
        row = 0;
    } else if (row < 0 || row >= r.count(list)) {
        return false;
    }
    writeEvent(r.entry(list, row), event);
    return true;
}

PoolResult setKeySysex(SZ3ProConfigData &image, int group, int key, int list, const QByteArray &bytes)
{
    Z3KeyRecord r = image.key(group, key);
    const PoolResult result = storeSysex(image, r.entry(list, 0), bytes, r.isSysex(list));
    if (result == PoolResult::Stored) {
        r.setCount(list, 0);
        r.setSysex(list, true);
    }
    return result;
}

bool deleteKeyRow(SZ3ProConfigData &image, int group, int key, int list, int row)
{
    Z3KeyRecord r = image.key(group, key);
    if (r.isSysex(list)) {
        removeSysex(image, r.entry(list, 0));
        r.setCount(list, 0);
        return true;
    }
    const int n = r.count(list);
    if (row < 0 || row >= n)
        return false;
    std::memmove(r.entry(list, row), r.entry(list, row + 1), size_t(kEntrySize * (n - row - 1)));
    r.setCount(list, n - 1);
    return true;
}

void clearKeyList(SZ3ProConfigData &image, int group, int key, int list)
{
    Z3KeyRecord r = image.key(group, key);
    r.setCount(list, 0);
    if (r.isSysex(list))
        removeSysex(image, r.entry(list, 0));
}

QStringList pedalListRows(const SZ3ProConfigData &image)
{
    QStringList rows;
    for (int i = 0; i < image.pedalEntryCount(); ++i) {
        const quint8 *e = image.pedalEntry(i);
        rows << pedal::expressionRowText(i, e[0], e[1], e[2], e[3]);
    }
    return rows;
}

bool addPedalEntry(SZ3ProConfigData &image, const int values[4])
{
    const int n = image.pedalEntryCount();
    if (n >= kMaxPedalEntries)
        return false;
    image.setPedalCount(n + 1);
    return modifyPedalEntry(image, n, values);
}

bool modifyPedalEntry(SZ3ProConfigData &image, int row, const int values[4])
{
    if (row < 0 || row >= image.pedalEntryCount())
        return false;
    quint8 *e = image.pedalEntry(row);
    for (int i = 0; i < 4; ++i)
        e[i] = quint8(values[i]);
    return true;
}

bool deletePedalEntry(SZ3ProConfigData &image, int row)
{
    const int n = image.pedalEntryCount();
    if (row < 0 || row >= n)
        return false;
    std::memmove(image.pedalEntry(row), image.pedalEntry(row + 1), size_t(4 * (n - row - 1)));
    image.setPedalCount(n - 1);
    return true;
}

void clearPedalList(SZ3ProConfigData &image)
{
    std::memset(image.pedalEntry(0), 0, 4 * kMaxPedalEntries);
    image.setPedalCount(0);
}


LibraryResult applyLibraryCommand(SZ3ProConfigData &image, int group, int key, const SIniApply &command)
{
    Z3KeyRecord r = image.key(group, key);
    const SIniList *lists[2] = {&command.list1, command.hasList2 ? &command.list2 : nullptr};

    // The pool after both lists, before anything changes.
    int used = image.poolUsed();
    for (int list = 1; list <= 2; ++list) {
        const SIniList *l = lists[list - 1];
        if (!l)
            continue;
        if (r.isSysex(list) && removable(image, r.entry(list, 0)))
            used -= sysexRefLength(r.entry(list, 0));
        if (l->sysex)
            used += l->message.size();
    }
    if (used > kPoolSize)
        return LibraryResult::PoolFull;

    // The old messages leave first, so that their room counts for both lists.
    for (int list = 1; list <= 2; ++list) {
        if (lists[list - 1] && r.isSysex(list))
            removeSysex(image, r.entry(list, 0));
    }
    for (int list = 1; list <= 2; ++list) {
        const SIniList *l = lists[list - 1];
        if (!l)
            continue;
        if (l->sysex) {
            storeSysex(image, r.entry(list, 0), l->message, false);
            r.setSysex(list, true);
            r.setCount(list, 0);
        } else {
            writeEvent(r.entry(list, 0), l->event);
            r.setSysex(list, false);
            r.setCount(list, 1);
        }
    }
    r.setTriggerType(command.triggerType);
    return LibraryResult::Applied;
}

} // namespace z3
