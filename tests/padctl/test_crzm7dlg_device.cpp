// The per-control dialog end to end: a simulated pad controller on a real JACK
// server, the connection window and the pad page offscreen, the dialog opened
// from the page's own buttons. Every confirmed edit must reach the device and
// leave its block byte for byte equal to the page's.
#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTextEdit>
#include <QTranslator>

#include <cstring>
#include <memory>

#include "devices/pad/crzm7.h"
#include "devices/pad/crzm7dlg.h"
#include "globals.h"
#include "midinames.h"
#include "pagedialogs.h"
#include "pagesession.h"
#include "testmain.h"
#include "connectwindowtest.h"
#include "ui_pc_connectui.h"

using tavrosim::Bytes;
using tavrosim::Simulator;
namespace pb = tavrosim::padblock;

using tavrotest::picture;

namespace {

constexpr int kWait = tavrotest::kSessionWait;

QByteArray qbytes(const Bytes &b)
{
    return QByteArray(reinterpret_cast<const char *>(b.data()), int(b.size()));
}

QString hexOf(const QByteArray &b)
{
    return QString::fromLatin1(b.toHex(' ').toUpper());
}

// A complete SysEx message of n bytes.
Bytes sysexOf(size_t n, uint8_t fill)
{
    Bytes m(n, fill);
    m.front() = 0xF0;
    m.back() = 0xF7;
    return m;
}

QString textOf(const Bytes &b)
{
    return hexOf(qbytes(b));
}

// The visible per-control dialog, if any.
CRZM7DLG *visibleDialog()
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        auto *d = qobject_cast<CRZM7DLG *>(w);
        if (d && d->isVisible())
            return d;
    }
    return nullptr;
}

// The editor connected to a simulated pad controller, its block read.
struct Session : tavrotest::PageSession<CRZM7>
{
    bool start(const Bytes &block = Bytes())
    {
        const bool opened = PageSession::open(
            tavrosim::optionsForModel(7),
            [&](Simulator &sim) {
                if (!block.empty())
                    sim.setBlock(0, block);
            },
            [](CRZM7 *p) { return !p->model().isConfigEmpty() && tavrotest::contentEnabled(p); });
        // The block the page read is the device's.
        if (!opened || !blockDiff().isEmpty())
            return false;
        sim->clearLog();
        return true;
    }

    QByteArray pageBlock() const
    {
        return QByteArray(reinterpret_cast<const char *>(&page->model().config()), int(sizeof(SRZ7ConfigData)));
    }
    QByteArray deviceBlock() const { return qbytes(sim->block(sim->currentPreset())); }

    // Where the device's block differs from the page's: "offset page/device"
    // for each byte, empty when they agree.
    QString blockDiff() const
    {
        const QByteArray a = pageBlock();
        const QByteArray b = deviceBlock();
        if (a.size() != b.size())
            return QStringLiteral("sizes %1/%2").arg(a.size()).arg(b.size());
        QStringList out;
        for (int i = 0; i < a.size(); ++i) {
            if (a[i] != b[i])
                out << QStringLiteral("%1 %2/%3").arg(i).arg(uint8_t(a[i]), 2, 16).arg(uint8_t(b[i]), 2, 16);
        }
        return out.join(QStringLiteral(", "));
    }

    // Clicks a control of the page ("knob_3", "pad5", "key_2") and returns its dialog.
    CRZM7DLG *open(const char *button)
    {
        auto *b = page->findChild<QPushButton *>(QLatin1String(button));
        if (!b)
            return nullptr;
        b->click();
        CRZM7DLG *d = nullptr;
        (void)QTest::qWaitFor([&] { return (d = visibleDialog()) != nullptr; }, kWait);
        return d;
    }
};

template <class T>
T *child(QWidget *dlg, const char *name)
{
    return dlg->findChild<T *>(QLatin1String(name));
}

QComboBox *combo(QWidget *dlg, const char *name)
{
    return child<QComboBox>(dlg, name);
}

void click(QWidget *dlg, const char *name)
{
    child<QPushButton>(dlg, name)->click();
}

bool answerYes(QWidget *dlg)
{
    QMessageBox *box = tavrotest::shownQuestion(dlg, kWait);
    if (!box)
        return false;
    box->button(QMessageBox::Yes)->click();
    return true;
}

} // namespace

class TestCrzm7DlgDevice : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
            QSKIP("needs a JACK server (scripts/jack-env.sh)");
        g_translator = new QTranslator(qApp);
    }

    // Each kind of control goes out with its own command; a pad in Customize
    // sends the pool, the buttons and the pads, in that order.
    void okWritesEachKind()
    {
        Session s;
        QVERIFY(s.start());

        CRZM7DLG *d = s.open("knob_3");
        QVERIFY(d);
        combo(d, "comboBox_data1")->setCurrentIndex(71);
        combo(d, "comboBox_channel")->setCurrentIndex(4);
        click(d, "pushButton_ok");
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdWriteKnobs), 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        QCOMPARE(uint8_t(s.deviceBlock()[int(pb::knob(0, 2)) + 1]), uint8_t(71));

        d = s.open("pad5");
        QVERIFY(d);
        combo(d, "comboBox_data1")->setCurrentIndex(50);
        click(d, "pushButton_ok");
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdWritePads), 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        QCOMPARE(uint8_t(s.deviceBlock()[int(pb::pad(0, 4)) + 1]), uint8_t(50));

        d = s.open("key_2");
        QVERIFY(d);
        combo(d, "comboBox_type")->setCurrentIndex(1);
        combo(d, "comboBox_data1")->setCurrentIndex(80);
        click(d, "pushButton_ok");
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdWriteKeys), 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        QCOMPARE(hexOf(s.deviceBlock().mid(int(pb::kKeys) + 4, 4)), QStringLiteral("10 50 7F 00"));

        s.sim->clearLog();
        d = s.open("pad6");
        QVERIFY(d);
        combo(d, "comboBox_type")->setCurrentIndex(4);
        child<QTextEdit>(d, "textEdit_Customize")->setPlainText(QStringLiteral("f0 7e 7f 06 01 f7"));
        click(d, "pushButton_ok");
        QTRY_COMPARE_WITH_TIMEOUT(s.commands(),
                                  QList<int>({tavrosim::kCmdWriteSysexPool, tavrosim::kCmdWriteKeys,
                                              tavrosim::kCmdWritePads}),
                                  kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        const QByteArray dev = s.deviceBlock();
        const int ref = int(pb::pad(0, 5));
        QCOMPARE(uint8_t(dev[ref]) >> 4, 4);
        QCOMPARE(int(uint8_t(dev[ref + 3])), 6);
        const int offset = uint8_t(dev[ref + 1]) | uint8_t(dev[ref + 2]) << 8;
        QCOMPARE(hexOf(dev.mid(int(pb::kPool) + offset, 6)), QStringLiteral("F0 7E 7F 06 01 F7"));

        // Reopened, the text shows the stored bytes.
        d = s.open("pad6");
        QVERIFY(d);
        QCOMPARE(child<QTextEdit>(d, "textEdit_Customize")->toPlainText(), QStringLiteral("F0 7E 7F 06 01 F7 "));
        child<QTextEdit>(d, "textEdit_Customize")->setPlainText(QStringLiteral("F07E7F0601F7"));
        click(d, "pushButton_ok");
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdWriteSysexPool), 2, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
    }

    // A button's message grows from 5 to 7 bytes: the repack moves the
    // message of a Customize pad in bank 1, whose bank is written too, after
    // the button's frames; the device then plays the pad's own bytes.
    void repackWritesTheBanksItMoved()
    {
        Bytes block = tavrosim::factoryPadBlock(0);
        const Bytes button{0x50, 0x00, 0x00, 5}, pad{0x40, 0x05, 0x00, 3};
        std::copy(button.begin(), button.end(), block.begin() + long(pb::kKeys));
        std::copy(pad.begin(), pad.end(), block.begin() + long(pb::pad(1, 0)));
        const Bytes pool{0xF0, 0x01, 0x02, 0x03, 0xF7, 0x90, 0x3C, 0x7F};
        std::copy(pool.begin(), pool.end(), block.begin() + long(pb::kPool));
        Session s;
        QVERIFY(s.start(block));

        CRZM7DLG *d = s.open("key_1");
        QVERIFY(d);
        child<QTextEdit>(d, "textEdit_Customize")->setPlainText(QStringLiteral("F0 01 02 03 04 05 F7"));
        click(d, "pushButton_ok");
        QTRY_COMPARE_WITH_TIMEOUT(s.commands(),
                                  QList<int>({tavrosim::kCmdWriteSysexPool, tavrosim::kCmdWritePads,
                                              tavrosim::kCmdWriteKeys, tavrosim::kCmdWritePads}),
                                  kWait);
        const std::vector<Bytes> pads = s.frames(tavrosim::kCmdWritePads);
        QCOMPARE(int(pads[0][6]), 0);
        QCOMPARE(int(pads[1][6]), 1);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        const QByteArray dev = s.deviceBlock();
        QCOMPARE(hexOf(dev.mid(int(pb::pad(1, 0)), 4)), QStringLiteral("40 07 00 03"));
        QCOMPARE(hexOf(dev.mid(int(pb::kPool) + 7, 3)), QStringLiteral("90 3C 7F"));
    }

    // A refused OK sends nothing: the next accepted one is the first frame.
    void equalRangeRefusedAndOrdered()
    {
        Session s;
        QVERIFY(s.start());
        CRZM7DLG *d = s.open("knob_1");
        QVERIFY(d);
        combo(d, "comboBox_data2")->setCurrentIndex(64);
        combo(d, "comboBox_data3")->setCurrentIndex(64);
        click(d, "pushButton_ok");
        QVERIFY(d->isVisible());
        combo(d, "comboBox_data2")->setCurrentIndex(100);
        combo(d, "comboBox_data3")->setCurrentIndex(20);
        click(d, "pushButton_ok");
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdWriteKnobs), 1, kWait);
        QCOMPARE(s.commands(), QList<int>{tavrosim::kCmdWriteKnobs});
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        QCOMPARE(hexOf(s.deviceBlock().mid(int(pb::knob(0, 0)) + 2, 2)), QStringLiteral("14 64"));
    }

    // Program Change on channel 10 lists the drums and round-trips its fields.
    void programChangeRoundTrip()
    {
        Session s;
        QVERIFY(s.start());
        CRZM7DLG *d = s.open("pad3");
        QVERIFY(d);
        combo(d, "comboBox_type")->setCurrentIndex(3);
        combo(d, "comboBox_channel")->setCurrentIndex(9);
        QCOMPARE(combo(d, "comboBox_data1")->itemText(38), g_gmDrumNames.at(38));
        combo(d, "comboBox_data1")->setCurrentIndex(38);
        combo(d, "comboBox_data2")->setCurrentIndex(1);
        combo(d, "comboBox_data3")->setCurrentIndex(2);
        click(d, "pushButton_ok");
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdWritePads), 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        QCOMPARE(hexOf(s.deviceBlock().mid(int(pb::pad(0, 2)), 4)), QStringLiteral("39 01 02 26"));

        d = s.open("pad3");
        QVERIFY(d);
        QCOMPARE(combo(d, "comboBox_type")->currentIndex(), 3);
        QCOMPARE(combo(d, "comboBox_channel")->currentIndex(), 9);
        QCOMPARE(combo(d, "comboBox_data1")->currentText(), g_gmDrumNames.at(38));
        QCOMPARE(combo(d, "comboBox_data2")->currentIndex(), 1);
        QCOMPARE(combo(d, "comboBox_data3")->currentIndex(), 2);
    }

    // The text rules against a device whose pool already holds 290 bytes, 10 of
    // them the edited pad's; refusals send nothing.
    void customTextLimits()
    {
        Bytes block = tavrosim::factoryPadBlock(0);
        std::fill(block.begin() + long(pb::kPool), block.begin() + long(pb::kPool + pb::kPoolSize), 0);
        Bytes pool;
        const auto useSysex = [&](size_t at, size_t n) {
            block[at] = uint8_t((block[at] & 0x80) | (at >= pb::kPads && at < pb::kPadColours ? 0x40 : 0x50));
            block[at + 1] = uint8_t(pool.size() & 0xFF);
            block[at + 2] = uint8_t(pool.size() >> 8);
            block[at + 3] = uint8_t(n);
            const Bytes m = sysexOf(n, uint8_t(pool.size() % 100));
            pool.insert(pool.end(), m.begin(), m.end());
        };
        for (size_t k = 0; k < 6; ++k)
            useSysex(pb::kKeys + 4 * k, 40);
        useSysex(pb::kKeysLong, 40);
        useSysex(pb::pad(0, 0), 10);
        QCOMPARE(pool.size(), size_t(290));
        std::copy(pool.begin(), pool.end(), block.begin() + long(pb::kPool));

        Session s;
        QVERIFY(s.start(block));
        QCOMPARE(int(s.page->model().sysex().sysexTotal), 290);

        CRZM7DLG *d = s.open("pad1");
        QVERIFY(d);
        auto *text = child<QTextEdit>(d, "textEdit_Customize");
        QCOMPARE(text->toPlainText(), textOf(sysexOf(10, 80)) + QLatin1Char(' '));
        const QByteArray before = s.pageBlock();

        text->setPlainText(textOf(sysexOf(21, 0x11)));
        click(d, "pushButton_ok");
        QString digits81(81, QLatin1Char('1'));
        text->setPlainText(digits81);
        click(d, "pushButton_ok");
        text->setPlainText(QStringLiteral("F0 7E"));
        click(d, "pushButton_ok");
        QVERIFY(d->isVisible());
        QCOMPARE(s.pageBlock(), before);

        text->setPlainText(textOf(sysexOf(20, 0x22)));
        click(d, "pushButton_ok");
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdWritePads), 1, kWait);
        QCOMPARE(s.commands(), QList<int>({tavrosim::kCmdWriteSysexPool, tavrosim::kCmdWriteKeys,
                                           tavrosim::kCmdWritePads}));
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        QCOMPARE(int(s.page->model().sysex().sysexTotal), 300);
        const QByteArray dev = s.deviceBlock();
        const int ref = int(pb::pad(0, 0));
        const int offset = uint8_t(dev[ref + 1]) | uint8_t(dev[ref + 2]) << 8;
        QCOMPARE(int(uint8_t(dev[ref + 3])), 20);
        QCOMPARE(hexOf(dev.mid(int(pb::kPool) + offset, 20)), textOf(sysexOf(20, 0x22)));
    }

    void setAllActionsReachDevice()
    {
        Session s;
        QVERIFY(s.start());

        // Colours: one colour frame for every pad of the bank.
        CRZM7DLG *d = s.open("pad2");
        QVERIFY(d);
        click(d, "pushButton_setColor");
        QVERIFY(answerYes(d));
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdPadColours), 1, kWait);
        const std::vector<Bytes> colours = s.sim->receivedFrames(tavrosim::kCmdPadColours);
        QCOMPARE(int(colours.front()[6]), 0xFF);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        click(d, "pushButton_cancel");

        // Channels of the knobs.
        d = s.open("knob_2");
        QVERIFY(d);
        combo(d, "comboBox_channel")->setCurrentIndex(11);
        click(d, "pushButton_setCH");
        QVERIFY(answerYes(d));
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdWriteKnobs), 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        for (size_t k = 0; k < 8; ++k)
            QCOMPARE(s.deviceBlock()[int(pb::knob(0, k))] & 0x0F, 11);
        click(d, "pushButton_cancel");

        // Data1 by pad order from pad 5 with 60.
        d = s.open("pad5");
        QVERIFY(d);
        combo(d, "comboBox_data1")->setCurrentIndex(60);
        click(d, "pushButton_setData1");
        QVERIFY(answerYes(d));
        QTRY_COMPARE_WITH_TIMEOUT(s.sim->receivedCount(tavrosim::kCmdWritePads), 1, kWait);
        QTRY_COMPARE_WITH_TIMEOUT(s.blockDiff(), QString(), kWait);
        for (size_t p = 0; p < 16; ++p)
            QCOMPARE(int(uint8_t(s.deviceBlock()[int(pb::pad(0, p)) + 1])), 56 + int(p));
    }
};

TAVRO_TEST_MAIN(TestCrzm7DlgDevice)
#include "test_crzm7dlg_device.moc"
