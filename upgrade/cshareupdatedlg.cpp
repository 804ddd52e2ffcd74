#include "cshareupdatedlg.h"
#include "ui_cshareupdatedlg.h"

#include <QCoreApplication>

#include "cupgrade.h"
#include "globals.h"
#include "serverlocation.h"

CShareUpdateDlg::CShareUpdateDlg(CBaseDlg *owner, QWidget *parent)
    : CBaseDlg(owner, parent), ui(new Ui_CShareUpdateDlg)
{
    // The upgrade dialog has this page as its owner: its frames and its hand
    // back pass through the page to the connection window.
    m_upgrade = new cUpgrade(this, nullptr);
    if (objectName().isEmpty())
        setObjectName(QStringLiteral("CShareUpdateDlg"));
    ui->setupUi(this);
    init_window();
    connect_signals();
}

CShareUpdateDlg::~CShareUpdateDlg()
{
    delete ui;
    // The upgrade dialog has no parent widget; it may still be on the call
    // stack that finished this page.
    if (m_upgrade)
        m_upgrade->deleteLater();
}

void CShareUpdateDlg::init_window()
{
    setFixedSize(450, 300);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

void CShareUpdateDlg::connect_signals()
{
    connect(ui->pushButton_upgrade, &QPushButton::clicked, this, &CShareUpdateDlg::click_upgrade);
}

void CShareUpdateDlg::click_upgrade()
{
    if (!m_upgrade->init())
        return;
    m_upgrade->download(QStringLiteral("%1%2%3").arg(serverBaseUrl(), g_downloadFolder,
                                                      QStringLiteral("firmware.ini")),
                        cUpgrade::index_path());
}

void CShareUpdateDlg::update_title()
{
    setWindowTitle(g_downloadLink + QStringLiteral(" V") + QString::number(g_firmwareVersion));
}
