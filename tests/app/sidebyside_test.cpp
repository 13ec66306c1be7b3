#include "app/sidebyside.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace {
// Sets the thread count back however the test ends.
struct TThreadsReset {
    ~TThreadsReset() { SetSideBySideThreads(0); }
};
} // namespace

TEST(SideBySide, RunsEveryIndexOnceWhateverTheCountAndThreads) {
    const TThreadsReset reset;
    for (const std::size_t threads : {1u, 2u, 5u})
        for (const std::size_t count : {0u, 1u, 2u, 3u, 17u, 1000u}) {
            SetSideBySideThreads(threads);
            std::vector<std::atomic<int>> runs(count);
            RunSideBySide(count, [&](std::size_t i) { ++runs[i]; });
            for (std::size_t i = 0; i < count; ++i)
                EXPECT_EQ(runs[i].load(), 1) << "index " << i << " of " << count;
        }
    SetSideBySideThreads(0);
}

TEST(SideBySide, AnErrorIsRaisedAfterEveryOtherIndexRan) {
    std::vector<std::atomic<int>> runs(50);
    EXPECT_THROW(RunSideBySide(runs.size(),
                               [&](std::size_t i) {
                                   ++runs[i];
                                   if (i == 10)
                                       throw std::runtime_error("bad index");
                               }),
                 std::runtime_error);
    for (std::size_t i = 0; i < runs.size(); ++i)
        EXPECT_EQ(runs[i].load(), 1) << "index " << i;
    EXPECT_GE(SideBySideThreads(), 1u);
}

TEST(SideBySide, WorkSpreadOverThreadsRunsItsOwnCallsOnItsThread) {
    const TThreadsReset reset;
    SetSideBySideThreads(2);
    std::atomic<int> innerOnOtherThreads{0};
    std::atomic<int> innerRuns{0};
    RunSideBySide(4, [&](std::size_t) {
        const std::thread::id outer = std::this_thread::get_id();
        RunSideBySide(8, [&](std::size_t) {
            ++innerRuns;
            if (std::this_thread::get_id() != outer)
                ++innerOnOtherThreads;
        });
    });
    EXPECT_EQ(innerRuns.load(), 32);
    EXPECT_EQ(innerOnOtherThreads.load(), 0);

    // Work that runs alone on the calling thread leaves the cores to the calls it makes.
    std::atomic<int> threadsSeen{0};
    RunSideBySide(1, [&](std::size_t) {
        const std::thread::id outer = std::this_thread::get_id();
        std::atomic<bool> otherThread{false};
        RunSideBySide(64, [&](std::size_t) {
            std::this_thread::sleep_for(std::chrono::microseconds(200));
            if (std::this_thread::get_id() != outer)
                otherThread = true;
        });
        threadsSeen = otherThread ? 2 : 1;
    });
    EXPECT_EQ(threadsSeen.load(), 2);
    SetSideBySideThreads(0);
}
