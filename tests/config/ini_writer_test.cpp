#include <gtest/gtest.h>

#include <filesystem>

#include "config_panel.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

const std::string kWriteFailure = "Error Writing ini File: Error # ";

bool OwnerOnly(const fs::path& file) {
    return (fs::status(file).permissions() & fs::perms::all) ==
           (fs::perms::owner_read | fs::perms::owner_write);
}

int TempFiles(const fs::path& dir) {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        count += entry.path().filename().string().starts_with(kIniTempPrefix) ? 1 : 0;
    }
    return count;
}

TEST(IniWriter, StartingValuesGiveTheseExactBytes) {
    ConfigPanel p;
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
    EXPECT_TRUE(OwnerOnly(p.dir.path() / kIniFileName));
    EXPECT_EQ(TempFiles(p.dir.path()), 0);
    EXPECT_FALSE(p.dir.Exists(kErrorLogName));
}

TEST(IniWriter, WrittenFileReadsBackTheSameRecord) {
    ConfigPanel p;
    p.v.IPAddress = "10.1.2.3";
    p.v.IPPort = 65535;
    p.v.AssignedOutput = 0;
    p.v.AssignedInput = 254;
    p.v.StayOnTop = -2;
    p.v.RefreshRate = 40;
    p.v.TimeOut = 3600;
    p.v.FlashRate = 250;
    p.v.OverHang = 8;
    p.v.UserName = "night shift";
    p.v.Password = "p=w,d \xe9\x7f";
    p.v.ButtonTable[0] = ButtonRecord{kTalk, 41, kFalse, 0, 1, {}, 0};
    p.v.ButtonTable[7] = ButtonRecord{kInactive, 0, kFalse, 0, 1, {}, 0};
    p.v.ButtonLabels[0] = {"Studio A", "Talk"};
    p.v.ButtonLabels[7] = {"", ""};
    ASSERT_TRUE(WriteIniFile(p.v));
    EXPECT_NE(p.Ini().find("Stay On Top=No\r\nRefresh Rate=40\r\nTime Out=3600\r\n"
                           "Flash Rate=500\r\nOver Hang=4\r\n"),
              std::string::npos);

    ConfigPanel q;
    q.dir.Write(kIniFileName, p.Ini());
    ASSERT_TRUE(ReadIniFile(q.v, q.w));
    q.Expect(
        "addr=10.1.2.3;port=65535;out=0;in=254;top=-2;refresh=40;timeout=3600;flash=250;hang=8;"
        "tick=250;ticks=160;user=night shift;pw=p=w,d \xe9\x7f;b0.type=2;b0.first=41;b7.type=255;"
        "b0.caption=Studio A\rTalk;b7.caption=\r;b3.caption=Button 4\r");

    // Written again from what was read: the same bytes.
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
    } cases[] = {
        {"abc", 8, "Password=bdf\r\n", 0},
        {"a\xfd", 8, "Password=b\xff\r\n", 0},  // code 253 at position 2 reaches 255
        {"ab\xfe", 8, "", 5},
        {"", 10, "", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.password);
        ConfigPanel p;
        ASSERT_TRUE(WriteIniFile(p.v));
        const std::string old = p.Ini();
        p.v.Password = c.password;
        p.v.ButtonCount = c.count;
        EXPECT_EQ(WriteIniFile(p.v), !c.written.empty());
        if (c.written.empty()) {
            EXPECT_EQ(p.Ini(), old);
            EXPECT_EQ(p.LogEntries(kWriteFailure + " " + std::to_string(c.fault) + " - "), 1);
            EXPECT_EQ(p.LogEntries("File Error"), 1);
        } else {
            EXPECT_NE(p.Ini().find("\r\n" + c.written), std::string::npos);
        }
        EXPECT_EQ(TempFiles(p.dir.path()), 0);
    }
}

TEST(IniWriter, FailingFileSystemLeavesTheOldFileWhole) {
    ConfigPanel p;
    ASSERT_TRUE(WriteIniFile(p.v));
    const std::string old = p.Ini();
    p.v.UserName = "changed";

    fs::create_directories(p.dir.path() / "sub" / kIniFileName);  // a directory cannot be replaced
    const std::string programDirectory = p.v.ProgramDirectory;
    p.v.ProgramDirectory = programDirectory + "sub/";
    EXPECT_FALSE(WriteIniFile(p.v));
    EXPECT_EQ(TempFiles(p.dir.path() / "sub"), 0);

    p.v.ProgramDirectory = programDirectory + "missing/";
    EXPECT_FALSE(WriteIniFile(p.v));
    EXPECT_FALSE(p.dir.Exists("missing"));

    p.v.ProgramDirectory = programDirectory;
    EXPECT_EQ(p.Ini(), old);
    EXPECT_TRUE(WriteIniFile(p.v));
    EXPECT_NE(p.Ini().find("User Name=changed\r\n"), std::string::npos);
}

// Another panel saving in the same directory keeps its temporary file to itself.
TEST(IniWriter, FileIsOwnerOnlyAndOtherSavesInProgressAreLeftAlone) {
    ConfigPanel p;
    p.dir.Write(kIniFileName, "old");
    fs::permissions(p.dir.path() / kIniFileName, fs::perms::all);
    const std::string others[] = {"zebntpnl.ini.tmp", std::string(kIniTempPrefix) + "a1B2c3"};
    for (const std::string& other : others) {
        p.dir.Write(other, "another panel's save in progress");
    }
    ASSERT_TRUE(WriteIniFile(p.v));
    EXPECT_TRUE(OwnerOnly(p.dir.path() / kIniFileName));
    EXPECT_TRUE(p.Ini().starts_with("[SETUP]\r\n"));
    for (const std::string& other : others) {
        EXPECT_EQ(p.dir.Read(other), "another panel's save in progress") << other;
    }
    EXPECT_EQ(TempFiles(p.dir.path()), 1);  // the other panel's only
}

}  // namespace
}  // namespace kv
