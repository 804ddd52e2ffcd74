// What the model adapters of the preset-file fuzz target share: a model's
// block to and from the driver's bytes, the loadable start block, the seeds
// from the model's writer, and the reader record. An adapter gives its
// model's block type, reader and writer functions.
#pragma once

#include "common/devicelist.h"
#include "fuzz/fuzz_preset.h"

#include <cstring>

namespace fuzzpreset {

template <class Block>
Block blockOf(const QByteArray &bytes)
{
    Block block;
    std::memcpy(&block, bytes.constData(), sizeof block);
    return block;
}

template <class Block>
QByteArray bytesOf(const Block &block)
{
    return QByteArray(reinterpret_cast<const char *>(&block), int(sizeof block));
}

// Byte i is (7 i + 3) mod 256, with every pad and button record in mode 0
// (nothing in the Customize mode), so that a file that leaves the records
// alone is loadable.
template <class Block>
Block startBlock()
{
    Block block;
    auto *p = reinterpret_cast<uchar *>(&block);
    for (uint i = 0; i < sizeof block; ++i)
        p[i] = uchar(7 * i + 3);
    for (auto &bank : block.PadData)
        for (auto &rec : bank)
            rec.setMode(0);
    for (auto &rec : block.KeyData)
        rec.setMode(0);
    for (auto &rec : block.KeyLongData)
        rec.setMode(0);
    return block;
}

// A whole file, its XML, the XML from the KeyData section on, and the header
// alone, for a start block with a pad and a button in the Customize mode.
template <class Block>
std::vector<SReader::SSeed> seedsOf(const Block &block, QByteArray (*fileOf)(const Block &),
                                    QByteArray (*xmlOf)(const Block &), QByteArray (*header)())
{
    const QByteArray xml = xmlOf(block);
    return {
        {"file", fileOf(block), false},
        {"xml", xml, true},
        {"xml-tail", xml.mid(xml.indexOf("<KeyData>") - 8), true},
        {"header-only", header(), false},
    };
}

// The reader record. The device list holds the model alone, under the name
// its files start with; the model's header function reads that name from the
// list, so it is called only once the list is set (before, it gives an empty
// header, which the driver refuses).
inline SReader readerRecord(uchar model, const char *name, QByteArray (*header)(), const QByteArray &startBlock,
                            bool (*decode)(const QByteArray &, QByteArray &), QByteArray (*encode)(const QByteArray &),
                            bool (*accepted)(const QByteArray &), std::vector<SReader::SSeed> (*seeds)())
{
    DeviceEntry entry;
    entry.id = model;
    entry.names << QString::fromLatin1(name);
    g_deviceList = {entry};
    SReader x;
    x.header = header();
    x.startBlock = startBlock;
    x.decode = decode;
    x.encode = encode;
    x.accepted = accepted;
    x.seeds = seeds;
    return x;
}

template <class Block>
SReader makeReader(uchar model, const char *name, QByteArray (*header)(), bool (*decode)(const QByteArray &, QByteArray &),
                   QByteArray (*encode)(const QByteArray &), bool (*accepted)(const QByteArray &),
                   std::vector<SReader::SSeed> (*seeds)())
{
    return readerRecord(model, name, header, bytesOf(startBlock<Block>()), decode, encode, accepted, seeds);
}

} // namespace fuzzpreset
