#pragma once

#include <cstddef>
#include <string_view>

/// The lines of a text one after another, without their line feeds (a carriage return before
/// a line feed stays). A text that ends with a line feed has no empty line after it.
class TextLines {
public:
    explicit TextLines(std::string_view text, std::size_t start = 0)
        : m_text(text), m_next(start)
    {
    }

    /// Gives the next line; false at the end of the text.
    bool Next(std::string_view& line)
    {
        if (m_next >= m_text.size()) {
            return false;
        }
        std::size_t end = m_text.find('\n', m_next);
        if (end == std::string_view::npos) {
            end = m_text.size();
        }
        line = m_text.substr(m_next, end - m_next);
        m_next = end + 1;
        ++m_number;
        return true;
    }

    /// The number of the line Next gave last, 1 for the line at the start.
    int Number() const { return m_number; }

private:
    std::string_view m_text;
    std::size_t m_next;
    int m_number = 0;
};
