#include "TradeViewFixture.h"

#include "data/DatabaseSchema.h"

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

namespace fs = std::filesystem;

TempCollection::TempCollection()
{
    static int counter = 0;
    m_dir = fs::temp_directory_path() /
            ("quorvel-tradeview-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    std::string error;
    EXPECT_TRUE(database_schema::CreateCollectionDatabase(Path("collection.mdb"), &error)) << error;
    EXPECT_TRUE(m_database.Open("Data Source=" + Path("collection.mdb") + ";"))
        << m_database.GetLastErrorText();
}

TempCollection::~TempCollection()
{
    m_database.Close();
    std::error_code ignored;
    fs::remove_all(m_dir, ignored);
}

std::string TempCollection::One(const std::string& query) const
{
    sqlite3* db = nullptr;
    sqlite3_open(Path("collection.mdb").c_str(), &db);
    sqlite3_stmt* statement = nullptr;
    std::string value = "<none>";
    if (sqlite3_prepare_v2(db, query.c_str(), -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW) {
        const auto* text = sqlite3_column_text(statement, 0);
        value = text ? reinterpret_cast<const char*>(text) : "NULL";
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return value;
}

void TempCollection::Exec(const std::string& statement) const
{
    sqlite3* db = nullptr;
    sqlite3_open(Path("collection.mdb").c_str(), &db);
    EXPECT_EQ(sqlite3_exec(db, statement.c_str(), nullptr, nullptr, nullptr), SQLITE_OK)
        << sqlite3_errmsg(db);
    sqlite3_close(db);
}
