#include <gtest/gtest.h>

#include <random>

#include "diag/error_log.h"
#include "display/quick_sort.h"
#include "temp_dir.h"

namespace kv {
namespace {

// The partition sort as described, with both parts sorted by plain recursion.
void ReferenceSort(std::vector<std::string>& names, std::vector<int16_t>& numbers, int low,
                   int high) {
    const std::string pivot = names[(low + high) / 2];
    int i = low;
    int j = high;
    do {
        while (names[i] < pivot) {
            ++i;
        }
        while (names[j] > pivot) {
            --j;
        }
        if (i <= j) {
            std::swap(names[i], names[j]);
            std::swap(numbers[i], numbers[j]);
            ++i;
            --j;
        }
    } while (i <= j);
    if (low < j) {
        ReferenceSort(names, numbers, low, j);
    }
    if (i < high) {
        ReferenceSort(names, numbers, i, high);
    }
}

std::vector<int16_t> Numbered(std::size_t count) {
    std::vector<int16_t> numbers(count);
    for (std::size_t k = 0; k < count; ++k) {
        numbers[k] = static_cast<int16_t>(k + 1);
    }
    return numbers;
}

class QuickSortTest : public ::testing::Test {
protected:
    void SetUp() override { v.ProgramDirectory = dir.dir(); }
    TempDir dir;
    IntercVariables v;
};

TEST_F(QuickSortTest, SortsByByteCodesAndCarriesTheNumbers) {
    std::vector<std::string> names{"b", "A", "a", "B"};
    std::vector<int16_t> numbers{1, 2, 3, 4};
    QuickSort(v, names, numbers, 0, 3);
    EXPECT_EQ(names, (std::vector<std::string>{"A", "B", "a", "b"}));
    EXPECT_EQ(numbers, (std::vector<int16_t>{2, 4, 3, 1}));

    std::vector<std::string> mixed{"alpha", "\xe9t\xe9", "Zulu", "abc", "ab", "", "z"};
    std::vector<int16_t> mixedNumbers = Numbered(mixed.size());
    QuickSort(v, mixed, mixedNumbers, 0, 6);
    EXPECT_EQ(mixed,
              (std::vector<std::string>{"", "Zulu", "ab", "abc", "alpha", "z", "\xe9t\xe9"}));
    EXPECT_EQ(mixedNumbers, (std::vector<int16_t>{6, 3, 5, 4, 1, 7, 2}));

    std::vector<std::string> one{"only"};
    std::vector<int16_t> oneNumber{9};
    QuickSort(v, one, oneNumber, 0, 0);
    EXPECT_EQ(one, std::vector<std::string>{"only"});
    EXPECT_EQ(oneNumber, std::vector<int16_t>{9});

    // Only the range given is sorted.
    std::vector<std::string> part{"d", "c", "b", "a"};
    std::vector<int16_t> partNumbers = Numbered(4);
    QuickSort(v, part, partNumbers, 1, 2);
    EXPECT_EQ(part, (std::vector<std::string>{"d", "b", "c", "a"}));
    EXPECT_FALSE(dir.Exists(kErrorLogName));
}

TEST_F(QuickSortTest, MakesTheSameExchangesAsTheRecursiveSort) {
    std::mt19937 random(20260307);
    for (int round = 0; round < 200; ++round) {
        const std::size_t count = 1 + random() % 300;
        std::vector<std::string> names(count);
        for (std::string& name : names) {
            // Few distinct names, so that equal names show the order exchanges leave them in.
            name = std::string(1, static_cast<char>('A' + random() % 6)) +
                   std::string(random() % 2, static_cast<char>('a' + random() % 3));
        }
        std::vector<int16_t> numbers = Numbered(count);
        std::vector<std::string> expectedNames = names;
        std::vector<int16_t> expectedNumbers = numbers;
        ReferenceSort(expectedNames, expectedNumbers, 0, static_cast<int>(count) - 1);
        QuickSort(v, names, numbers, 0, static_cast<int16_t>(count - 1));
        ASSERT_EQ(names, expectedNames) << round;
        ASSERT_EQ(numbers, expectedNumbers) << round;
    }
}

TEST_F(QuickSortTest, BadRangesAreReportedOnce) {
    std::vector<std::string> names{"c", "b", "a"};
    std::vector<int16_t> numbers{1, 2};  // one short
    QuickSort(v, names, numbers, 0, 2);
    std::vector<int16_t> enough{1, 2, 3};
    QuickSort(v, names, enough, 0, 5);
    QuickSort(v, names, enough, -1, 2);
    const std::string log = dir.Read(kErrorLogName);
    std::size_t entries = 0;
    for (auto at = log.find("Quick Sort Error: Error #  9"); at != std::string::npos;
         at = log.find("Quick Sort Error", at + 1)) {
        ++entries;
    }
    EXPECT_EQ(entries, 3u);
    EXPECT_NE(log.find("Sort Error"), std::string::npos);
}

}  // namespace
}  // namespace kv
