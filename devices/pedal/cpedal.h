// The expression-pedal entry dialog of both foot pedal pages: a MIDI channel,
// a controller number and the range the pedal sweeps, handed back as four
// numbers. It knows nothing of the page, the image or the device.
#pragma once

#include <QDialog>
#include <QList>

#include <array>

class Ui_cPedal;

class cPedal : public QDialog
{
    Q_OBJECT
public:
    explicit cPedal(QWidget *parent = nullptr);
    ~cPedal() override;

    // Prefills the four choosers from a row of the expression-pedal list
    // ("[01]  B2  07  00~7F"); a text of fewer than four fields gives zeros.
    // A value without a row (above 127) leaves its chooser without a current
    // row, and OK then hands that value back unchanged.
    void set_values(const QString &itemText);

    Ui_cPedal *form() const { return ui; }

signals:
    // channel 0..15, controller, minimum, maximum (0..127; a prefilled value
    // that had no row as it was given).
    void signal_pedal_add(QList<int> nData);

private:
    void init_ui();
    void retranslateUi();
    void init_connect();
    void click_ok();

    Ui_cPedal *ui;
    std::array<int, 4> m_prefill{{0, 0, 0, 127}};
};
