#include "app/sidebyside.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

TEST(SideBySide, RunsEveryIndexOnceWhateverTheCountAndThreads) {
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
