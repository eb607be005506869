#include "grid/CGridCellNumeric.h"

bool CGridCellNumeric::Edit(int row, int column, const QRect& rect, const QPoint& /*point*/,
                            int /*controlId*/, int firstChar)
{
    return OpenLineEditor(row, column, rect, firstChar, true);
}
