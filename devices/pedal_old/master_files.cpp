// The older pedal page's toolbar: the factory reset and the sending of a
// configuration that a preset file brought.
#include "master.h"
#include "ui_master.h"

#include <QPointer>
#include <QThread>

#include "dialogs.h"
#include "touchcombobox.h"

using namespace pedalold;

namespace {

// The older firmware needs these pauses between the frames of a whole
// configuration.
constexpr unsigned long kAfterSwitchRecordMs = 50;
constexpr unsigned long kAfterGroupMs = 30;

} // namespace

void master::click_reset_button()
{
    QPointer<master> self(this);
    showStyledQuestion(this, tr("warning"), tr("reset"), [self](int answer) {
        if (self && answer == ANSWER_YES)
            self->slots_click_reset();
    });
}

void master::slots_click_reset()
{
    send(g_fixedFrameFactoryReset.bytes, g_fixedFrameFactoryReset.length);
}

void master::send_loaded_image()
{
    update_ui();
    update_switch_view();
    click_checkbox_switch();
    for (int k = 0; k < kSwitchCount; ++k) {
        send_switch_data(k);
        QThread::msleep(kAfterSwitchRecordMs);
    }
    send_switch_setting();
    QThread::msleep(kAfterGroupMs);
    click_switch_display();
    QThread::msleep(kAfterGroupMs);
    click_preset_display();
    QThread::msleep(kAfterGroupMs);
    send_pedal_data();
    QThread::msleep(kAfterGroupMs);
    ui->comboBox_preset->setCurrentIndex(0);
    send_preset_select(1);
    ui->stackedWidget->setCurrentIndex(0);
    show_preset_display(1);
}
