// Firmware image format understood by our upgrade-library stand-in.
//
// An image is an 80-byte header followed by the payload (all numbers
// little-endian):
//    0   4  magic            'T' 'V' 'U' 'F'
//    4   2  format version   1
//    6   2  header size      80
//    8  28  PID              text, NUL-padded, at most 27 characters
//   36  28  VID              text, NUL-padded, at most 27 characters
//   64   4  firmware version
//   68   4  payload length
//   72   4  payload CRC-32   (IEEE, reflected, as zlib computes it)
//   76   2  header CRC-16    (CCITT, initial 0xFFFF) over bytes 0..75
//   78   2  reserved, 0
// The file size must be exactly 80 + payload length.
//
// Plain C++ without Qt: the stand-in library, the image writer tool and the
// tests all use it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace ufw {

constexpr std::size_t kHeaderSize = 80;
constexpr std::size_t kIdFieldSize = 28;   // PID and VID fields, NUL included
constexpr std::size_t kMaxIdLength = kIdFieldSize - 1;
constexpr uint16_t kFormatVersion = 1;

struct ImageInfo
{
    std::string pid;
    std::string vid;
    uint32_t version = 0;
    uint32_t payloadLength = 0;
    uint32_t payloadCrc = 0;
    uint16_t headerCrc = 0;
};

enum class Check {
    Ok,
    TooShort,       // fewer bytes than a header
    BadMagic,       // not an image of this format
    BadSize,        // header size, format version or file size do not agree
    BadHeaderCrc,
    BadPayloadCrc,
};

uint32_t crc32(const uint8_t *data, std::size_t size);
uint16_t crc16(const uint8_t *data, std::size_t size);

// Builds a complete image. PID and VID longer than 27 characters are cut.
std::vector<uint8_t> buildImage(const std::string &pid, const std::string &vid, uint32_t version,
                                const std::vector<uint8_t> &payload);

// Reads the header fields and checks the structure (magic, sizes), not the
// checksums. `info` is filled as far as the header could be read.
Check readHeader(const uint8_t *data, std::size_t size, ImageInfo &info);

// readHeader plus both checksums.
Check verifyImage(const uint8_t *data, std::size_t size, ImageInfo &info);

const char *checkText(Check check);

} // namespace ufw
