#include "TradeViewFixture.h"

#include "support/SqlProbe.h"

#include "data/DatabaseSchema.h"

#include <gtest/gtest.h>

TempCollection::TempCollection()
{
    std::string error;
    EXPECT_TRUE(database_schema::CreateCollectionDatabase(Path("collection.mdb"), &error)) << error;
    EXPECT_TRUE(m_database.Open(ConnectionString(Path("collection.mdb"))))
        << m_database.GetLastErrorText();
}

TempCollection::~TempCollection()
{
    m_database.Close();
}

std::string TempCollection::One(const std::string& query) const
{
    return QueryText(Path("collection.mdb"), query);
}

void TempCollection::Exec(const std::string& statement) const
{
    RunSql(Path("collection.mdb"), statement);
}
