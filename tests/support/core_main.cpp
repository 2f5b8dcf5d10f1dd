#include <gtest/gtest.h>
#include <QCoreApplication>

// The process and socket tests need an application object for Qt's event loop.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
