#include "sysexpool.h"

#include <algorithm>
#include <cstring>

namespace pagekit {

uint expandSysexPool(const uchar *pool, uint poolSize, const PoolList &list)
{
    uint total = 0;
    for (const SPoolEntry &e : list) {
        SSysexRef ref = sysexRefAt(e.record);
        const uint offset = ref.offset();
        const uint room = offset < poolSize ? poolSize - offset : 0;
        const uint n = std::min({uint(ref.length), kSysexMessageMax, room});
        if (n > 0)
            std::memcpy(e.buffer, pool + offset, n);
        if (n != ref.length) {
            ref.length = uchar(n);
            // A reference cut to nothing references nothing, at offset 0.
            if (n == 0)
                ref.setOffset(0);
            setSysexRefAt(e.record, ref);
        }
        total += n;
    }
    return total;
}

SPackResult packSysexPool(uchar *pool, uint poolSize, const PoolList &list)
{
    SPackResult result;
    result.moved.reserve(list.size());
    uint fill = 0;
    for (const SPoolEntry &e : list) {
        const SSysexRef before = sysexRefAt(e.record);
        const uint n = std::min({uint(before.length), kSysexMessageMax, poolSize - fill});
        SSysexRef ref = before;
        ref.setOffset(std::uint16_t(fill));
        ref.length = uchar(n);
        setSysexRefAt(e.record, ref);
        if (n > 0)
            std::memmove(pool + fill, e.buffer, n);
        fill += n;
        const bool moved = ref.offsetLow != before.offsetLow || ref.offsetHigh != before.offsetHigh
                           || ref.length != before.length;
        result.moved.push_back(moved);
        if (moved)
            result.movedTags.insert(e.tag);
    }
    result.used = fill;
    return result;
}

uint poolBytesInUse(const PoolList &list, std::initializer_list<const uchar *> except)
{
    uint total = 0;
    for (const SPoolEntry &e : list) {
        if (std::find(except.begin(), except.end(), e.record) == except.end())
            total += std::min(uint(sysexRefAt(e.record).length), kSysexMessageMax);
    }
    return total;
}

bool refsInsidePool(const PoolList &list, uint poolSize)
{
    for (const SPoolEntry &e : list) {
        const SSysexRef ref = sysexRefAt(e.record);
        if (ref.length > 0 && uint(ref.offset()) + ref.length > poolSize)
            return false;
    }
    return true;
}

} // namespace pagekit
