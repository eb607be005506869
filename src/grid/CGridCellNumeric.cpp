#include "grid/CGridCellNumeric.h"

#include <algorithm>

bool CGridCellNumeric::Edit(int row, int column, const QRect& rect, const QPoint& /*point*/,
                            int /*controlId*/, int firstChar)
{
    return OpenLineEditor(row, column, rect, firstChar, true);
}

bool CGridCellNumeric::ValidateEdit(const QString& text)
{
    // A cut leaves the cell empty, which its editor allows too; a sign never gets in.
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); });
}
