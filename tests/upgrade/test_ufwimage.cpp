// The stand-in's image format and the tool that writes images.

#include <QProcess>

#include <cstring>

#include "testmain.h"
#include "ufwimage.h"

namespace {

std::vector<uint8_t> bytesOf(const char *text)
{
    return std::vector<uint8_t>(text, text + std::strlen(text));
}

} // namespace

class TestUfwImage : public QObject
{
    Q_OBJECT

private slots:
    void checksumsMatchKnownValues();
    void imageRoundTrip();
    void damageIsDetected_data();
    void damageIsDetected();
    void toolWritesReadableImages();
    void toolRejectsBadArguments();
};

void TestUfwImage::checksumsMatchKnownValues()
{
    const auto check = bytesOf("123456789");
    QCOMPARE(ufw::crc32(check.data(), check.size()), 0xCBF43926u);
    QCOMPARE(ufw::crc16(check.data(), check.size()), uint16_t(0x29B1));
}

void TestUfwImage::imageRoundTrip()
{
    const auto payload = bytesOf("firmware payload");
    const auto image = ufw::buildImage("PID-1", "VID-2", 12, payload);
    QCOMPARE(image.size(), ufw::kHeaderSize + payload.size());
    ufw::ImageInfo info;
    QCOMPARE(int(ufw::verifyImage(image.data(), image.size(), info)), int(ufw::Check::Ok));
    QCOMPARE(info.pid, std::string("PID-1"));
    QCOMPARE(info.vid, std::string("VID-2"));
    QCOMPARE(info.version, 12u);
    QCOMPARE(info.payloadLength, uint32_t(payload.size()));
    QVERIFY(std::equal(payload.begin(), payload.end(), image.begin() + ufw::kHeaderSize));

    // Texts longer than the field are cut, never run into the next field.
    const std::string longId(40, 'P');
    const auto cut = ufw::buildImage(longId, "", 1, {});
    QCOMPARE(int(ufw::verifyImage(cut.data(), cut.size(), info)), int(ufw::Check::Ok));
    QCOMPARE(info.pid, std::string(ufw::kMaxIdLength, 'P'));
    QVERIFY(info.vid.empty());
    QCOMPARE(info.payloadLength, 0u);
}

void TestUfwImage::damageIsDetected_data()
{
    QTest::addColumn<int>("offset");   // byte to flip; -1: none
    QTest::addColumn<int>("resize");   // bytes added (or removed) at the end
    QTest::addColumn<int>("expected");
    QTest::newRow("PID byte") << 9 << 0 << int(ufw::Check::BadHeaderCrc);
    QTest::newRow("version byte") << 64 << 0 << int(ufw::Check::BadHeaderCrc);
    QTest::newRow("payload byte") << int(ufw::kHeaderSize) + 3 << 0 << int(ufw::Check::BadPayloadCrc);
    QTest::newRow("magic") << 0 << 0 << int(ufw::Check::BadMagic);
    QTest::newRow("cut short") << -1 << -1 << int(ufw::Check::BadSize);
    QTest::newRow("trailing byte") << -1 << 1 << int(ufw::Check::BadSize);
    QTest::newRow("header only half") << -1 << -int(ufw::kHeaderSize) << int(ufw::Check::TooShort);
}

void TestUfwImage::damageIsDetected()
{
    QFETCH(int, offset);
    QFETCH(int, resize);
    QFETCH(int, expected);
    auto image = ufw::buildImage("P", "V", 3, bytesOf("0123456789abcdef0123456789abcdef0123456789abcdef"));
    if (offset >= 0)
        image[size_t(offset)] ^= 0x20;
    image.resize(size_t(int(image.size()) + resize), 0);
    ufw::ImageInfo info;
    QCOMPARE(int(ufw::verifyImage(image.data(), image.size(), info)), expected);
}

void TestUfwImage::toolWritesReadableImages()
{
    QTemporaryDir dir;
    const QString payloadPath = dir.filePath(QStringLiteral("payload.bin"));
    QFile payload(payloadPath);
    QVERIFY(payload.open(QIODevice::WriteOnly));
    payload.write("0123456789");
    payload.close();

    const QString out = dir.filePath(QStringLiteral("RZ7_V14.ufw"));
    QCOMPARE(QProcess::execute(QStringLiteral(TAVRO_UFWTOOL),
                               {QStringLiteral("write"), QStringLiteral("--pid"), QStringLiteral("PID-9"),
                                QStringLiteral("--vid"), QStringLiteral("VID-9"), QStringLiteral("--version"),
                                QStringLiteral("14"), QStringLiteral("--payload"), payloadPath,
                                QStringLiteral("-o"), out}),
             0);
    QFile file(out);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ufw::ImageInfo info;
    QCOMPARE(int(ufw::verifyImage(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()), info)),
             int(ufw::Check::Ok));
    QCOMPARE(info.pid, std::string("PID-9"));
    QCOMPARE(info.version, 14u);
    QCOMPARE(bytes.mid(int(ufw::kHeaderSize)), QByteArray("0123456789"));

    QProcess info_;
    info_.start(QStringLiteral(TAVRO_UFWTOOL), {QStringLiteral("info"), out});
    QVERIFY(info_.waitForFinished());
    QCOMPARE(info_.exitCode(), 0);
    QVERIFY(info_.readAllStandardOutput().contains("version=14\n"));
}

void TestUfwImage::toolRejectsBadArguments()
{
    QTemporaryDir dir;
    const QString out = dir.filePath(QStringLiteral("x.ufw"));
    // No version.
    QCOMPARE(QProcess::execute(QStringLiteral(TAVRO_UFWTOOL),
                               {QStringLiteral("write"), QStringLiteral("--pid"), QStringLiteral("P"),
                                QStringLiteral("-o"), out}),
             2);
    // A PID that does not fit its field.
    QCOMPARE(QProcess::execute(QStringLiteral(TAVRO_UFWTOOL),
                               {QStringLiteral("write"), QStringLiteral("--pid"), QString(30, QLatin1Char('P')),
                                QStringLiteral("--version"), QStringLiteral("1"), QStringLiteral("-o"), out}),
             1);
    QVERIFY(!QFile::exists(out));
}

TAVRO_TEST_MAIN(TestUfwImage)
#include "test_ufwimage.moc"
