#include "grid/CInPlaceDateTime.h"

#include "grid/CGridCtrl.h"

CInPlaceDateTime::CInPlaceDateTime(CGridCtrl* grid, const QRect& rect, int row, int column,
                                   const QDateTime& time, const QString& format)
    : InPlaceEditorWidget(grid, row, column, time, grid->viewport()), m_original(time)
{
    setObjectName(QStringLiteral("InPlaceDateTime"));
    setDisplayFormat(format);
    Place(rect);
}
