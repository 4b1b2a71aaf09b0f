// Text-to-number conversion of the configuration dialog.
#include <gtest/gtest.h>

#include <limits.h>

#include "number_text.h"

namespace {

TEST(NumberTextTest, ReadsSignAndDigitsAfterWhiteSpaceUpToTheFirstOtherCharacter)
{
    struct Case {
        const char* text;
        LONG number;
    } cases[] = {{"42", 42},      {"  42", 42},   {"\t\r\n\v\f7", 7}, {"-5", -5},     {"+8", 8},
                 {"12abc", 12},   {"3 4", 3},     {"0", 0},           {"007", 7},     {"", 0},
                 {"abc", 0},      {"-", 0},       {"+", 0},           {"--5", 0},     {"+-5", 0},
                 {"- 5", 0},      {"\xA0" "5", 0}, {"\xE9", 0},       {"-0", 0},      {"5-", 5},
                 {"2147483647", LONG_MAX},        {"-2147483648", LONG_MIN},          {"2147483646", 2147483646}};
    for (const auto& c : cases)
        EXPECT_EQ(c.number, ParseNumber(c.text)) << "\"" << c.text << "\"";
}

// Digits beyond the LONG range hold at its ends: a wrapped value could land
// inside 1-100 and be taken for what the user typed.
TEST(NumberTextTest, NumbersBeyondTheRangeHoldAtItsEnds)
{
    struct Case {
        const char* text;
        LONG number;
    } cases[] = {{"2147483648", LONG_MAX},
                 {"4294967297", LONG_MAX},
                 {"4294967338", LONG_MAX},  // would wrap to 42
                 {"99999999999999999999999999999999999999", LONG_MAX},
                 {"-2147483649", LONG_MIN},
                 {"-4294967254", LONG_MIN},  // would wrap to 42
                 {"-99999999999999999999999999999999999999", LONG_MIN},
                 {"00000000000000000000000000000000000000000042", 42}};
    for (const auto& c : cases)
        EXPECT_EQ(c.number, ParseNumber(c.text)) << "\"" << c.text << "\"";
}

}  // namespace
