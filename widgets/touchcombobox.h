// A combo box whose drop-down list is a touch-friendly popup of its own
// (TouchScrollListWidget). The mouse wheel never changes its value.
//
// The item operations below hide those of QComboBox (which are not virtual) so
// that the popup list follows the items; call them through a TouchComboBox
// pointer.
#pragma once

#include <QComboBox>
#include <QIcon>
#include <QVariant>

class QListWidgetItem;
class TouchScrollListWidget;

class TouchComboBox : public QComboBox
{
    Q_OBJECT
public:
    explicit TouchComboBox(QWidget *parent = nullptr);
    ~TouchComboBox() override;

    void addItem(const QString &text, const QVariant &userData = QVariant());
    void addItem(const QIcon &icon, const QString &text, const QVariant &userData = QVariant());
    void addItems(const QStringList &texts);
    void insertItem(int index, const QString &text, const QVariant &userData = QVariant());
    void insertItem(int index, const QIcon &icon, const QString &text,
                    const QVariant &userData = QVariant());
    void insertItems(int index, const QStringList &texts);
    void removeItem(int index);
    void clear();
    void setItemText(int index, const QString &text);
    void setItemIcon(int index, const QIcon &icon);
    void setItemData(int index, const QVariant &value, int role = Qt::UserRole);

    bool eventFilter(QObject *watched, QEvent *event) override;
    void showPopup() override;
    void hidePopup() override;

    // The popup's list and window; null until the deferred set-up has run.
    TouchScrollListWidget *popupList() const { return m_listWidget; }
    QWidget *popupWindow() const { return m_popupWidget; }
    bool isPopupOpen() const { return m_popupOpen; }

    // Height of the popup for the given number of items, px.
    static int popupHeightFor(int itemCount);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private slots:
    void onItemClicked(QListWidgetItem *item);
    void setupTouchListWidget();

private:
    void syncListWidget();
    int adjustPopupWidth();

    TouchScrollListWidget *m_listWidget = nullptr;
    QWidget *m_popupWidget = nullptr;
    bool m_popupOpen = false;
};
