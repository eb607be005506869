#include "CardsGridFixture.h"

#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/SampleCatalogue.h"
#include "grid/CGridCellCheck.h"
#include "lookup/CardGridColumn.h"
#include "lookup/view/PriceCorrectionCommand.h"
#include "toolkit/MessageBox.h"

namespace {

// The grid lists the three cards of a temporary price database; message boxes are answered
// by the test.
class PriceCorrectionCommandTest : public CardsGridFixture {
protected:
    void SetUp() override
    {
        CardsGridFixture::SetUp();
        const std::vector<CardRecord> cards = {
            MakeCard(1, "Lightning Bolt", 1.5f, 4.0f, 10, 1, 10, 0, DateTime(2025, 1, 1)),
            MakeCard(2, "Fact or Fiction", 0.51, 1.02, 20, 2, 20, 0, DateTime(2025, 1, 1)),
            MakeCard(3, "Shivan Dragon", 3.0f, 9.0f, 10, 3, 30, 0, DateTime(2025, 1, 1))};
        std::string error;
        ASSERT_TRUE(sample_catalogue::WritePriceDatabase(
            m_path, {{10, "7E", "Seventh Edition"}, {20, "IN", "Invasion"}}, cards, &error))
            << error;
        ASSERT_TRUE(m_database.Open("Data Source=" + m_path + ";"));
        ASSERT_TRUE(m_catalogue.LoadCatalogue(m_database));
        for (const CardRecord& card : m_catalogue.Cards()) {
            m_grid->AddShownCard(card, false);
        }
        MessageBox::setTestMode(true);
    }
    void TearDown() override
    {
        MessageBox::setTestMode(false);
        m_database.Close();
    }

    void Tick(int id, int column)
    {
        auto* box = dynamic_cast<CGridCellCheck*>(m_grid->CellAt(RowOf(id), column));
        ASSERT_NE(box, nullptr);
        box->SetCheck(true);
    }
    void Type(int id, int column, const char* text)
    {
        m_grid->SetCellText(RowOf(id), column, text);
    }
    std::string Stored(int id, const char* column) const
    {
        return QueryText(m_path, std::string("select ") + column +
                                     " from cardslist where id=" + std::to_string(id));
    }
    PriceCorrectionOutcome Run()
    {
        return PriceCorrectionCommand::Run(*m_grid, m_database, m_catalogue, nullptr,
                                           [this] { ++m_reloads; });
    }
    const MessageBox::Asked& LastBox() const { return MessageBox::asked().back(); }

    TempDir m_dir;
    std::string m_path = m_dir.File("mtgo.mdb");
    CADODataBase m_database;
    CardCatalogue m_catalogue;
    int m_reloads = 0;
};

TEST_F(PriceCorrectionCommandTest, AnsweringNoWritesNothingAndSaysNothingMore)
{
    Tick(1, kNameColumn);
    Type(1, kRegValueColumn, "99");
    MessageBox::setNextAnswer(MessageBox::Answer::No);
    const auto outcome = Run();
    EXPECT_EQ(outcome.updated, 0);
    ASSERT_EQ(MessageBox::asked().size(), 1u);
    EXPECT_EQ(LastBox().text, "Are you sure to update the database?");
    EXPECT_EQ(LastBox().caption, "Caution");
    EXPECT_EQ(LastBox().icon, MessageBox::Icon::Question);
    EXPECT_EQ(LastBox().buttons, MessageBox::Buttons::YesNo);
    EXPECT_EQ(Stored(1, "reg_value"), "1.5");
    EXPECT_EQ(Stored(1, "manual_modify"), "0");
    EXPECT_EQ(m_reloads, 0);
}

TEST_F(PriceCorrectionCommandTest, TwoMarkedRowsAreStoredAndTheCatalogueReloaded)
{
    Tick(1, kNameColumn);
    Tick(3, kNameColumn);
    Type(1, kRegValueColumn, "20");
    Type(3, kRegValueColumn, " 12.5");
    Type(3, kFoilValueColumn, "lots");
    // Toggled HOT alone writes nothing; with a correction the new flag is stored.
    m_grid->ToggleHotAt(RowOf(3), kHotColumn);
    m_grid->ToggleHotAt(RowOf(2), kHotColumn);
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    MessageBox::setNextAnswer(MessageBox::Answer::Ok);
    const auto outcome = Run();
    EXPECT_EQ(outcome.updated, 2);
    ASSERT_EQ(MessageBox::asked().size(), 2u);
    EXPECT_EQ(LastBox().text, "2 cards have been updated");
    EXPECT_EQ(LastBox().caption, "Warning");
    EXPECT_EQ(LastBox().icon, MessageBox::Icon::Warning);

    EXPECT_EQ(Stored(1, "reg_value"), "20.0");
    EXPECT_EQ(Stored(3, "reg_value"), "12.5");
    EXPECT_EQ(Stored(3, "foil_value"), "0.0");
    EXPECT_EQ(Stored(3, "hot"), "1");
    EXPECT_EQ(Stored(2, "hot"), "0");
    EXPECT_EQ(Stored(2, "manual_modify"), "0");
    const std::string today = DateTime::Now().Format("%Y-%m-%d");
    for (int id : {1, 3}) {
        EXPECT_EQ(Stored(id, "manual_modify"), "1");
        EXPECT_EQ(Stored(id, "update_date").substr(0, 10), today);
    }
    // The reloaded catalogue leads with the card now worth most.
    ASSERT_FALSE(m_catalogue.Cards().empty());
    EXPECT_EQ(m_catalogue.Cards().front().id, 1);
    EXPECT_EQ(m_catalogue.Cards().front().reg_value, 20.0f);
    EXPECT_EQ(m_reloads, 1);
    // The grid keeps what the user typed and its old dates; the listed record is corrected.
    EXPECT_EQ(m_grid->GetCellText(RowOf(3), kRegValueColumn), " 12.5");
    EXPECT_EQ(m_grid->ShownCards().Find(3)->reg_value, 12.5f);
}

TEST_F(PriceCorrectionCommandTest,
       AnUntouchedValueKeepsItsStoredValueAndAnEditedOneIsTheDecimalTyped)
{
    Tick(2, kNameColumn);
    Type(2, kFoilValueColumn, "1.5");
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    MessageBox::setNextAnswer(MessageBox::Answer::Ok);
    ASSERT_EQ(Run().updated, 1);
    EXPECT_EQ(Stored(2, "reg_value"), "0.51");
    EXPECT_EQ(Stored(2, "foil_value"), "1.5");
}

TEST_F(PriceCorrectionCommandTest, ACardTickedOnlyInAValueColumnIsNotWritten)
{
    Tick(2, kRegValueColumn);
    Tick(2, kFoilValueColumn);
    Type(2, kRegValueColumn, "7");
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    const auto outcome = Run();
    EXPECT_EQ(outcome.updated, 0);
    ASSERT_EQ(MessageBox::asked().size(), 2u);
    EXPECT_EQ(LastBox().text, "No cards selected.");
    EXPECT_EQ(LastBox().caption, "Warning");
    EXPECT_EQ(Stored(2, "reg_value"), "0.51");
    EXPECT_EQ(Stored(2, "manual_modify"), "0");
    EXPECT_EQ(m_reloads, 0);
}

TEST_F(PriceCorrectionCommandTest, AFailingDatabaseIsReportedAndNothingIsHalfWritten)
{
    Tick(1, kNameColumn);
    Tick(2, kNameColumn);
    Type(1, kRegValueColumn, "30");
    Type(2, kRegValueColumn, "31");
    ASSERT_NO_FATAL_FAILURE(RunSql(m_path,
                                   "create trigger refuse before update on cardslist when "
                                   "new.id=2 begin select raise(abort, 'card 2 is locked'); "
                                   "end;"));
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    const auto outcome = Run();
    EXPECT_TRUE(outcome.failed);
    ASSERT_EQ(MessageBox::asked().size(), 2u);
    EXPECT_EQ(LastBox().caption, "Error");
    EXPECT_EQ(LastBox().icon, MessageBox::Icon::Error);
    EXPECT_TRUE(LastBox().text.contains("card 2 is locked")) << LastBox().text.toStdString();
    EXPECT_EQ(Stored(1, "reg_value"), "1.5");
    EXPECT_EQ(Stored(1, "manual_modify"), "0");
    EXPECT_EQ(m_grid->ShownCards().Find(1)->reg_value, 1.5f);
    EXPECT_EQ(m_reloads, 0);
}

TEST_F(PriceCorrectionCommandTest, AClosedDatabaseShowsItsLastError)
{
    Tick(1, kNameColumn);
    m_database.Close();
    ASSERT_FALSE(m_database.Open("Data Source=" + m_dir.File("gone.mdb") + ";"));
    MessageBox::setNextAnswer(MessageBox::Answer::Yes);
    const auto outcome = Run();
    EXPECT_TRUE(outcome.failed);
    ASSERT_EQ(MessageBox::asked().size(), 2u);
    EXPECT_EQ(LastBox().caption, "Error");
    EXPECT_TRUE(LastBox().text.contains(QString::fromStdString(m_database.GetLastErrorText())));
    // The catalogue was not reloaded (an empty load would have emptied it).
    EXPECT_EQ(m_catalogue.Cards().size(), 3u);
}

} // namespace
