#include "access/login_dialog.h"

#include <gtest/gtest.h>

#include "access/credential_check.h"
#include "dialog_fakes.h"

using kv::FocusTarget;
using kv::kFalse;
using kv::kTrue;

namespace {

struct Login : TestPanel {
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

TEST(LoginDialog, FirstEntryTakesBothBoxesAsTheyAreAndCannotBeCancelled) {
    Login l;
    l.v.UserName = "left over";
    l.Open("new");
    EXPECT_EQ(std::tuple(l.d.CancelEnabled, l.d.Focus.Target, l.d.UserNameText),
              std::tuple(false, FocusTarget::UserName, "left over"));
    kv::LoginCancel(l.v, l.d);  // Escape while Cancel is disabled
    EXPECT_TRUE(l.d.Visible);
    l.Ok("", "");
    EXPECT_EQ(std::tuple(l.d.Visible, l.v.UserName, l.v.Password, l.v.LoggedIn),
              std::tuple(false, "", "", kFalse));  // first entry is not a login

    // The empty password then opens the setup, whoever types it.
    l.Open("");
    EXPECT_TRUE(l.d.CancelEnabled);
    l.Ok("anyone", "");
    EXPECT_EQ(std::tuple(l.d.Visible, l.v.LoggedIn, l.v.UserName), std::tuple(false, kTrue, ""));
    EXPECT_TRUE(l.box.Boxes.empty());
}

TEST(LoginDialog, FirstEntryTheFileCannotHoldIsRefusedBeforeAnythingIsStored) {
    const std::string at50(50, 'n');
    const struct {
        std::string user, password;
        FocusTarget refused;  // None: taken
    } cases[] = {
        {at50 + "n", "", FocusTarget::UserName},
        {"a\nb", "", FocusTarget::UserName},  // would end the file's line
        {"", std::string(51, 'p'), FocusTarget::Password},
        {"", std::string("\0", 1), FocusTarget::Password},  // outside the 8-bit text
        {"", "\x7f", FocusTarget::Password},
        {"", "\x9f", FocusTarget::Password},
        {"", std::string(49, 'p') + "\xce", FocusTarget::Password},  // 206 + 50 passes 255
        {at50, std::string(49, 'p') + "\xcd", FocusTarget::None},    // exactly 255
        {" ~", "\xa0 ~", FocusTarget::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user + "/" + c.password);
        Login l;
        l.Open("new");
        l.Ok(c.user, c.password);
        if (c.refused == FocusTarget::None) {
            EXPECT_EQ(std::tuple(l.d.Visible, l.v.UserName, l.v.Password, l.box.Boxes.size()),
                      std::tuple(false, c.user, c.password, 0u));
            continue;
        }
        ASSERT_EQ(l.box.Boxes.size(), 1u);
        EXPECT_EQ(std::tuple(l.box.Boxes[0].Text, l.d.Focus.Target, l.d.Focus.SelectAll,
                             l.d.Visible, l.v.UserName + l.v.Password),
                  std::tuple(c.refused == FocusTarget::UserName ? kv::kUserNameRefused
                                                                : kv::kPasswordRefused,
                             c.refused, true, true, ""));
    }
}

TEST(LoginDialog, ComparesThePasswordExactlyAndNeverChangesTheCredentials) {
    Login l;
    l.v.UserName = "operator";
    l.v.Password = "Studio7";
    l.v.LoggedIn = kTrue;  // an earlier login does not carry a wrong attempt through
    l.Open("");
    EXPECT_EQ(std::tuple(l.d.Focus.Target, l.d.Focus.SelectAll),
              std::tuple(FocusTarget::Password, false));
    for (const char* wrong : {"studio7", "Studio7 ", "Studio", ""}) {
        l.box.Boxes.clear();
        l.Ok("operator", wrong);
        ASSERT_EQ(l.box.Boxes.size(), 1u) << wrong;
        EXPECT_EQ(std::tuple(l.box.Boxes[0].Text, l.box.Boxes[0].Title, l.d.Visible,
                             l.d.PasswordText, l.d.Focus.Target, l.d.Focus.SelectAll),
                  std::tuple("Invalid Password, try again!", "Login", true, wrong,
                             FocusTarget::Password, true));
    }
    l.box.Boxes.clear();
    l.Ok("somebody else", "Studio7");
    EXPECT_TRUE(l.box.Boxes.empty());
    EXPECT_EQ(std::tuple(l.d.Visible, l.v.LoggedIn, l.v.UserName, l.v.Password),
              std::tuple(false, kTrue, "operator", "Studio7"));

    // Every showing refills the boxes, and the tag decides at Ok too: "New" is a login.
    l.Open("new");
    EXPECT_EQ(std::tuple(l.d.UserNameText, l.d.PasswordText, l.d.CancelEnabled),
              std::tuple("operator", "", false));
    l.d.Tag = "New";
    l.Ok("beta", "nope");
    EXPECT_EQ(std::tuple(l.box.Boxes.size(), l.v.UserName), std::tuple(1u, "operator"));
}

TEST(LoginDialog, CancelAndTheFrameCloseEndALoginButNotTheFirstEntry) {
    Login l;
    l.v.Password = "pw";
    for (const bool frameClose : {false, true}) {
        l.v.LoggedIn = kTrue;
        l.Open("");
        l.d.PasswordText = "pw";  // typed but not confirmed with Ok
        frameClose ? kv::LoginFrameClose(l.v, l.box, l.d) : kv::LoginCancel(l.v, l.d);
        EXPECT_EQ(std::tuple(l.d.Visible, l.v.LoggedIn), std::tuple(false, kFalse)) << frameClose;
    }
    // First entry: the frame close takes what was typed, as Ok does.
    l.Open("new");
    l.d.UserNameText = "first";
    l.d.PasswordText = "secret";
    kv::LoginFrameClose(l.v, l.box, l.d);
    EXPECT_EQ(std::tuple(l.d.Visible, l.v.UserName, l.v.Password, l.v.LoggedIn),
              std::tuple(false, "first", "secret", kFalse));
    EXPECT_TRUE(l.box.Boxes.empty());
}

}  // namespace
