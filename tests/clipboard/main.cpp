#include <QApplication>
#include <gtest/gtest.h>

// Runs on the offscreen platform that ctest sets, except for the child copy that the X11
// clipboard test starts with its own platform and display.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
