#include "lookup/BackgroundLookup.h"

#include "data/CardRecord.h"
#include "lookup/CardLookup.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Typed searches on the worker: the first run is held inside its first pattern until the test
// lets it go, so the next request surely comes while it runs.
class BackgroundLookupTest : public ::testing::Test {
protected:
    struct Delivered {
        std::uint64_t generation;
        std::vector<std::string> names;
    };

    void SetUp() override
    {
        for (const char* name : {"Lightning Bolt", "Shock", "Counterspell", "Boltwing"}) {
            CardRecord card;
            card.id = std::int32_t(m_cards.size() + 1);
            card.name = name;
            m_cards.push_back(card);
        }
        m_lookup.Prepare(m_cards);
        m_lookup.SetPatternObserver([this](const std::string&) {
            std::unique_lock<std::mutex> lock(m_mutex);
            ++m_patterns;
            m_changed.notify_all();
            m_changed.wait(lock, [this] { return m_released; });
        });
        m_background = std::make_unique<BackgroundLookup>(
            m_lookup, [this](std::uint64_t generation, std::vector<const CardRecord*> cards) {
                std::lock_guard<std::mutex> lock(m_mutex);
                Delivered delivered{generation, {}};
                for (const CardRecord* card : cards) {
                    delivered.names.push_back(card->name);
                }
                m_delivered.push_back(delivered);
                m_changed.notify_all();
            });
    }
    void TearDown() override
    {
        Release();
        m_background.reset();
    }
    template <class Predicate> bool WaitFor(Predicate done)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, 10s, done);
    }
    void Release()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_released = true;
        m_changed.notify_all();
    }

    std::vector<CardRecord> m_cards;
    CardLookup m_lookup;
    std::unique_ptr<BackgroundLookup> m_background;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_patterns = 0;
    bool m_released = false;
    std::vector<Delivered> m_delivered;
};

TEST_F(BackgroundLookupTest, TheNextKeySupersedesARunningSearch)
{
    const std::uint64_t first = m_background->Request("Bolt", LookupOptions{false, 1});
    ASSERT_TRUE(WaitFor([this] { return m_patterns > 0; })) << "the first search never started";
    const std::uint64_t second = m_background->Request("Shock", LookupOptions{false, 1});
    EXPECT_GT(second, first);
    EXPECT_EQ(m_background->Latest(), second);
    Release();
    ASSERT_TRUE(WaitFor([this] { return !m_delivered.empty(); }));
    std::this_thread::sleep_for(50ms); // a stale delivery would come now
    std::lock_guard<std::mutex> lock(m_mutex);
    ASSERT_EQ(m_delivered.size(), 1u);
    EXPECT_EQ(m_delivered[0].generation, second);
    EXPECT_EQ(m_delivered[0].names, std::vector<std::string>{"Shock"});
}

TEST_F(BackgroundLookupTest, HoldWaitsForTheRunAndDropsItsResult)
{
    Release();
    const std::uint64_t done = m_background->Request("Bolt", LookupOptions{false, 1});
    ASSERT_TRUE(WaitFor([this] { return !m_delivered.empty(); }));
    EXPECT_EQ(m_delivered[0].generation, done);
    EXPECT_EQ(m_delivered[0].names.size(), 2u);
    {
        auto hold = m_background->Hold();
        m_background->Request("Shock", LookupOptions{false, 1});
        std::this_thread::sleep_for(50ms);
        std::lock_guard<std::mutex> lock(m_mutex);
        EXPECT_EQ(m_delivered.size(), 1u) << "no run while the lookup is held";
    }
    ASSERT_TRUE(WaitFor([this] { return m_delivered.size() == 2; }));
    EXPECT_GT(m_delivered[1].generation, done);
}

} // namespace
