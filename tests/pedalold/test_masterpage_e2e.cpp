// The older pedal page end to end: the connection window opens it for a
// simulated pedal with firmware 4 on a real JACK server; the pedal's image,
// its refusals and its preset reports come through RtMidi, and the page's
// frames go back the same road.
#include "testmain.h"
#include "bytes.h"
#include "pagesession.h"

#include <QTranslator>

#include "devices/pedal_old/master.h"
#include "globals.h"
#include "models/oldpedalmodel.h"
#include "touchcombobox.h"
#include "ui_master.h"
#include "ui_pc_connectui.h"

using tavrosim::Bytes;
using tavrosim::OldPedalImage;
using tavrosim::SimOldPedalModel;
using tavrosim::Simulator;

namespace {

constexpr int kWait = tavrotest::kSessionWait;
constexpr uint8_t kSwitchData = 0x60;
constexpr uint8_t kPedalSwitches = 0x62;
constexpr uint8_t kPedalMode = 0x68;

QStringList hexList(const std::vector<Bytes> &frames)
{
    QStringList out;
    for (const Bytes &f : frames)
        out << QString::fromStdString(tavrosim::toHex(f));
    return out;
}

QString hexOf(uint8_t command, const char *payload)
{
    const QByteArray p = tavrotest::hex(payload);
    return QString::fromStdString(tavrosim::toHex(tavrosim::makeFrame(command, Bytes(p.begin(), p.end()))));
}

void withPedal(Simulator &sim, const std::function<void(SimOldPedalModel &)> &fn)
{
    sim.withDevice([&](tavrosim::SimDevice &d) { fn(*d.unit<SimOldPedalModel>()); });
}

} // namespace

class TestMasterPageEndToEnd : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
            QSKIP("needs a JACK server (scripts/jack-env.sh)");
        g_translator = new QTranslator(qApp);
        g_language = 0;
    }

    void refusedImagesThenPresetsAndReports();
    void onlyInvalidImages();
};

// Refused answers (a short one, then three invalid images) each bring one
// more poll; the fifth answer opens the page on Preset1. The pedal then
// reports presets 3, 3 and 5; an invalid image that comes later is refused
// without touching what the page holds.
void TestMasterPageEndToEnd::refusedImagesThenPresetsAndReports()
{
    tavrotest::PageSession<master> s;
    bool sawDisabled = false;
    QVERIFY(s.open(
        tavrosim::optionsForModel(1, 4),
        [](Simulator &sim) {
            withPedal(sim, [](SimOldPedalModel &pedal) {
                pedal.answerPollShort();
                for (OldPedalImage bad : {OldPedalImage::PresetZero, OldPedalImage::Count1Of17,
                                          OldPedalImage::DisplayByte28})
                    pedal.answerPollsWith(tavrosim::oldPedalImage(bad));
            });
        },
        [&](master *page) {
            sawDisabled = sawDisabled || !tavrotest::contentEnabled(page);
            return tavrotest::contentEnabled(page);
        }));
    QVERIFY(sawDisabled);
    QVERIFY2(s.sinceOpen.elapsed() >= 4 * 20, qPrintable(QString::number(s.sinceOpen.elapsed())));
    QCOMPARE(s.count(tavrosim::kCmdPoll), size_t(5));
    Ui_master *ui = s.page->form();
    QTRY_COMPARE_WITH_TIMEOUT(s.page->windowTitle(), QStringLiteral("Z3 Connected V4"), kWait);

    // Preset1 is shown and selected once; the page's image is the pedal's.
    QTRY_COMPARE_WITH_TIMEOUT(s.count(kSwitchData), size_t(1), kWait);
    QCOMPARE(hexList(s.frames(kSwitchData)), QStringList{hexOf(kSwitchData, "01 FA")});
    QCOMPARE(ui->comboBox_preset->currentIndex(), 0);
    const Bytes image = s.sim->pedalImage();
    QCOMPARE(s.page->config().toByteArray(), QByteArray(reinterpret_cast<const char *>(image.data()), int(image.size())));

    // Reports: 3 moves the page once, the same report again sends nothing, 5
    // moves it to Customize2 and sends switch A's record.
    for (int p : {3, 3, 5}) {
        Bytes report;
        withPedal(*s.sim, [&](SimOldPedalModel &pedal) { report = pedal.selectPreset(p); });
        QVERIFY(s.sim->sendFrame(kPedalMode, report));
    }
    QTRY_COMPARE_WITH_TIMEOUT(ui->comboBox_preset->currentIndex(), 4, kWait);
    QTRY_COMPARE_WITH_TIMEOUT(s.count(kSwitchData), size_t(3), kWait);
    QCOMPARE(hexList(s.frames(kSwitchData)),
             QStringList({hexOf(kSwitchData, "01 FA"), hexOf(kSwitchData, "01 FC"),
                          hexOf(kSwitchData, "00 11 00 01 00 00 B0 14 7F")}));
    QCOMPARE(int(s.page->config().Preset), 5);

    // An invalid image after the valid one, and an answer of the wrong size:
    // each refused and polled again (the pedal now answers nothing), and the
    // next Customize1 frame is built from the image the page held.
    Bytes bad = tavrosim::oldPedalImage(OldPedalImage::Count1Of17);
    bad[tavrosim::oldpedal::kPreset] = 4;
    bad[tavrosim::oldpedal::sw(0) + tavrosim::oldpedal::kLatch] = 0x11;
    s.sim->setAnswering(false);
    const size_t polls = s.count(tavrosim::kCmdPoll);
    QVERIFY(s.sim->sendFrame(tavrosim::kCmdPoll, bad));
    // An answer one byte longer than an image is refused as well.
    QVERIFY(s.sim->sendFrame(tavrosim::kCmdPoll, Bytes(tavrosim::kOldPedalImageSize + 1, 1)));
    QTRY_COMPARE_WITH_TIMEOUT(s.count(tavrosim::kCmdPoll), polls + 2, kWait);
    ui->comboBox_preset->setCurrentIndex(3);
    QTRY_COMPARE_WITH_TIMEOUT(s.count(kPedalSwitches), size_t(1), kWait);
    QCOMPARE(hexList(s.frames(kPedalSwitches)),
             QStringList{hexOf(kPedalSwitches, "10 00 0A 20 00 0B 30 00 0C 40 00 0D")});
}

// A pedal that answers only invalid images, before and after three factory
// resets: each answer brings the page's one poll and no other, so the pedal
// is polled no more often in the page's tenth second than in its first; the
// user is asked to reconnect after 9 s.
void TestMasterPageEndToEnd::onlyInvalidImages()
{
    tavrotest::PageSession<master> s;
    QVERIFY(s.open(
        tavrosim::optionsForModel(1, 4),
        [](Simulator &sim) {
            withPedal(sim, [](SimOldPedalModel &pedal) {
                pedal.answerPollsWith(tavrosim::oldPedalImage(OldPedalImage::PresetZero), 3000);
            });
        },
        [](master *) { return true; }));
    const QString reconnect = QStringLiteral("Data error,Please reconnect...");
    // Polls seen by the end of the first, ninth and tenth second.
    size_t seen[3] = {0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        const qint64 end = k == 0 ? 1000 : 8000 + 1000 * k;
        if (k == 1)
            QTRY_VERIFY_WITH_TIMEOUT(tavrotest::toastTexts(s.page).contains(reconnect), 10000);
        QVERIFY(QTest::qWaitFor([&] { return s.sinceOpen.elapsed() >= end; }, 12000));
        seen[k] = s.count(tavrosim::kCmdPoll);
        if (k == 0) {
            QVERIFY(!tavrotest::toastTexts(s.page).contains(reconnect));
            for (int r = 0; r < 3; ++r)
                s.page->slots_click_reset();
        }
    }
    // Room for a busy machine's jitter: polls that multiply come twice as often.
    const size_t first = seen[0], tenth = seen[2] - seen[1];
    QVERIFY2(2 * tenth <= 3 * first, qPrintable(QString("%1 then %2 polls").arg(first).arg(tenth)));
}

TAVRO_TEST_MAIN(TestMasterPageEndToEnd)
#include "test_masterpage_e2e.moc"
