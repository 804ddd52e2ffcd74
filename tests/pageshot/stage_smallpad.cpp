// The small pad controller's page in a screenshot: preset 1 with a colour per
// pad and a few pads in other modes; views "global" and "pad" (default).
#include "pageshot.h"

#include <QColor>
#include <QPushButton>

#include <algorithm>

#include "devices/smallpad/cdlgrznano.h"
#include "models/smallpadmodel.h"
#include "ui_cdlgrznano.h"

namespace pageshot {

SStage smallPadStage()
{
    SStage stage;
    stage.options = tavrosim::optionsForModel(8);
    stage.prepare = [](tavrosim::Simulator &sim) {
        tavrosim::Bytes block = tavrosim::factorySmallPadBlock(0);
        for (int p = 0; p < 16; ++p) {
            const QColor c = QColor::fromHsv(p * 360 / 16, 255, 255);
            const size_t at = tavrosim::smallpadblock::padColour(0, size_t(p));
            block[at] = uint8_t(c.green());
            block[at + 1] = uint8_t(c.red());
            block[at + 2] = uint8_t(c.blue());
        }
        // Two CC pads, a program change and a Customize pad on the top row.
        const uint8_t others[][4] = {{0x11, 64, 0, 127}, {0x21, 1, 127, 0}, {0x32, 0, 1, 12}, {0xC0, 0, 0, 0}};
        for (size_t k = 0; k < 4; ++k)
            std::copy(others[k], others[k] + 4, block.begin() + long(tavrosim::smallpadblock::pad(0, 12 + k)));
        sim.setBlock(0, block);
    };
    stage.show = [](CBaseDlg *base, const QString &view, tavrosim::Simulator &sim) {
        auto *page = qobject_cast<cDlgRznano *>(base);
        if (!page)
            return false;
        QPushButton *tab = view == QLatin1String("global") ? page->form()->pushButton_setting
                                                           : page->form()->pushButton_pad;
        tab->click();
        sim.sendBytes({0x90, 0x24, 0x64, 0x80, 0x24, 0x00, 0xB0, 0x14, 0x40, 0xC0, 0x05, 0xF0, 0x7E, 0x7F, 0x06,
                       0x01, 0xF7, 0xD0, 0x30});
        return true;
    };
    return stage;
}

} // namespace pageshot
