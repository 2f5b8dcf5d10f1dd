#include "diag/about_view.h"

#include <gtest/gtest.h>
#include <QGroupBox>
#include <QLabel>

#include "modal_steps.h"
#include "services_fixture.h"

namespace {

QString Text(QWidget* w, const char* label) {
    const QLabel* l = Child<QLabel>(w, label);
    return l != nullptr ? l->text() : QString();
}

}  // namespace

TEST(AboutView, EachShowingRecomputesTheValues) {
    DialogServices d;
    AboutView about(d.s, &d.owner);
    EXPECT_EQ(about.windowTitle(), QStringLiteral("ZEB Intercom Keyvane Information"));

    ModalSteps first;
    first.Then(Is<AboutView>(), [](QWidget* w) {
        EXPECT_EQ(Text(w, "lblZEBtitle"), QStringLiteral("ZEB Intercom Systems Inc"));
        EXPECT_EQ(Text(w, "lblZEBaddress"),
                  QStringLiteral("1200 Harbour Road, Suite 4, Port Alder, ON  K0K 1A0"));
        EXPECT_EQ(Text(w, "lblZEBaddress2"), QStringLiteral("(555) 010-0199 - keyvane.example"));
        EXPECT_EQ(Text(w, "lblVersionInfo"),
                  QStringLiteral("Intercom Keyvane\nVersion 2.05 - 03/30/2020"));
        EXPECT_EQ(Text(w, "lblTimeOutPeriod"), QStringLiteral("Timeout Period:"));
        EXPECT_EQ(Text(w, "LblTimeOut"), QStringLiteral("20 Seconds"));
        EXPECT_EQ(Text(w, "lblRate"), QStringLiteral("1 Seconds"));
        EXPECT_EQ(Text(w, "lblOutputControlled"), QStringLiteral("Not Connected"));
        EXPECT_EQ(Text(w, "lblServerLocation"), QStringLiteral("Not Specified"));
        EXPECT_EQ(Child<QGroupBox>(w, "frmSetupInfo")->title(),
                  QStringLiteral("Setup Information"));
        Click(w, "cmdAboutquit");
    });
    first.Start();
    about.Open();
    EXPECT_TRUE(first.Done());
    EXPECT_FALSE(about.isVisible());

    d.v.IPAddress = "192.168.1.20";
    d.v.Connected = kv::kTrue;
    d.v.AssignedOutputIndex = 2;  // program setup's tables: "Out 0003", station number 3
    d.v.RefreshRate = 5;
    ModalSteps second;
    second.Then(Is<AboutView>(), [](QWidget* w) {
        EXPECT_EQ(Text(w, "lblServerLocation"), QStringLiteral("192.168.1.20"));
        EXPECT_EQ(Text(w, "lblOutputControlled"), QStringLiteral("Output 4 - (Out 0003)"));
        EXPECT_EQ(Text(w, "lblRate"), QStringLiteral("5 Seconds"));
        QTest::keyClick(w, Qt::Key_Return);  // Ok is the default button
    });
    second.Start();
    about.Open();
    EXPECT_TRUE(second.Done());
}
