#include "clipboard/CopyTwins.h"

namespace {

std::optional<std::string> Compared(const std::optional<std::string>& text)
{
    if (!text || text->size() <= CopyTwins::kComparedBytes)
        return text;
    return text->substr(0, CopyTwins::kComparedBytes);
}

} // namespace

bool CopyTwins::IsTwin(Way way, const std::optional<std::string>& text)
{
    std::optional<std::string> compared = Compared(text);
    // Each copy has at most one twin: a third sighting of the same text is a new copy.
    if (m_last && !m_last->twinSeen && m_last->way != way && m_last->text == compared) {
        m_last->twinSeen = true;
        return true;
    }
    m_last = Seen{way, std::move(compared), false};
    return false;
}
