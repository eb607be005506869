#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

/// An error of the database layer: a 32-bit status code with the source and description texts
/// the engine (or the layer itself) gave. Thrown by every operation that does not keep its
/// errors as a last-error text.
class CADOException : public std::runtime_error {
public:
    CADOException(std::uint32_t code, std::string source, std::string description);

    std::uint32_t Code() const { return m_code; }
    const std::string& Source() const { return m_source; }
    const std::string& Description() const { return m_description; }

private:
    std::uint32_t m_code;
    std::string m_source;
    std::string m_description;
};

/// Status codes the layer raises itself (the SQLite engine's own codes are used as they are).
namespace ado_error {
constexpr std::uint32_t kUnspecified = 0x80004005;     ///< E_FAIL
constexpr std::uint32_t kPointer = 0x80004003;         ///< E_POINTER: an object is missing
constexpr std::uint32_t kOutOfMemory = 0x8007000E;     ///< E_OUTOFMEMORY
constexpr std::uint32_t kInvalidArgument = 0x80070057; ///< E_INVALIDARG
constexpr std::uint32_t kNoCurrentRecord = 0x800A0BCD; ///< no current row (end of rows)
constexpr std::uint32_t kItemNotFound = 0x800A0CC1;    ///< no field of that name or position
constexpr std::uint32_t kNotCapable = 0x800A0CB3;      ///< the result set cannot do that
constexpr std::uint32_t kObjectClosed = 0x800A0E78;    ///< operation on a closed object
constexpr std::uint32_t kCancelled = 0x800A0E80;       ///< the caller asked the work to stop
} // namespace ado_error

/// The meaning of a status code: the message text known for it; otherwise "IDispatch error #%d"
/// (code - 0x80040200) for 0x80040201 to 0x8004FFFF and "Unknown error 0x%0lX" for all others.
std::string CodeMeaning(std::uint32_t code);

/// "<header>\n\tCode = %08lx\n\tCode meaning = %s\n\tSource = %s\n\tDescription = %s\n".
std::string FormatEngineError(const char* header, const CADOException& error);
