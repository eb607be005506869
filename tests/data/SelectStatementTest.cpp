#include "data/SelectStatement.h"

#include <gtest/gtest.h>

using select_statement::EditableTable;

TEST(SelectStatement, TheSelectTestLooksAtTheFirstSevenCharactersOnly)
{
    EXPECT_TRUE(select_statement::IsSelectText("select * from t"));
    EXPECT_TRUE(select_statement::IsSelectText("SELECT id from t"));
    EXPECT_TRUE(select_statement::IsSelectText("select "));
    EXPECT_FALSE(select_statement::IsSelectText("select*from t"));
    EXPECT_FALSE(select_statement::IsSelectText("select\t* from t"));
    EXPECT_FALSE(select_statement::IsSelectText("selec"));
    EXPECT_FALSE(select_statement::IsSelectText(" select * from t")); // caller trims first
}

TEST(SelectStatement, SingleTableSelectsOfAllColumnsAreEditable)
{
    EXPECT_EQ(EditableTable("select * from cardslist"), "cardslist");
    EXPECT_EQ(EditableTable("select * from cardslist where id=12"), "cardslist");
    EXPECT_EQ(EditableTable("SELECT  *  FROM  cardslist  ORDER BY reg_value desc,expansion desc"),
              "cardslist");
    EXPECT_EQ(EditableTable("select * from collections where (card_id=1 or card_id=2) and "
                            "collectionName_id=0"),
              "collections");
    EXPECT_EQ(EditableTable("select * from trans_detail where id in (select distinct "
                            "transaction_id from history where collections_id in (select id "
                            "from collections))"),
              "trans_detail");
    EXPECT_EQ(EditableTable("select * from \"odd \"\"name\"\"\" limit 3"), "odd \"name\"");
    EXPECT_EQ(EditableTable("select * from [cards] where name = 'a union b'"), "cards");
    EXPECT_EQ(EditableTable("select * from t;"), "t");
}

TEST(SelectStatement, AnythingElseIsReadOnly)
{
    for (const char* text :
         {"select id from t", "select *, id from t", "select * from a, b", "select * from a,b",
          "select * from a join b on a.x=b.y", "select * from a natural join b",
          "select * from a where x=1 union select * from b", "select * from t group by x",
          "select * from t x where x.id=1", "select * from main.t", "select * from (select 1)",
          "select * from t where (x=1", "insert into t values (1)", "select * from"}) {
        EXPECT_EQ(EditableTable(text), "") << text;
    }
}

TEST(SelectStatement, TheRowIdGoesInFrontOfTheColumns)
{
    EXPECT_EQ(select_statement::WithRowId("select * from t where id=1"),
              std::string("select _rowid_ AS ") + select_statement::kRowIdColumn +
                  ", * from t where id=1");
    EXPECT_EQ(select_statement::QuoteIdentifier("a\"b"), "\"a\"\"b\"");
}
