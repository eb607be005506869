#pragma once

#include <stdexcept>
#include <string>

/// The one exception of the price import and correction: a price file that cannot be read
/// (`what()` names the file and the place), the price database refusing a read or a write
/// (`what()` says what was refused), or the caller's cancel.
class PriceError : public std::runtime_error {
public:
    enum class Kind { PriceFile, Database, Cancelled };

    static PriceError File(const std::string& text) { return {Kind::PriceFile, text}; }
    static PriceError Database(const std::string& text) { return {Kind::Database, text}; }
    static PriceError Cancel() { return {Kind::Cancelled, "The import was cancelled."}; }

    Kind GetKind() const { return m_kind; }

private:
    PriceError(Kind kind, const std::string& text) : std::runtime_error(text), m_kind(kind) {}

    Kind m_kind;
};
