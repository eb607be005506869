#pragma once

#include "grid/CGridCell.h"

#include <functional>

/// A cell whose text may hold web or mail addresses: link words are drawn in the link colour,
/// the pointer becomes a hand over them, and a click opens the word under the pointer. It never
/// opens an editor.
class CGridURLCell : public CGridCell {
public:
    /// Opens a link word; the default hands it to QDesktopServices::openUrl.
    using LinkOpener = std::function<void(const QString& word)>;

    CGridURLCell();

    const char* GetRuntimeClassName() const override { return "CGridURLCell"; }

    void SetLaunchUrl(bool launch) { m_launch = launch; }
    bool GetLaunchUrl() const { return m_launch; }
    void SetLinkColour(GridColour colour) { m_linkColour = colour; }
    GridColour GetLinkColour() const { return m_linkColour; }

    /// True when `text` holds a link prefix ("www.", "http:", "mailto:", ...).
    static bool HasUrl(const QString& text);
    /// The space-delimited word of the cell's text at `xInText` pixels from the text's start;
    /// empty over a space or beyond the text.
    QString WordAt(int xInText) const;
    /// Replaces how links are opened (tests see the word instead of starting a browser); an
    /// empty function restores the default.
    static void SetLinkOpener(LinkOpener opener);

    void CopyFrom(const CGridCellBase& other) override;
    bool Edit(int, int, const QRect&, const QPoint&, int, int) override { return false; }
    void OnClick(const QPoint& pointInCell) override;
    bool OnSetCursor(const QPoint& pointInCell) override;

protected:
    /// Link text is drawn in the link colour.
    QColor ResolvedTextColour() const override;

private:
    /// The link word under a point relative to the cell, or empty.
    QString LinkAt(const QPoint& pointInCell) const;

    GridColour m_linkColour = kGridColourUnset;
    bool m_launch = true;
};
