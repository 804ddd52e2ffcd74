#include "fixmodemenu.h"

#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QDebug>
#include <QMenu>
#include <QSettings>

#include "cupgrade.h"
#include "dialogs.h"

namespace {

// The menu lives on the connection window and speaks with its texts.
QString windowText(const char *source)
{
    return QCoreApplication::translate("pc_connectui", source);
}

// The setting "UpgradeResult" (default 1) is 0: the last upgrade failed.
bool lastUpgradeFailed()
{
    QSettings settings(QStringLiteral("Tavro"), QStringLiteral("TavroSuite"));
    return settings.value(QStringLiteral("UpgradeResult"), 1).toInt() == 0;
}

} // namespace

FixModeMenuBar *FixModeMenuBar::createIfUpgradeFailed(QWidget *window, QBoxLayout *row)
{
    if (!lastUpgradeFailed())
        return nullptr;
    return new FixModeMenuBar(window, row);
}

FixModeMenuBar::FixModeMenuBar(QWidget *window, QBoxLayout *row) : QMenuBar(window)
{
    setFixedSize(80, 40);
    if (row)
        row->addWidget(this);

    m_menu = new QMenu(windowText("menu"), this);
    addMenu(m_menu);

    m_action = new QAction(windowText("Fix Mode"), window);
    m_menu->addAction(m_action);

    setStyleSheet(QStringLiteral(
        "QMenuBar { background-color: rgb(80, 80, 80); color: white;"
        " border: 2px solid white; border-radius: 5px; }"
        "QMenuBar::item { background: transparent; padding: 10px 15px; color: white; }"));
    m_menu->setStyleSheet(QStringLiteral(
        "QMenu { background-color: rgb(80, 80, 80); color: white;"
        " border: 1px solid white; border-radius: 3px; }"
        "QMenu::item { padding: 5px 20px; color: white; }"));
}

void FixModeMenuBar::retranslate()
{
    m_menu->setTitle(windowText("menu"));
    m_action->setText(windowText("Fix Mode"));
}

void runFixMode(cUpgrade *upgrade)
{
    if (!upgrade || !upgrade->init()) {
        qDebug() << "load JL lib err ！";
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool found = upgrade->find_device_disk();
    QApplication::restoreOverrideCursor();
    if (found) {
        upgrade->resume_upgrade();
        return;
    }
    showInformation(windowText("warning"), windowText("Device not found for upgrade"));
}
