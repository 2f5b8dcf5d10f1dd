#include "access/credential_dialog.h"

#include <gtest/gtest.h>

#include "access/credential_check.h"
#include "config/ini_file.h"
#include "config/program_setup.h"
#include "recording_box.h"
#include "temp_dir.h"

using kv::FocusTarget;

namespace {

// The writer the dialog calls, recording what it saw when called.
struct CountingWriter {
    int calls = 0;
    bool result = true;
    bool visibleAtWrite = false;
    std::string userAtWrite;
    std::string passwordAtWrite;
    const kv::CredentialDialog* dialog = nullptr;

    kv::ConfigurationWriter Writer() {
        return [this](kv::IntercVariables& v) {
            ++calls;
            visibleAtWrite = dialog->Visible;
            userAtWrite = v.UserName;
            passwordAtWrite = v.Password;
            return result;
        };
    }
};

struct Credential {
    kv::IntercVariables v;
    RecordingBox box;
    kv::CredentialDialog d;
    CountingWriter writer;

    Credential() {
        v.UserName = "operator";
        v.Password = "Old1";
        writer.dialog = &d;
        kv::ActivateCredential(v, d);
    }
    void Ok(const std::string& old, const std::string& user, const std::string& fresh,
            const std::string& confirm) {
        d.OldPasswordText = old;
        d.NewUserNameText = user;
        d.NewPasswordText = fresh;
        d.ConfirmPasswordText = confirm;
        kv::CredentialOk(v, box, d, writer.Writer());
    }
};

}  // namespace

TEST(CredentialDialog, RefusesAWrongExistingPasswordOrADifferingConfirmation) {
    Credential c;
    EXPECT_EQ(c.d.Focus.Target, FocusTarget::OldPassword);

    c.Ok("old1", "new user", "New2", "New2");
    ASSERT_EQ(c.box.shown.size(), 1u);
    EXPECT_EQ(c.box.shown[0].text, "Original Invalid Password!");
    EXPECT_EQ(c.box.shown[0].title, "Login");
    EXPECT_EQ(c.d.Focus.Target, FocusTarget::OldPassword);
    EXPECT_TRUE(c.d.Focus.SelectAll);

    // The existing password is checked first, even when the confirmation differs too.
    c.Ok("", "new user", "a", "b");
    ASSERT_EQ(c.box.shown.size(), 2u);
    EXPECT_EQ(c.box.shown[1].text, "Original Invalid Password!");

    c.d.Focus = {};
    c.Ok("Old1", "new user", "New2", "new2");
    ASSERT_EQ(c.box.shown.size(), 3u);
    EXPECT_EQ(c.box.shown[2].text, "New Password Entered Differently In Confirm Box");
    EXPECT_EQ(c.box.shown[2].title, "Login");
    EXPECT_EQ(c.d.Focus.Target, FocusTarget::NewPassword);
    EXPECT_TRUE(c.d.Focus.SelectAll);

    EXPECT_TRUE(c.d.Visible);
    EXPECT_EQ(c.writer.calls, 0);
    EXPECT_EQ(c.v.UserName, "operator");
    EXPECT_EQ(c.v.Password, "Old1");
}

TEST(CredentialDialog, RefusesNewCredentialsTheFileCannotHold) {
    Credential c;
    c.Ok("Old1", std::string(51, 'u'), "New2", "New2");
    ASSERT_EQ(c.box.shown.size(), 1u);
    EXPECT_EQ(c.box.shown[0].text, kv::kUserNameRefused);
    EXPECT_EQ(c.d.Focus.Target, FocusTarget::NewUserName);
    c.Ok("Old1", "new user", "\xffz", "\xffz");  // 255 + 1 passes 255
    ASSERT_EQ(c.box.shown.size(), 2u);
    EXPECT_EQ(c.box.shown[1].text, kv::kPasswordRefused);
    EXPECT_EQ(c.d.Focus.Target, FocusTarget::NewPassword);
    EXPECT_TRUE(c.d.Visible);
    EXPECT_EQ(c.writer.calls, 0);
    EXPECT_EQ(c.v.Password, "Old1");
}

TEST(CredentialDialog, SuccessStoresAndWritesOnceBeforeClosing) {
    Credential c;
    c.Ok("Old1", "", "", "");  // an empty new user name and password are taken as they are
    EXPECT_TRUE(c.box.shown.empty());
    EXPECT_EQ(c.writer.calls, 1);
    EXPECT_TRUE(c.writer.visibleAtWrite);
    EXPECT_EQ(c.writer.userAtWrite, "");
    EXPECT_EQ(c.writer.passwordAtWrite, "");
    EXPECT_FALSE(c.d.Visible);
    EXPECT_EQ(c.v.UserName, "");
    EXPECT_EQ(c.v.Password, "");

    // Reopened: refilled from the new values, every other box empty.
    c.v.UserName = "second";
    c.d.NewPasswordText = c.d.ConfirmPasswordText = "stale";
    kv::ActivateCredential(c.v, c.d);
    EXPECT_EQ(c.d.UserNameText, "second");
    EXPECT_EQ(c.d.OldPasswordText, "");
    EXPECT_EQ(c.d.NewUserNameText, "");
    EXPECT_EQ(c.d.NewPasswordText, "");
    EXPECT_EQ(c.d.ConfirmPasswordText, "");
    EXPECT_EQ(c.d.Focus.Target, FocusTarget::OldPassword);

    kv::CredentialCancel(c.d);
    EXPECT_FALSE(c.d.Visible);
    EXPECT_EQ(c.writer.calls, 1);
}

TEST(CredentialDialog, AFailedWriteKeepsTheOldCredentialsAndTheDialogOpen) {
    Credential c;
    c.writer.result = false;
    c.Ok("Old1", "new user", "New2", "New2");
    EXPECT_EQ(c.writer.calls, 1);
    EXPECT_EQ(c.writer.passwordAtWrite, "New2");
    ASSERT_EQ(c.box.shown.size(), 1u);
    EXPECT_EQ(c.box.shown[0].text, "Error Writing Zebntpnl.ini File");
    EXPECT_EQ(c.box.shown[0].title, "Error Writing File");
    EXPECT_EQ(c.box.shown[0].icon, kv::platform::MessageIcon::Critical);
    EXPECT_TRUE(c.d.Visible);
    EXPECT_EQ(c.v.UserName, "operator");
    EXPECT_EQ(c.v.Password, "Old1");

    // The same Ok again succeeds once the file can be written: the old password still holds.
    c.writer.result = true;
    c.Ok(c.d.OldPasswordText, c.d.NewUserNameText, c.d.NewPasswordText, c.d.ConfirmPasswordText);
    EXPECT_EQ(c.writer.calls, 2);
    EXPECT_FALSE(c.d.Visible);
    EXPECT_EQ(c.v.UserName, "new user");
    EXPECT_EQ(c.v.Password, "New2");
}

TEST(CredentialDialog, TheNewCredentialsReachTheConfigurationFile) {
    TempDir dir;
    kv::IntercVariables v;
    kv::MainWindowView w;
    kv::ProgramSetup(v, w, dir.dir());
    v.Password = "Old1";
    RecordingBox box;
    kv::CredentialDialog d;
    kv::ActivateCredential(v, d);
    d.OldPasswordText = "Old1";
    d.NewUserNameText = "Ann Smith";
    d.NewPasswordText = d.ConfirmPasswordText = "Pa55 word";
    kv::CredentialOk(v, box, d, kv::WriteIniFile);
    EXPECT_TRUE(box.shown.empty());
    ASSERT_TRUE(dir.Exists(kv::kIniFileName));

    kv::IntercVariables back;
    kv::MainWindowView backView;
    kv::ProgramSetup(back, backView, dir.dir());
    ASSERT_TRUE(kv::ReadIniFile(back, backView));
    EXPECT_EQ(back.UserName, "Ann Smith");
    EXPECT_EQ(back.Password, "Pa55 word");
}
