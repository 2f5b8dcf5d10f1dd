#include "access/credential_view.h"

#include <gtest/gtest.h>
#include <QGroupBox>

#include "config/ini_file.h"
#include "modal_steps.h"
#include "services_fixture.h"

namespace {

QLineEdit* Box(QWidget* dialog, const char* name) {
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

void Fill(QWidget* w, const char* old, const char* user, const char* fresh, const char* confirm) {
    Type(w, "txtOldPassword", QString::fromLatin1(old));
    Type(w, "txtNewUserName", QString::fromLatin1(user));
    Type(w, "txtNewPassword", QString::fromLatin1(fresh));
    Type(w, "txtConfirmPassword", QString::fromLatin1(confirm));
}

// The dialog is back in front with the named box focused and its text selected.
ModalSteps::Ready SelectedIn(const char* name) {
    return [name](QWidget* w) {
        return dynamic_cast<CredentialView*>(w) != nullptr && Box(w, name)->hasSelectedText() &&
               w->focusWidget() == Box(w, name);
    };
}

}  // namespace

TEST(CredentialView, WrongOldPasswordThenDifferingConfirmationThenSuccessWritesTheFile) {
    DialogServices d;
    d.v.UserName = "operator";
    d.v.Password = "Old1";
    CredentialView view(d.s, &d.owner);
    EXPECT_EQ(view.windowTitle(), QStringLiteral("Password and User Information"));
    EXPECT_EQ(view.size(), QSize(313, 334));  // 4695 x 5010 layout units
    EXPECT_EQ(Child<QGroupBox>(&view, "Frame1")->title(), QStringLiteral("Existing Information"));
    EXPECT_EQ(Child<QGroupBox>(&view, "frmNewPassIfo")->title(), QStringLiteral("New Information"));

    ModalSteps steps;
    steps
        .Then(Is<CredentialView>(),
              [](QWidget* w) {
                  EXPECT_EQ(Box(w, "txtUserName")->text(), QStringLiteral("operator"));
                  EXPECT_EQ(w->focusWidget(), Box(w, "txtOldPassword"));
                  for (const char* masked :
                       {"txtOldPassword", "txtNewPassword", "txtConfirmPassword"}) {
                      EXPECT_EQ(Box(w, masked)->echoMode(), QLineEdit::Password) << masked;
                  }
                  Fill(w, "old1", "Ann", "New2", "New2");
                  Click(w, "cmdOk");
              })
        .Then(BoxWithText("Original Invalid Password!"),
              [&](QWidget* w) {
                  EXPECT_FALSE(d.dir.Exists(kv::kIniFileName));
                  ExpectBoxAndClose(w, "Login", QMessageBox::NoIcon);
              })
        .Then(SelectedIn("txtOldPassword"),
              [](QWidget* w) {
                  EXPECT_EQ(Box(w, "txtOldPassword")->selectedText(), QStringLiteral("old1"));
                  Fill(w, "Old1", "Ann", "New2", "NEW2");
                  Click(w, "cmdOk");
              })
        .Then(BoxWithText("New Password Entered Differently In Confirm Box"),
              [](QWidget* w) { ExpectBoxAndClose(w, "Login", QMessageBox::NoIcon); })
        .Then(SelectedIn("txtNewPassword"), [&](QWidget* w) {
            EXPECT_EQ(Box(w, "txtNewPassword")->selectedText(), QStringLiteral("New2"));
            EXPECT_FALSE(d.dir.Exists(kv::kIniFileName));
            EXPECT_EQ(d.v.Password, "Old1");
            Type(w, "txtConfirmPassword", QStringLiteral("New2"));
            Click(w, "cmdOk");
        });
    steps.Start();
    view.Open();
    EXPECT_TRUE(steps.Done());
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(d.v.UserName, "Ann");
    EXPECT_EQ(d.v.Password, "New2");

    ASSERT_TRUE(d.dir.Exists(kv::kIniFileName));
    const std::string written = d.dir.Read(kv::kIniFileName);
    EXPECT_NE(written.find("User Name=Ann\r\n"), std::string::npos);
    kv::IntercVariables back;
    kv::MainWindowView backView;
    kv::ProgramSetup(back, backView, d.dir.dir());
    ASSERT_TRUE(kv::ReadIniFile(back, backView));
    EXPECT_EQ(back.Password, "New2");

    // Reopened: refilled from the new user name; Cancel leaves the file alone.
    d.dir.Write(kv::kIniFileName, "untouched");
    ModalSteps again;
    again.Then(Is<CredentialView>(), [](QWidget* w) {
        EXPECT_EQ(Box(w, "txtUserName")->text(), QStringLiteral("Ann"));
        for (const char* empty :
             {"txtOldPassword", "txtNewUserName", "txtNewPassword", "txtConfirmPassword"}) {
            EXPECT_EQ(Box(w, empty)->text(), QString()) << empty;
            Type(w, empty, QString(60, QLatin1Char('x')));  // no more than the file keeps
            EXPECT_EQ(Box(w, empty)->text().size(), 50) << empty;
        }
        Fill(w, "New2", "Bob", "x", "x");
        Click(w, "cmdCancel");
    });
    again.Start();
    view.Open();
    EXPECT_TRUE(again.Done());
    EXPECT_EQ(d.dir.Read(kv::kIniFileName), "untouched");
    EXPECT_EQ(d.v.UserName, "Ann");
}

TEST(CredentialView, AFileThatCannotBeWrittenIsReportedAndTheChangeCanBeRetried) {
    DialogServices d;
    d.v.Password = "Old1";
    const std::string goodDirectory = d.v.ProgramDirectory;
    d.v.ProgramDirectory = goodDirectory + "missing/";
    CredentialView view(d.s, &d.owner);

    ModalSteps steps;
    steps
        .Then(Is<CredentialView>(),
              [](QWidget* w) {
                  Fill(w, "Old1", "Ann", "New2", "New2");
                  Click(w, "cmdOk");
              })
        .Then(BoxWithText("Error Writing Zebntpnl.ini File"),
              [&](QWidget* w) {
                  EXPECT_EQ(d.v.Password, "Old1");
                  ExpectBoxAndClose(w, "Error Writing File", QMessageBox::Critical);
              })
        .Then(Is<CredentialView>(), [&](QWidget* w) {
            EXPECT_EQ(Box(w, "txtNewPassword")->text(), QStringLiteral("New2"));
            d.v.ProgramDirectory = goodDirectory;
            Click(w, "cmdOk");
        });
    steps.Start();
    view.Open();
    EXPECT_TRUE(steps.Done());
    EXPECT_EQ(d.v.Password, "New2");
    EXPECT_TRUE(d.dir.Exists(kv::kIniFileName));
}
