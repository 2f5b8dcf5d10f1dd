#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "state/interc_variables.h"

// The rows of the station lists of the setup and programming windows, in list order.
// The fill raises fault 9 at a station the tables do not name; the rows made so far stay.

namespace kv {

// Connected: name, "   (ch ", the 1-based station number, ")"; otherwise "Out " and the row in four
// digits.
void FillOutputRows(const IntercVariables& v, std::vector<std::string>& rows);

// The same from the input tables, with "Inpt" in place of "Out ".
void FillInputRows(const IntercVariables& v, std::vector<std::string>& rows);

// The list row of a 0-based station number through an index table; -1 when it has none.
int32_t StationRow(const std::vector<int16_t>& indexes, std::size_t rows, int16_t station);

}  // namespace kv
