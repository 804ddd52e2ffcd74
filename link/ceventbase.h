// The event a page sends its owner.
#pragma once

#include <QEvent>
#include <cstdint>

constexpr QEvent::Type EVENT_PAGE_CLOSED = QEvent::Type(QEvent::User + 30);  // 1030
constexpr QEvent::Type EVENT_OWNER_NOTIFY = QEvent::Type(QEvent::User + 8);  // 1008

class CEventBase : public QEvent
{
public:
    CEventBase(QEvent::Type type, uint value1, uint value2)
        : QEvent(type), m_value1(value1), m_value2(value2)
    {
    }

    quint64 m_value1;
    quint64 m_value2;
};
