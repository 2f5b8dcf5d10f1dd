#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <vector>

#include "base/checked.h"
#include "diag/error_log.h"
#include "diag/trap.h"
#include "temp_dir.h"

namespace kv {
namespace {

// Each body's result, or minus the fault it raised.
TEST(Checked, SubscriptsAndNarrowArithmeticRaiseTheirFaults) {
    std::vector<int16_t> values{1, 2, 3};
    const std::pair<std::function<long long()>, long long> cases[] = {
        {[&] { return At(values, 2); }, 3},
        {[&] { return At(values, 3); }, -9},
        {[&] { return At(values, -1); }, -9},
        {[] { return Add16(32767, 1); }, -6},
        {[] { return Sub16(-32768, 1); }, -6},
        {[] { return Mul16(33, 1000); }, -6},
        {[] { return CInt16(3.5); }, 4},
        {[] { return CInt16(-0.5); }, 0},
        {[] { return CInt16(32767.4); }, 32767},
        {[] { return CInt16(32767.5); }, -6},
        {[] { return CInt32(1e300); }, -6},
        {[] { return CInt32(2147483648LL); }, -6},
        {[] { return CInt16(std::numeric_limits<double>::quiet_NaN()); }, -6}};
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        long long result = 0;
        const std::optional<Fault> fault = CatchFault([&] { result = cases[i].first(); });
        EXPECT_EQ(fault ? -fault->Number : result, cases[i].second) << i;
    }
}

TEST(Trap, LogsTheOperationsTextsAndReturnsFalseOnAFault) {
    TempDir dir;
    IntercVariables v;
    v.ProgramDirectory = dir.dir();
    EXPECT_TRUE(Trap(v, "m", "c", [] {}));
    std::vector<int> list;
    EXPECT_FALSE(Trap(v, "Error Labeling Buttons", "Button Error", [&] { At(list, 0) = 1; }));
    EXPECT_TRUE(dir.Read(kErrorLogName)
                    .ends_with("Button Error                        Error Labeling Buttons: Error "
                               "#  9 - Subscript out of range\r\n"));
}

}  // namespace
}  // namespace kv
