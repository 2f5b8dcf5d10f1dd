#include "diag/about_view.h"

#include <gtest/gtest.h>
#include <QLabel>

#include "dialog_fakes.h"
#include "modal.h"

TEST(AboutView, EachShowingRecomputesTheValuesAndEnterCloses) {
    TestPanel t;
    AboutView about(t.s, nullptr);
    for (const char* server : {"Not Specified", "192.168.1.20"}) {
        t.v.IPAddress = server == std::string("Not Specified") ? "" : server;
        WhenModal([&](QWidget* w) {
            EXPECT_EQ(Child<QLabel>(w, "lblServerLocation")->text(), server);
            QTest::keyClick(w, Qt::Key_Return);  // Ok is the default button
        });
        about.Open();
        EXPECT_FALSE(about.isVisible());
    }
}
