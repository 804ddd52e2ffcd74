#include "pedalmodel.h"

#include <algorithm>

namespace tavrosim {

namespace {

enum : uint8_t {
    kCmdPassThrough = 0x59,
    kCmdSetting = 0x60,
    kCmdKeyBank = 0x61,
    kCmdSwitches = 0x62,
    kCmdSysexPool = 0x63,
    kCmdBluetooth = 0x64,
    kCmdExpression = 0x65,
    kCmdDisplayChars = 0x67,
};

bool wrong(SimOutcome &out, const char *what)
{
    out.note = what;
    return true;
}

} // namespace

std::vector<size_t> z3image::unusedBytes()
{
    std::vector<size_t> out{86};
    for (size_t i = 4888; i < 4920; ++i)
        out.push_back(i);
    for (size_t i : {4923, 4924, 4926, 4927, 4929})
        out.push_back(i);
    for (size_t g = 0; g < 8; ++g) {
        for (size_t k = 0; k < 4; ++k) {
            out.push_back(key(g, k) + 132);
            if (!(g == 7 && k == 3)) // the last record's byte 133 counts the pool
                out.push_back(key(g, k) + 133);
        }
    }
    return out;
}

Bytes defaultZ3Image()
{
    using namespace z3image;
    Bytes image(kSize, 0);
    image[kMode] = 1;
    image[kMode1Max] = 128;
    image[kMode2Max] = 128;
    for (size_t g = 0; g < 8; ++g) {
        for (size_t k = 0; k < 4; ++k)
            image[key(g, k)] = 1;
    }
    for (size_t s = 0; s < 4; ++s)
        image[kSwitches + 3 * s] = uint8_t((s + 1) << 4);
    uint8_t marker = 0xA0;
    for (size_t at : unusedBytes())
        image[at] = marker++;
    return image;
}

SimPedalModel::SimPedalModel(const DeviceIdentity &id) : SimImageModel(id, z3image::kSize)
{
    m_image = defaultZ3Image();
}

bool SimPedalModel::applyKeyBank(const Bytes &p, SimOutcome &out)
{
    using namespace z3image;
    if (p.size() < 17 || p[0] > 7)
        return wrong(out, "key bank header");
    size_t need = 17;
    for (size_t k = 0; k < 4; ++k) {
        const size_t c1 = p[3 + 4 * k], c2 = p[4 + 4 * k];
        if (c1 > 16 || c2 > 16)
            return wrong(out, "key bank count above 16");
        need += 4 * (std::max<size_t>(c1, 1) + std::max<size_t>(c2, 1));
    }
    if (p.size() != need)
        return wrong(out, "key bank size");
    size_t at = 17;
    for (size_t k = 0; k < 4; ++k) {
        uint8_t *r = m_image.data() + key(p[0], k);
        r[0] = p[1 + 4 * k] & 0x0F;
        r[1] = p[2 + 4 * k];
        r[2] = p[3 + 4 * k];
        r[3] = p[4 + 4 * k];
        for (size_t list = 0; list < 2; ++list) {
            const size_t n = 4 * std::max<size_t>(r[2 + list], 1);
            std::copy(p.begin() + long(at), p.begin() + long(at + n), r + 4 + 64 * list);
            at += n;
        }
    }
    return true;
}

bool SimPedalModel::handleFrame(uint8_t command, const Bytes &p, SimOutcome &out)
{
    using namespace z3image;
    switch (command) {
    case kCmdSetting:
        if (p.size() != 2 || p[0] < 1 || p[0] > 4)
            return wrong(out, "setting");
        m_image[kMode] = p[0];
        if (p[0] == 1)
            m_image[kMode1Max] = p[1];
        else if (p[0] == 2)
            m_image[kMode2Max] = p[1];
        else if (p[0] == 4)
            m_image[kGroupSelect] = p[1];
        return true;
    case kCmdKeyBank:
        return applyKeyBank(p, out);
    case kCmdSwitches:
        if (p.size() != 12)
            return wrong(out, "switches size");
        std::copy(p.begin(), p.end(), m_image.begin() + long(kSwitches));
        return true;
    case kCmdSysexPool:
        if (p.size() > kPoolSize)
            return wrong(out, "pool above 512 bytes");
        std::copy(p.begin(), p.end(), m_image.begin() + long(kPool));
        m_image[kPoolUsed] = uint8_t(p.size() & 0xFF);
        m_image[kPoolUsed + 1] = uint8_t(p.size() >> 8);
        return true;
    case kCmdExpression:
        if (p.size() % 4 != 0 || p.size() > 64)
            return wrong(out, "expression size");
        std::copy(p.begin(), p.end(), m_image.begin() + long(kPedalEntries));
        m_image[kPedalCount] = uint8_t(p.size() / 4);
        return true;
    case kCmdDisplayChars:
        if (p.size() != 8)
            return wrong(out, "display size");
        std::copy(p.begin(), p.end(), m_image.begin() + long(kDisplayChars));
        return true;
    case kCmdPassThrough:
        if (p.size() != 1)
            return wrong(out, "pass-through size");
        m_image[kPassThrough] = p[0];
        return true;
    case kCmdBluetooth:
        if (p.empty() || p.size() > 33 || p[0] > 2)
            return wrong(out, "bluetooth");
        m_image[kBtMode] = p[0];
        if (p.size() > 1) {
            Bytes reply(p);
            reply[0] = 1;
            out.replies.push_back(makeFrame(kCmdBluetooth, reply));
        } else if (p[0] == 1) {
            for (const std::string &name : m_scanNames) {
                Bytes reply(1 + name.size(), 0);
                std::copy(name.begin(), name.end(), reply.begin() + 1);
                out.replies.push_back(makeFrame(kCmdBluetooth, reply));
            }
        }
        return true;
    default:
        return SimImageModel::handleFrame(command, p, out);
    }
}

} // namespace tavrosim
