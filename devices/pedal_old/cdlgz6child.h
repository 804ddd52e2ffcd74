// The per-control entry dialog named after the second pedal page: an event
// type, channel and data bytes, or a free text. Carried but never opened; it
// shows its form and nothing is connected.
#pragma once

#include <QDialog>

class Ui_cDlgZ6Child;

class cDlgZ6Child : public QDialog
{
    Q_OBJECT
public:
    cDlgZ6Child(quint32 value1, quint32 value2, QWidget *parent = nullptr);
    ~cDlgZ6Child() override;

    Ui_cDlgZ6Child *form() const { return ui; }
    quint32 value1() const { return m_value1; }
    quint32 value2() const { return m_value2; }

private:
    Ui_cDlgZ6Child *ui;
    const quint32 m_value1;
    const quint32 m_value2;
};
