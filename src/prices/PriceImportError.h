#pragma once

#include <stdexcept>
#include <string>

/// The price import's one exception: a price file that cannot be read (`what()` names the file
/// and the place), the price database refusing a read or a write (`what()` is the engine's
/// message), or the caller's cancel.
class PriceImportError : public std::runtime_error {
public:
    enum class Kind { PriceFile, Database, Cancelled };

    static PriceImportError File(const std::string& text) { return {Kind::PriceFile, text}; }
    static PriceImportError Database(const std::string& text) { return {Kind::Database, text}; }
    static PriceImportError Cancel() { return {Kind::Cancelled, "The import was cancelled."}; }

    Kind GetKind() const { return m_kind; }

private:
    PriceImportError(Kind kind, const std::string& text) : std::runtime_error(text), m_kind(kind) {}

    Kind m_kind;
};
