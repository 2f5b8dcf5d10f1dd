#include <gtest/gtest.h>

#include "base/station_text.h"

namespace kv {
namespace {

TEST(StationText, FourDigitsWithLeadingZeros) {
    EXPECT_EQ(FourDigits(1), "0001");
    EXPECT_EQ(FourDigits(0), "0000");
    EXPECT_EQ(FourDigits(256), "0256");
    EXPECT_EQ(FourDigits(9999), "9999");
    EXPECT_EQ(FourDigits(16383), "16383");
    EXPECT_EQ(FourDigits(-5), "-0005");
}

}  // namespace
}  // namespace kv
