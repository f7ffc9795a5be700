#include "message_box.h"

#include "qt_bridge.h"
#include "wnd.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <iterator>

namespace platform {

namespace {

UserPrompts& Prompts() {
    static UserPrompts prompts;
    return prompts;
}

QMessageBox::StandardButtons ButtonsFor(UINT type) {
    const UINT buttons = type & MB_TYPEMASK;
    return buttons == MB_YESNOCANCEL ? QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel
           : buttons == MB_OKCANCEL  ? QMessageBox::Ok | QMessageBox::Cancel
                                     : QMessageBox::StandardButtons(QMessageBox::Ok);
}

// MB_ICONSTOP, MB_ICONQUESTION and MB_ICONEXCLAMATION are 1, 2 and 3 in the icon bits.
constexpr QMessageBox::Icon kIcons[] = {QMessageBox::NoIcon, QMessageBox::Critical,
                                        QMessageBox::Question, QMessageBox::Warning};

int AnswerFor(int button) {
    return button == QMessageBox::Yes      ? IDYES
           : button == QMessageBox::No     ? IDNO
           : button == QMessageBox::Cancel ? IDCANCEL
                                           : IDOK;
}

}  // namespace

QWidget* MainWindowWidget() {
    const CWnd* mainWindow = AfxGetMainWnd();
    return mainWindow != nullptr ? mainWindow->Widget() : nullptr;
}

int AfxMessageBox(LPCTSTR text, UINT type) { return ShowMessageBox(ToQString(text), type); }

int ShowMessageBox(const QString& message, UINT type) {
    if (Prompts().messageBox) {
        return Prompts().messageBox(ToCString(message), type);
    }
    const UINT icon = type & MB_ICONMASK;
    const bool isError = icon == MB_ICONSTOP || icon == MB_ICONEXCLAMATION;
    const bool hasDisplay = qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr &&
                            QGuiApplication::platformName() != QLatin1String("offscreen");
    // Failures also go to standard error, where scripts and logs of an unattended run see
    // them; with no display that is the only place they can go.
    if (isError || !hasDisplay) {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
        std::fflush(stderr);
    }
    if (!hasDisplay) {
        // Nobody to ask: the safe answer, Cancel where there is one.
        return (type & MB_TYPEMASK) == MB_OK ? IDOK : IDCANCEL;
    }
    const UINT iconIndex = (type & MB_ICONMASK) >> 4;
    QMessageBox box(iconIndex < std::size(kIcons) ? kIcons[iconIndex] : QMessageBox::NoIcon,
                    QGuiApplication::applicationDisplayName(), message, ButtonsFor(type),
                    MainWindowWidget());
    return AnswerFor(box.exec());
}

UserPrompts SetUserPrompts(UserPrompts prompts) {
    UserPrompts previous = std::move(Prompts());
    Prompts() = std::move(prompts);
    return previous;
}

const UserPrompts& GetUserPrompts() { return Prompts(); }

}  // namespace platform
