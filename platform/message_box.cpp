#include "message_box.h"

#include "qt_bridge.h"
#include "wnd.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

namespace platform {

namespace {

UserPrompts& Prompts() {
    static UserPrompts prompts;
    return prompts;
}

QMessageBox::StandardButtons ButtonsFor(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case MB_YESNOCANCEL:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconFor(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONSTOP:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONEXCLAMATION:
            return QMessageBox::Warning;
        default:
            return QMessageBox::NoIcon;
    }
}

int AnswerFor(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return IDYES;
        case QMessageBox::No:
            return IDNO;
        case QMessageBox::Cancel:
            return IDCANCEL;
        default:
            return IDOK;
    }
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
    QMessageBox box(IconFor(type), QGuiApplication::applicationDisplayName(), message,
                    ButtonsFor(type), MainWindowWidget());
    return AnswerFor(box.exec());
}

UserPrompts SetUserPrompts(UserPrompts prompts) {
    UserPrompts previous = std::move(Prompts());
    Prompts() = std::move(prompts);
    return previous;
}

const UserPrompts& GetUserPrompts() { return Prompts(); }

}  // namespace platform
