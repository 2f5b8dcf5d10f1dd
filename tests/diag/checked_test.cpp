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

TEST(Checked, SubscriptsAndNarrowArithmeticRaiseTheirFaults) {
    std::vector<int16_t> values{1, 2, 3};
    const std::function<long long()> fine[] = {[&] { return At(values, 2) - 3; },
                                               [] { return Add16(32766, 1) - 32767; },
                                               [] { return Mul16(32, 1000) - 32000; },
                                               [] { return CInt16(2.5) - 2; },
                                               [] { return CInt16(3.5) - 4; },
                                               [] { return CInt16(-0.5); },
                                               [] { return CInt16(32767.4) - 32767; },
                                               [] { return CInt16(-32768.5) + 32768; },
                                               [] { return CInt32(2147483647LL) - 2147483647; }};
    for (std::size_t i = 0; i < std::size(fine); ++i) {
        EXPECT_EQ(fine[i](), 0) << i;
    }
    const std::pair<std::function<void()>, int> faulty[] = {
        {[&] { At(values, 3); }, 9},
        {[&] { At(values, -1); }, 9},
        {[] { Add16(32767, 1); }, 6},
        {[] { Sub16(-32768, 1); }, 6},
        {[] { Mul16(33, 1000); }, 6},
        {[] { CInt16(32767.5); }, 6},
        {[] { CInt32(1e300); }, 6},
        {[] { CInt32(2147483648LL); }, 6},
        {[] { CInt16(std::numeric_limits<double>::quiet_NaN()); }, 6}};
    for (std::size_t i = 0; i < std::size(faulty); ++i) {
        const std::optional<Fault> fault = CatchFault(faulty[i].first);
        EXPECT_EQ(fault ? fault->Number : 0, faulty[i].second) << i;
    }
}

TEST(Trap, LogsTheOperationsTextsAndReturnsFalseOnAFault) {
    TempDir dir;
    IntercVariables v;
    v.ProgramDirectory = dir.dir();
    EXPECT_TRUE(Trap(v, "m", "c", [] {}));
    std::vector<int> list;
    EXPECT_FALSE(Trap(v, "Error Labeling Buttons", "Button Error", [&] { At(list, 0) = 1; }));
    const std::string log = dir.Read(kErrorLogName);
    EXPECT_NE(log.find("Button Error"), std::string::npos);
    EXPECT_NE(log.find("Error Labeling Buttons: Error #  9 - Subscript out of range\r\n"),
              std::string::npos);
    EXPECT_EQ(log.find("m: Error"), std::string::npos);
}

}  // namespace
}  // namespace kv
