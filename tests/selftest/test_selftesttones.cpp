// The self-tests' tones with no sound server to play them (PULSE_SERVER at a
// socket that does not exist): every request is kept, in order, with why it
// was not played, and reported once on the warning output.
#include <QtTest>

#include <QSoundEffect>
#include <QTemporaryDir>

#include "selftest/selftesttones.h"
#include "testmain.h"

class TestSelfTestTones : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("PULSE_SERVER", "unix:/nonexistent/tavro-test-pulse"); }

    // A missing file is not looked for: its effect ends in Error and stays
    // silent; a missing folder gives no effects at all. First, on a fresh
    // sample cache: Qt stops its loading thread once every sample is loaded,
    // and a sample asked for while the thread is stopping can stay Loading
    // for good, so a case that waits for a status runs before any other load.
    void missingFiles()
    {
        QTemporaryDir dir;
        QVERIFY(QFile::copy(QStringLiteral(TAVRO_SELFTEST_FILES "/audio/400Hz150ms.wav"),
                            dir.filePath("400Hz150ms.wav")));
        SelfTestTones tones;
        QVERIFY(tones.load(dir.path()));
        QTRY_COMPARE(tones.effect(true)->status(), QSoundEffect::Error);
        QTest::ignoreMessage(QtWarningMsg, "self-test tone 800 Hz not played: the sound file could not be loaded");
        tones.play(true);
        QCOMPARE(tones.requests().last().reason, QString("the sound file could not be loaded"));

        SelfTestTones none;
        QVERIFY(!none.load(dir.filePath("audio")));
        QVERIFY(!none.loaded() && !none.effect(true));
        QTest::ignoreMessage(QtWarningMsg, "self-test tone 400 Hz not played: no audio folder");
        none.play(false);
        QCOMPARE(none.requests().size(), 1);
    }

    void noSoundServer()
    {
        SelfTestTones tones;
        QVERIFY(tones.load(QStringLiteral(TAVRO_SELFTEST_FILES "/audio")));
        QCOMPARE(tones.effect(false)->status(), QSoundEffect::Loading);
        QCOMPARE(tones.effect(true)->volume(), 1.0);
        QTest::ignoreMessage(QtWarningMsg, "self-test tone 400 Hz not played: still loading (no sound output?)");
        QTest::ignoreMessage(QtWarningMsg, "self-test tone 800 Hz not played: still loading (no sound output?)");
        QTest::ignoreMessage(QtWarningMsg, "self-test tone 800 Hz not played: still loading (no sound output?)");
        tones.play(false);
        tones.play(true);
        tones.play(true);
        QCOMPARE(tones.requests().size(), 3);
        const bool highs[] = {false, true, true};
        for (int k = 0; k < 3; ++k) {
            QCOMPARE(tones.requests()[k].high, highs[k]);
            QVERIFY(!tones.requests()[k].played);
        }
    }

    // Self-test windows opened and closed one after another, each with its
    // tones: closing one must not wait on Qt's sample loading thread (a
    // sample released while that thread runs blocks until it stops, and a
    // sample asked for while it stops keeps it running for good). A hang
    // here is the fault; every window still reports its tones.
    void windowsOpenedAndClosed()
    {
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^self-test tone (400|800) Hz not played: still loading"));
        for (int window = 0; window < 300; ++window) {
            SelfTestTones tones;
            QVERIFY(tones.load(QStringLiteral(TAVRO_SELFTEST_FILES "/audio")));
            if (window == 0) {
                tones.play(false);
                QCOMPARE(tones.requests().size(), 1);
                QVERIFY(!tones.requests()[0].played);
            }
        }
    }
};

TAVRO_TEST_MAIN(TestSelfTestTones)
#include "test_selftesttones.moc"
