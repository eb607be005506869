// The cell kinds: creation by name, check boxes, the trade list's check cell, links, images.
#include "GridTestSupport.h"

#include "grid/CGridCell.h"
#include "grid/CGridCellCheck.h"
#include "grid/CGridURLCell.h"
#include "grid/CTamrikGrideCellCheck.h"
#include "grid/GridCellFactory.h"
#include "grid/TradeMarkStore.h"
#include "trade/TradeListColumn.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStyle>

namespace {

// The trade list's columns of its two marks.
constexpr int kBuy = ColumnIndex(TradeListColumn::Buy);
constexpr int kSell = ColumnIndex(TradeListColumn::Sell);

struct StoredMark {
    std::int32_t key;
    TradeMarkStore::Mark mark;
    bool checked;
};

class FakeMarkStore : public TradeMarkStore {
public:
    void StoreMark(std::int32_t key, Mark mark, bool checked) override
    {
        stored.push_back({key, mark, checked});
    }
    std::vector<StoredMark> stored;
};

} // namespace

TEST(CellFactoryTest, EveryKindIsCreatedByItsName)
{
    for (const char* name :
         {"CGridCell", "CGridDefaultCell", "CGridCellCheck", "CTamrikGrideCellCheck",
          "CGridCellCombo", "CGridCellDateTime", "CGridCellNumeric", "CGridURLCell"}) {
        std::unique_ptr<CGridCellBase> cell = GridCellFactory::Create(name);
        ASSERT_NE(cell, nullptr) << name;
        EXPECT_STREQ(cell->GetRuntimeClassName(), name);
    }
    EXPECT_EQ(GridCellFactory::Create("CGridCellBase"), nullptr);
    EXPECT_EQ(GridCellFactory::Create("CGridCtrl"), nullptr);
    EXPECT_EQ(GridCellFactory::Create(""), nullptr);
    EXPECT_NE(dynamic_cast<CGridCellCheck*>(GridCellFactory::Create("CTamrikGrideCellCheck").get()),
              nullptr);
}

class CheckCellTest : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        Fill(3, kTradeListColumnCount);
        ASSERT_TRUE(m_grid->SetCellKind<CGridCellCheck>(1, 1));
        m_check = static_cast<CGridCellCheck*>(m_grid->CellAt(1, 1));
    }
    QRect Box() const { return m_check->GetCheckPlacement(m_grid->CellRect(1, 1)); }

    CGridCellCheck* m_check = nullptr;
};

TEST_F(CheckCellTest, ClickInsideTheBoxToggles)
{
    EXPECT_FALSE(m_check->GetCheck());
    Click(Box().center());
    EXPECT_TRUE(m_check->GetCheck());
    Click(Box().center());
    EXPECT_FALSE(m_check->GetCheck());
}

TEST_F(CheckCellTest, ClickJustOutsideTheBoxChangesNothing)
{
    const QRect box = Box();
    Click(QPoint(box.right() + 2, box.center().y()));
    EXPECT_FALSE(m_check->GetCheck());
    Click(QPoint(box.center().x(), box.bottom() + 2));
    EXPECT_FALSE(m_check->GetCheck());
}

TEST_F(CheckCellTest, ReadOnlyBoxesStillToggle)
{
    m_grid->SetCellReadOnly(1, 1);
    Click(Box().center());
    EXPECT_TRUE(m_check->GetCheck());
}

TEST_F(CheckCellTest, BoxSitsAtTheMarginAndTheTextBesideIt)
{
    const QRect cell = m_grid->CellRect(1, 1);
    const int margin = int(m_check->GetMargin());
    const int side = CGridCellCheck::BoxSide();
    EXPECT_EQ(Box(), QRect(cell.left() + margin, cell.top() + margin, side, side));
    QRect text = cell;
    m_check->GetTextRect(text);
    EXPECT_GE(text.left(), cell.left() + side + 2 * margin);
    QRect narrow(0, 0, 5, 20);
    m_check->GetTextRect(narrow);
    EXPECT_LE(narrow.left(), 5) << "never beyond the cell's right edge";

    CGridCell plain;
    plain.SetOwner(m_grid);
    plain.SetText(m_check->GetText());
    EXPECT_EQ(m_check->GetCellExtent(),
              plain.GetCellExtent() + QSize(side + 2 * margin, side + 2 * margin));
}

TEST_F(CheckCellTest, SetCheckReturnsThePreviousStateEvenWithoutARectangle)
{
    EXPECT_FALSE(m_check->SetCheck(true));
    EXPECT_TRUE(m_check->SetCheck(true));
    CGridCellCheck loose;
    EXPECT_FALSE(loose.SetCheck(true));
    EXPECT_TRUE(loose.GetCheck());
    ASSERT_TRUE(m_grid->SetCellKind<CGridCell>(1, 1));
    ASSERT_TRUE(m_grid->SetCellKind<CGridCellCheck>(1, 1));
    EXPECT_FALSE(static_cast<CGridCellCheck*>(m_grid->CellAt(1, 1))->GetCheck());
}

TEST_F(CheckCellTest, TradeListCheckCellsStoreTheirMark)
{
    FakeMarkStore store;
    m_grid->SetTradeMarkStore(&store);
    for (int column : {1, kBuy, kSell}) {
        ASSERT_TRUE(m_grid->SetCellKind<CTamrikGrideCellCheck>(2, column));
        m_grid->SetCellData(2, column, 16777216 + 55);
    }
    auto box = [this](int column) {
        auto* cell = static_cast<CGridCellCheck*>(m_grid->CellAt(2, column));
        return cell->GetCheckPlacement(m_grid->CellRect(2, column));
    };
    Click(box(kBuy).center());
    Click(box(kSell).center());
    Click(box(kSell).center());
    Click(box(1).center()); // not a mark column
    ASSERT_EQ(store.stored.size(), 3u);
    EXPECT_EQ(store.stored[0].key, 16777216 + 55);
    EXPECT_EQ(store.stored[0].mark, TradeMarkStore::Mark::Buying);
    EXPECT_TRUE(store.stored[0].checked);
    EXPECT_EQ(store.stored[1].mark, TradeMarkStore::Mark::Selling);
    EXPECT_TRUE(store.stored[1].checked);
    EXPECT_FALSE(store.stored[2].checked);
    EXPECT_TRUE(static_cast<CGridCellCheck*>(m_grid->CellAt(2, 1))->GetCheck());

    // Beside the box the unchanged state is stored again.
    Click(QPoint(box(kBuy).right() + 3, box(kBuy).center().y()));
    ASSERT_EQ(store.stored.size(), 4u);
    EXPECT_TRUE(store.stored[3].checked);
    EXPECT_EQ(store.stored[3].mark, TradeMarkStore::Mark::Buying);
}

TEST_F(CheckCellTest, SpaceTogglesTheFocusedCheckCellAndNeverOpensAnEditor)
{
    FakeMarkStore store;
    m_grid->SetTradeMarkStore(&store);
    ASSERT_TRUE(m_grid->SetCellKind<CTamrikGrideCellCheck>(2, kSell));
    m_grid->SetCellData(2, kSell, 77);
    m_grid->SetCellReadOnly(1, 1);
    struct Case {
        int row, column;
        bool checkedAfter;
    };
    for (const Case& c : {Case{1, 1, true}, Case{1, 1, false}, Case{2, kSell, true}}) {
        m_grid->SetFocusCell(c.row, c.column);
        QTest::keyClick(m_grid, Qt::Key_Space);
        EXPECT_FALSE(m_grid->IsEditingCell()) << c.row << "," << c.column;
        EXPECT_EQ(static_cast<CGridCellCheck*>(m_grid->CellAt(c.row, c.column))->GetCheck(),
                  c.checkedAfter);
    }
    // The trade list's cell stores its mark as a click does.
    ASSERT_EQ(store.stored.size(), 1u);
    EXPECT_EQ(store.stored[0].key, 77);
    EXPECT_EQ(store.stored[0].mark, TradeMarkStore::Mark::Selling);
    EXPECT_TRUE(store.stored[0].checked);
    // In a text cell Space is typed text as before: it starts the editor.
    m_grid->SetFocusCell(1, 2);
    QTest::keyClick(m_grid, Qt::Key_Space);
    EXPECT_TRUE(m_grid->IsEditingCell());
}

// A check box must stand out from its cell in light and dark colour schemes alike.
class CheckCellPaletteTest : public ::testing::TestWithParam<bool> {
protected:
    static QPalette Scheme(bool dark)
    {
        QPalette palette = QApplication::style()->standardPalette();
        if (!dark)
            return palette;
        // Close to Adwaita dark as a GTK platform theme hands it over.
        const QColor window(0x35, 0x35, 0x35), base(0x2d, 0x2d, 0x2d), text(0xee, 0xee, 0xec);
        for (auto role : {QPalette::Window, QPalette::Button})
            palette.setColor(role, window);
        palette.setColor(QPalette::Base, base);
        palette.setColor(QPalette::AlternateBase, window);
        for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
            palette.setColor(role, text);
        palette.setColor(QPalette::Light, window.lighter(150));
        palette.setColor(QPalette::Midlight, window.lighter(125));
        palette.setColor(QPalette::Mid, window.darker(120));
        palette.setColor(QPalette::Dark, window.darker(150));
        return palette;
    }
    void SetUp() override
    {
        m_saved = QApplication::palette();
        QApplication::setPalette(Scheme(GetParam()));
    }
    void TearDown() override { QApplication::setPalette(m_saved); }

    QPalette m_saved;
};

TEST_P(CheckCellPaletteTest, BoxesAndGridLinesDifferFromTheCellBackground)
{
    QWidget window;
    window.resize(300, 120);
    auto* grid = new CGridCtrl(&window, 3, 2, 1, 0);
    grid->setGeometry(window.rect());
    for (int row = 0; row < 3; ++row)
        grid->SetRowHeightAt(row, 25);
    grid->SetColumnWidth(0, 120);
    grid->SetColumnWidth(1, 120);
    for (int column = 0; column < 2; ++column)
        ASSERT_TRUE(grid->SetCellKind<CGridCellCheck>(1, column));
    static_cast<CGridCellCheck*>(grid->CellAt(1, 1))->SetCheck(true);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = grid->viewport()->grab().toImage();
    const QColor background = shot.pixelColor(grid->CellRect(1, 0).center() + QPoint(40, 0));
    ASSERT_EQ(background, QApplication::palette().color(QPalette::Base));
    const auto stands_out = [&](const QRect& area) {
        int differing = 0;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            for (int x = area.left(); x <= area.right(); ++x) {
                const QColor c = shot.pixelColor(x, y);
                const int distance = std::abs(c.red() - background.red()) +
                                     std::abs(c.green() - background.green()) +
                                     std::abs(c.blue() - background.blue());
                differing += distance >= 90 ? 1 : 0;
            }
        }
        return differing;
    };
    for (int column = 0; column < 2; ++column) {
        auto* cell = static_cast<CGridCellCheck*>(grid->CellAt(1, column));
        const QRect box = cell->GetCheckPlacement(grid->CellRect(1, column));
        // At least the box's outline, whether ticked or not.
        EXPECT_GE(stands_out(box), 2 * box.width()) << (column ? "ticked" : "unticked");
    }
    // The line under the data row.
    const QRect cell = grid->CellRect(1, 0);
    EXPECT_GE(stands_out(QRect(cell.left(), cell.bottom(), cell.width(), 1)), cell.width() / 2);
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, CheckCellPaletteTest, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Dark" : "Light"; });

class LinkCellTest : public GridFixture {
protected:
    void SetUp() override
    {
        GridFixture::SetUp();
        Fill(2, 2);
        m_grid->SetColumnWidth(1, 500);
        ASSERT_TRUE(m_grid->SetCellKind<CGridURLCell>(1, 1));
        m_link = static_cast<CGridURLCell*>(m_grid->CellAt(1, 1));
        m_link->SetText(kText);
        CGridURLCell::SetLinkOpener([this](const QString& word) { m_opened << word; });
    }
    void TearDown() override
    {
        CGridURLCell::SetLinkOpener(nullptr);
        GridFixture::TearDown();
    }

    // The point over the middle of a word of the text.
    QPoint OverWord(const QString& word) const
    {
        const QRect cell = m_grid->CellRect(1, 1);
        QRect text = cell;
        m_link->GetTextRect(text);
        const QFontMetrics metrics(m_link->GetFontObject());
        const int index = int(kText.indexOf(word));
        const int x =
            metrics.horizontalAdvance(kText.left(index)) + metrics.horizontalAdvance(word) / 2;
        return QPoint(text.left() + x, cell.center().y());
    }

    const QString kText = "see http://cards.example.org/showcard.asp?id=7EWR12 today";
    CGridURLCell* m_link = nullptr;
    QStringList m_opened;
};

TEST_F(LinkCellTest, RecognisesLinkWords)
{
    for (const char* text : {"www.x", "http://a", "mailto:me", "ftp://f", "https://s", "news:n",
                             "gopher://g", "telnet://t", "url:u", "file:///f", "ftp.host"}) {
        EXPECT_TRUE(CGridURLCell::HasUrl(text)) << text;
    }
    EXPECT_FALSE(CGridURLCell::HasUrl("plain words"));
    EXPECT_FALSE(CGridURLCell::HasUrl(""));
}

TEST_F(LinkCellTest, ClickOpensOnlyTheLinkWordUnderThePointer)
{
    Click(OverWord("http://cards.example.org/showcard.asp?id=7EWR12"));
    EXPECT_EQ(m_opened, QStringList({"http://cards.example.org/showcard.asp?id=7EWR12"}));
    Click(OverWord("see"));
    Click(OverWord("today"));
    EXPECT_EQ(m_opened.size(), 1);
}

TEST_F(LinkCellTest, WordAtCutsAtSpaces)
{
    const QFontMetrics metrics(m_link->GetFontObject());
    EXPECT_EQ(m_link->WordAt(1), "see");
    EXPECT_EQ(m_link->WordAt(metrics.horizontalAdvance("see") + 1), QString()) << "a space";
    EXPECT_EQ(m_link->WordAt(metrics.horizontalAdvance(kText) - 2), "today");
    EXPECT_EQ(m_link->WordAt(metrics.horizontalAdvance(kText) + 10), QString());
    EXPECT_EQ(m_link->WordAt(-3), QString());
}

TEST_F(LinkCellTest, LaunchFlagOffOpensNothingAndLinksNeverEdit)
{
    m_link->SetLaunchUrl(false);
    Click(OverWord("http://cards.example.org/showcard.asp?id=7EWR12"));
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_FALSE(m_grid->EditCell(1, 1));
    EXPECT_FALSE(m_link->IsEditing());
}

TEST_F(LinkCellTest, HandCursorOnlyOverTheLink)
{
    const QPoint over = OverWord("http://cards.example.org/showcard.asp?id=7EWR12");
    Hover(over);
    EXPECT_EQ(m_grid->viewport()->cursor().shape(), Qt::PointingHandCursor);
    Hover(OverWord("see"));
    EXPECT_EQ(m_grid->viewport()->cursor().shape(), Qt::ArrowCursor);
}

using ImageTest = GridFixture;

TEST_F(ImageTest, AStripIsCutIntoSixteenPixelImagesThatCellsShow)
{
    QPixmap strip(29 * 16, 16);
    strip.fill(Qt::red);
    m_grid->SetImageStrip(strip);
    ASSERT_EQ(m_grid->GetImageList().size(), 29);
    EXPECT_EQ(m_grid->GetImageList().at(28).size(), QSize(16, 16));

    Fill(1, 1);
    const int without = m_grid->CellAt(1, 0)->GetCellExtent().width();
    m_grid->SetCellImage(1, 0, 27);
    EXPECT_EQ(m_grid->CellAt(1, 0)->GetCellExtent().width(),
              without + 16 + int(m_grid->CellAt(1, 0)->GetMargin()));
    m_grid->SetCellText(1, 0, QString());
    QImage shot = m_grid->viewport()->grab().toImage();
    const QRect cell = m_grid->CellRect(1, 0);
    const QPoint inImage(cell.left() + int(m_grid->CellAt(1, 0)->GetMargin()) + 8,
                         cell.center().y());
    EXPECT_EQ(QColor(shot.pixel(inImage)), QColor(Qt::red));
    m_grid->SetCellImage(1, 0, 99); // outside the list: drawn without an image
    shot = m_grid->viewport()->grab().toImage();
    EXPECT_NE(QColor(shot.pixel(inImage)), QColor(Qt::red));
}
