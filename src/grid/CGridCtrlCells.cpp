// Cell access, item descriptors, cell kinds and virtual mode of the grid.
#include "grid/CGridCtrl.h"

#include "grid/CGridCell.h"
#include "grid/CGridDefaultCell.h"
#include "grid/GridCellFactory.h"

// --- cells ------------------------------------------------------------------------------------

CGridCellBase* CGridCtrl::CellAt(int row, int column) const
{
    if (!ValidCell(row, column)) {
        return nullptr;
    }
    if (m_virtualMode) {
        return VirtualCell(row, column);
    }
    if (IsProvidedRow(row)) {
        return ProvidedCell(row, column);
    }
    return StoredCell(row, column);
}

QString CGridCtrl::ProvidedText(int row, int column) const
{
    const CGridCellBase* cell = ProvidedCell(row, column);
    return cell ? cell->GetText() : QString();
}

CGridCellBase* CGridCtrl::VirtualCell(int row, int column) const
{
    const CGridDefaultCell* defaults = GetDefaultCell(row < m_fixedRows, column < m_fixedColumns);
    GridItem item;
    item.row = row;
    item.column = column;
    item.mask = grid_mask::kText | grid_mask::kImage | grid_mask::kData | grid_mask::kState |
                grid_mask::kFormat | grid_mask::kBackColour | grid_mask::kTextColour |
                grid_mask::kMargin;
    item.state = PlaceBits(row, column) |
                 (IsCellSelected(row, column) ? grid_state::kSelected : 0) |
                 (m_focus == GridCellCoord{row, column} ? grid_state::kFocused : 0);
    item.format = defaults->GetFormat();
    item.font = defaults->GetFontObject();
    item.margin = defaults->GetMargin();
    if (m_display) {
        m_display(item, m_displayUser);
    } else {
        auto* self = const_cast<CGridCtrl*>(this);
        emit self->notify(grid_notify::kDisplayRequest, row, column);
        emit self->displayRequest(&item);
    }
    if (!m_virtualCell) {
        m_virtualCell = std::make_unique<CGridCell>();
        m_virtualCell->SetOwner(const_cast<CGridCtrl*>(this));
    }
    CGridCellBase* cell = m_virtualCell.get();
    cell->Reset();
    cell->SetCoords(row, column);
    cell->SetText(item.text);
    cell->SetImage(item.image);
    cell->SetData(item.data);
    cell->SetState(item.state);
    cell->SetFormat(item.format);
    cell->SetBackColour(item.backColour);
    cell->SetTextColour(item.textColour);
    cell->SetMargin(item.margin);
    if (item.font != defaults->GetFontObject()) {
        cell->SetFont(&item.font);
    }
    return cell;
}

bool CGridCtrl::ApplyItem(const GridItem& item)
{
    if (m_virtualMode || !ValidCell(item.row, item.column)) {
        return false;
    }
    CGridCellBase* cell = CellAt(item.row, item.column);
    if (item.mask & grid_mask::kText) {
        cell->SetText(item.text);
    }
    if (item.mask & grid_mask::kData) {
        cell->SetData(item.data);
    }
    if (item.mask & grid_mask::kImage) {
        cell->SetImage(item.image);
    }
    if (item.mask & grid_mask::kState) {
        SetCellState(item.row, item.column, item.state);
    }
    if (item.mask & grid_mask::kFormat) {
        cell->SetFormat(item.format);
    }
    if (item.mask & grid_mask::kBackColour) {
        cell->SetBackColour(item.backColour);
    }
    if (item.mask & grid_mask::kTextColour) {
        cell->SetTextColour(item.textColour);
    }
    if (item.mask & grid_mask::kFont) {
        cell->SetFont(&item.font);
    }
    if (item.mask & grid_mask::kMargin) {
        cell->SetMargin(item.margin);
    }
    RedrawCell(item.row, item.column);
    return true;
}

bool CGridCtrl::GetItem(GridItem& item) const
{
    const CGridCellBase* cell = CellAt(item.row, item.column);
    if (!cell) {
        return false;
    }
    if (item.mask & grid_mask::kText) {
        item.text = cell->GetText();
    }
    if (item.mask & grid_mask::kData) {
        item.data = cell->GetData();
    }
    if (item.mask & grid_mask::kImage) {
        item.image = cell->GetImage();
    }
    if (item.mask & grid_mask::kState) {
        item.state = cell->GetState();
    }
    if (item.mask & grid_mask::kFormat) {
        item.format = cell->GetFormat();
    }
    if (item.mask & grid_mask::kBackColour) {
        item.backColour = cell->GetBackColour();
    }
    if (item.mask & grid_mask::kTextColour) {
        item.textColour = cell->GetTextColour();
    }
    if (item.mask & grid_mask::kFont) {
        item.font = cell->GetFontObject();
    }
    if (item.mask & grid_mask::kMargin) {
        item.margin = cell->GetMargin();
    }
    return true;
}

bool CGridCtrl::SetCellText(int row, int column, const QString& text)
{
    if (m_virtualMode || !ValidCell(row, column)) {
        return false;
    }
    CellAt(row, column)->SetText(text);
    RedrawCell(row, column);
    return true;
}

QString CGridCtrl::GetCellText(int row, int column) const
{
    if (!m_virtualMode && IsProvidedRow(row) && ValidCell(row, column)) {
        return ProvidedText(row, column);
    }
    const CGridCellBase* cell = CellAt(row, column);
    return cell ? cell->GetText() : QString();
}

bool CGridCtrl::SetCellData(int row, int column, std::int32_t data)
{
    if (m_virtualMode || !ValidCell(row, column)) {
        return false;
    }
    CellAt(row, column)->SetData(data);
    return true;
}

std::int32_t CGridCtrl::GetCellData(int row, int column) const
{
    const CGridCellBase* cell = CellAt(row, column);
    return cell ? cell->GetData() : 0;
}

bool CGridCtrl::SetCellState(int row, int column, unsigned state)
{
    if (!ValidCell(row, column)) {
        return false;
    }
    SelectCell(row, column, state & grid_state::kSelected);
    if (m_virtualMode) {
        return true;
    }
    constexpr unsigned derived = grid_state::kFixed | grid_state::kFixedRow |
                                 grid_state::kFixedColumn | grid_state::kFocused;
    const bool focused = m_focus == GridCellCoord{row, column};
    CellAt(row, column)
        ->SetState((state & ~derived) | PlaceBits(row, column) |
                   (focused ? grid_state::kFocused : 0));
    RedrawCell(row, column);
    return true;
}

unsigned CGridCtrl::GetCellState(int row, int column) const
{
    const CGridCellBase* cell = CellAt(row, column);
    return cell ? cell->GetState() : 0;
}

bool CGridCtrl::SetCellImage(int row, int column, int image)
{
    if (m_virtualMode || !ValidCell(row, column)) {
        return false;
    }
    CellAt(row, column)->SetImage(image);
    RedrawCell(row, column);
    return true;
}

int CGridCtrl::GetCellImage(int row, int column) const
{
    const CGridCellBase* cell = CellAt(row, column);
    return cell ? cell->GetImage() : -1;
}

bool CGridCtrl::SetCellFormat(int row, int column, std::uint32_t format)
{
    if (m_virtualMode || !ValidCell(row, column)) {
        return false;
    }
    CellAt(row, column)->SetFormat(format);
    RedrawCell(row, column);
    return true;
}

bool CGridCtrl::SetCellTextColour(int row, int column, GridColour colour)
{
    if (m_virtualMode || !ValidCell(row, column)) {
        return false;
    }
    CellAt(row, column)->SetTextColour(colour);
    RedrawCell(row, column);
    return true;
}

bool CGridCtrl::SetCellBackColour(int row, int column, GridColour colour)
{
    if (m_virtualMode || !ValidCell(row, column)) {
        return false;
    }
    CellAt(row, column)->SetBackColour(colour);
    RedrawCell(row, column);
    return true;
}

bool CGridCtrl::SetCellFont(int row, int column, const QFont& font)
{
    if (m_virtualMode || !ValidCell(row, column)) {
        return false;
    }
    CellAt(row, column)->SetFont(&font);
    RedrawCell(row, column);
    return true;
}

bool CGridCtrl::IsCellReadOnly(int row, int column) const
{
    return GetCellState(row, column) & grid_state::kReadOnly;
}

bool CGridCtrl::SetCellReadOnly(int row, int column, bool readOnly)
{
    const unsigned state = GetCellState(row, column);
    return SetCellState(row, column,
                        readOnly ? state | grid_state::kReadOnly : state & ~grid_state::kReadOnly);
}

bool CGridCtrl::IsCellEditable(int row, int column) const
{
    if (!m_editable || !ValidCell(row, column)) {
        return false;
    }
    const unsigned state = GetCellState(row, column);
    return !(state & (grid_state::kReadOnly | grid_state::kFixed)) && row >= m_fixedRows &&
           column >= m_fixedColumns;
}

bool CGridCtrl::SetCellKind(int row, int column, const char* className)
{
    if (m_virtualMode || !ValidCell(row, column) || !className || IsProvidedRow(row)) {
        return false;
    }
    std::unique_ptr<CGridCellBase> cell = GridCellFactory::Create(className);
    if (!cell) {
        return false;
    }
    if (m_editCell == GridCellCoord{row, column}) {
        DropEditor();
    }
    std::unique_ptr<CGridCellBase>& slot = m_rows[size_t(row)].cells[size_t(column)];
    cell->SetOwner(this);
    cell->SetCoords(row, column);
    cell->CopyFrom(*slot);
    slot->EndEdit();
    slot = std::move(cell);
    ++m_cellGeneration;
    RedrawCell(row, column);
    return true;
}

// --- virtual mode -----------------------------------------------------------------------------

void CGridCtrl::SetVirtualMode(bool on)
{
    if (on == m_virtualMode) {
        return;
    }
    DropEditor();
    ClearSelection();
    m_focus = {};
    m_virtualMode = on;
    for (int r = 0; r < GetRowCount(); ++r) {
        auto& cells = m_rows[size_t(r)].cells;
        cells.clear();
        ++m_cellGeneration;
        if (!on) {
            for (int c = 0; c < GetColumnCount(); ++c) {
                cells.push_back(MakeCell(r, c));
            }
        }
    }
    viewport()->update();
}

void CGridCtrl::SetDisplayCallback(DisplayFunction callback, std::intptr_t userData)
{
    m_display = std::move(callback);
    m_displayUser = userData;
}
