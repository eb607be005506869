#pragma once

#include "grid/CGridCell.h"

#include <QStringList>

/// A cell edited with an in-place combo box of option strings.
class CGridCellCombo : public CGridCell {
public:
    /// Combo styles: a list with an edit field, a drop-down with an edit field, a drop-down list.
    static constexpr int kSimple = 1;
    static constexpr int kDropDown = 2;
    static constexpr int kDropDownList = 3;

    const char* GetRuntimeClassName() const override { return "CGridCellCombo"; }

    void SetOptions(const QStringList& options) { m_options = options; }
    const QStringList& GetOptions() const { return m_options; }
    void SetStyle(int style) { m_style = style; }
    int GetStyle() const { return m_style; }

    void CopyFrom(const CGridCellBase& other) override;
    bool Draw(QPainter& painter, int row, int column, const QRect& rect,
              bool eraseBackground = true) override;
    QSize GetCellExtent() const override;
    bool Edit(int row, int column, const QRect& rect, const QPoint& point, int controlId,
              int firstChar) override;
    void EndEdit() override;

private:
    QStringList m_options;
    int m_style = kDropDown;
};
