// A year of daily price updates of 100,000 cards, about 15 % of whose prices move each day:
// the size of mtgo.mdb after it, and the time of the first and of the 365th import (real CSV
// imports through the price import). The 363 days between are stored as an import stores
// them (the new values and the price history, one transaction a day), without reading a file,
// so that the year takes a minute rather than an hour.

#include "PriceFileWriter.h"

#include "data/PriceHistory.h"
#include "data/PriceHistoryWriter.h"
#include "data/SampleCatalogue.h"
#include "prices/PriceImport.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kCards = 100000;
constexpr int kDays = 365;
constexpr int kFirstDay = 20789; // 2026-12-02

// Thousandths of card i's first regular value.
long FirstPrice(std::size_t i)
{
    return 10 + static_cast<long>((i * 7919) % 40000);
}

// About 15 % of the cards move by a few thousandths on `day`.
void Move(std::vector<long>& prices, int day)
{
    for (std::size_t i = 0; i < prices.size(); ++i) {
        const std::size_t mix = (i * 2654435761u + static_cast<std::size_t>(day) * 40503u) % 1000;
        if (mix < 150) {
            prices[i] =
                std::max(1L, prices[i] + (mix % 2 == 0 ? 1 : -1) * static_cast<long>(1 + mix % 9));
        }
    }
}

bool WriteDay(const std::string& path, const std::vector<long>& prices, int day)
{
    std::FILE* file = std::fopen(path.c_str(), "w");
    if (file == nullptr) {
        return false;
    }
    const std::string date = price_history::DateOfDay(kFirstDay + day);
    std::fputs("Name,Set,Number,Rarity,Regular,Foil,Date\n", file);
    for (std::size_t i = 0; i < prices.size(); ++i) {
        std::fprintf(file, "\"%s\",%s,%zu,%s,%ld.%03ld,%ld.%03ld,%s\n",
                     price_files::CardName(i).c_str(),
                     price_files::SetCode(i / price_files::kCardsPerSet).c_str(),
                     i % price_files::kCardsPerSet + 1, price_files::Rarity(i), prices[i] / 1000,
                     prices[i] % 1000, prices[i] * 4 / 1000, prices[i] * 4 % 1000, date.c_str());
    }
    return std::fclose(file) == 0;
}

// One day stored as an import stores it: the changed values, then the history of every card.
void StoreDay(sqlite3* db, const std::vector<std::int32_t>& ids, const std::vector<long>& prices,
              const std::vector<long>& before, int day)
{
    const std::string date = price_history::DateOfDay(kFirstDay + day);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(db,
                       "update cardslist set reg_value=?, foil_value=?, update_date=? where id=?",
                       -1, &update, nullptr);
    PriceHistoryWriter writer(db);
    for (std::size_t i = 0; i < ids.size(); ++i) {
        const double reg = static_cast<double>(prices[i]) / 1000.0;
        const double foil = static_cast<double>(prices[i] * 4) / 1000.0;
        if (prices[i] != before[i]) {
            sqlite3_bind_double(update, 1, reg);
            sqlite3_bind_double(update, 2, foil);
            sqlite3_bind_text(update, 3, (date + " 00:00:00").c_str(), -1, SQLITE_TRANSIENT);
            sqlite3_bind_int(update, 4, ids[i]);
            sqlite3_step(update);
            sqlite3_reset(update);
        }
        writer.Store(ids[i], {date, reg, foil});
    }
    sqlite3_finalize(update);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
}

double CpuSeconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void BM_YearOfDailyUpdates(benchmark::State& state)
{
    const fs::path dir =
        fs::temp_directory_path() / ("quorvel-bench-history-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string db = (dir / "mtgo.mdb").string();
    const std::string csv = (dir / "day.csv").string();
    for (auto _ : state) {
        std::vector<CardSet> sets;
        std::vector<CardRecord> cards;
        if (!sample_catalogue::ReadSetsTsv(std::string(QUORVEL_SOURCE_DIR) + "/data/sets-2003.tsv",
                                           sets, cards) ||
            !sample_catalogue::WritePriceDatabase(db, sets, cards)) {
            state.SkipWithError("cannot write the sample database");
            return;
        }
        std::vector<long> prices(kCards);
        for (std::size_t i = 0; i < kCards; ++i) {
            prices[i] = FirstPrice(i);
        }
        WriteDay(csv, prices, 0);
        double start = CpuSeconds();
        PriceImport(db).Run({csv}, {});
        state.counters["first_import_cpu_s"] = CpuSeconds() - start;
        state.counters["size_after_first_MB"] = static_cast<double>(fs::file_size(db)) / 1e6;

        sqlite3* handle = nullptr;
        sqlite3_open(db.c_str(), &handle);
        std::unordered_map<std::string, std::int32_t> idByName;
        sqlite3_stmt* all = nullptr;
        sqlite3_prepare_v2(handle, "select name, id from cardslist", -1, &all, nullptr);
        while (sqlite3_step(all) == SQLITE_ROW) {
            idByName[reinterpret_cast<const char*>(sqlite3_column_text(all, 0))] =
                sqlite3_column_int(all, 1);
        }
        sqlite3_finalize(all);
        std::vector<std::int32_t> ids(kCards);
        for (std::size_t i = 0; i < kCards; ++i) {
            ids[i] = idByName[price_files::CardName(i)];
        }
        // The moves are worked out day by day from the day before.
        std::vector<long> before = prices;
        for (int day = 1; day < kDays - 1; ++day) {
            Move(prices, day);
            StoreDay(handle, ids, prices, before, day);
            before = prices;
        }
        sqlite3_close(handle);
        Move(prices, kDays - 1);
        WriteDay(csv, prices, kDays - 1);
        start = CpuSeconds();
        const PriceImportSummary last = PriceImport(db).Run({csv}, {});
        state.counters["last_import_cpu_s"] = CpuSeconds() - start;
        state.counters["last_prices_updated"] = static_cast<double>(last.pricesUpdated);
        state.counters["size_after_year_MB"] = static_cast<double>(fs::file_size(db)) / 1e6;
        sqlite3_open(db.c_str(), &handle);
        sqlite3_stmt* count = nullptr;
        sqlite3_prepare_v2(handle, "select count(*) from price_days", -1, &count, nullptr);
        state.counters["history_rows"] =
            sqlite3_step(count) == SQLITE_ROW ? sqlite3_column_double(count, 0) : 0;
        sqlite3_finalize(count);
        sqlite3_close(handle);
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_YearOfDailyUpdates)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
