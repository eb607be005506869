#include "grid/CGridCell.h"

#include "grid/CGridCtrl.h"
#include "grid/CGridDefaultCell.h"
#include "grid/CInPlaceEdit.h"

#include <QFont>

CGridCell::CGridCell() = default;

CGridCell::~CGridCell()
{
    // An open editor belongs to the grid's viewport; it must not report to a dead cell.
    if (auto* editor = dynamic_cast<InPlaceEditor*>(m_editor)) {
        editor->CancelEdit();
    }
}

void CGridCell::SetFont(const QFont* font)
{
    m_font = font ? std::make_unique<QFont>(*font) : nullptr;
}

std::uint32_t CGridCell::GetFormat() const
{
    return m_format == kFormatUnset ? CGridCellBase::GetFormat() : m_format;
}

unsigned CGridCell::GetMargin() const
{
    return m_margin == kMarginUnset ? CGridCellBase::GetMargin() : m_margin;
}

void CGridCell::CopyFrom(const CGridCellBase& other)
{
    CGridCellBase::CopyFrom(other);
    // Unset format and margin stay unset, so the copy keeps following its default cell.
    if (auto* cell = dynamic_cast<const CGridCell*>(&other)) {
        m_format = cell->m_format;
        m_margin = cell->m_margin;
    }
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    m_format = kFormatUnset;
    m_margin = kMarginUnset;
}

bool CGridCell::Edit(int row, int column, const QRect& rect, const QPoint& /*point*/,
                     int /*controlId*/, int firstChar)
{
    return OpenLineEditor(row, column, rect, firstChar, false);
}

bool CGridCell::OpenLineEditor(int row, int column, const QRect& rect, int firstChar,
                               bool digitsOnly)
{
    if (m_editing || !m_owner) {
        return m_editing;
    }
    // Opened by a typed key, the arrows leave the editor; opened by the mouse they move the caret.
    auto* editor = new CInPlaceEdit(m_owner, rect, row, column, GetText(), firstChar, digitsOnly,
                                    firstChar != 0);
    SetEditor(editor);
    return true;
}

void CGridCell::SetEditor(QWidget* editor)
{
    m_editor = editor;
    m_editing = editor != nullptr;
}

void CGridCell::EndEdit()
{
    m_editor = nullptr;
    m_editing = false;
}
