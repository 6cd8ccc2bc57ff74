// Test entry point: a QApplication on the offscreen platform in the program's style, then GoogleTest.
#include "ui/FocusFrameStyle.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    QApplication::setStyle(new quillora::FocusFrameStyle);
    return RUN_ALL_TESTS();
}
