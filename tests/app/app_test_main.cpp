// One Qt application for every case, on the offscreen platform, with the program's
// resources handed to the layer and settings kept in a folder of the test's own.

#include "app_test_support.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    QApplication qtApplication(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return app_test::RunAllTestsInTheProgram();
}
