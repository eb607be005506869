#include "grid/CTitleTip.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>

CTitleTip::CTitleTip(QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                         Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus)
{
    setObjectName(QStringLiteral("ZTitleTip"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

bool CTitleTip::ShowTip(const QRect& cellRect, const QString& text, int xOffset,
                        const QRect& hoverRect, const QFont& font, GridColour textColour,
                        GridColour backColour)
{
    if (isVisible() || QApplication::activeWindow() == nullptr || text.isEmpty()) {
        return false;
    }
    const QRect place = hoverRect.isValid() ? hoverRect : cellRect;
    const QFontMetrics metrics(font);
    const QString padded = QLatin1Char(' ') + text + QLatin1Char(' ');
    const int textWidth = metrics.horizontalAdvance(padded) + xOffset;
    if (textWidth <= place.width()) {
        return false;
    }
    m_text = text;
    m_font = font;
    m_xOffset = xOffset;
    m_textColour = textColour;
    m_backColour = backColour;
    QRect tip(place.topLeft(), QSize(textWidth + 2, std::max(place.height(), metrics.height())));
    if (QScreen* screen = QApplication::screenAt(place.center())) {
        const QRect room = screen->availableGeometry();
        if (tip.right() > room.right()) {
            tip.moveLeft(std::max(room.left(), room.right() - tip.width() + 1));
        }
    }
    setGeometry(tip);
    show();
    return true;
}

void CTitleTip::HideTip()
{
    if (isVisible()) {
        hide();
    }
}

void CTitleTip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QPalette palette = QApplication::palette();
    painter.fillRect(rect(), m_backColour == kGridColourUnset ? palette.color(QPalette::ToolTipBase)
                                                              : GridColourToQColor(m_backColour));
    painter.setPen(palette.color(QPalette::ToolTipText));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.setFont(m_font);
    painter.setPen(m_textColour == kGridColourUnset ? palette.color(QPalette::ToolTipText)
                                                    : GridColourToQColor(m_textColour));
    const QRect textRect = rect().adjusted(1 + m_xOffset, 0, -1, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     QLatin1Char(' ') + m_text + QLatin1Char(' '));
}
