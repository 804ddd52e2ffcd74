#include "cdlgpadlevel.h"
#include "ui_cdlgpadlevel.h"

#include <QUrl>

#include "dialogs.h"
#include "download.h"
#include "rawini.h"
#include "serverlocation.h"
#include "touchcombobox.h"

namespace {

constexpr int kPadSlots = 16;

// A level text of the dialog as a number; -1 unless it is a whole number in range.
int levelFromText(const QString &strText)
{
    bool ok = false;
    const int nValue = strText.toInt(&ok, 10);
    return ok && nValue >= cDlgPadLevel::kMinLevel && nValue <= cDlgPadLevel::kMaxLevel ? nValue : -1;
}

} // namespace

cDlgPadLevel::cDlgPadLevel(int nDeviceId, quint8 *pbyLevels, QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::cDlgPadLevel)
    , m_levels(pbyLevels)
    , m_deviceId(nDeviceId)
    , m_factoryLevel(kDefaultFactoryLevel)
{
    ui->setupUi(this);
    // Return puts no opening levels back and applies nothing.
    clearDefaultButtons(this);
    init();
    init_combos();
    init_connect();
}

cDlgPadLevel::~cDlgPadLevel()
{
    // A threshold download still in flight is abandoned.
    const auto downloads = findChildren<Download *>();
    for (Download *download : downloads)
        download->abort();
    delete ui;
}

TouchComboBox *cDlgPadLevel::combo(int nPad) const
{
    return findChild<TouchComboBox *>(QStringLiteral("comboBox_%1").arg(nPad));
}

void cDlgPadLevel::init()
{
    setWindowTitle(tr("Pad Calibration"));
    QString strFolder;
    switch (m_deviceId) {
    case 7:
        m_padCount = 16;
        strFolder = QStringLiteral("rz7/");
        break;
    case 8:
        m_padCount = 16;
        strFolder = QStringLiteral("rznano/");
        break;
    case 9:
        m_padCount = 8;
        strFolder = QStringLiteral("vx18/");
        break;
    default:
        // A model without pads: nothing is shown, read or written.
        m_padCount = 0;
        break;
    }
    if (!m_levels)
        m_padCount = 0;
    for (int nPad = m_padCount + 1; nPad <= kPadSlots; ++nPad) {
        if (QWidget *label = findChild<QWidget *>(QStringLiteral("label_%1").arg(nPad)))
            label->hide();
        if (QWidget *box = combo(nPad))
            box->hide();
    }
    if (!strFolder.isEmpty())
        download_threshold(QStringLiteral("%1%2%3").arg(serverBaseUrl(), strFolder, QStringLiteral("preset.ini")));
}

void cDlgPadLevel::init_combos()
{
    setWindowFlags((windowFlags() & ~Qt::WindowContextHelpButtonHint) | Qt::WindowMinimizeButtonHint
                   | Qt::WindowMaximizeButtonHint);
    QStringList texts;
    for (int nLevel = kMinLevel; nLevel <= kMaxLevel; ++nLevel)
        texts << QString::number(nLevel);
    for (int nPad = 1; nPad <= m_padCount; ++nPad) {
        TouchComboBox *box = combo(nPad);
        if (!box)
            continue;
        box->clear();
        box->addItems(texts);
        box->setCurrentIndex(box->findText(QString::number(m_factoryLevel)));
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                [this, nPad](int nIndex) { set_level(nPad, nIndex); });
    }
    show_levels();
    for (int i = 0; i < m_padCount; ++i) {
        m_initialLevels[i] = m_levels[i];
        m_workLevels[i] = m_levels[i];
    }
}

void cDlgPadLevel::init_connect()
{
    connect(ui->pushButton_recover, &QPushButton::clicked, this, &cDlgPadLevel::click_recover);
    connect(ui->pushButton_reset, &QPushButton::clicked, this, &cDlgPadLevel::click_apply_reset);
    connect(ui->pushButton_save, &QPushButton::clicked, this, &cDlgPadLevel::click_apply_reset);
    connect(ui->pushButton_Cancel, &QPushButton::clicked, this, &QDialog::close);
}

void cDlgPadLevel::show_levels()
{
    m_updating = true;
    for (int nPad = 1; nPad <= m_padCount; ++nPad) {
        TouchComboBox *box = combo(nPad);
        if (!box)
            continue;
        quint8 &byLevel = m_levels[nPad - 1];
        byLevel = quint8(qBound(kMinLevel, int(byLevel), kMaxLevel));
        const int nIndex = box->findText(QString::number(byLevel), Qt::MatchExactly | Qt::MatchCaseSensitive);
        if (nIndex >= 0)
            box->setCurrentIndex(nIndex);
    }
    m_updating = false;
}

void cDlgPadLevel::set_level(int nPad, int nIndex)
{
    if (m_updating || nIndex < 0)
        return;
    TouchComboBox *box = combo(nPad);
    const QString text = box->currentText();
    const int nLevel = levelFromText(text);
    if (nLevel < 0)
        return;
    m_workLevels[nPad - 1] = quint8(nLevel);
    m_updating = true;
    box->setCurrentIndex(box->findText(text));
    m_updating = false;
}

void cDlgPadLevel::click_apply_reset()
{
    if (sender() == ui->pushButton_reset) {
        showStyledQuestion(this, tr("Restore factory data?"), tr("Restore factory threshold data?"), [this](int nAnswer) {
            if (nAnswer != ANSWER_YES)
                return;
            for (int i = 0; i < m_padCount; ++i) {
                m_levels[i] = quint8(m_factoryLevel);
                m_workLevels[i] = quint8(m_factoryLevel);
            }
            show_levels();
            emit signals_send_pad_level();
        });
        return;
    }
    for (int nPad = 1; nPad <= m_padCount; ++nPad) {
        if (const TouchComboBox *box = combo(nPad)) {
            const int nLevel = levelFromText(box->currentText());
            if (nLevel >= 0)
                m_workLevels[nPad - 1] = quint8(nLevel);
        }
    }
    for (int i = 0; i < m_padCount; ++i)
        m_levels[i] = m_workLevels[i];
    emit signals_send_pad_level();
}

void cDlgPadLevel::click_recover()
{
    showStyledQuestion(this, tr("Restore initial data"), tr("Confirm restore initial data?"), [this](int nAnswer) {
        if (nAnswer != ANSWER_YES)
            return;
        for (int i = 0; i < m_padCount; ++i) {
            m_levels[i] = m_initialLevels[i];
            m_workLevels[i] = m_levels[i];
        }
        show_levels();
        emit signals_send_pad_level();
    });
}

void cDlgPadLevel::download_threshold(const QString &strUrl)
{
    Download *download = Download::get(QUrl(strUrl), DownloadKind::Index, this);
    connect(download, &Download::finished, this,
            [this, download](bool bOk) { on_threshold_downloaded(download, bOk); });
}

void cDlgPadLevel::on_threshold_downloaded(Download *pDownload, bool bOk)
{
    // Only a whole number from 10 to 90 replaces the default.
    m_factoryLevel = kDefaultFactoryLevel;
    if (!bOk)
        return;
    const RawIni index = RawIni::fromText(pDownload->body());
    const int nLevel = levelFromText(index.value(QStringLiteral("param"), QStringLiteral("padthreshold")));
    if (nLevel >= 0)
        m_factoryLevel = nLevel;
}
