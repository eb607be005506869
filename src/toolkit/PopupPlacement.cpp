#include "toolkit/PopupPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int kOffset = 10;
constexpr int kEdgeMargin = 20;

} // namespace

QRect PopupPlacement::forReport(const QSize& popup, const QPoint& cursor, const QRect& screen)
{
    QRect rect(cursor + QPoint(kOffset, kOffset), popup);
    const int screenRight = screen.x() + screen.width();
    const int screenBottom = screen.y() + screen.height();
    if (rect.y() + rect.height() > screenBottom - kEdgeMargin)
        rect.moveTop(cursor.y() - kOffset - rect.height());
    if (rect.x() + rect.width() > screenRight - kEdgeMargin)
        rect.moveLeft(cursor.x() - kOffset - rect.width());
    // A popup taller or wider than the room above or left of the cursor would still leave the
    // screen; it must never open out of sight.
    return keepOnScreen(rect, screen);
}

QRect PopupPlacement::keepOnScreen(const QRect& rect, const QRect& screen)
{
    if (screen.isEmpty())
        return rect;
    QRect placed = rect;
    const int maxLeft = screen.x() + screen.width() - rect.width();
    const int maxTop = screen.y() + screen.height() - rect.height();
    placed.moveLeft(std::max(screen.x(), std::min(rect.x(), maxLeft)));
    placed.moveTop(std::max(screen.y(), std::min(rect.y(), maxTop)));
    return placed;
}

QRect PopupPlacement::screenGeometryAt(const QPoint& point)
{
    QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry() : QRect();
}
