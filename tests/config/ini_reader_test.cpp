#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <sys/stat.h>

#include <filesystem>

#include "config_panel.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

const std::string kReadFailure = "Error Reading ini file: Error # ";

TEST(IniReader, MissingFileChangesNothingAndLogsNothing) {
    ConfigPanel p;
    p.w.WindowOrder = 5;
    EXPECT_FALSE(ReadIniFile(p.v, p.w));
    EXPECT_EQ(p.v.IPPort, 1250);
    EXPECT_EQ(p.v.AssignedOutput, 1);
    EXPECT_EQ(p.w.Buttons[0].Caption, "Button 1");
    EXPECT_EQ(p.w.WindowOrder, 5);
    EXPECT_FALSE(p.dir.Exists(kErrorLogName));
    EXPECT_FALSE(p.dir.Exists(kBadIniFileName));
}

TEST(IniReader, EmptyFileRelabelsAndAppliesTheWindowOrder) {
    ConfigPanel p;
    EXPECT_TRUE(p.ReadData("empty.ini"));
    EXPECT_EQ(p.w.Buttons[0].Caption, "Button 1\r");
    EXPECT_EQ(p.w.Buttons[7].Caption, "Button 8\r");
    EXPECT_EQ(p.w.WindowOrder, -1);
    EXPECT_EQ(p.v.TickInterval, 500);
    EXPECT_EQ(p.v.ButtonTable.size(), 9u);
}

TEST(IniReader, SampleFileSetsEveryItem) {
    ConfigPanel p;
    ASSERT_TRUE(p.ReadData("sample.ini"));
    EXPECT_EQ(p.v.IPAddress, "192.168.10.20");
    EXPECT_EQ(p.v.IPPort, 4100);
    EXPECT_EQ(p.v.AssignedOutput, 2);
    EXPECT_EQ(p.v.AssignedOutputIndex, 2);
    EXPECT_EQ(p.v.AssignedInput, 4);
    EXPECT_EQ(p.v.AssignedInputIndex, 4);
    EXPECT_EQ(p.v.ButtonCount, 8);
    EXPECT_EQ(p.v.StayOnTop, -2);
    EXPECT_EQ(p.w.WindowOrder, -2);
    EXPECT_EQ(p.v.RefreshRate, 2);
    EXPECT_EQ(p.v.TimeOut, 30);
    EXPECT_EQ(p.v.FlashRate, 200);
    EXPECT_EQ(p.v.OverHang, 6);
    EXPECT_EQ(p.v.TickInterval, 200);
    EXPECT_EQ(p.v.TicksPerPoll, 10);
    EXPECT_EQ(p.w.PollInterval, 200);
    EXPECT_EQ(p.v.UserName, "operator");
    EXPECT_EQ(p.v.Password, "abc");

    EXPECT_EQ(p.v.ButtonTable[0].Type, kTalk);
    EXPECT_EQ(p.v.ButtonTable[0].First, 3);
    EXPECT_EQ(p.v.ButtonTable[0].ListCount, 1);
    EXPECT_EQ(p.w.Buttons[0].Caption, "Studio\rTalk");
    EXPECT_EQ(p.w.Buttons[1].Caption, "Control\r");
    // Inactive with empty lines: the lines are taken, and the face is grey.
    EXPECT_EQ(p.v.ButtonTable[2].Type, kInactive);
    EXPECT_EQ(p.w.Buttons[2].Caption, "\r");
    EXPECT_EQ(p.w.Buttons[2].BackColour, kInactiveColour);
    // Empty lines on another type keep the caption from program setup.
    EXPECT_EQ(p.v.ButtonTable[3].Type, kPListen);
    EXPECT_EQ(p.v.ButtonTable[3].First, 1);
    EXPECT_EQ(p.w.Buttons[3].Caption, "Button 4\r");
    // Button Count re-created the table: buttons without a block have no station.
    EXPECT_EQ(p.v.ButtonTable[4].ListCount, 0);
    EXPECT_TRUE(p.v.ButtonTable[4].List.empty());
    EXPECT_EQ(p.v.ButtonLabels.size(), 9u);
}

TEST(IniReader, KeysMatchByExactPrefixInTheirOrder) {
    ConfigPanel p;
    ASSERT_TRUE(p.Read({
        "[BUTTON 0]", "Type=3", "First=2", "Line 1=", "Line 2=",  // a block before any section
        "Input=3",     // not taken for "IP Address" or "IP Port"
        "Output=9",    // overridden below
        "[junk]",      // unknown lines are ignored
        "input=40",    // case matters
        " Output=7",   // no blank is skipped before the key
        "Output 6",    // the character after the key is skipped unread
        "IP Port=99",  // "IP Port" before "IP Address" does not matter
        "Password=",   // an empty value gives an empty password
    }));
    EXPECT_EQ(p.v.AssignedInput, 2);
    EXPECT_EQ(p.v.AssignedOutput, 5);
    EXPECT_EQ(p.v.IPPort, 99);
    EXPECT_EQ(p.v.IPAddress, "");
    EXPECT_EQ(p.v.Password, "");
    EXPECT_EQ(p.v.ButtonTable[0].Type, kGroup);
    EXPECT_EQ(p.v.ButtonTable[0].First, 1);

    ConfigPanel q;
    ASSERT_TRUE(q.Read({"Outputs=5", "IP Portal=8", "Inputs are here"}));
    EXPECT_EQ(q.v.AssignedOutput, 0);  // value "=5" reads as no number
    EXPECT_EQ(q.v.IPPort, 1250);       // value "l=8"
    EXPECT_EQ(q.v.AssignedInput, 0);
}

TEST(IniReader, NumbersAreLeadingNumbersRoundedHalfToEven) {
    const std::pair<std::string, int16_t> cases[] = {
        {"Output=0", 0},    {"Output=-5", 0},  {"Output=3", 2},   {"Output= 3", 2},
        {"Output=3abc", 2}, {"Output=abc", 0}, {"Output=2.5", 1}, {"Output=3.5", 3},
        {"Output=1e1", 9},  {"Output", 0},     {"Output=", 0},
    };
    for (const auto& [line, station] : cases) {
        ConfigPanel p;
        ASSERT_TRUE(p.Read({line})) << line;
        EXPECT_EQ(p.v.AssignedOutput, station) << line;
        EXPECT_EQ(p.v.AssignedOutputIndex, station) << line;
    }
}

TEST(IniReader, ValuesAreCutToTheirLength) {
    ConfigPanel p;
    const std::string address30 = "123456789012345678901234567890";
    const std::string name60(60, 'n');
    ASSERT_TRUE(p.Read({"IP Address=" + address30, "User Name=" + name60, "[BUTTON 1]",
                        "Type=00002", "First=000047", "Line 1=ABCDEFGHIJ", "Line 2=12345678X"}));
    EXPECT_EQ(p.v.IPAddress, address30.substr(0, 25));
    EXPECT_EQ(p.v.UserName, name60.substr(0, 50));
    EXPECT_EQ(p.v.ButtonTable[1].Type, kTalk);
    EXPECT_EQ(p.v.ButtonTable[1].First, 3);  // "00004" of "000047"
    EXPECT_EQ(p.v.ButtonLabels[1].Line1, "ABCDEFGH");
    EXPECT_EQ(p.v.ButtonLabels[1].Line2, "12345678");

    const std::pair<std::string, int32_t> stayOnTop[] = {
        {"Stay On Top=Yes", -1}, {"Stay On Top=yes", -2},       {"Stay On Top=Yes ", -2},
        {"Stay On Top=No", -2},  {"Stay On Top=Yesterday", -2}, {"Stay On Top=", -2},
    };
    for (const auto& [line, order] : stayOnTop) {
        ConfigPanel s;
        ASSERT_TRUE(s.Read({line})) << line;
        EXPECT_EQ(s.v.StayOnTop, order) << line;
        EXPECT_EQ(s.w.WindowOrder, order) << line;
    }

    ConfigPanel e;
    ASSERT_TRUE(e.Read({"IP Address="}));
    EXPECT_EQ(e.v.IPAddress, "127.0.0.1");
    ConfigPanel bare;
    ASSERT_TRUE(bare.Read({"IP Address"}));
    EXPECT_EQ(bare.v.IPAddress, "127.0.0.1");
}

TEST(IniReader, ClampsAndDefaults) {
    ConfigPanel p;
    ASSERT_TRUE(p.Read({"IP Port=0", "Refresh Rate=0", "Time Out=0", "Flash Rate=-3"}));
    EXPECT_EQ(p.v.IPPort, 1250);
    EXPECT_EQ(p.v.RefreshRate, 1);
    EXPECT_EQ(p.v.TimeOut, 1);
    EXPECT_EQ(p.v.FlashRate, 1);
    EXPECT_EQ(p.v.TickInterval, 500);  // no "Over Hang" entry: the timer values stay

    ConfigPanel q;
    ASSERT_TRUE(q.Read({"IP Port=70000", "Refresh Rate=32767", "Time Out=5000", "Over Hang=0"}));
    EXPECT_EQ(q.v.IPPort, 70000);
    EXPECT_EQ(q.v.RefreshRate, 32500);
    EXPECT_EQ(q.v.TimeOut, 3600);
    EXPECT_EQ(q.v.OverHang, 2);
    EXPECT_EQ(q.v.TickInterval, 500);
    EXPECT_EQ(q.v.TicksPerPoll, 65000);

    const std::pair<std::string, int16_t> flash[] = {
        {"Flash Rate=1", 1},      {"Flash Rate=5", 2},         {"Flash Rate=7", 4},
        {"Flash Rate=1000", 500}, {"Flash Rate=32767", 16384},
    };
    for (const auto& [line, rate] : flash) {
        ConfigPanel f;
        ASSERT_TRUE(f.Read({line})) << line;
        EXPECT_EQ(f.v.FlashRate, rate) << line;
    }

    ConfigPanel b;
    b.v.ButtonTable[5].Type = kTalk;
    ASSERT_TRUE(b.Read({"Button Count=-1"}));
    EXPECT_EQ(b.v.ButtonCount, 8);
    ASSERT_EQ(b.v.ButtonTable.size(), 9u);
    EXPECT_EQ(b.v.ButtonTable[5].Type, kListen);
    ConfigPanel c;
    ASSERT_TRUE(c.Read({"Button Count=3"}));
    EXPECT_EQ(c.v.ButtonTable.size(), 4u);
    EXPECT_EQ(c.v.ButtonLabels.size(), 9u);
    EXPECT_EQ(c.w.Buttons[3].Caption, "Button 4");  // not relabelled beyond the count
}

TEST(IniReader, PollRatesUpToTheClampReadWhole) {
    ConfigPanel p;
    ASSERT_TRUE(p.ReadData("refresh_40.ini"));
    EXPECT_EQ(p.v.RefreshRate, 40);
    EXPECT_EQ(p.v.TickInterval, 500);
    EXPECT_EQ(p.v.TicksPerPoll, 80);
    EXPECT_EQ(p.v.UserName, "after");

    ConfigPanel q;
    ASSERT_TRUE(q.ReadData("refresh_3600.ini"));
    EXPECT_EQ(q.v.TickInterval, 500);
    EXPECT_EQ(q.v.TicksPerPoll, 7200);
    EXPECT_EQ(q.w.PollInterval, 500);

    ConfigPanel fast;
    ASSERT_TRUE(fast.Read({"Refresh Rate=32500", "Flash Rate=2", "Over Hang=1"}));
    EXPECT_EQ(fast.v.TickInterval, 1);
    EXPECT_EQ(fast.v.TicksPerPoll, 32500000);

    // A poll rate below the flash half-period sets the tick.
    ConfigPanel slowFlash;
    ASSERT_TRUE(slowFlash.Read({"Refresh Rate=1", "Flash Rate=3000", "Over Hang=1"}));
    EXPECT_EQ(slowFlash.v.TickInterval, 1000);
    EXPECT_EQ(slowFlash.v.TicksPerPoll, 1);
}

TEST(IniReader, ButtonBlocksArePositional) {
    ConfigPanel p;
    ASSERT_TRUE(p.Read({
        "[BUTTON 12]", "Type=2",      "First=3",
        "Line 1=One",  "Line 2=Two",  // one digit: button 1
        "[BUTTON 4]",  "Output=9",    "Frst=5",
        "Line 1=Four", "User Name=x",  // wrong keys passed over
        "[BUTTON 5]",  "Type=0",      "First=2",
        "Note",        "Line 2=Five",  // Line 1 missing
        "[BUTTON 6]",  "Type=2.5",    "First=0",
        "Line 1=",     "Line 2=",  // both lines empty
        "[BUTTON 7]",  "Type=255",    "First=1",
        "Line 1=",     "Line 2=",
    }));
    EXPECT_EQ(p.v.ButtonTable[1].Type, kTalk);
    EXPECT_EQ(p.v.ButtonTable[1].First, 2);
    EXPECT_EQ(p.w.Buttons[1].Caption, "One\rTwo");

    EXPECT_EQ(p.v.AssignedOutput, 1);  // "Output=9" stood in a block
    EXPECT_EQ(p.v.UserName, "");
    EXPECT_EQ(p.v.ButtonTable[4].ListCount, 0);
    EXPECT_EQ(p.w.Buttons[4].Caption, "Four\r");

    // A line whose entry is missing from the block keeps the button's caption line.
    EXPECT_EQ(p.w.Buttons[5].Caption, "Button 6\rFive");
    EXPECT_EQ(p.v.ButtonTable[5].First, 1);

    EXPECT_EQ(p.v.ButtonTable[6].Type, kTalk);
    EXPECT_EQ(p.v.ButtonTable[6].First, 0);
    EXPECT_EQ(p.v.ButtonTable[6].ListCount, 1);
    EXPECT_EQ(p.w.Buttons[6].Caption, "Button 7\r");

    EXPECT_EQ(p.w.Buttons[7].Caption, "\r");
    EXPECT_EQ(p.w.Buttons[7].BackColour, kInactiveColour);
}

TEST(IniReader, LinesEndInCrLfCrOrLf) {
    ConfigPanel p;
    ASSERT_TRUE(p.ReadData("mixed_line_ends.ini"));
    EXPECT_EQ(p.v.IPAddress, "10.0.0.1");
    EXPECT_EQ(p.v.IPPort, 99);
    EXPECT_EQ(p.v.AssignedOutput, 1);
}

// Each bad file: read fails, is logged once with the fault, earlier entries stay,
// later ones are not read, and a copy is kept beside the program.
TEST(IniReader, FailuresStopTheReadAndKeepACopy) {
    struct Case {
        std::string file;
        int fault;
    };
    const Case cases[] = {
        {"number_too_wide.ini", 6},     {"header_last.ini", 62},
        {"block_cut_short.ini", 62},    {"type_out_of_range.ini", 6},
        {"button_beyond_table.ini", 9}, {"password_below_zero.ini", 5},
    };
    for (const Case& c : cases) {
        ConfigPanel p;
        EXPECT_FALSE(p.ReadData(c.file)) << c.file;
        EXPECT_EQ(p.LogEntries(kReadFailure), 1) << c.file;
        EXPECT_EQ(p.LogEntries(kReadFailure + " " + std::to_string(c.fault) + " - "), 1) << c.file;
        EXPECT_EQ(p.LogEntries("file Error"), 1) << c.file;
        EXPECT_EQ(p.dir.Read(kBadIniFileName), p.Ini()) << c.file;
        EXPECT_EQ(p.v.UserName, "") << c.file;
        EXPECT_EQ(p.w.WindowOrder, -2) << c.file;  // not applied
    }

    ConfigPanel wide;
    EXPECT_FALSE(wide.ReadData("number_too_wide.ini"));
    EXPECT_EQ(wide.v.AssignedInput, 6);
    EXPECT_EQ(wide.v.AssignedOutput, 1);
    ConfigPanel last;
    EXPECT_FALSE(last.ReadData("header_last.ini"));
    EXPECT_EQ(last.v.AssignedOutput, 3);
    EXPECT_EQ(last.w.Buttons[3].Caption, "Button 4");
    ConfigPanel cut;
    EXPECT_FALSE(cut.ReadData("block_cut_short.ini"));
    EXPECT_EQ(cut.v.ButtonTable[2].Type, kTalk);
    EXPECT_EQ(cut.v.ButtonLabels[2].Line1, "Button 3");

    for (const std::string& number :
         {std::string("1e400"), std::string("-1e400"), std::string(30, '9')}) {
        ConfigPanel p;
        EXPECT_FALSE(p.Read({"Time Out=" + number, "User Name=never"})) << number;
        EXPECT_EQ(p.LogEntries(kReadFailure + " 6 - Overflow"), 1) << number;
        EXPECT_EQ(p.v.TimeOut, 20);
    }

    ConfigPanel hang;
    EXPECT_FALSE(hang.Read({"Over Hang=16384"}));
    EXPECT_EQ(hang.v.OverHang, 20);
}

TEST(IniReader, BadCopyIsReplacedAndOwnerOnly) {
    ConfigPanel p;
    p.dir.Write(kBadIniFileName, "older copy, much longer than the new one");
    fs::permissions(p.dir.path() / kBadIniFileName, fs::perms::all);
    EXPECT_FALSE(p.Read({"Output=99999"}));
    EXPECT_EQ(p.dir.Read(kBadIniFileName), "Output=99999\r\n");
    EXPECT_EQ(fs::status(p.dir.path() / kBadIniFileName).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(p.dir.Exists(kIniFileName));  // the original stays for the next save

    ConfigPanel good;
    EXPECT_TRUE(good.Read({"Output=4"}));
    EXPECT_FALSE(good.dir.Exists(kBadIniFileName));
}

// What cannot be copied is moved aside whole, so the next save cannot replace the only copy.
// A FIFO is never opened: the start does not hang on it.
TEST(IniReader, UnreadableOrSpecialFileIsMovedAside) {
    ConfigPanel fifo;
    ASSERT_EQ(::mkfifo((fifo.dir.path() / kIniFileName).c_str(), 0600), 0);
    EXPECT_FALSE(ReadIniFile(fifo.v, fifo.w));
    EXPECT_EQ(fifo.LogEntries(kReadFailure), 1);
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
    EXPECT_EQ(p.LogEntries(kReadFailure), 1);
    EXPECT_FALSE(p.dir.Exists(kIniFileName));
    fs::permissions(p.dir.path() / kBadIniFileName, fs::perms::owner_read);
    EXPECT_EQ(p.dir.Read(kBadIniFileName), "Output=4\r\n");
}

}  // namespace
}  // namespace kv
