#include "EpochText.h"

#include <gtest/gtest.h>

using namespace Brisvane;

TEST(EpochText, IsPlainDecimal)
{
    EXPECT_EQ(EpochText(0), "0");
    EXPECT_EQ(EpochText(-5), "-5");
    EXPECT_EQ(EpochText(1'600'000'000), "1600000000");
    EXPECT_EQ(EpochText(-2'147'483'647 - 1), "-2147483648");
}
