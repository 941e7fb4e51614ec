// The amount parser's table of accepted and refused texts.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "classlib/AmountParser.h"

namespace {

struct Accepted {
    std::u16string text;
    int32_t value;
};

bool Parse(const std::u16string& text, int32_t* value) {
    return ParseInt32(text.data(), text.size(), value);
}

class AcceptedTexts : public ::testing::TestWithParam<Accepted> {};

TEST_P(AcceptedTexts, GiveTheirValue) {
    int32_t value = 777;
    ASSERT_TRUE(Parse(GetParam().text, &value));
    EXPECT_EQ(value, GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Parser, AcceptedTexts,
    ::testing::Values(
        Accepted{u"0", 0}, Accepted{u"12345", 12345}, Accepted{u"007", 7},
        Accepted{u" 007", 7}, Accepted{u"\t42 \t", 42}, Accepted{u"+5", 5}, Accepted{u"-5", -5},
        Accepted{u"-0", 0}, Accepted{u"2147483647", INT32_MAX},
        Accepted{u"-2147483648", INT32_MIN}, Accepted{u"00000000000000000000012", 12},
        // Full-width digits, signs and the ideographic space of a Chinese input method.
        Accepted{u"\xFF11\xFF12\xFF13\xFF14\xFF15", 12345}, Accepted{u"\xFF0D\xFF18", -8},
        Accepted{u"\xFF0B" u"9", 9}, Accepted{u"\x3000" u"12\x3000", 12},
        Accepted{u"1\xFF10" u"0", 100}));

class RefusedTexts : public ::testing::TestWithParam<std::u16string> {};

TEST_P(RefusedTexts, LeaveTheValueAlone) {
    int32_t value = 777;
    EXPECT_FALSE(Parse(GetParam(), &value));
    EXPECT_EQ(value, 777);
}

INSTANTIATE_TEST_SUITE_P(
    Parser, RefusedTexts,
    ::testing::Values(
        u"", u" ", u"\x3000", u"-", u"+", u"--5", u"+-5", u"- 5", u"5-", u"abc", u"12a", u"a12",
        u"1 2", u"1,000", u"1.5", u"1e3", u"0x10", u"１２.", u"\x4E00", u"\x0661",  // Arabic-Indic one
        u"2147483648", u"-2147483649", u"4294967296", u"99999999999999999999999",
        std::u16string(u"12\0" u"3", 4), u"\xFF0D\xFF0D" u"1"));

TEST(Parser, NullTextIsRefused) {
    int32_t value = 5;
    EXPECT_FALSE(ParseInt32(nullptr, 0, &value));
    EXPECT_EQ(value, 5);
}

TEST(Parser, EveryBoundaryNeighbourParsesOrIsRefused) {
    // The edges of the range in both directions, never wrapped.
    for (long long n : {2147483645LL, 2147483646LL, 2147483647LL, 2147483648LL, 2147483649LL,
                        -2147483647LL, -2147483648LL, -2147483649LL, -2147483650LL}) {
        const std::string ascii = std::to_string(n);
        const std::u16string text(ascii.begin(), ascii.end());
        int32_t value = 0;
        const bool fits = n >= INT32_MIN && n <= INT32_MAX;
        EXPECT_EQ(Parse(text, &value), fits) << ascii;
        if (fits) {
            EXPECT_EQ(value, n);
        }
    }
}

}  // namespace
