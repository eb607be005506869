#pragma once

#include "grid/CGridCell.h"

/// A cell whose editor takes the digits 0 to 9 only.
class CGridCellNumeric : public CGridCell {
public:
    const char* GetRuntimeClassName() const override { return "CGridCellNumeric"; }
    bool Edit(int row, int column, const QRect& rect, const QPoint& point, int controlId,
              int firstChar) override;
};
