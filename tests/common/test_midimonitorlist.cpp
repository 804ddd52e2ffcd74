// The MIDI monitor: line texts and colours as pure functions, and the list's
// batches: one trim, at most the cap, the newest lines kept in order.
#include "midimonitorlist.h"
#include "bytes.h"
#include "midinames.h"
#include "testmain.h"

#include <QListWidget>
#include <QSignalSpy>

using namespace tavrotest;

class TestMidiMonitorList : public QObject
{
    Q_OBJECT
private slots:
    void messageLines_data()
    {
        QTest::addColumn<uint>("message");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("line");
        QTest::newRow("note on") << uint(0x7F3C90) << true << midiStatusName(0x90) + "90 3C 7F";
        QTest::newRow("note on, channel 16, bare") << uint(0x7F3C9F) << false << QString("9F 3C 7F");
        QTest::newRow("program") << uint(0x0005C3) << true << midiStatusName(0xC0) + "C3 05";
        QTest::newRow("channel pressure") << uint(0x0030D0) << true << midiStatusName(0xD0) + "D0 30";
        QTest::newRow("pitch bend") << uint(0x400000E0) << true << midiStatusName(0xE0) + "E0 00 00";
        QTest::newRow("song position") << uint(0x0201F2) << true << QString("F2 01 02");
        QTest::newRow("song select") << uint(0x0003F3) << true << QString("F3 03");
        QTest::newRow("clock alone") << uint(0xF8) << true << QString("F8");
        QTest::newRow("active sensing with stray bytes") << uint(0x1234FE) << true << QString("FE");
    }
    void messageLines()
    {
        QFETCH(uint, message);
        QFETCH(bool, named);
        QFETCH(QString, line);
        QCOMPARE(midiMessageLine(message, named), line);
        QCOMPARE(midiMessageColour(message), midiStatusColour(uchar(message & 0xF0)));
    }

    void sysexLines()
    {
        QString line;
        QVERIFY(sysexLine(u8(hex("F0 7E 7F 06 01 F7 11 22")), 8, &line));
        QCOMPARE(line, QString("F0 7E 7F 06 01 F7 "));
        QVERIFY(!sysexLine(u8(hex("F0 01 02")), 3, &line));
        QVERIFY(!sysexLine(nullptr, 0, &line));
        QCOMPARE(g_sysexLineColour, QColor(255, 255, 142));
    }

    // Lines wait for the flush; a flush trims once, keeps at most the cap, and
    // the newest lines stay in order with their colours.
    void batchesAndCap()
    {
        QListWidget list;
        MidiMonitorList monitor(&list, MidiMonitorList::SOptions{5, true, true, true});
        QSignalSpy removed(list.model(), &QAbstractItemModel::rowsRemoved);
        QSignalSpy inserted(list.model(), &QAbstractItemModel::rowsInserted);
        for (uint i = 0; i < 4; ++i)
            monitor.addMessage(0x90 | i << 8 | 0x40 << 16);
        QCOMPARE(list.count(), 0);
        QCOMPARE(monitor.pending(), 4);
        monitor.flush();
        QCOMPARE(list.count(), 4);
        QCOMPARE(inserted.count(), 1);

        monitor.addSysex(u8(hex("F0 01 F7")), 3);
        monitor.addMessage(0xF8);
        monitor.addLine(QStringLiteral("own"), QColor());
        monitor.flush();
        QCOMPARE(list.count(), 5);
        QCOMPARE(removed.count(), 1);
        QCOMPARE(list.item(0)->text(), midiStatusName(0x90) + "90 02 40");
        QCOMPARE(list.item(2)->text(), QString("F0 01 F7 "));
        QCOMPARE(list.item(2)->foreground().color(), g_sysexLineColour);
        QCOMPARE(list.item(3)->foreground().color(), midiStatusColour(0xF0));
        QCOMPARE(list.item(4)->text(), QString("own"));

        // A batch longer than the cap: only its newest lines.
        for (uint i = 0; i < 12; ++i)
            monitor.addMessage(0xB0 | i << 8);
        QCOMPARE(monitor.pending(), 5);
        monitor.flush();
        QCOMPARE(list.count(), 5);
        QCOMPARE(list.item(0)->text(), midiStatusName(0xB0) + "B0 07 00");
        QCOMPARE(list.item(4)->text(), midiStatusName(0xB0) + "B0 0B 00");

        monitor.addMessage(0xF8);
        monitor.clear();
        monitor.flush();
        QCOMPARE(list.count(), 0);
    }

    // Without a page to flush it, the list flushes on a tick of its own.
    void flushesOnItsOwnTick()
    {
        QListWidget list;
        MidiMonitorList monitor(&list, MidiMonitorList::SOptions{499, false, true, false});
        monitor.addMessage(0x7F3C90);
        QCOMPARE(list.count(), 0);
        QTRY_COMPARE(list.count(), 1);
        QCOMPARE(list.item(0)->text(), QString("90 3C 7F"));
    }
};

TAVRO_TEST_MAIN(TestMidiMonitorList)
#include "test_midimonitorlist.moc"
