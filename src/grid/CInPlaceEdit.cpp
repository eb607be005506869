#include "grid/CInPlaceEdit.h"

#include "grid/CGridCellBase.h"
#include "grid/CGridCtrl.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

CInPlaceEdit::CInPlaceEdit(CGridCtrl* grid, const QRect& rect, int row, int column,
                           const QString& text, int firstChar, bool digitsOnly, bool arrowsExit)
    : InPlaceEditorWidget(grid, row, column, grid->viewport()), m_original(text),
      m_arrowsExit(arrowsExit)
{
    setObjectName(QStringLiteral("InPlaceEdit"));
    setFrame(false);
    setFont(grid->CellAt(row, column) ? grid->CellAt(row, column)->GetFontObject() : font());
    if (digitsOnly) {
        setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
    }
    setGeometry(rect);
    setText(text);
    if (firstChar > 0) {
        // The typed key starts a fresh text; a key the editor refuses leaves the old text.
        const QString typed = QString(QChar(char32_t(firstChar)));
        QString candidate = typed;
        int position = 1;
        if (!validator() || validator()->validate(candidate, position) == QValidator::Acceptable) {
            setText(typed);
        } else {
            selectAll();
        }
    } else {
        selectAll();
    }
    connect(this, &QLineEdit::textEdited, this, &CInPlaceEdit::Widen);
    Widen();
    show();
    setFocus(Qt::OtherFocusReason);
}

bool CInPlaceEdit::event(QEvent* event)
{
    // The editor takes every key, Tab included, before the focus chain can.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    return InPlaceEditorWidget::event(event);
}

void CInPlaceEdit::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        FinishEdit(key);
        return;
    case Qt::Key_Escape:
        RestoreOriginal();
        FinishEdit(key);
        // The window hears the Escape too, as it does from any other control of it.
        event->ignore();
        return;
    default:
        if (IsArrowOrPageKey(key) && (m_arrowsExit || (event->modifiers() & Qt::ControlModifier))) {
            FinishEdit(key);
            return;
        }
        break;
    }
    QLineEdit::keyPressEvent(event);
    Widen();
}

void CInPlaceEdit::Widen()
{
    const QFontMetrics metrics(font());
    const int wanted = metrics.horizontalAdvance(text() + QStringLiteral("  ")) + 4;
    const int room = parentWidget()->width() - x();
    const int width = std::min(std::max(wanted, this->width()), std::max(room, this->width()));
    if (width != this->width()) {
        resize(width, height());
    }
}
