// Library commands put on a key of the image, without a window: both lists
// stored, SysEx lists through the pool, and a command the pool cannot take
// changing nothing.
#include "testmain.h"

#include "bytes.h"
#include "devices/pedal/inicommand.h"
#include "devices/pedal/z3edit.h"
#include "pedaltestimage.h"

using tavrotest::toHex;

namespace {

QString entry(const SZ3ProConfigData &image, int group, int key, int list, int i = 0)
{
    return toHex(QByteArray(reinterpret_cast<const char *>(image.key(group, key).entry(list, i)), 4));
}

// The library entry's value, through the command buffer, onto the key.
z3::LibraryResult apply(SZ3ProConfigData &image, int group, int key, const QString &value)
{
    SIniCommand buf;
    z3::SIniApply command;
    if (!z3::parseIniCommand(z3::splitIniValue(value), &buf) || !z3::decodeIniCommand(buf.bytes, &command))
        qFatal("not a command: %s", qPrintable(value));
    return z3::applyLibraryCommand(image, group, key, command);
}

} // namespace

class TestZ3Library : public QObject
{
    Q_OBJECT

private slots:
    void toggleOnAKey()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        QCOMPARE(apply(image, 2, 1, "toggle | B5 10 7F | B5 10 00"), z3::LibraryResult::Applied);
        const Z3KeyRecord r = image.key(2, 1);
        QCOMPARE(entry(image, 2, 1, 1), QString("05 B0 10 7F"));
        QCOMPARE(entry(image, 2, 1, 2), QString("05 B0 10 00"));
        QCOMPARE(int(r.rawCount(1)), 1);
        QCOMPARE(int(r.rawCount(2)), 1);
        QCOMPARE(int(r.sysexFlags()), 0);
        QCOMPARE(int(r.triggerType()), 2);
    }

    void listsAndPool()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        QVERIFY(z3::addKeyEvent(image, 0, 3, 2, {0x90, 1, 2, 3}));
        // One list: list 2 stays.
        QCOMPARE(apply(image, 0, 3, "down | C5 10"), z3::LibraryResult::Applied);
        QCOMPARE(entry(image, 0, 3, 2), QString("01 90 02 03"));
        QCOMPARE(apply(image, 0, 3, "down | F8"), z3::LibraryResult::Applied);
        QCOMPARE(z3::keyListRows(image, 0, 3, 1), QStringList{"[01]   F8"});
        // An F0 list goes to the pool; a short command later gives it back.
        QCOMPARE(apply(image, 0, 3, "down | F0 7D 01 F7 | F0 7D 02 F7"), z3::LibraryResult::Applied);
        QVERIFY(image.key(0, 3).isSysex(1) && image.key(0, 3).isSysex(2));
        QCOMPARE(image.poolUsed(), 8);
        QCOMPARE(apply(image, 0, 3, "toggle | B0 01 7F | F0 7D 03 03 F7"), z3::LibraryResult::Applied);
        QVERIFY(!image.key(0, 3).isSysex(1));
        QCOMPARE(image.poolUsed(), 5);
        QCOMPARE(z3::keyListRows(image, 0, 3, 2), QStringList{"F0 7D 03 03 F7 "});
    }

    // 500 bytes used: a command whose messages do not fit changes nothing; one
    // that fits once this key's old message is out is stored.
    void poolFit()
    {
        SZ3ProConfigData image = pedaltest::plainImage();
        QCOMPARE(z3::setKeySysex(image, 1, 0, 1, QByteArray(250, 1)), z3::PoolResult::Stored);
        QCOMPARE(z3::setKeySysex(image, 1, 2, 2, QByteArray(250, 2)), z3::PoolResult::Stored);
        QVERIFY(z3::addKeyEvent(image, 1, 3, 1, {0x90, 1, 2, 3}));
        const SZ3ProConfigData before = image;
        const QString twenty = "F0 " + QString("05 ").repeated(18) + "F7";
        QCOMPARE(apply(image, 1, 3, "toggle | B0 07 7F | " + twenty), z3::LibraryResult::PoolFull);
        QVERIFY(image == before);
        QCOMPARE(apply(image, 1, 2, "toggle | " + twenty + " | B0 07 7F"), z3::LibraryResult::Applied);
        QCOMPARE(image.poolUsed(), 270);
        QCOMPARE(z3::keyListRows(image, 1, 2, 1).first().size(), 60);
        QCOMPARE(entry(image, 1, 2, 2), QString("00 B0 07 7F"));
    }
};

TAVRO_TEST_MAIN(TestZ3Library)
#include "test_z3library.moc"
