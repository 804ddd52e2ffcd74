// The foot pedal's configuration image, its check, the frames built from it
// and the edits of its pool and lists, byte for byte and without a window.
#include "testmain.h"

#include <cstring>

#include "bytes.h"
#include "devices/pedal/z3config.h"
#include "devices/pedal/z3edit.h"
#include "devices/pedal/z3frames.h"

using tavrotest::hex;
using tavrotest::toHex;

namespace {

QByteArray frameOf(uint (*build)(const SZ3ProConfigData &, quint8 *), const SZ3ProConfigData &image)
{
    quint8 buf[z3::kTxBufferSize];
    const uint n = build(image, buf);
    return QByteArray(reinterpret_cast<const char *>(buf), int(n));
}

QByteArray bankFrame(const SZ3ProConfigData &image, int group)
{
    quint8 buf[z3::kTxBufferSize];
    const uint n = z3::keyBankFrame(image, group, buf);
    return QByteArray(reinterpret_cast<const char *>(buf), int(n));
}

QByteArray bytesOf(int n, char fill)
{
    return QByteArray(n, fill);
}

// An image that passes the check: mode 1, one group, empty lists.
SZ3ProConfigData plainImage()
{
    SZ3ProConfigData image;
    image.setMode(1);
    return image;
}

} // namespace

class TestZ3Config : public QObject
{
    Q_OBJECT

private slots:
    void offsets()
    {
        QCOMPARE(SZ3ProConfigData::keyOffset(0, 0), 87);
        QCOMPARE(SZ3ProConfigData::keyOffset(5, 2), 87 + 536 * 5 + 134 * 2);
        // The last record's byte 133 is the low byte of the pool count.
        QCOMPARE(SZ3ProConfigData::keyOffset(7, 3) + 133, z3::kPoolUsed);
        SZ3ProConfigData image;
        image.setPoolUsed(300);
        QCOMPARE(toHex(image.toByteArray().mid(z3::kPoolUsed, 2)), QString("2C 01"));
        QCOMPARE(image.keyBytes(7, 3)[133], quint8(0x2C));
        image.setPoolUsed(0x0300);
        QCOMPARE(image.poolUsed(), 512); // more than the pool reads as the pool
    }

    void fromByteArraySizes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("kept");
        QTest::newRow("4929") << 4929 << false;
        QTest::newRow("4930") << 4930 << true;
        QTest::newRow("4931") << 4931 << false;
    }
    void fromByteArraySizes()
    {
        QFETCH(int, size);
        QFETCH(bool, kept);
        QByteArray bytes(size, 0);
        for (int i = 0; i < size; ++i)
            bytes[i] = char(i * 7 + 1);
        const QByteArray back = SZ3ProConfigData::fromByteArray(bytes).toByteArray();
        QCOMPARE(back.size(), 4930);
        QCOMPARE(back, kept ? bytes : QByteArray(4930, 0));
    }

    void check_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("passes");
        const int g0 = SZ3ProConfigData::keyOffset(0, 0);
        const int g3 = SZ3ProConfigData::keyOffset(3, 1);
        QTest::newRow("plain") << 0 << 0 << 1 << true;
        QTest::newRow("count1 200 in group 3") << g3 + z3::kCount1 << 200 << 1 << true;
        QTest::newRow("count1 200 in the current group") << g0 + z3::kCount1 << 200 << 1 << true;
        QTest::newRow("trigger 6 in mode 4") << g0 << 6 << 4 << true;
        QTest::newRow("trigger 6 in mode 3") << g0 << 6 << 3 << true;
        QTest::newRow("trigger 5 in mode 4") << g0 << 5 << 4 << true;
        QTest::newRow("pedalCount 16") << z3::kPedalCount << 16 << 1 << true;
        QTest::newRow("pedalCount 17") << z3::kPedalCount << 17 << 1 << false;
        QTest::newRow("display 0xA7") << z3::kDisplayChars + 7 << 0xA7 << 1 << true;
        QTest::newRow("display 0x28") << z3::kDisplayChars + 3 << 0x28 << 1 << false;
        QTest::newRow("mode 0") << 0 << 0 << 0 << true;
        QTest::newRow("current group 7") << z3::kGroupSelect << 0x77 << 4 << true;
        QTest::newRow("current group 8") << z3::kGroupSelect << 0x87 << 4 << false;
        QTest::newRow("current group 15") << z3::kGroupSelect << 0xF0 << 1 << false;
        QTest::newRow("nine groups") << z3::kGroupSelect << 0x08 << 1 << false;
    }
    void check()
    {
        QFETCH(int, offset);
        QFETCH(int, value);
        QFETCH(int, mode);
        QFETCH(bool, passes);
        SZ3ProConfigData image;
        image.setMode(quint8(mode));
        if (offset)
            image.setByte(offset, quint8(value));
        QCOMPARE(check_config_data(image), passes);
    }

    void rowsStayInsideTheImage()
    {
        SZ3ProConfigData image = plainImage();
        Z3KeyRecord r = image.key(2, 1);
        r.setCount(1, 200);
        QCOMPARE(z3::keyListRows(image, 2, 1, 1).size(), 16);
        // A reference reaching beyond the used pool shows only what is used.
        image.setPoolUsed(6);
        std::memcpy(image.pool(), "\xF0\x01\x02\x03\x04\xF7", 6);
        r.setSysex(2, true);
        quint8 *ref = r.entry(2, 0);
        ref[0] = 0;
        ref[1] = 4;
        ref[2] = 10;
        QCOMPARE(z3::keyListRows(image, 2, 1, 2), QStringList{"04 F7 "});
        ref[1] = 6;
        QCOMPARE(z3::keyListRows(image, 2, 1, 2), QStringList{""});
        // It is not removed either.
        const SZ3ProConfigData before = image;
        z3::removeSysex(image, ref);
        QVERIFY(image == before);

        // One that begins inside a removed message goes empty with it: moved
        // down, it would name an offset below 0 in the next key bank.
        SZ3ProConfigData shared = plainImage();
        shared.setPoolUsed(12);
        const auto mark = [&shared](int group, int key, int list, int offset, int length) {
            Z3KeyRecord rec = shared.key(group, key);
            rec.setSysex(list, true);
            quint8 *e = rec.entry(list, 0);
            e[0] = 0;
            e[1] = quint8(offset);
            e[2] = quint8(length);
        };
        const auto refOf = [&shared](int group, int key, int list) {
            return toHex(QByteArray(reinterpret_cast<const char *>(shared.key(group, key).entry(list, 0)), 3));
        };
        mark(0, 0, 1, 2, 6); // removed: pool bytes 2..7
        mark(1, 1, 2, 4, 2); // inside it
        mark(3, 3, 1, 8, 4); // behind it
        z3::removeSysex(shared, shared.key(0, 0).entry(1, 0));
        QCOMPARE(refOf(1, 1, 2), QString("00 00 00"));
        QCOMPARE(refOf(3, 3, 1), QString("00 02 04"));
        QCOMPARE(shared.poolUsed(), 6);
    }

    // ---- key banks --------------------------------------------------------------

    void emptyBank()
    {
        SZ3ProConfigData image;
        for (int k = 0; k < 4; ++k) {
            image.key(0, k).setTriggerType(1);
            image.key(3, k).setTriggerType(1);
        }
        QCOMPARE(toHex(bankFrame(image, 0)),
                 toHex(hex("78 59 61 31 00 00 00 01 00 00 00 11 00 00 00 21 00 00 00 31 00 00 00") + bytesOf(32, 0)
                       + hex("9B")));
        QCOMPARE(toHex(bankFrame(image, 3).left(7)), QString("78 59 61 31 00 00 03"));
    }

    void bankSizes()
    {
        SZ3ProConfigData image;
        Z3KeyRecord a = image.key(2, 0);
        a.setCount(1, 16);
        a.setCount(2, 16);
        QCOMPARE(bankFrame(image, 2).size() - 7, 169);
        for (int g = 0; g < 8; ++g) {
            for (int k = 0; k < 4; ++k) {
                image.key(g, k).setCount(1, 16);
                image.key(g, k).setCount(2, 16);
            }
        }
        QCOMPARE(bankFrame(image, 5).size() - 7, 529);
        for (int g = 0; g < 8; ++g) {
            for (int k = 0; k < 4; ++k) {
                image.key(g, k).setCount(1, 200);
                image.key(g, k).setCount(2, 200);
            }
            const QByteArray f = bankFrame(image, g);
            QVERIFY(f.size() <= z3::kMaxKeyBankFrame);
            QCOMPARE(quint8(f[6 + 3]), quint8(16)); // the count sent
        }
        // A trigger type above 15 never names another key in the key nibble.
        image.key(6, 0).setTriggerType(0x31);
        image.key(6, 2).setTriggerType(0x12);
        const QByteArray f = bankFrame(image, 6);
        QCOMPARE(quint8(f[6 + 1]), quint8(0x01));
        QCOMPARE(quint8(f[6 + 9]), quint8(0x22));
    }

    // ---- the pool ----------------------------------------------------------------

    void poolCompaction()
    {
        SZ3ProConfigData image = plainImage();
        const QByteArray m10(10, char(0x11)), m6(6, char(0x22)), m20(20, char(0x33));
        QCOMPARE(z3::setKeySysex(image, 0, 0, 1, m10), z3::PoolResult::Stored);
        QCOMPARE(z3::setKeySysex(image, 5, 2, 2, m6), z3::PoolResult::Stored);
        QCOMPARE(z3::setKeySysex(image, 7, 3, 1, m20), z3::PoolResult::Stored);
        QCOMPARE(image.poolUsed(), 36);
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(image.key(7, 3).entry(1, 0)), 3)), QString("00 10 14"));
        image.key(0, 0).entry(1, 0)[3] = 0x5A; // never written
        QVERIFY(z3::deleteKeyRow(image, 0, 0, 1, 0));
        QCOMPARE(image.poolUsed(), 26);
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(image.key(0, 0).entry(1, 0)), 4)),
                 QString("00 00 00 5A"));
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(image.key(5, 2).entry(2, 0)), 3)), QString("00 00 06"));
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(image.key(7, 3).entry(1, 0)), 3)), QString("00 06 14"));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(image.pool()), 26), m6 + m20);
        QVERIFY(image.key(0, 0).isSysex(1)); // still marked, one empty row
        QCOMPARE(z3::keyListRows(image, 0, 0, 1), QStringList{""});
        QCOMPARE(frameOf(z3::sysexPoolFrame, image).size(), 26 + 7);
    }

    void poolLimit()
    {
        SZ3ProConfigData image = plainImage();
        QCOMPARE(z3::setKeySysex(image, 1, 0, 1, QByteArray(250, 1)), z3::PoolResult::Stored);
        QCOMPARE(z3::setKeySysex(image, 1, 1, 1, QByteArray(250, 2)), z3::PoolResult::Stored);
        QCOMPARE(image.poolUsed(), 500);
        QCOMPARE(z3::setKeySysex(image, 1, 2, 1, QByteArray(13, 3)), z3::PoolResult::Full);
        QVERIFY(!image.key(1, 2).isSysex(1));
        QCOMPARE(z3::setKeySysex(image, 1, 2, 1, QByteArray(12, 3)), z3::PoolResult::Stored);
        QCOMPARE(image.poolUsed(), 512);
        // A replacement that does not fit keeps the old message.
        const SZ3ProConfigData full = image;
        QCOMPARE(z3::setKeySysex(image, 1, 2, 1, QByteArray(13, 4)), z3::PoolResult::Full);
        QVERIFY(image == full);
        QCOMPARE(z3::keyListRows(image, 1, 2, 1), QStringList{QString("03 ").repeated(12)});
        // One that fits once its old message is out is stored.
        QCOMPARE(z3::setKeySysex(image, 1, 2, 1, QByteArray(12, 5)), z3::PoolResult::Stored);
        QCOMPARE(image.poolUsed(), 512);
        // An event list whose message is refused keeps its events.
        QVERIFY(z3::addKeyEvent(image, 1, 3, 2, {0x90, 1, 60, 100}));
        const SZ3ProConfigData withEvent = image;
        QCOMPARE(z3::setKeySysex(image, 1, 3, 2, QByteArray(1, char(0xF8))), z3::PoolResult::Full);
        QVERIFY(image == withEvent);
    }

    void poolReferenceBytes()
    {
        SZ3ProConfigData image = plainImage();
        image.setPoolUsed(300);
        QCOMPARE(z3::setKeySysex(image, 0, 1, 2, hex("F0 43 10 F7")), z3::PoolResult::Stored);
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(image.key(0, 1).entry(2, 0)), 3)), QString("01 2C 04"));
        SZ3ProConfigData small = plainImage();
        QCOMPARE(z3::setKeySysex(small, 0, 0, 1, hex("F0 43 10 F7")), z3::PoolResult::Stored);
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(small.key(0, 0).entry(1, 0)), 3)), QString("00 00 04"));
        QCOMPARE(toHex(frameOf(z3::sysexPoolFrame, small)), QString("78 59 63 04 00 00 F0 43 10 F7 C5"));
        QCOMPARE(toHex(frameOf(z3::sysexPoolFrame, SZ3ProConfigData())), QString("78 59 63 00 00 00 FF"));
    }

    // ---- event lists ----------------------------------------------------------

    void eventListEdits()
    {
        SZ3ProConfigData image = plainImage();
        for (int i = 0; i < 16; ++i)
            QVERIFY(z3::addKeyEvent(image, 4, 1, 1, {0xB0, 0, quint8(i), 0}));
        QVERIFY(!z3::addKeyEvent(image, 4, 1, 1, {0xB0, 0, 99, 0}));
        QCOMPARE(z3::keyListRows(image, 4, 1, 1).size(), 16);
        QVERIFY(z3::deleteKeyRow(image, 4, 1, 1, 1));
        const QStringList rows = z3::keyListRows(image, 4, 1, 1);
        QCOMPARE(rows.size(), 15);
        QCOMPARE(rows[1], QString("[02]   B0   02   00"));
        QVERIFY(!z3::deleteKeyRow(image, 4, 1, 1, 15));
        QVERIFY(!z3::modifyKeyEvent(image, 4, 1, 1, -1, {0x90, 0, 0, 0}));
        QVERIFY(z3::modifyKeyEvent(image, 4, 1, 1, 14, {0xF3, 3, 5, 0}));
        QCOMPARE(z3::keyListRows(image, 4, 1, 1).last(), QString("[15]   F3   05"));

        // An event over a SysEx gives the message back; later references move.
        QCOMPARE(z3::setKeySysex(image, 4, 2, 1, hex("F0 01 F7")), z3::PoolResult::Stored);
        QCOMPARE(z3::setKeySysex(image, 4, 3, 1, hex("F0 02 02 F7")), z3::PoolResult::Stored);
        QVERIFY(z3::modifyKeyEvent(image, 4, 2, 1, 5, {0x80, 1, 2, 3}));
        QCOMPARE(image.poolUsed(), 4);
        QCOMPARE(image.key(4, 2).rawCount(1), quint8(1));
        QCOMPARE(z3::keyListRows(image, 4, 3, 1), QStringList{"F0 02 02 F7 "});
        // A SysEx over events empties the list into one message.
        QCOMPARE(z3::setKeySysex(image, 4, 1, 1, hex("F0 7F F7")), z3::PoolResult::Stored);
        QCOMPARE(image.key(4, 1).rawCount(1), quint8(0));
        QCOMPARE(z3::keyListRows(image, 4, 1, 1), QStringList{"F0 7F F7 "});
        QVERIFY(z3::addKeyEvent(image, 4, 3, 1, {0xF8, 8, 0, 0}));
        QCOMPARE(z3::keyListRows(image, 4, 3, 1), QStringList{"[01]   F8"});
        QCOMPARE(z3::keyListRows(image, 4, 1, 1), QStringList{"F0 7F F7 "});
        QCOMPARE(image.poolUsed(), 3);
        z3::clearKeyList(image, 4, 1, 1);
        QCOMPARE(image.poolUsed(), 0);
        QVERIFY(image.key(4, 1).isSysex(1));
    }

    // ---- expression list and settings frames ---------------------------------------

    void expressionList()
    {
        SZ3ProConfigData image = plainImage();
        const int e[4] = {2, 7, 0, 127};
        QVERIFY(z3::addPedalEntry(image, e));
        QCOMPARE(toHex(frameOf(z3::expressionFrame, image)), QString("78 59 65 04 00 00 02 07 00 7F 77"));
        QCOMPARE(z3::pedalListRows(image), QStringList{"[01]  B2  07  00~7F"});
        for (int i = 1; i < 16; ++i)
            QVERIFY(z3::addPedalEntry(image, e));
        QVERIFY(!z3::addPedalEntry(image, e));
        QCOMPARE(frameOf(z3::expressionFrame, image).size(), 71);
        const int other[4] = {15, 11, 10, 100};
        QVERIFY(z3::modifyPedalEntry(image, 2, other));
        QCOMPARE(z3::pedalListRows(image)[2], QString("[03]  BF  0B  0A~64"));
        QVERIFY(z3::deletePedalEntry(image, 0));
        QCOMPARE(z3::pedalListRows(image)[1], QString("[02]  BF  0B  0A~64"));
        QVERIFY(!z3::deletePedalEntry(image, 15));
        z3::clearPedalList(image);
        QCOMPARE(toHex(frameOf(z3::expressionFrame, image)), QString("78 59 65 00 00 00 FF"));
        image.setPedalCount(200);
        QCOMPARE(frameOf(z3::expressionFrame, image).size(), 71);
    }

    void settingFrames_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("frame");
        QTest::newRow("mode 1") << 1 << "78 59 60 02 00 00 01 04 FA";
        QTest::newRow("mode 2") << 2 << "78 59 60 02 00 00 02 40 BD";
        QTest::newRow("mode 3") << 3 << "78 59 60 02 00 00 03 00 FC";
        QTest::newRow("mode 4") << 4 << "78 59 60 02 00 00 04 22 D9";
    }
    void settingFrames()
    {
        QFETCH(int, mode);
        QFETCH(QString, frame);
        SZ3ProConfigData image;
        image.setByte(z3::kMode1Max, 4);
        image.setByte(z3::kMode2Max, 64);
        image.setGroupSelect(0x22);
        quint8 buf[z3::kTxBufferSize];
        const uint n = z3::settingFrame(image, mode, buf);
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(buf), int(n))), frame);
    }

    void switchAndDisplayFrames()
    {
        SZ3ProConfigData image;
        const quint8 switches[12] = {0x10, 0, 0, 0x21, 0, 0, 0x30, 0, 0, 0x40, 0, 0};
        std::memcpy(image.switchRecord(0), switches, 12);
        QCOMPARE(toHex(frameOf(z3::switchesFrame, image)),
                 QString("78 59 62 0C 00 00 10 00 00 21 00 00 30 00 00 40 00 00 5E"));
        image.setDisplayChar(0, 0x89);
        QCOMPARE(toHex(frameOf(z3::displayCharsFrame, image)),
                 QString("78 59 67 08 00 00 89 00 00 00 00 00 00 00 76"));
    }

    void bluetoothFrames()
    {
        quint8 buf[z3::kTxBufferSize];
        uint n = z3::bluetoothFrame(1, QByteArray(), buf);
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(buf), int(n))), QString("78 59 64 01 00 00 01 FE"));
        n = z3::bluetoothFrame(1, "ABC", buf);
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(buf), int(n))),
                 QString("78 59 64 04 00 00 01 41 42 43 38"));
        n = z3::bluetoothFrame(1, QByteArray(40, 'x'), buf);
        QCOMPARE(int(n), 33 + 7);
        n = z3::passThroughFrame(true, buf);
        QCOMPARE(toHex(QByteArray(reinterpret_cast<const char *>(buf), int(n))), QString("78 59 59 01 00 00 01 FE"));
    }
};

TAVRO_TEST_MAIN(TestZ3Config)
#include "test_z3config.moc"
