// The connection window's "Fix Mode" menu: offered after a failed firmware
// upgrade, it resumes that upgrade with a device still in upgrade mode.
//
// The window wires it like this (texts use the window's translation context):
//     constructor:      m_fixMenuBar = FixModeMenuBar::createIfUpgradeFailed(this, ui->horizontalLayout);
//                       if (auto *bar = qobject_cast<FixModeMenuBar *>(m_fixMenuBar))
//                           connect(bar->fixModeAction(), &QAction::triggered,
//                                   this, &pc_connectui::Slots_fix_mode);
//     retranslateMenu:  if (auto *bar = qobject_cast<FixModeMenuBar *>(m_fixMenuBar)) bar->retranslate();
//     Slots_fix_mode:   runFixMode(m_upgrade);
#pragma once

#include <QMenuBar>

class QAction;
class QBoxLayout;
class QMenu;
class cUpgrade;

class FixModeMenuBar : public QMenuBar
{
    Q_OBJECT

public:
    // Builds the bar at the end of row, with window as its parent, when the
    // last upgrade failed; null otherwise.
    static FixModeMenuBar *createIfUpgradeFailed(QWidget *window, QBoxLayout *row);

    QMenu *fixMenu() const { return m_menu; }
    QAction *fixModeAction() const { return m_action; }

    // Sets the menu title and the entry's text in the current language.
    void retranslate();

private:
    FixModeMenuBar(QWidget *window, QBoxLayout *row);

    QMenu *m_menu = nullptr;
    QAction *m_action = nullptr;
};

// The "Fix Mode" entry's action: loads the upgrade library, looks for a device
// in upgrade mode (wait cursor meanwhile) and resumes the failed upgrade, or
// tells the user that no device was found. Nothing happens when the library
// is missing.
void runFixMode(cUpgrade *upgrade);
