// gtest entry for tests of Qt widgets: one QApplication for the whole run,
// headless through QT_QPA_PLATFORM=offscreen (set by ctest). A Windows build
// keeps Qt's own platform: under Wine its tests run on an Xvfb screen.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
