#include "DateText.h"
#include "Epoch2Date.h"
#include "FixedRegionalFormat.h"

#include <gtest/gtest.h>

using namespace Brisvane;

TEST(DateText, IsTheShortDateAndTheLongTimeUnlessExactlyMidnight)
{
    const FixedRegionalFormat format;
    struct Case {
        std::int32_t epoch;
        std::int32_t offset;
        const char* text;
    };
    for (const Case c : {
             Case{1'600'000'000, 0, "2020-09-13 12:26:40"},
             Case{1, -18'000, "1969-12-31 19:00:01"},
             Case{86'400, 0, "1970-01-02"},
             Case{86'400 - 19'800, 19'800, "1970-01-02"},
             Case{2'147'483'647, 0, "2038-01-19 03:14:07"},
         }) {
        EXPECT_EQ(DateText(Epoch2Date(Currency::Widen(c.epoch), c.offset), {}, format), c.text) << c.epoch;
    }
    // Noon is a time of day like any other.
    EXPECT_EQ(DateText(SerialDate::FromDouble(25'569.5), {}, format), "1970-01-01 12:00:00");
}
