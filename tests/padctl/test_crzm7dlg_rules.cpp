// The pad's own rule of the per-control dialog without a window: which span of
// the block "set all channels" covers for each kind. The text and field rules
// are tested with the toolkit (tests/shared).
#include "devices/pad/crzm7dlg_rules.h"
#include "bytes.h"
#include "testmain.h"

#include <cstring>

using namespace tavrotest;
using namespace rz7dlg;

namespace {


SRZ7ConfigData zeroBlock()
{
    SRZ7ConfigData b;
    std::memset(&b, 0, sizeof b);
    return b;
}

} // namespace

class TestCrzm7DlgRules : public QObject
{
    Q_OBJECT
private slots:
    void setAllChannels_perKind();
};

void TestCrzm7DlgRules::setAllChannels_perKind()
{
    SRZ7ConfigData b = zeroBlock();
    for (uint i = 0; i < rz7::kKnobsPerGroup; ++i)
        b.KnobData[1][i].ctrl = uchar(0x80 | (i % 3) << 4 | i);
    QCOMPARE(setAllChannels(b, KindKnob, 1, false, 9), SendKnobs);
    for (uint i = 0; i < rz7::kKnobsPerGroup; ++i)
        QCOMPARE(b.KnobData[1][i].ctrl, uchar(0x80 | (i % 3) << 4 | 9));
    QCOMPARE(b.KnobData[0][0].ctrl, uchar(0)); // other groups untouched
    QCOMPARE(b.KnobData[2][7].ctrl, uchar(0));

    b.PadData[2][3].ctrl = 0x40; // Customize keeps channel 0
    b.PadData[2][4].ctrl = 0xB2;
    QCOMPARE(setAllChannels(b, KindPad, 2, false, 5), SendPads);
    QCOMPARE(b.PadData[2][3].ctrl, uchar(0x40));
    QCOMPARE(b.PadData[2][4].ctrl, uchar(0xB5));
    QCOMPARE(b.PadData[2][0].ctrl, uchar(0x05));
    QCOMPARE(b.PadData[1][0].ctrl, uchar(0x00));

    b.KeyData[1].ctrl = 0x50;
    QCOMPARE(setAllChannels(b, KindButton, 0, false, 7), SendKeys);
    QCOMPARE(b.KeyData[1].ctrl, uchar(0x50));
    QCOMPARE(b.KeyData[0].ctrl, uchar(0x07));
    QCOMPARE(b.KeyLongData[0].ctrl, uchar(0x00));
    QCOMPARE(setAllChannels(b, KindButton, 0, true, 2), SendKeys);
    QCOMPARE(b.KeyLongData[5].ctrl, uchar(0x02));
    QCOMPARE(b.KeyData[0].ctrl, uchar(0x07));
}

TAVRO_TEST_MAIN(TestCrzm7DlgRules)
#include "test_crzm7dlg_rules.moc"
