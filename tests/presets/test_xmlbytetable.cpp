#include <QXmlStreamWriter>
#include <cstring>

#include "testmain.h"
#include "xmlbytetable.h"

namespace {

// Writes tables the way the preset writers do: indented, every element numbered.
void writeTable2(QXmlStreamWriter &w, const QString &section, const quint8 *data, int rows, int cols,
                 const QString &rowName, const QString &colName)
{
    w.writeStartElement(section);
    for (int r = 0; r < rows; ++r) {
        w.writeStartElement(rowName + QString::number(r));
        for (int c = 0; c < cols; ++c)
            w.writeTextElement(colName + QString::number(c), QString::number(data[r * cols + c]));
        w.writeEndElement();
    }
    w.writeEndElement();
}

void writeTable3(QXmlStreamWriter &w, const QString &section, const quint8 *data, int groups, int items, int fields)
{
    w.writeStartElement(section);
    for (int g = 0; g < groups; ++g) {
        w.writeStartElement(QStringLiteral("Group%1").arg(g));
        for (int n = 0; n < items; ++n) {
            w.writeStartElement(QStringLiteral("Pad%1").arg(n));
            for (int c = 0; c < fields; ++c)
                w.writeTextElement(QStringLiteral("Data%1").arg(c),
                                   QString::number(data[(g * items + n) * fields + c]));
            w.writeEndElement();
        }
        w.writeEndElement();
    }
    w.writeEndElement();
}

// Moves the reader onto the start tag of the named element.
bool seek(QXmlStreamReader &xml, const QString &name)
{
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == name)
            return true;
    }
    return false;
}

} // namespace

class TestXmlByteTable : public QObject
{
    Q_OBJECT

private slots:
    void writtenFileRoundTrips();
    void numberRules();
    void shortAndOddSections();
    void oneLineFileFillsFirstRowOnly();
};

void TestXmlByteTable::writtenFileRoundTrips()
{
    quint8 keys[6][4];
    quint8 pads[3][16][4];
    for (int i = 0; i < 24; ++i)
        (&keys[0][0])[i] = quint8(i * 11 + 1);
    for (int i = 0; i < 3 * 16 * 4; ++i)
        (&pads[0][0][0])[i] = quint8(255 - i);

    QByteArray xmlText;
    QXmlStreamWriter w(&xmlText);
    w.setAutoFormatting(true);
    w.writeStartDocument();
    w.writeStartElement(QStringLiteral("Preset"));
    w.writeStartElement(QStringLiteral("ConfigData"));
    writeTable2(w, QStringLiteral("KeyData"), &keys[0][0], 6, 4, QStringLiteral("Key"), QStringLiteral("Data"));
    writeTable3(w, QStringLiteral("PadData"), &pads[0][0][0], 3, 16, 4);
    w.writeTextElement(QStringLiteral("Tail"), QStringLiteral("1"));
    w.writeEndDocument();

    quint8 keysIn[6][4];
    quint8 padsIn[3][16][4];
    std::memset(keysIn, 0xEE, sizeof keysIn);
    std::memset(padsIn, 0xEE, sizeof padsIn);

    QXmlStreamReader xml(xmlText);
    QVERIFY(seek(xml, QStringLiteral("KeyData")));
    readXmlByteTable(xml, keysIn, QStringLiteral("Key"), QStringLiteral("Data"));
    QVERIFY(xml.isEndElement());
    QCOMPARE(xml.name().toString(), QStringLiteral("Key5"));
    xml.skipCurrentElement();
    QCOMPARE(xml.name().toString(), QStringLiteral("KeyData"));

    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name().toString(), QStringLiteral("PadData"));
    readXmlByteTable(xml, padsIn, QStringLiteral("Group"), QStringLiteral("Pad"), QStringLiteral("Data"));
    QVERIFY(xml.isEndElement());
    QCOMPARE(xml.name().toString(), QStringLiteral("Group2"));
    xml.skipCurrentElement();
    QVERIFY(xml.readNextStartElement());
    QCOMPARE(xml.name().toString(), QStringLiteral("Tail"));
    QVERIFY(!xml.hasError());

    QCOMPARE(QByteArray(reinterpret_cast<char *>(keysIn), sizeof keysIn),
             QByteArray(reinterpret_cast<char *>(keys), sizeof keys));
    QCOMPARE(QByteArray(reinterpret_cast<char *>(padsIn), sizeof padsIn),
             QByteArray(reinterpret_cast<char *>(pads), sizeof pads));
}

void TestXmlByteTable::numberRules()
{
    const QByteArray xmlText = "<S>\n"
                               "    <Group0>\n"
                               "        <Color0>12</Color0>\n"
                               "        <Color1> 12 </Color1>\n"
                               "        <Color2>300</Color2>\n"
                               "    </Group0>\n"
                               "    <Group1>\n"
                               "        <Color0>-1</Color0>\n"
                               "        <Color1>abc</Color1>\n"
                               "        <Color2>+5</Color2>\n"
                               "    </Group1>\n"
                               "    <Group2>\n"
                               "        <Color0></Color0>\n"
                               "        <Color1>4294967296</Color1>\n"
                               "        <Color2>4294967295</Color2>\n"
                               "    </Group2>\n"
                               "</S>\n";
    quint8 table[3][3];
    std::memset(table, 0x77, sizeof table);
    QXmlStreamReader xml(xmlText);
    QVERIFY(seek(xml, QStringLiteral("S")));
    readXmlByteTable(xml, table, QStringLiteral("Group"), QStringLiteral("Color"));
    const quint8 expected[9] = {12, 12, 44, 0, 0, 5, 0, 0, 255};
    QCOMPARE(QByteArray(reinterpret_cast<char *>(table), 9), QByteArray(reinterpret_cast<const char *>(expected), 9));
    QVERIFY(!xml.hasError());

    // A field holding a child element: the text before it counts, the stream fails.
    quint8 small[3][3];
    std::memset(small, 0x77, sizeof small);
    QXmlStreamReader bad(QByteArray("<S><Group0><Color0>7<b/></Color0><Color1>8</Color1></Group0></S>"));
    QVERIFY(seek(bad, QStringLiteral("S")));
    readXmlByteTable(bad, small, QStringLiteral("Group"), QStringLiteral("Color"));
    QCOMPARE(small[0][0], quint8(7));
    QCOMPARE(small[0][1], quint8(0x77));
    QVERIFY(bad.hasError());
}

void TestXmlByteTable::shortAndOddSections()
{
    // Two rows of a three-row table; the second row is numbered 7 and one short.
    const QByteArray shortRows = "<S>\n"
                                 "    <Group0>\n"
                                 "        <Color0>1</Color0>\n"
                                 "        <Color1>2</Color1>\n"
                                 "        <Color2>3</Color2>\n"
                                 "    </Group0>\n"
                                 "    <Group7>\n"
                                 "        <Color0>4</Color0>\n"
                                 "        <Color1>5</Color1>\n"
                                 "    </Group7>\n"
                                 "    <Group8>\n"
                                 "        <Color0>6</Color0>\n"
                                 "    </Group8>\n"
                                 "</S>\n";
    quint8 table[3][3];
    std::memset(table, 0xAA, sizeof table);
    QXmlStreamReader xml(shortRows);
    QVERIFY(seek(xml, QStringLiteral("S")));
    readXmlByteTable(xml, table, QStringLiteral("Group"), QStringLiteral("Color"));
    const quint8 expected[9] = {1, 2, 3, 4, 5, 0xAA, 0xAA, 0xAA, 0xAA};
    QCOMPARE(QByteArray(reinterpret_cast<char *>(table), 9), QByteArray(reinterpret_cast<const char *>(expected), 9));
    // The third row position met the first field of Group8 and stopped there.
    QVERIFY(xml.isStartElement());
    QCOMPARE(xml.name().toString(), QStringLiteral("Color0"));
    QVERIFY(!xml.hasError());

    // Names are matched case-sensitively: a lower-case group is never read,
    // and surplus rows beyond the shape are left for the caller's skip.
    const QByteArray oddNames = "<S>\n"
                                "    <group0>\n"
                                "        <Color0>9</Color0>\n"
                                "    </group0>\n"
                                "</S>\n";
    std::memset(table, 0xAA, sizeof table);
    QXmlStreamReader lower(oddNames);
    QVERIFY(seek(lower, QStringLiteral("S")));
    readXmlByteTable(lower, table, QStringLiteral("Group"), QStringLiteral("Color"));
    for (int i = 0; i < 9; ++i)
        QCOMPARE((&table[0][0])[i], quint8(0xAA));

    QByteArray surplus = "<R><S>\n";
    for (int g = 0; g < 3; ++g) {
        surplus += "    <Group" + QByteArray::number(g) + ">\n";
        for (int n = 0; n < 2; ++n) {
            surplus += "        <Pad" + QByteArray::number(n) + ">\n";
            surplus += "            <Data0>" + QByteArray::number(g * 10 + n) + "</Data0>\n";
            surplus += "        </Pad" + QByteArray::number(n) + ">\n";
        }
        surplus += "    </Group" + QByteArray::number(g) + ">\n";
    }
    surplus += "</S>\n<Next/></R>";
    quint8 cube[2][2][1];
    std::memset(cube, 0xAA, sizeof cube);
    QXmlStreamReader more(surplus);
    QVERIFY(seek(more, QStringLiteral("S")));
    readXmlByteTable(more, cube, QStringLiteral("Group"), QStringLiteral("Pad"), QStringLiteral("Data"));
    QCOMPARE(cube[0][0][0], quint8(0));
    QCOMPARE(cube[0][1][0], quint8(1));
    QCOMPARE(cube[1][0][0], quint8(10));
    QCOMPARE(cube[1][1][0], quint8(11));
    QVERIFY(more.isEndElement());
    QCOMPARE(more.name().toString(), QStringLiteral("Group1"));
    more.skipCurrentElement();
    QVERIFY2(more.readNextStartElement(), qPrintable(more.name().toString()));
    QCOMPARE(more.name().toString(), QStringLiteral("Next"));
}

void TestXmlByteTable::oneLineFileFillsFirstRowOnly()
{
    quint8 table[3][3];
    std::memset(table, 0xAA, sizeof table);
    QXmlStreamReader xml(QByteArray("<S><Group0><Color0>1</Color0><Color1>2</Color1><Color2>3</Color2></Group0>"
                                    "<Group1><Color0>4</Color0><Color1>5</Color1><Color2>6</Color2></Group1></S>"));
    QVERIFY(seek(xml, QStringLiteral("S")));
    readXmlByteTable(xml, table, QStringLiteral("Group"), QStringLiteral("Color"));
    QCOMPARE(table[0][0], quint8(1));
    QCOMPARE(table[0][2], quint8(3));
    QCOMPARE(table[1][0], quint8(0xAA));
    QCOMPARE(table[1][2], quint8(0xAA));

    quint8 cube[2][2][2];
    std::memset(cube, 0xAA, sizeof cube);
    QXmlStreamReader xml3(QByteArray("<S><Group0><Pad0><Data0>1</Data0><Data1>2</Data1></Pad0>"
                                     "<Pad1><Data0>3</Data0><Data1>4</Data1></Pad1></Group0></S>"));
    QVERIFY(seek(xml3, QStringLiteral("S")));
    readXmlByteTable(xml3, cube, QStringLiteral("Group"), QStringLiteral("Pad"), QStringLiteral("Data"));
    QCOMPARE(cube[0][0][0], quint8(1));
    QCOMPARE(cube[0][0][1], quint8(2));
    QCOMPARE(cube[0][1][0], quint8(0xAA));
}

TAVRO_TEST_MAIN(TestXmlByteTable)
#include "test_xmlbytetable.moc"
