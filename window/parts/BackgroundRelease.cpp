#include "parts/BackgroundRelease.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

BackgroundRelease::BackgroundRelease()
{
#ifdef __GLIBC__
    // glibc keeps small freed blocks in fast bins, which the next large allocation of the
    // thread that made them sorts out all at once: after millions of lines freed here, the
    // window would go a second without events. Without fast bins each block is merged as it
    // is freed, on this side.
    mallopt(M_MXFAST, 0);
#endif
}

BackgroundRelease::~BackgroundRelease()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_worker.joinable())
        m_worker.join();
}

void BackgroundRelease::enqueue(std::function<void()> drop)
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_pending.push_back(std::move(drop));
        if (!m_worker.joinable())
            m_worker = std::thread([this] { run(); });
    }
    m_wake.notify_one();
}

void BackgroundRelease::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_pending.empty(); });
        if (m_pending.empty())
            return; // stopping, and everything is freed
        std::function<void()> drop = std::move(m_pending.front());
        m_pending.pop_front();
        lock.unlock();
        // The value goes with the last copy of the function, here and not on the window's
        // thread.
        drop();
        drop = nullptr;
        lock.lock();
    }
}

void BackgroundRelease::returnFreedMemory()
{
#ifdef __GLIBC__
    // glibc keeps freed memory in its arenas for the process to use again: after a long
    // screenplay the window would go on holding gigabytes it no longer needs.
    enqueue([] { malloc_trim(0); });
#endif
}
