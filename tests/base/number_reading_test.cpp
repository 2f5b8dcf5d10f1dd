#include "base/number_reading.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "base/fault.h"
#include "base/station_text.h"

namespace kv {
namespace {

TEST(NumberReading, LeadingNumberOfTheTextWithBlanksLeftOut) {
    const std::pair<std::string, double> cases[] = {
        {"", 0},        {"  42", 42}, {"\t-7", -7}, {"+3", 3},      {"1 2", 12},
        {"3abc", 3},    {".5", 0.5},  {"5.", 5},    {"1.2.3", 1.2}, {"1E+2", 100},
        {"25e-1", 2.5}, {"1e+", 1},   {"1ex", 1},   {"e5", 0},      {"-", 0},
        {".", 0},       {"1,5", 1},   {"--3", 0},   {"1e-400", 0},  {"1 e 2", 100}};
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(ReadNumber(text), value) << '"' << text << '"';
    }
    EXPECT_FALSE(std::signbit(ReadNumber("-0")));
    EXPECT_TRUE(std::isinf(ReadNumber("1e400")));
    EXPECT_LT(ReadNumber("-1e400"), 0);
}

// Whole numbers round half to even; one that does not fit raises Overflow.
TEST(NumberReading, WholeNumbersRoundHalfToEvenAndCheckTheirWidth) {
    const std::pair<std::string, long long> cases[] = {
        {"2.5", 2},           {"3.5", 4},      {"-2.5", -2},   {"2.51", 3},   {"32767.4", 32767},
        {"-32768.5", -32768}, {"32767.5", -6}, {"-32769", -6}, {"1e400", -6}, {"-1e400", -6}};
    for (const auto& [text, value] : cases) {
        try {
            EXPECT_EQ(ReadInt16(text), value) << text;
        } catch (const Fault& fault) {
            EXPECT_EQ(-fault.Number, value) << text;  // -6: Overflow
        }
    }
    EXPECT_EQ(ReadInt32("2147483647"), 2147483647);
    EXPECT_THROW(ReadInt32("2147483648"), Fault);
    EXPECT_THROW(ReadInt32("1e30"), Fault);
}

TEST(StationText, FourDigitsWithLeadingZeros) {
    const std::pair<long, std::string> cases[] = {{1, "0001"},    {0, "0000"},      {256, "0256"},
                                                  {9999, "9999"}, {16383, "16383"}, {-5, "-0005"}};
    for (const auto& [n, text] : cases) {
        EXPECT_EQ(FourDigits(n), text);
    }
}

}  // namespace
}  // namespace kv
