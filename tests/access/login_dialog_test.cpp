#include "access/login_dialog.h"

#include <gtest/gtest.h>

#include "access/credential_check.h"
#include "recording_box.h"

using kv::FocusTarget;
using kv::kFalse;
using kv::kTrue;

namespace {

struct Login {
    kv::IntercVariables v;
    RecordingBox box;
    kv::LoginDialog d;

    void Open(const std::string& tag) {
        d.Tag = tag;
        kv::ActivateLogin(v, d);
    }
    void Ok(const std::string& user, const std::string& password) {
        d.UserNameText = user;
        d.PasswordText = password;
        kv::LoginOk(v, box, d);
    }
};

}  // namespace

TEST(LoginDialog, FirstEntryTakesBothBoxesAsTheyAreAndCannotBeCancelled) {
    Login l;
    l.v.UserName = "left over";
    l.Open("new");
    EXPECT_FALSE(l.d.CancelEnabled);
    EXPECT_EQ(l.d.Focus.Target, FocusTarget::UserName);
    EXPECT_EQ(l.d.UserNameText, "left over");

    kv::LoginCancel(l.v, l.d);  // Escape while Cancel is disabled
    EXPECT_TRUE(l.d.Visible);

    l.Ok("", "");
    EXPECT_FALSE(l.d.Visible);
    EXPECT_EQ(l.v.UserName, "");
    EXPECT_EQ(l.v.Password, "");
    EXPECT_EQ(l.v.LoggedIn, kFalse);  // first entry is not a login
    EXPECT_TRUE(l.box.shown.empty());

    // The empty password then opens the setup.
    l.Open("");
    EXPECT_TRUE(l.d.CancelEnabled);
    l.Ok("anyone", "");
    EXPECT_FALSE(l.d.Visible);
    EXPECT_EQ(l.v.LoggedIn, kTrue);
}

TEST(LoginDialog, FirstEntryTheFileCannotHoldIsRefusedBeforeAnythingIsStored) {
    struct Case {
        std::string user, password;
        FocusTarget box;
    };
    const std::string at50(50, 'n');
    const Case refused[] = {
        {at50 + "n", "", FocusTarget::UserName},
        {"a\nb", "", FocusTarget::UserName},  // would end the file's line
        {"", std::string(51, 'p'), FocusTarget::Password},
        {"", std::string("\0", 1), FocusTarget::Password},  // a character outside the 8-bit code
        {"", std::string(49, 'p') + "\xce", FocusTarget::Password},  // 206 + 50 passes 255
    };
    for (const Case& c : refused) {
        Login l;
        l.Open("new");
        l.Ok(c.user, c.password);
        ASSERT_EQ(l.box.shown.size(), 1u) << c.user << c.password;
        EXPECT_EQ(l.box.shown[0].text,
                  c.box == FocusTarget::UserName ? kv::kUserNameRefused : kv::kPasswordRefused);
        EXPECT_EQ(l.d.Focus.Target, c.box);
        EXPECT_TRUE(l.d.Focus.SelectAll);
        EXPECT_TRUE(l.d.Visible);
        EXPECT_EQ(l.v.UserName + l.v.Password, "");
    }
    // At the limits: 50 characters, the last one shifted to exactly 255.
    Login l;
    l.Open("new");
    l.Ok(at50, std::string(49, 'p') + "\xcd");
    EXPECT_FALSE(l.d.Visible);
    EXPECT_EQ(l.v.UserName, at50);
    EXPECT_EQ(l.v.Password.size(), 50u);
}

TEST(LoginDialog, ComparesThePasswordExactlyAndNotTheUserName) {
    Login l;
    l.v.UserName = "operator";
    l.v.Password = "Studio7";
    l.v.LoggedIn = kTrue;  // an earlier login does not carry a wrong attempt through
    l.Open("");
    EXPECT_EQ(l.d.Focus.Target, FocusTarget::Password);
    EXPECT_FALSE(l.d.Focus.SelectAll);

    for (const char* wrong : {"studio7", "STUDIO7", "Studio7 ", "Studio", ""}) {
        l.box.shown.clear();
        l.Ok("operator", wrong);
        ASSERT_EQ(l.box.shown.size(), 1u) << wrong;
        EXPECT_EQ(l.box.shown[0].text, "Invalid Password, try again!");
        EXPECT_EQ(l.box.shown[0].title, "Login");
        EXPECT_TRUE(l.d.Visible);
        EXPECT_EQ(l.d.PasswordText, wrong);  // kept, to be selected and typed over
        EXPECT_EQ(l.d.Focus.Target, FocusTarget::Password);
        EXPECT_TRUE(l.d.Focus.SelectAll);
        EXPECT_EQ(l.v.LoggedIn, kTrue);
    }

    l.box.shown.clear();
    l.Ok("somebody else", "Studio7");
    EXPECT_TRUE(l.box.shown.empty());
    EXPECT_FALSE(l.d.Visible);
    EXPECT_EQ(l.v.LoggedIn, kTrue);
    EXPECT_EQ(l.v.UserName, "operator");  // a login never changes the credentials
    EXPECT_EQ(l.v.Password, "Studio7");
}

TEST(LoginDialog, CancelAndTheFrameCloseEndALoginButNotTheFirstEntry) {
    Login l;
    l.v.Password = "pw";
    l.v.LoggedIn = kTrue;
    l.Open("");
    kv::LoginCancel(l.v, l.d);
    EXPECT_FALSE(l.d.Visible);
    EXPECT_EQ(l.v.LoggedIn, kFalse);

    l.v.LoggedIn = kTrue;
    l.Open("");
    l.d.PasswordText = "pw";  // typed but not confirmed with Ok
    kv::LoginFrameClose(l.v, l.box, l.d);
    EXPECT_FALSE(l.d.Visible);
    EXPECT_EQ(l.v.LoggedIn, kFalse);

    // First entry: the frame close takes what was typed, as Ok does.
    l.Open("new");
    l.d.UserNameText = "first";
    l.d.PasswordText = "secret";
    kv::LoginFrameClose(l.v, l.box, l.d);
    EXPECT_FALSE(l.d.Visible);
    EXPECT_EQ(l.v.UserName, "first");
    EXPECT_EQ(l.v.Password, "secret");
    EXPECT_EQ(l.v.LoggedIn, kFalse);
    EXPECT_TRUE(l.box.shown.empty());
}

TEST(LoginDialog, EveryShowingRefillsTheBoxesAndReadsTheTagAgain) {
    Login l;
    l.v.UserName = "alpha";
    l.v.Password = "right";
    l.Open("");
    l.Ok("typed name", "wrong");
    ASSERT_TRUE(l.d.Visible);
    kv::LoginCancel(l.v, l.d);

    l.v.UserName = "beta";
    l.Open("new");
    EXPECT_EQ(l.d.UserNameText, "beta");
    EXPECT_EQ(l.d.PasswordText, "");
    EXPECT_FALSE(l.d.CancelEnabled);
    EXPECT_EQ(l.d.Focus.Target, FocusTarget::UserName);
    EXPECT_FALSE(l.d.Focus.SelectAll);

    // The tag decides at Ok too: a mode word other than "new" is a login.
    l.d.Tag = "New";
    l.Ok("beta", "nope");
    EXPECT_EQ(l.box.shown.size(), 2u);
    EXPECT_EQ(l.v.Password, "right");
}
