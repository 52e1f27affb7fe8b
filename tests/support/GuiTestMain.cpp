// Test entry for window tests: one QApplication on the headless platform for the whole run.
#include "imageio/QtImages.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    UseQtPictureDecoder();
    return RUN_ALL_TESTS();
}
