// The program's classes on a virtual X display of the test's own, with the program's
// resources and settings kept in a folder of the test's own.

#include "app_test_support.h"
#include "private_xvfb.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QTemporaryDir settings;
    qputenv("XDG_CONFIG_HOME", settings.path().toLocal8Bit());
    return RunOnPrivateXvfb(argc, argv, [] { return app_test::RunAllTestsInTheProgram(); });
}
