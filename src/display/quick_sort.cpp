#include "display/quick_sort.h"

#include <string_view>
#include <utility>

#include "base/checked.h"
#include "diag/trap.h"

namespace kv {
namespace {

// Byte codes as unsigned values: string_view compares through char_traits, which does so.
int Compare(std::string_view a, std::string_view b) {
    return a.compare(b);
}

// The two parts left by a partition are disjoint, so sorting the smaller one
// first and looping on the larger gives the same exchanges as two recursive
// calls, with a depth of at most log2 of the count.
void SortRange(std::vector<std::string>& names, std::vector<int16_t>& numbers, int low, int high) {
    while (low < high) {
        const std::string pivot = At(names, (low + high) / 2);
        int i = low;
        int j = high;
        do {
            while (Compare(At(names, i), pivot) < 0) {
                ++i;
            }
            while (Compare(At(names, j), pivot) > 0) {
                --j;
            }
            if (i <= j) {
                SwapStrings(At(names, i), At(names, j));
                SwapIntegers(At(numbers, i), At(numbers, j));
                ++i;
                --j;
            }
        } while (i <= j);
        if (j - low < high - i) {
            SortRange(names, numbers, low, j);
            low = i;
        } else {
            SortRange(names, numbers, i, high);
            high = j;
        }
    }
}

}  // namespace

void QuickSort(IntercVariables& v, std::vector<std::string>& names, std::vector<int16_t>& numbers,
               int16_t low, int16_t high) {
    Trap(v, "Quick Sort Error", "Sort Error", [&] { SortRange(names, numbers, low, high); });
}

void SwapStrings(std::string& a, std::string& b) {
    std::swap(a, b);
}

void SwapIntegers(int16_t& a, int16_t& b) {
    std::swap(a, b);
}

}  // namespace kv
