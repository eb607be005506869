// The editing flow: opening editors, ending them, validation, the parent's veto, moving on.
#include "GridTestSupport.h"

#include "grid/CGridCellCombo.h"
#include "grid/CGridCellDateTime.h"
#include "grid/CGridCellNumeric.h"
#include "grid/CInPlaceEdit.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QDateTimeEdit>
#include <QLineEdit>

namespace {

struct EditEnd {
    int row;
    int column;
    QString text;
    int key;
};

} // namespace

class EditingTest : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        Fill(4, 3);
        QObject::connect(m_grid, &CGridCtrl::editEnded, m_grid,
                         [this](int row, int column, const QString& text, int key, bool* refuse) {
                             m_ends.push_back({row, column, text, key});
                             *refuse = m_veto;
                         });
        QObject::connect(m_grid, &CGridCtrl::editStarting, m_grid, [this](int, int, bool* refuse) {
            ++m_starts;
            *refuse = m_refuseStart;
        });
    }

    QWidget* Editor() const
    {
        for (QWidget* child : m_grid->viewport()->findChildren<QWidget*>()) {
            if (child->objectName().startsWith("InPlace") && child->isVisible()) {
                return child;
            }
        }
        return nullptr;
    }
    QLineEdit* LineEditor() const { return qobject_cast<QLineEdit*>(Editor()); }

    void DoubleClickCell(int row, int column)
    {
        QTest::mouseDClick(m_grid->viewport(), Qt::LeftButton, {}, CellCentre(row, column));
    }

    std::vector<EditEnd> m_ends;
    int m_starts = 0;
    bool m_veto = false;
    bool m_refuseStart = false;
};

TEST_F(EditingTest, DoubleClickOpensTheEditorAndEnterCommitsOnce)
{
    DoubleClickCell(2, 1);
    QLineEdit* editor = LineEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "r2c1");
    EXPECT_TRUE(m_grid->CellAt(2, 1)->IsEditing());
    EXPECT_EQ(m_starts, 1);
    NotifyLog log(m_grid);
    editor->selectAll();
    QTest::keyClicks(editor, "changed");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(m_grid->GetCellText(2, 1), "changed");
    ASSERT_EQ(m_ends.size(), 1u);
    EXPECT_EQ(m_ends[0].row, 2);
    EXPECT_EQ(m_ends[0].column, 1);
    EXPECT_EQ(m_ends[0].text, "changed");
    EXPECT_EQ(m_ends[0].key, int(Qt::Key_Return));
    EXPECT_EQ(log.Count(grid_notify::kEndEdit), 1);
    EXPECT_TRUE(m_grid->CellAt(2, 1)->IsModified());
    EXPECT_FALSE(m_grid->CellAt(2, 1)->IsEditing());
    EXPECT_FALSE(m_grid->IsEditingCell());
    QApplication::processEvents();
    EXPECT_EQ(Editor(), nullptr);
    // The editor is gone: losing the focus later reports nothing more.
    m_grid->clearFocus();
    EXPECT_EQ(m_ends.size(), 1u);
}

TEST_F(EditingTest, EscapeRestoresTheTextAndReportsNothing)
{
    DoubleClickCell(1, 0);
    QLineEdit* editor = LineEditor();
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "xyz");
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(m_grid->GetCellText(1, 0), "r1c0");
    EXPECT_TRUE(m_ends.empty());
    EXPECT_FALSE(m_grid->CellAt(1, 0)->IsModified());
}

TEST_F(EditingTest, UnchangedTextReportsNothing)
{
    DoubleClickCell(1, 0);
    ASSERT_NE(LineEditor(), nullptr);
    QTest::keyClick(LineEditor(), Qt::Key_Return);
    EXPECT_TRUE(m_ends.empty());
}

TEST_F(EditingTest, TheParentsVetoPutsTheOldTextBack)
{
    m_veto = true;
    DoubleClickCell(3, 2);
    ASSERT_NE(LineEditor(), nullptr);
    LineEditor()->setText("refused");
    QTest::keyClick(LineEditor(), Qt::Key_Return);
    ASSERT_EQ(m_ends.size(), 1u);
    EXPECT_EQ(m_grid->GetCellText(3, 2), "r3c2");
    EXPECT_FALSE(m_grid->CellAt(3, 2)->IsModified());
}

TEST_F(EditingTest, TheParentCanRefuseToStartEditing)
{
    m_refuseStart = true;
    DoubleClickCell(1, 1);
    EXPECT_EQ(m_starts, 1);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_FALSE(m_grid->EditCell(1, 1));
}

TEST_F(EditingTest, ReadOnlyFixedAndNonEditableGridsDoNotEdit)
{
    m_grid->SetCellReadOnly(2, 2);
    DoubleClickCell(2, 2);
    EXPECT_EQ(Editor(), nullptr);
    DoubleClickCell(0, 1);
    EXPECT_EQ(Editor(), nullptr);
    m_grid->SetEditable(false);
    DoubleClickCell(1, 1);
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_EQ(m_starts, 0) << "the parent is not even asked";
}

TEST_F(EditingTest, AClickOnTheFocusCellEditsOnRelease)
{
    ClickCell(2, 0);
    EXPECT_EQ(Editor(), nullptr) << "the first click only focuses";
    QTest::mousePress(m_grid->viewport(), Qt::LeftButton, {}, CellCentre(2, 0));
    EXPECT_EQ(Editor(), nullptr);
    QTest::mouseRelease(m_grid->viewport(), Qt::LeftButton, {}, CellCentre(2, 0));
    EXPECT_NE(LineEditor(), nullptr);
}

TEST_F(EditingTest, TypingStartsEditingWithTheCharacterAndArrowsMoveOn)
{
    m_grid->SetFocusCell(1, 0);
    QTest::keyClick(m_grid, Qt::Key_7);
    QLineEdit* editor = LineEditor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "7");
    QTest::keyClick(editor, Qt::Key_Down);
    EXPECT_EQ(m_grid->GetCellText(1, 0), "7");
    ASSERT_EQ(m_ends.size(), 1u);
    EXPECT_EQ(m_ends[0].key, int(Qt::Key_Down));
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{2, 0}));
    ASSERT_NE(LineEditor(), nullptr) << "editing goes on in the next cell";
    EXPECT_EQ(LineEditor()->text(), "r2c0");
}

TEST_F(EditingTest, TabEndsTheEditAndEditsTheNextCell)
{
    DoubleClickCell(1, 1);
    ASSERT_NE(LineEditor(), nullptr);
    LineEditor()->setText("tabbed");
    QTest::keyClick(LineEditor(), Qt::Key_Tab);
    EXPECT_EQ(m_grid->GetCellText(1, 1), "tabbed");
    EXPECT_EQ(m_grid->GetFocusCell(), (GridCellCoord{1, 2}));
    ASSERT_NE(LineEditor(), nullptr);
    EXPECT_EQ(LineEditor()->text(), "r1c2");
}

TEST_F(EditingTest, ArrowsMoveTheCaretInAnEditorOpenedByTheMouse)
{
    DoubleClickCell(1, 1);
    ASSERT_NE(LineEditor(), nullptr);
    QTest::keyClick(LineEditor(), Qt::Key_Left);
    EXPECT_NE(LineEditor(), nullptr);
    EXPECT_TRUE(m_ends.empty());
    QTest::keyClick(LineEditor(), Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(m_grid->GetFocusCell().row, 1) << "the header row is not edited";
}

TEST_F(EditingTest, LosingTheFocusEndsTheEditOnce)
{
    QLineEdit other(m_window.get());
    other.show();
    DoubleClickCell(1, 2);
    ASSERT_NE(LineEditor(), nullptr);
    LineEditor()->setText("focus gone");
    other.setFocus();
    QApplication::processEvents();
    EXPECT_EQ(m_grid->GetCellText(1, 2), "focus gone");
    ASSERT_EQ(m_ends.size(), 1u);
    EXPECT_EQ(m_ends[0].key, 0);
}

TEST_F(EditingTest, TheEditorWidensWithItsTextButStaysInTheGrid)
{
    DoubleClickCell(1, 0);
    QLineEdit* editor = LineEditor();
    ASSERT_NE(editor, nullptr);
    const int start = editor->width();
    QTest::keyClicks(editor, " and some more text to make it wider");
    EXPECT_GT(editor->width(), start);
    QTest::keyClicks(editor, QString(200, 'W'));
    EXPECT_LE(editor->geometry().right(), m_grid->viewport()->width());
}

TEST_F(EditingTest, NumericEditorTakesDigitsOnly)
{
    ASSERT_TRUE(m_grid->SetCellKind<CGridCellNumeric>(2, 0));
    m_grid->SetCellText(2, 0, "12");
    DoubleClickCell(2, 0);
    QLineEdit* editor = LineEditor();
    ASSERT_NE(editor, nullptr);
    editor->end(false);
    QTest::keyClicks(editor, "a-3.b");
    EXPECT_EQ(editor->text(), "123");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(m_grid->GetCellText(2, 0), "123");

    // A letter typed on the grid does not start an edit at all.
    m_grid->SetFocusCell(2, 0);
    QTest::keyClick(m_grid, Qt::Key_Q);
    EXPECT_FALSE(m_grid->IsEditingCell());
    EXPECT_EQ(m_grid->GetCellText(2, 0), "123");

    // Pasted text must pass the same rule: a sign or a letter refuses the whole text.
    for (const char* pasted : {"-5", "7x", " 8"}) {
        QGuiApplication::clipboard()->setText(pasted);
        m_grid->SetFocusCell(2, 0);
        m_grid->OnEditPaste();
        EXPECT_EQ(m_grid->GetCellText(2, 0), "123") << pasted;
    }
    QGuiApplication::clipboard()->setText("45");
    m_grid->OnEditPaste();
    EXPECT_EQ(m_grid->GetCellText(2, 0), "45");
}

TEST_F(EditingTest, ComboCellReportsTheChosenOption)
{
    ASSERT_TRUE(m_grid->SetCellKind<CGridCellCombo>(3, 1));
    auto* combo = static_cast<CGridCellCombo*>(m_grid->CellAt(3, 1));
    combo->SetOptions({"one", "two", "three"});
    combo->SetStyle(CGridCellCombo::kDropDownList);
    m_grid->SetCellText(3, 1, "one");
    ASSERT_TRUE(m_grid->EditCell(3, 1));
    auto* editor = qobject_cast<QComboBox*>(Editor());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->count(), 3);
    EXPECT_EQ(editor->currentText(), "one");
    editor->setCurrentIndex(2);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(m_grid->GetCellText(3, 1), "three");
    ASSERT_EQ(m_ends.size(), 1u);
    EXPECT_EQ(m_ends[0].text, "three");
}

TEST_F(EditingTest, DateCellStoresThePickersTime)
{
    ASSERT_TRUE(m_grid->SetCellKind<CGridCellDateTime>(1, 2));
    auto* date = static_cast<CGridCellDateTime*>(m_grid->CellAt(1, 2));
    EXPECT_LE(std::abs(date->GetTime().secsTo(QDateTime::currentDateTime())), 60);
    date->SetTime(QDateTime(QDate(2003, 4, 5), QTime(6, 7, 8)));
    ASSERT_TRUE(m_grid->EditCell(1, 2));
    auto* picker = qobject_cast<QDateTimeEdit*>(Editor());
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->date(), QDate(2003, 4, 5));
    picker->setDate(QDate(2004, 12, 31));
    QTest::keyClick(picker, Qt::Key_Return);
    EXPECT_EQ(date->GetTime().date(), QDate(2004, 12, 31));
    EXPECT_EQ(m_grid->GetCellText(1, 2), "2004-12-31");
    ASSERT_EQ(m_ends.size(), 1u);
    EXPECT_EQ(m_ends[0].key, int(Qt::Key_Return));
}

TEST_F(EditingTest, DeletingTheEditedRowClosesTheEditorSilently)
{
    DoubleClickCell(2, 1);
    ASSERT_NE(LineEditor(), nullptr);
    LineEditor()->setText("lost");
    EXPECT_TRUE(m_grid->DeleteNonFixedRows());
    QApplication::processEvents();
    EXPECT_EQ(Editor(), nullptr);
    EXPECT_TRUE(m_ends.empty());
    EXPECT_FALSE(m_grid->IsEditingCell());
}

TEST_F(EditingTest, AParentThatRebuildsTheRowsWhenAnEditEndsKeepsWhatItBuilt)
{
    // The trade list rebuilds every row from its model when an edit ends.
    m_veto = true;
    QObject::connect(m_grid, &CGridCtrl::editEnded, m_grid,
                     [this](int, int, const QString&, int, bool*) {
                         m_grid->DeleteNonFixedRows();
                         for (int i = 0; i < 2; ++i) {
                             const int row = m_grid->InsertRowAt(QString());
                             m_grid->SetCellText(row, 1, "rebuilt");
                         }
                     });
    DoubleClickCell(1, 1);
    ASSERT_NE(LineEditor(), nullptr);
    LineEditor()->setText("edited");
    QTest::keyClick(LineEditor(), Qt::Key_Tab);
    ASSERT_EQ(m_ends.size(), 1u);
    EXPECT_EQ(m_grid->GetRowCount(), 3);
    EXPECT_EQ(m_grid->GetCellText(1, 1), "rebuilt");
    EXPECT_FALSE(m_grid->CellAt(1, 1)->IsModified());
    EXPECT_FALSE(m_grid->IsEditingCell()) << "the Tab has no cell left to move to";
}

TEST_F(EditingTest, AParentThatRebuildsTheRowsOnASelectionChangeGetsNoStaleClick)
{
    QObject::connect(m_grid, &CGridCtrl::notify, m_grid, [this](int code, int, int) {
        if (code == grid_notify::kSelectionChanged && m_grid->GetRowCount() > 2) {
            m_grid->SetRows(2);
        }
    });
    NotifyLog log(m_grid);
    ClickCell(3, 0);
    EXPECT_EQ(m_grid->GetRowCount(), 2);
    EXPECT_EQ(log.Count(grid_notify::kClick), 0);
}
