// The XML body of the pad, small pad and keyboard preset files: root Preset,
// then ConfigData, then one element per section of the block, indented by 4:
// byte tables (one element per byte, its decimal value as text), the SysEx
// pool (a Data child holding the pool's bytes in Base64), single bytes
// (unsigned, or signed where the model says so) and flat lists of bytes.
// Each model gives its sections in a table.
//
// Reading takes the sections in any order, skips unknown elements, and reads
// each section up to its own end tag only: a table with fewer rows than its
// shape, or a SysexPool whose first child is not Data, never swallows the
// sections after it. Positions the file does not give keep what the block
// held; a pool's Data replaces the whole pool (the rest zero).
//
// How a page uses it: a constant table of SSection for its block; writeXml()
// for a save, readXml() into a copy of the block for a load (see
// presetfile.h).
#pragma once

#include <QByteArray>
#include <QString>

namespace presetxml {

struct SSection
{
    enum Kind {
        Groups, // groups x items x fields: "Group<g>" > itemPrefix<n> > fieldPrefix<c>
        Rows,   // items x fields: itemPrefix<r> > fieldPrefix<c>
        Pool,   // "Data" in Base64, fields bytes
        Byte,   // the element's own value
        SignedByte, // the element's own value, written and read as -128..127
        List,   // up to items children itemPrefix<n>, one byte each, read in document order
    };
    const char *name;
    Kind kind;
    int offset; // of the section in the block
    int groups;
    int items;
    int fields;
    const char *itemPrefix;
    const char *fieldPrefix;

    int size() const;
};

QByteArray writeXml(const uchar *block, const SSection *sections, int count);

// Reads the sections of every ConfigData of the text into block, in place.
// False on an XML error, with the reader's text and line in *error.
bool readXml(const QByteArray &xml, uchar *block, const SSection *sections, int count, QString *error = nullptr);

} // namespace presetxml
