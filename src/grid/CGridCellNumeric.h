#pragma once

#include "grid/CGridCell.h"

/// A cell that holds the digits 0 to 9 only, however its text arrives: its editor refuses other
/// keys, and a pasted or otherwise set text with anything else is refused whole.
class CGridCellNumeric : public CGridCell {
public:
    const char* GetRuntimeClassName() const override { return "CGridCellNumeric"; }
    bool Edit(int row, int column, const QRect& rect, const QPoint& point, int controlId,
              int firstChar) override;
    bool StartsEditWith(QChar c) const override { return c.isDigit(); }
    bool ValidateEdit(const QString& text) override;
};
