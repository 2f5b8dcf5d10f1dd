#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/interc_variables.h"

// The station-list sort: names ascending by byte codes, case-sensitive, with
// every exchange applied to the numbers too so each number stays with its name.

namespace kv {

// Sorts names[low..high] (both included); a failure is logged and leaves the
// lists partly sorted.
void QuickSort(IntercVariables& v, std::vector<std::string>& names, std::vector<int16_t>& numbers,
               int16_t low, int16_t high);

void SwapStrings(std::string& a, std::string& b);
void SwapIntegers(int16_t& a, int16_t& b);

}  // namespace kv
