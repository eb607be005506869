#include "grid/CGridCellDateTime.h"

#include "grid/CGridCtrl.h"
#include "grid/CInPlaceDateTime.h"

CGridCellDateTime::CGridCellDateTime() : m_time(QDateTime::currentDateTime()) {}

QString CGridCellDateTime::DisplayFormat() const
{
    if ((m_style & kTimeFormat) == kTimeFormat) {
        return QStringLiteral("HH:mm:ss");
    }
    if (m_style & kLongDateFormat) {
        return QStringLiteral("dddd, MMMM d, yyyy");
    }
    return QStringLiteral("yyyy-MM-dd");
}

void CGridCellDateTime::CopyFrom(const CGridCellBase& other)
{
    CGridCell::CopyFrom(other);
    if (auto* date = dynamic_cast<const CGridCellDateTime*>(&other)) {
        m_time = date->m_time;
        m_style = date->m_style;
    }
}

bool CGridCellDateTime::Edit(int row, int column, const QRect& rect, const QPoint& /*point*/,
                             int /*controlId*/, int /*firstChar*/)
{
    if (IsEditing() || !GetOwner()) {
        return IsEditing();
    }
    SetEditor(new CInPlaceDateTime(GetOwner(), rect, row, column, m_time, DisplayFormat()));
    return true;
}

void CGridCellDateTime::EndEdit()
{
    if (auto* picker = dynamic_cast<CInPlaceDateTime*>(GetEditor())) {
        m_time = picker->dateTime();
    }
    CGridCell::EndEdit();
}
