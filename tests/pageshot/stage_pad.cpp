// The pad controller's page in a screenshot: preset 1 with a colour per pad
// and a few pads in other modes; views "global", "pad" (default), "knob".
#include "pageshot.h"

#include <QColor>
#include <QPushButton>

#include <algorithm>

#include "devices/pad/crzm7.h"
#include "ui_crzm7.h"

namespace pageshot {

SStage padStage()
{
    SStage stage;
    stage.options = tavrosim::optionsForModel(7);
    stage.prepare = [](tavrosim::Simulator &sim) {
        tavrosim::Bytes block = tavrosim::factoryPadBlock(0);
        for (int p = 0; p < 16; ++p) {
            const QColor c = QColor::fromHsv(p * 360 / 16, 255, 255);
            const size_t at = tavrosim::padblock::padColour(0, size_t(p));
            block[at] = uint8_t(c.green());
            block[at + 1] = uint8_t(c.red());
            block[at + 2] = uint8_t(c.blue());
        }
        const uint8_t others[][4] = {{0x11, 64, 0, 127}, {0x21, 1, 127, 0}, {0x32, 0, 1, 12}, {0xC0, 0, 0, 6}};
        for (size_t k = 0; k < 4; ++k)
            std::copy(others[k], others[k] + 4, block.begin() + long(tavrosim::padblock::pad(0, 12 + k)));
        sim.setBlock(0, block);
    };
    stage.show = [](CBaseDlg *base, const QString &view, tavrosim::Simulator &sim) {
        auto *page = qobject_cast<CRZM7 *>(base);
        if (!page)
            return false;
        QPushButton *tab = view == QLatin1String("global") ? page->form()->pushButton_setting
                           : view == QLatin1String("knob") ? page->form()->pushButton_knob_button
                                                           : page->form()->pushButton_pad;
        tab->click();
        sim.sendBytes({0x90, 0x24, 0x64, 0x80, 0x24, 0x00, 0xB0, 0x14, 0x40, 0xC0, 0x05, 0xE0, 0x00, 0x40, 0xF0,
                       0x7E, 0x7F, 0x06, 0x01, 0xF7, 0xD0, 0x30});
        return true;
    };
    return stage;
}

} // namespace pageshot
