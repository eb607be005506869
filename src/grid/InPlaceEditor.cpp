#include "grid/InPlaceEditor.h"

#include "grid/CGridCtrl.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QWidget>

InPlaceEditor::InPlaceEditor(QWidget* widget, CGridCtrl* grid, int row, int column)
    : m_widget(widget), m_grid(grid), m_row(row), m_column(column)
{
}

bool InPlaceEditor::End()
{
    if (m_ended) {
        return false;
    }
    m_ended = true;
    m_widget->hide();
    m_widget->deleteLater();
    return true;
}

void InPlaceEditor::FinishEdit(int key)
{
    const QString text = m_ended ? QString() : FinalText();
    if (End()) {
        m_grid->OnEndInPlaceEdit(m_row, m_column, text, key);
    }
}

void InPlaceEditor::CancelEdit()
{
    End();
}

bool InPlaceEditor::FinishOnTab(QEvent* event)
{
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Tab && key != Qt::Key_Backtab) {
        return false;
    }
    FinishEdit(key);
    return true;
}

void InPlaceEditor::FinishOnFocusLoss(const QFocusEvent* event)
{
    if (event->reason() != Qt::PopupFocusReason) {
        FinishEdit(0);
    }
}
