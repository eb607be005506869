#pragma once

#include "decks/DeckCost.h"
#include "decks/DeckLine.h"

#include <cstdint>
#include <string>
#include <vector>

class CADODataBase;
class DateTime;

/// One card key whose owned count an import changes.
struct CollectionChange {
    std::int32_t cardKey = 0;
    std::string name; ///< "Foil " in front for a foil key
    std::string setCode;
    std::int32_t before = 0;
    std::int32_t after = 0;
};

/// What importing a collection file would change: My Collection's counts made equal to the
/// file's.
struct CollectionImportPlan {
    std::string fileName;
    std::vector<CollectionChange> added;   ///< owned 0 before
    std::vector<CollectionChange> removed; ///< owned 0 after
    std::vector<CollectionChange> changed; ///< other counts that change
    std::vector<DeckProblem> notUnderstood;
    std::vector<std::string> notes;
    std::int64_t unchanged = 0; ///< card keys whose count stays
    OwnedCounts basis;          ///< the counts the plan was made from
    std::string error;          ///< the file cannot be imported at all

    bool HasChanges() const { return !added.empty() || !removed.empty() || !changed.empty(); }
    /// The comment of the logged deal: "Collection import <file name>".
    std::string Comment() const { return "Collection import " + fileName; }
};

/// The result of writing a plan.
struct CollectionImportResult {
    bool imported = false;
    std::int32_t transactionId = 0;
    std::string error;
};

/// Makes My Collection's counts equal to a collection file's: the plan is worked out without
/// writing anything, and applied as one logged deal (price 0, comment "Collection import
/// <file name>") whose history holds each count's change, all in one transaction.
class CollectionImport {
public:
    static CollectionImportPlan Plan(const DeckFile& file, const std::string& fileName,
                                     const DeckCatalogueIndex& index, const OwnedCounts& current);

    /// Writes the plan. The counts must still be those the plan was made from; otherwise, and
    /// on any failure, nothing is written and the reason is returned.
    static CollectionImportResult Apply(CADODataBase& collection, const CollectionImportPlan& plan,
                                        const DateTime& when);

    /// The preview: what is added, removed and changed, and the lines not understood.
    static std::string PreviewText(const CollectionImportPlan& plan, std::size_t maxListed = 30);
};

/// Reads the owned counts of collection 0 (card key -> copies). False with *error when the
/// database cannot be read.
bool LoadOwnedCounts(CADODataBase& collection, OwnedCounts& owned, std::string* error = nullptr);
