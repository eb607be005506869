// The editing flow and the clipboard commands of the grid.
#include "grid/CGridCtrl.h"

#include "grid/CGridCellBase.h"
#include "grid/InPlaceEditor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>
#include <map>

bool CGridCtrl::EditCell(int row, int column, int firstChar)
{
    if (!IsCellEditable(row, column) || m_virtualMode) {
        return false;
    }
    if (m_editor) {
        EndEditing();
    }
    if (SendNotify(grid_notify::kBeginEdit, row, column) < 0) {
        return false;
    }
    EnsureVisible(row, column);
    const QRect rect = CellRect(row, column);
    if (rect.isEmpty()) {
        return false;
    }
    HideTitleTip();
    SetFocusCell(row, column);
    CGridCellBase* cell = CellAt(row, column);
    m_editCell = {row, column};
    if (!cell->Edit(row, column, rect, QPoint(), m_controlId, firstChar) || !cell->GetEditor()) {
        m_editCell = {};
        return false;
    }
    m_editor = cell->GetEditor();
    return true;
}

void CGridCtrl::DropEditor()
{
    if (auto* editor = dynamic_cast<InPlaceEditor*>(m_editor)) {
        editor->CancelEdit();
    }
    m_editor = nullptr;
    m_editCell = {};
}

void CGridCtrl::EndEditing()
{
    if (auto* editor = dynamic_cast<InPlaceEditor*>(m_editor)) {
        editor->FinishEdit(0);
    }
}

bool CGridCtrl::IsEditingCell() const
{
    return m_editor != nullptr;
}

void CGridCtrl::ChangeCellText(int row, int column, const QString& text, int endKey)
{
    CGridCellBase* cell = m_virtualMode ? nullptr : CellAt(row, column);
    if (!cell) {
        return;
    }
    const QString old = cell->GetText();
    if (text == old) {
        return;
    }
    cell->SetText(text);
    // A text the cell refuses is put back before anyone hears of it.
    if (!cell->ValidateEdit(text)) {
        cell->SetText(old);
        RedrawCell(row, column);
        return;
    }
    const std::uint64_t generation = m_cellGeneration;
    emit notify(grid_notify::kEndEdit, row, column);
    bool refuse = false;
    if (generation == m_cellGeneration) {
        emit editEnded(row, column, text, endKey, &refuse);
    }
    if (generation != m_cellGeneration) {
        return; // the parent rebuilt the grid in its handler; what it built stands
    }
    if (refuse) {
        cell->SetText(old);
    } else {
        cell->SetState(cell->GetState() | grid_state::kModified);
    }
    RedrawCell(row, column);
}

void CGridCtrl::OnEndInPlaceEdit(int row, int column, const QString& text, int endKey)
{
    const bool wasOpen = m_editor != nullptr;
    const bool hadFocus = m_editor && m_editor->hasFocus();
    m_editor = nullptr;
    m_editCell = {};
    CGridCellBase* cell = m_virtualMode ? nullptr : CellAt(row, column);
    if (!wasOpen || !cell) {
        return;
    }
    cell->EndEdit();
    cell->OnEndEdit();
    if (hadFocus || endKey != 0) {
        setFocus(Qt::OtherFocusReason);
    }
    const std::uint64_t generation = m_cellGeneration;
    ChangeCellText(row, column, text, endKey);
    if (generation != m_cellGeneration) {
        return; // rows were rebuilt: the cell the key would move to is no longer known
    }
    switch (endKey) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        MoveFocus(endKey, Qt::NoModifier);
        EditCell(m_focus.row, m_focus.column);
        break;
    default:
        break;
    }
}

// --- clipboard commands -----------------------------------------------------------------------

bool CGridCtrl::CanCopy() const
{
    return !m_selection.empty();
}

bool CGridCtrl::CanCut() const
{
    return m_editable && !m_virtualMode && CanCopy();
}

bool CGridCtrl::CanPaste() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    return m_editable && !m_virtualMode && m_focus.IsValid() && data && data->hasText();
}

bool CGridCtrl::CanSelectAll() const
{
    return GetRowCount() > m_fixedRows && GetColumnCount() > m_fixedColumns;
}

QString CGridCtrl::SelectedText() const
{
    if (m_selection.empty()) {
        return {};
    }
    std::map<int, std::vector<int>> rows;
    int first = GetColumnCount();
    int last = -1;
    for (std::uint64_t key : m_selection) {
        const int row = int(key >> 16);
        const int column = int(key & 0xFFFF);
        if (m_columnWidths[size_t(column)] <= 0) {
            continue; // hidden columns are not copied
        }
        rows[row].push_back(column);
        first = std::min(first, column);
        last = std::max(last, column);
    }
    QString text;
    for (auto& [row, columns] : rows) {
        std::sort(columns.begin(), columns.end());
        QStringList fields;
        for (int c = first; c <= last; ++c) {
            if (m_columnWidths[size_t(c)] <= 0) {
                continue;
            }
            fields << (std::binary_search(columns.begin(), columns.end(), c) ? GetCellText(row, c)
                                                                             : QString());
        }
        text += fields.join(QLatin1Char('\t'));
        text += QLatin1Char('\n');
    }
    return text;
}

void CGridCtrl::OnEditCopy()
{
    if (!CanCopy()) {
        return;
    }
    QGuiApplication::clipboard()->setText(SelectedText(), QClipboard::Clipboard);
}

void CGridCtrl::OnEditCut()
{
    if (!CanCut()) {
        return;
    }
    OnEditCopy();
    std::vector<std::uint64_t> keys(m_selection.begin(), m_selection.end());
    std::sort(keys.begin(), keys.end());
    for (std::uint64_t key : keys) {
        const int row = int(key >> 16);
        const int column = int(key & 0xFFFF);
        if (IsCellEditable(row, column)) {
            ChangeCellText(row, column, QString(), 0);
        }
    }
}

void CGridCtrl::OnEditPaste()
{
    if (!CanPaste()) {
        return;
    }
    PasteText(QGuiApplication::clipboard()->text(QClipboard::Clipboard));
}

void CGridCtrl::PasteText(const QString& text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.last().isEmpty()) {
        lines.removeLast();
    }
    const GridCellCoord start = m_focus;
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        const QStringList fields = line.split(QLatin1Char('\t'));
        for (int j = 0; j < fields.size(); ++j) {
            const int row = start.row + i;
            const int column = start.column + j;
            // Only cells the user could have typed into take pasted text.
            if (IsCellEditable(row, column)) {
                ChangeCellText(row, column, fields.at(j), 0);
            }
        }
    }
}

void CGridCtrl::OnEditSelectAll()
{
    SelectAllCells();
}
