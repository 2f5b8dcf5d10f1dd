#include "diag/help_file.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

// The program directory is ended the same way.
TEST(HelpFile, PathHasExactlyOneSeparatorBeforeTheFileName) {
    // A folder's name may end in blanks: they are part of the path.
    const std::pair<const char*, const char*> cases[] = {{"/opt/kv", "/opt/kv/Intercom.HLP"},
                                                         {"/opt/kv/", "/opt/kv/Intercom.HLP"},
                                                         {"/opt/kv///", "/opt/kv/Intercom.HLP"},
                                                         {"/opt/k v ", "/opt/k v /Intercom.HLP"},
                                                         {"/opt/kv/  ", "/opt/kv/  /Intercom.HLP"},
                                                         {"/", "/Intercom.HLP"},
                                                         {"//", "/Intercom.HLP"},
                                                         {"", "./Intercom.HLP"}};
    for (const auto& [directory, path] : cases) {
        EXPECT_EQ(kv::HelpFilePath(directory), path) << directory;
    }
}

TEST(HelpFile, FoundWhateverTheCaseOfItsNameButNeverADirectory) {
    TempDir dir;
    const std::string d = dir.path().string();
    EXPECT_FALSE(kv::FindFileAnyCase(d, "Intercom.HLP"));
    EXPECT_FALSE(kv::FindFileAnyCase(d + "/missing", "Intercom.HLP"));
    dir.Write("Intercom.HLQ", "");  // differs in its last letter only
    dir.Write("zip.hlp", "");
    EXPECT_FALSE(kv::FindFileAnyCase(d, "Intercom.HLP"));
    EXPECT_EQ(kv::FindFileAnyCase(d, "ZIP.HLP").value_or(""), d + "/zip.hlp");
    dir.Write("intercom.hlp", "<html></html>");
    dir.Write("Intercom.HLP.bak", "");
    std::filesystem::create_directory(dir.path() / "INTERCOM.HLP.d");
    EXPECT_EQ(kv::FindFileAnyCase(d, "Intercom.HLP").value_or(""), d + "/intercom.hlp");
    EXPECT_FALSE(kv::FindFileAnyCase(d, "intercom.hlp.D"));
    dir.Write("Intercom.HLP", "");  // an exact match wins over another spelling
    EXPECT_EQ(kv::FindFileAnyCase(d, "Intercom.HLP").value_or(""), d + "/Intercom.HLP");
}

TEST(HelpFile, ServerNameFollowsTheAbsolutePathOnly) {
    const std::string a = kv::HelpServerName("/srv/p1/Intercom.HLP");
    const std::string cwd = std::filesystem::current_path().string();
    EXPECT_EQ(
        std::tuple(a.substr(0, 13), a.size(), kv::HelpServerName("/srv/p2/../p1/./Intercom.HLP"),
                   a == kv::HelpServerName("/srv/p2/Intercom.HLP"),
                   kv::HelpServerName("Intercom.HLP")),
        std::tuple("keyvane-help-", 29u, a, false, kv::HelpServerName(cwd + "/Intercom.HLP")));
}
