#include "simframe.h"

#include <cctype>

namespace tavrosim {

uint8_t payloadChecksum(const uint8_t *payload, size_t len)
{
    uint32_t sum = 0;
    for (size_t i = 0; i < len; ++i)
        sum += payload[i];
    return uint8_t(~sum & 0xFF);
}

Bytes makeFrame(uint8_t command, const Bytes &payload)
{
    const size_t n = payload.size();
    Bytes f;
    f.reserve(n + 7);
    f.push_back(0x78);
    f.push_back(0x59);
    f.push_back(command);
    f.push_back(uint8_t(n & 0xFF));
    f.push_back(uint8_t((n >> 8) & 0xFF));
    f.push_back(uint8_t((n >> 16) & 0xFF));
    f.insert(f.end(), payload.begin(), payload.end());
    f.push_back(payloadChecksum(payload.data(), n));
    return f;
}

const char *verdictName(FrameVerdict v)
{
    switch (v) {
    case FrameVerdict::Ok: return "ok";
    case FrameVerdict::TooShort: return "too-short";
    case FrameVerdict::BadMagic: return "bad-magic";
    case FrameVerdict::BadLength: return "bad-length";
    case FrameVerdict::BadChecksum: return "bad-checksum";
    }
    return "?";
}

uint32_t framePayloadSize(const Bytes &frame)
{
    if (frame.size() < 6)
        return 0;
    return uint32_t(frame[3]) | uint32_t(frame[4]) << 8 | uint32_t(frame[5]) << 16;
}

FrameVerdict checkFrame(const Bytes &frame)
{
    if (frame.size() < 7)
        return FrameVerdict::TooShort;
    if (frame[0] != 0x78 || frame[1] != 0x59)
        return FrameVerdict::BadMagic;
    const uint32_t n = framePayloadSize(frame);
    if (size_t(n) + 7 != frame.size())
        return FrameVerdict::BadLength;
    if (payloadChecksum(frame.data() + 6, n) != frame[6 + n])
        return FrameVerdict::BadChecksum;
    return FrameVerdict::Ok;
}

Bytes packSysEx(const Bytes &frame)
{
    Bytes out;
    out.reserve(2 + (frame.size() * 8 + 6) / 7);
    out.push_back(0xF0);
    uint32_t acc = 0;
    int held = 0;
    for (uint8_t b : frame) {
        acc |= uint32_t(b) << held;
        held += 8;
        while (held >= 7) {
            out.push_back(uint8_t(acc & 0x7F));
            acc >>= 7;
            held -= 7;
        }
    }
    if (held > 0)
        out.push_back(uint8_t(acc & 0x7F));
    out.push_back(0xF7);
    return out;
}

Bytes unpackSysEx(const uint8_t *msg, size_t len, bool *high)
{
    Bytes out;
    out.reserve(len * 7 / 8 + 1);
    if (high)
        *high = false;
    uint32_t acc = 0;
    int held = 0;
    for (size_t i = 0; i < len; ++i) {
        const uint8_t b = msg[i];
        if (b == 0xF0 || b == 0xF7)
            continue;
        if (b & 0x80) {
            if (high)
                *high = true;
            continue;
        }
        acc |= uint32_t(b) << held;
        held += 7;
        if (held >= 8) {
            out.push_back(uint8_t(acc & 0xFF));
            acc >>= 8;
            held -= 8;
        }
    }
    return out;
}

std::vector<Bytes> splitMessages(const Bytes &bytes)
{
    std::vector<Bytes> msgs;
    Bytes cur;
    bool inSysEx = false;
    size_t need = 0; // data bytes still expected by the current short message
    auto flush = [&]() {
        if (!cur.empty())
            msgs.push_back(cur);
        cur.clear();
        need = 0;
    };
    for (uint8_t b : bytes) {
        if (b >= 0xF8) { // real-time: on its own, even inside a SysEx
            msgs.push_back(Bytes{b});
            continue;
        }
        if (inSysEx) {
            cur.push_back(b);
            if (b == 0xF7) {
                inSysEx = false;
                flush();
            }
            continue;
        }
        if (b == 0xF0) {
            flush();
            cur.push_back(b);
            inSysEx = true;
            continue;
        }
        if (b & 0x80) {
            flush();
            cur.push_back(b);
            const uint8_t hi = b & 0xF0;
            if (hi == 0xC0 || hi == 0xD0 || b == 0xF1 || b == 0xF3)
                need = 1;
            else if (hi == 0xF0)
                need = (b == 0xF2) ? 2 : 0;
            else
                need = 2;
            if (need == 0)
                flush();
            continue;
        }
        cur.push_back(b);
        if (need > 0 && --need == 0)
            flush();
    }
    flush();
    return msgs;
}

std::string toHex(const uint8_t *data, size_t len)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string s;
    s.reserve(len * 3);
    for (size_t i = 0; i < len; ++i) {
        if (i)
            s.push_back(' ');
        s.push_back(digits[data[i] >> 4]);
        s.push_back(digits[data[i] & 0xF]);
    }
    return s;
}

bool parseHex(const std::string &text, Bytes *out)
{
    Bytes result;
    int nibbles = 0;
    uint8_t cur = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n') {
            if (nibbles == 1)
                return false;
            continue;
        }
        if (c == '0' && i + 1 < text.size() && (text[i + 1] == 'x' || text[i + 1] == 'X')
            && nibbles == 0) {
            ++i;
            continue;
        }
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return false;
        const int v = std::isdigit(static_cast<unsigned char>(c))
                          ? c - '0'
                          : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        cur = uint8_t(cur << 4 | v);
        if (++nibbles == 2) {
            result.push_back(cur);
            nibbles = 0;
            cur = 0;
        }
    }
    if (nibbles != 0)
        return false;
    *out = result;
    return true;
}

} // namespace tavrosim
