// What the preset-file fuzz target needs of a model's reader: one adapter per
// model (fuzz/preset_<model>.cpp), the driver (fuzz_preset.cpp) is the same
// for every model. fuzz/CMakeLists.txt builds the two together as
// fuzz_<model>preset.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace fuzzpreset {

struct SReader
{
    // The model's file header: the driver packs a body behind it.
    QByteArray header;
    // The block a load starts from; a load fills a copy of it.
    QByteArray startBlock;
    // Decodes a whole file into block (its size is the start block's); true
    // when accepted. A refusal must leave block as it was.
    bool (*decode)(const QByteArray &file, QByteArray &block) = nullptr;
    // Encodes a block as a whole file (for the round trip).
    QByteArray (*encode)(const QByteArray &block) = nullptr;
    // Further checks of an accepted block (SysEx references inside the pool).
    bool (*accepted)(const QByteArray &block) = nullptr;
    // Seeds: name and whole file, or body (xml true: the XML text, or a
    // pedal's image), or a body of the older road (older true).
    struct SSeed
    {
        const char *name;
        QByteArray bytes;
        bool xml;
        bool older = false;
    };
    std::vector<SSeed> (*seeds)() = nullptr;

    // The one length of body the reader takes, for a model whose body is an
    // image of one length (a pedal's); 0 when a body may have any length
    // (XML). A packed body is cut or padded with zeros to it, so that every
    // such input reaches the image's decode.
    int bodySize = 0;

    // The older road, for a model whose files carry one more image under the
    // same header (the older pedal page's): its length, and its page's load
    // of a file that packs body, which aborts on a fault. Without it (older
    // null) an input goes the roads above whatever its first byte.
    int olderSize = 0;
    void (*older)(const QByteArray &file, const QByteArray &body) = nullptr;
};

// The model's adapter.
const SReader &reader();

} // namespace fuzzpreset
