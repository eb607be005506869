#pragma once

#include "lookup/LookupOptions.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CardLookup;
struct CardRecord;

/// Runs typed searches on a worker thread, so that typing never waits for a lookup. The newest
/// request supersedes every earlier one: a superseded run stops adding cards and its result is
/// never delivered. Every other use of the lookup (a search at once, a clipboard lookup, a new
/// catalogue) goes through Hold, which supersedes what runs and waits until the worker lets go.
class BackgroundLookup {
public:
    /// Receives the cards a run found, in the order the lookup offered them (each card once),
    /// on the worker thread. The records are the catalogue's: valid until it is loaded again,
    /// which happens only under Hold, after which older results are stale (see Latest).
    using Delivery =
        std::function<void(std::uint64_t generation, std::vector<const CardRecord*> cards)>;

    BackgroundLookup(CardLookup& lookup, Delivery deliver);
    ~BackgroundLookup();
    BackgroundLookup(const BackgroundLookup&) = delete;
    BackgroundLookup& operator=(const BackgroundLookup&) = delete;

    /// Queues a typed search; returns its generation.
    std::uint64_t Request(std::string text, LookupOptions options);
    /// Makes whatever runs or waits stale without starting anything.
    void Supersede();
    /// Supersedes, then waits until no run uses the lookup; the caller has the lookup to itself
    /// while it keeps the returned lock. The holding thread may hold again (a clipboard lookup
    /// during a message box of a held command).
    std::unique_lock<std::recursive_mutex> Hold();
    /// The generation of the newest request or supersession: a delivery of another is stale.
    std::uint64_t Latest() const;

private:
    class Sink;
    void Work();

    CardLookup& m_lookup;
    Delivery m_deliver;
    mutable std::mutex m_queueMutex;
    std::condition_variable m_wake;
    std::recursive_mutex m_lookupMutex;
    std::uint64_t m_latest = 0;
    bool m_pending = false;
    bool m_stop = false;
    std::string m_text;
    LookupOptions m_options;
    std::thread m_worker;
};
