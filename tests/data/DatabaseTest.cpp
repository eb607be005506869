#include "support/FileBytes.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CADOException.h"
#include "data/CADORecordset.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <unistd.h>

namespace {

class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_file = m_dir.File("mtgo.mdb");
        RunSql(m_file, "create table t (id integer, name text);");
    }

    TempDir m_dir;
    std::string m_file;
};

// Runs the test body with the working directory set to `dir`, and restores it.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& dir)
        : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(dir);
    }
    ~WorkingDirectory() { std::filesystem::current_path(m_previous); }

private:
    std::filesystem::path m_previous;
};

} // namespace

TEST_F(DatabaseTest, OpensTheFileNamedByTheConnectionString)
{
    CADODataBase db;
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Open(ConnectionString(m_file)));
    EXPECT_TRUE(db.IsOpen());
    EXPECT_EQ(db.GetConnectionString(), ConnectionString(m_file));
    EXPECT_TRUE(db.GetLastErrorText().empty());
    db.Close();
    EXPECT_FALSE(db.IsOpen());
    db.Close(); // a second close does nothing
    // An empty string reopens with the stored one.
    EXPECT_TRUE(db.Open());
    EXPECT_TRUE(db.IsOpen());
    EXPECT_EQ(db.GetConnectionString(), ConnectionString(m_file));
}

TEST_F(DatabaseTest, RelativePathsAreRelativeToTheWorkingDirectoryWithBackslashes)
{
    {
        WorkingDirectory cwd(m_dir.Path());
        CADODataBase db;
        db.GetActiveConnection()->SetProvider("Microsoft.JET.OLEDB.4.0");
        EXPECT_TRUE(db.Open("Data Source=.\\mtgo.mdb;")) << db.GetLastErrorText();
        EXPECT_EQ(db.GetActiveConnection()->GetProvider(), "Microsoft.JET.OLEDB.4.0");
        EXPECT_EQ(db.GetActiveConnection()->Path(), "./mtgo.mdb");
    }
    TempDir elsewhere;
    WorkingDirectory cwd(elsewhere.Path());
    CADODataBase db;
    EXPECT_FALSE(db.Open("Data Source=.\\mtgo.mdb;"));
    EXPECT_FALSE(std::filesystem::exists(elsewhere.File("mtgo.mdb")));
}

TEST_F(DatabaseTest, AMissingFileIsReportedAndNeverCreated)
{
    const std::string missing = m_dir.File("missing.mdb");
    CADODataBase db;
    EXPECT_FALSE(db.Open(ConnectionString(missing)));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(missing));
    const std::string expected = "Connection String = " + ConnectionString(missing) +
                                 "\nCADODataBase Error\n\tCode = 0000000e\n\tCode meaning = "
                                 "unable to open database file\n\tSource = CADOConnection\n\t"
                                 "Description = The database file " +
                                 missing + " does not exist.\n";
    EXPECT_EQ(db.GetLastErrorText(), expected);
    // A recordset on the closed database fails to open and then refuses to read.
    CADORecordset rs(db);
    EXPECT_FALSE(rs.Open("select * from t"));
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_NE(rs.GetLastErrorText().find("Query = select * from t\nCADORecordset Error\n\t"
                                         "Code = 800a0e78\n\tCode meaning = Operation is not "
                                         "allowed when the object is closed."),
              std::string::npos)
        << rs.GetLastErrorText();
    try {
        rs.IsEof();
        FAIL() << "IsEof on an unopened result set must throw";
    } catch (const CADOException& error) {
        EXPECT_EQ(error.Code(), ado_error::kObjectClosed);
    }
}

TEST_F(DatabaseTest, AnAccessFileIsRefusedAndLeftAsItWas)
{
    for (const char* engine : {"Standard Jet DB", "Standard ACE DB"}) {
        const std::string path = m_dir.File("access.mdb");
        std::string content("\0\1\0\0", 4);
        content += engine;
        content.append(2048, '\0');
        std::ofstream(path, std::ios::binary) << content;
        CADODataBase db;
        EXPECT_FALSE(db.Open(ConnectionString(path)));
        EXPECT_FALSE(db.IsOpen());
        EXPECT_NE(db.GetLastErrorText().find("Microsoft Access (Jet) database"), std::string::npos)
            << db.GetLastErrorText();
        EXPECT_NE(db.GetLastErrorText().find("\tCode = 0000001a\n"), std::string::npos);
        EXPECT_EQ(ReadWholeFile(path), content);
    }
}

TEST_F(DatabaseTest, ADamagedFileIsRefusedAndLeftAsItWas)
{
    const std::string path = m_dir.File("damaged.mdb");
    const std::string content(4096, 'x');
    std::ofstream(path, std::ios::binary) << content;
    CADODataBase db;
    EXPECT_FALSE(db.Open(ConnectionString(path)));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_NE(db.GetLastErrorText().find("Code meaning = file is not a database"),
              std::string::npos)
        << db.GetLastErrorText();
    EXPECT_EQ(ReadWholeFile(path), content);
    // A connection string without a file name fails the same orderly way.
    EXPECT_FALSE(db.Open("Provider=Microsoft.JET.OLEDB.4.0;"));
    EXPECT_NE(db.GetLastErrorText().find("names no file"), std::string::npos);
    // A folder is not a database file.
    EXPECT_FALSE(db.Open(ConnectionString(m_dir.Path().string())));
}

TEST_F(DatabaseTest, OpeningAgainClosesFirstAndAFailedOpenLeavesItClosed)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(ConnectionString(m_file)));
    EXPECT_FALSE(db.Open(ConnectionString(m_dir.File("nothing.mdb"))));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_TRUE(db.Open(ConnectionString(m_file)));
}

TEST_F(DatabaseTest, ExecuteReportsARejectedStatementAndKeepsTheError)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(ConnectionString(m_file)));
    EXPECT_TRUE(db.Execute("insert into t (id, name) values (1, 'a')"));
    EXPECT_EQ(QueryText(m_file, "select name from t where id=1"), "a");
    EXPECT_FALSE(db.Execute("insert into nope (id) values (1)"));
    EXPECT_EQ(db.GetLastErrorText(),
              "Connection String = " + ConnectionString(m_file) +
                  "\nCADODataBase Error\n\tCode = 00000001\n\tCode meaning = SQL logic error\n\t"
                  "Source = SQLite\n\tDescription = no such table: nope\n");
}

TEST_F(DatabaseTest, ExecuteRunsOneStatementOnly)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(ConnectionString(m_file)));
    EXPECT_FALSE(db.Execute("insert into t (id) values (7); drop table t"));
    EXPECT_NE(db.GetLastErrorText().find("more than one statement"), std::string::npos);
    EXPECT_EQ(QueryText(m_file, "select count(*) from t"), "0");
    EXPECT_TRUE(db.Execute("insert into t (id) values (7);"));
    EXPECT_EQ(QueryText(m_file, "select count(*) from t"), "1");
}

TEST_F(DatabaseTest, CommitKeepsAndRollbackDropsTheStatementsOfATransaction)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(ConnectionString(m_file)));
    CADOConnection& connection = *db.GetActiveConnection();

    connection.BeginTrans();
    EXPECT_TRUE(connection.InTransaction());
    EXPECT_TRUE(db.Execute("insert into t (id) values (1)"));
    connection.RollbackTrans();
    EXPECT_FALSE(connection.InTransaction());
    EXPECT_EQ(QueryText(m_file, "select count(*) from t"), "0");

    connection.BeginTrans();
    EXPECT_TRUE(db.Execute("insert into t (id) values (2)"));
    connection.CommitTrans();
    EXPECT_EQ(QueryText(m_file, "select id from t"), "2");

    // Closing in the middle of a transaction keeps nothing of it.
    connection.BeginTrans();
    EXPECT_TRUE(db.Execute("insert into t (id) values (3)"));
    db.Close();
    EXPECT_EQ(QueryText(m_file, "select count(*) from t"), "1");

    EXPECT_THROW(connection.BeginTrans(), CADOException);
    EXPECT_THROW(connection.CommitTrans(), CADOException);
}

TEST_F(DatabaseTest, AResultSetDoesNotOutliveTheOpenItWasMadeIn)
{
    CADODataBase db;
    ASSERT_TRUE(db.Open(ConnectionString(m_file)));
    ASSERT_TRUE(db.Execute("insert into t (id) values (1)"));
    CADORecordset rs(db);
    ASSERT_TRUE(rs.Open("select * from t"));
    db.Close();
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_THROW(rs.IsEof(), CADOException);
    ASSERT_TRUE(db.Open());
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_TRUE(rs.Open()); // reopens its previous query on the reopened connection
    EXPECT_FALSE(rs.IsEof());
}

TEST(ConnectionString, NamesTheDataSourceWithForwardSlashes)
{
    EXPECT_EQ(CADOConnection::DataSourcePath("Data Source=.\\mtgo.mdb;"), "./mtgo.mdb");
    EXPECT_EQ(CADOConnection::DataSourcePath("Provider=X;data source = 'my cards.mdb' ;"),
              "my cards.mdb");
    EXPECT_EQ(CADOConnection::DataSourcePath("Data Source=/a\\b/c.mdb"), "/a/b/c.mdb");
    EXPECT_EQ(CADOConnection::DataSourcePath("Provider=Microsoft.JET.OLEDB.4.0;"), "");
    EXPECT_EQ(CADOConnection::DataSourcePath(""), "");
}

TEST(ErrorText, CodeMeaningsFollowTheKnownTextsThenTheFallbacks)
{
    EXPECT_EQ(CodeMeaning(0x80004005), "Unspecified error");
    EXPECT_EQ(CodeMeaning(14), "unable to open database file");
    EXPECT_EQ(CodeMeaning(0x80040E14), "IDispatch error #3092");
    EXPECT_EQ(CodeMeaning(0x80040201), "IDispatch error #1");
    EXPECT_EQ(CodeMeaning(0x80040200), "Unknown error 0x80040200");
    EXPECT_EQ(CodeMeaning(0x12345678), "Unknown error 0x12345678");
    EXPECT_EQ(CodeMeaning(0xFFFF), "Unknown error 0xFFFF");
    const CADOException error(0x800A0CC1, "src", "desc");
    EXPECT_EQ(FormatEngineError("CADORecordset Error", error),
              "CADORecordset Error\n\tCode = 800a0cc1\n\tCode meaning = Item cannot be found in "
              "the collection corresponding to the requested name or ordinal.\n\tSource = src\n\t"
              "Description = desc\n");
}
