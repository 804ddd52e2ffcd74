// The keyboard controller's page in a screenshot: preset 1 with a colour per
// pad and the pads of bank 1 in every mode; views "controls" (default) and
// "global".
#include "pageshot.h"

#include <QColor>
#include <QPushButton>

#include <algorithm>

#include "devices/keyboard/cdlgvx18.h"
#include "models/keyboardmodel.h"
#include "ui_cdlgvx18.h"

namespace pageshot {

SStage keyboardStage()
{
    SStage stage;
    stage.options = tavrosim::optionsForModel(9);
    stage.prepare = [](tavrosim::Simulator &sim) {
        using namespace tavrosim::kbblock;
        tavrosim::Bytes block = tavrosim::factoryKeyboardBlock(0);
        for (size_t p = 0; p < 8; ++p) {
            const QColor c = QColor::fromHsv(int(p) * 360 / 8, 255, 255);
            const size_t at = padColour(0, p);
            block[at] = uint8_t(c.green());
            block[at + 1] = uint8_t(c.red());
            block[at + 2] = uint8_t(c.blue());
        }
        // Pads 5..8 (the top row): CC toggle, CC momentary, program change, a SysEx message.
        const uint8_t others[][4] = {{0x10, 74, 0, 127}, {0x20, 64, 127, 0}, {0x30, 0, 0, 12}, {0x40, 0, 0, 6}};
        for (size_t k = 0; k < 4; ++k)
            std::copy(others[k], others[k] + 4, block.begin() + long(pad(0, 4 + k)));
        const uint8_t message[] = {0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7};
        std::copy(message, message + 6, block.begin() + long(kPool));
        sim.setBlock(0, block);
    };
    stage.show = [](CBaseDlg *base, const QString &view, tavrosim::Simulator &sim) {
        auto *page = qobject_cast<CDlgVX18 *>(base);
        if (!page)
            return false;
        (view == QLatin1String("global") ? page->form()->pushButton_global : page->form()->pushButton_data)->click();
        sim.sendBytes({0x90, 0x3C, 0x64, 0x80, 0x3C, 0x00, 0xB0, 0x14, 0x40, 0xE0, 0x00, 0x40, 0xF0, 0x7E, 0x7F, 0x06,
                       0x01, 0xF7, 0x99, 0x24, 0x7F, 0xD0, 0x30});
        return true;
    };
    return stage;
}

} // namespace pageshot
