#include "grid/CInPlaceDateTime.h"

#include "grid/CGridCtrl.h"

#include <QFocusEvent>
#include <QKeyEvent>

CInPlaceDateTime::CInPlaceDateTime(CGridCtrl* grid, const QRect& rect, int row, int column,
                                   const QDateTime& time, const QString& format)
    : QDateTimeEdit(time, grid->viewport()), InPlaceEditor(this, grid, row, column),
      m_original(time)
{
    setObjectName(QStringLiteral("InPlaceDateTime"));
    setDisplayFormat(format);
    setGeometry(rect);
    show();
    setFocus(Qt::OtherFocusReason);
}

bool CInPlaceDateTime::event(QEvent* event)
{
    return FinishOnTab(event) || QDateTimeEdit::event(event);
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
    FinishOnFocusLoss(event);
}

QString CInPlaceDateTime::FinalText() const
{
    return text();
}
