// A short notice over a window: a rounded, semi-transparent dark label with
// white text that fades in, stays for a while, fades out and deletes itself.
// Callers use AutoDisapperMsgBox::showMessage and keep no pointer to it.
#pragma once

#include <QColor>
#include <QLabel>

class QGraphicsOpacityEffect;
class QPropertyAnimation;

class AutoDisapperMsgBox : public QLabel
{
    Q_OBJECT
public:
    // A zero time keeps its default (150 ms for the fades, 1000 ms on screen).
    AutoDisapperMsgBox(QWidget *parent, const QString &text, int displayMs, int fadeOutMs = 0,
                       int fadeInMs = 0);
    ~AutoDisapperMsgBox() override;

    // Shows text over parent for displayMs (plus the two fades); nothing
    // without a parent.
    static void showMessage(QWidget *parent, const QString &text, int displayMs);

    void popup();

    void setDisplayTime(int ms);
    void setFadeInTime(int ms);
    void setFadeOutTime(int ms);
    void setBackgroundColor(const QColor &color);
    void setBorderRadius(int radius);
    void setCenterInParent();

    int displayTime() const { return m_displayTime; }
    int fadeInTime() const { return m_fadeInTime; }
    int fadeOutTime() const { return m_fadeOutTime; }

    // Width of a notice over a parent of the given width (0 without a parent).
    static int widthForParent(int parentWidth);

private slots:
    void onFadeOutFinished();

private:
    void initAnimations();
    void initStyle();
    void startFadeIn();
    void startFadeOut();

    QGraphicsOpacityEffect *m_opacityEffect = nullptr;
    QPropertyAnimation *m_fadeInAnimation = nullptr;
    QPropertyAnimation *m_fadeOutAnimation = nullptr;
    int m_fadeInTime = 150;
    int m_fadeOutTime = 150;
    int m_displayTime = 1000;
    QString m_text;
    int m_borderRadius = 15;
    QString m_backgroundColor;
    bool m_centerInParent = false;
};
