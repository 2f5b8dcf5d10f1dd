#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QTimer>

int main(int argc, char* argv[]) {
    // Test discovery runs without the test's environment: no display means offscreen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    // A dialog left open for ten seconds fails its test and is closed: no test hangs.
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QDialog*>(widget);
            const int seconds =
                dialog && dialog->isVisible() ? widget->property("open").toInt() + 1 : 0;
            widget->setProperty("open", seconds);
            if (seconds > 10) {
                ADD_FAILURE() << "left open: " << dialog->windowTitle().toStdString();
                dialog->done(QDialog::Rejected);
            }
        }
    });
    watchdog.start(1000);
    return RUN_ALL_TESTS();
}
