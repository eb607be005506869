#pragma once

#include "grid/CGridCellBase.h"

#include <memory>

/// The ordinary text cell, and the storage every other cell kind builds on.
class CGridCell : public CGridCellBase {
public:
    CGridCell();
    ~CGridCell() override;

    const char* GetRuntimeClassName() const override { return "CGridCell"; }

    void SetText(const QString& text) override { m_text = text; }
    void SetImage(int image) override { m_image = image; }
    void SetData(std::int32_t data) override { m_data = data; }
    void SetState(unsigned state) override { m_state = state; }
    void SetFormat(std::uint32_t format) override { m_format = format; }
    void SetTextColour(GridColour colour) override { m_textColour = colour; }
    void SetBackColour(GridColour colour) override { m_backColour = colour; }
    void SetFont(const QFont* font) override;
    void SetMargin(unsigned margin) override { m_margin = margin; }
    void SetOwner(CGridCtrl* grid) override { m_owner = grid; }
    void SetCoords(int row, int column) override
    {
        m_row = row;
        m_column = column;
    }

    QString GetText() const override { return m_text; }
    int GetImage() const override { return m_image; }
    std::int32_t GetData() const override { return m_data; }
    unsigned GetState() const override { return m_state; }
    std::uint32_t GetFormat() const override;
    GridColour GetTextColour() const override { return m_textColour; }
    GridColour GetBackColour() const override { return m_backColour; }
    const QFont* GetFont() const override { return m_font.get(); }
    CGridCtrl* GetOwner() const override { return m_owner; }
    QWidget* GetEditor() const override { return m_editor; }
    unsigned GetMargin() const override;
    GridCellCoord GetCoords() const override { return {m_row, m_column}; }
    bool IsEditing() const override { return m_editing; }

    void CopyFrom(const CGridCellBase& other) override;
    void Reset() override;

    bool Edit(int row, int column, const QRect& rect, const QPoint& point, int controlId,
              int firstChar) override;
    void EndEdit() override;

protected:
    /// Opens the ordinary line editor; `digitsOnly` restricts it to 0-9.
    bool OpenLineEditor(int row, int column, const QRect& rect, int firstChar, bool digitsOnly);
    void SetEditor(QWidget* editor);

    static constexpr unsigned kMarginUnset = 0xFFFFFFFF;
    static constexpr std::uint32_t kFormatUnset = 0xFFFFFFFF;

private:
    QString m_text;
    std::unique_ptr<QFont> m_font;
    CGridCtrl* m_owner = nullptr;
    QWidget* m_editor = nullptr;
    int m_image = -1;
    std::int32_t m_data = 0;
    unsigned m_state = 0;
    std::uint32_t m_format = kFormatUnset;
    GridColour m_textColour = kGridColourUnset;
    GridColour m_backColour = kGridColourUnset;
    unsigned m_margin = kMarginUnset;
    int m_row = -1;
    int m_column = -1;
    bool m_editing = false;
};
