// The newer pedal page's use of the ".z3" file: a loaded image is held to the
// test of an image from the pedal, and every byte of it comes back, those the
// page does not use included.
#include "testmain.h"

#include <QTemporaryDir>

#include "devices/pedal/pedalpresetfile.h"
#include "devices/pedal/z3config.h"
#include "pedaltestimage.h"

namespace {

// A valid image with a pattern in every byte the page does not use.
SZ3ProConfigData patternImage()
{
    SZ3ProConfigData image = pedaltest::preparedImage();
    image.setByte(86, 0x5A);
    for (int i = 4888; i < 4920; ++i)
        image.setByte(i, quint8(i));
    for (int i : {4923, 4924, 4926, 4927, 4929})
        image.setByte(i, quint8(0xC0 + i % 7));
    image.keyBytes(3, 2)[132] = 0x77;
    return image;
}

} // namespace

class TestZ3PresetFile : public QObject
{
    Q_OBJECT

private slots:
    void roundTripKeepsEveryByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("a.z3");
        const SZ3ProConfigData image = patternImage();
        QCOMPARE(PedalPresetFile::write(path, image.toByteArray()), PedalPresetFile::Save::Saved);
        SZ3ProConfigData back;
        QCOMPARE(readZ3Preset(path, &back), Z3PresetLoad::Ok);
        QVERIFY(back == image);
        QCOMPARE(readZ3Preset(dir.filePath("missing.z3"), &back), Z3PresetLoad::CannotOpen);
    }

    void refusedFilesChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("result");
        const int refused = int(Z3PresetLoad::Refused);
        const QByteArray good = PedalPresetFile::encode(pedaltest::plainImage().toByteArray());
        QTest::newRow("header only") << PedalPresetFile::header() << refused;
        QTest::newRow("older page's body") << PedalPresetFile::encode(QByteArray(1184, 1)) << refused;
        SZ3ProConfigData broken = pedaltest::plainImage();
        broken.setPedalCount(17);
        QTest::newRow("image failing the check") << PedalPresetFile::encode(broken.toByteArray()) << refused;
        broken = pedaltest::plainImage();
        broken.setGroupSelect(0x90);
        QTest::newRow("current group 9") << PedalPresetFile::encode(broken.toByteArray()) << refused;
        QTest::newRow("header in other case") << QByteArray("DOVO DAZED") + good.mid(10)
                                              << int(Z3PresetLoad::WrongHeader);
    }
    void refusedFilesChangeNothing()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, result);
        SZ3ProConfigData image = patternImage();
        QCOMPARE(int(decodeZ3Preset(file, &image)), result);
        QVERIFY(image == patternImage());
    }
};

TAVRO_TEST_MAIN(TestZ3PresetFile)
#include "test_z3presetfile.moc"
