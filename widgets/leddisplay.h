// Editor for the characters of a small segment display: one tile per display
// position with a dot toggle beside it, and a grid of the 16 characters the
// display can show. Select a position, then click a character.
#pragma once

#include <QVector>
#include <QWidget>

class QLabel;
class QPushButton;

class LedDisplay : public QWidget
{
    Q_OBJECT
public:
    // The characters by code; any other code shows kEmptyChar.
    static const QString kCharacters;
    static const QChar kEmptyChar;
    // In a data value: bits 0..7 the code, this bit the dot.
    static constexpr int kDotBit = 0x100;

    LedDisplay(int positions, const QVector<int> &data, QWidget *parent = nullptr);

    QString text() const;
    int currentPosition() const { return m_currentPosition; }
    int code(int position) const { return m_codes.value(position, -1); }
    bool dot(int position) const { return m_dots.value(position, false); }

    static QChar characterFor(int code);

signals:
    void dataChanged();
    void closed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onPositionClicked(int index);
    void onCharacterClicked(int gridIndex);
    void onDotClicked(int posIndex);

private:
    void buildUi();
    void updatePositionStyle(int position, bool selected);

    int m_positionCount;
    int m_currentPosition = -1;
    QVector<QLabel *> m_positionLabels;
    QVector<QPushButton *> m_dotButtons;
    QVector<int> m_codes;
    QVector<bool> m_dots;
};
