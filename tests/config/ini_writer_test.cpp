#include <gtest/gtest.h>

#include <filesystem>

#include "config_panel.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

const std::string kWriteFailure = "Error Writing ini File: Error # ";

fs::perms Permissions(const fs::path& file) {
    return fs::status(file).permissions() & fs::perms::all;
}

constexpr fs::perms kOwnerOnly = fs::perms::owner_read | fs::perms::owner_write;

int TempFiles(const fs::path& dir) {
    int count = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        count += entry.path().filename().string().rfind(kIniTempPrefix, 0) == 0 ? 1 : 0;
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
    EXPECT_EQ(Permissions(p.dir.path() / kIniFileName), kOwnerOnly);
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
    EXPECT_NE(p.Ini().find("Flash Rate=500\r\nOver Hang=4\r\n"), std::string::npos);
    EXPECT_NE(p.Ini().find("Stay On Top=No\r\n"), std::string::npos);

    ConfigPanel q;
    q.dir.Write(kIniFileName, p.Ini());
    ASSERT_TRUE(ReadIniFile(q.v, q.w));
    EXPECT_EQ(q.v.IPAddress, p.v.IPAddress);
    EXPECT_EQ(q.v.IPPort, p.v.IPPort);
    EXPECT_EQ(q.v.AssignedOutput, 0);
    EXPECT_EQ(q.v.AssignedInput, 254);
    EXPECT_EQ(q.v.StayOnTop, -2);
    EXPECT_EQ(q.v.RefreshRate, 40);
    EXPECT_EQ(q.v.TimeOut, 3600);
    EXPECT_EQ(q.v.FlashRate, 250);
    EXPECT_EQ(q.v.OverHang, 8);
    EXPECT_EQ(q.v.TickInterval, 250);
    EXPECT_EQ(q.v.TicksPerPoll, 160);
    EXPECT_EQ(q.v.UserName, p.v.UserName);
    EXPECT_EQ(q.v.Password, p.v.Password);
    EXPECT_EQ(q.v.ButtonTable[0].Type, kTalk);
    EXPECT_EQ(q.v.ButtonTable[0].First, 41);
    EXPECT_EQ(q.v.ButtonTable[7].Type, kInactive);
    EXPECT_EQ(q.w.Buttons[0].Caption, "Studio A\rTalk");
    EXPECT_EQ(q.w.Buttons[7].Caption, "\r");
    EXPECT_EQ(q.w.Buttons[3].Caption, "Button 4\r");

    // Written again from what was read: the same bytes.
    ASSERT_TRUE(WriteIniFile(q.v));
    EXPECT_EQ(q.Ini(), p.Ini());
}

TEST(IniWriter, PasswordIsShiftedByPosition) {
    ConfigPanel p;
    p.v.Password = "abc";
    ASSERT_TRUE(WriteIniFile(p.v));
    EXPECT_NE(p.Ini().find("\r\nPassword=bdf\r\n"), std::string::npos);

    // Code 253 at position 2 reaches exactly 255.
    p.v.Password = "a\xfd";
    ASSERT_TRUE(WriteIniFile(p.v));
    EXPECT_NE(p.Ini().find("\r\nPassword=b\xff\r\n"), std::string::npos);
}

TEST(IniWriter, UnwritableRecordLeavesTheOldFileWhole) {
    ConfigPanel p;
    ASSERT_TRUE(WriteIniFile(p.v));
    const std::string old = p.Ini();

    p.v.Password = "ab\xfe";  // 254 + 3 passes 255
    EXPECT_FALSE(WriteIniFile(p.v));
    EXPECT_EQ(p.Ini(), old);
    EXPECT_EQ(p.LogEntries(kWriteFailure + " 5 - "), 1);
    EXPECT_EQ(p.LogEntries("File Error"), 1);

    p.v.Password.clear();
    p.v.ButtonCount = 10;  // beyond the button tables
    EXPECT_FALSE(WriteIniFile(p.v));
    EXPECT_EQ(p.Ini(), old);
    EXPECT_EQ(p.LogEntries(kWriteFailure + " 9 - "), 1);
    EXPECT_EQ(TempFiles(p.dir.path()), 0);
}

TEST(IniWriter, FailingFileSystemLeavesTheOldFileWhole) {
    ConfigPanel p;
    ASSERT_TRUE(WriteIniFile(p.v));
    const std::string old = p.Ini();
    p.v.UserName = "changed";

    fs::create_directory(p.dir.path() / "sub");
    fs::create_directory(p.dir.path() / "sub" / kIniFileName);  // a directory cannot be replaced
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
    EXPECT_EQ(Permissions(p.dir.path() / kIniFileName), kOwnerOnly);
    EXPECT_EQ(p.Ini().substr(0, 9), "[SETUP]\r\n");
    for (const std::string& other : others) {
        EXPECT_EQ(p.dir.Read(other), "another panel's save in progress") << other;
    }
    EXPECT_EQ(TempFiles(p.dir.path()), 1);  // the other panel's only
}

}  // namespace
}  // namespace kv
