// A dark rounded notice window with white text that fades in, stays for a
// given time and fades out again.
#pragma once

#include <QTimer>
#include <QWidget>

class QLabel;
class QPropertyAnimation;

class ToastWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kFadeInMs = 300;
    static constexpr int kFadeOutMs = 500;

    explicit ToastWidget(QWidget *parent = nullptr);

    void showToast(const QString &text, int ms);

    // Top-left corner and size of a toast of the given size: centred over a
    // parent at parentGlobal (size parentSize), or, without a parent, near the
    // bottom of the free screen area.
    static QPoint placeOverParent(const QPoint &parentGlobal, const QSize &parentSize, const QSize &toast);
    static QPoint placeOnScreen(const QRect &available, const QSize &toast);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private slots:
    void animationFinished();

private:
    void startFadeOut();

    QLabel *m_label = nullptr;
    QPropertyAnimation *m_animation = nullptr;
    QTimer m_displayTimer;
};
