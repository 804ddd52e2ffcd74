// The connection window's decisions without MIDI: port pairing, the reply
// reader, the frame finder and the page choice.
#include <QtTest>

#include "bytes.h"
#include "connectlogic.h"
#include "devicelist.h"
#include "sysexpacking.h"
#include "testmain.h"

using tavrotest::hex;
using tavrotest::u8;

namespace {

QVector<DeviceEntry> deviceList()
{
    return readDeviceInfo(QString::fromLatin1(kDeviceInfoResource));
}

QByteArray packed(const QByteArray &frame)
{
    QByteArray out(int(packedSysExSize(uint(frame.size()))), 0);
    packSysEx(u8(frame), uint(frame.size()), reinterpret_cast<uchar *>(out.data()));
    return out;
}

// A device-information frame: model, 16-byte folder field, firmware.
QByteArray infoFrame(uchar model, const QByteArray &folderField, uchar firmware)
{
    QByteArray field = folderField.left(16);
    field.append(QByteArray(16 - field.size(), '\0'));
    QByteArray frame(24 + 1, '\0');
    frame[0] = char(0x78);
    frame[1] = char(0x59);
    frame[2] = char(0x11);
    frame[3] = char(18);
    frame[6] = char(model);
    for (int k = 0; k < 16; ++k)
        frame[7 + k] = field[k];
    frame[23] = char(firmware);
    uint sum = 0;
    for (int k = 6; k < 24; ++k)
        sum += uchar(frame[k]);
    frame[24] = char(~sum & 0xFF);
    return frame;
}

struct Found
{
    QVector<QByteArray> frames;
    uint stop = 0;
};

Found find(const QByteArray &data, uint cap = 7168)
{
    Found f;
    QByteArray out(int(cap), '\0');
    f.stop = findPackedFrames(u8(data), uint(data.size()), reinterpret_cast<uint8_t *>(out.data()), cap,
                              [&](const uint8_t *frame, uint len) {
                                  f.frames.append(QByteArray(reinterpret_cast<const char *>(frame), int(len)));
                              });
    return f;
}

} // namespace

class TestConnectLogic : public QObject
{
    Q_OBJECT

private slots:
    void cleanedNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("cleaned");
        QTest::newRow("upper IN") << "RZ-7 Pad IN" << "RZ-7 Pad";
        QTest::newRow("upper OUT") << "RZ-7 Pad OUT" << "RZ-7 Pad";
        QTest::newRow("mixed case stays") << "RZ-7 Pad In" << "RZ-7 Pad In";
        QTest::newRow("inside a word") << "PINBALL OUTLET" << "PBALL LET";
        QTest::newRow("blanks trimmed") << "  VX-18 OUT  " << "VX-18";
    }
    void cleanedNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, cleaned);
        QCOMPARE(cleanPortName(name), cleaned);
    }

    void pairing()
    {
        const QVector<DeviceEntry> list = deviceList();
        QVERIFY(!list.isEmpty());

        // IN/OUT pair, with a foreign port in each list before it.
        PortScan s = matchPorts(list, {"Midi Through", "RZ-7 Pad IN"}, {"Synth OUT", "Midi Through", "RZ-7 Pad OUT"});
        QCOMPARE(s.count, 1);
        QCOMPARE(s.matches[0].deviceId, 7u);
        QCOMPARE(s.matches[0].inPort, 1u);
        QCOMPARE(s.matches[0].outPort, 2u);
        QCOMPARE(s.lastOutName, QString("RZ-7 Pad OUT"));
        QVERIFY(s.isPresent(7));
        QCOMPARE(s.matches[1].deviceId, 0u);

        // "In"/"Out" are not removed: the names differ and nothing pairs.
        s = matchPorts(list, {"RZ-7 Pad In"}, {"RZ-7 Pad Out"});
        QCOMPARE(s.count, 0);

        // Fragments are case-sensitive.
        QCOMPARE(matchPorts(list, {"vodo duriz"}, {"vodo duriz"}).count, 0);
        s = matchPorts(list, {"VODO Duriz"}, {"VODO Duriz"});
        QCOMPARE(s.count, 1);
        QCOMPARE(s.matches[0].deviceId, 1u);

        // One module pair is entered once for each of the two models sharing its name.
        s = matchPorts(list, {"ZOLVEN KD-9"}, {"ZOLVEN KD-9"});
        QCOMPARE(s.count, 2);
        QCOMPARE(s.matches[0].deviceId, 3u);
        QCOMPARE(s.matches[1].deviceId, 4u);

        // Two devices: entries follow the device list order; the last name wins.
        s = matchPorts(list, {"VX-18 IN", "RZ-Nano IN"}, {"RZ-Nano OUT", "VX-18 OUT"});
        QCOMPARE(s.count, 2);
        QCOMPARE(s.matches[0].deviceId, 8u);
        QCOMPARE(s.matches[1].deviceId, 9u);
        QCOMPARE(s.pairs[0].outName, QString("RZ-Nano OUT"));
        QCOMPARE(s.lastOutName, QString("VX-18 OUT"));
    }

    void tableHoldsFifty()
    {
        // 30 module pairs give 60 matches (30 per model); the table stops at 50.
        QStringList names;
        for (int k = 0; k < 30; ++k)
            names << QString("ZOLVEN KD-9 #%1").arg(k);
        const PortScan s = matchPorts(deviceList(), names, names);
        QCOMPARE(s.count, kMaxPortMatches);
        QCOMPARE(s.matches[29].deviceId, 3u);
        QCOMPARE(s.matches[29].inPort, 29u);
        QCOMPARE(s.matches[49].deviceId, 4u);
        QCOMPARE(s.matches[49].inPort, 19u);
        QCOMPARE(s.matches[49].outPort, 19u);
    }

    void replyFields()
    {
        DeviceInfoReply r;
        // Zero bytes inside the folder field are skipped wherever they stand.
        QByteArray frame = infoFrame(7, QByteArray("r\0z\0" "7", 5), 3);
        QVERIFY(parseDeviceInfoReply(u8(frame), uint(frame.size()), &r));
        QCOMPARE(r.deviceId, uint8_t(7));
        QCOMPARE(r.firmwareVersion, uint8_t(3));
        QCOMPARE(r.downloadLink, QString("rz7"));

        // Bytes above 0x7F are one character each.
        frame = infoFrame(9, QByteArray("\xE9t\xE9"), 1);
        QVERIFY(parseDeviceInfoReply(u8(frame), uint(frame.size()), &r));
        QCOMPARE(r.downloadLink, QString::fromUtf8("été"));

        // Too short to hold the firmware byte: ignored, the old values stay.
        r = DeviceInfoReply();
        QVERIFY(!parseDeviceInfoReply(u8(frame), 23, &r));
        QCOMPARE(r.deviceId, uint8_t(0));
        // Another command.
        frame[2] = char(0x50);
        QVERIFY(!parseDeviceInfoReply(u8(frame), uint(frame.size()), &r));
    }

    void framesInRawBytes()
    {
        const QByteArray reply = packed(infoFrame(8, "nano", 2));
        const QByteArray poll = hex("F0 78 32 19 03 00 00 40 7F F7");

        // Clock, a foreign SysEx, a note and two frames: both frames come out in order.
        const QByteArray mixed = hex("F8 F0 41 10 F7 90 3C 64") + reply + hex("FE") + poll;
        Found f = find(mixed);
        QCOMPARE(f.frames.size(), 2);
        QCOMPARE(f.frames[0].left(24), infoFrame(8, "nano", 2).left(24));
        QCOMPARE(f.frames[1], hex("78 59 66 00 00 00 FF"));
        QCOMPARE(f.stop, uint(mixed.size()));

        // A frame cut by the end of the data is not handed on; the stop index
        // points at its F0 so that the caller keeps it.
        const QByteArray data = hex("90 3C 64") + reply;
        f = find(data.left(data.size() - 5));
        QCOMPARE(f.frames.size(), 0);
        QCOMPARE(f.stop, 3u);
        f = find(data.mid(3, data.size() - 8) + data.right(5));
        QCOMPARE(f.frames.size(), 1);

        // A start cut after F0 or F0 78 is kept as well; other F0s are not.
        QCOMPARE(find(hex("F8 F0")).stop, 1u);
        QCOMPARE(find(hex("F8 F0 78")).stop, 1u);
        QCOMPARE(find(hex("F8 F0 41")).stop, 3u);

        // A frame longer than the buffer is dropped, the next one is found.
        f = find(packed(QByteArray(40, '\x11')) + poll, 16);
        QCOMPARE(f.frames.size(), 1);
        QCOMPARE(f.frames[0], hex("78 59 66 00 00 00 FF"));
    }

    void pageChoice_data()
    {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("firmware");
        QTest::addColumn<QString>("port");
        QTest::addColumn<bool>("factory");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("keptModel");

        // The rows the end-to-end test does not reach.
        const int pedal = int(PageKind::Pedal);
        QTest::newRow("pedal fw 4") << 1 << 4 << "VODO Duriz OUT" << false << int(PageKind::PedalOld) << 1;
        QTest::newRow("pedal port name") << 7 << 9 << "DOVO Dazed" << false << pedal << 1;
        QTest::newRow("pedal port name is exact") << 7 << 9 << "DOVO Dazed OUT" << false << int(PageKind::Pad) << 7;
        QTest::newRow("pedal ignores factory") << 1 << 5 << "" << true << pedal << 1;
        QTest::newRow("model 2") << 2 << 1 << "ORB_LINKER" << false << int(PageKind::None) << 2;
        QTest::newRow("pad factory") << 7 << 1 << "" << true << int(PageKind::PadSelfTest) << 7;
        QTest::newRow("small pad factory") << 8 << 1 << "" << true << int(PageKind::PadSelfTest) << 8;
        QTest::newRow("keyboard factory") << 9 << 1 << "" << true << int(PageKind::KeyboardSelfTest) << 9;
        QTest::newRow("brand word") << 3 << 1 << "ZOLVEN KD-9" << false << int(PageKind::UpgradeOnly) << 3;
        QTest::newRow("brand word case") << 3 << 1 << "Zolven KD-9" << false << int(PageKind::Unknown) << 3;
        QTest::newRow("unknown") << 42 << 1 << "" << false << int(PageKind::Unknown) << 42;
    }
    void pageChoice()
    {
        QFETCH(int, model);
        QFETCH(int, firmware);
        QFETCH(QString, port);
        QFETCH(bool, factory);
        QFETCH(int, kind);
        QFETCH(int, keptModel);
        const PageChoice c = choosePage(uint8_t(model), uint8_t(firmware), port, factory);
        QCOMPARE(int(c.kind), kind);
        QCOMPARE(int(c.deviceId), keptModel);
        QCOMPARE(c.pedalFolder, keptModel == 1);
    }
};

TAVRO_TEST_MAIN(TestConnectLogic)
#include "test_connectlogic.moc"
