#include "grid/CInPlaceDateTime.h"

#include "grid/CGridCtrl.h"

#include <QFocusEvent>
#include <QKeyEvent>

CInPlaceDateTime::CInPlaceDateTime(CGridCtrl* grid, const QRect& rect, int row, int column,
                                   const QDateTime& time, const QString& format)
    : QDateTimeEdit(time, grid->viewport()), m_grid(grid), m_original(time), m_row(row),
      m_column(column)
{
    setObjectName(QStringLiteral("InPlaceDateTime"));
    setDisplayFormat(format);
    setGeometry(rect);
    show();
    setFocus(Qt::OtherFocusReason);
}

bool CInPlaceDateTime::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) {
            FinishEdit(key->key());
            return true;
        }
    }
    return QDateTimeEdit::event(event);
}

void CInPlaceDateTime::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FinishEdit(event->key());
        return;
    case Qt::Key_Escape:
        setDateTime(m_original);
        FinishEdit(event->key());
        return;
    default:
        QDateTimeEdit::keyPressEvent(event);
    }
}

void CInPlaceDateTime::focusOutEvent(QFocusEvent* event)
{
    QDateTimeEdit::focusOutEvent(event);
    if (event->reason() != Qt::PopupFocusReason) {
        FinishEdit(0);
    }
}

void CInPlaceDateTime::FinishEdit(int key)
{
    if (m_ended) {
        return;
    }
    m_ended = true;
    const QString text = this->text();
    hide();
    deleteLater();
    m_grid->OnEndInPlaceEdit(m_row, m_column, text, key);
}

void CInPlaceDateTime::CancelEdit()
{
    if (m_ended) {
        return;
    }
    m_ended = true;
    hide();
    deleteLater();
}
