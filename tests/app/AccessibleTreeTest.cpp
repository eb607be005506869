#include "MainWindowParts.h"

#include "grid/CGridCellCheck.h"
#include "lookup/CardGridColumn.h"

#include <QAccessible>

#include <functional>
#include <vector>

namespace {

// What a screen reader finds in the main window: named and described controls, the grids as
// tables with headers, texts, check states and the focused cell, and the value report named by
// its first line as it appears.
class AccessibleTreeTest : public MainWindowFixture {
protected:
    // Every interface below `root`, depth first; a table gives its first rows only.
    static std::vector<QAccessibleInterface*> Walk(QAccessibleInterface* root)
    {
        std::vector<QAccessibleInterface*> found;
        std::function<void(QAccessibleInterface*)> visit = [&](QAccessibleInterface* node) {
            found.push_back(node);
            const int count = node->role() == QAccessible::Table ? std::min(node->childCount(), 30)
                                                                 : node->childCount();
            for (int i = 0; i < count; ++i) {
                if (QAccessibleInterface* child = node->child(i)) {
                    visit(child);
                }
            }
        };
        visit(root);
        return found;
    }
    static QAccessibleInterface* TableNamed(QWidget& window, const QString& name)
    {
        for (QAccessibleInterface* node : Walk(QAccessible::queryAccessibleInterface(&window))) {
            if (node->role() == QAccessible::Table && node->text(QAccessible::Name) == name) {
                return node;
            }
        }
        return nullptr;
    }
};

TEST_F(AccessibleTreeTest, ControlsAreNamedAndGridsReadAsTablesWithTextsAndTicks)
{
    Search("Wrath");
    CCardsGridCtrl& grid = main_window::Grid(Window());
    for (CardGridColumn column : {CardGridColumn::Name, CardGridColumn::RegValue}) {
        static_cast<CGridCellCheck*>(grid.CellAt(1, ColumnIndex(column)))->SetCheck(true);
    }

    int controls = 0;
    for (QAccessibleInterface* node : Walk(QAccessible::queryAccessibleInterface(&Window()))) {
        const QAccessible::Role role = node->role();
        if (role == QAccessible::PushButton || role == QAccessible::EditableText ||
            role == QAccessible::Table) {
            ++controls;
            EXPECT_FALSE(node->text(QAccessible::Name).isEmpty()) << role;
            EXPECT_FALSE(node->text(QAccessible::Description).isEmpty())
                << node->text(QAccessible::Name).toStdString();
        }
    }
    EXPECT_GE(controls, 5); // the search box, three buttons and the grid

    QAccessibleInterface* cards = TableNamed(Window(), "Cards found");
    ASSERT_NE(cards, nullptr);
    QAccessibleTableInterface* table = cards->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_EQ(table->columnCount(), kCardGridColumnCount);
    EXPECT_EQ(table->columnDescription(ColumnIndex(CardGridColumn::FoilValue)), "Foil Value");
    // Sorted by value: Akroma (9.0), Wrath of God (6.5), Kirtar's Wrath (1.5).
    QAccessibleInterface* name = table->cellAt(0, ColumnIndex(CardGridColumn::Name));
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(QAccessible::Name), "Akroma, Angel of Wrath");
    EXPECT_EQ(name->role(), QAccessible::Cell);
    EXPECT_TRUE(name->state().checkable);
    EXPECT_TRUE(name->state().checked);
    EXPECT_FALSE(table->cellAt(1, ColumnIndex(CardGridColumn::Name))->state().checked);
    EXPECT_EQ(table->cellAt(1, ColumnIndex(CardGridColumn::RegValue))->text(QAccessible::Name),
              "6.5");
    EXPECT_EQ(table->cellAt(0, ColumnIndex(CardGridColumn::Rarity))->text(QAccessible::Name),
              "Legions/Rare");
    QAccessibleTableCellInterface* cell = name->tableCellInterface();
    ASSERT_NE(cell, nullptr);
    ASSERT_EQ(cell->columnHeaderCells().size(), 1);
    EXPECT_EQ(cell->columnHeaderCells()[0]->text(QAccessible::Name), "Cards Name");
    EXPECT_EQ(cards->indexOfChild(name), (1 * kCardGridColumnCount) + 1);

    // Reached by the keyboard, the grid focuses its first cell, and says so.
    grid.setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QAccessibleInterface* focused = cards->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->tableCellInterface()->rowIndex(), 0);
    EXPECT_EQ(focused->tableCellInterface()->columnIndex(), 0);
    EXPECT_TRUE(focused->state().focused);

    // The trade list and the collection views are tables too.
    m_window->OnCommand(MainCommand::PutIntoList);
    QAccessibleInterface* trade = TableNamed(main_window::TradeList(), "Trade list");
    ASSERT_NE(trade, nullptr);
    ASSERT_EQ(trade->tableInterface()->rowCount(), 1);
    EXPECT_EQ(trade->tableInterface()->cellAt(0, 1)->text(QAccessible::Name),
              "Akroma, Angel of Wrath");
    m_window->OnCommand(MainCommand::MyCollection);
    EXPECT_NE(TableNamed(main_window::Collection(), "Collection"), nullptr);
}

TEST_F(AccessibleTreeTest, TheValueReportIsNamedByItsFirstLineAsItAppears)
{
    // Readers speak a popup's name when it changes; the popup takes no focus.
    Window();
    m_clipboard.simulateCopy("Wrath of God");
    CTipPopup& popup = main_window::ReportPopup(Window());
    ASSERT_TRUE(popup.isOpen());
    QAccessibleInterface* report = QAccessible::queryAccessibleInterface(&popup);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->text(QAccessible::Name), "1 cards found!");
    EXPECT_EQ(report->text(QAccessible::Description), main_window::LastReport(Window()));
    m_clipboard.simulateCopy("Shock, Counterspell");
    EXPECT_EQ(report->text(QAccessible::Name), "3 cards found!");
}

} // namespace
