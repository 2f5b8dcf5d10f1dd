#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>

#include <filesystem>

#include "config_panel.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

const std::string kReadFailure = "Error Reading ini file: Error # ";

// Each row: the file's lines, then "name=value;..." as ConfigPanel::Expect reads it.
void ExpectRows(const std::vector<std::pair<std::string, std::string>>& rows) {
    for (const auto& [lines, expected] : rows) {
        SCOPED_TRACE(lines);
        ConfigPanel p;
        ASSERT_TRUE(p.Read(lines));
        p.Expect(expected);
        EXPECT_FALSE(p.dir.Exists(kBadIniFileName));
    }
}

TEST(IniReader, MissingFileChangesNothingAndLogsNothing) {
    ConfigPanel p;
    p.w.WindowOrder = 5;
    EXPECT_FALSE(ReadIniFile(p.v, p.w));
    p.Expect("port=1250;out=1;b0.caption=Button 1;order=5");
    EXPECT_FALSE(p.dir.Exists(kErrorLogName));
    EXPECT_FALSE(p.dir.Exists(kBadIniFileName));
}

// Leading numbers rounded half to even, values cut to their length, limits and defaults.
TEST(IniReader, EntriesAreReadCutAndClamped) {
    const std::string n50(50, 'n');
    ExpectRows(
        {{"Output=0\nInput=-5\nIP Address=\nStay On Top=Yes\nUser Name=" + n50 + "nn",
          "out=0;outIdx=0;in=0;addr=127.0.0.1;top=-1;order=-1;user=" + n50},
         {"Output=3\nInput= 3abc\nStay On Top=yes\nFlash Rate=7\n"
          "IP Address=123456789012345678901234567890",
          "out=2;outIdx=2;in=2;inIdx=2;top=-2;order=-2;flash=4;addr=1234567890123456789012345"},
         {"Output=2.5\nInput=3.5\nStay On Top=Yes \nFlash Rate=32767",
          "out=1;in=3;inIdx=3;top=-2;flash=16384"},
         {"Output=1e1\nInput=abc\nStay On Top=Yesterday", "out=9;in=0;top=-2"},
         {"Output\nInput=5", "out=0;in=4;inIdx=4"},
         {"IP Port=0\nRefresh Rate=0\nTime Out=0\nFlash Rate=-3",
          "port=1250;refresh=1;timeout=1;flash=1;tick=500"},  // no "Over Hang": timers stay
         {"IP Port=70000\nRefresh Rate=32767\nTime Out=5000\nOver Hang=0",
          "port=70000;refresh=32500;timeout=3600;hang=2;tick=500;ticks=65000"},
         {"Refresh Rate=32500\nFlash Rate=2\nOver Hang=1", "tick=1;ticks=32500000"},
         // A poll rate below the flash half-period sets the tick.
         {"Refresh Rate=1\nFlash Rate=3000\nOver Hang=1", "tick=1000;ticks=1;poll=1000"},
         {"refresh_40.ini", "refresh=40;tick=500;ticks=80;user=after"},
         {"refresh_3600.ini", "tick=500;ticks=7200;poll=500"},
         {"mixed_line_ends.ini", "addr=10.0.0.1;port=99;out=1"},
         // Button Count re-creates the table; buttons beyond it are not relabelled.
         {"[BUTTON 5]\nType=2\nFirst=1\nLine 1=\nLine 2=\nButton Count=-1",
          "count=8;buttons=9;b5.type=0"},
         {"Button Count=3", "buttons=4;labels=9;b3.caption=Button 4"}});
}

TEST(IniReader, KeysMatchByExactPrefixAndButtonBlocksByPosition) {
    ExpectRows(
        {{"empty.ini", "b0.caption=Button 1\r;b7.caption=Button 8\r;order=-1;tick=500;buttons=9"},
         {"sample.ini",
          "addr=192.168.10.20;port=4100;out=2;outIdx=2;in=4;inIdx=4;count=8;top=-2;order=-2;"
          "refresh=2;timeout=30;flash=200;hang=6;tick=200;ticks=10;poll=200;user=operator;pw=abc;"
          "b0.type=2;b0.first=3;b0.list=1;b0.caption=Studio\rTalk;b1.caption=Control\r;"
          // Inactive with empty lines takes them; empty lines on another type keep the caption.
          "b2.type=255;b2.caption=\r;b2.grey=yes;b3.type=1;b3.first=1;b3.caption=Button 4\r;"
          "b4.list=0;labels=9"},
         // A block before any section; "Input" is not "IP ..."; case and blanks matter; the
         // character after the key is skipped unread.
         {"[BUTTON 0]\nType=3\nFirst=2\nLine 1=\nLine 2=\nInput=3\nOutput=9\n[junk]\ninput=40\n"
          " Output=7\nOutput 6\nIP Port=99\nPassword=",
          "in=2;out=5;port=99;addr=;pw=;b0.type=3;b0.first=1"},
         {"Outputs=5\nIP Portal=8\nInputs are here", "out=0;port=1250;in=0"},
         {"[BUTTON 1]\nType=00002\nFirst=000047\nLine 1=ABCDEFGHIJ\nLine 2=12345678X",
          "b1.type=2;b1.first=3;b1.line1=ABCDEFGH;b1.caption=ABCDEFGH\r12345678"},
         {"[BUTTON 12]\nType=2\nFirst=3\nLine 1=One\nLine 2=Two\n"    // one digit: button 1
          "[BUTTON 4]\nOutput=9\nFrst=5\nLine 1=Four\nUser Name=x\n"  // wrong keys passed over
          "[BUTTON 5]\nType=0\nFirst=2\nNote\nLine 2=Five\n"
          "[BUTTON 6]\nType=2.5\nFirst=0\nLine 1=\nLine 2=\n"
          "[BUTTON 7]\nType=255\nFirst=1\nLine 1=\nLine 2=",
          "b1.type=2;b1.first=2;b1.caption=One\rTwo;out=1;user=;b4.list=0;b4.caption=Four\r;"
          "b5.caption=Button 6\rFive;b5.first=1;b6.type=2;b6.first=0;b6.list=1;"
          "b6.caption=Button 7\r;b6.grey=no;b7.caption=\r;b7.grey=yes"}});
}

// Each bad file: the read fails, is logged once with its fault, earlier entries stay, later ones
// are not read, nothing is applied and an owner-only copy replaces any older one.
TEST(IniReader, FailuresStopTheReadAndKeepACopy) {
    const struct {
        std::string lines;
        int fault;
        std::string expected;
    } cases[] = {{"number_too_wide.ini", 6, "in=6;out=1"},
                 {"header_last.ini", 62, "out=3;b3.caption=Button 4"},
                 {"block_cut_short.ini", 62, "b2.type=2;b2.line1=Button 3"},
                 {"type_out_of_range.ini", 6, ""},
                 {"button_beyond_table.ini", 9, ""},
                 {"password_below_zero.ini", 5, ""},
                 {"Time Out=1e400\nUser Name=never", 6, "timeout=20"},
                 {"Time Out=-1e400", 6, "timeout=20"},
                 {"Over Hang=16384", 6, "hang=20"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        ConfigPanel p;
        p.dir.Write(kBadIniFileName, std::string(500, 'o'));
        fs::permissions(p.dir.path() / kBadIniFileName, fs::perms::all);
        EXPECT_FALSE(p.Read(c.lines));
        EXPECT_EQ(std::tuple(p.LogCount(kReadFailure), p.LogCount("file Error"),
                             p.LogCount(kReadFailure + " " + std::to_string(c.fault) + " - ")),
                  std::tuple(1, 1, 1));
        EXPECT_EQ(p.dir.Read(kBadIniFileName), p.Ini());  // the original stays for the next save
        EXPECT_EQ(fs::status(p.dir.path() / kBadIniFileName).permissions() & fs::perms::all,
                  fs::perms::owner_read | fs::perms::owner_write);
        p.Expect("user=;order=-2;" + c.expected);
    }
}

// What cannot be copied is moved aside whole, so the next save cannot replace the only copy.
// A FIFO is never opened: the start does not hang on it.
TEST(IniReader, UnreadableOrSpecialFileIsMovedAside) {
    ConfigPanel fifo;
    ASSERT_EQ(::mkfifo((fifo.dir.path() / kIniFileName).c_str(), 0600), 0);
    EXPECT_FALSE(ReadIniFile(fifo.v, fifo.w));
    EXPECT_EQ(fifo.LogCount(kReadFailure), 1);
    EXPECT_TRUE(fs::is_fifo(fifo.dir.path() / kBadIniFileName));
    EXPECT_TRUE(WriteIniFile(fifo.v));
    EXPECT_TRUE(fs::is_regular_file(fifo.dir.path() / kIniFileName));

    ConfigPanel p;
    p.dir.Write(kIniFileName, "Output=4\r\n");
    fs::permissions(p.dir.path() / kIniFileName, fs::perms::none);
    fs::permissions(p.dir.path(), fs::perms::all);
    ::setfsuid(65534);  // root reads any file, nobody does not; no change for other users
    EXPECT_FALSE(ReadIniFile(p.v, p.w));
    ::setfsuid(0);
    EXPECT_EQ(p.LogCount(kReadFailure), 1);
    EXPECT_FALSE(p.dir.Exists(kIniFileName));
    fs::permissions(p.dir.path() / kBadIniFileName, fs::perms::owner_read);
    EXPECT_EQ(p.dir.Read(kBadIniFileName), "Output=4\r\n");
}

}  // namespace
}  // namespace kv
