#include "Error.h"
#include "ParseEpochStrict.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace Brisvane;

namespace {

struct Case {
    std::string text;
    std::int32_t value;
};

void ExpectRaises(const std::string& text, std::string_view separator, ErrorKind kind)
{
    try {
        const std::int32_t value = ParseEpochStrict(text, separator);
        ADD_FAILURE() << '"' << text.substr(0, 40) << "\" was read as " << value;
    } catch (const Error& e) {
        EXPECT_EQ(e.Kind(), kind) << '"' << text.substr(0, 40) << "\": " << e.what();
    }
}

}  // namespace

TEST(ParseEpochStrict, ReadsOneWholeNumber)
{
    for (const Case& k : {Case{"1600000000", 1'600'000'000}, Case{"  42  ", 42}, Case{"\t42", 42}, Case{"2.5", 2},
                          Case{"3.5", 4}, Case{"-2.5", -2}, Case{"+7", 7}, Case{"-5", -5}, Case{"0", 0},
                          Case{"1.6e9", 1'600'000'000}, Case{"1E3", 1'000}, Case{".5", 0}, Case{"1.", 1},
                          Case{"007", 7}, Case{"2147483647", 2'147'483'647}, Case{"-2147483648", -2'147'483'647 - 1}}) {
        EXPECT_EQ(ParseEpochStrict(k.text, "."), k.value) << '"' << k.text << '"';
    }
}

TEST(ParseEpochStrict, AnythingButANumberIsATypeMismatch)
{
    for (const std::string& text : std::vector<std::string>{"abc",
                                                            "12x34",
                                                            "42 abc",
                                                            "4 2",
                                                            "",
                                                            "   ",
                                                            "-",
                                                            "+-1",
                                                            "1e",
                                                            "1e+",
                                                            ".",
                                                            "1,000",
                                                            "&H10",
                                                            "0x10",
                                                            "1.2.3",
                                                            "--1",
                                                            std::string("1\0002", 3),
                                                            "1\n",
                                                            "\xEF\xBC\x91",
                                                            "nan",
                                                            "inf"}) {
        ExpectRaises(text, ".", ErrorKind::TypeMismatch);
    }
}

TEST(ParseEpochStrict, OutOfRangeIsAnOverflow)
{
    for (const std::string& text :
         std::vector<std::string>{"3000000000", "2147483648", "-2147483649", "2147483647.5", "1600000000000", "1e400",
                                  "1e99999999999999999999", std::string(10'000, '7')}) {
        ExpectRaises(text, ".", ErrorKind::Overflow);
    }
}

TEST(ParseEpochStrict, UsesTheGivenDecimalSeparator)
{
    EXPECT_EQ(ParseEpochStrict("2,5", ","), 2);
    EXPECT_EQ(ParseEpochStrict(" 1600000000,6 ", ","), 1'600'000'001);
    EXPECT_EQ(ParseEpochStrict("7\u066B5", "\u066B"), 8);  // the Arabic decimal separator, two bytes
    ExpectRaises("2.5", ",", ErrorKind::TypeMismatch);
    ExpectRaises("2,5", ".", ErrorKind::TypeMismatch);
    ExpectRaises("7\xD9\x35", "\u066B", ErrorKind::TypeMismatch);  // half of it
}

TEST(ParseEpochStrict, ErrorsNameTheTextSafely)
{
    try {
        ParseEpochStrict(std::string("12\0x\n", 5), ".");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Detail(), "\"12\\x00x\\x0A\" is not a number");
    }
    try {
        ParseEpochStrict(std::string(200, '9'), ".");
        FAIL();
    } catch (const Error& e) {
        EXPECT_EQ(e.Detail(),
                  "\"" + std::string(60, '9') + "\xE2\x80\xA6\" is outside the range -2147483648 to 2147483647");
    }
}
