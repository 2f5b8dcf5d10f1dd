#include "access/login_dialog.h"

#include <gtest/gtest.h>

#include "access/credential_check.h"
#include "dialog_fakes.h"

using kv::FocusTarget;
using kv::kFalse;
using kv::kTrue;

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

TEST(LoginDialog, FirstEntryTheFileCannotHoldIsRefusedBeforeAnythingIsStored) {
    const std::string n50(50, 'n'), p49(49, 'p');
    const struct {
        std::string user, password;
        FocusTarget refused;  // None: taken
    } cases[] = {{n50 + "n", "", FocusTarget::UserName},
                 {"a\nb", "", FocusTarget::UserName},  // would end the file's line
                 {"", p49 + "pp", FocusTarget::Password},
                 {"", std::string("\0", 1), FocusTarget::Password},  // outside the 8-bit text
                 {"", "\x7f", FocusTarget::Password},
                 {"", "\x9f", FocusTarget::Password},
                 {"", p49 + "\xce", FocusTarget::Password},  // 206 + 50 passes 255
                 {n50, p49 + "\xcd", FocusTarget::None},     // exactly 255
                 {" ~\xff", "\xa0 ~", FocusTarget::None}};   // the ends of the 8-bit text
    for (const auto& c : cases) {
        Login l;
        l.Open("new");
        l.Ok(c.user, c.password);
        const bool taken = c.refused == FocusTarget::None;
        const std::string text = c.refused == FocusTarget::UserName ? kv::kUserNameRefused
                                 : taken                            ? ""
                                                                    : kv::kPasswordRefused;
        EXPECT_EQ(std::tuple(l.box.Boxes.empty() ? "" : l.box.Boxes[0].Text, l.d.Focus.Target,
                             l.d.Focus.SelectAll, l.d.Visible, l.v.UserName + l.v.Password),
                  std::tuple(text, taken ? FocusTarget::UserName : c.refused, !taken, !taken,
                             taken ? c.user + c.password : ""))
            << c.user << "/" << c.password;
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
        EXPECT_EQ(std::tuple(l.box.Titles(), l.box.Boxes.at(0).Text, l.d.Visible, l.d.PasswordText,
                             l.d.Focus.Target, l.d.Focus.SelectAll),
                  std::tuple("[Login]", "Invalid Password, try again!", true, wrong,
                             FocusTarget::Password, true));
    }
    l.box.Boxes.clear();
    l.Ok("somebody else", "Studio7");
    EXPECT_EQ(std::tuple(l.box.Titles(), l.d.Visible, l.v.LoggedIn, l.v.UserName),
              std::tuple("", false, kTrue, "operator"));
    // Every showing refills the boxes, and the tag decides at Ok too: "New" is a login.
    l.Open("new");
    EXPECT_EQ(std::tuple(l.d.UserNameText, l.d.PasswordText), std::tuple("operator", ""));
    l.d.Tag = "New";
    l.Ok("beta", "nope");
    EXPECT_EQ(std::tuple(l.box.Titles(), l.v.UserName), std::tuple("[Login]", "operator"));
}

// Cancel and the frame close ending a login are driven through the window in the GUI tests.
// The first entry cannot be cancelled, takes both boxes as they are (also at the frame close)
// and is not a login; the empty password then opens setup.
TEST(LoginDialog, TheFirstEntryCannotBeCancelledAndIsNotALogin) {
    Login l;
    l.v.UserName = "left over";
    l.Open("new");
    kv::LoginCancel(l.v, l.d);  // Escape while Cancel is disabled
    EXPECT_EQ(std::tuple(l.d.CancelEnabled, l.d.Focus.Target, l.d.UserNameText, l.d.Visible),
              std::tuple(false, FocusTarget::UserName, "left over", true));
    l.d.UserNameText = l.d.PasswordText = "";
    kv::LoginFrameClose(l.v, l.box, l.d);
    EXPECT_EQ(std::tuple(l.d.Visible, l.v.UserName, l.v.Password, l.v.LoggedIn, l.box.Titles()),
              std::tuple(false, "", "", kFalse, ""));
    l.Open("");
    l.Ok("anyone", "");
    EXPECT_EQ(std::tuple(l.d.CancelEnabled, l.d.Visible, l.v.LoggedIn),
              std::tuple(true, false, kTrue));
}
