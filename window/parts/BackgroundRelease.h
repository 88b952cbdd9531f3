#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// Frees what a closed screenplay leaves behind on a thread of its own: letting go of the
// millions of lines, scenes and counters of a long screenplay holds the window's thread for
// a second or more, with the progress dialog of the next one unanswered. Values are freed
// in the order they are handed over; the destructor waits until all are.
class BackgroundRelease
{
public:
    BackgroundRelease();
    ~BackgroundRelease();
    BackgroundRelease(const BackgroundRelease &) = delete;
    BackgroundRelease &operator=(const BackgroundRelease &) = delete;

    // Takes `value` and destroys it off this thread. Whatever it holds must be shared with
    // nothing or through atomic counts only (Qt's implicitly shared values, shared_ptr).
    template<typename Value> void release(Value &&value)
    {
        // Moved, not copied, into the job: a copy left here would outlive the call, and
        // if the worker let go of its own first the value would be freed on this thread.
        auto held = std::make_shared<std::decay_t<Value>>(std::forward<Value>(value));
        enqueue([held = std::move(held)]() mutable { held.reset(); });
    }

    // Once what was handed over before is freed, gives the free memory back to the system.
    void returnFreedMemory();

private:
    void enqueue(std::function<void()> drop);
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_pending;
    bool m_stopping = false;
    std::thread m_worker; // started with the first value
};
