#pragma once

#include "grid/GridTypes.h"

#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

class CGridCtrl;
class CGridDefaultCell;
class QFont;
class QFontMetrics;
class QPainter;
class QPoint;
class QWidget;

/// The root of every cell kind. Storage lives in CGridCell; this class holds the behaviour that
/// works through the getters (drawing, sizes, state tests), so a kind only overrides what differs.
class CGridCellBase {
public:
    CGridCellBase() = default;
    virtual ~CGridCellBase();
    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;

    /// The width of the frame around the focused cell, in pixels.
    static constexpr int kFocusFrameWidth = 2;

    /// The run-time class name the cell kind is registered under (see GridCellFactory).
    virtual const char* GetRuntimeClassName() const = 0;

    virtual void SetText(const QString& /*text*/) {}
    virtual void SetImage(int /*image*/) {}
    virtual void SetData(std::int32_t /*data*/) {}
    virtual void SetState(unsigned /*state*/) {}
    virtual void SetFormat(std::uint32_t /*format*/) {}
    virtual void SetTextColour(GridColour /*colour*/) {}
    virtual void SetBackColour(GridColour /*colour*/) {}
    /// Null clears the own font so the default cell's font is used.
    virtual void SetFont(const QFont* /*font*/) {}
    virtual void SetMargin(unsigned /*margin*/) {}
    virtual void SetOwner(CGridCtrl* /*grid*/) {}
    virtual void SetCoords(int /*row*/, int /*column*/) {}

    virtual QString GetText() const { return {}; }
    virtual QString GetTipText() const { return GetText(); }
    virtual int GetImage() const { return -1; }
    virtual std::int32_t GetData() const { return 0; }
    virtual unsigned GetState() const { return 0; }
    virtual std::uint32_t GetFormat() const;
    virtual GridColour GetTextColour() const { return kGridColourUnset; }
    virtual GridColour GetBackColour() const { return kGridColourUnset; }
    /// The cell's own font, or null when it takes the default cell's.
    virtual const QFont* GetFont() const { return nullptr; }
    /// The font the cell draws with: its own, else its default cell's.
    virtual QFont GetFontObject() const;
    virtual CGridCtrl* GetOwner() const { return nullptr; }
    virtual QWidget* GetEditor() const { return nullptr; }
    virtual unsigned GetMargin() const;
    virtual const CGridDefaultCell* GetDefaultCell() const;
    virtual GridCellCoord GetCoords() const { return {}; }

    bool IsDefaultFont() const { return GetFont() == nullptr; }
    virtual bool IsEditing() const { return false; }
    bool IsFocused() const { return GetState() & grid_state::kFocused; }
    bool IsFixed() const { return GetState() & grid_state::kFixed; }
    bool IsFixedColumn() const { return GetState() & grid_state::kFixedColumn; }
    bool IsFixedRow() const { return GetState() & grid_state::kFixedRow; }
    bool IsSelected() const { return GetState() & grid_state::kSelected; }
    bool IsReadOnly() const { return GetState() & grid_state::kReadOnly; }
    bool IsModified() const { return GetState() & grid_state::kModified; }
    bool IsDropHighlighted() const { return GetState() & grid_state::kDropHighlighted; }

    /// Copies every attribute of `other` (not its owner, place or editor).
    virtual void CopyFrom(const CGridCellBase& other);
    /// Back to a fresh cell: no text, no image, unset colours and font.
    virtual void Reset();

    /// Paints the cell into `rect` (viewport coordinates).
    virtual bool Draw(QPainter& painter, int row, int column, const QRect& rect,
                      bool eraseBackground = true);
    /// Narrows `rect` (the cell rectangle) to where the text goes.
    virtual bool GetTextRect(QRect& rect) const;
    virtual bool GetTipTextRect(QRect& rect) const { return GetTextRect(rect); }
    virtual QSize GetTextExtent(const QString& text) const;
    /// The size the cell wants for its content.
    virtual QSize GetCellExtent() const;

    /// Opens the cell's in-place editor over `rect`; `firstChar` (0 for none) is typed into it.
    virtual bool Edit(int /*row*/, int /*column*/, const QRect& /*rect*/, const QPoint& /*point*/,
                      int /*controlId*/, int /*firstChar*/)
    {
        return false;
    }
    /// Whether a character typed on the cell starts its edit (a number cell refuses letters,
    /// so that a slipped shortcut key never opens an edit).
    virtual bool StartsEditWith(QChar /*c*/) const { return true; }
    /// False refuses the text an edit produced; the grid then restores the old text.
    virtual bool ValidateEdit(const QString& /*text*/) { return true; }
    /// Closes the editor, if any, without reporting again.
    virtual void EndEdit() {}

    // Hooks the grid calls as the pointer moves and editing ends; cells may react.
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnEndEdit() {}

    // Mouse handlers: points are relative to the cell's top-left corner.
    virtual void OnClick(const QPoint& /*pointInCell*/) {}
    virtual void OnClickDown(const QPoint& /*pointInCell*/) {}
    virtual void OnRightClick(const QPoint& /*pointInCell*/) {}
    virtual void OnDoubleClick(const QPoint& /*pointInCell*/) {}
    /// The Space key on the focused cell: a cell with a check box flips it and returns true;
    /// other cells return false and the key goes on as typed text.
    virtual bool OnToggleKey() { return false; }
    /// Sets the pointer shape over the cell; false leaves the grid's own.
    virtual bool OnSetCursor(const QPoint& /*pointInCell*/) { return false; }

protected:
    /// The cell's rectangle in viewport coordinates, empty when it is not on screen.
    QRect CurrentRect() const;
    QFontMetrics Metrics() const;
    void DrawBackground(QPainter& painter, const QRect& rect) const;
    void DrawText(QPainter& painter, const QRect& textRect, const QColor& colour) const;
    virtual QColor ResolvedTextColour() const;
    QColor ResolvedBackColour() const;
};
