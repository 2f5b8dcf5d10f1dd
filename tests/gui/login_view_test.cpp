#include <gtest/gtest.h>

#include "access/login_view.h"
#include "dialog_fakes.h"
#include "modal.h"

TEST(LoginView, AWrongPasswordIsSelectedForRetypingAndEnterIsOk) {
    TestPanel t;
    t.v.Password = "Studio7";
    LoginView login(t.s, nullptr);
    WhenModal([&](QWidget* w) {
        QLineEdit* password = Child(w, "txtPassword");
        EXPECT_EQ(password->echoMode(), QLineEdit::Password);
        QTest::keyClicks(password, "studio7");
        Click(w, "cmdOk");
        EXPECT_EQ(w->focusWidget(), password);
        EXPECT_EQ(password->selectedText(), "studio7");
        QTest::keyClicks(password, "Studio7");  // replaces the selected wrong password
        QTest::keyClick(password, Qt::Key_Return);
    });
    login.Open("");
    EXPECT_EQ(t.box.Titles(), "[Login]");
    EXPECT_EQ(t.v.LoggedIn, kv::kTrue);
}

TEST(LoginView, CancelEscapeAndTheFrameCloseEndALoginButNotTheFirstEntry) {
    TestPanel t;
    t.v.Password = "pw";  // what is typed: none of these may act as Ok
    LoginView login(t.s, nullptr);
    for (auto close : {+[](QWidget* w) { Click(w, "cmdCancel"); },
                       +[](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); },
                       +[](QWidget* w) { w->close(); }}) {
        t.v.LoggedIn = kv::kTrue;
        WhenModal([&](QWidget* w) {
            EXPECT_EQ(Child(w, "txtPassword")->text(), "");  // nothing left from before
            Type(w, "txtPassword", "pw");
            close(w);
        });
        login.Open("");
        EXPECT_EQ(t.v.LoggedIn, kv::kFalse);
    }
    WhenModal([&](QWidget* w) {
        EXPECT_FALSE(Child<QWidget>(w, "cmdCancel")->isEnabled());
        Type(w, "txtUserName", QString(60, 'n'));  // no more than the file keeps
        w->close();  // at the first entry the frame's close box takes the entry as Ok
    });
    login.Open("new");
    EXPECT_EQ(t.v.UserName, std::string(50, 'n'));
}
