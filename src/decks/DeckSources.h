#pragma once

#include "data/GameCatalogueIds.h"
#include "decks/DeckCatalogueIndex.h"
#include "decks/DeckCost.h"

#include <memory>
#include <string>

class CADODataBase;
class CardCatalogue;

/// What pricing a deck or importing a collection reads: the catalogue by name, the game's
/// catalogue ids (from the price database) and My Collection's counts (from the collection
/// database), read together so they belong to the same moment.
class DeckSources {
public:
    /// `priceDatabase` and `collection` may be null or closed: no ids, or nothing owned; a
    /// database that is open but cannot be read fails with *error.
    bool Load(const CardCatalogue& catalogue, CADODataBase* priceDatabase, CADODataBase* collection,
              std::string* error);

    const DeckCatalogueIndex& Index() const { return *m_index; }
    const OwnedCounts& Owned() const { return m_owned; }
    bool HasCollection() const { return m_hasCollection; }

private:
    GameCatalogueIds m_ids;
    OwnedCounts m_owned;
    bool m_hasCollection = false;
    std::unique_ptr<DeckCatalogueIndex> m_index;
};
