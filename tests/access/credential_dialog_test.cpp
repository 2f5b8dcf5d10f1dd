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
        std::string old, user, fresh, confirm, text;
        FocusTarget focus;
    } cases[] = {{"old1", "new user", "New2", "New2", "Original Invalid Password!",
                  FocusTarget::OldPassword},
                 {"", "new user", "a", "b", "Original Invalid Password!", FocusTarget::OldPassword},
                 {"Old1", "new user", "New2", "new2",
                  "New Password Entered Differently In Confirm Box", FocusTarget::NewPassword},
                 {"Old1", "", "\xffz", "\xffz", kv::kPasswordRefused, FocusTarget::NewPassword},
                 {"Old1", std::string(51, 'u'), "New2", "New2", kv::kUserNameRefused,
                  FocusTarget::NewUserName}};
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
}

// A failed write restores the old credentials and keeps the dialog open; the same Ok succeeds
// once the file can be written, and the new credentials reach the configuration file.
TEST(CredentialDialog, AFailedWriteKeepsTheOldCredentialsAndTheDialogOpen) {
    Credential t;
    t.writable = false;
    t.Ok("Old1", "Ann Smith", "Pa55 word", "Pa55 word");
    EXPECT_EQ(std::tuple(t.box.Boxes.at(0).Text, t.box.Titles(), t.box.Boxes[0].Icon),
              std::tuple("Error Writing Zebntpnl.ini File", "[Error Writing File]",
                         kv::platform::MessageIcon::Critical));
    EXPECT_EQ(std::tuple(t.writes, t.seenAtWrite, t.d.Visible, t.v.UserName, t.v.Password),
              std::tuple(1, "Ann Smith/Pa55 word open", true, "operator", "Old1"));
    t.writable = true;
    t.Ok("Old1", "Ann Smith", "Pa55 word", "Pa55 word");
    EXPECT_EQ(std::tuple(t.writes, t.d.Visible, t.v.UserName, t.v.Password),
              std::tuple(2, false, "Ann Smith", "Pa55 word"));
    kv::ActivateCredential(t.v, t.d);  // reopened: refilled, every other box empty
    EXPECT_EQ(std::tuple(t.d.UserNameText, t.d.OldPasswordText, t.d.NewUserNameText,
                         t.d.NewPasswordText, t.d.ConfirmPasswordText, t.d.Focus.Target),
              std::tuple("Ann Smith", "", "", "", "", FocusTarget::OldPassword));
    t.d.OldPasswordText = "Pa55 word";  // empty new credentials are taken as they are
    kv::CredentialOk(t.v, t.box, t.d, kv::WriteIniFile);
    TestPanel back;
    back.dir.Write(kv::kIniFileName, t.dir.Read(kv::kIniFileName));
    ASSERT_TRUE(kv::ReadIniFile(back.v, back.w));
    EXPECT_EQ(std::tuple(t.d.Visible, back.v.UserName, back.v.Password, t.box.Boxes.size()),
              std::tuple(false, "", "", 1u));
    kv::CredentialCancel(t.d);
    EXPECT_FALSE(t.d.Visible);
}

}  // namespace
