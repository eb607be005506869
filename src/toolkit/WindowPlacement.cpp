#include "toolkit/WindowPlacement.h"

#include "toolkit/AppSettings.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>
#include <algorithm>

const QString WindowPlacement::kEntry = QStringLiteral("WindowPlacement");

namespace {

// Layout of the record, all 32-bit little-endian: length, flags, show state, minimised
// position (x, y), maximised position (x, y), normal rectangle (left, top, right, bottom).
constexpr int kLength = 0;
constexpr int kShow = 8;
constexpr int kNormalRect = 28;
constexpr int kMaxCoordinate = 32767;
// Room for the frame a window manager puts around the client area: the title bar above,
// thin borders elsewhere. Windows placed by the program leave it free on the screen.
constexpr int kFrameSide = 4;
constexpr int kFrameTop = 28;
// Between two windows placed side by side.
constexpr int kPairGap = 8;

// Where a window's client area may lie so that its frame stays on the screen too.
QRect clientArea(const QRect& screen)
{
    const QRect area = screen.adjusted(kFrameSide, kFrameTop, -kFrameSide, -kFrameSide);
    return area.isEmpty() ? screen : area;
}

void put(QByteArray& record, int offset, qint32 value)
{
    const auto bits = static_cast<quint32>(value);
    for (int i = 0; i < 4; ++i)
        record[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xff);
}

qint32 get(const QByteArray& record, int offset)
{
    quint32 bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= quint32(static_cast<unsigned char>(record[offset + i])) << (8 * i);
    return static_cast<qint32>(bits);
}

qint64 overlap(const QRect& a, const QRect& b)
{
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : qint64(both.width()) * both.height();
}

} // namespace

QByteArray WindowPlacement::encode() const
{
    QByteArray record(kRecordSize, '\0');
    put(record, kLength, kRecordSize);
    put(record, kShow, showState);
    put(record, kNormalRect, normal.left());
    put(record, kNormalRect + 4, normal.top());
    put(record, kNormalRect + 8, normal.left() + normal.width());
    put(record, kNormalRect + 12, normal.top() + normal.height());
    return record;
}

std::optional<WindowPlacement> WindowPlacement::decode(const QByteArray& record)
{
    if (record.size() != kRecordSize || get(record, kLength) != kRecordSize)
        return std::nullopt;
    const qint32 show = get(record, kShow);
    const qint32 left = get(record, kNormalRect);
    const qint32 top = get(record, kNormalRect + 4);
    const qint32 right = get(record, kNormalRect + 8);
    const qint32 bottom = get(record, kNormalRect + 12);
    if (show < 0 || show > 11)
        return std::nullopt;
    for (qint32 value : {left, top, right, bottom}) {
        if (value < -kMaxCoordinate || value > kMaxCoordinate)
            return std::nullopt;
    }
    if (right <= left || bottom <= top)
        return std::nullopt;
    WindowPlacement placement;
    placement.normal = QRect(left, top, right - left, bottom - top);
    placement.showState = show;
    return placement;
}

QRect WindowPlacement::fitOntoScreens(const QRect& rect, const QList<QRect>& screens)
{
    if (screens.isEmpty())
        return rect;
    for (const QRect& screen : screens) {
        if (screen.contains(rect))
            return rect;
    }
    QRect target = screens.front();
    qint64 best = 0;
    for (const QRect& screen : screens) {
        const qint64 area = overlap(rect, screen);
        if (area > best) {
            best = area;
            target = screen;
        }
    }
    QRect fitted(rect.topLeft(), rect.size().boundedTo(target.size()));
    fitted.moveLeft(
        std::clamp(fitted.left(), target.left(), target.left() + target.width() - fitted.width()));
    fitted.moveTop(
        std::clamp(fitted.top(), target.top(), target.top() + target.height() - fitted.height()));
    return fitted;
}

QRect WindowPlacement::defaultRect(const QSize& size, Spot spot, const QRect& screen)
{
    const QRect area = clientArea(screen);
    QSize fitted = size.boundedTo(area.size());
    // Each of a pair gets half the screen, less its frame and half the gap.
    const int halfWidth = screen.width() / 2 - 2 * kFrameSide - kPairGap / 2;
    if (spot != Spot::Centre)
        fitted.setWidth(std::max(1, std::min(fitted.width(), halfWidth)));
    const int top = area.top() + (area.height() - fitted.height()) / 2;
    const int middle = screen.left() + screen.width() / 2;
    int left = middle - fitted.width() / 2;
    if (spot == Spot::LeftOfPair)
        left = middle - kPairGap / 2 - kFrameSide - fitted.width();
    else if (spot == Spot::RightOfPair)
        left = middle + kPairGap / 2 + kFrameSide;
    return QRect(QPoint(left, top), fitted);
}

QList<QRect> WindowPlacement::availableScreens()
{
    QList<QRect> screens;
    if (QScreen* primary = QGuiApplication::primaryScreen())
        screens << primary->availableGeometry();
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            screens << screen->availableGeometry();
    }
    return screens;
}

void WindowPlacement::save(const QString& section, const QWidget& window)
{
    WindowPlacement placement;
    placement.normal =
        window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    if (window.isMinimized())
        placement.showState = kMinimized;
    else if (window.isMaximized())
        placement.showState = kMaximized;
    auto settings = AppSettings::open();
    settings->setValue(section + QLatin1Char('/') + kEntry, placement.encode());
    settings->sync();
}

bool WindowPlacement::restore(const QString& section, QWidget& window)
{
    auto settings = AppSettings::open();
    const QVariant value = settings->value(section + QLatin1Char('/') + kEntry);
    if (value.typeId() != QMetaType::QByteArray)
        return false;
    const std::optional<WindowPlacement> placement = decode(value.toByteArray());
    if (!placement)
        return false;

    QSize size = placement->normal.size().expandedTo(window.minimumSize());
    size = size.boundedTo(window.maximumSize());
    QList<QRect> screens = availableScreens();
    for (QRect& screen : screens)
        screen = clientArea(screen);
    QRect fitted = fitOntoScreens(QRect(placement->normal.topLeft(), size), screens);
    // A minimum size larger than the screen (a large scale factor on a small screen) would
    // push the window over its edge again: the screen wins.
    if (!screens.isEmpty())
        window.setMinimumSize(window.minimumSize().boundedTo(fitted.size()));
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        window.resize(fitted.size());
        return true;
    }
    window.setGeometry(fitted);
    // A window saved while maximised comes back maximised; a minimised one comes back
    // normal, so it is never restored out of sight.
    if (placement->showState == kMaximized &&
        window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint))
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    return true;
}
