#include "grid/CInPlaceCombo.h"

#include "grid/CGridCellCombo.h"
#include "grid/CGridCtrl.h"

#include <QAbstractItemView>
#include <QLineEdit>

CInPlaceCombo::CInPlaceCombo(CGridCtrl* grid, const QRect& rect, int row, int column,
                             const QStringList& options, int style, const QString& text,
                             int firstChar)
    : InPlaceEditorWidget(grid, row, column, grid->viewport()), m_original(text)
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
    // Picking an entry from the list is a choice made; it ends the edit as Enter would.
    connect(this, &QComboBox::activated, this, [this] { FinishEdit(Qt::Key_Return); });
    Place(rect);
}

QString CInPlaceCombo::FinalText() const
{
    return isEditable() || currentIndex() >= 0 ? currentText() : m_original;
}

void CInPlaceCombo::RestoreOriginal()
{
    if (isEditable()) {
        setEditText(m_original);
    } else {
        setCurrentIndex(findText(m_original));
    }
}

bool CInPlaceCombo::FocusLossEnds() const
{
    // The drop-down list takes the focus while it is open; that is not the end of the edit.
    return !view()->isVisible();
}
