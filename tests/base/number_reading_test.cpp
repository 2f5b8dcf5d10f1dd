#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "base/fault.h"
#include "base/number_reading.h"

namespace kv {
namespace {

int FaultOf(const std::function<void()>& body) {
    try {
        body();
    } catch (const Fault& fault) {
        return fault.Number;
    }
    return 0;
}

TEST(NumberReading, LeadingNumberOfTheText) {
    const std::pair<std::string, double> cases[] = {
        {"", 0},       {"42", 42},    {"  42", 42},   {"\t-7", -7}, {"+3", 3},  {"1 2", 12},
        {"- 4", -4},   {"3abc", 3},   {"2.5", 2.5},   {".5", 0.5},  {"5.", 5},  {"1.2.3", 1.2},
        {"1e3", 1000}, {"1E+2", 100}, {"25e-1", 2.5}, {"1e", 1},    {"1e+", 1}, {"1ex", 1},
        {"e5", 0},     {"-", 0},      {".", 0},       {"abc", 0},   {"1,5", 1}, {"0x10", 0},
        {"--3", 0},    {"1e-400", 0}, {"=5", 0},      {"007", 7},   {"3-2", 3}, {"1 e 2", 100},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_DOUBLE_EQ(ReadNumber(text), value) << '"' << text << '"';
    }
    EXPECT_FALSE(std::signbit(ReadNumber("-0")));
    EXPECT_TRUE(std::isinf(ReadNumber("1e400")));
    EXPECT_LT(ReadNumber("-1e400"), 0);
}

TEST(NumberReading, WholeNumbersRoundHalfToEvenAndCheckTheirWidth) {
    const std::pair<std::string, int16_t> rounded[] = {
        {"2.5", 2},         {"3.5", 4},         {"-2.5", -2},         {"2.51", 3}, {"32767", 32767},
        {"32767.4", 32767}, {"-32768", -32768}, {"-32768.5", -32768}, {"0.5", 0},  {"1.5", 2},
    };
    for (const auto& [text, value] : rounded) {
        EXPECT_EQ(ReadInt16(text), value) << text;
    }
    for (const std::string text : {"32768", "32767.5", "-32769", "1e400", "-1e400", "1e5",
                                   "999999999999999999999999999999"}) {
        EXPECT_EQ(FaultOf([&] { ReadInt16(text); }), faults::kOverflow) << text;
    }
    EXPECT_EQ(ReadInt32("2147483647"), 2147483647);
    EXPECT_EQ(ReadInt32("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(ReadInt32("70000"), 70000);
    EXPECT_EQ(FaultOf([] { ReadInt32("2147483648"); }), faults::kOverflow);
    EXPECT_EQ(FaultOf([] { ReadInt32("1e30"); }), faults::kOverflow);
}

}  // namespace
}  // namespace kv
