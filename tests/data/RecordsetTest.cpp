#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include "data/CADODataBase.h"
#include "data/CADOException.h"
#include "data/CADORecordset.h"
#include "data/DateTime.h"

#include <gtest/gtest.h>

#include <map>

namespace {

// A card table with every kind of field, a collection table with an autonumber id and a
// unique pair, as the program's files have them.
class RecordsetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_file = m_dir.File("test.mdb");
        RunSql(m_file,
               "create table cards (id integer, name text, value real, rarity integer,"
               " update_date datetime, picture blob);"
               "insert into cards values (1, 'Angelic Page', 0.25, 10, '2026-12-06 23:05:24', "
               "x'00');"
               "insert into cards values (2, 'Castle', 1.5, 20, 'December 06 2026 23:05:24', "
               "null);"
               "insert into cards values (3, null, null, null, null, null);"
               "insert into cards values (4, '', '', '', '', null);"
               "create table collections (id integer primary key autoincrement,"
               " card_id integer default 0, collectionName_id integer default 0,"
               " no_owned integer default 0);"
               "create unique index pair on collections (card_id, collectionName_id);"
               "create table history (collections_id integer, no_trade_cards integer,"
               " transaction_id integer);");
        ASSERT_TRUE(m_db.Open(ConnectionString(m_file))) << m_db.GetLastErrorText();
    }

    // Opens `query` and moves to the row whose id is `id`.
    void OpenAt(CADORecordset& rs, const std::string& query, int id)
    {
        ASSERT_TRUE(rs.Open(query)) << rs.GetLastErrorText();
        std::int32_t current = -1;
        while (!rs.IsEof() && (rs.GetLong("id", current), current != id)) {
            rs.MoveNext();
        }
        ASSERT_FALSE(rs.IsEof()) << "no row with id " << id;
    }

    TempDir m_dir;
    std::string m_file;
    CADODataBase m_db;
};

int CountRows(CADORecordset& rs)
{
    int rows = 0;
    for (; !rs.IsEof(); rs.MoveNext()) {
        ++rows;
    }
    return rows;
}

} // namespace

TEST_F(RecordsetTest, OnlyTextsStartingWithSelectAndABlankOpenInModeZero)
{
    CADORecordset rs(m_db);
    EXPECT_TRUE(rs.Open("  select * from cards"));
    EXPECT_EQ(rs.GetQuery(), "select * from cards");
    EXPECT_EQ(CountRows(rs), 4);
    EXPECT_TRUE(rs.Open("SeLeCt * from cards where id=2"));
    EXPECT_EQ(CountRows(rs), 1);

    for (const char* refused : {"select* from cards", "select\t* from cards",
                                "insert into cards (id) values (9)", "cards"}) {
        EXPECT_FALSE(rs.Open(refused)) << refused;
        EXPECT_FALSE(rs.IsOpen()) << refused;
    }
    EXPECT_EQ(QueryText(m_file, "select count(*) from cards"), "4");
    EXPECT_NE(rs.GetLastErrorText().find("Query = cards\nCADORecordset Error\n"),
              std::string::npos);
}

TEST_F(RecordsetTest, TheOtherModesOpenQueriesAndTables)
{
    CADORecordset rs(m_db);
    EXPECT_TRUE(rs.Open("pragma table_info(cards)", CADORecordset::openQuery));
    EXPECT_EQ(CountRows(rs), 6);
    EXPECT_FALSE(rs.IsUpdatable());
    EXPECT_TRUE(rs.Open("collections", CADORecordset::openTable));
    EXPECT_TRUE(rs.IsUpdatable());
    EXPECT_TRUE(rs.IsEof());
    EXPECT_FALSE(rs.Open("anything", CADORecordset::openStoredProc));
    EXPECT_NE(rs.GetLastErrorText().find("Stored procedures"), std::string::npos);
}

TEST_F(RecordsetTest, AnEmptyTextReopensThePreviousQuery)
{
    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open("select * from cards where id>2"));
    rs.MoveNext();
    ASSERT_TRUE(rs.Open());
    EXPECT_EQ(rs.GetQuery(), "select * from cards where id>2");
    EXPECT_EQ(CountRows(rs), 2);
}

TEST_F(RecordsetTest, FailedOpensKeepTheQueryAndTheEngineError)
{
    CADORecordset rs(m_db);
    EXPECT_FALSE(rs.Open("select * from nowhere"));
    EXPECT_EQ(rs.GetLastErrorText(),
              "Query = select * from nowhere\nCADORecordset Error\n\tCode = 00000001\n\t"
              "Code meaning = SQL logic error\n\tSource = SQLite\n\t"
              "Description = no such table: nowhere\n");
    EXPECT_FALSE(rs.Open("select nope from cards"));
    EXPECT_NE(rs.GetLastErrorText().find("no such column: nope"), std::string::npos);
    EXPECT_FALSE(rs.Open("select * from cards; delete from cards"));
    EXPECT_EQ(QueryText(m_file, "select count(*) from cards"), "4");
}

TEST_F(RecordsetTest, NullAndEmptyFieldsReadAsZeroEmptyOrUnchanged)
{
    CADORecordset rs(m_db);
    for (const int id : {3, 4}) {
        OpenAt(rs, "select * from cards", id);
        std::int32_t number = 99;
        float value = 9.5f;
        std::string text = "old";
        DateTime date(2001, 2, 3, 4, 5, 6);
        EXPECT_TRUE(rs.GetLong("rarity", number));
        EXPECT_EQ(number, 0);
        EXPECT_TRUE(rs.GetFloat("value", value));
        EXPECT_EQ(value, 0.0f);
        EXPECT_TRUE(rs.GetText("name", text));
        EXPECT_EQ(text, "");
        text = "old";
        EXPECT_TRUE(rs.GetText("update_date", text));
        EXPECT_EQ(text, "");
        EXPECT_TRUE(rs.GetDate("update_date", date));
        EXPECT_EQ(date, DateTime(2001, 2, 3, 4, 5, 6));
    }
    std::int32_t number = 99;
    EXPECT_TRUE(rs.GetLongAt(3, number)); // rarity by position
    EXPECT_EQ(number, 0);
}

TEST_F(RecordsetTest, FieldsReadByKind)
{
    CADORecordset rs(m_db);
    OpenAt(rs, "select * from cards", 1);
    std::string text;
    EXPECT_TRUE(rs.GetText("NAME", text)); // names are found without regard to case
    EXPECT_EQ(text, "Angelic Page");
    EXPECT_TRUE(rs.GetText("rarity", text));
    EXPECT_EQ(text, "10");
    EXPECT_TRUE(rs.GetText("update_date", text));
    EXPECT_EQ(text, "2026-12-06 23:05:24");
    EXPECT_FALSE(rs.GetText("value", text));
    EXPECT_EQ(text, "");
    text = "x";
    EXPECT_FALSE(rs.GetText("picture", text));
    EXPECT_EQ(text, "");
    float value = 0;
    EXPECT_TRUE(rs.GetFloat("value", value));
    EXPECT_FLOAT_EQ(value, 0.25f);
    std::int32_t number = 0;
    EXPECT_TRUE(rs.GetLongAt(0, number));
    EXPECT_EQ(number, 1);
    DateTime date;
    EXPECT_TRUE(rs.GetDate("update_date", date));
    EXPECT_EQ(date, DateTime(2026, 12, 6, 23, 5, 24));
    DateTime untouched(2000, 1, 1);
    EXPECT_FALSE(rs.GetDate("name", untouched));
    EXPECT_EQ(untouched, DateTime(2000, 1, 1));

    // The English form that insert statements carry reads as the same date.
    OpenAt(rs, "select * from cards", 2);
    EXPECT_TRUE(rs.GetText("update_date", text));
    EXPECT_EQ(text, "2026-12-06 23:05:24");
    EXPECT_TRUE(rs.GetDate("update_date", date));
    EXPECT_EQ(date, DateTime(2026, 12, 6, 23, 5, 24));
}

TEST_F(RecordsetTest, AnUnreadableDateIsRefusedNotGuessed)
{
    RunSql(m_file, "update cards set update_date='soon' where id=1");
    CADORecordset rs(m_db);
    OpenAt(rs, "select * from cards", 1);
    DateTime date(2000, 1, 1);
    EXPECT_FALSE(rs.GetDate("update_date", date));
    EXPECT_EQ(date, DateTime(2000, 1, 1));
    std::string text = "x";
    EXPECT_FALSE(rs.GetText("update_date", text));
    EXPECT_EQ(text, "");
}

TEST_F(RecordsetTest, ReadsOutsideTheRowsThrow)
{
    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open("select * from cards where id=1"));
    std::int32_t number = 0;
    try {
        rs.GetLong("no_such_field", number);
        FAIL() << "a missing field must throw";
    } catch (const CADOException& error) {
        EXPECT_EQ(error.Code(), ado_error::kItemNotFound);
    }
    EXPECT_THROW(rs.GetLongAt(6, number), CADOException);
    EXPECT_THROW(rs.GetLongAt(-1, number), CADOException);
    rs.MoveNext();
    ASSERT_TRUE(rs.IsEof());
    try {
        rs.GetLong("id", number);
        FAIL() << "a read at the end must throw";
    } catch (const CADOException& error) {
        EXPECT_EQ(error.Code(), ado_error::kNoCurrentRecord);
    }
    EXPECT_THROW(rs.MoveNext(), CADOException);
    rs.Close();
    EXPECT_THROW(rs.IsEof(), CADOException);
}

TEST_F(RecordsetTest, UpdateWithoutAddNewOrEditSendsNothing)
{
    CADORecordset rs(m_db);
    OpenAt(rs, "select * from cards", 1);
    EXPECT_EQ(rs.GetEditState(), CADORecordset::dbEditNone);
    EXPECT_TRUE(rs.Update());
    EXPECT_THROW(rs.SetLong("rarity", 30), CADOException); // no silent, lost change
    EXPECT_TRUE(rs.Update());
    EXPECT_EQ(QueryText(m_file, "select rarity from cards where id=1"), "10");
}

TEST_F(RecordsetTest, AddNewFillsTheOtherColumnsWithDefaultsAndGetsAnAutonumber)
{
    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open("select * from collections where card_id=1234 and collectionName_id=0"));
    ASSERT_TRUE(rs.IsEof());
    EXPECT_TRUE(rs.AddNew());
    EXPECT_EQ(rs.GetEditState(), CADORecordset::dbEditNew);
    EXPECT_FALSE(rs.IsEof());
    EXPECT_TRUE(rs.SetLong("card_id", 1234));
    std::int32_t number = 0;
    EXPECT_TRUE(rs.GetLong("card_id", number)); // the new row is the current row
    EXPECT_EQ(number, 1234);
    EXPECT_TRUE(rs.Update());
    EXPECT_EQ(rs.GetEditState(), CADORecordset::dbEditNone);
    EXPECT_TRUE(rs.GetLong("id", number));
    EXPECT_EQ(number, 1);

    ASSERT_TRUE(rs.AddNew());
    ASSERT_TRUE(rs.SetLong("card_id", 1234 + 16777216));
    ASSERT_TRUE(rs.SetLong("no_owned", 3));
    ASSERT_TRUE(rs.Update());

    CADORecordset check(m_db);
    ASSERT_TRUE(check.Open("select * from collections where card_id=1234"));
    ASSERT_FALSE(check.IsEof());
    EXPECT_TRUE(check.GetLong("id", number));
    EXPECT_EQ(number, 1);
    EXPECT_TRUE(check.GetLong("collectionName_id", number));
    EXPECT_EQ(number, 0);
    EXPECT_TRUE(check.GetLong("no_owned", number));
    EXPECT_EQ(number, 0);
    EXPECT_EQ(QueryText(m_file, "select id || ',' || no_owned from collections where card_id="
                                "16778450"),
              "2,3");
}

TEST_F(RecordsetTest, AnEditReachesExactlyTheRowThatWasRead)
{
    RunSql(m_file, "insert into cards (id, name, value) values (5, 'first', 1.0);"
                   "insert into cards (id, name, value) values (5, 'second', 2.0);");
    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open("select * from cards where id=5 order by name desc"));
    std::string name;
    ASSERT_TRUE(rs.GetText("name", name));
    ASSERT_EQ(name, "second");
    rs.MoveNext();
    ASSERT_TRUE(rs.GetText("name", name));
    ASSERT_EQ(name, "first");
    rs.Edit();
    EXPECT_EQ(rs.GetEditState(), CADORecordset::dbEdit);
    EXPECT_TRUE(rs.SetDouble("value", 7.25));
    EXPECT_TRUE(rs.SetDate("update_date", DateTime(2026, 1, 2, 3, 4, 5)));
    EXPECT_TRUE(rs.Update());
    EXPECT_EQ(QueryText(m_file, "select group_concat(name || '=' || value || '@' || "
                                "ifnull(update_date, '-'), ';') from cards where id=5"),
              "first=7.25@2026-01-02 03:04:05;second=2.0@-");
    float value = 0;
    EXPECT_TRUE(rs.GetFloat("value", value)); // the row shows what the table now holds
    EXPECT_FLOAT_EQ(value, 7.25f);
}

TEST_F(RecordsetTest, ChangingRowsWhileReadingVisitsEveryRowOnce)
{
    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open("select * from cards order by value desc"));
    int rows = 0;
    while (!rs.IsEof()) {
        float value = 0;
        rs.GetFloat("value", value);
        rs.Edit();
        rs.SetDouble("value", value + 100.0);
        rs.Update();
        rs.MoveNext();
        ++rows;
    }
    EXPECT_EQ(rows, 4);
    EXPECT_EQ(QueryText(m_file, "select group_concat(value, ';') from (select value from cards "
                                "order by id)"),
              "100.25;101.5;100.0;100.0");
}

TEST_F(RecordsetTest, MovingOnSavesAPendingChange)
{
    CADORecordset rs(m_db);
    OpenAt(rs, "select * from cards", 1);
    rs.Edit();
    rs.SetLong("rarity", 30);
    rs.MoveNext();
    EXPECT_EQ(rs.GetEditState(), CADORecordset::dbEditNone);
    EXPECT_EQ(QueryText(m_file, "select rarity from cards where id=1"), "30");
}

TEST_F(RecordsetTest, OnlyASelectOfAllColumnsOfOneTableCanBeChanged)
{
    RunSql(m_file, "insert into collections (card_id) values (1);"
                   "insert into history values (1, 2, 7);");
    CADORecordset rs(m_db);
    const char* readOnly[] = {
        "select id from cards",
        "select collections.card_id, history.no_trade_cards from collections,history where "
        "collections.id=history.collections_id and history.transaction_id=7",
        "select * from collections, history",
        "select * from collections join history on id=collections_id",
        "select * from cards group by rarity",
        "select * from cards union select * from cards",
    };
    for (const char* query : readOnly) {
        ASSERT_TRUE(rs.Open(query)) << query << "\n" << rs.GetLastErrorText();
        EXPECT_FALSE(rs.IsUpdatable()) << query;
        EXPECT_THROW(rs.AddNew(), CADOException) << query;
        EXPECT_THROW(rs.Edit(), CADOException) << query;
    }
    std::int32_t number = 0;
    ASSERT_TRUE(rs.Open(readOnly[1]));
    EXPECT_TRUE(rs.GetLongAt(0, number));
    EXPECT_EQ(number, 1);
    EXPECT_TRUE(rs.GetLongAt(1, number));
    EXPECT_EQ(number, 2);
    EXPECT_EQ(rs.GetFieldCount(), 2);

    ASSERT_TRUE(rs.Open("select * from cards where id in (select id from cards where id<3) "
                        "order by id"));
    EXPECT_TRUE(rs.IsUpdatable());
    EXPECT_EQ(rs.GetFieldCount(), 6); // the row id stays hidden
    EXPECT_EQ(rs.GetFieldName(0), "id");
}

TEST_F(RecordsetTest, AFailedSaveChangesNothingAndLeavesTheResultSetUsable)
{
    RunSql(m_file, "insert into collections (card_id, no_owned) values (10, 1);"
                   "insert into collections (card_id, no_owned) values (11, 1);");
    CADORecordset rs(m_db);
    ASSERT_TRUE(rs.Open("select * from collections where card_id=11"));
    rs.Edit();
    rs.SetLong("card_id", 10); // collides with the other row's pair
    rs.SetLong("no_owned", 5);
    EXPECT_THROW(rs.Update(), CADOException);
    EXPECT_EQ(rs.GetEditState(), CADORecordset::dbEditNone);
    std::int32_t number = 0;
    EXPECT_TRUE(rs.GetLong("card_id", number)); // back to what the table holds
    EXPECT_EQ(number, 11);
    EXPECT_EQ(QueryText(m_file, "select group_concat(card_id || ':' || no_owned, ';') from "
                                "collections"),
              "10:1;11:1");

    ASSERT_TRUE(rs.AddNew());
    rs.SetLong("card_id", 10);
    EXPECT_THROW(rs.Update(), CADOException);
    EXPECT_EQ(QueryText(m_file, "select count(*) from collections"), "2");
    rs.Edit();
    rs.SetLong("no_owned", 4);
    EXPECT_TRUE(rs.Update());
    EXPECT_EQ(QueryText(m_file, "select no_owned from collections where card_id=11"), "4");
}

TEST_F(RecordsetTest, AnEditOfARowDeletedMeanwhileIsReported)
{
    CADORecordset rs(m_db);
    OpenAt(rs, "select * from cards", 2);
    rs.Edit();
    RunSql(m_file, "delete from cards where id=2");
    rs.SetLong("rarity", 30);
    EXPECT_THROW(rs.Update(), CADOException);
    EXPECT_EQ(QueryText(m_file, "select count(*) from cards"), "3");
}

TEST_F(RecordsetTest, DatesAreStoredInTheSortableForm)
{
    CADORecordset rs(m_db);
    OpenAt(rs, "select * from cards", 3);
    rs.Edit();
    rs.SetDate("update_date", DateTime(2026, 12, 6, 23, 5, 24));
    rs.Update();
    EXPECT_EQ(QueryText(m_file, "select update_date from cards where id=3"), "2026-12-06 23:05:24");
    rs.Edit();
    rs.SetDate("update_date", DateTime(2026, 2, 30)); // not a day of the calendar
    rs.Update();
    EXPECT_EQ(QueryText(m_file, "select ifnull(update_date, 'NULL') from cards where id=3"),
              "NULL");
}
