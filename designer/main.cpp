// vorlexi-designer: every design, curve and export of vorlexi in one window.

#include <QApplication>
#include <QDeadlineTimer>
#include <QIcon>

#include <iostream>

#include "command_line.h"
#include "main_window.h"

int main(int argc, char** argv) {
    DesignerOptions options;
    if (const auto done = ReadCommandLine(argc, argv, options, std::cout, std::cerr)) {
        return *done;
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("vorlexi"));
    QApplication::setApplicationName(QStringLiteral("vorlexi-designer"));
    QApplication::setApplicationVersion(QStringLiteral(VORLEXI_VERSION));
    // The desktop entry's name: Wayland compositors match the window to it (and its icon).
    QGuiApplication::setDesktopFileName(QStringLiteral(VORLEXI_DESIGNER_APP_ID));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral(VORLEXI_APP_ID)));

    MainWindow window;
    window.show();
    const int status = QApplication::exec();
    if (options.printState) {
        // A change made just before quitting is still being designed: print its outcome.
        QDeadlineTimer deadline(30000);
        while (!window.ShowsCurrentSettings() && !deadline.hasExpired()) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
        }
        std::cout << window.StateText().toStdString() << std::flush;
    }
    return status;
}
