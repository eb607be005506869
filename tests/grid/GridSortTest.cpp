// Sorting: by text, by a comparison callback, in both directions and by header clicks.
#include "GridTestSupport.h"

#include <algorithm>
#include <random>

namespace {

int CompareByData(const CGridCellBase* a, const CGridCellBase* b, std::intptr_t)
{
    return a->GetData() < b->GetData() ? -1 : (a->GetData() > b->GetData() ? 1 : 0);
}

} // namespace

class SortTest : public GridFixture {
protected:
    // One header row and a data column of the given texts, with their numbers as item data.
    void FillNumbers(const std::vector<int>& numbers)
    {
        m_grid->SetColumns(2);
        m_grid->SetFixedRows(1);
        m_grid->SetCellText(0, 0, "Number");
        for (int n : numbers) {
            const int row = m_grid->InsertRowAt(QString());
            m_grid->SetCellText(row, 0, QString::number(n));
            m_grid->SetCellData(row, 0, n);
            m_grid->SetCellText(row, 1, QString("row of %1").arg(n));
            m_grid->SetRowHeightAt(row, 20 + n % 7);
        }
    }

    std::vector<int> DataColumn() const
    {
        std::vector<int> values;
        for (int r = m_grid->GetFixedRowCount(); r < m_grid->GetRowCount(); ++r) {
            values.push_back(m_grid->GetCellData(r, 0));
        }
        return values;
    }
};

TEST_F(SortTest, HeaderOnlyOrOneRowIsUnchanged)
{
    FillNumbers({});
    EXPECT_TRUE(m_grid->SortByColumn(0, true));
    EXPECT_EQ(m_grid->GetRowCount(), 1);
    EXPECT_EQ(m_grid->GetCellText(0, 0), "Number");

    FillNumbers({5});
    m_grid->SetCompareCallback(CompareByData);
    EXPECT_TRUE(m_grid->SortByColumn(0, false));
    EXPECT_EQ(m_grid->GetCellText(0, 0), "Number");
    EXPECT_EQ(m_grid->GetCellText(1, 1), "row of 5");
}

TEST_F(SortTest, TextsSortByteWiseAndCaseSensitive)
{
    m_grid->SetColumns(1);
    m_grid->SetFixedRows(1);
    for (const char* text : {"beta", "Alpha", "alpha", "Zeta", "10", "9", "\xc3\xa9t\xc3\xa9"}) {
        m_grid->SetCellText(m_grid->InsertRowAt(QString()), 0, QString::fromUtf8(text));
    }
    m_grid->SortByColumn(0, true);
    EXPECT_EQ(ColumnTexts(0), QStringList({"10", "9", "Alpha", "Zeta", "alpha", "beta",
                                           QString::fromUtf8("\xc3\xa9t\xc3\xa9")}));
    m_grid->SortByColumn(0, false);
    EXPECT_EQ(ColumnTexts(0).first(), QString::fromUtf8("\xc3\xa9t\xc3\xa9"));
    EXPECT_EQ(ColumnTexts(0).last(), "10");
}

TEST_F(SortTest, CallbackSortMovesWholeRowsWithHeights)
{
    FillNumbers({30, 4, 17, 4, 250, -3});
    m_grid->SetCompareCallback(CompareByData);
    EXPECT_TRUE(m_grid->SortByColumn(0, true));
    EXPECT_EQ(DataColumn(), (std::vector<int>{-3, 4, 4, 17, 30, 250}));
    for (int r = 1; r < m_grid->GetRowCount(); ++r) {
        const int n = m_grid->GetCellData(r, 0);
        EXPECT_EQ(m_grid->GetCellText(r, 1), QString("row of %1").arg(n));
        EXPECT_EQ(m_grid->GetRowHeight(r), 20 + n % 7);
        EXPECT_EQ(m_grid->CellAt(r, 1)->GetCoords(), (GridCellCoord{r, 1}));
    }
    EXPECT_EQ(m_grid->GetSortColumn(), 0);
    EXPECT_TRUE(m_grid->GetSortAscending());
    EXPECT_TRUE(m_grid->SortByColumn(0, false));
    EXPECT_EQ(DataColumn(), (std::vector<int>{250, 30, 17, 4, 4, -3}));
    EXPECT_FALSE(m_grid->GetSortAscending());
}

TEST_F(SortTest, UserValueReachesTheCallback)
{
    FillNumbers({1, 2, 3});
    std::intptr_t seen = 0;
    m_grid->SetCompareCallback(
        [&seen](const CGridCellBase* a, const CGridCellBase* b, std::intptr_t user) {
            seen = user;
            return CompareByData(a, b, 0);
        });
    m_grid->SortByColumn(0, false, 4242);
    EXPECT_EQ(seen, 4242);
}

TEST_F(SortTest, SortingClearsSelectionAndFocus)
{
    FillNumbers({3, 1, 2});
    m_grid->SetFocusCell(2, 0);
    m_grid->SelectRange(1, 0, 3, 1);
    m_grid->SortByColumn(0, true);
    EXPECT_EQ(m_grid->GetSelectedCount(), 0);
    EXPECT_FALSE(m_grid->GetFocusCell().IsValid());
    for (int r = 0; r < m_grid->GetRowCount(); ++r) {
        EXPECT_FALSE(m_grid->CellAt(r, 0)->IsSelected());
        EXPECT_FALSE(m_grid->CellAt(r, 0)->IsFocused());
    }
}

TEST_F(SortTest, LargeRandomSortsMatchTheStandardLibrary)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(0, 500); // many duplicates
    std::vector<int> numbers(3000);
    for (int& n : numbers) {
        n = value(random);
    }
    FillNumbers(numbers);
    m_grid->SetCompareCallback(CompareByData);
    m_grid->SortByColumn(0, true);
    std::vector<int> expected = numbers;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(DataColumn(), expected);
    m_grid->SortByColumn(0, false);
    std::reverse(expected.begin(), expected.end());
    EXPECT_EQ(DataColumn(), expected);
}

TEST_F(SortTest, SortedReversedAndAllEqualInputsFinish)
{
    std::vector<int> numbers(40000);
    for (int i = 0; i < int(numbers.size()); ++i) {
        numbers[size_t(i)] = i;
    }
    FillNumbers(numbers);
    m_grid->SetCompareCallback(CompareByData);
    m_grid->SortByColumn(0, false);
    EXPECT_EQ(m_grid->GetCellData(1, 0), 39999);
    m_grid->SortByColumn(0, true);
    EXPECT_EQ(m_grid->GetCellData(1, 0), 0);
    EXPECT_EQ(m_grid->GetCellData(40000, 0), 39999);
    // A comparison that finds every row equal, as for columns without an order.
    m_grid->SetCompareCallback(
        [](const CGridCellBase*, const CGridCellBase*, std::intptr_t) { return 0; });
    EXPECT_TRUE(m_grid->SortByColumn(1, true));
    EXPECT_EQ(m_grid->GetRowCount(), 40001);
}

TEST_F(SortTest, HeaderClicksSortAscendingThenDescendingThenAnotherColumnAscending)
{
    FillNumbers({5, 1, 9, 3});
    m_grid->SetColumnWidth(0, 100);
    m_grid->SetColumnWidth(1, 100);
    m_grid->SetRowHeightAt(0, 25);
    m_grid->SetListMode(true);
    m_grid->SetSortOnClick(true);
    m_grid->SetCompareCallback(CompareByData);

    ClickCell(0, 0);
    EXPECT_EQ(DataColumn(), (std::vector<int>{1, 3, 5, 9}));
    ClickCell(0, 0);
    EXPECT_EQ(DataColumn(), (std::vector<int>{9, 5, 3, 1}));
    ClickCell(0, 0);
    EXPECT_EQ(DataColumn(), (std::vector<int>{1, 3, 5, 9}));

    m_grid->SetCompareCallback(nullptr); // texts "row of N"
    ClickCell(0, 1);
    EXPECT_EQ(m_grid->GetSortColumn(), 1);
    EXPECT_TRUE(m_grid->GetSortAscending());
    EXPECT_EQ(ColumnTexts(1), QStringList({"row of 1", "row of 3", "row of 5", "row of 9"}));
    EXPECT_EQ(m_grid->GetSelectedCount(), 0); // list mode: a header click selects nothing
}

TEST_F(SortTest, HeaderClickWithoutSortOnClickSelectsTheColumn)
{
    FillNumbers({5, 1});
    m_grid->SetColumnWidth(0, 100);
    m_grid->SetRowHeightAt(0, 25);
    ClickCell(0, 0);
    EXPECT_EQ(m_grid->GetSortColumn(), -1);
    EXPECT_EQ(DataColumn(), (std::vector<int>{5, 1}));
    EXPECT_TRUE(m_grid->IsCellSelected(1, 0));
    EXPECT_TRUE(m_grid->IsCellSelected(2, 0));
    EXPECT_FALSE(m_grid->IsCellSelected(1, 1));
}
