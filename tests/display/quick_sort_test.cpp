#include "display/quick_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "link_fixture.h"

namespace {

using QuickSortTest = LinkTest;

TEST_F(QuickSortTest, SortsTheRangeByByteCodesKeepingEachNumberWithItsName) {
    std::mt19937 random(20260307);
    for (int round = 0; round < 200; ++round) {
        // Few short names, some with a byte above 127: equal names and the unsigned order show.
        std::vector<std::string> names(1 + random() % 300);
        std::vector<int16_t> numbers;
        for (std::string& name : names) {
            name = std::string(random() % 3, "Aa\xe9"[random() % 3]);
            numbers.push_back(static_cast<int16_t>(numbers.size()));
        }
        const std::vector<std::string> original = names;
        const std::size_t low = random() % names.size();
        const std::size_t high = low + random() % (names.size() - low);
        kv::QuickSort(v, names, numbers, static_cast<int16_t>(low), static_cast<int16_t>(high));
        ASSERT_TRUE(std::is_sorted(names.begin() + low, names.begin() + high + 1)) << round;
        for (std::size_t k = 0; k < names.size(); ++k) {
            ASSERT_EQ(names[k], original[static_cast<std::size_t>(numbers[k])]) << round;
            ASSERT_TRUE((k >= low && k <= high) || numbers[k] == static_cast<int16_t>(k)) << round;
        }
    }
    EXPECT_EQ(LogCount(), 0);
}

}  // namespace
