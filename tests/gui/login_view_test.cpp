#include "access/login_view.h"

#include <gtest/gtest.h>

#include "access/credential_check.h"
#include "modal_steps.h"
#include "services_fixture.h"

namespace {

QLineEdit* Box(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

}  // namespace

TEST(LoginView, WrongPasswordShowsTheBoxAndSelectsTheWholeTextThenTheRightOneLogsIn) {
    DialogServices d;
    d.v.UserName = "operator";
    d.v.Password = "Studio7";
    LoginView login(d.s, &d.owner);
    EXPECT_EQ(login.windowTitle(), QStringLiteral("User Login"));
    EXPECT_EQ(login.size(), QSize(250, 103));  // 3750 x 1545 layout units

    ModalSteps steps;
    steps
        .Then(Is<LoginView>(),
              [](QWidget* w) {
                  EXPECT_EQ(Box(w, "txtUserName")->text(), QStringLiteral("operator"));
                  EXPECT_EQ(Box(w, "txtPassword")->text(), QString());
                  EXPECT_EQ(Box(w, "txtPassword")->echoMode(), QLineEdit::Password);
                  EXPECT_TRUE(Child<QPushButton>(w, "cmdCancel")->isEnabled());
                  EXPECT_EQ(w->focusWidget(), Box(w, "txtPassword"));
                  Type(w, "txtUserName", QStringLiteral("someone"));
                  Type(w, "txtPassword", QStringLiteral("studio7"));
                  Click(w, "cmdOk");
              })
        .Then(BoxWithText("Invalid Password, try again!"),
              [](QWidget* w) { ExpectBoxAndClose(w, "Login", QMessageBox::NoIcon); })
        .Then(
            [](QWidget* w) {
                return dynamic_cast<LoginView*>(w) != nullptr &&
                       Box(w, "txtPassword")->hasSelectedText();
            },
            [](QWidget* w) {
                QLineEdit* password = Box(w, "txtPassword");
                EXPECT_EQ(w->focusWidget(), password);
                EXPECT_EQ(password->selectedText(), QStringLiteral("studio7"));
                EXPECT_EQ(password->selectionStart(), 0);
                // Typing replaces the selected wrong password; Enter is Ok.
                QTest::keyClicks(password, QStringLiteral("Studio7"));
                QTest::keyClick(password, Qt::Key_Return);
            });
    steps.Start();
    login.Open("");
    EXPECT_TRUE(steps.Done());
    EXPECT_FALSE(login.isVisible());
    EXPECT_EQ(d.v.LoggedIn, kv::kTrue);
    EXPECT_EQ(d.v.UserName, "operator");
}

TEST(LoginView, CancelEscapeAndTheFrameCloseEndALoginAndTheBoxesAreRefilled) {
    DialogServices d;
    d.v.UserName = "operator";
    d.v.Password = "pw";
    LoginView login(d.s, &d.owner);

    const std::vector<std::function<void(QWidget*)>> closers{
        [](QWidget* w) { Click(w, "cmdCancel"); },
        [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); },
        [](QWidget* w) { w->close(); },
    };
    for (std::size_t i = 0; i < closers.size(); ++i) {
        d.v.LoggedIn = kv::kTrue;
        ModalSteps steps;
        steps.Then(Is<LoginView>(), [&](QWidget* w) {
            // Whatever the last showing left in the boxes is gone.
            EXPECT_EQ(Box(w, "txtPassword")->text(), QString()) << i;
            EXPECT_EQ(Box(w, "txtUserName")->text(), QStringLiteral("operator")) << i;
            Type(w, "txtUserName", QStringLiteral("changed"));
            Type(w, "txtPassword", QStringLiteral("pw"));
            closers[i](w);
        });
        steps.Start();
        login.Open("");
        EXPECT_TRUE(steps.Done()) << i;
        EXPECT_EQ(d.v.LoggedIn, kv::kFalse) << i;
        EXPECT_EQ(d.v.UserName, "operator") << i;
    }
}

TEST(LoginView, FirstEntryCannotBeSkippedAndStoresWhatWasTyped) {
    DialogServices d;
    LoginView login(d.s, &d.owner);

    ModalSteps steps;
    steps
        .Then(Is<LoginView>(),
              [&](QWidget* w) {
                  EXPECT_FALSE(Child<QPushButton>(w, "cmdCancel")->isEnabled());
                  EXPECT_EQ(w->focusWidget(), Box(w, "txtUserName"));
                  Type(w, "txtUserName", QString(60, QLatin1Char('n')));
                  EXPECT_EQ(Box(w, "txtUserName")->text().size(), 50);
                  Box(w, "txtUserName")->setText(QString::fromUtf8("Jos\u00e9"));
                  Box(w, "txtPassword")->setText(QString::fromUtf8("pw\u20ac"));
                  QTest::keyClick(w, Qt::Key_Escape);
                  EXPECT_TRUE(w->isVisible());  // Escape does nothing while Cancel is disabled
                  EXPECT_EQ(d.v.UserName, "");
                  w->close();  // the frame's close box takes the entry as Ok
              })
        .Then(BoxWithText(kv::kPasswordRefused),
              [](QWidget* w) { ExpectBoxAndClose(w, "Login", QMessageBox::NoIcon); })
        .Then(
            [](QWidget* w) {
                return dynamic_cast<LoginView*>(w) != nullptr &&
                       Box(w, "txtPassword")->hasSelectedText();
            },
            [&](QWidget* w) {
                EXPECT_EQ(d.v.Password, "");  // nothing stored from the refused entry
                QTest::keyClicks(Box(w, "txtPassword"), QStringLiteral("first pw"));
                w->close();
            });
    steps.Start();
    login.Open("new");
    EXPECT_TRUE(steps.Done());
    EXPECT_FALSE(login.isVisible());
    EXPECT_EQ(d.v.UserName, "Jos\xe9");
    EXPECT_EQ(d.v.Password, "first pw");
    EXPECT_EQ(d.v.LoggedIn, kv::kFalse);

    // Ok with both boxes empty stores empty credentials.
    ModalSteps empty;
    empty.Then(Is<LoginView>(), [](QWidget* w) {
        Type(w, "txtUserName", QString());
        Click(w, "cmdOk");
    });
    empty.Start();
    login.Open("new");
    EXPECT_TRUE(empty.Done());
    EXPECT_EQ(d.v.UserName, "");
    EXPECT_EQ(d.v.Password, "");
}
