#include "diag/error_log.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"

namespace kv {
namespace {

// A moment of 2026.
std::tm At(int month, int day, int hour, int minute, int second) {
    return std::tm{second, minute, hour, day, month - 1, 126, 0, 0, 0, 0, nullptr};
}

// The log's lines, each ended by CR LF.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos;
         at = end + 2) {
        lines.push_back(text.substr(at, end - at));
    }
    return lines;
}

struct ErrorLogTest : ::testing::Test {
    TempDir dir;
    IntercVariables v;
    std::tm now = At(3, 7, 14, 5, 9);
    void SetUp() override {
        v.ProgramDirectory = dir.dir();
        v.ErrorLog.Now = [this] { return now; };
    }
    std::vector<std::string> Log() const { return Lines(dir.Read(kErrorLogName)); }
};

TEST_F(ErrorLogTest, FirstEntryCreatesTheBannerAndBecomesLineTwelve) {
    LogError(v, "Error Processing Command", "Decode Error", Fault{9, "Subscript out of range"});
    const auto lines = Log();
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(std::tuple(lines[7], lines[9].find("LOCATION"), lines[9].find("MESSAGE")),
              std::tuple("ZEB Intercom Keyvane Error Logfile", 25u, 60u));
    EXPECT_EQ(lines[11],
              "3/7/2026 2:05:09 PM     Decode Error                        "
              "Error Processing Command: Error #  9 - Subscript out of range");
}

// Hours 0 and 12 are 12; a date-time text of 24 characters or more is not cut, the category
// then follows at once.
TEST_F(ErrorLogTest, DatesColumnsAndNumberSigns) {
    EXPECT_EQ(DefaultDateTimeText(At(1, 2, 0, 0, 5)), "1/2/2026 12:00:05 AM");
    EXPECT_EQ(DefaultDateTimeText(At(1, 2, 12, 0, 0)), "1/2/2026 12:00:00 PM");
    EXPECT_EQ(DefaultDateTimeText(At(1, 2, 11, 10, 0)), "1/2/2026 11:10:00 AM");
    EXPECT_EQ(FormatErrorLogLine(At(12, 28, 23, 59, 59), std::string(40, 'C'), "m"),
              "12/28/2026 11:59:59 PM  " + std::string(40, 'C') + "m");
    EXPECT_EQ(FormatErrorDescription("M", Fault{0, "none"}), "M: Error #  0 - none");
    EXPECT_EQ(FormatErrorDescription("M", Fault{-2147483647 - 1, "x"}),
              "M: Error # -2147483648 - x");
}

TEST_F(ErrorLogTest, RollsOverAtTheLimitNotBelowItAndKeepsEveryArchiveOfAMinute) {
    v.ErrorLog.RolloverSize = 2000;
    CreateErrorLogFile(v);
    const std::string banner = dir.Read(kErrorLogName);
    dir.Write(kErrorLogName, banner + std::string(1999 - banner.size(), 'x'));
    LogError(v, "first", "Program Error", Fault{5, "d"});
    EXPECT_EQ(Log().at(11)[0], 'x') << "1,999 bytes: no rollover";

    now = At(3, 7, 9, 4, 0);
    char fill = 'a';
    for (const char* archive : {"Errorlog 030726 0904.txt", "Errorlog 030726 0904 (2).txt"}) {
        const std::string full = banner + std::string(2000 - banner.size(), fill++);
        dir.Write(kErrorLogName, full);
        LogError(v, "second", "Program Error", Fault{5, "d"});
        EXPECT_EQ(dir.Read(archive), full) << archive;
        EXPECT_EQ(std::tuple(Log().size(), Log().back().ends_with("second: Error #  5 - d")),
                  std::tuple(12u, true));
    }
}

// An empty log is what a write that failed after creating it leaves; a missing one is the first
// entry's case.
TEST_F(ErrorLogTest, EmptiedLogIsRecreatedWithItsBanner) {
    dir.Write(kErrorLogName, "");
    LogError(v, "three", "c", Fault{5, "d"});
    EXPECT_EQ(std::tuple(Log().size(), Log().back().ends_with("three: Error #  5 - d")),
              std::tuple(12u, true));
}

TEST_F(ErrorLogTest, AFailingLogGivesOneNestedReportThenSilence) {
    // The log path is a directory: every open fails, also the report about it.
    std::filesystem::create_directory(dir.path() / kErrorLogName);
    int reads = 0;
    v.ErrorLog.Now = [&] {
        ++reads;
        return now;
    };
    LogError(v, "Error Processing Command", "Decode Error", Fault{9, "x"});
    EXPECT_EQ(std::tuple(reads, v.ErrorLog.Depth), std::tuple(2, 0)) << "the entry and one report";
}

}  // namespace
}  // namespace kv
