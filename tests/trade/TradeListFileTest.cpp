#include "support/FileBytes.h"
#include "support/TempDir.h"
#include "support/TradeLineBuilder.h"

#include "data/CardKey.h"
#include "trade/TradeList.h"
#include "trade/TradeListFile.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const fs::path kData = fs::path(QUORVEL_SOURCE_DIR) / "tests/trade/data";

// The list that golden.ryn (made by make_golden.py from the layout alone) holds.
TradeList GoldenList()
{
    TradeList list;
    list.Set(1234, MakeTradeLine(1234, "Aether Vial", 2, 1.5f, 2.25f, false, 1, 0));
    list.Set(card_key::Foil(1234), MakeTradeLine(1234, "Aether Vial", 1, 10.0f, 12.5f, true, 0, 1));
    list.Set(77, MakeTradeLine(77, "J\xC3\xB6tun Grunt", 3, 0.1f, 0.2f));
    return list;
}

class TradeListFileTest : public ::testing::Test {
protected:
    // A test may take the folder's write permission away: it is given back before the folder
    // goes.
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(m_dir.Path(), fs::perms::owner_all, ignored);
    }
    std::string Path(const std::string& name) const { return m_dir.File(name); }

    TempDir m_dir;
};

void ExpectSameLines(const TradeList& a, const TradeList& b)
{
    ASSERT_EQ(a.Count(), b.Count());
    auto ia = a.begin();
    for (auto ib = b.begin(); ib != b.end(); ++ia, ++ib) {
        EXPECT_EQ(ia->first, ib->first);
        EXPECT_EQ(ia->second, ib->second) << "key " << ia->first;
    }
}

} // namespace

TEST_F(TradeListFileTest, WritesTheGoldenFileByteForByte)
{
    const std::string golden = ReadWholeFile(kData / "golden.ryn");
    ASSERT_EQ(golden.size(), 112u + 3 * 288u);
    EXPECT_EQ(SerializeTradeList(GoldenList()), golden);
    const auto written = WriteTradeListFile(Path("golden.ryn"), GoldenList());
    ASSERT_EQ(written.status, TradeListFileStatus::Ok) << written.error;
    EXPECT_EQ(ReadWholeFile(Path("golden.ryn")), golden);
}

TEST_F(TradeListFileTest, ReadsTheGoldenFileBack)
{
    const auto contents = ReadTradeListFile((kData / "golden.ryn").string());
    ASSERT_EQ(contents.status, TradeListFileStatus::Ok);
    EXPECT_FALSE(contents.truncated);
    ASSERT_EQ(contents.records.size(), 3u);
    EXPECT_EQ(contents.records[0].first, 77); // regular lines first, by key
    TradeList list;
    FillTradeList(list, contents);
    ExpectSameLines(list, GoldenList());
}

TEST_F(TradeListFileTest, RoundTripKeepsEveryFieldAndNonLatinNames)
{
    TradeList list = GoldenList();
    list.Set(5, MakeTradeLine(5, "\xE7\x81\xAB\xE3\x81\xAE\xE7\x8E\x89 \xE2\x82\xAC", 3, -1.5f,
                              999999.5f));
    list.Set(6, MakeTradeLine(6, "\xC3\x83\xC2\xA9", 1, 0, 0)); // looks like UTF-8 once narrowed
    list.Set(7, MakeTradeLine(7, "\xE2\x80\x9Cquoted\xE2\x80\x9D \xE2\x80\x94 \xC2\x81", 1, 0, 0));
    ASSERT_EQ(WriteTradeListFile(Path("a.ryn"), list).status, TradeListFileStatus::Ok);
    TradeList back;
    FillTradeList(back, ReadTradeListFile(Path("a.ryn")));
    ExpectSameLines(back, list);
    // Names that fit Windows-1252 are stored in it, one byte per character.
    const std::string bytes = ReadWholeFile(Path("a.ryn"));
    EXPECT_NE(bytes.find("\x93quoted\x94 \x97 \x81"), std::string::npos);
}

TEST_F(TradeListFileTest, ANegativeQuantityIsReadAsZeroAndCounted)
{
    TradeList list;
    list.Set(1, MakeTradeLine(1, "Card A", -5, 1, 1));
    list.Set(2, MakeTradeLine(2, "Card B", 2, 1, 1));
    list.Set(3, MakeTradeLine(3, "Card C", INT32_MIN, 1, 1));
    ASSERT_EQ(WriteTradeListFile(Path("n.ryn"), list).status, TradeListFileStatus::Ok);
    for (const auto& contents :
         {ReadTradeListFile(Path("n.ryn")), ParseTradeList(SerializeTradeList(list))}) {
        ASSERT_EQ(contents.records.size(), 3u);
        EXPECT_EQ(contents.records[0].second.quantity, 0);
        EXPECT_EQ(contents.records[1].second.quantity, 2);
        EXPECT_EQ(contents.records[2].second.quantity, 0);
        EXPECT_EQ(contents.negativeQuantities, 2);
    }
}

TEST_F(TradeListFileTest, EmptyListIsAHeaderWithCountZero)
{
    ASSERT_EQ(WriteTradeListFile(Path("e.ryn"), TradeList{}).status, TradeListFileStatus::Ok);
    const std::string bytes = ReadWholeFile(Path("e.ryn"));
    ASSERT_EQ(bytes.size(), 112u);
    EXPECT_EQ(bytes.substr(0, 24), std::string("tamrik ombrine,ryn File\0", 24));
    EXPECT_EQ(bytes.substr(64, 8), std::string("\1\0\0\0\0\0\0\0", 8));
    const auto contents = ReadTradeListFile(Path("e.ryn"));
    EXPECT_EQ(contents.status, TradeListFileStatus::Ok);
    EXPECT_TRUE(contents.records.empty());
}

TEST_F(TradeListFileTest, HeaderChecks)
{
    const std::string good = SerializeTradeList(TradeList{});
    EXPECT_EQ(ParseTradeList(good.substr(0, 111)).status, TradeListFileStatus::NotTradeList);
    EXPECT_EQ(ParseTradeList(good).status, TradeListFileStatus::Ok);
    std::string other = good;
    other[22] = 'f';
    EXPECT_EQ(ParseTradeList(other).status, TradeListFileStatus::NotTradeList);
    std::string longer = good;
    longer[23] = 's'; // the text no longer ends where the type text does
    EXPECT_EQ(ParseTradeList(longer).status, TradeListFileStatus::NotTradeList);
    std::string trailing = good;
    trailing[30] = 'q'; // after the terminating zero: ignored
    trailing[64] = 9;   // the format number is not examined
    EXPECT_EQ(ParseTradeList(trailing).status, TradeListFileStatus::Ok);
    WriteWholeFile(Path("short.ryn"), good.substr(0, 111));
    EXPECT_EQ(ReadTradeListFile(Path("short.ryn")).status, TradeListFileStatus::NotTradeList);
}

TEST_F(TradeListFileTest, DamagedCountsNeverReadBeyondTheData)
{
    std::string bytes = SerializeTradeList(GoldenList());
    bytes.resize(bytes.size() - 10); // the last record is cut short
    for (const std::string& source : {std::string("parse"), std::string("file")}) {
        WriteWholeFile(Path("cut.ryn"), bytes);
        const auto contents =
            source == "parse" ? ParseTradeList(bytes) : ReadTradeListFile(Path("cut.ryn"));
        EXPECT_EQ(contents.status, TradeListFileStatus::Ok);
        EXPECT_TRUE(contents.truncated) << source;
        EXPECT_EQ(contents.records.size(), 2u) << source;
    }
    std::string hostile = SerializeTradeList(GoldenList());
    hostile.replace(68, 4, std::string("\x40\x42\x0F\x00", 4));  // 1,000,000
    EXPECT_EQ(ParseTradeList(hostile).records.size(), 3u);
    EXPECT_TRUE(ParseTradeList(hostile).truncated);
    hostile.replace(68, 4, std::string("\xFF\xFF\xFF\x7F", 4)); // more than a list holds
    EXPECT_EQ(ParseTradeList(hostile).status, TradeListFileStatus::Refused);
    EXPECT_TRUE(ParseTradeList(hostile).records.empty());
    hostile[71] = '\xFF'; // negative: nothing is read
    const auto negative = ParseTradeList(hostile);
    EXPECT_EQ(negative.status, TradeListFileStatus::Ok);
    EXPECT_TRUE(negative.records.empty());
    EXPECT_FALSE(negative.truncated);
}

TEST_F(TradeListFileTest, RepeatedKeysKeepTheLastRecordAndNamesWithoutZeroAreCut)
{
    const auto contents = ReadTradeListFile((kData / "corpus/repeated_key.ryn").string());
    TradeList list;
    list.Set(99, MakeTradeLine(99, "old", 1, 1, 1));
    FillTradeList(list, contents);
    ASSERT_EQ(list.Count(), 1u);
    EXPECT_EQ(EntryName(list.Get(6)), "Second");
    EXPECT_EQ(list.Get(6).quantity, 3);
    const auto noZero = ReadTradeListFile((kData / "corpus/name_without_zero.ryn").string());
    ASSERT_EQ(noZero.records.size(), 1u);
    EXPECT_EQ(EntryName(noZero.records[0].second), std::string(255, 'N'));
}

TEST_F(TradeListFileTest, NamesThatAreNotUtf8AreReadAsWindows1252)
{
    const auto contents = ReadTradeListFile((kData / "corpus/invalid_utf8_name.ryn").string());
    ASSERT_EQ(contents.records.size(), 1u);
    EXPECT_EQ(EntryName(contents.records[0].second), "\xC3\x83(\xC3\xBF\xC2\x81\xC2\x8D");
}

TEST_F(TradeListFileTest, PricesThatAreNotNumbersReadAsZero)
{
    const auto contents = ReadTradeListFile((kData / "corpus/nan_prices.ryn").string());
    ASSERT_EQ(contents.records.size(), 1u);
    EXPECT_EQ(contents.records[0].second.buy_value, 0.0f);
    EXPECT_EQ(contents.records[0].second.sell_value, 0.0f);
}

TEST_F(TradeListFileTest, FileErrorsLeaveTheOldFileAlone)
{
    EXPECT_EQ(ReadTradeListFile(Path("missing.ryn")).status, TradeListFileStatus::CannotOpen);
    EXPECT_FALSE(ReadTradeListFile(Path("missing.ryn")).error.empty());
    EXPECT_EQ(ReadTradeListFile(m_dir.Path().string()).status, TradeListFileStatus::CannotOpen);
    ASSERT_EQ(WriteTradeListFile(Path("keep.ryn"), GoldenList()).status, TradeListFileStatus::Ok);
    const std::string before = ReadWholeFile(Path("keep.ryn"));
    EXPECT_EQ(WriteTradeListFile(Path("no/such/dir/x.ryn"), GoldenList()).status,
              TradeListFileStatus::CannotOpen);
    if (::geteuid() != 0) { // root writes anywhere
        fs::permissions(m_dir.Path(), fs::perms::owner_read | fs::perms::owner_exec);
        const auto refused = WriteTradeListFile(Path("keep.ryn"), TradeList{});
        EXPECT_NE(refused.status, TradeListFileStatus::Ok);
        fs::permissions(m_dir.Path(), fs::perms::owner_all);
    }
    EXPECT_EQ(ReadWholeFile(Path("keep.ryn")), before);
    // No temporary file is left beside the list.
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir.Path()), fs::directory_iterator()), 1);
}

// A save replaces the file with one of the same mode; a save killed half-way leaves its
// temporary file, which the next save removes.
TEST_F(TradeListFileTest, ASaveKeepsTheModeAndCleansUpAfterAKilledOne)
{
    const std::string path = Path("list.ryn");
    ASSERT_EQ(WriteTradeListFile(path, GoldenList()).status, TradeListFileStatus::Ok);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    TradeList big;
    for (std::int32_t id = 1; id <= 4000; ++id) {
        big.Set(id, MakeTradeLine(id, "Card " + std::to_string(id), 1, 1, 1));
    }
    const pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
        for (;;) {
            WriteTradeListFile(path, big);
        }
    }
    // Stop the saver while its temporary file is there, then kill it.
    const auto files = [this] {
        return std::distance(fs::directory_iterator(m_dir.Path()), fs::directory_iterator());
    };
    for (int tries = 0; tries < 20000; ++tries) {
        ::kill(saver, SIGSTOP);
        ::waitpid(saver, nullptr, WUNTRACED);
        if (files() > 1) {
            break;
        }
        ::kill(saver, SIGCONT);
        ::usleep(200);
    }
    EXPECT_EQ(files(), 2);
    ::kill(saver, SIGKILL);
    ::waitpid(saver, nullptr, 0);

    ASSERT_EQ(WriteTradeListFile(path, GoldenList()).status, TradeListFileStatus::Ok);
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(files(), 1);
    EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(kData / "golden.ryn"));
}

TEST(TradeListFileName, RynIsAddedOnlyWithoutAnExtension)
{
    EXPECT_EQ(WithTradeListExtension("/home/u/list"), "/home/u/list.ryn");
    EXPECT_EQ(WithTradeListExtension("/home/u/list.txt"), "/home/u/list.txt");
    EXPECT_EQ(WithTradeListExtension("/home/u.d/list"), "/home/u.d/list.ryn");
    EXPECT_EQ(WithTradeListExtension("/home/u/list.ryn"), "/home/u/list.ryn");
}

// Every file of the regression corpus (seeds and whatever the fuzzer once found) must read
// without harm: never more records than the bytes hold, names always terminated.
TEST(TradeListFileCorpus, EveryFileReadsSafely)
{
    int files = 0;
    for (const auto& item : fs::directory_iterator(kData / "corpus")) {
        const std::string bytes = ReadWholeFile(item.path());
        const auto parsed = ParseTradeList(bytes);
        const auto read = ReadTradeListFile(item.path().string());
        SCOPED_TRACE(item.path().filename().string());
        EXPECT_EQ(parsed.status, read.status);
        EXPECT_EQ(parsed.records.size(), read.records.size());
        EXPECT_EQ(parsed.truncated, read.truncated);
        if (parsed.status == TradeListFileStatus::Ok) {
            EXPECT_LE(parsed.records.size(), (bytes.size() - 112) / 288);
            for (const auto& [key, entry] : parsed.records) {
                EXPECT_LT(EntryName(entry).size(), 256u);
            }
        } else if (parsed.status == TradeListFileStatus::Refused) {
            EXPECT_FALSE(parsed.error.empty());
        } else {
            EXPECT_TRUE(bytes.size() < 112 ||
                        bytes.compare(0, 24, std::string("tamrik ombrine,ryn File\0", 24)) != 0);
        }
        ++files;
    }
    EXPECT_GE(files, 11);
}
