#include "presetfile.h"

#include <QDebug>
#include <QFile>
#include <QSaveFile>

#include "common/savefile.h"

#include <cstring>

#include <zlib.h>

namespace presetfile {

namespace {

// A zlib stream starts with CMF (method 8, window at most 32 KiB) and FLG, and
// CMF * 256 + FLG is a multiple of 31.
bool looksLikeZlib(uchar cmf, uchar flg)
{
    return (cmf & 0x0F) == 8 && (cmf >> 4) <= 7 && (uint(cmf) * 256 + flg) % 31 == 0;
}

enum class Inflate { Ok, Corrupt, TooLarge };

// Inflates one zlib stream into out, giving up as soon as it would produce
// more than maxOut bytes. qUncompress trusts the declared length and keeps
// doubling its buffer while a stream runs on, up to 2 GB for a cut or crafted
// file; this never holds more than maxOut plus one chunk.
Inflate inflateBounded(const uchar *data, int len, int maxOut, QByteArray *out)
{
    z_stream zs;
    std::memset(&zs, 0, sizeof zs);
    if (inflateInit(&zs) != Z_OK)
        return Inflate::Corrupt;
    zs.next_in = const_cast<Bytef *>(data);
    zs.avail_in = uInt(len);
    out->clear();
    char chunk[16384];
    Inflate result = Inflate::Corrupt;
    for (;;) {
        zs.next_out = reinterpret_cast<Bytef *>(chunk);
        zs.avail_out = uInt(sizeof chunk);
        const int ret = inflate(&zs, Z_NO_FLUSH);
        const int produced = int(sizeof chunk - zs.avail_out);
        if (ret != Z_OK && ret != Z_STREAM_END)
            break; // corrupt, or cut off before its end (Z_BUF_ERROR)
        if (out->size() + produced > maxOut) {
            result = Inflate::TooLarge;
            break;
        }
        out->append(chunk, produced);
        if (ret == Z_STREAM_END) {
            result = Inflate::Ok;
            break;
        }
    }
    inflateEnd(&zs);
    if (result != Inflate::Ok)
        out->clear();
    return result;
}

} // namespace

bool headerMatches(const QByteArray &file, const QByteArray &header)
{
    if (file.size() < header.size())
        return false;
    QByteArray head = file.left(header.size());
    const int zero = head.indexOf('\0');
    if (zero >= 0)
        head.truncate(zero);
    return QString::fromUtf8(head) == QString::fromUtf8(header);
}

Unpack unpack(const QByteArray &file, const QByteArray &header, QByteArray *body, int exactSize)
{
    if (!headerMatches(file, header))
        return Unpack::WrongHeader;
    const int packedSize = file.size() - header.size();
    if (packedSize == 0)
        return Unpack::NoBody;
    if (packedSize > kMaxPackedSize)
        return Unpack::Oversized;
    const auto *packed = reinterpret_cast<const uchar *>(file.constData()) + header.size();
    if (packedSize < 4)
        return Unpack::NotCompressed;
    // A declared length beyond the limit is refused before anything is unpacked.
    const quint32 declared =
        (quint32(packed[0]) << 24) | (quint32(packed[1]) << 16) | (quint32(packed[2]) << 8) | packed[3];
    if (exactSize > 0 && declared != quint32(exactSize))
        return Unpack::WrongSize;
    if (declared > quint32(kMaxBodySize))
        return Unpack::Oversized;
    if (packedSize < 6 || !looksLikeZlib(packed[4], packed[5]))
        return Unpack::NotCompressed;
    const int limit = exactSize > 0 ? exactSize : kMaxBodySize;
    QByteArray unpacked;
    switch (inflateBounded(packed + 4, packedSize - 4, limit, &unpacked)) {
    case Inflate::Ok:
        break;
    case Inflate::TooLarge: // a stream that unpacks to more than it may
        return exactSize > 0 ? Unpack::WrongSize : Unpack::Oversized;
    case Inflate::Corrupt:
        return Unpack::Corrupt;
    }
    if (unpacked.isEmpty())
        return Unpack::Corrupt;
    if (exactSize > 0 && unpacked.size() != exactSize)
        return Unpack::WrongSize;
    *body = unpacked;
    return Unpack::Ok;
}

QByteArray pack(const QByteArray &header, const QByteArray &body)
{
    return header + qCompress(body, 9);
}

bool readBounded(const QString &path, qint64 maxBytes, QByteArray *bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray read = file.read(maxBytes);
    if (read.isEmpty() && file.error() != QFileDevice::NoError)
        return false;
    *bytes = read;
    return true;
}

bool readFile(const QString &path, const QByteArray &header, QByteArray *bytes)
{
    if (readBounded(path, readLimit(header), bytes))
        return true;
    qWarning("Cannot open file");
    return false;
}

Save save(const QString &path, const QByteArray &header, const QByteArray &packedBody)
{
    QSaveFile file(path);
    if (!openSaveFile(file))
        return Save::CannotOpen;
    // A short write counts as a failure; the old file is replaced only by commit().
    if (file.write(header) != header.size()) {
        file.cancelWriting();
        return Save::HeaderFailed;
    }
    if (file.write(packedBody) != packedBody.size() || !commitSaveFile(file)) {
        file.cancelWriting();
        return Save::BodyFailed;
    }
    return Save::Saved;
}

XmlSave saveXml(const QString &path, const QByteArray &header, const QByteArray &xml)
{
    switch (save(path, header, qCompress(xml, 9))) {
    case Save::Saved:
        return XmlSave::Saved;
    case Save::CannotOpen:
        qDebug("couldn't open file write");
        return XmlSave::CannotOpen;
    case Save::HeaderFailed:
    case Save::BodyFailed:
        break;
    }
    return XmlSave::WriteFailed;
}

} // namespace presetfile
