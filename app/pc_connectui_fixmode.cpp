// The "Fix Mode" menu of the connection window: after a failed firmware
// upgrade it offers to resume that upgrade. The menu and its action come
// from the firmware upgrade.
#include "pc_connectui.h"
#include "ui_pc_connectui.h"

#include <QAction>
#include <QSettings>

#include "fixmodemenu.h"

void pc_connectui::createFixModeMenu()
{
    auto *bar = FixModeMenuBar::createIfUpgradeFailed(this, ui->horizontalLayout);
    m_fixMenuBar = bar;
    if (bar)
        connect(bar->fixModeAction(), &QAction::triggered, this, &pc_connectui::Slots_fix_mode);
}

void pc_connectui::retranslateMenu()
{
    if (auto *bar = qobject_cast<FixModeMenuBar *>(m_fixMenuBar))
        bar->retranslate();
}

void pc_connectui::Slots_fix_mode()
{
    // The device to mend is in upgrade mode, off MIDI. Ports that a click
    // left open without a page (a model that has none, an unknown device, a
    // device that never answered) must not carry the run's switch into
    // upgrade mode to that other device.
    m_midi.close();
    m_carryLen = 0;
    runFixMode(m_upgrade);
}

bool readUpgradeResult()
{
    QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
    return settings.value(QStringLiteral("UpgradeResult"), 1).toInt() != 0;
}
