#include "grid/CInPlaceCombo.h"

#include "grid/CGridCellCombo.h"
#include "grid/CGridCtrl.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

CInPlaceCombo::CInPlaceCombo(CGridCtrl* grid, const QRect& rect, int row, int column,
                             const QStringList& options, int style, const QString& text,
                             int firstChar)
    : QComboBox(grid->viewport()), InPlaceEditor(this, grid, row, column), m_original(text)
{
    setObjectName(QStringLiteral("InPlaceCombo"));
    setEditable(style != CGridCellCombo::kDropDownList);
    addItems(options);
    const int index = findText(text);
    if (index >= 0) {
        setCurrentIndex(index);
    } else if (isEditable()) {
        setEditText(text);
    }
    if (firstChar > 0 && isEditable()) {
        setEditText(QString(QChar(char32_t(firstChar))));
    }
    setGeometry(rect);
    // Picking an entry from the list is a choice made; it ends the edit as Enter would.
    connect(this, &QComboBox::activated, this, [this] { FinishEdit(Qt::Key_Return); });
    show();
    setFocus(Qt::OtherFocusReason);
}

bool CInPlaceCombo::event(QEvent* event)
{
    return FinishOnTab(event) || QComboBox::event(event);
}

void CInPlaceCombo::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        FinishEdit(event->key());
        return;
    case Qt::Key_Escape:
        if (isEditable()) {
            setEditText(m_original);
        } else {
            setCurrentIndex(findText(m_original));
        }
        FinishEdit(event->key());
        return;
    default:
        QComboBox::keyPressEvent(event);
    }
}

void CInPlaceCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    // The drop-down list takes the focus while it is open; that is not the end of the edit.
    if (!view()->isVisible()) {
        FinishOnFocusLoss(event);
    }
}

QString CInPlaceCombo::FinalText() const
{
    return isEditable() || currentIndex() >= 0 ? currentText() : m_original;
}
