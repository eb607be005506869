#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

/// Where the tip-style popup goes on the screen. Plain geometry, so every edge case can be
/// tested without a window.
class PopupPlacement {
public:
    /// The value report: the popup's top-left corner 10 pixels right of and below the cursor;
    /// moved above the cursor (bottom edge 10 pixels above it) when its bottom would come
    /// within 20 pixels of the screen's bottom, and left of it (right edge 10 pixels left of it)
    /// when its right edge would come within 20 pixels of the screen's right edge. The result
    /// always lies on `screen` when the popup fits there; its size never changes.
    static QRect forReport(const QSize& popup, const QPoint& cursor, const QRect& screen);
    /// Moves `rect` the least so that it lies on `screen` (its top-left corner wins when it is
    /// larger than the screen).
    static QRect keepOnScreen(const QRect& rect, const QRect& screen);
    /// The geometry of the screen showing `point` (the primary screen when none does).
    static QRect screenGeometryAt(const QPoint& point);
};
