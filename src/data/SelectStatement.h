#pragma once

#include <string>
#include <string_view>

/// Reading the shape of a query text, as the recordset needs it.
namespace select_statement {

/// True when the first 7 characters equal "select " without regard to case (the caller removes
/// leading white space first). "select*" or "select\t" do not count.
bool IsSelectText(std::string_view text);

/// The table of a single-table select of all columns ("select * from T", optionally followed by
/// where, order by or limit clauses); empty for any other text (joins, several tables, unions,
/// grouping). Only such a result set can be edited and added to, one row per table row.
std::string EditableTable(std::string_view text);

/// The text with the table's row id selected in front of all other columns; `text` must be one
/// for which `EditableTable` is not empty.
std::string WithRowId(std::string_view text);

/// The name of the hidden row id column that `WithRowId` adds.
inline constexpr const char* kRowIdColumn = "quorvel_rowid_";

/// An identifier in double quotes, with inner double quotes doubled.
std::string QuoteIdentifier(std::string_view name);

} // namespace select_statement
