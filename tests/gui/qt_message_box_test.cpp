#include "platform/qt_message_box.h"

#include <gtest/gtest.h>

#include "modal_steps.h"

TEST(QtMessageBox, ShowsTitleTextIconAndOneOkButton) {
    kv::platform::QtMessageBox box;
    ModalSteps steps;
    steps.Then(BoxWithText("System Not Yet Configured.\nsecond line\nthird line"), [](QWidget* w) {
        ExpectBoxAndClose(w, "Configuration Error", QMessageBox::Warning);
    });
    steps.Start();
    // Carriage returns are line breaks, also in a CR LF pair.
    box.Show("System Not Yet Configured.\rsecond line\r\nthird line", "Configuration Error",
             kv::platform::MessageIcon::Exclamation);
    EXPECT_TRUE(steps.Done());
}
