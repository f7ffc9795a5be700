#include "message_box.h"
#include "message_box_qt.h"

#include "qt_bridge.h"
#include "resources.h"
#include "win_app.h"
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
        case MB_YESNO:
            return QMessageBox::Yes | QMessageBox::No;
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
        case MB_ICONINFORMATION:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int AnswerFor(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return static_cast<int>(IDYES);
        case QMessageBox::No:
            return static_cast<int>(IDNO);
        case QMessageBox::Cancel:
            return static_cast<int>(IDCANCEL);
        default:
            return static_cast<int>(IDOK);
    }
}

// With nobody to ask, the safe answer: Cancel where there is one, else the first button.
int UnattendedAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
        case MB_OKCANCEL:
        case MB_YESNOCANCEL:
            return static_cast<int>(IDCANCEL);
        case MB_YESNO:
            return static_cast<int>(IDNO);
        default:
            return static_cast<int>(IDOK);
    }
}

}  // namespace

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
        return UnattendedAnswer(type);
    }
    CWnd* mainWindow = AfxGetMainWnd();
    QWidget* owner = mainWindow != nullptr ? mainWindow->Widget() : nullptr;
    QString title;
    if (const CWinApp* app = AfxGetApp(); app != nullptr && app->m_pszAppName != nullptr) {
        title = ToQString(app->m_pszAppName);
    }
    QMessageBox box(IconFor(type), title, message, ButtonsFor(type), owner);
    return AnswerFor(box.exec());
}

int AfxMessageBox(UINT stringId, UINT type) {
    return AfxMessageBox(FindStringResource(stringId), type);
}

UserPrompts SetUserPrompts(UserPrompts prompts) {
    UserPrompts previous = std::move(Prompts());
    Prompts() = std::move(prompts);
    return previous;
}

const UserPrompts& GetUserPrompts() { return Prompts(); }

}  // namespace platform
