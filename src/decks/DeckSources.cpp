#include "decks/DeckSources.h"

#include "data/CADOConnection.h"
#include "data/CADODataBase.h"
#include "decks/CollectionImport.h"

bool DeckSources::Load(const CardCatalogue& catalogue, CADODataBase* priceDatabase,
                       CADODataBase* collection, std::string* error)
{
    m_index.reset();
    m_owned.clear();
    m_hasCollection = collection && collection->IsOpen();
    const bool priceOpen = priceDatabase && priceDatabase->IsOpen();
    m_ids = GameCatalogueIds();
    if (priceOpen && !m_ids.Load(priceDatabase->GetActiveConnection()->Handle(), error)) {
        return false;
    }
    if (m_hasCollection && !LoadOwnedCounts(*collection, m_owned, error)) {
        return false;
    }
    m_index = std::make_unique<DeckCatalogueIndex>(catalogue, m_ids);
    return true;
}
