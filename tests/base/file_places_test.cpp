#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "base/file_places.h"
#include "temp_dir.h"

namespace kv {
namespace {

TEST(FilePlaces, ChosenFromTheFacts) {
    const std::string data = "/usr/" + std::string(kInstalledDataFolder).substr(3) + "/";
    struct Row {
        const char* what;
        PlaceFacts facts;
        FilePlaces places;
    };
    const Row rows[] = {
        {"copied folder",
         {"/opt/kv", true, "/x", "/y", "/home/u", {}, true, false},
         {"/opt/kv/", "/opt/kv/", "/opt/kv/", false}},
        {"copied alone, no help anywhere",
         {"/opt/kv/", true, "", "", "/home/u", {}, false, false},
         {"/opt/kv/", "/opt/kv/", "/opt/kv/", false}},
        {"installed, XDG defaults",
         {"/usr/bin", false, "", "", "/home/u", {}, false, true},
         {"/home/u/.config/keyvane/", "/home/u/.local/state/keyvane/", data, true}},
        {"installed, XDG set",
         {"/usr/bin", false, "/c//", "/s", "/home/u", {}, false, true},
         {"/c/keyvane/", "/s/keyvane/", data, true}},
        {"installed, relative XDG ignored",
         {"/usr/bin", false, "c", "s", "/h", {}, false, true},
         {"/h/.config/keyvane/", "/h/.local/state/keyvane/", data, true}},
        {"installed, run by root",
         {"/usr/bin", true, "", "", "/root", {}, false, true},
         {"/root/.config/keyvane/", "/root/.local/state/keyvane/", data, true}},
        {"read-only folder with help",
         {"/mnt/kv", false, "", "", "/h", {}, true, false},
         {"/h/.config/keyvane/", "/h/.local/state/keyvane/", "/mnt/kv/", true}},
        {"installed, no home",
         {"/usr/bin", false, "", "", "", {}, false, true},
         {"", "", data, true}},
        {"--config, installed",
         {"/usr/bin", false, "/c", "/s", "/h", "/p/one", false, true},
         {"/p/one/", "/p/one/", data, true}},
        {"--config, copied folder",
         {"/opt/kv", true, "", "", "/h", "/p/two/", true, false},
         {"/p/two/", "/p/two/", "/opt/kv/", false}},
    };
    for (const Row& row : rows) {
        const FilePlaces got = ChoosePlaces(row.facts);
        EXPECT_EQ(got.ConfigFolder, row.places.ConfigFolder) << row.what;
        EXPECT_EQ(got.LogFolder, row.places.LogFolder) << row.what;
        EXPECT_EQ(got.HelpFolder, row.places.HelpFolder) << row.what;
        EXPECT_EQ(got.Installed, row.places.Installed) << row.what;
    }
}

TEST(FilePlaces, PrivateFolderIsMadeOwnerOnlyWithItsParents) {
    TempDir dir;
    const std::string folder = (dir.path() / "state" / "keyvane").string();
    std::string reason;
    ASSERT_TRUE(MakePrivateFolder(folder + "/", reason)) << reason;
    for (const std::string& made : {folder, (dir.path() / "state").string()}) {
        struct stat st {};
        ASSERT_EQ(::stat(made.c_str(), &st), 0) << made;
        EXPECT_EQ(st.st_mode & 07777, 0700u) << made;
    }
    EXPECT_TRUE(MakePrivateFolder(folder, reason)) << "an existing folder: " << reason;
    dir.Write("file", "x");
    EXPECT_FALSE(MakePrivateFolder((dir.path() / "file" / "sub").string(), reason));
    EXPECT_NE(reason.find("file"), std::string::npos) << reason;
}

}  // namespace
}  // namespace kv
