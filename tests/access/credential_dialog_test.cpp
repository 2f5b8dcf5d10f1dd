#include "access/credential_dialog.h"

#include <gtest/gtest.h>

#include "access/credential_check.h"
#include "config/ini_file.h"
#include "dialog_fakes.h"

using kv::FocusTarget;

namespace {

// A panel with the dialog open and a writer that records what it saw when called.
struct Credential : TestPanel {
    kv::CredentialDialog d;
    int writes = 0;
    bool writable = true;
    std::string seenAtWrite;

    Credential() {
        v.UserName = "operator";
        v.Password = "Old1";
        kv::ActivateCredential(v, d);
    }
    void Ok(const std::string& old, const std::string& user, const std::string& fresh,
            const std::string& confirm) {
        d.OldPasswordText = old;
        d.NewUserNameText = user;
        d.NewPasswordText = fresh;
        d.ConfirmPasswordText = confirm;
        kv::CredentialOk(v, box, d, [this](kv::IntercVariables& written) {
            ++writes;
            seenAtWrite = written.UserName + "/" + written.Password + (d.Visible ? " open" : "");
            return writable;
        });
    }
};

// The existing password is checked first, then the confirmation, then what the file can hold.
TEST(CredentialDialog, RefusesWhatCannotBeTakenAndKeepsTheOldCredentials) {
    const struct {
        const char *old, *user;
        std::string fresh, confirm, text;
        FocusTarget focus;
    } cases[] = {
        {"old1", "new user", "New2", "New2", "Original Invalid Password!",
         FocusTarget::OldPassword},
        {"", "new user", "a", "b", "Original Invalid Password!", FocusTarget::OldPassword},
        {"Old1", "new user", "New2", "new2", "New Password Entered Differently In Confirm Box",
         FocusTarget::NewPassword},
        {"Old1", "", "\xffz", "\xffz", kv::kPasswordRefused, FocusTarget::NewPassword},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Credential t;
        EXPECT_EQ(t.d.Focus.Target, FocusTarget::OldPassword);
        t.Ok(c.old, c.user, c.fresh, c.confirm);
        ASSERT_EQ(t.box.Boxes.size(), 1u);
        EXPECT_EQ(
            std::tuple(t.box.Boxes[0].Text, t.box.Boxes[0].Title, t.d.Focus.Target,
                       t.d.Focus.SelectAll, t.d.Visible, t.writes, t.v.UserName, t.v.Password),
            std::tuple(c.text, "Login", c.focus, true, true, 0, "operator", "Old1"));
    }
    Credential t;
    t.Ok("Old1", std::string(51, 'u'), "New2", "New2");
    EXPECT_EQ(std::tuple(t.box.Boxes.at(0).Text, t.d.Focus.Target, t.writes),
              std::tuple(kv::kUserNameRefused, FocusTarget::NewUserName, 0));
}

TEST(CredentialDialog, AFailedWriteKeepsTheOldCredentialsAndTheDialogOpen) {
    Credential t;
    t.writable = false;
    t.Ok("Old1", "new user", "New2", "New2");
    ASSERT_EQ(t.box.Boxes.size(), 1u);
    EXPECT_EQ(std::tuple(t.box.Boxes[0].Text, t.box.Boxes[0].Title, t.box.Boxes[0].Icon),
              std::tuple("Error Writing Zebntpnl.ini File", "Error Writing File",
                         kv::platform::MessageIcon::Critical));
    EXPECT_EQ(std::tuple(t.writes, t.seenAtWrite, t.d.Visible, t.v.UserName, t.v.Password),
              std::tuple(1, "new user/New2 open", true, "operator", "Old1"));

    // The same Ok again succeeds once the file can be written: the old password still holds.
    t.writable = true;
    t.Ok("Old1", "", "", "");  // an empty user name and password are taken as they are
    EXPECT_EQ(std::tuple(t.writes, t.seenAtWrite, t.d.Visible, t.v.UserName, t.v.Password),
              std::tuple(2, "/ open", false, "", ""));

    // Reopened: refilled from the new values, every other box empty.
    t.v.UserName = "second";
    kv::ActivateCredential(t.v, t.d);
    EXPECT_EQ(std::tuple(t.d.UserNameText, t.d.OldPasswordText, t.d.NewUserNameText,
                         t.d.NewPasswordText, t.d.ConfirmPasswordText, t.d.Focus.Target),
              std::tuple("second", "", "", "", "", FocusTarget::OldPassword));
    kv::CredentialCancel(t.d);
    EXPECT_EQ(std::tuple(t.d.Visible, t.writes), std::tuple(false, 2));
}

TEST(CredentialDialog, TheNewCredentialsReachTheConfigurationFile) {
    Credential t;
    t.d.OldPasswordText = "Old1";
    t.d.NewUserNameText = "Ann Smith";
    t.d.NewPasswordText = t.d.ConfirmPasswordText = "Pa55 word";
    kv::CredentialOk(t.v, t.box, t.d, kv::WriteIniFile);
    EXPECT_TRUE(t.box.Boxes.empty());
    TestPanel back;
    back.dir.Write(kv::kIniFileName, t.dir.Read(kv::kIniFileName));
    ASSERT_TRUE(kv::ReadIniFile(back.v, back.w));
    EXPECT_EQ(std::tuple(back.v.UserName, back.v.Password), std::tuple("Ann Smith", "Pa55 word"));
}

}  // namespace
