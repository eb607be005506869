#pragma once

class CGridCtrl;
class QEvent;
class QFocusEvent;
class QString;
class QWidget;

/// What every in-place editor (line, combo or date) shares, whatever widget it is: it ends
/// once, either finishing (reporting its text to the grid) or cancelled (reporting nothing).
class InPlaceEditor {
public:
    /// `widget` is the editor itself, hidden and deleted when the edit ends.
    InPlaceEditor(QWidget* widget, CGridCtrl* grid, int row, int column);
    virtual ~InPlaceEditor() = default;
    InPlaceEditor(const InPlaceEditor&) = delete;
    InPlaceEditor& operator=(const InPlaceEditor&) = delete;

    /// Ends the edit as if `key` had been pressed, reporting the text to the grid once.
    void FinishEdit(int key);
    /// Closes the editor without reporting anything (its cell is going away).
    void CancelEdit();

protected:
    /// The text the grid is given when the edit finishes.
    virtual QString FinalText() const = 0;
    /// Finishes the edit on a press of Tab or Back Tab, before the focus chain can take it;
    /// true when it did.
    bool FinishOnTab(QEvent* event);
    /// Finishes the edit when the focus goes anywhere but to a popup of the editor: a menu or
    /// a window switch taking the focus for a moment ends the edit like any loss.
    void FinishOnFocusLoss(const QFocusEvent* event);

private:
    bool End();

    QWidget* m_widget;
    CGridCtrl* m_grid;
    int m_row;
    int m_column;
    bool m_ended = false;
};
