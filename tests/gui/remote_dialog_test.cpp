#include <gtest/gtest.h>
#include <QAction>
#include <QDialogButtonBox>
#include <QPushButton>

#include "dialog_fakes.h"
#include "modal.h"
#include "panel/main_window_view.h"
#include "remote/control_token.h"
#include "remote/remote_control_view.h"
#include "remote/remote_dialog_view.h"

using kv::remote::kTokenFileName;

TEST(RemoteDialogGui, TheChoiceIsSavedInKeyvaneConfAndAppliedTheTokenRenewed) {
    TestPanel t;
    kv::MainWindow win{t.s, t.dir.dir()};
    kv::remote::RemoteControl remote(t.s.ctx, win, t.dir.path().string());
    const QList<QAction*> entries = win.findChildren<QAction*>();
    EXPECT_EQ(std::ranges::count(entries, "Remote Control...", &QAction::text), 1);
    std::string renewed;
    WhenModal([&](QWidget* d) {
        const std::string first = t.dir.Read(kTokenFileName);
        EXPECT_EQ(Child(d, "txtToken")->text().toStdString() + "\n", first);
        Click(d, "cmdNewToken");
        renewed = t.dir.Read(kTokenFileName);
        EXPECT_NE(renewed, first);
        EXPECT_EQ(Child(d, "txtToken")->text().toStdString() + "\n", renewed);
        Click(d, "chkEnabled");
        Type(d, "txtPort", "0");
        Type(d, "txtLease", "7");
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    kv::remote::OpenRemoteDialog(remote, &win);
    EXPECT_TRUE(remote.Url().startsWith("http://127.0.0.1:"));
    const kv::remote::ControlSettings on{true, "127.0.0.1", 0, 7};
    EXPECT_EQ(remote.Saved(), on);
    EXPECT_NE(t.dir.Read("keyvane.conf").find("[control]"), std::string::npos);
    EXPECT_EQ(t.dir.Read(kTokenFileName), renewed);
    EXPECT_EQ(t.dir.Read("zebntpnl.ini").find("control"), std::string::npos);

    WhenModal([&](QWidget* d) {
        EXPECT_EQ(Child(d, "txtLease")->text(), "7");
        Click(d, "chkEnabled");
        d->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    kv::remote::OpenRemoteDialog(remote, &win);
    EXPECT_TRUE(remote.Url().isEmpty());
    EXPECT_FALSE(remote.Saved().Enabled);
}
