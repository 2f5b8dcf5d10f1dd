#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "config_panel.h"
#include "display/button_indications.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

int TempFiles(const fs::path& dir) {
    return static_cast<int>(std::ranges::count_if(fs::directory_iterator(dir), [](const auto& e) {
        return e.path().filename().string().starts_with(kIniTempPrefix);
    }));
}

// Another panel saving in the same directory keeps its temporary file to itself.
TEST(IniWriter, StartingValuesGiveTheseExactBytesInAnOwnerOnlyFile) {
    ConfigPanel p;
    p.dir.Write(kIniFileName, "old");
    fs::permissions(p.dir.path() / kIniFileName, fs::perms::all);
    const std::string other = std::string(kIniTempPrefix) + "a1B2c3";
    p.dir.Write(other, "another panel's save in progress");
    ASSERT_TRUE(WriteIniFile(p.v));
    std::string expected =
        "[SETUP]\r\nIP Address=\r\nIP Port=1250\r\n"
        "[CONFIG]\r\nOutput=2\r\nInput=2\r\nButton Count=8\r\nStay On Top=Yes\r\n"
        "Refresh Rate=1\r\nTime Out=20\r\nFlash Rate=1000\r\nOver Hang=10\r\n"
        "[SECURITY]\r\nUser Name=\r\nPassword=\r\n";
    for (int i = 0; i < 8; ++i) {
        expected += "[BUTTON " + std::to_string(i) + "]\r\nType=0\r\nFirst=1\r\nLine 1=Button " +
                    std::to_string(i + 1) + "\r\nLine 2=\r\n";
    }
    EXPECT_EQ(p.Ini(), expected);
    EXPECT_EQ(fs::status(p.dir.path() / kIniFileName).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(p.dir.Read(other), "another panel's save in progress");
    EXPECT_EQ(TempFiles(p.dir.path()), 1);  // the other panel's only
    EXPECT_FALSE(p.dir.Exists(kErrorLogName));
}

// What was read and written again reads back the same; written once more, the same bytes.
TEST(IniWriter, WrittenFileReadsBackTheSameRecord) {
    ConfigPanel p;
    ASSERT_TRUE(p.Read("sample.ini"));
    p.v.IPPort = 65535;
    p.v.AssignedOutput = 0;
    p.v.AssignedInput = 254;
    p.v.UserName = "night shift";
    p.v.Password = "p=w,d \xe9\x7f";
    p.v.ButtonLabels[7] = {"", ""};
    p.v.ButtonTable[7].Type = kInactive;
    ASSERT_TRUE(WriteIniFile(p.v));
    ConfigPanel q;
    q.dir.Write(kIniFileName, p.Ini());
    ASSERT_TRUE(ReadIniFile(q.v, q.w));
    q.Expect("out=0;in=254;user=night shift;b7.caption=\r;b3.caption=Button 4\r");
    p.v.AssignedOutputIndex = p.v.AssignedOutput;  // as the reader sets them
    p.v.AssignedInputIndex = p.v.AssignedInput;
    LabelButtons(p.v, p.w);
    for (int i = 0; i < 8; ++i) {
        p.v.ButtonTable[i].ListCount = 1;  // every button written has its station
    }
    EXPECT_EQ(q.Settings(), p.Settings());
    ASSERT_TRUE(WriteIniFile(q.v));
    EXPECT_EQ(q.Ini(), p.Ini());
}

// Each character of the password is shifted up by its position; one that would pass 255 cannot
// be written, nor can a count beyond the button tables. The old file then stays whole.
TEST(IniWriter, PasswordIsShiftedByPositionAndUnwritableRecordsLeaveTheOldFile) {
    const struct {
        std::string password;
        int16_t count;
        std::string written;  // empty: refused with this fault
        int fault;
    } cases[] = {{"abc", 8, "Password=bdf\r\n", 0},
                 {"a\xfd", 8, "Password=b\xff\r\n", 0},  // code 253 at position 2 reaches 255
                 {"ab\xfe", 8, "", 5},
                 {"", 10, "", 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        ConfigPanel p;
        p.dir.Write(kIniFileName, "old");
        p.v.Password = c.password;
        p.v.ButtonCount = c.count;
        EXPECT_EQ(WriteIniFile(p.v), !c.written.empty());
        EXPECT_EQ(p.Ini().find("\r\n" + c.written) != std::string::npos, !c.written.empty());
        EXPECT_EQ(p.Ini() == "old", c.written.empty());
        EXPECT_EQ(p.LogCount("Error Writing ini File: Error #  " + std::to_string(c.fault) + " - "),
                  c.written.empty() ? 1 : 0);
        EXPECT_EQ(p.LogCount("File Error"), c.written.empty() ? 1 : 0);
        EXPECT_EQ(TempFiles(p.dir.path()), 0);
    }
}

TEST(IniWriter, FailingFileSystemLeavesTheOldFileWhole) {
    ConfigPanel p;
    p.dir.Write(kIniFileName, "old");
    const std::string programDirectory = p.v.ProgramDirectory;
    fs::create_directories(p.dir.path() / "sub" / kIniFileName);  // a directory cannot be replaced
    p.v.ProgramDirectory = programDirectory + "sub/";
    EXPECT_FALSE(WriteIniFile(p.v));
    EXPECT_EQ(TempFiles(p.dir.path() / "sub"), 0);
    p.v.ProgramDirectory = programDirectory + "missing/";
    EXPECT_FALSE(WriteIniFile(p.v));
    EXPECT_FALSE(p.dir.Exists("missing"));
    EXPECT_EQ(p.Ini(), "old");
}

}  // namespace
}  // namespace kv
