#include "app/MainCatalogue.h"

#include "AppTestSupport.h"
#include "data/CardCatalogue.h"
#include "lookup/CardLookup.h"
#include "lookup/ShownCardsTable.h"
#include "support/TestWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QThread>

#include <mutex>
#include <thread>

namespace {

using MainCatalogueTest = AppFixture;

} // namespace

// The program closed while a big catalogue loads: the load is stopped, and the catalogue and
// lookup in place before stay there, the lookup still reading the catalogue's own records.
TEST_F(MainCatalogueTest, ALoadStoppedMidwayLeavesTheOldCatalogueAndLookup)
{
    OpenDatabases();
    CardCatalogue catalogue;
    CardLookup lookup;
    ASSERT_TRUE(catalogue.LoadCatalogue(m_price));
    lookup.Prepare(catalogue.Cards());
    const std::string bigPath = m_dir.filePath("big.mdb").toStdString();
    std::string error;
    ASSERT_TRUE(sample_catalogue::WritePriceDatabase(
        bigPath, sample_catalogue::NineSets(), sample_catalogue::MakeSyntheticCards(30000, 2003),
        &error))
        << error;
    CADODataBase big;
    ASSERT_TRUE(big.Open("Data Source=" + bigPath + ";"));
    QGroupBox frame("Cards");
    {
        MainCatalogue load(big, catalogue, lookup);
        load.StartLoading({}, &frame, [] {});
        // The cards are counted: the rows are being read.
        // Polled tightly: the test needs the load caught while it is still reading.
        QElapsedTimer waited;
        waited.start();
        while (!frame.title().startsWith("Loading") && waited.elapsed() < 10000) {
            QCoreApplication::processEvents();
            QThread::usleep(200);
        }
        ASSERT_TRUE(frame.title().startsWith("Loading"));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(catalogue.Cards().size(), SomeCards().size());
    ShownCardsTable found;
    lookup.LookUp("Shock", false, found);
    ASSERT_EQ(found.IdsInAddOrder().size(), 2u);
    for (const std::int32_t id : found.IdsInAddOrder()) {
        const CardRecord* card = found.Find(id);
        EXPECT_TRUE(card >= catalogue.Cards().data() &&
                    card < catalogue.Cards().data() + catalogue.Cards().size());
    }
    big.Close();
}

// A reload after the first load (as after a price import) replaces the records a typed search
// may be reading: it does so only while the lookup is held, as the first load's swap does.
TEST_F(MainCatalogueTest, EveryReloadReplacesTheCatalogueUnderTheLookupHold)
{
    OpenDatabases();
    CardCatalogue catalogue;
    CardLookup lookup;
    std::recursive_mutex lookupMutex;
    int holds = 0;
    std::vector<bool> heldWhileReplacing;
    MainCatalogue load(m_price, catalogue, lookup);
    load.SetBeforeReplace([&] {
        // Another thread, as the typed search's, must find the lookup taken.
        bool free = false;
        std::thread([&] {
            free = lookupMutex.try_lock();
            if (free)
                lookupMutex.unlock();
        }).join();
        heldWhileReplacing.push_back(!free);
    });
    load.StartLoading(
        [&] {
            ++holds;
            return std::unique_lock<std::recursive_mutex>(lookupMutex);
        },
        nullptr, [] {});
    ASSERT_TRUE(waitUntil([&] { return load.IsReady(); }, 10000));
    load.Load();
    EXPECT_EQ(holds, 2);
    EXPECT_EQ(heldWhileReplacing, std::vector<bool>({true, true}));
    EXPECT_EQ(catalogue.Cards().size(), SomeCards().size());
}
