// Commands of the effects-unit library without a window: an entry's text into
// the command buffer, and the buffer into what the page stores.
#include "testmain.h"

#include "bytes.h"
#include "devices/pedal/inicommand.h"

using tavrotest::hex;
using tavrotest::toHex;

namespace {

// count bytes from `from` on (below 80), and the same as lower-case tokens
// without leading zeros.
QByteArray run(int from, int count)
{
    QByteArray b;
    for (int i = 0; i < count; ++i)
        b.append(char((from + i) & 0x7F));
    return b;
}

QString tokens(int from, int count)
{
    QStringList t;
    for (char c : run(from, count))
        t << QString::number(uchar(c), 16);
    return t.join(QLatin1Char(' '));
}

// The stored part of a buffer: header and list bytes; the rest must be 0.
QString storedPart(const SIniCommand &cmd, bool *restZero)
{
    const int used = SIniCommand::kListStart + cmd.len1() + cmd.len2();
    const QByteArray all(reinterpret_cast<const char *>(cmd.bytes), SIniCommand::kSize);
    *restZero = all.mid(used) == QByteArray(SIniCommand::kSize - used, '\0');
    return toHex(all.left(used));
}

QString describe(const z3::SIniList &list)
{
    if (list.sysex)
        return QStringLiteral("sysex ") + toHex(list.message);
    // As the key record holds it: channel, status, data1, data2.
    const z3::SEvent &e = list.event;
    const char bytes[] = {char(e.channel), char(e.status), char(e.data1), char(e.data2)};
    return QStringLiteral("event ") + toHex(QByteArray(bytes, 4));
}

} // namespace

class TestIniCommand : public QObject
{
    Q_OBJECT

private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("stored");
        QTest::newRow("toggle, two lists") << "toggle | B5 10 7F | B5 10 00" << true << "02 03 03 B5 10 7F B5 10 00";
        QTest::newRow("mixed case, blanks") << "  Down_Up |C0   05  " << true << "03 02 00 C0 05";
        QTest::newRow("every word") << "UP_LONG|F8" << true << "05 01 00 F8";
        QTest::newRow("a longer word") << "down_up_x | B0 01 02" << false << "00 00 00";
        QTest::newRow("no word") << "" << false << "00 00 00";
        QTest::newRow("four parts use three") << "long | B0 01 02 | B0 03 04 | 99" << true
                                              << "04 03 03 B0 01 02 B0 03 04";
        QTest::newRow("a token that is no number") << "down | B0 G1 02" << true << "01 02 00 B0 02";
        QTest::newRow("above FF keeps the low byte") << "down | 1B0 10" << true << "01 02 00 B0 10";
        QTest::newRow("an empty first list") << "down | | B0 01 02" << true << "01 00 03 B0 01 02";
        QTest::newRow("148 tokens keep 147") << "long | " + tokens(0, 148) << true
                                             << "04 93 00 " + toHex(run(0, 147));
        QTest::newRow("list 2 cut at the end") << "down | " + tokens(0, 140) + " | " + tokens(1, 10) << true
                                               << "01 8C 07 " + toHex(run(0, 140) + run(1, 7));
    }
    void parse()
    {
        QFETCH(QString, value);
        QFETCH(bool, ok);
        QFETCH(QString, stored);
        SIniCommand cmd;
        cmd.bytes[149] = 0x55; // zeroed by every parse
        QCOMPARE(z3::parseIniCommand(z3::splitIniValue(value), &cmd), ok);
        bool restZero = false;
        QCOMPARE(storedPart(cmd, &restZero), stored);
        QVERIFY(restZero);
    }

    // What the page stores; an empty string: refused with "INI Data Err!".
    void decode_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("applied");
        QTest::newRow("toggle, two events") << "toggle | B5 10 7F | B5 10 00"
                                            << "2: event 05 B0 10 7F / event 05 B0 10 00";
        QTest::newRow("one list leaves list 2") << "down | C0 05" << "1: event 00 C0 05 00 / -";
        QTest::newRow("a short list reads 0, not list 2") << "down | C3 05 | B0 10 7F"
                                                           << "1: event 03 C0 05 00 / event 00 B0 10 7F";
        QTest::newRow("the first message only") << "down | 90 3C 7F 80 3C 00" << "1: event 00 90 3C 7F / -";
        QTest::newRow("a one-byte message first") << "down | F8 B0 10 7F" << "1: event 08 F8 00 00 / -";
        QTest::newRow("system messages keep their byte") << "toggle | FA | FC" << "2: event 0A FA 00 00 / event 0C FC 00 00";
        QTest::newRow("song position") << "down | F2 10 20" << "1: event 02 F2 10 20 / -";
        QTest::newRow("SysEx to the pool") << "long | F0 7D 01 F7 | B0 01 02"
                                           << "4: sysex F0 7D 01 F7 / event 00 B0 01 02";
        QTest::newRow("SysEx in list 2") << "down_up | B0 01 02 | F0 01 F7" << "3: event 00 B0 01 02 / sysex F0 01 F7";
        QTest::newRow("no first list") << "down" << "";
        QTest::newRow("an empty first list") << "down | | B0 01 02" << "";
        QTest::newRow("a cut first list") << "down | B0 10" << "";
        QTest::newRow("a cut second list") << "down | B0 10 7F | B0 10" << "";
        QTest::newRow("an open SysEx") << "down | F0 01 02" << "";
        QTest::newRow("a data byte first") << "down | 10 7F" << "";
        const QString fits = QStringLiteral("B0 01 02 ").repeated(49).trimmed();
        QTest::newRow("147 bytes of whole messages") << "long | " + fits + " C0" << "4: event 00 B0 01 02 / -";
        QTest::newRow("147 bytes, the last message cut") << "long | C0 05 " + fits << "";
    }
    void decode()
    {
        QFETCH(QString, value);
        QFETCH(QString, applied);
        SIniCommand cmd;
        QVERIFY(z3::parseIniCommand(z3::splitIniValue(value), &cmd));
        z3::SIniApply out;
        out.triggerType = 99;
        const bool ok = z3::decodeIniCommand(cmd.bytes, &out);
        QCOMPARE(ok, !applied.isEmpty());
        if (!ok) {
            QCOMPARE(out.triggerType, quint8(99)); // untouched
            return;
        }
        QCOMPARE(QStringLiteral("%1: %2 / %3")
                     .arg(out.triggerType)
                     .arg(describe(out.list1), out.hasList2 ? describe(out.list2) : QStringLiteral("-")),
                 applied);
    }

    // Buffers the dialog never makes are refused, and never read past.
    void decodeRefusesForeignBuffers()
    {
        z3::SIniApply out;
        for (const char *buf : {"00 03 00 B0 10 7F", "06 03 00 B0 10 7F", "01 03 91 B0 10 7F"}) {
            SIniCommand cmd;
            const QByteArray bytes = hex(buf);
            memcpy(cmd.bytes, bytes.constData(), size_t(bytes.size()));
            QVERIFY2(!z3::decodeIniCommand(cmd.bytes, &out), buf);
        }
    }
};

TAVRO_TEST_MAIN(TestIniCommand)
#include "test_inicommand.moc"
