// Pad calibration: per-pad trigger thresholds (10 to 90) of the pad
// controllers and of the keyboard's pads. The dialog edits a copy of the
// page's pad-level array and writes it back on "Apply", "Data recovery" and
// "Restore factory data", each time followed by signals_send_pad_level.
#pragma once

#include <QDialog>

class Download;
class TouchComboBox;

namespace Ui {
class cDlgPadLevel;
}

class cDlgPadLevel : public QDialog
{
Q_OBJECT

public:
    static constexpr int kMinLevel = 10;
    static constexpr int kMaxLevel = 90;
    static constexpr int kDefaultFactoryLevel = 45;

    // nDeviceId: 7 or 8 (16 pads) or 9 (8 pads); pbyLevels: the page's array,
    // one byte per pad, pad 1 first, not owned, at least as long as the pad count.
    cDlgPadLevel(int nDeviceId, quint8 *pbyLevels, QWidget *parent = nullptr);
    ~cDlgPadLevel() override;

    int padCount() const { return m_padCount; }
    // The level a factory reset writes: 45 until the server's index gives another.
    int factoryLevel() const { return m_factoryLevel; }

signals:
    void signals_send_pad_level();

private:
    void init();
    void init_combos();
    void init_connect();
    void show_levels();
    void set_level(int nPad, int nIndex);
    void click_apply_reset();
    void click_recover();
    void download_threshold(const QString &strUrl);
    void on_threshold_downloaded(Download *pDownload, bool bOk);
    TouchComboBox *combo(int nPad) const;

    Ui::cDlgPadLevel *ui;
    quint8 *m_levels;
    bool m_updating = false;
    int m_deviceId;
    int m_padCount = 0;
    int m_factoryLevel;
    quint8 m_initialLevels[50] = {};
    quint8 m_workLevels[50] = {};
};
