#pragma once

#include "grid/InPlaceEditor.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <utility>

/// An in-place editor made of the widget `Widget` (a line edit, combo box or date editor): it
/// ends on Tab, Back Tab, Enter and Escape (which puts the old value back first) and on the loss
/// of the focus, and reports once to the grid.
template <class Widget> class InPlaceEditorWidget : public Widget, public InPlaceEditor {
public:
    /// `widgetArgs` are handed to the widget's constructor.
    template <class... WidgetArgs>
    InPlaceEditorWidget(CGridCtrl* grid, int row, int column, WidgetArgs&&... widgetArgs)
        : Widget(std::forward<WidgetArgs>(widgetArgs)...), InPlaceEditor(this, grid, row, column)
    {
    }

protected:
    /// Puts the value the edit started with back, before an Escape ends the edit.
    virtual void RestoreOriginal() = 0;
    /// False while a loss of the focus is no end of the edit.
    virtual bool FocusLossEnds() const { return true; }

    /// Shows the editor at `rect`, with the focus.
    void Place(const QRect& rect)
    {
        this->setGeometry(rect);
        this->show();
        this->setFocus(Qt::OtherFocusReason);
    }

    bool event(QEvent* event) override { return FinishOnTab(event) || Widget::event(event); }

    void keyPressEvent(QKeyEvent* event) override
    {
        const int key = event->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            FinishEdit(key);
        } else if (key == Qt::Key_Escape) {
            RestoreOriginal();
            FinishEdit(key);
        } else {
            Widget::keyPressEvent(event);
        }
    }

    void focusOutEvent(QFocusEvent* event) override
    {
        Widget::focusOutEvent(event);
        if (FocusLossEnds()) {
            FinishOnFocusLoss(event);
        }
    }
};
