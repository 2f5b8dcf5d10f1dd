#include "platform/qt_message_box.h"

#include <gtest/gtest.h>
#include <QMessageBox>

#include "modal.h"

TEST(QtMessageBox, ShowsTitleTextIconAndOneOkButton) {
    kv::platform::QtMessageBox box;
    bool shown = false;
    WhenModal([&](QWidget* w) {
        auto* modal = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(modal, nullptr);
        shown = true;
        // Carriage returns are line breaks, also in a CR LF pair.
        EXPECT_EQ(modal->text(), "System Not Yet Configured.\nsecond line\nthird line");
        EXPECT_EQ(modal->windowTitle(), "Configuration Error");
        EXPECT_EQ(modal->icon(), QMessageBox::Warning);
        ASSERT_EQ(modal->buttons().size(), 1);
        EXPECT_EQ(modal->standardButton(modal->buttons().front()), QMessageBox::Ok);
        QTest::mouseClick(modal->buttons().front(), Qt::LeftButton);
    });
    box.Show("System Not Yet Configured.\rsecond line\r\nthird line", "Configuration Error",
             kv::platform::MessageIcon::Exclamation);
    EXPECT_TRUE(shown);
}
