#include "toolkit/FlatButton.h"

FlatButton::FlatButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setFlat(true);
    setAttribute(Qt::WA_Hover);
}

void FlatButton::updateLook()
{
    setFlat(!(m_hovered || hasFocus()));
}

void FlatButton::enterEvent(QEnterEvent* event)
{
    m_hovered = true;
    updateLook();
    QPushButton::enterEvent(event);
}

void FlatButton::leaveEvent(QEvent* event)
{
    m_hovered = false;
    updateLook();
    QPushButton::leaveEvent(event);
}

void FlatButton::focusInEvent(QFocusEvent* event)
{
    QPushButton::focusInEvent(event);
    updateLook();
}

void FlatButton::focusOutEvent(QFocusEvent* event)
{
    QPushButton::focusOutEvent(event);
    updateLook();
}
