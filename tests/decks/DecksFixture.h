#pragma once

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "data/CardCatalogue.h"
#include "data/CardKey.h"
#include "data/DatabaseSchema.h"
#include "data/GameCatalogueIds.h"
#include "decks/DeckCatalogueIndex.h"
#include "decks/DeckCost.h"
#include "support/SqlProbe.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// A small price database (two versions of Lightning Bolt, Shock, Counterspell, Fire // Ice and
// two more "Lightning" names, the game's ids of the M10 Bolt), an empty collection database
// and the deck index over them, in a folder of their own.
class DecksFixture : public ::testing::Test {
protected:
    static constexpr std::int32_t kBoltM10 = 1, kBolt7ED = 2, kShock = 3, kCounterspell = 4,
                                  kFireIce = 5;

    void SetUp() override
    {
        m_pricePath = m_dir.File("mtgo.mdb");
        m_collectionPath = m_dir.File("collection.mdb");
        ASSERT_TRUE(database_schema::CreatePriceDatabase(m_pricePath));
        ASSERT_TRUE(database_schema::CreateCollectionDatabase(m_collectionPath));
        RunSql(m_pricePath, R"(
            insert into expansion values (10, 'Seventh Edition'), (20, 'Magic 2010');
            insert into expansion_code values (10, '7ED'), (20, 'M10');
            insert into cardslist (id, name, reg_value, foil_value, expansion, collection_no)
            values (1, 'Lightning Bolt', 1.5, 6, 20, 146), (2, 'Lightning Bolt', 0.8, 3, 10, 201),
                   (3, 'Shock', 0.05, 0.5, 20, 150), (4, 'Counterspell', 0.3, 2, 10, 67),
                   (5, 'Fire // Ice', 0.5, 1, 10, 300), (6, 'Lightning Rift', 0.1, 0.4, 10, 1),
                   (7, 'Lightning Helix', 0.2, 0.9, 20, 2);
            insert into catalogue_ids values (62723, 1), (62724, 16777217);)");
        ASSERT_TRUE(m_price.Open("Data Source=" + m_pricePath + ";"));
        ASSERT_TRUE(m_catalogue.LoadCatalogue(m_price));
        ASSERT_TRUE(m_ids.Load(m_price.GetActiveConnection()->Handle()));
        m_index = std::make_unique<DeckCatalogueIndex>(m_catalogue, m_ids);
        ASSERT_TRUE(m_collection.Open("Data Source=" + m_collectionPath + ";"));
    }
    void TearDown() override
    {
        m_index.reset();
        m_price.Close();
        m_collection.Close();
    }

    TempDir m_dir;
    std::string m_pricePath, m_collectionPath;
    CADODataBase m_price, m_collection;
    CardCatalogue m_catalogue;
    GameCatalogueIds m_ids;
    std::unique_ptr<DeckCatalogueIndex> m_index;
};
