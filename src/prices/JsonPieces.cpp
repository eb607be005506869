#include "prices/JsonPieces.h"

#include "prices/PriceError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>
#include <unistd.h>

namespace {

constexpr std::size_t kChunk = 8u << 20;

// Follows the file's strings and brackets and cuts it into runs of whole entries.
class Splitter {
public:
    Splitter(const std::string& name, std::size_t pieceBytes,
             const std::function<void(const JsonPiece&)>& each, std::uint64_t size,
             const std::function<void(const JsonPiece&)>* members)
        : m_name(name), m_pieceBytes(pieceBytes), m_each(each), m_members(members), m_size(size)
    {
    }

    void Feed(const char* bytes, std::size_t count)
    {
        m_buffer.append(bytes, count);
        for (; m_pos < m_buffer.size(); ++m_pos) {
            if (m_inString && !m_escape && !m_keyOpen && !SkipInString()) {
                break;
            }
            Step(m_buffer[m_pos]);
        }
        // What is before the entries still wanted is read and done with.
        std::size_t keep = m_batchStart != kNone   ? m_batchStart
                           : m_entryStart != kNone ? m_entryStart
                                                   : m_pos;
        keep = std::min(keep, m_memberStart);
        m_buffer.erase(0, keep);
        m_bufferAt += keep;
        m_pos -= keep;
        for (std::size_t* index : {&m_batchStart, &m_entryStart, &m_lastEnd, &m_memberStart}) {
            if (*index != kNone) {
                *index -= keep;
            }
        }
    }

    void End()
    {
        if (m_top == Top::None || m_depth != 0 || m_inString) {
            throw PriceError::File(m_name + " byte " + std::to_string(m_bufferAt + m_pos) +
                                   ": the JSON is invalid or cut short (the file ends inside "
                                   "it). Download the file again.");
        }
        if (m_top == Top::Object && !m_sawData) {
            Emit("{}", m_size, std::string_view(), "");
        }
    }

private:
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    enum class Top { None, Object, Array };

    // Most of a file is text inside strings: the next quote or backslash is searched for
    // rather than stepped to. False when the buffer ends first.
    bool SkipInString()
    {
        const char* begin = m_buffer.data() + m_pos;
        const std::size_t left = m_buffer.size() - m_pos;
        const auto* quote = static_cast<const char*>(std::memchr(begin, '"', left));
        const std::size_t until = quote != nullptr ? std::size_t(quote - begin) : left;
        const auto* backslash = static_cast<const char*>(std::memchr(begin, '\\', until));
        m_pos += backslash != nullptr ? std::size_t(backslash - begin) : until;
        return m_pos < m_buffer.size();
    }

    // Depth of the entries: inside the array, or inside the object under "data".
    bool AtEntries() const
    {
        return (m_top == Top::Array && m_depth == 1) || (m_inData && m_depth == 2);
    }

    void Step(char c)
    {
        if (m_inString) {
            if (m_escape) {
                m_escape = false;
            } else if (c == '\\') {
                m_escape = true;
            } else if (c == '"') {
                m_inString = false;
            } else if (m_keyOpen && m_key.size() < 8) {
                m_key += c;
            }
            return;
        }
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t' ||
            (m_top != Top::None && m_depth == 0)) {
            return;
        }
        if (m_top == Top::None) {
            // Anything before the top value (a byte-order mark) is passed over.
            if (c == '{' || c == '[') {
                m_top = c == '{' ? Top::Object : Top::Array;
                m_depth = 1;
                m_expectKey = true;
            }
            return;
        }
        if (m_depth == 1 && m_top == Top::Object) {
            TopLevel(c);
            return;
        }
        const bool entries = AtEntries();
        if (c == '}' || c == ']') {
            if (entries) {
                EndEntry();
                Flush();
                m_inData = false;
            }
            --m_depth;
            m_keyOpen = false;
            return;
        }
        if (entries && c == ',') {
            EndEntry();
            return;
        }
        if (m_inData && m_depth == 2 && c == ':') {
            m_valueNext = true;
            return;
        }
        if (m_valueNext) {
            // Members that are not all objects are one set's (its cards, code and name, as a
            // set file holds them): they stay one piece.
            m_valueNext = false;
            m_wholeData = m_wholeData || c != '{';
        }
        if (entries && m_entryStart == kNone) {
            m_entryStart = m_pos;
            if (m_batchStart == kNone) {
                m_batchStart = m_pos;
            }
        }
        if (c == '{' || c == '[') {
            ++m_depth;
        } else if (c == '"') {
            m_inString = true;
            m_keyOpen = false;
        }
    }

    // A byte directly inside the top object: its keys, and the value of "data".
    void TopLevel(char c)
    {
        if (c == '"') {
            m_inString = true;
            m_keyOpen = m_expectKey;
            if (m_expectKey) {
                m_key.clear();
                m_memberStart = m_members != nullptr ? m_pos : kNone;
            }
            return;
        }
        if (c == ':') {
            m_dataNext = m_expectKey && m_key == "data";
            m_expectKey = false;
            if (m_dataNext) {
                m_memberStart = kNone;
            }
            return;
        }
        if (c == ',' || c == '}') {
            EndMember();
            m_expectKey = true;
            m_dataNext = false;
            m_depth = c == '}' ? 0 : m_depth;
            return;
        }
        if (m_dataNext && c != '{') {
            throw PriceError::File(m_name + " byte " + std::to_string(m_bufferAt + m_pos) +
                                   ": \"data\" is not an object; is it an MTGJSON file?");
        }
        if (c == '{' || c == '[') {
            m_inData = m_dataNext;
            m_sawData = m_sawData || m_dataNext;
            ++m_depth;
        }
        m_dataNext = false;
    }

    // A member of the top object other than "data" ends: handed over on its own.
    void EndMember()
    {
        if (m_memberStart != kNone && m_members != nullptr) {
            const std::string_view member(m_buffer.data() + m_memberStart, m_pos - m_memberStart);
            Emit("{", m_bufferAt + m_memberStart, member, "}", *m_members);
        }
        m_memberStart = kNone;
    }

    void EndEntry()
    {
        if (m_entryStart == kNone) {
            return;
        }
        m_entryStart = kNone;
        m_lastEnd = m_pos;
        if (!m_wholeData && m_lastEnd - m_batchStart >= m_pieceBytes) {
            Flush();
        }
    }

    void Flush()
    {
        if (m_batchStart == kNone || m_lastEnd == kNone) {
            return;
        }
        const std::string_view entries(m_buffer.data() + m_batchStart, m_lastEnd - m_batchStart);
        const bool array = m_top == Top::Array;
        Emit(array ? "[" : "{\"data\": {", m_bufferAt + m_batchStart, entries, array ? "]" : "}}");
        m_batchStart = kNone;
        m_lastEnd = kNone;
    }

    void Emit(std::string_view open, std::uint64_t offset, std::string_view entries,
              std::string_view close)
    {
        Emit(open, offset, entries, close, m_each);
    }
    void Emit(std::string_view open, std::uint64_t offset, std::string_view entries,
              std::string_view close, const std::function<void(const JsonPiece&)>& to)
    {
        simdjson::padded_string piece(open.size() + entries.size() + close.size());
        char* out = piece.data();
        std::memcpy(out, open.data(), open.size());
        std::memcpy(out + open.size(), entries.data(), entries.size());
        std::memcpy(out + open.size() + entries.size(), close.data(), close.size());
        to(JsonPiece{piece, open.size(), offset, m_size});
    }

    const std::string& m_name;
    std::size_t m_pieceBytes;
    const std::function<void(const JsonPiece&)>& m_each;
    const std::function<void(const JsonPiece&)>* m_members;
    std::uint64_t m_size;

    std::string m_buffer; ///< the file from byte m_bufferAt on, as far as read
    std::uint64_t m_bufferAt = 0;
    std::size_t m_pos = 0; ///< next byte of m_buffer to follow
    std::size_t m_batchStart = kNone;
    std::size_t m_entryStart = kNone;
    std::size_t m_lastEnd = kNone;     ///< end of the last whole entry of the batch
    std::size_t m_memberStart = kNone; ///< of a top member other than "data", when wanted

    Top m_top = Top::None;
    int m_depth = 0;
    bool m_inString = false;
    bool m_escape = false;
    bool m_expectKey = false;
    bool m_keyOpen = false;
    bool m_dataNext = false;
    bool m_inData = false;
    bool m_sawData = false;
    bool m_valueNext = false; ///< an entry's ':' seen, its value not yet
    bool m_wholeData = false;
    std::string m_key;
};

} // namespace

void JsonPieces::Read(int fd, std::uint64_t size, const std::string& name, std::size_t pieceBytes,
                      const std::function<void(const JsonPiece&)>& each,
                      const std::function<void(const JsonPiece&)>* members)
{
    Splitter splitter(name, pieceBytes, each, size, members);
    std::string chunk(kChunk, '\0');
    std::uint64_t done = 0;
    while (done < size) {
        const ssize_t got = ::pread(fd, chunk.data(), chunk.size(), static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            throw PriceError::File(
                "Cannot read " + name + " to its end (byte " + std::to_string(done) +
                (got < 0 ? ": " + std::string(std::strerror(errno)) : "") + ").");
        }
        splitter.Feed(chunk.data(), static_cast<std::size_t>(got));
        done += static_cast<std::uint64_t>(got);
    }
    splitter.End();
}
