#include "Currency.h"
#include "Error.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

using namespace Brisvane;

TEST(Currency, WideningIsExactAtThe32BitBounds)
{
    struct Case {
        std::int32_t n;
        std::int64_t raw;
        double asDouble;
    };
    for (const Case c :
         {Case{2'147'483'647, 21'474'836'470'000, 2'147'483'647.0},
          Case{-2'147'483'647 - 1, -21'474'836'480'000, -2'147'483'648.0}, Case{1, 10'000, 1.0}, Case{0, 0, 0.0}}) {
        const Currency value = Currency::Widen(c.n);
        EXPECT_EQ(value.Raw, c.raw) << c.n;
        EXPECT_EQ(value.ToDouble(), c.asDouble) << c.n;
    }
}

TEST(Currency, SumOfTwoWidened32BitValuesNeverOverflows)
{
    const Currency max = Currency::Widen(std::numeric_limits<std::int32_t>::max());
    const Currency min = Currency::Widen(std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(Add(max, max).ToDouble(), 4'294'967'294.0);
    EXPECT_EQ(Add(min, min).ToDouble(), -4'294'967'296.0);
    EXPECT_EQ(Add(max, min).Raw, -10'000);
}

TEST(Currency, SumOutsideThe64BitRangeIsAnOverflowNotAWrap)
{
    constexpr auto top = std::numeric_limits<std::int64_t>::max();
    constexpr auto bottom = std::numeric_limits<std::int64_t>::min();
    EXPECT_EQ(Add(Currency{top - 1}, Currency{1}).Raw, top);
    EXPECT_EQ(Add(Currency{bottom + 1}, Currency{-1}).Raw, bottom);
    for (const auto& [a, b] :
         {std::pair{top, std::int64_t{1}}, std::pair{bottom, std::int64_t{-1}}, std::pair{top, top}}) {
        try {
            Add(Currency{a}, Currency{b});
            ADD_FAILURE() << a << " + " << b << " did not raise";
        } catch (const Error& e) {
            EXPECT_EQ(e.Kind(), ErrorKind::Overflow);
        }
    }
}
