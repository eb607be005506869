// Logs purchases into a collection database, one after another, until it is killed. The kill
// test stops it with SIGKILL at random moments and then checks that every deal is whole.
// Usage: trade_deal_logger <collection database> <seed>
// Every deal's comment names its lines ("lines=N"), so a checker can count them.
#include "data/CADODataBase.h"
#include "trade/TransactionLog.h"

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <collection database> <seed>\n", argv[0]);
        return 2;
    }
    CADODataBase database;
    if (!database.Open(std::string("Data Source=") + argv[1] + ";")) {
        std::fprintf(stderr, "%s\n", database.GetLastErrorText().c_str());
        return 1;
    }
    std::mt19937 random(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    std::uniform_int_distribution<int> lineCount(1, 5);
    std::uniform_int_distribution<int> cardId(1, 12);
    std::uniform_int_distribution<int> quantity(0, 4);
    std::bernoulli_distribution foil(0.3);
    for (;;) {
        DealRequest deal;
        deal.direction = kDealBought;
        deal.price = 1.5f;
        deal.when = DateTime::Now();
        const int lines = lineCount(random);
        for (int i = 0; i < lines; ++i) {
            const int id = cardId(random);
            deal.lines.push_back({foil(random) ? id + 16777216 : id, quantity(random)});
        }
        deal.comments = "lines=" + std::to_string(lines) + "; it's";
        const DealResult result = LogDeal(database, deal);
        if (!result.logged) {
            // A busy database may refuse a deal; the deal is then absent, which is fine.
            std::fprintf(stderr, "%s\n", result.error.c_str());
        }
    }
}
