#include "lookup/TrigramIndex.h"

#include <algorithm>

namespace {

std::uint32_t KeyAt(const char* at)
{
    return (static_cast<std::uint32_t>(static_cast<unsigned char>(at[0])) << 16) |
           (static_cast<std::uint32_t>(static_cast<unsigned char>(at[1])) << 8) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(at[2]));
}

// Below this many candidates the exact test on each is cheaper than intersecting further.
constexpr std::size_t kFewEnough = 16;

}  // namespace

void TrigramIndex::Clear()
{
    m_keys.clear();
    m_lists.clear();
    m_listCount = 0;
    m_offsets.clear();
    m_postings.clear();
}

std::uint32_t TrigramIndex::Slot(std::uint32_t key) const
{
    const std::size_t mask = m_keys.size() - 1;
    std::size_t slot = (key * 0x9E3779B1u) & mask;
    while (m_keys[slot] != kEmpty && m_keys[slot] != key) {
        slot = (slot + 1) & mask;
    }
    return static_cast<std::uint32_t>(slot);
}

std::uint32_t TrigramIndex::ListOf(std::uint32_t key) const
{
    if (m_keys.empty()) {
        return kEmpty;
    }
    const std::uint32_t slot = Slot(key);
    return m_keys[slot] == kEmpty ? kEmpty : m_lists[slot];
}

std::uint32_t TrigramIndex::AddKey(std::uint32_t key)
{
    if ((m_listCount + 1) * 2 > m_keys.size()) {
        std::vector<std::uint32_t> keys = std::move(m_keys);
        std::vector<std::uint32_t> lists = std::move(m_lists);
        m_keys.assign(std::max<std::size_t>(keys.size() * 2, 1u << 12), kEmpty);
        m_lists.assign(m_keys.size(), 0);
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] != kEmpty) {
                const std::uint32_t slot = Slot(keys[i]);
                m_keys[slot] = keys[i];
                m_lists[slot] = lists[i];
            }
        }
    }
    const std::uint32_t slot = Slot(key);
    if (m_keys[slot] == kEmpty) {
        m_keys[slot] = key;
        m_lists[slot] = static_cast<std::uint32_t>(m_listCount++);
    }
    return m_lists[slot];
}

void TrigramIndex::Build(std::string_view bytes, const std::vector<std::size_t>& starts)
{
    Clear();
    const std::size_t texts = starts.empty() ? 0 : starts.size() - 1;
    // Two passes over the texts, counting the list lengths and then filling the lists in
    // place, so that nothing bigger than the finished index is ever held. A trigram that
    // comes back within one text is listed once: the last text entered in each list is kept.
    std::vector<std::uint32_t> counts;
    std::vector<std::uint32_t> last;
    for (std::size_t i = 0; i < texts; ++i) {
        const std::size_t end = starts[i + 1] - 1;
        for (std::size_t at = starts[i]; at + kUnit <= end; ++at) {
            const std::uint32_t list = AddKey(KeyAt(bytes.data() + at));
            if (list == counts.size()) {
                counts.push_back(0);
                last.push_back(kEmpty);
            }
            if (last[list] != i) {
                last[list] = static_cast<std::uint32_t>(i);
                ++counts[list];
            }
        }
    }
    m_offsets.assign(m_listCount + 1, 0);
    for (std::size_t k = 0; k < m_listCount; ++k) {
        m_offsets[k + 1] = m_offsets[k] + counts[k];
    }
    m_postings.resize(m_offsets[m_listCount]);
    std::vector<std::uint32_t>& fill = counts;
    std::copy(m_offsets.begin(), m_offsets.end() - 1, fill.begin());
    std::fill(last.begin(), last.end(), kEmpty);
    for (std::size_t i = 0; i < texts; ++i) {
        const std::size_t end = starts[i + 1] - 1;
        for (std::size_t at = starts[i]; at + kUnit <= end; ++at) {
            const std::uint32_t list = ListOf(KeyAt(bytes.data() + at));
            if (last[list] != i) {
                last[list] = static_cast<std::uint32_t>(i);
                m_postings[fill[list]++] = static_cast<std::uint32_t>(i);
            }
        }
    }
}

bool TrigramIndex::Candidates(const std::vector<std::string>& pieces,
                              std::vector<std::uint32_t>& out) const
{
    out.clear();
    std::vector<std::uint32_t> lists;
    bool usable = false;
    for (const std::string& piece : pieces) {
        for (std::size_t at = 0; at + kUnit <= piece.size(); ++at) {
            usable = true;
            const std::uint32_t list = ListOf(KeyAt(piece.data() + at));
            if (list == kEmpty) {
                return true;  // a trigram no text holds: nothing can match
            }
            lists.push_back(list);
        }
    }
    if (!usable) {
        return false;
    }
    std::sort(lists.begin(), lists.end());
    lists.erase(std::unique(lists.begin(), lists.end()), lists.end());
    const auto length = [this](std::uint32_t list) { return m_offsets[list + 1] - m_offsets[list]; };
    std::sort(lists.begin(), lists.end(),
              [&](std::uint32_t a, std::uint32_t b) { return length(a) < length(b); });
    out.assign(m_postings.begin() + m_offsets[lists[0]],
               m_postings.begin() + m_offsets[lists[0] + 1]);
    for (std::size_t k = 1; k < lists.size() && out.size() > kFewEnough; ++k) {
        const auto begin = m_postings.begin() + m_offsets[lists[k]];
        const auto end = m_postings.begin() + m_offsets[lists[k] + 1];
        auto from = begin;
        std::size_t kept = 0;
        for (const std::uint32_t text : out) {
            from = std::lower_bound(from, end, text);
            if (from == end) {
                break;
            }
            if (*from == text) {
                out[kept++] = text;
            }
        }
        out.resize(kept);
    }
    return true;
}

std::size_t TrigramIndex::MemoryBytes() const
{
    return (m_keys.capacity() + m_lists.capacity() + m_offsets.capacity() +
            m_postings.capacity()) *
           sizeof(std::uint32_t);
}
