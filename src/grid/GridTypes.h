#pragma once

#include <QColor>
#include <QFont>
#include <QString>

#include <cstdint>

/// A grid colour: 0x00RRGGBB, or kGridColourUnset to take the colour of the cell's default cell.
using GridColour = std::uint32_t;
constexpr GridColour kGridColourUnset = 0xFF000000;

inline QColor GridColourToQColor(GridColour colour)
{
    return QColor(int((colour >> 16) & 0xFF), int((colour >> 8) & 0xFF), int(colour & 0xFF));
}
inline GridColour GridColourFromQColor(const QColor& colour)
{
    return (GridColour(colour.red()) << 16) | (GridColour(colour.green()) << 8) |
           GridColour(colour.blue());
}

/// Which fields of a GridItem are valid.
namespace grid_mask {
constexpr unsigned kText = 0x1;
constexpr unsigned kImage = 0x2;
constexpr unsigned kData = 0x4;
constexpr unsigned kState = 0x8;
constexpr unsigned kBackColour = 0x10;
constexpr unsigned kTextColour = 0x20;
constexpr unsigned kFormat = 0x40;
constexpr unsigned kFont = 0x80;
constexpr unsigned kMargin = 0x100;
} // namespace grid_mask

/// Cell state bits.
namespace grid_state {
constexpr unsigned kFocused = 0x01;
constexpr unsigned kSelected = 0x02;
constexpr unsigned kDropHighlighted = 0x04;
constexpr unsigned kReadOnly = 0x08;
constexpr unsigned kFixed = 0x10;
constexpr unsigned kFixedRow = 0x20;
constexpr unsigned kFixedColumn = 0x40;
constexpr unsigned kModified = 0x80;
constexpr unsigned kFixedRowBits = kFixed | kFixedRow;       // 0x30
constexpr unsigned kFixedColumnBits = kFixed | kFixedColumn; // 0x50
} // namespace grid_state

/// Text layout flags of a cell.
namespace grid_format {
constexpr std::uint32_t kLeft = 0x0;
constexpr std::uint32_t kCenter = 0x1;
constexpr std::uint32_t kRight = 0x2;
constexpr std::uint32_t kVCenter = 0x4;
constexpr std::uint32_t kBottom = 0x8;
constexpr std::uint32_t kWordBreak = 0x10;
constexpr std::uint32_t kSingleLine = 0x20;
constexpr std::uint32_t kNoPrefix = 0x800;
constexpr std::uint32_t kEndEllipsis = 0x8000;
constexpr std::uint32_t kDefault = kLeft | kVCenter | kSingleLine | kNoPrefix | kEndEllipsis;
} // namespace grid_format

/// Notification codes the grid sends to its parent (see CGridCtrl::notify).
namespace grid_notify {
constexpr int kSelectionChanging = -100;
constexpr int kSelectionChanged = -101;
constexpr int kBeginEdit = -105;
constexpr int kEndEdit = -106;
constexpr int kBeginDrag = -109;
constexpr int kDoubleClick = -3;
constexpr int kClick = -2;
constexpr int kRightClick = -5;
constexpr int kDisplayRequest = -150;
} // namespace grid_notify

/// Item descriptor: sets or reads several attributes of one cell at once; `mask` names the
/// valid fields.
struct GridItem {
    int row = -1;
    int column = -1;
    unsigned mask = 0;
    unsigned state = 0;
    std::uint32_t format = grid_format::kDefault;
    int image = -1;
    GridColour backColour = kGridColourUnset;
    GridColour textColour = kGridColourUnset;
    std::int32_t data = 0;
    QFont font;
    unsigned margin = 0;
    QString text;
};

/// A cell position; (-1, -1) names no cell.
struct GridCellCoord {
    int row = -1;
    int column = -1;
    bool IsValid() const { return row >= 0 && column >= 0; }
    friend bool operator==(const GridCellCoord&, const GridCellCoord&) = default;
};

/// The arrow keys and Page Up/Down: they move the grid's focus, and end an in-place edit that
/// lets them.
inline bool IsArrowOrPageKey(int key)
{
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left ||
           key == Qt::Key_Right || key == Qt::Key_PageUp || key == Qt::Key_PageDown;
}
