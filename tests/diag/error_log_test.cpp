#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <vector>

#include "diag/error_log.h"
#include "diag/trap.h"
#include "temp_dir.h"

namespace kv {
namespace {

std::tm At(int year, int month, int day, int hour, int minute, int second) {
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    return t;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "every line ends in CR LF";
        if (end == std::string::npos) {
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

class ErrorLogTest : public ::testing::Test {
protected:
    void SetUp() override {
        v.ProgramDirectory = dir.dir();
        v.ErrorLog.Now = [this] { return now; };
    }
    TempDir dir;
    IntercVariables v;
    std::tm now = At(2026, 3, 7, 14, 5, 9);
};

TEST_F(ErrorLogTest, FirstEntryCreatesTheBannerAndBecomesLineTwelve) {
    LogError(v, "Error Processing Command", "Decode Error", Fault{9, "Subscript out of range"});
    const auto lines = Lines(dir.Read(kErrorLogName));
    ASSERT_EQ(lines.size(), 12u);
    EXPECT_EQ(lines[0].substr(0, 13), std::string(13, ' '));
    EXPECT_EQ(lines[0].size(), 63u);
    EXPECT_EQ(lines[1], "");
    for (int i : {2, 3, 4}) {
        EXPECT_EQ(lines[i].substr(0, 19), std::string(19, ' '));
        EXPECT_NE(lines[i][19], ' ');
    }
    EXPECT_NE(lines[4].find(" - "), std::string::npos);
    EXPECT_EQ(lines[7], "ZEB Intercom Keyvane Error Logfile");
    const std::string& header = lines[9];
    EXPECT_EQ(header.size(), 79u);
    EXPECT_EQ(header.find("DATE"), 1u);
    EXPECT_EQ(header.find("TIME"), 10u);
    EXPECT_EQ(header.find("LOCATION"), 25u);
    EXPECT_EQ(header.find("MESSAGE"), 60u);
    EXPECT_EQ(lines[10], std::string(80, '-'));
    EXPECT_EQ(lines[11],
              "3/7/2026 2:05:09 PM     Decode Error                        "
              "Error Processing Command: Error #  9 - Subscript out of range");
}

TEST_F(ErrorLogTest, ColumnsHoldForTheLongestCategoryAndLongDates) {
    const std::string line = FormatErrorLogLine(now, "Switcher Buffer Error", "text");
    EXPECT_EQ(line.find("Switcher Buffer Error"), 24u);
    EXPECT_EQ(line.substr(60), "text");

    // A date-time text of 24 characters or more is not cut; the category follows at once.
    const std::tm late = At(2026, 12, 28, 23, 59, 59);
    const std::string date = DefaultDateTimeText(late);
    EXPECT_EQ(date, "12/28/2026 11:59:59 PM");
    const std::string longCategory(40, 'C');
    const std::string wide = FormatErrorLogLine(late, longCategory, "m");
    EXPECT_EQ(wide, date + "  " + longCategory + "m");
}

TEST_F(ErrorLogTest, NumberSignTakesOneColumn) {
    EXPECT_EQ(FormatErrorDescription("M", Fault{6, "Overflow"}), "M: Error #  6 - Overflow");
    EXPECT_EQ(FormatErrorDescription("M", Fault{-2147483647 - 1, "x"}),
              "M: Error # -2147483648 - x");
    EXPECT_EQ(FormatErrorDescription("M", Fault{0, "none"}), "M: Error #  0 - none");
}

TEST_F(ErrorLogTest, RollsOverAtTheLimitNotBelowItAndKeepsEveryArchiveOfAMinute) {
    v.ErrorLog.RolloverSize = 2000;
    CreateErrorLogFile(v);
    const std::string banner = dir.Read(kErrorLogName);
    dir.Write(kErrorLogName, banner + std::string(1999 - banner.size(), 'x'));
    LogError(v, "first", "Program Error", Fault{5, "d"});
    EXPECT_FALSE(dir.Exists("Errorlog 030726 1405.txt")) << "1,999 bytes: no rollover";

    // Exactly 2,000 bytes, twice within one minute: two archives.
    now = At(2026, 3, 7, 9, 4, 0);
    char fill = 'a';
    for (const char* archive : {"Errorlog 030726 0904.txt", "Errorlog 030726 0904 (2).txt"}) {
        const std::string full = banner + std::string(2000 - banner.size(), fill++);
        dir.Write(kErrorLogName, full);
        LogError(v, "second", "Program Error", Fault{5, "d"});
        EXPECT_EQ(dir.Read(archive), full) << archive;
        const auto lines = Lines(dir.Read(kErrorLogName));
        ASSERT_EQ(lines.size(), 12u);
        EXPECT_NE(lines[11].find("second"), std::string::npos);
    }
}

TEST_F(ErrorLogTest, DeletedOrEmptiedLogIsRecreatedWithItsBanner) {
    for (const bool emptied : {false, true}) {
        LogError(v, "one", "c", Fault{5, "d"});
        if (emptied) {
            dir.Write(kErrorLogName, "");  // as a write that failed after creating it leaves it
        } else {
            std::filesystem::remove(dir.path() / kErrorLogName);
        }
        LogError(v, "two", "c", Fault{5, "d"});
        const auto lines = Lines(dir.Read(kErrorLogName));
        ASSERT_EQ(lines.size(), 12u) << emptied;
        EXPECT_NE(lines[11].find("two"), std::string::npos);
    }
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
    EXPECT_EQ(reads, 2) << "the entry and one report about it";
    EXPECT_EQ(v.ErrorLog.Depth, 0);
}

}  // namespace
}  // namespace kv
