#pragma once

#include "grid/GridTypes.h"

#include <QFont>
#include <QWidget>

/// The "ZTitleTip" popup: shows the whole text of a cell whose text is cut off, over the cell and
/// widened to the text. It takes no input: the pointer, clicks and keys reach the grid beneath,
/// which hides the tip when the pointer leaves it, on a key and on a click.
class CTitleTip : public QWidget {
    Q_OBJECT
public:
    explicit CTitleTip(QWidget* owner);

    /// Shows `text` over `cellRect` (global coordinates; `hoverRect` instead when valid) when it
    /// does not fit, a window of the program is active and the tip is not already shown.
    /// `xOffset` is where the text starts inside the cell. Returns whether the tip is shown.
    bool ShowTip(const QRect& cellRect, const QString& text, int xOffset, const QRect& hoverRect,
                 const QFont& font, GridColour textColour, GridColour backColour);
    void HideTip();
    const QString& Text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QFont m_font;
    int m_xOffset = 0;
    GridColour m_textColour = kGridColourUnset;
    GridColour m_backColour = kGridColourUnset;
};
