#include "ufwimage.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace ufw {

namespace {

constexpr uint8_t kMagic[4] = {'T', 'V', 'U', 'F'};
constexpr std::size_t kOffFormat = 4;
constexpr std::size_t kOffHeaderSize = 6;
constexpr std::size_t kOffPid = 8;
constexpr std::size_t kOffVid = 36;
constexpr std::size_t kOffVersion = 64;
constexpr std::size_t kOffPayloadLength = 68;
constexpr std::size_t kOffPayloadCrc = 72;
constexpr std::size_t kOffHeaderCrc = 76;

const std::array<uint32_t, 256> &crc32Table()
{
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> t{};
        for (uint32_t i = 0; i < 256; ++i) {
            uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    return table;
}

void put16(uint8_t *p, uint16_t v)
{
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

void put32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = uint8_t(v >> (8 * i));
}

uint16_t get16(const uint8_t *p)
{
    return uint16_t(p[0] | (p[1] << 8));
}

uint32_t get32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void putText(uint8_t *field, const std::string &text)
{
    std::memset(field, 0, kIdFieldSize);
    std::memcpy(field, text.data(), std::min(text.size(), kMaxIdLength));
}

std::string getText(const uint8_t *field)
{
    const auto *end = static_cast<const uint8_t *>(std::memchr(field, 0, kIdFieldSize));
    const std::size_t len = end ? std::size_t(end - field) : kMaxIdLength;
    return std::string(reinterpret_cast<const char *>(field), std::min(len, kMaxIdLength));
}

} // namespace

uint32_t crc32(const uint8_t *data, std::size_t size)
{
    const auto &table = crc32Table();
    uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i)
        c = table[(c ^ data[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

uint16_t crc16(const uint8_t *data, std::size_t size)
{
    uint16_t c = 0xFFFF;
    for (std::size_t i = 0; i < size; ++i) {
        c ^= uint16_t(data[i] << 8);
        for (int k = 0; k < 8; ++k)
            c = (c & 0x8000) ? uint16_t((c << 1) ^ 0x1021) : uint16_t(c << 1);
    }
    return c;
}

std::vector<uint8_t> buildImage(const std::string &pid, const std::string &vid, uint32_t version,
                                const std::vector<uint8_t> &payload)
{
    std::vector<uint8_t> image(kHeaderSize + payload.size(), 0);
    uint8_t *h = image.data();
    std::memcpy(h, kMagic, sizeof kMagic);
    put16(h + kOffFormat, kFormatVersion);
    put16(h + kOffHeaderSize, uint16_t(kHeaderSize));
    putText(h + kOffPid, pid);
    putText(h + kOffVid, vid);
    put32(h + kOffVersion, version);
    put32(h + kOffPayloadLength, uint32_t(payload.size()));
    put32(h + kOffPayloadCrc, crc32(payload.data(), payload.size()));
    put16(h + kOffHeaderCrc, crc16(h, kOffHeaderCrc));
    std::copy(payload.begin(), payload.end(), image.begin() + kHeaderSize);
    return image;
}

Check readHeader(const uint8_t *data, std::size_t size, ImageInfo &info)
{
    info = ImageInfo();
    if (!data || size < kHeaderSize)
        return Check::TooShort;
    if (std::memcmp(data, kMagic, sizeof kMagic) != 0)
        return Check::BadMagic;
    info.pid = getText(data + kOffPid);
    info.vid = getText(data + kOffVid);
    info.version = get32(data + kOffVersion);
    info.payloadLength = get32(data + kOffPayloadLength);
    info.payloadCrc = get32(data + kOffPayloadCrc);
    info.headerCrc = get16(data + kOffHeaderCrc);
    if (get16(data + kOffFormat) != kFormatVersion || get16(data + kOffHeaderSize) != kHeaderSize)
        return Check::BadSize;
    if (size - kHeaderSize != info.payloadLength)
        return Check::BadSize;
    return Check::Ok;
}

Check verifyImage(const uint8_t *data, std::size_t size, ImageInfo &info)
{
    const Check structure = readHeader(data, size, info);
    if (structure != Check::Ok)
        return structure;
    if (crc16(data, kOffHeaderCrc) != info.headerCrc)
        return Check::BadHeaderCrc;
    if (crc32(data + kHeaderSize, info.payloadLength) != info.payloadCrc)
        return Check::BadPayloadCrc;
    return Check::Ok;
}

const char *checkText(Check check)
{
    switch (check) {
    case Check::Ok: return "ok";
    case Check::TooShort: return "too short";
    case Check::BadMagic: return "not a firmware image";
    case Check::BadSize: return "size mismatch";
    case Check::BadHeaderCrc: return "header checksum mismatch";
    case Check::BadPayloadCrc: return "payload checksum mismatch";
    }
    return "unknown";
}

} // namespace ufw
