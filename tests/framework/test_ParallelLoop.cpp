#include "framework/core/ParallelLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <vector>

using rw::ParallelLoop;

TEST(ParallelLoop, EveryIterationRunsExactlyOnceAndItsResultIsSeenAfterwards)
{
    // Loops shorter than two grains run on the caller alone; longer ones are
    // shared. Either way each index once, and plain writes visible on return.
    for (int helpers : {0, 1, 3}) {
        ParallelLoop loop(helpers);
        EXPECT_EQ(loop.helperCount(), helpers);
        for (std::size_t count : {0u, 1u, 31u, 32u, 33u, 1000u, 100000u}) {
            std::unique_ptr<std::atomic<int>[]> visits(new std::atomic<int>[count + 1]);
            for (std::size_t i = 0; i <= count; ++i)
                visits[i] = 0;
            std::vector<std::size_t> written(count, 0);
            loop.run(count, [&](std::size_t i) {
                visits[i].fetch_add(1);
                written[i] = i * 3 + 1;
            });
            int wrong = 0;
            for (std::size_t i = 0; i < count; ++i)
                wrong += visits[i] != 1 || written[i] != i * 3 + 1;
            EXPECT_EQ(wrong, 0) << helpers << " helpers, " << count << " iterations";
            EXPECT_EQ(visits[count], 0);
        }
    }
}

TEST(ParallelLoop, ManyShortLoopsInARowNeitherLoseNorRepeatWork)
{
    // A helper that wakes late must not join the next loop's iterations with
    // the last loop's body, nor may the caller wait for it: thousands of
    // loops of a few chunks each, as a walk of small folders gives.
    ParallelLoop loop(1);
    std::uint64_t total = 0;
    std::vector<std::uint32_t> values(64);
    for (int round = 0; round < 5000; ++round) {
        loop.run(values.size(), [&](std::size_t i) { values[i] = std::uint32_t(round + i); });
        for (std::uint32_t v : values)
            total += v;
    }
    std::uint64_t want = 0;
    for (int round = 0; round < 5000; ++round)
        for (std::size_t i = 0; i < values.size(); ++i)
            want += std::uint64_t(round + i);
    EXPECT_EQ(total, want);
}
