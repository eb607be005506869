#include "data/CADOException.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstring>

CADOException::CADOException(std::uint32_t code, std::string source, std::string description)
    : std::runtime_error(description.empty() ? source : description), m_code(code),
      m_source(std::move(source)), m_description(std::move(description))
{
}

namespace {

struct KnownCode {
    std::uint32_t code;
    const char* meaning;
};

// The texts a user of the original platform would have seen for the codes the layer raises.
constexpr KnownCode kKnownCodes[] = {
    {ado_error::kUnspecified, "Unspecified error"},
    {ado_error::kPointer, "Invalid pointer"},
    {ado_error::kOutOfMemory, "Not enough storage is available to complete this operation."},
    {ado_error::kInvalidArgument, "The parameter is incorrect."},
    {ado_error::kNoCurrentRecord,
     "Either BOF or EOF is True, or the current record has been deleted. Requested operation "
     "requires a current record."},
    {ado_error::kItemNotFound,
     "Item cannot be found in the collection corresponding to the requested name or ordinal."},
    {ado_error::kNotCapable,
     "Object or provider is not capable of performing requested operation."},
    {ado_error::kObjectClosed, "Operation is not allowed when the object is closed."},
};

} // namespace

std::string CodeMeaning(std::uint32_t code)
{
    for (const KnownCode& known : kKnownCodes) {
        if (known.code == code) {
            return known.meaning;
        }
    }
    // SQLite result codes (primary and extended) all lie below 0x10000.
    if (code < 0x10000) {
        const char* text = sqlite3_errstr(static_cast<int>(code));
        if (text != nullptr && std::strcmp(text, "unknown error") != 0) {
            return text;
        }
    }
    char buffer[64];
    if (code >= 0x80040201 && code <= 0x8004FFFF) {
        std::snprintf(buffer, sizeof buffer, "IDispatch error #%d",
                      static_cast<int>(code - 0x80040200));
    } else {
        std::snprintf(buffer, sizeof buffer, "Unknown error 0x%0lX",
                      static_cast<unsigned long>(code));
    }
    return buffer;
}

std::string FormatEngineError(const char* header, const CADOException& error)
{
    char code[16];
    std::snprintf(code, sizeof code, "%08lx", static_cast<unsigned long>(error.Code()));
    std::string text = header;
    text += "\n\tCode = ";
    text += code;
    text += "\n\tCode meaning = ";
    text += CodeMeaning(error.Code());
    text += "\n\tSource = ";
    text += error.Source();
    text += "\n\tDescription = ";
    text += error.Description();
    text += "\n";
    return text;
}
