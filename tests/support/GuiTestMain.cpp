// The main function of the widget test programs that need no set-up of their own. They run on
// the offscreen platform that ctest sets, except for the child copy that the X11 clipboard test
// starts with its own platform and display.

#include <QApplication>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Keeps tests out of the user's own settings and cache folders.
    QStandardPaths::setTestModeEnabled(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
