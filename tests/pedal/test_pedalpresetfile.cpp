// The foot pedal's ".z3" file for both pedal pages: what a saved file holds,
// that a load gives back every byte, what is refused (and how), and that a
// failed save keeps the old file.
#include "testmain.h"

#include <QFile>
#include <QTemporaryDir>

#include <zlib.h>

#include "bytes.h"
#include "common/devicelist.h"
#include "devices/pedal/pedalpresetfile.h"
#include "filesizelimit.h"

using tavrotest::hex;
using tavrotest::toHex;
using Load = PedalPresetFile::Load;
using Save = PedalPresetFile::Save;

namespace {

// Every byte different from its neighbours, so that a lost or moved byte shows.
QByteArray imageOf(int size, int seed)
{
    QByteArray image(size, '\0');
    for (int i = 0; i < size; ++i)
        image[i] = char((i * 131 + seed * 17 + (i >> 8)) & 0xFF);
    return image;
}

// Inflates a zlib stream with zlib itself, knowing the size it must give.
QByteArray inflateWithZlib(const QByteArray &stream, int size)
{
    QByteArray out(size, '\0');
    uLongf outLen = uLongf(size);
    if (uncompress(reinterpret_cast<Bytef *>(out.data()), &outLen, reinterpret_cast<const Bytef *>(stream.constData()),
                   uLong(stream.size()))
            != Z_OK
        || outLen != uLongf(size))
        return QByteArray("<not a zlib stream of that size>");
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestPedalPresetFile : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(loadDeviceInfo(QString::fromLatin1(kDeviceInfoResource)));
    }

    void savedFileAndRoundTrip_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("declared");
        QTest::newRow("newer page") << PedalPresetFile::kImageSize << hex("00 00 13 42");
        QTest::newRow("older page") << PedalPresetFile::kOldImageSize << hex("00 00 04 A0");
    }
    void savedFileAndRoundTrip()
    {
        QFETCH(int, size);
        QFETCH(QByteArray, declared);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("mine.z3"));
        const QByteArray image = imageOf(size, 1);
        QCOMPARE(PedalPresetFile::write(path, image), Save::Saved);

        const QByteArray file = readAll(path);
        QCOMPARE(file.left(10), QByteArray("DOVO Dazed"));
        QCOMPARE(toHex(file.mid(10, 4)), toHex(declared));
        QVERIFY(inflateWithZlib(file.mid(14), size) == image);
        QCOMPARE(PedalPresetFile::encode(image), file);

        QByteArray loaded;
        QCOMPARE(PedalPresetFile::read(path, size, &loaded), Load::Ok);
        QVERIFY(loaded == image);
    }

    void refused_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("result");
        const int newer = PedalPresetFile::kImageSize;
        const int older = PedalPresetFile::kOldImageSize;
        const QByteArray header("DOVO Dazed");
        const QByteArray good = PedalPresetFile::encode(imageOf(newer, 2));
        const QByteArray goodOld = PedalPresetFile::encode(imageOf(older, 3));

        QTest::newRow("header only") << header << newer << int(Load::NoBody);
        QTest::newRow("garbage") << QByteArray("\x13\x88 no preset file at all", 23) << newer << int(Load::WrongHeader);
        QTest::newRow("garbage after the header") << header + QByteArray(40, char(0xA5)) << newer << int(Load::WrongSize);
        QTest::newRow("the older page's file") << goodOld << newer << int(Load::WrongSize);
        QTest::newRow("the newer page's file, older page") << good << older << int(Load::WrongSize);
        QByteArray huge = good;
        huge.replace(10, 4, hex("7F FF FF FF"));
        QTest::newRow("declared 7F FF FF FF") << huge << newer << int(Load::WrongSize);
        // Declares the image size but inflates past it: inflating stops there.
        QByteArray longer = PedalPresetFile::encode(QByteArray(200000, char(9)));
        longer.replace(10, 4, hex("00 00 13 42"));
        QTest::newRow("inflates past its length") << longer << newer << int(Load::WrongSize);
        QTest::newRow("cut stream") << good.left(good.size() - 7) << newer << int(Load::Damaged);
        QTest::newRow("header in other case") << QByteArray("DOVO DAZED") + good.mid(10) << newer
                                              << int(Load::WrongHeader);
    }
    void refused()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, size);
        QFETCH(int, result);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("bad.z3"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        QCOMPARE(f.write(file), qint64(file.size()));
        f.close();
        QByteArray image("untouched");
        QCOMPARE(int(PedalPresetFile::read(path, size, &image)), result);
        QCOMPARE(image, QByteArray("untouched"));
    }

    // Without a name for model 1 the header is empty and any file's body is read.
    void noNameForTheModel()
    {
        DeviceEntry pad;
        pad.id = 7;
        pad.names << QStringLiteral("RZ-7 Pad");
        g_deviceList = {pad};
        QByteArray image;
        QCOMPARE(PedalPresetFile::decode(qCompress(imageOf(1184, 4), 9), 1184, &image), Load::Ok);
        QVERIFY(image == imageOf(1184, 4));
    }

    // A file-size limit cuts the writes as a full disk would: a cut header
    // and a cut body are told apart, and the old file is kept whole.
    void saveUnderAFileSizeLimitKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.z3"));
        const QByteArray old = imageOf(PedalPresetFile::kImageSize, 5);
        QCOMPARE(PedalPresetFile::write(path, old), Save::Saved);
        const QByteArray oldFile = readAll(path);

        Save header = Save::Saved, body = Save::Saved;
        {
            tavrotest::FileSizeLimit limit(4); // less than the header
            if (!limit.active())
                QSKIP("needs a file-size limit");
            header = PedalPresetFile::write(path, imageOf(PedalPresetFile::kImageSize, 6));
        }
        {
            tavrotest::FileSizeLimit limit(30); // the header and part of the body
            body = PedalPresetFile::write(path, imageOf(PedalPresetFile::kImageSize, 7));
        }
        QCOMPARE(header, Save::HeaderFailed);
        QCOMPARE(body, Save::BodyFailed);
        QVERIFY(readAll(path) == oldFile);
        QByteArray loaded;
        QCOMPARE(PedalPresetFile::read(path, PedalPresetFile::kImageSize, &loaded), Load::Ok);
        QVERIFY(loaded == old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.z3")});
    }
};

TAVRO_TEST_MAIN(TestPedalPresetFile)
#include "test_pedalpresetfile.moc"
