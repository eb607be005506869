#include "app/MainCatalogue.h"

#include "AppTestSupport.h"
#include "data/CardCatalogue.h"
#include "lookup/CardLookup.h"
#include "lookup/ShownCardsTable.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QThread>

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
