// The older foot pedal's page in a screenshot: Customize2 with switch A on
// "Down+Up", two events in its first list and a SysEx message in its second;
// views "customize2" (default), "preset1", "customize1", "pedal", "list2".
#include "pageshot.h"

#include <QPushButton>

#include <algorithm>

#include "devices/pedal_old/master.h"
#include "models/oldpedalmodel.h"
#include "touchcombobox.h"
#include "ui_master.h"

namespace pageshot {

SStage pedalOldStage()
{
    SStage stage;
    stage.options = tavrosim::optionsForModel(1, 4);
    stage.prepare = [](tavrosim::Simulator &sim) {
        using namespace tavrosim::oldpedal;
        tavrosim::Bytes image = tavrosim::oldPedalFactoryImage();
        image[kPreset] = 5;
        const size_t a = sw(0);
        image[a + kType] = 3;
        image[a + kSysexFlags] = 0x0F;
        image[a + kCount1] = 2;
        const uint8_t events[8] = {0x00, 0xB0, 0x07, 0x64, 0x02, 0xC0, 0x05, 0x00};
        std::copy(events, events + 8, image.begin() + long(a + kList1));
        const uint8_t sysex[6] = {0xF0, 0x7F, 0x7F, 0x06, 0x02, 0xF7};
        std::copy(sysex, sysex + 6, image.begin() + long(a + kSysex2));
        image[a + kSysexLen2] = 6;
        image[a + kDisplay] = 0x80 | 11; // "A." and "1", then "b" "2"
        image[a + kDisplay + 2] = 12;
        image[a + kDisplay + 3] = 3;
        image[kPedalCount] = 3;
        const uint8_t pedal[12] = {0, 11, 0, 127, 1, 7, 20, 110, 0, 1, 0, 64};
        std::copy(pedal, pedal + 12, image.begin() + long(kPedalData));
        sim.setPedalImage(image);
    };
    stage.show = [](CBaseDlg *base, const QString &view, tavrosim::Simulator &sim) {
        auto *page = qobject_cast<master *>(base);
        if (!page)
            return false;
        Ui_master *ui = page->form();
        if (view == QLatin1String("preset1"))
            ui->comboBox_preset->setCurrentIndex(0);
        else if (view == QLatin1String("customize1"))
            ui->comboBox_preset->setCurrentIndex(3);
        else if (view == QLatin1String("pedal"))
            ui->comboBox_preset->setCurrentIndex(5);
        else if (view == QLatin1String("list2"))
            ui->pushButton_Group2->click();
        sim.sendBytes({0x90, 0x3C, 0x64, 0x80, 0x3C, 0x00, 0xB0, 0x0B, 0x40, 0xB0, 0x0B, 0x7F, 0xC0, 0x05, 0xF0,
                       0x7E, 0x7F, 0x06, 0x01, 0xF7});
        return true;
    };
    return stage;
}

} // namespace pageshot
