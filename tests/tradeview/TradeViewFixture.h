#pragma once

#include "data/CADODataBase.h"
#include "data/CardKey.h"
#include "data/CardRecord.h"
#include "trade/CatalogueRows.h"

#include <QString>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

/// The catalogue grid as plain data for the trade windows: row 0 is the header.
class FakeCatalogue : public CatalogueRows {
public:
    void Add(std::int32_t id, const std::string& name, float reg, float foil, bool nameTicked,
             bool regTicked, bool foilTicked)
    {
        CardRecord card;
        card.id = id;
        card.name = name;
        card.reg_value = reg;
        card.foil_value = foil;
        m_cards[id] = card;
        m_rows.push_back({nameTicked, card_key::Foil(id), regTicked, foilTicked});
    }
    int RowCount() const override { return int(m_rows.size()) + 1; }
    CatalogueRow Row(int row) const override
    {
        return row == 0 ? CatalogueRow{} : m_rows.at(std::size_t(row - 1));
    }
    const CardRecord* ShownCard(std::int32_t id) const override
    {
        const auto it = m_cards.find(id);
        return it == m_cards.end() ? nullptr : &it->second;
    }

private:
    std::vector<CatalogueRow> m_rows;
    std::map<std::int32_t, CardRecord> m_cards;
};

/// A private folder with an empty collection database, opened.
class TempCollection {
public:
    TempCollection();
    ~TempCollection();
    CADODataBase& Database() { return m_database; }
    std::string Path(const std::string& name) const { return (m_dir / name).string(); }
    /// The first column of the first row of a query on the collection database.
    std::string One(const std::string& query) const;
    void Exec(const std::string& statement) const;

private:
    std::filesystem::path m_dir;
    CADODataBase m_database;
};
