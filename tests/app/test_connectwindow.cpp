// The connection window end to end: simulated controllers on a real JACK
// server, the window offscreen, the click, the reply, the page choice, the
// grid, device removal, hand-back, factory mode and the language switch.
#include <QtTest>

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
#include <QScopeGuard>
#include <QSettings>
#include <QTranslator>

#include <memory>

#include "globals.h"
#include "midipeer.h"
#include "midiports.h"
#include "pagefactory.h"
#include "pc_connectui.h"
#include "simulator.h"
#include "sysexpacking.h"
#include "standins/standinpage.h"
#include "testmain.h"
#include "connectwindowtest.h"
#include "pagedialogs.h"
#include "ui_pc_connectui.h"

using tavrosim::Bytes;
using tavrosim::Simulator;

using tavrotest::picture;

namespace {

constexpr int kWait = 8000; // ms: a scan runs once a second

std::unique_ptr<Simulator> startSim(const std::string &name, int model, const std::string &folder,
                                    int firmware, const std::string &inPort = {},
                                    const std::string &outPort = {})
{
    tavrosim::SimOptions o;
    o.name = name;
    o.inPort = inPort;
    o.outPort = outPort;
    o.identity.model = model;
    o.identity.folder = folder;
    o.identity.firmware = firmware;
    auto sim = std::make_unique<Simulator>(o);
    std::string error;
    if (!sim->start(&error)) {
        qWarning("simulator did not start: %s", error.c_str());
        return nullptr;
    }
    return sim;
}

// "id@row,col" for every picture, in grid order.
QStringList gridText(pc_connectui &w)
{
    QGridLayout *grid = w.form()->gridLayout_show;
    QStringList out;
    for (int k = 0; k < grid->count(); ++k) {
        int row, col, rs, cs;
        grid->getItemPosition(k, &row, &col, &rs, &cs);
        out << QString("%1@%2,%3").arg(grid->itemAt(k)->widget()->property("deviceID").toUInt()).arg(row).arg(col);
    }
    return out;
}

bool click(QLabel *label, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    if (!label)
        return false;
    QTest::mousePress(label, Qt::LeftButton, modifiers);
    return true;
}

// Frames the device received with this command, as hex.
QStringList received(const Simulator &sim)
{
    QStringList out;
    for (const tavrosim::SimLogEntry &e : sim.log()) {
        if (e.received && e.frame)
            out << QString::fromStdString(tavrosim::toHex(e.bytes));
    }
    return out;
}

// Closes every modal message box that comes up and records it.
class BoxWatcher : public QObject
{
public:
    BoxWatcher()
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                titles << box->windowTitle();
                texts << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start(20);
    }
    QStringList titles;
    QStringList texts;

private:
    QTimer m_timer;
};

bool editorPortsOpen()
{
    // The window's own pair shows up in the port lists while it is open.
    MidiPortLister lister;
    return lister.inputPortNames().contains("RtMidi Output") && lister.outputPortNames().contains("RtMidi Input");
}

StandInPage *standIn(pc_connectui &w)
{
    return qobject_cast<StandInPage *>(w.page());
}

// Pages that record what reaches them, named after the page the reply chose.
CBaseDlg *recordingPage(const PageChoice &choice, CBaseDlg *owner)
{
    switch (choice.kind) {
    case PageKind::Pedal:
        return new StandInPage(owner, "cDlgZ3", StandInPage::HandsBack);
    case PageKind::PedalOld:
        return new StandInPage(owner, "master", StandInPage::HandsBack);
    case PageKind::Pad:
        return new StandInPage(owner, "CRZM7", StandInPage::HandsBack);
    case PageKind::SmallPad:
        return new StandInPage(owner, "cDlgRznano", StandInPage::HandsBack);
    case PageKind::Keyboard:
        return new StandInPage(owner, "CDlgVX18", StandInPage::HandsBack);
    case PageKind::PadSelfTest:
        return new StandInPage(owner, "cTestDlg", StandInPage::BaseClose);
    case PageKind::KeyboardSelfTest:
        return new StandInPage(owner, "SelfCheck", StandInPage::BaseClose);
    case PageKind::UpgradeOnly:
        return new StandInPage(owner, "CShareUpdateDlg", StandInPage::BaseClose);
    default:
        return nullptr;
    }
}

// Uses the recording pages for one test.
struct RecordingPages
{
    RecordingPages() { setPageMaker(&recordingPage); }
    ~RecordingPages() { setPageMaker(nullptr); }
};

} // namespace

class TestConnectWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("JACK_DEFAULT_SERVER"))
            QSKIP("needs a JACK server (scripts/jack-env.sh)");
        g_translator = new QTranslator(qApp);
    }

    void init()
    {
        g_language = 0;
        g_deviceId = 0;
        g_firmwareVersion = 0;
        g_downloadLink.clear();
        g_downloadFolder.clear();
    }

    // The click sends the hello and the request and nothing else; a device
    // without a page gets the poll and the window stays idle, and the next
    // reply from it is handled again.
    void clickAndNoPage()
    {
        auto sim = startSim("ORB_LINKER", 2, "orb", 1);
        QVERIFY(sim);
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 2), kWait);
        sim->clearLog();

        QVERIFY(click(picture(w, 2)));
        QTRY_COMPARE_WITH_TIMEOUT(sim->receivedCount(tavrosim::kCmdPoll), 1, kWait);
        const QStringList frames = received(*sim);
        QCOMPARE(frames, QStringList({"78 59 12 01 00 00 01 FE", "78 59 11 00 00 00 FF", "78 59 66 00 00 00 FF"}));
        for (const tavrosim::SimLogEntry &e : sim->log()) {
            if (e.received)
                QCOMPARE(QString::fromStdString(e.verdict), QString("ok"));
        }
        QVERIFY(!w.page());
        QVERIFY(w.isVisible());
        QCOMPARE(int(g_deviceId), 2);

        QVERIFY(click(picture(w, 2)));
        QTRY_COMPARE_WITH_TIMEOUT(sim->receivedCount(tavrosim::kCmdPoll), 2, kWait);
    }

    // The bytes that leave the editor after a click, as a device receives
    // them on its port: each frame one packed SysEx message.
    void clickSendsPackedFrames()
    {
        MidiPeer peer("ORB_LINKER");
        QVERIFY2(peer.isReady(), peer.error().c_str());
        {
            pc_connectui w;
            w.show();
            QTRY_VERIFY_WITH_TIMEOUT(picture(w, 2), kWait);
            QVERIFY(click(picture(w, 2)));
            QVERIFY(peer.waitForMessages(2));
            // The device answers who it is (model 2: no page); the poll follows.
            std::vector<uchar> reply{0x78, 0x59, 0x11, 18, 0, 0, 2};
            reply.resize(6 + 18, 0);
            reply.push_back(0xFD); // NOT of the payload's sum
            MidiPeer::Message packed(packedSysExSize(uint(reply.size())));
            packSysEx(reply.data(), uint(reply.size()), packed.data());
            peer.send(packed);
            QTRY_COMPARE_WITH_TIMEOUT(peer.received().size(), size_t(3), kWait);
            QTRY_COMPARE(int(g_deviceId), 2);
            QStringList wire;
            for (const MidiPeer::Message &m : peer.received())
                wire << QString::fromStdString(tavrosim::toHex(m));
            QCOMPARE(wire, QStringList({"F0 78 32 49 08 00 00 40 00 7E 01 F7", "F0 78 32 45 00 00 00 40 7F F7",
                                        "F0 78 32 19 03 00 00 40 7F F7"}));
        }
    }

    void replyChoosesPage_data()
    {
        QTest::addColumn<QString>("name");        // taken as Latin-1 bytes: a port name need not be UTF-8
        QTest::addColumn<QString>("outPortName"); // the port the editor sends to
        QTest::addColumn<int>("model");
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<int>("firmware");
        QTest::addColumn<uint>("pictureId");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("keptModel");
        QTest::addColumn<QString>("downloadFolder");

        QTest::newRow("pedal fw 4") << "VODO Duriz" << "" << 1 << QByteArray("z3x") << 4 << 1u << "master" << 1 << "Z3/";
        QTest::newRow("pedal fw 5") << "VODO Duriz" << "" << 1 << QByteArray("z3x") << 5 << 1u << "cDlgZ3" << 1 << "Z3/";
        QTest::newRow("pad, folder with zeros") << "RZ-7 Pad" << "" << 7 << QByteArray("r\0z\0" "7", 5) << 3 << 7u
                                                << "CRZM7" << 7 << "rz7/";
        QTest::newRow("small pad") << "RZ-Nano" << "" << 8 << QByteArray("nano") << 2 << 8u << "cDlgRznano" << 8 << "nano/";
        QTest::newRow("keyboard") << "VX-18" << "" << 9 << QByteArray("vx18") << 2 << 9u << "CDlgVX18" << 9 << "vx18/";
        QTest::newRow("keyboard, name not UTF-8") << QStringLiteral("VX-18 \u00E9") << "" << 9 << QByteArray("vx18") << 2 << 9u
                                                  << "CDlgVX18" << 9 << "vx18/";
        QTest::newRow("model 5") << "Z2" << "" << 5 << QByteArray("z2") << 1 << 5u << "CShareUpdateDlg" << 5 << "z2/";
        QTest::newRow("brand word") << "ZOLVEN KD-9" << "" << 3 << QByteArray("kd9") << 1 << 3u << "CShareUpdateDlg" << 3
                                    << "kd9/";
        QTest::newRow("port DOVO Dazed") << "DOVO Dazed" << "DOVO Dazed" << 7 << QByteArray("rz7") << 9 << 1u << "cDlgZ3"
                                         << 1 << "Z3/";
    }
    void replyChoosesPage()
    {
        QFETCH(QString, name);
        QFETCH(QString, outPortName);
        QFETCH(int, model);
        QFETCH(QByteArray, folder);
        QFETCH(int, firmware);
        QFETCH(uint, pictureId);
        QFETCH(QString, page);
        QFETCH(int, keptModel);
        QFETCH(QString, downloadFolder);

        auto sim = startSim(name.toLatin1().toStdString(), model, folder.toStdString(), firmware,
                            outPortName.toStdString(), outPortName.toStdString());
        QVERIFY(sim);
        BoxWatcher boxes; // whatever a real page may report about its own set-up
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, pictureId), kWait);
        QVERIFY(click(picture(w, pictureId)));
        QTRY_VERIFY_WITH_TIMEOUT(w.page(), kWait);
        QCOMPARE(w.page()->objectName(), page);
        QVERIFY(w.pageShown());
        QVERIFY(w.page()->isVisible());
        QVERIFY(!w.isVisible());
        QCOMPARE(int(g_deviceId), keptModel);
        QCOMPARE(int(g_firmwareVersion), firmware);
        QCOMPARE(g_downloadFolder, downloadFolder);
        QTRY_COMPARE_WITH_TIMEOUT(sim->receivedCount(tavrosim::kCmdPoll), 1, kWait);

        // A stand-in receives the reply itself and then what the poll brings.
        if (StandInPage *p = standIn(w)) {
            QCOMPARE(p->m_languageCalls, 1);
            QTRY_VERIFY_WITH_TIMEOUT(!p->m_frames.isEmpty(), kWait);
            QCOMPARE(uchar(p->m_frames.first().at(2)), uchar(0x11));
            if (model == 7 || model == 8 || model == 9 || model == 1)
                QTRY_VERIFY_WITH_TIMEOUT(p->m_frames.size() >= 2, kWait);
        }
    }

    // With another device listed after it, the pair the click opened still
    // decides by its port name.
    void pageChoiceUsesClickedPair()
    {
        RecordingPages pages;
        auto pedal = startSim("DOVO Dazed", 7, "rz7", 9, "DOVO Dazed", "DOVO Dazed");
        auto keys = startSim("VX-18", 9, "vx18", 1);
        QVERIFY(pedal && keys);
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 1) && picture(w, 9), kWait);
        QCOMPARE(w.portName(), QString("VX-18 IN"));
        QVERIFY(click(picture(w, 1)));
        QTRY_VERIFY_WITH_TIMEOUT(w.page(), kWait);
        QCOMPARE(w.page()->objectName(), QString("cDlgZ3"));
        QCOMPARE(int(g_deviceId), 1);
        QCOMPARE(keys->receivedCount(tavrosim::kCmdDeviceInfo), 0);
    }

    // The editor's own ports take free places in front of the devices' ports
    // and leave the lists the moment a page closes: a click before the next
    // scan still opens the pair whose picture was clicked.
    void clickOpensClickedPairAfterClose()
    {
        RecordingPages pages;
        auto placeholder = std::make_unique<MidiPeer>("Placeholder");
        QVERIFY(placeholder->isReady());
        auto pad = startSim("RZ-7 Pad", 7, "rz7", 1);
        auto nano = startSim("RZ-Nano", 8, "nano", 1);
        QVERIFY(pad && nano);
        placeholder.reset();
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 7) && picture(w, 8), kWait);
        QVERIFY(click(picture(w, 7)));
        QTRY_VERIFY_WITH_TIMEOUT(w.page(), kWait);
        w.scanDevices(); // the table now counts the editor's own ports
        QPointer<CBaseDlg> page = w.page();
        page->close();
        QTRY_VERIFY(page.isNull());

        QVERIFY(click(picture(w, 7)));
        QTRY_VERIFY_WITH_TIMEOUT(w.page(), kWait);
        QCOMPARE(w.page()->objectName(), QString("CRZM7"));
        QCOMPARE(pad->receivedCount(tavrosim::kCmdDeviceInfo), 2);
        QCOMPARE(nano->receivedCount(tavrosim::kCmdDeviceInfo), 0);
        QCOMPARE(nano->receivedCount(tavrosim::kCmdHostHello), 0);
    }

    void unknownModel()
    {
        auto sim = startSim("VX-18", 42, "x", 1);
        QVERIFY(sim);
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 9), kWait);
        BoxWatcher boxes;
        QVERIFY(click(picture(w, 9)));
        QTRY_COMPARE_WITH_TIMEOUT(boxes.texts, QStringList({"Unknown Device!"}), kWait);
        QCOMPARE(boxes.titles, QStringList({"Message"}));
        // The poll went out before the box; JACK takes a period to carry it.
        QTRY_COMPARE_WITH_TIMEOUT(sim->receivedCount(tavrosim::kCmdPoll), 1, kWait);
        QVERIFY(!w.page());
        QVERIFY(w.isVisible());
        QVERIFY(editorPortsOpen());
    }

    // Pictures appear in the order found, removal rebuilds the grid in
    // ascending order from the start, old labels go, the hints come back.
    void pictureGrid()
    {
        pc_connectui w;
        w.show();
        QVERIFY(w.form()->label_Disconnect->isVisible());
        QVERIFY(w.form()->label_2->isVisible());

        auto keys = startSim("VX-18", 9, "vx18", 1);
        QVERIFY(keys);
        QTRY_COMPARE_WITH_TIMEOUT(gridText(w), QStringList({"9@0,0"}), kWait);
        QVERIFY(w.form()->label_Disconnect->isHidden());
        QVERIFY(w.form()->label_2->isHidden());
        QCOMPARE(picture(w, 9)->cursor().shape(), Qt::PointingHandCursor);
        QVERIFY(!picture(w, 9)->pixmap(Qt::ReturnByValue).isNull());
        QCOMPARE(picture(w, 9)->pixmap(Qt::ReturnByValue).width(), 300);

        auto pad = startSim("RZ-7 Pad", 7, "rz7", 1);
        QVERIFY(pad);
        QTRY_COMPARE_WITH_TIMEOUT(gridText(w), QStringList({"9@0,0", "7@0,1"}), kWait);
        auto module = startSim("ZOLVEN KD-9", 3, "kd9", 1);
        QVERIFY(module);
        QTRY_COMPARE_WITH_TIMEOUT(gridText(w), QStringList({"9@0,0", "7@0,1", "3@1,0", "4@1,1"}), kWait);

        QPointer<QLabel> old7 = picture(w, 7);
        QPointer<QLabel> old9 = picture(w, 9);
        keys->vanish();
        QTRY_COMPARE_WITH_TIMEOUT(gridText(w), QStringList({"3@0,0", "4@0,1", "7@1,0"}), kWait);
        QTRY_VERIFY(old9.isNull());
        QTRY_VERIFY(old7.isNull());

        module->vanish();
        pad->vanish();
        QTRY_COMPARE_WITH_TIMEOUT(gridText(w), QStringList(), kWait);
        QVERIFY(w.form()->label_Disconnect->isVisible());
        QVERIFY(w.form()->label_2->isVisible());
    }

    // The device of an open page goes away: the page is finished, the window
    // comes back and the ports stay open. Closing an editor page closes them.
    void deviceGoneAndHandBack()
    {
        RecordingPages pages;
        auto sim = startSim("RZ-Nano", 8, "nano", 1);
        QVERIFY(sim);
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 8), kWait);
        QVERIFY(click(picture(w, 8)));
        QTRY_VERIFY_WITH_TIMEOUT(w.page(), kWait);
        QPointer<CBaseDlg> page = w.page();

        // Input reaches the page while it is shown.
        QVERIFY(sim->sendBytes({0x90, 0x3C, 0x64, 0xF8}));
        QTRY_VERIFY_WITH_TIMEOUT(standIn(w) && standIn(w)->m_midi.contains(0x643C90u), kWait);

        sim->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(page.isNull(), kWait);
        QVERIFY(!w.page());
        QVERIFY(!w.pageShown());
        QVERIFY(w.isVisible());
        QVERIFY(editorPortsOpen());

        QVERIFY(sim->reappear());
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 8), kWait);
        QVERIFY(click(picture(w, 8)));
        QTRY_VERIFY_WITH_TIMEOUT(w.page(), kWait);
        page = w.page();
        page->close();
        QTRY_VERIFY(page.isNull());
        QVERIFY(!w.page());
        QVERIFY(w.isVisible());
        QVERIFY(!editorPortsOpen());
    }

    void portOccupied()
    {
        auto sim = startSim("VX-18", 9, "vx18", 1);
        QVERIFY(sim);
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 9), kWait);
        // Gone before the next scan: the table still holds its pair, which no longer opens.
        sim->vanish();
        BoxWatcher boxes;
        QVERIFY(click(picture(w, 9)));
        QCOMPARE(boxes.texts, QStringList({QCoreApplication::translate("pc_connectui", "MIDI port is occupied !")}));
        QCOMPARE(boxes.titles, QStringList({QCoreApplication::translate("pc_connectui", "Warning")}));
        QVERIFY(!w.page());
        QVERIFY(!editorPortsOpen());
    }

    // Unplugging while the page runs a modal box of its own: the page lives on
    // until the box is closed, then goes at the next scan.
    void removalWaitsForModalBox()
    {
        RecordingPages pages;
        auto sim = startSim("RZ-7 Pad", 7, "rz7", 1);
        QVERIFY(sim);
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 7), kWait);
        QVERIFY(click(picture(w, 7)));
        QTRY_VERIFY_WITH_TIMEOUT(w.page(), kWait);
        QPointer<CBaseDlg> page = w.page();

        bool boxDone = false;
        bool pageAliveAfterScan = false;
        QTimer::singleShot(0, page, [&] {
            QMessageBox box(QMessageBox::Information, "page box", "busy", QMessageBox::Ok, page);
            QTimer poll;
            QObject::connect(&poll, &QTimer::timeout, &box, [&] {
                // The scan has seen the device gone once its picture went.
                if (!picture(w, 7)) {
                    pageAliveAfterScan = !page.isNull() && page->isVisible();
                    box.done(0);
                }
            });
            poll.start(20);
            sim->vanish();
            box.exec();
            boxDone = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(boxDone, kWait);
        QVERIFY(pageAliveAfterScan);
        QTRY_VERIFY_WITH_TIMEOUT(page.isNull(), kWait);
        QVERIFY(w.isVisible());
    }

    // A frame cut by the read limit of one tick is completed by the next.
    void frameAcrossReads()
    {
        RecordingPages pages;
        auto sim = startSim("RZ-7 Pad", 7, "rz7", 1);
        QVERIFY(sim);
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 7), kWait);
        QVERIFY(click(picture(w, 7)));
        QTRY_VERIFY_WITH_TIMEOUT(standIn(w) && standIn(w)->m_frames.size() >= 2, kWait);
        StandInPage *p = standIn(w);
        p->m_frames.clear();
        p->m_midi.clear();

        Bytes notes;
        for (int k = 0; k < 2300; ++k) {
            notes.push_back(0x90);
            notes.push_back(uint8_t(k % 128));
            notes.push_back(0x40);
        }
        Bytes payload(1500);
        for (size_t k = 0; k < payload.size(); ++k)
            payload[k] = uint8_t(k * 7);
        QVERIFY(sim->sendBytes(notes));
        QVERIFY(sim->sendFrame(0x50, payload));
        QVERIFY(sim->sendBytes({0xF8}));
        QTRY_VERIFY_WITH_TIMEOUT(p->m_midi.size() == 2301, kWait);
        QCOMPARE(p->m_frames.size(), 1);
        const Bytes frame = tavrosim::makeFrame(0x50, payload);
        QCOMPARE(p->m_frames.first(), QByteArray(reinterpret_cast<const char *>(frame.data()), int(frame.size())));
    }

    // Alt at the reply turns factory mode on for the run. An editor page still
    // goes when its device does; a self-test page stays, is told, and gets
    // its device back with the test restarted.
    void factoryMode()
    {
        RecordingPages pages;
        auto pedal = startSim("VODO Duriz", 1, "z3", 5);
        auto pad = startSim("RZ-7 Pad", 7, "rz7", 1);
        QVERIFY(pedal && pad);
        pc_connectui w;
        w.show();
        QTRY_VERIFY_WITH_TIMEOUT(picture(w, 1) && picture(w, 7), kWait);

        // Alt held from the click until the reply is handled.
        QTest::keyPress(&w, Qt::Key_Alt, Qt::AltModifier);
        QVERIFY(click(picture(w, 1), Qt::AltModifier));
        QTRY_VERIFY_WITH_TIMEOUT(w.page(), kWait);
        QTest::keyRelease(w.page(), Qt::Key_Alt);
        QCOMPARE(w.page()->objectName(), QString("cDlgZ3"));
        QVERIFY(w.factoryMode());

        QPointer<CBaseDlg> page = w.page();
        pedal->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(page.isNull(), kWait);
        QVERIFY(w.isVisible());

        // No Alt now: factory mode stays on.
        QVERIFY(click(picture(w, 7)));
        QTRY_VERIFY_WITH_TIMEOUT(w.page(), kWait);
        QCOMPARE(w.page()->objectName(), QString("cTestDlg"));
        QPointer<StandInPage> test = standIn(w);
        QVERIFY(test);

        pad->clearLog();
        pad->vanish();
        QTRY_VERIFY_WITH_TIMEOUT(test->m_removedCalls >= 2, kWait);
        QVERIFY(!w.pageShown());
        QVERIFY(!test.isNull());
        QVERIFY(w.isHidden());

        QVERIFY(pad->reappear());
        QTRY_COMPARE_WITH_TIMEOUT(pad->receivedCount(tavrosim::kCmdTestStart), 1, kWait);
        QVERIFY(w.pageShown());
        const int removed = test->m_removedCalls;
        QVERIFY(pad->sendBytes({0xB0, 0x07, 0x7F}));
        QTRY_VERIFY_WITH_TIMEOUT(test->m_midi.contains(0x7F07B0u), kWait);
        QCOMPARE(test->m_removedCalls, removed);
        QCOMPARE(pad->receivedCount(tavrosim::kCmdTestStart), 1);

        // Closing a self-test page finishes the window.
        test->close();
        QTRY_VERIFY(test.isNull());
        QVERIFY(!w.page());
        QVERIFY(w.isHidden());
        QCOMPARE(w.result(), 1);
    }

    void languageSwitch()
    {
        QSettings settings("Tavro", "TavroSuite");
        g_language = 1;
        pc_connectui w;
        QCOMPARE(w.form()->comboBox_Language->currentIndex(), 1);
        QCOMPARE(settings.value("Language").toInt(), 1);
        QCOMPARE(w.form()->label_2->text(), QString::fromUtf8("使用USB数据线将设备连接至电脑"));
        QCOMPARE(w.windowTitle(), QString("TaSuite-V5"));

        w.form()->comboBox_Language->setCurrentIndex(0);
        QCOMPARE(g_language, 0);
        QCOMPARE(settings.value("Language").toInt(), 0);
        QCOMPARE(w.form()->label_2->text(), QString("connect the device to the computer using USB cable"));
        QCOMPARE(w.form()->label->text(), QString::fromUtf8("Language\n语言"));
        QCOMPARE(w.form()->comboBox_Language->itemText(0), QString("English"));
        QCOMPARE(w.form()->comboBox_Language->itemText(1), QString::fromUtf8("简体中文"));
        QCOMPARE(w.windowTitle(), QString("TaSuite-V5"));
        QCOMPARE(QCoreApplication::translate("pc_connectui", "Warning"), QString("warning"));

        w.form()->comboBox_Language->setCurrentIndex(1);
        QCOMPARE(QCoreApplication::translate("pc_connectui", "MIDI port is occupied !"),
                 QString::fromUtf8("MIDI端口已被占用！"));
        QCOMPARE(w.windowTitle(), QString("TaSuite-V5"));

        // A settings file that cannot be written (a folder in its place):
        // the choice holds for this run, and that is said in its language.
        const QString file = settings.fileName();
        QFile::remove(file);
        QVERIFY(QDir().mkpath(file));
        const auto unblock = qScopeGuard([&file] { QDir(file).removeRecursively(); });
        QStringList told;
        tavrotest::onNextModalBox([&told](QMessageBox *box) {
            told << box->text();
            box->done(QMessageBox::Ok);
        });
        w.form()->comboBox_Language->setCurrentIndex(0);
        QTRY_COMPARE(told, QStringList{"The settings file cannot be written: your choice holds until the editor "
                                       "closes and is not kept for the next start."});
    }

    void unexpectedLanguageValue()
    {
        QSettings settings("Tavro", "TavroSuite");
        g_language = 5;
        pc_connectui w;
        QCOMPARE(w.form()->comboBox_Language->currentIndex(), 0);
        QCOMPARE(settings.value("Language").toInt(), 5);
        QCOMPARE(g_language, 5);
        QCOMPARE(w.form()->label_2->text(), QString("connect the device to the computer using USB cable"));
    }
};

TAVRO_TEST_MAIN(TestConnectWindow)
#include "test_connectwindow.moc"
