#include "app/about.h"

#include <gtest/gtest.h>

using namespace brindle;

TEST(About, MemoryRoundsTotalUpToSixteenAndTruncatesFree) {
    const std::uint64_t MB = 1024 * 1024;
    EXPECT_EQ(AboutMemoryText(255 * MB, 100 * MB + 5), "256MB Memory, 100MB Free");
    EXPECT_EQ(AboutMemoryText(256 * MB, 3 * MB - 1), "256MB Memory, 2MB Free");
    EXPECT_EQ(AboutMemoryText(257 * MB, 0), "272MB Memory, 0MB Free");
    EXPECT_EQ(AboutBuildText(), " Revision  16518");
    EXPECT_EQ(AboutOsText(2), "Windows 2000");
    EXPECT_EQ(AboutOsText(5), "Windows ME");
    EXPECT_FALSE(AboutOsText(0).empty());
}
