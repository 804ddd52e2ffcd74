// The page for a device that has no editor page: one button that upgrades
// its firmware. Everything the device sends is ignored.
#pragma once

#include "cbasedlg.h"

class cUpgrade;
class Ui_CShareUpdateDlg;

class CShareUpdateDlg : public CBaseDlg
{
    Q_OBJECT

public:
    CShareUpdateDlg(CBaseDlg *owner, QWidget *parent);
    ~CShareUpdateDlg() override;

    void click_upgrade();
    void update_title();

    void Slots_recv_frame(const uchar *, uint) override {}
    void Slots_recv_sysex(const uchar *, uint) override {}
    void Slots_recv_midi(uint) override {}
    // The page's texts are translated once, when it is built.
    void Slots_change_language() override {}

    cUpgrade *upgrade() const { return m_upgrade; }

private:
    void init_window();
    void connect_signals();

    Ui_CShareUpdateDlg *ui = nullptr;
    cUpgrade *m_upgrade = nullptr;
};
