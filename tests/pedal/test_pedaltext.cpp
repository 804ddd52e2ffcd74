// Row texts, their reading back, the display-byte rules and the hexadecimal
// entry text, as both foot pedal pages use them.
#include "testmain.h"

#include "devices/pedal/pedallists.h"
#include "devices/pedal/pedaltext.h"

using namespace pedal;

class TestPedalText : public QObject
{
    Q_OBJECT

private slots:
    void eventRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("data1");
        QTest::addColumn<int>("data2");
        QTest::addColumn<QString>("text");
        QTest::newRow("note on") << 0 << 2 << 0x90 << 60 << 100 << "[01]   92   3C   64";
        QTest::newRow("program") << 1 << 0 << 0xC0 << 5 << 0 << "[02]   C0   05";
        QTest::newRow("clock") << 2 << 8 << 0xF8 << 0 << 0 << "[03]   F8";
        QTest::newRow("song select") << 0 << 3 << 0xF3 << 5 << 0 << "[01]   F3   05";
        QTest::newRow("song position") << 15 << 2 << 0xF2 << 1 << 2 << "[16]   F2   01   02";
        QTest::newRow("channel pressure") << 3 << 15 << 0xD0 << 127 << 9 << "[04]   DF   7F";
        // A record from an image with a channel byte beyond 15 still shows two digits.
        QTest::newRow("channel byte 0x20") << 0 << 0x20 << 0xB0 << 1 << 2 << "[01]   D0   01   02";
    }
    void eventRows()
    {
        QFETCH(int, row);
        QFETCH(int, channel);
        QFETCH(int, status);
        QFETCH(int, data1);
        QFETCH(int, data2);
        QFETCH(QString, text);
        QCOMPARE(eventRowText(row, quint8(channel), quint8(status), quint8(data1), quint8(data2)), text);
    }

    void sysexRow()
    {
        const quint8 msg[] = {0xF0, 0x43, 0x10, 0xF7};
        QCOMPARE(sysexRowText(msg, 4), QString("F0 43 10 F7 "));
        QCOMPARE(sysexRowText(msg, 0), QString());
        QCOMPARE(sysexRowText(nullptr, 4), QString());
        const QByteArray long64(64, char(0x7E));
        QCOMPARE(sysexRowText(reinterpret_cast<const quint8 *>(long64.constData()), 64).size(), 192);
    }

    void expressionRows_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QList<int>>("entry");
        QTest::addColumn<QString>("text");
        QTest::newRow("first") << 0 << QList<int>{2, 7, 0, 127} << "[01]  B2  07  00~7F";
        QTest::newRow("third") << 2 << QList<int>{15, 11, 10, 100} << "[03]  BF  0B  0A~64";
        QTest::newRow("min above max") << 15 << QList<int>{15, 127, 64, 32} << "[16]  BF  7F  40~20";
    }
    void expressionRows()
    {
        QFETCH(int, row);
        QFETCH(QList<int>, entry);
        QFETCH(QString, text);
        QCOMPARE(expressionRowText(row, quint8(entry[0]), quint8(entry[1]), quint8(entry[2]), quint8(entry[3])),
                 text);
        const std::array<int, 4> back = parseExpressionRowText(text);
        QCOMPARE((QList<int>{back[0], back[1], back[2], back[3]}), entry);
    }

    void expressionTextsReadBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("values");
        QTest::newRow("empty") << "" << QList<int>{0, 0, 0, 0};
        QTest::newRow("three fields") << "[01]  B2  07" << QList<int>{0, 0, 0, 0};
        QTest::newRow("other status") << "[01]  C5  07  00~7F" << QList<int>{5, 7, 0, 127};
        QTest::newRow("no tilde") << "[01]  B2  07  10" << QList<int>{2, 7, 16, 0};
        QTest::newRow("above 127") << "[01]  B2  80  FF~90" << QList<int>{2, 128, 255, 144};
        QTest::newRow("not hex") << "[01]  zz  07  q~7F" << QList<int>{0, 7, 0, 127};
    }
    void expressionTextsReadBack()
    {
        QFETCH(QString, text);
        QFETCH(QList<int>, values);
        const std::array<int, 4> v = parseExpressionRowText(text);
        QCOMPARE((QList<int>{v[0], v[1], v[2], v[3]}), values);
    }

    void displayBytes_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("row1");
        QTest::addColumn<bool>("dot");
        QTest::addColumn<int>("row2");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::newRow("8 with the dot, None") << 0x00 << 9 << true << 0 << 0x89 << 0x00;
        QTest::newRow("dot off") << 0x89 << 9 << false << 37 << 0x09 << 37;
        // A stored code without a row (37..39 first, 38..39 second) stays.
        QTest::newRow("first without row") << 0xA6 << -1 << false << 5 << 0x26 << 5;
        QTest::newRow("second without row") << 0x27 << 3 << true << -1 << 0x83 << 0x27;
    }
    void displayBytes()
    {
        QFETCH(int, stored);
        QFETCH(int, row1);
        QFETCH(bool, dot);
        QFETCH(int, row2);
        QFETCH(int, first);
        QFETCH(int, second);
        QCOMPARE(int(displayFirstByte(quint8(stored), row1, dot)), first);
        QCOMPARE(int(displaySecondByte(quint8(stored), row2)), second);
    }

    void displayByteValidity()
    {
        QVERIFY(displayByteValid(0xA7)); // 39 with the dot
        QVERIFY(displayByteValid(0x27));
        QVERIFY(!displayByteValid(0x28));
        QVERIFY(!displayByteValid(0xFF));
        QCOMPARE(displayCode(0xA7), 39);
        QVERIFY(displayDot(0xA7));
        QVERIFY(!displayDot(0x27));
    }

    void hexPairs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("dialog text") << "F0 43 10 F7 " << QByteArray::fromHex("F04310F7");
        QTest::newRow("lower case") << "f0 7e f7" << QByteArray::fromHex("F07EF7");
        QTest::newRow("empty") << "   " << QByteArray();
        QTest::newRow("double blank keeps an empty part") << "F0  F7" << QByteArray::fromHex("F000F7");
        QTest::newRow("unreadable part") << "F0 zz F7" << QByteArray::fromHex("F000F7");
        QTest::newRow("three digits keep the low byte") << "1F0" << QByteArray::fromHex("F0");
    }
    void hexPairs()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(parseHexPairs(text), bytes);
    }

    void hexPairsStopAt64()
    {
        QString text;
        for (int i = 0; i < 70; ++i)
            text += QStringLiteral("%1 ").arg(i, 2, 16, QLatin1Char('0'));
        QCOMPARE(parseHexPairs(text).size(), kMaxSysexEntry);
        QCOMPARE(parseHexPairs(text, 70).size(), 70);
    }

    void eventTypes()
    {
        for (int row = 0; row < kEventTypeCount; ++row) {
            const quint8 status = eventTypeStatus(row);
            QCOMPARE(eventTypeRow(status), row == kSysexTypeRow ? -1 : row);
            QCOMPARE(isSystemEventRow(row), status >= 0xF1);
        }
        QCOMPARE(eventTypeRow(0x93), 1);
        QCOMPARE(eventTypeRow(0xEF), 6);
        QCOMPARE(eventTypeRow(0xF0), -1);
        QCOMPARE(eventTypeRow(0xF7), -1);
        QCOMPARE(eventTypeRow(0x7F), -1);
        QCOMPARE(eventTypeStatus(17), quint8(0));
        QCOMPARE(eventTypeStatus(-1), quint8(0));
        QCOMPARE(QString::fromUtf8(SegmentCharList[36]), QString(QChar(0x2014)));
    }
};

TAVRO_TEST_MAIN(TestPedalText)
#include "test_pedaltext.moc"
