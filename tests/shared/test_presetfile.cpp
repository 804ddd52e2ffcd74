// The preset-file container and the XML sections shared by every page: raw
// image bodies of a fixed size, the header compared up to its first zero byte,
// header and body write failures told apart with the old file kept, and
// sections that end at their own end tags.
#include "common/savefile.h"
#include "devices/shared/presetfile.h"
#include "devices/shared/presetxml.h"
#include "bytes.h"
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace tavrotest;
using presetfile::Unpack;
using presetxml::SSection;

namespace {

const QByteArray kHeader("DOVO Dazed");

// A 2 x 3 table at 0, a pool of 4 at 6, a byte at 10, and a second table.
const SSection kSections[] = {
    {"Table", SSection::Rows, 0, 0, 2, 3, "Row", "Data"},
    {"SysexPool", SSection::Pool, 6, 0, 0, 4, nullptr, nullptr},
    {"CRC", SSection::Byte, 10, 0, 0, 1, nullptr, nullptr},
    {"Colours", SSection::Groups, 11, 1, 2, 1, "Pad", "Color"},
};

QByteArray configOf(const QByteArray &inner)
{
    return "<?xml version=\"1.0\"?>\n<Preset>\n    <ConfigData>\n" + inner + "    </ConfigData>\n</Preset>\n";
}

QByteArray readInto(const QByteArray &xml, bool *ok = nullptr)
{
    QByteArray block(13, char(0x5A));
    const bool read = presetxml::readXml(xml, reinterpret_cast<uchar *>(block.data()), kSections, 4);
    if (ok)
        *ok = read;
    return block;
}

} // namespace

class TestPresetFile : public QObject
{
    Q_OBJECT
private slots:
    void rawBodies_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("result");
        const QByteArray image(1184, char(0x11));
        const QByteArray good = presetfile::pack(kHeader, image);
        QTest::newRow("the image") << good << int(Unpack::Ok);
        QTest::newRow("a newer page's 4,930 bytes") << presetfile::pack(kHeader, QByteArray(4930, char(1)))
                                                    << int(Unpack::WrongSize);
        QByteArray huge = good;
        huge.replace(kHeader.size(), 4, hex("7F FF FF FF"));
        QTest::newRow("declared 7F FF FF FF") << huge << int(Unpack::WrongSize);
        // Declares 1,184 but unpacks to more: inflating stops past 1,184.
        QByteArray longer = presetfile::pack(kHeader, QByteArray(100000, char(2)));
        longer.replace(kHeader.size(), 4, hex("00 00 04 A0"));
        QTest::newRow("unpacks past its length") << longer << int(Unpack::WrongSize);
        QTest::newRow("header only") << kHeader << int(Unpack::NoBody);
        QTest::newRow("cut stream") << good.left(good.size() - 10) << int(Unpack::Corrupt);
        QTest::newRow("header in other case") << QByteArray("DOVO DAZED") + good.mid(kHeader.size())
                                              << int(Unpack::WrongHeader);
        QTest::newRow("header cut by a zero byte") << QByteArray("DOVO\0Dazed", 10) + good.mid(kHeader.size())
                                                   << int(Unpack::WrongHeader);
        QTest::newRow("no zlib stream") << kHeader + hex("00 00 04 A0 41 42 43") << int(Unpack::NotCompressed);
    }
    void rawBodies()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, result);
        QByteArray body("untouched");
        QCOMPARE(int(presetfile::unpack(file, kHeader, &body, 1184)), result);
        QCOMPARE(body.size(), result == int(Unpack::Ok) ? 1184 : 9);
    }

    void headerUpToTheFirstZero()
    {
        // The file's header bytes end at their first zero: a name padded with
        // zeros to the header's length still matches a shorter name.
        QVERIFY(presetfile::headerMatches(QByteArray("RZ-7\0\0\0\0rest", 12), QByteArray("RZ-7\0\0\0\0", 8)));
        QVERIFY(!presetfile::headerMatches(QByteArray("RZ-7 Pa"), QByteArray("RZ-7 Pad")));
    }

#ifdef Q_OS_UNIX
    // A file-size limit cuts the writes as a full disk would: the header's
    // write and the body's are told apart, and the old file stays.
    void writeFailuresKeepTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.z3"));
        const QByteArray body = qCompress(QByteArray(1184, char(7)), 9);
        QCOMPARE(presetfile::save(path, kHeader, body), presetfile::Save::Saved);
        struct rlimit saved;
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &saved), 0);
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        struct rlimit small = saved;
        small.rlim_cur = 4;
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
        const presetfile::Save header = presetfile::save(path, kHeader, QByteArray(64, 'x'));
        small.rlim_cur = 20;
        setrlimit(RLIMIT_FSIZE, &small);
        const presetfile::Save bodyShort = presetfile::save(path, kHeader, QByteArray(64, 'x'));
        const bool raw = saveWholeFile(path, body.constData(), body.size());
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, oldHandler);
        QCOMPARE(header, presetfile::Save::HeaderFailed);
        QCOMPARE(bodyShort, presetfile::Save::BodyFailed);
        QVERIFY(!raw);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), kHeader + body);
        QCOMPARE(presetfile::save(dir.filePath(QStringLiteral("no/folder/x.z3")), kHeader, body),
                 presetfile::Save::CannotOpen);
    }
#endif

    void sectionsRoundTrip()
    {
        const QByteArray block = hex("01 02 03 04 05 06 F0 01 02 F7 2C 11 22");
        QByteArray read(13, '\0');
        const QByteArray xml = presetxml::writeXml(u8(block), kSections, 4);
        QVERIFY(presetxml::readXml(xml, reinterpret_cast<uchar *>(read.data()), kSections, 4));
        QCOMPARE(toHex(read), toHex(block));
        QVERIFY(xml.contains("<Row1>\n                <Data0>4</Data0>"));
    }

    // Each section ends at its own end tag: what follows a short table or an
    // odd pool is still read.
    void sectionsEndAtTheirOwnEndTag_data()
    {
        QTest::addColumn<QByteArray>("inner");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("one row of two, then the byte")
            << QByteArray("        <Table>\n            <Row0>\n                <Data0>9</Data0>\n"
                          "            </Row0>\n        </Table>\n        <CRC>7</CRC>\n")
            << hex("09 5A 5A 5A 5A 5A 5A 5A 5A 5A 07 5A 5A");
        // (A value's place is the order of the elements, not their number.)
        QTest::newRow("a short row, then the colours")
            << QByteArray("        <Table><Row0><Data0>9</Data0></Row0></Table>\n"
                          "        <Colours><Group0><Pad1><Color0>3</Color0></Pad1></Group0></Colours>\n")
            << hex("09 5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 03 5A");
        QTest::newRow("a pool without Data, then the byte")
            << QByteArray("        <SysexPool>\n            <Raw>AAAA</Raw>\n            <Data>AAAA</Data>\n"
                          "        </SysexPool>\n        <CRC>300</CRC>\n")
            << hex("5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 2C 5A 5A");
        QTest::newRow("an empty pool, then the byte")
            << QByteArray("        <SysexPool/>\n        <CRC>1</CRC>\n")
            << hex("5A 5A 5A 5A 5A 5A 5A 5A 5A 5A 01 5A 5A");
        QTest::newRow("the pool's Data, short")
            << QByteArray("        <SysexPool><Data>8AE=</Data></SysexPool>\n")
            << hex("5A 5A 5A 5A 5A 5A F0 01 00 00 5A 5A 5A");
    }
    void sectionsEndAtTheirOwnEndTag()
    {
        QFETCH(QByteArray, inner);
        QFETCH(QByteArray, expected);
        bool ok = false;
        QCOMPARE(toHex(readInto(configOf(inner), &ok)), toHex(expected));
        QVERIFY(ok);
    }

    void errorsInsideASection()
    {
        QString error;
        QByteArray block(13, '\0');
        QVERIFY(!presetxml::readXml(configOf("        <CRC>7<b/></CRC>\n"), reinterpret_cast<uchar *>(block.data()),
                                    kSections, 4, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!presetxml::readXml(configOf("        <Table><Row0>"), reinterpret_cast<uchar *>(block.data()),
                                    kSections, 4, &error));
    }
};

TAVRO_TEST_MAIN(TestPresetFile)
#include "test_presetfile.moc"
