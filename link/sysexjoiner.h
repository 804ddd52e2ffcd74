// Joins a SysEx message that reaches an input port in several events (as a
// bridge from another MIDI service may hand it on) into one message; other
// messages pass through as they came. Made for a MIDI service's own thread:
// its buffer is allocated once, up front, and nothing else allocates.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

class SysExJoiner
{
public:
    // capacity: the longest SysEx joined; a longer one is dropped whole.
    explicit SysExJoiner(size_t capacity) : m_buffer(capacity) {}

    // Takes one event of size > 0 and calls deliver(data, size) for each whole
    // message it completes or passes on.
    template<typename Deliver>
    void take(const uint8_t *bytes, size_t size, Deliver &&deliver)
    {
        if (bytes[0] >= 0xF8) { // real-time bytes may come between the parts of a SysEx
            deliver(bytes, size);
            return;
        }
        // An F7 may end the SysEx being joined in an event of its own (a bridge
        // that splits at its buffer's edge does so when a message ends just
        // past it); any other status byte begins a new message.
        const bool endOfJoin = bytes[0] == 0xF7 && m_joining;
        if ((bytes[0] & 0x80) && !endOfJoin) { // a SysEx still being joined was cut
            drop();
            if (bytes[0] != 0xF0) {
                deliver(bytes, size);
                return;
            }
            m_joining = true;
        } else if (!m_joining) {
            deliver(bytes, size); // data without a status: not ours to judge
            return;
        }
        if (!m_discarding && m_length + size > m_buffer.size()) {
            m_discarding = true;
            ++m_dropped;
        }
        if (!m_discarding) {
            std::memcpy(m_buffer.data() + m_length, bytes, size);
            m_length += size;
        }
        if (bytes[size - 1] != 0xF7)
            return;
        if (!m_discarding)
            deliver(m_buffer.data(), m_length);
        reset();
    }

    // Messages dropped: longer than the capacity, or cut by another message.
    uint32_t dropped() const { return m_dropped; }

private:
    void drop()
    {
        if (m_joining && !m_discarding)
            ++m_dropped;
        reset();
    }
    void reset()
    {
        m_joining = m_discarding = false;
        m_length = 0;
    }

    std::vector<uint8_t> m_buffer;
    size_t m_length = 0;
    bool m_joining = false;    // a SysEx has begun and not ended
    bool m_discarding = false; // the SysEx being joined is too long: skip to its end
    uint32_t m_dropped = 0;
};
