// The foot pedal's page (firmware 5) in a screenshot: the second custom mode
// with three groups, key A sending two events and a SysEx message, the
// expression-pedal list filled; views "keys" (default), "pedal", "bluetooth".
#include "pageshot.h"

#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

#include "devices/pedal/cdlgz3.h"
#include "devices/pedal/z3edit.h"
#include "ui_cdlgz3.h"

namespace pageshot {

namespace {

QByteArray shownImage()
{
    SZ3ProConfigData image;
    image.setMode(4);
    image.setByte(z3::kMode1Max, 128);
    image.setByte(z3::kMode2Max, 128);
    image.setGroupSelect(0x02);
    for (int g = 0; g < z3::kGroups; ++g) {
        for (int k = 0; k < z3::kKeysPerGroup; ++k)
            image.key(g, k).setTriggerType(uchar(1 + (g + k) % 5));
    }
    for (int s = 0; s < z3::kSwitchCount; ++s)
        image.switchRecord(s)[0] = uchar(((s + 1) << 4) | (s & 1));
    image.key(0, 0).setTriggerType(3);
    z3::addKeyEvent(image, 0, 0, 1, {0xC0, 0, 5, 0});
    z3::addKeyEvent(image, 0, 0, 1, {0xB0, 0, 7, 100});
    z3::addKeyEvent(image, 0, 0, 1, {0xFA, 10, 0, 0});
    z3::setKeySysex(image, 0, 0, 2, QByteArray::fromHex("F07D0102F7"));
    const int entries[][4] = {{0, 7, 0, 127}, {0, 11, 20, 110}, {1, 1, 0, 64}};
    for (const int *e : entries)
        z3::addPedalEntry(image, e);
    image.setDisplayChar(6, 0x8C); // "b." then "2"
    image.setDisplayChar(7, 3);
    return image.toByteArray();
}

} // namespace

SStage pedalStage()
{
    SStage stage;
    stage.options = tavrosim::optionsForModel(1, 5);
    stage.prepare = [](tavrosim::Simulator &sim) {
        const QByteArray image = shownImage();
        sim.setPedalImage(tavrosim::Bytes(image.begin(), image.end()));
    };
    stage.show = [](CBaseDlg *base, const QString &view, tavrosim::Simulator &sim) {
        auto *page = qobject_cast<cDlgZ3 *>(base);
        if (!page || !QTest::qWaitFor([page] { return page->form()->stackedWidget->isEnabled(); }, 10000))
            return false;
        if (view == QLatin1String("pedal"))
            page->form()->pushButton_pedal->click();
        else if (view == QLatin1String("bluetooth"))
            page->form()->pushButton_BtHost->click();
        sim.sendBytes({0xC0, 0x05, 0xB0, 0x07, 0x64, 0xFA, 0xF0, 0x7D, 0x01, 0x02, 0xF7, 0x90, 0x3C, 0x64, 0x80,
                       0x3C, 0x00});
        return true;
    };
    return stage;
}

} // namespace pageshot
