// One Qt application for every case, on the offscreen platform, with the program's
// resources handed to the layer and settings kept in a folder of the test's own.

#include "afx.h"
#include "app_test_support.h"
#include "vorlexi_app.h"
#include "vorlexi_resources.h"

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
    AfxSetResourceModule(VorlexiResources());
    app_test::FailOnUnansweredQuestions();
    CVorlexiApp application;
    const int status = RUN_ALL_TESTS();
    // As at the end of a run: the windows go while Qt is still there.
    application.ExitInstance();
    return status;
}
