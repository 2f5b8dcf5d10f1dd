#include "diag/help_file.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

TEST(HelpFile, PathHasExactlyOneSeparatorBeforeTheFileName) {
    EXPECT_EQ(kv::HelpFilePath("/opt/keyvane"), "/opt/keyvane/Intercom.HLP");
    EXPECT_EQ(kv::HelpFilePath("/opt/keyvane/"), "/opt/keyvane/Intercom.HLP");
    EXPECT_EQ(kv::HelpFilePath("/opt/keyvane//"), "/opt/keyvane/Intercom.HLP");
    // A folder's name may end in blanks: they are part of the path.
    EXPECT_EQ(kv::HelpFilePath("/opt/key vane "), "/opt/key vane /Intercom.HLP");
    EXPECT_EQ(kv::HelpFilePath("/opt/keyvane/  "), "/opt/keyvane/  /Intercom.HLP");
    EXPECT_EQ(kv::HelpFilePath("/"), "/Intercom.HLP");
    EXPECT_EQ(kv::HelpFilePath(""), "./Intercom.HLP");
}

TEST(HelpFile, FoundWhateverTheCaseOfItsName) {
    TempDir dir;
    EXPECT_FALSE(kv::FindFileAnyCase(dir.path().string(), "Intercom.HLP"));
    EXPECT_FALSE(kv::FindFileAnyCase((dir.path() / "missing").string(), "Intercom.HLP"));

    dir.Write("intercom.hlp", "<html></html>");
    dir.Write("Intercom.HLP.bak", "");
    std::filesystem::create_directory(dir.path() / "INTERCOM.HLP.d");
    const auto found = kv::FindFileAnyCase(dir.path().string(), "Intercom.HLP");
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, (dir.path() / "intercom.hlp").string());

    // An exact match wins over another spelling.
    dir.Write("Intercom.HLP", "");
    EXPECT_EQ(*kv::FindFileAnyCase(dir.path().string(), "Intercom.HLP"),
              (dir.path() / "Intercom.HLP").string());
    // A directory of that name is not the help file.
    EXPECT_FALSE(kv::FindFileAnyCase(dir.path().string(), "intercom.hlp.D"));
}

TEST(HelpFile, ServerNameFollowsTheAbsolutePathOnly) {
    const std::string a = kv::HelpServerName("/srv/panel1/Intercom.HLP");
    EXPECT_EQ(a.rfind("keyvane-help-", 0), 0u);
    EXPECT_EQ(a.size(), std::string("keyvane-help-").size() + 16);
    EXPECT_EQ(a, kv::HelpServerName("/srv/panel1/./Intercom.HLP"));
    EXPECT_EQ(a, kv::HelpServerName("/srv/panel2/../panel1/Intercom.HLP"));
    EXPECT_NE(a, kv::HelpServerName("/srv/panel2/Intercom.HLP"));
    // A relative path names the same viewer as its absolute form.
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(kv::HelpServerName("Intercom.HLP"), kv::HelpServerName(cwd + "/Intercom.HLP"));
}
