#include "NumberText.h"

#include <gtest/gtest.h>

using namespace Brisvane;

TEST(NumberText, WritesHoursAsPeopleReadThem)
{
    struct Case {
        double value;
        const char* text;
    };
    for (const Case k :
         {Case{-5.0, "-5"}, Case{5.5, "5.5"}, Case{5.75, "5.75"}, Case{-3.5, "-3.5"}, Case{0.5, "0.5"}, Case{0.0, "0"},
          Case{-0.0, "0"}, Case{1.0 / 60.0, "0.0166666666666667"}, Case{-1.0 / 60.0, "-0.0166666666666667"},
          Case{14.0, "14"}, Case{1'000'000.0, "1000000"}, Case{123'456'789'012'345.0, "123456789012345"},
          Case{1e15, "1E+15"}, Case{1e-5, "1E-05"}, Case{0.1 + 0.2, "0.3"},
          // Found by fuzzing: the extremes of the double range keep their exponent.
          Case{1.7976931348623157e308, "1.79769313486232E+308"},
          Case{-1.7976931348623157e308, "-1.79769313486232E+308"},
          Case{4.9406564584124654e-324, "4.94065645841247E-324"}}) {
        EXPECT_EQ(NumberText(k.value, "."), k.text) << k.value;
    }
}

TEST(NumberText, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(NumberText(5.5, ","), "5,5");
    EXPECT_EQ(NumberText(-9.5, "\u066B"), "-9\u066B5");  // the Arabic decimal separator, two bytes
    EXPECT_EQ(NumberText(-0.0, ","), "0");
    EXPECT_EQ(NumberText(1e-5, ","), "1E-05");
}
