#include "touchcombobox.h"
#include "touchscrolllistwidget.h"

#include <QEvent>
#include <QGuiApplication>
#include <QListView>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const int kRowHeightForPopup = 50;
const int kPopupMaxHeight = 310;
const int kPopupWidthPadding = 35;
const int kReopenGuardMs = 100;

const char kPopupStyle[] = "QWidget{background:transparent;border:none;font-family:Arial;}";

const char kListStyle[] =
    "QListWidget{border-radius:10px;outline:none;background-color:rgb(38,38,38);color:#ffffff;"
    "font-size:14px;font-family:'Arial';}"
    "QListWidget::item{border:none;border-radius:6px;padding:5px 2px;margin:2px 2px;font-size:14px;"
    "background-color:transparent;color:#ffffff;}"
    "QListWidget::item:selected{background:qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #2c5f7a, "
    "stop:1 #3a7ca5);color:#ffffff;border-left:none;}"
    "QListWidget::item:hover{background-color:rgb(85,85,85);color:#ffffff;}"
    "QListWidget::item:selected:hover{background:qlineargradient(x1:0, y1:0, x2:1, y2:0, "
    "stop:0 #336a87, stop:1 #4289b5);}"
    "QScrollBar:vertical{background-color:#1a1a1a;width:18px;border-radius:5px;border:none;}"
    "QScrollBar::handle:vertical{background-color:#505050;border-radius:7px;min-height:30px;"
    "min-width:18px;margin:0px 2px;}"
    "QScrollBar::handle:vertical:hover{background-color:#6a6a6a;}"
    "QScrollBar::handle:vertical:pressed{background-color:#3a7ca5;}"
    "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical{background-color:transparent;}"
    "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical{height:0px;width:0px;}"
    "QScrollBar::up-arrow:vertical, QScrollBar::down-arrow:vertical{border:none;background:none;}";

} // namespace

TouchComboBox::TouchComboBox(QWidget *parent)
    : QComboBox(parent)
{
    QTimer::singleShot(0, this, &TouchComboBox::setupTouchListWidget);
}

TouchComboBox::~TouchComboBox()
{
    // The popup is a window of its own; it goes with its combo. Later, not
    // at once: a slot of activated may destroy the combo while the popup's
    // list is still handling the click that chose the item.
    if (m_popupWidget) {
        m_popupWidget->removeEventFilter(this);
        m_popupWidget->hide();
        m_popupWidget->deleteLater();
    }
}

int TouchComboBox::popupHeightFor(int itemCount)
{
    const int rows = itemCount * kRowHeightForPopup;
    return rows < kPopupMaxHeight - 10 ? rows + 10 : kPopupMaxHeight;
}

void TouchComboBox::addItem(const QString &text, const QVariant &userData)
{
    QComboBox::insertItem(count(), QIcon(), text, userData);
    syncListWidget();
}

void TouchComboBox::addItem(const QIcon &icon, const QString &text, const QVariant &userData)
{
    QComboBox::insertItem(count(), icon, text, userData);
    syncListWidget();
}

void TouchComboBox::addItems(const QStringList &texts)
{
    QComboBox::insertItems(count(), texts);
    syncListWidget();
}

void TouchComboBox::insertItem(int index, const QString &text, const QVariant &userData)
{
    QComboBox::insertItem(index, QIcon(), text, userData);
    syncListWidget();
}

void TouchComboBox::insertItem(int index, const QIcon &icon, const QString &text,
                               const QVariant &userData)
{
    QComboBox::insertItem(index, icon, text, userData);
    syncListWidget();
}

void TouchComboBox::insertItems(int index, const QStringList &texts)
{
    QComboBox::insertItems(index, texts);
    syncListWidget();
}

void TouchComboBox::removeItem(int index)
{
    QComboBox::removeItem(index);
    syncListWidget();
}

void TouchComboBox::clear()
{
    QComboBox::clear();
    if (m_listWidget)
        m_listWidget->clear();
}

void TouchComboBox::setItemText(int index, const QString &text)
{
    QComboBox::setItemText(index, text);
    if (m_listWidget && index >= 0 && index < m_listWidget->count())
        m_listWidget->item(index)->setText(text);
}

void TouchComboBox::setItemIcon(int index, const QIcon &icon)
{
    QComboBox::setItemIcon(index, icon);
    if (m_listWidget && index >= 0 && index < m_listWidget->count())
        m_listWidget->item(index)->setData(Qt::DecorationRole, icon);
}

void TouchComboBox::setItemData(int index, const QVariant &value, int role)
{
    QComboBox::setItemData(index, value, role);
    if (m_listWidget && index >= 0 && index < m_listWidget->count())
        m_listWidget->item(index)->setData(role, value);
}

void TouchComboBox::setupTouchListWidget()
{
    if (m_listWidget || !qobject_cast<QListView *>(view()))
        return;

    m_popupWidget = new QWidget(nullptr, Qt::Popup | Qt::FramelessWindowHint);
    m_popupWidget->installEventFilter(this);
    m_popupWidget->setAttribute(Qt::WA_StyledBackground);
    m_popupWidget->setAttribute(Qt::WA_ShowWithoutActivating);
    m_popupWidget->setStyleSheet(QString::fromLatin1(kPopupStyle));

    m_listWidget = new TouchScrollListWidget(m_popupWidget);
    m_listWidget->applyTouchSettings();
    m_listWidget->setStyleSheet(QString::fromLatin1(kListStyle));
    for (int i = 0; i < count(); ++i)
        m_listWidget->addItem(itemText(i));
    connect(m_listWidget, &QListWidget::itemClicked, this, &TouchComboBox::onItemClicked);

    auto *layout = new QVBoxLayout(m_popupWidget);
    layout->setContentsMargins(0, 0, 0, 0);
    // The popup takes exactly the size showPopup gives it, however small.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    layout->addWidget(m_listWidget);
}

void TouchComboBox::syncListWidget()
{
    if (!m_listWidget)
        return;
    const int current = currentIndex();
    m_listWidget->clear();
    for (int i = 0; i < count(); ++i) {
        auto *row = new QListWidgetItem(itemText(i), m_listWidget);
        const QIcon icon = itemIcon(i);
        if (!icon.isNull())
            row->setData(Qt::DecorationRole, icon);
        const QVariant data = itemData(i, Qt::UserRole);
        if (data.isValid())
            row->setData(Qt::UserRole, data);
    }
    if (current >= 0 && current < m_listWidget->count())
        m_listWidget->setCurrentRow(current);
}

int TouchComboBox::adjustPopupWidth()
{
    if (!m_listWidget || m_listWidget->count() == 0)
        return width();
    m_listWidget->ensurePolished(); // the list's style sheet sets its font
    const QFontMetrics metrics(m_listWidget->font());
    int widest = 0;
    for (int i = 0; i < m_listWidget->count(); ++i)
        widest = qMax(widest, metrics.horizontalAdvance(m_listWidget->item(i)->text()));
    return qMax(widest + kPopupWidthPadding, width());
}

void TouchComboBox::showPopup()
{
    if (!m_listWidget)
        setupTouchListWidget();
    syncListWidget();
    if (count() == 0 || !m_popupWidget)
        return;

    QPoint pos = mapToGlobal(QPoint(0, height()));
    QScreen *screen = QGuiApplication::screenAt(pos);
    if (!screen)
        screen = this->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();

    const int h = popupHeightFor(count());
    if (!available.isNull() && pos.y() + h > available.bottom())
        pos.setY(pos.y() - height() - h);
    const int w = adjustPopupWidth();
    m_popupWidget->setGeometry(pos.x(), pos.y(), w, h);

    const int current = currentIndex();
    if (current >= 0 && current < m_listWidget->count()) {
        m_listWidget->setCurrentRow(current);
        m_listWidget->scrollToItem(m_listWidget->item(current), QAbstractItemView::PositionAtCenter);
    }
    m_popupWidget->show();
    m_popupWidget->setFocus();
    m_popupOpen = true;
}

void TouchComboBox::hidePopup()
{
    // Every hide but the one of a close from outside ends the open state at
    // once; QComboBox also hides its popup when the combo is hidden or
    // disabled, and a flag left set would stop the combo from opening again.
    if (m_popupWidget)
        m_popupWidget->hide();
    m_popupOpen = false;
}

void TouchComboBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QComboBox::mousePressEvent(event);
        return;
    }
    event->accept();
    if (!m_popupOpen)
        showPopup();
}

void TouchComboBox::wheelEvent(QWheelEvent *event)
{
    event->ignore();
}

bool TouchComboBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_popupWidget && event->type() == QEvent::Close) {
        event->accept();
        if (m_popupOpen) {
            // Closed by a click outside the popup: keep the flag a moment so
            // that the same click landing on the combo does not reopen it.
            m_popupWidget->hide();
            QTimer::singleShot(kReopenGuardMs, this, [this] { m_popupOpen = false; });
        }
        return true;
    }
    return QComboBox::eventFilter(watched, event);
}

void TouchComboBox::onItemClicked(QListWidgetItem *item)
{
    const int row = m_listWidget->row(item);
    setCurrentIndex(row);
    hidePopup();
    m_popupOpen = false;
    emit activated(row);
}
