#pragma once

#include "grid/CGridCell.h"

#include <QFont>
#include <QFontMetrics>

#include <array>
#include <string_view>

/// The cell that holds the defaults of one place of the grid (ordinary, fixed row, fixed column,
/// or both): the colours, font, margin and size of cells that set none of their own.
class CGridDefaultCell : public CGridCell {
public:
    CGridDefaultCell();

    const char* GetRuntimeClassName() const override { return "CGridDefaultCell"; }

    /// Sets the font and recomputes the margin and default size from it.
    void SetFont(const QFont* font) override;
    QFont GetFontObject() const override { return m_fontObject; }
    const QFontMetrics& GetMetrics() const { return m_metrics; }
    /// The width of a single line of text in this cell's font. Latin-1 text is summed from a
    /// table of character advances, rounded up, so fitting a whole catalogue stays fast; other
    /// text is measured by the font.
    int TextWidth(const QString& text) const;
    /// The same for UTF-8 text, without making a QString of Latin-1 text first.
    int TextWidthUtf8(std::string_view text) const;
    unsigned GetMargin() const override { return m_defaultMargin; }
    std::uint32_t GetFormat() const override { return m_defaultFormat; }
    void SetFormat(std::uint32_t format) override { m_defaultFormat = format; }
    void SetMargin(unsigned margin) override { m_defaultMargin = margin; }
    const CGridDefaultCell* GetDefaultCell() const override { return this; }

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    void SetWidth(int width) { m_width = width; }
    void SetHeight(int height) { m_height = height; }

    /// Margin, width and height measured from `font`: one space; " XXXXXXXXXXXX "; 3/2 of its
    /// height. Without a usable font: margin 3, width 40, height 16.
    void MeasureFromFont();

private:
    QFont m_fontObject;
    QFontMetrics m_metrics;
    std::array<float, 256> m_latinAdvance{};
    int m_width = 40;
    int m_height = 16;
    unsigned m_defaultMargin = 3;
    std::uint32_t m_defaultFormat = grid_format::kDefault;
};
