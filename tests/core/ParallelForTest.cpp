#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <stdexcept>
#include <vector>

#include "core/ParallelFor.h"

namespace velmora {
namespace {

// Every index is run once, whatever the count; a failure comes back to the
// caller, and no index runs twice on the way.
TEST(ParallelFor, RunsEachIndexOnceAndHandsBackAFailure)
{
    struct Row {
        std::size_t count;
        std::optional<std::size_t> failingIndex;
    };
    for (const Row row : {Row{0, {}}, Row{1, {}}, Row{2, {}}, Row{3, {}}, Row{1000, {}}, Row{1000, 7}}) {
        SCOPED_TRACE(row.count);
        std::vector<std::atomic<int>> runs(row.count);
        const auto body = [&](std::size_t i) {
            ++runs[i];
            if (row.failingIndex == i)
                throw std::runtime_error("index " + std::to_string(i));
        };
        if (row.failingIndex) {
            EXPECT_THROW(
                {
                    try {
                        ParallelFor(row.count, body);
                    } catch (const std::runtime_error& error) {
                        EXPECT_STREQ(error.what(), "index 7");
                        throw;
                    }
                },
                std::runtime_error);
            for (const auto& count : runs)
                EXPECT_LE(count.load(), 1);
        } else {
            ParallelFor(row.count, body);
            for (std::size_t i = 0; i < row.count; ++i)
                EXPECT_EQ(runs[i].load(), 1) << i;
        }
    }
}

}  // namespace
}  // namespace velmora
