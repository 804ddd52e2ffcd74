// With no usable MIDI service the link reports errors instead of throwing: the
// editor still starts, lists no port, and keeps the error text.
#include "midiapi.h"
#include "midiportwrapper.h"
#include "midiports.h"

#include "bytes.h"
#include "testmain.h"

using namespace tavrotest;

class TestMidiNoService : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // An ALSA build with no sequencer device: every client construction
        // throws inside RtMidi.
        if (midiApiFromName("alsa") != RtMidi::LINUX_ALSA || QFile::exists(QStringLiteral("/dev/snd/seq")))
            QSKIP("needs RtMidi with ALSA and no ALSA sequencer device");
        qputenv(kMidiApiEnvVar, "alsa");
        QCOMPARE(midiApi(), RtMidi::LINUX_ALSA);
    }

    void listerListsNothing()
    {
        MidiPortLister lister;
        QVERIFY(!lister.isAvailable());
        QVERIFY(!lister.lastError().isEmpty());
        QVERIFY(lister.inputPortNames().isEmpty());
        QVERIFY(lister.outputPortNames().isEmpty());
    }

    void wrapperFailsCleanly()
    {
        auto w = std::make_unique<MidiPortWrapper>();
        QVERIFY(!w->open(0, 0, true));
        QVERIFY(!w->lastError().empty());
        QVERIFY(!w->openInput(0));
        const QByteArray frame = hex("78 59 11 00 00 00 FF");
        QCOMPARE(w->send(u8(frame), frame.size()), 0);
        w->close();
    }
};

TAVRO_TEST_MAIN(TestMidiNoService)
#include "test_midinoservice.moc"
