#pragma once

#include "support/CardBuilder.h"
#include "support/FakeCatalogueRows.h"
#include "support/TempDir.h"

#include "data/CADODataBase.h"
#include "data/CardKey.h"

#include <QString>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

/// A private folder with an empty collection database, opened.
class TempCollection {
public:
    TempCollection();
    ~TempCollection();
    CADODataBase& Database() { return m_database; }
    std::string Path(const std::string& name) const { return m_dir.File(name); }
    /// The first column of the first row of a query on the collection database.
    std::string One(const std::string& query) const;
    void Exec(const std::string& statement) const;

private:
    TempDir m_dir;
    CADODataBase m_database;
};
