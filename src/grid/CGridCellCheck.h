#pragma once

#include "grid/CGridCell.h"

/// A cell with a check box at its top-left margin and its text beside it. A click inside the box
/// flips the check, whatever the read-only mark; a click elsewhere changes nothing.
class CGridCellCheck : public CGridCell {
public:
    const char* GetRuntimeClassName() const override { return "CGridCellCheck"; }

    /// Sets the check and returns the previous state; redraws the cell when it is in view.
    bool SetCheck(bool checked);
    bool GetCheck() const { return m_checked; }

    /// The box's rectangle inside a cell whose rectangle is `cellRect`.
    QRect GetCheckPlacement(const QRect& cellRect) const;
    /// The box's side: the width of a scroll-bar arrow.
    static int BoxSide();

    void CopyFrom(const CGridCellBase& other) override;
    bool Draw(QPainter& painter, int row, int column, const QRect& rect,
              bool eraseBackground = true) override;
    bool GetTextRect(QRect& rect) const override;
    QSize GetCellExtent() const override;
    void OnClick(const QPoint& pointInCell) override;
    /// Space flips the check as a click in the box does.
    bool OnToggleKey() override;

private:
    bool m_checked = false;
};
