// The MIDI name tables and monitor colours.
#include "testmain.h"

#include "midinames.h"

#include <QRegularExpression>

class TestMidiNames : public QObject
{
    Q_OBJECT

private slots:
    void everyTableNamesEveryValue()
    {
        const QList<QPair<const char *, const QStringList *>> tables = {
            {"programs", &g_gmProgramNames}, {"drums", &g_gmDrumNames},
            {"cc", &g_ccNames}, {"notes", &g_noteNames}};
        for (const auto &table : tables) {
            QCOMPARE(table.second->size(), 128);
            // Entry n starts with the number n, alone or followed by "-" or " ".
            const QRegularExpression lead(QStringLiteral("^(\\d+)($|-| )"));
            for (int n = 0; n < 128; ++n) {
                const auto m = lead.match(table.second->at(n));
                QVERIFY2(m.hasMatch() && m.captured(1).toInt() == n,
                         qPrintable(QStringLiteral("%1 %2: %3").arg(table.first).arg(n).arg(table.second->at(n))));
            }
        }
    }

    void spotValues()
    {
        QCOMPARE(g_gmProgramNames.at(0), QStringLiteral("0-Acoustic Grand Piano"));
        QCOMPARE(g_gmProgramNames.at(87), QStringLiteral("87-Lead 8 (bass + lead)"));
        QCOMPARE(g_gmProgramNames.at(127), QStringLiteral("127-Gunshot"));
        QCOMPARE(g_gmDrumNames.at(34), QStringLiteral("34"));
        QCOMPARE(g_gmDrumNames.at(35), QStringLiteral("35-Acoustic Bass Drum"));
        QCOMPARE(g_gmDrumNames.at(81), QStringLiteral("81-Open Triangle"));
        QCOMPARE(g_gmDrumNames.at(82), QStringLiteral("82"));
        QCOMPARE(g_ccNames.at(3), QStringLiteral("3"));
        QCOMPARE(g_ccNames.at(7), QStringLiteral("7-Volume Level"));
        QCOMPARE(g_ccNames.at(35), QStringLiteral("35-N/A"));
        QCOMPARE(g_ccNames.at(97), QStringLiteral("97-Data Increment(Data Entry -1)"));
        QCOMPARE(g_ccNames.at(127), QStringLiteral("127-Poly On"));
    }

    void namedEntriesCoverTheirRanges()
    {
        int namedDrums = 0;
        for (int n = 0; n < 128; ++n) {
            const bool named = g_gmDrumNames.at(n).contains(QLatin1Char('-'));
            QCOMPARE(named, n >= 35 && n <= 81);
            if (!named)
                QCOMPARE(g_gmDrumNames.at(n), QString::number(n));
            namedDrums += named;
        }
        QCOMPARE(namedDrums, 47);

        QList<int> bare = {3, 9, 41};
        for (int n = 12; n <= 15; ++n) bare << n;
        for (int n = 21; n <= 31; ++n) bare << n;
        for (int n = 46; n <= 63; ++n) bare << n;
        for (int n = 85; n <= 90; ++n) bare << n;
        for (int n = 102; n <= 119; ++n) bare << n;
        QCOMPARE(bare.size(), 60);
        for (int n = 0; n < 128; ++n) {
            if (bare.contains(n))
                QCOMPARE(g_ccNames.at(n), QString::number(n));
            else
                QVERIFY2(g_ccNames.at(n).startsWith(QString::number(n) + QLatin1Char('-'))
                             && g_ccNames.at(n).size() > QString::number(n).size() + 1,
                         qPrintable(g_ccNames.at(n)));
        }
    }

    void noteNamesKeepTheirBlanks()
    {
        QCOMPARE(g_noteNames.at(0), QStringLiteral("0 C(-1) "));
        QCOMPARE(g_noteNames.at(1), QStringLiteral("1 C#(-1)"));
        QCOMPARE(g_noteNames.at(11), QStringLiteral("11 B(-1)"));
        QCOMPARE(g_noteNames.at(12), QStringLiteral("12 C(0) "));
        QCOMPARE(g_noteNames.at(60), QStringLiteral("60 C(4) "));
        QCOMPARE(g_noteNames.at(100), QStringLiteral("100 E(7)"));
        QCOMPARE(g_noteNames.at(101), QStringLiteral("101 F(7)"));
        QCOMPARE(g_noteNames.at(103), QStringLiteral("103 G(7) "));
        QCOMPARE(g_noteNames.at(127), QStringLiteral("127 G(9) "));
        // Sharps never carry a trailing blank; naturals do except 11, 100, 101.
        for (int n = 0; n < 128; ++n) {
            const QString &name = g_noteNames.at(n);
            const bool sharp = name.contains(QLatin1Char('#'));
            const bool exception = n == 11 || n == 100 || n == 101;
            QCOMPARE(name.endsWith(QLatin1Char(' ')), !sharp && !exception);
        }
    }

    void monitorColoursAndNames()
    {
        QCOMPARE(g_statusColours.size(), 8);
        QCOMPARE(midiStatusColour(0x9F), QColor(0, 255, 0));
        QCOMPARE(midiStatusColour(0x80), QColor(255, 0, 0));
        QCOMPARE(midiStatusColour(0xB5), QColor(6, 141, 219));
        QCOMPARE(midiStatusColour(0xE0), QColor(255, 6, 131));
        QCOMPARE(midiStatusColour(0xF8), QColor(255, 255, 0));
        QCOMPARE(midiStatusColour(0xA3), midiStatusColour(0xD3));
        QVERIFY(!midiStatusColour(0x3C).isValid());

        QCOMPARE(midiStatusName(0x90), QStringLiteral("Note ON: "));
        QCOMPARE(midiStatusName(0xE0), QStringLiteral("Pitch Bend: "));
        QVERIFY(midiStatusName(0x91).isEmpty());
        QVERIFY(midiStatusName(0xF0).isEmpty());
    }
};

TAVRO_TEST_MAIN(TestMidiNames)
#include "test_midinames.moc"
