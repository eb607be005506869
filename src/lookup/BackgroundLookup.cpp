#include "lookup/BackgroundLookup.h"

#include "data/CardRecord.h"
#include "lookup/CardLookup.h"
#include "lookup/ShownCardsSink.h"

#include <unordered_set>

// Collects what a run finds, each card once (as the grid lists them), and refuses everything
// once its run is superseded, so a stale run only finishes its matching.
class BackgroundLookup::Sink : public ShownCardsSink {
public:
    Sink(const BackgroundLookup& owner, std::uint64_t generation)
        : m_owner(owner), m_generation(generation)
    {
    }
    void ClearShownCards() override
    {
        m_cards.clear();
        m_ids.clear();
    }
    bool AddShownCard(const CardRecord& card, bool) override
    {
        if (Superseded() || !m_ids.insert(card.id).second) {
            return false;
        }
        m_cards.push_back(&card);
        return true;
    }
    bool Superseded() const { return m_owner.Latest() != m_generation; }
    std::vector<const CardRecord*> Take() { return std::move(m_cards); }

private:
    const BackgroundLookup& m_owner;
    std::uint64_t m_generation;
    std::vector<const CardRecord*> m_cards;
    std::unordered_set<std::int32_t> m_ids;
};

BackgroundLookup::BackgroundLookup(CardLookup& lookup, Delivery deliver)
    : m_lookup(lookup), m_deliver(std::move(deliver)), m_worker([this] { Work(); })
{
}

BackgroundLookup::~BackgroundLookup()
{
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_stop = true;
        ++m_latest;
    }
    m_wake.notify_all();
    m_worker.join();
}

std::uint64_t BackgroundLookup::Request(std::string text, LookupOptions options)
{
    std::uint64_t generation = 0;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        generation = ++m_latest;
        m_text = std::move(text);
        m_options = options;
        m_pending = true;
    }
    m_wake.notify_all();
    return generation;
}

void BackgroundLookup::Supersede()
{
    std::lock_guard<std::mutex> lock(m_queueMutex);
    ++m_latest;
    m_pending = false;
}

std::unique_lock<std::recursive_mutex> BackgroundLookup::Hold()
{
    Supersede();
    return std::unique_lock<std::recursive_mutex>(m_lookupMutex);
}

std::uint64_t BackgroundLookup::Latest() const
{
    std::lock_guard<std::mutex> lock(m_queueMutex);
    return m_latest;
}

void BackgroundLookup::Work()
{
    for (;;) {
        std::string text;
        LookupOptions options;
        std::uint64_t generation = 0;
        {
            std::unique_lock<std::mutex> lock(m_queueMutex);
            m_wake.wait(lock, [this] { return m_stop || m_pending; });
            if (m_stop) {
                return;
            }
            m_pending = false;
            text = std::move(m_text);
            options = m_options;
            generation = m_latest;
        }
        std::lock_guard<std::recursive_mutex> use(m_lookupMutex);
        Sink sink(*this, generation);
        if (sink.Superseded()) {
            continue;
        }
        m_lookup.Options() = options;
        m_lookup.LookUp(text, false, sink);
        if (!sink.Superseded()) {
            m_deliver(generation, sink.Take());
        }
    }
}
