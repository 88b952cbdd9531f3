#include "parts/BackgroundRelease.h"

#include <gtest/gtest.h>

#include <mutex>
#include <thread>
#include <vector>

namespace {

// Notes the thread each value is destroyed on; a moved-from value notes nothing.
struct Freed
{
    std::mutex mutex;
    std::vector<std::pair<int, std::thread::id>> values;
};

class Tracked
{
public:
    Tracked(int number, Freed &freed)
        : m_number(number)
        , m_freed(&freed)
    {
    }
    Tracked(Tracked &&other) noexcept
        : m_number(other.m_number)
        , m_freed(std::exchange(other.m_freed, nullptr))
    {
    }
    Tracked(const Tracked &) = delete;
    Tracked &operator=(const Tracked &) = delete;
    ~Tracked()
    {
        if (m_freed == nullptr)
            return;
        const std::lock_guard<std::mutex> lock(m_freed->mutex);
        m_freed->values.emplace_back(m_number, std::this_thread::get_id());
    }

private:
    int m_number;
    Freed *m_freed;
};

} // namespace

TEST(BackgroundReleaseTest, FreesEachValueOnceOffTheCallerInOrderAndWaitsAtTheEnd)
{
    Freed freed;
    {
        BackgroundRelease release;
        for (int i = 0; i < 100; ++i)
            release.release(Tracked(i, freed));
    }
    ASSERT_EQ(freed.values.size(), size_t(100));
    for (int i = 0; i < 100; ++i) {
        EXPECT_EQ(freed.values[size_t(i)].first, i);
        EXPECT_NE(freed.values[size_t(i)].second, std::this_thread::get_id());
    }
}
