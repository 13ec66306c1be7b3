#include "base/parallelfor.h"

#include <atomic>
#include <chrono>
#include <latch>
#include <map>
#include <mutex>
#include <set>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {
// Sets the thread count back however the test ends.
struct TThreadsReset {
    ~TThreadsReset() { SetParallelThreads(0); }
};

// Counts the calls of ThreadsOfOneCall each thread took part in.
thread_local int CallsTakenPartIn = 0;

// The threads that ran count indexes of one call, each index waiting until every other one
// has started, so that each runs on a thread of its own; with the calls each thread had
// taken part in before.
std::map<std::thread::id, int> ThreadsOfOneCall(std::size_t count) {
    std::latch started(static_cast<std::ptrdiff_t>(count));
    std::mutex lock;
    std::map<std::thread::id, int> threads;
    ParallelFor(count, [&](std::size_t) {
        started.arrive_and_wait();
        const std::lock_guard<std::mutex> guard(lock);
        threads[std::this_thread::get_id()] = CallsTakenPartIn++;
    });
    return threads;
}

std::set<std::thread::id> IdsOf(const std::map<std::thread::id, int>& threads) {
    std::set<std::thread::id> ids;
    for (const auto& [id, calls] : threads)
        ids.insert(id);
    return ids;
}
} // namespace

TEST(ParallelFor, HelperThreadsAreKeptFromCallToCall) {
    // What a thread keeps of its own (names decoded lately, allocation slabs) serves later
    // calls only when the same threads come back.
    const TThreadsReset reset;
    SetParallelThreads(3);
    const auto first = ThreadsOfOneCall(3);
    ASSERT_EQ(first.size(), 3u);
    EXPECT_EQ(first.count(std::this_thread::get_id()), 1u);
    const auto second = ThreadsOfOneCall(3);
    EXPECT_EQ(IdsOf(second), IdsOf(first));
    for (const auto& [id, calls] : second)
        EXPECT_EQ(calls, first.at(id) + 1);
    SetParallelThreads(2);
    const auto fewer = ThreadsOfOneCall(2);
    ASSERT_EQ(fewer.size(), 2u);
    for (const auto& [id, calls] : fewer)
        EXPECT_EQ(calls, second.at(id) + 1);
}

TEST(ParallelFor, ACallWhileTheKeptThreadsAreBusyStartsThreadsOfItsOwn) {
    // The kept threads wait in the first call until a call from another thread, which needs
    // two threads at once, has finished.
    const TThreadsReset reset;
    SetParallelThreads(2);
    std::latch busy(2);
    std::latch otherDone(1);
    std::set<std::thread::id> otherThreads;
    std::thread other([&] {
        busy.wait();
        otherThreads = IdsOf(ThreadsOfOneCall(2));
        otherDone.count_down();
    });
    std::set<std::thread::id> firstThreads;
    std::mutex lock;
    ParallelFor(2, [&](std::size_t) {
        {
            const std::lock_guard<std::mutex> guard(lock);
            firstThreads.insert(std::this_thread::get_id());
        }
        busy.arrive_and_wait();
        otherDone.wait();
    });
    other.join();
    ASSERT_EQ(firstThreads.size(), 2u);
    ASSERT_EQ(otherThreads.size(), 2u);
    for (const std::thread::id thread : otherThreads)
        EXPECT_EQ(firstThreads.count(thread), 0u);
}

TEST(ParallelFor, RunsEveryIndexOnceWhateverTheCountAndThreads) {
    const TThreadsReset reset;
    for (const std::size_t threads : {1u, 2u, 5u})
        for (const std::size_t count : {0u, 1u, 2u, 3u, 17u, 1000u}) {
            SetParallelThreads(threads);
            std::vector<std::atomic<int>> runs(count);
            ParallelFor(count, [&](std::size_t i) { ++runs[i]; });
            for (std::size_t i = 0; i < count; ++i)
                EXPECT_EQ(runs[i].load(), 1) << "index " << i << " of " << count;
        }
    SetParallelThreads(0);
}

TEST(ParallelFor, AnErrorIsRaisedAfterEveryOtherIndexRan) {
    std::vector<std::atomic<int>> runs(50);
    EXPECT_THROW(ParallelFor(runs.size(),
                             [&](std::size_t i) {
                                 ++runs[i];
                                 if (i == 10)
                                     throw std::runtime_error("bad index");
                             }),
                 std::runtime_error);
    for (std::size_t i = 0; i < runs.size(); ++i)
        EXPECT_EQ(runs[i].load(), 1) << "index " << i;
    EXPECT_GE(ParallelThreads(), 1u);
}

TEST(ParallelFor, WorkSpreadOverThreadsRunsItsOwnCallsOnItsThread) {
    const TThreadsReset reset;
    SetParallelThreads(2);
    std::atomic<int> innerOnOtherThreads{0};
    std::atomic<int> innerRuns{0};
    ParallelFor(4, [&](std::size_t) {
        const std::thread::id outer = std::this_thread::get_id();
        ParallelFor(8, [&](std::size_t) {
            ++innerRuns;
            if (std::this_thread::get_id() != outer)
                ++innerOnOtherThreads;
        });
    });
    EXPECT_EQ(innerRuns.load(), 32);
    EXPECT_EQ(innerOnOtherThreads.load(), 0);

    // Work that runs alone on the calling thread leaves the cores to the calls it makes.
    std::atomic<int> threadsSeen{0};
    ParallelFor(1, [&](std::size_t) {
        const std::thread::id outer = std::this_thread::get_id();
        std::atomic<bool> otherThread{false};
        ParallelFor(64, [&](std::size_t) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            if (std::this_thread::get_id() != outer)
                otherThread = true;
        });
        threadsSeen = otherThread ? 2 : 1;
    });
    EXPECT_EQ(threadsSeen.load(), 2);
    SetParallelThreads(0);
}
