#include <gtest/gtest.h>

#include <vector>

#include "base/checked.h"
#include "diag/error_log.h"
#include "diag/trap.h"
#include "temp_dir.h"

namespace kv {
namespace {

int32_t FaultOf(auto&& body) {
    try {
        body();
    } catch (const Fault& f) {
        return f.Number;
    }
    return 0;
}

TEST(Checked, SubscriptsAndSixteenBitArithmeticRaiseTheirFaults) {
    std::vector<int16_t> values{1, 2, 3};
    EXPECT_EQ(At(values, 2), 3);
    EXPECT_EQ(FaultOf([&] { At(values, 3); }), 9);
    EXPECT_EQ(FaultOf([&] { At(values, -1); }), 9);

    EXPECT_EQ(Add16(32766, 1), 32767);
    EXPECT_EQ(FaultOf([] { Add16(32767, 1); }), 6);
    EXPECT_EQ(FaultOf([] { Mul16(33, 1000); }), 6);
    EXPECT_EQ(Mul16(32, 1000), 32000);
    EXPECT_EQ(FaultOf([] { Sub16(-32768, 1); }), 6);

    EXPECT_EQ(CInt16(2.5), 2);
    EXPECT_EQ(CInt16(3.5), 4);
    EXPECT_EQ(CInt16(-0.5), 0);
    EXPECT_EQ(CInt16(32767.4), 32767);
    EXPECT_EQ(FaultOf([] { CInt16(32767.5); }), 6);
    EXPECT_EQ(FaultOf([] { CInt32(1e300); }), 6);
    EXPECT_EQ(FaultOf([] { CInt16(std::numeric_limits<double>::quiet_NaN()); }), 6);
}

TEST(Trap, LogsTheOperationsTextsAndReturnsFalseOnAFault) {
    TempDir dir;
    IntercVariables v;
    v.ProgramDirectory = dir.dir();
    std::vector<int> list;
    const bool ok = Trap(v, "Error Labeling Buttons", "Button Error", [&] { At(list, 0) = 1; });
    EXPECT_FALSE(ok);
    const std::string log = dir.Read(kErrorLogName);
    EXPECT_NE(log.find("Button Error"), std::string::npos);
    EXPECT_NE(log.find("Error Labeling Buttons: Error #  9 - Subscript out of range\r\n"),
              std::string::npos);

    EXPECT_TRUE(Trap(v, "m", "c", [] {}));
}

}  // namespace
}  // namespace kv
