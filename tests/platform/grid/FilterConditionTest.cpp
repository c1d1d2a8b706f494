#include "grid/FilterCondition.h"

#include <gtest/gtest.h>

namespace wc::grid {
namespace {

struct MatchCase {
    const char* filter;
    const char* value;
    bool matches;
};

class FilterConditionMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(FilterConditionMatch, matchesShownValueIgnoringCase) {
    const MatchCase c = GetParam();
    const auto condition = FilterCondition::fromText(QString::fromUtf8(c.filter));
    EXPECT_EQ(condition.matches(QString::fromUtf8(c.value).toCaseFolded()), c.matches)
        << c.filter << " against " << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FilterConditionMatch,
    ::testing::Values(
        // "%" any run, in any case
        MatchCase{"ab%", "AB12", true}, MatchCase{"ab%", "ab-7", true}, MatchCase{"ab%", "ab", true},
        MatchCase{"ab%", "xab", false}, MatchCase{"%7", "ab-7", true}, MatchCase{"%b-%", "ab-7", true},
        MatchCase{"a%%7", "ab-7", true}, MatchCase{"%", "", true}, MatchCase{"a%c%e", "abcde", true},
        MatchCase{"a%c%e", "abcdf", false},
        // "_" exactly one character
        MatchCase{"a_", "ab", true}, MatchCase{"a_", "a", false}, MatchCase{"a_", "abc", false},
        MatchCase{"_b_", "ABC", true}, MatchCase{"ș_", "Șa", true},
        // equality with the whole value, in any case
        MatchCase{"ab", "ab", true}, MatchCase{"ab", "Ab", true}, MatchCase{"ab", "AB", true},
        MatchCase{"ab", "ab12", false}, MatchCase{"ab", "xab", false}, MatchCase{"ab", "", false},
        // every other character is literal, never a regular expression
        MatchCase{"a.c", "abc", false}, MatchCase{"a.c", "A.C", true}, MatchCase{"[ab]%", "a", false},
        MatchCase{"[ab]%", "[AB] x", true}, MatchCase{"a*", "aaa", false}, MatchCase{"(x)%", "(X)y", true},
        MatchCase{"\\d", "5", false}, MatchCase{"a+b", "a+b", true}),
    [](const auto& info) { return "case" + std::to_string(info.index); });

TEST(FilterCondition, emptyTextSetsNoCondition) {
    const auto condition = FilterCondition::fromText({});
    EXPECT_FALSE(condition.isActive());
    EXPECT_TRUE(condition.matches(u"anything"));
}

TEST(FilterCondition, kindFollowsWildcards) {
    EXPECT_EQ(FilterCondition::fromText("ab%").kind(), FilterCondition::Kind::Pattern);
    EXPECT_EQ(FilterCondition::fromText("a_b").kind(), FilterCondition::Kind::Pattern);
    EXPECT_EQ(FilterCondition::fromText("ab").kind(), FilterCondition::Kind::Equal);
}

TEST(FilterCondition, pickedValueIsEqualityEvenWithWildcards) {
    const auto condition = FilterCondition::equalTo("o_cartovia%");
    EXPECT_TRUE(condition.matches(u"o_cartovia%"));
    EXPECT_FALSE(condition.matches(u"oxcartovia1"));
}

TEST(FilterCondition, describesItselfAsText) {
    EXPECT_EQ(FilterCondition::fromText("ab%").describe("nume_site"), "nume_site LIKE 'ab%'");
    EXPECT_EQ(FilterCondition::fromText("x").describe("err_la_import"), "err_la_import = 'x'");
    EXPECT_EQ(FilterCondition::fromText("d'or").describe("zel_partener"), "zel_partener = 'd''or'");
}

} // namespace
} // namespace wc::grid
