#include "toolkit/FlatButton.h"

#include <QPainter>

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

void FlatButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    if (!isFlat())
        return;
    // Without any outline a flat button could not be told from a label.
    QPainter painter(this);
    painter.setPen(palette().color(isDefault() ? QPalette::Dark : QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
