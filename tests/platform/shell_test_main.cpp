// Entry point of the shell tests: the one application object, the test resources, and a
// Qt application on the offscreen platform. Settings go to a folder of the process's own:
// ctest runs the cases as separate processes side by side, and a shared recent-file list
// would take one case's files into another.
#include "print_job.h"
#include "test_resources.h"
#include "test_shell.h"

#include <QApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

CTestApp theApp;

}  // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    platform::AfxSetResourceModule(test_resources::Module());
    theApp.SetAppNameFromResources();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    theApp.ExitInstance();
    platform::AfxReleasePrinter();
    return result;
}
