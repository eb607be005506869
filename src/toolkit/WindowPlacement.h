#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QString>
#include <optional>

class QWidget;

/// A window's saved place: its normal rectangle (the client area, in device-independent global
/// pixels, as Qt gives geometry whatever the scale factor) and how it was shown. Stored as a 44-byte little-endian record under a section of the settings store,
/// entry "WindowPlacement"; a record of any other size or with impossible values is ignored.
struct WindowPlacement {
    enum ShowState : int { kNormal = 1, kMinimized = 2, kMaximized = 3 };

    static constexpr int kRecordSize = 44;
    static const QString kEntry;

    QRect normal;
    int showState = kNormal;

    QByteArray encode() const;
    static std::optional<WindowPlacement> decode(const QByteArray& record);

    /// Where a window with this rectangle may be put on these screens (available geometries,
    /// the primary screen first): unchanged when it lies wholly on a screen, else shrunk to
    /// that screen's size and moved onto the screen it overlaps most, or the primary one. A
    /// placement saved under another scale factor or screen layout so never reopens partly
    /// out of sight.
    static QRect fitOntoScreens(const QRect& rect, const QList<QRect>& screens);

    /// Where a window opens the first time: `size` bounded by the screen's available geometry,
    /// and for `Spot::Centre` the middle of it; `LeftOfPair` and `RightOfPair` put two windows
    /// of this size side by side around the middle (each at most half the screen wide).
    enum class Spot { Centre, LeftOfPair, RightOfPair };
    static QRect defaultRect(const QSize& size, Spot spot, const QRect& screen);

    /// The available geometries of all screens, the primary one first.
    static QList<QRect> availableScreens();

    /// Saves the widget's normal geometry under `section`.
    static void save(const QString& section, const QWidget& window);
    /// Restores a placement saved under `section`; false when there was none that is valid.
    /// Under Wayland only the size is restored: the position belongs to the compositor.
    static bool restore(const QString& section, QWidget& window);
};
