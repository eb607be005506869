#pragma once

#include <string>

// Direct access to a database file, below the data layer, to set up and check what it stores.

/// Runs statements on a database file (created if missing); a failure fails the test.
void RunSql(const std::string& path, const std::string& statements);
/// The first column of the first row of a query, as text ("" for none or NULL).
std::string QueryText(const std::string& path, const std::string& query);
/// The connection string the data layer opens `path` with.
std::string ConnectionString(const std::string& path);
/// The first column of the first row of a query, as a number (-1 for none).
double QueryValue(const std::string& path, const std::string& query);
