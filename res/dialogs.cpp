// Dialog templates: the parameter dialog (130) and the About box (100).
// Rectangles are x, y, width, height in dialog units of the template's font;
// template order is tab order.

#include "resource_ids.h"
#include "resource_tables.h"

namespace vorlexi::res {
namespace {

using namespace platform;

constexpr UINT kModalDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT;
constexpr UINT kChild = WS_CHILD | WS_VISIBLE;
constexpr UINT kEntryStyle = kChild | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr UINT kLabelStyle = kChild | SS_LEFT | WS_GROUP;
constexpr UINT kCheckBoxStyle = kChild | BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr char kDialogFont[] = "MS Sans Serif";

// OK comes first so that it holds the focus when the dialog opens; the labels sit
// after the buttons and before their fields.
constexpr DialogItemTemplate kParamsControls[] = {
    {ControlClass::Button, IDOK, "OK", 98, 80, 50, 14, kChild | BS_DEFPUSHBUTTON | WS_TABSTOP},
    {ControlClass::Button, IDCANCEL, "Cancel", 7, 80, 50, 14, kChild | BS_PUSHBUTTON | WS_TABSTOP},
    {ControlClass::Static, IDC_STATIC, "Sampling Frequency", 10, 10, 65, 8, kLabelStyle},
    {ControlClass::Static, IDC_STATIC, "Gain", 10, 25, 16, 8, kLabelStyle},
    {ControlClass::Edit, IDC_SAMPLE_FREQ, "", 88, 8, 40, 14, kEntryStyle},
    {ControlClass::Edit, IDC_GAIN, "", 88, 23, 40, 14, kEntryStyle},
    {ControlClass::Button, IDC_EXTRA_ZERO, "Extra zero", 10, 40, 47, 10, kCheckBoxStyle},
    {ControlClass::Edit, IDC_ZERO_FREQ, "", 88, 53, 40, 14, kEntryStyle},
    {ControlClass::Static, IDC_STATIC, "Zero Frequency", 10, 55, 51, 8, kLabelStyle},
    {ControlClass::Button, IDC_INVERSE, "Inverse", 85, 40, 39, 10, kCheckBoxStyle},
};

constexpr DialogItemTemplate kAboutControls[] = {
    {ControlClass::Static, IDC_STATIC, "", 7, 7, 21, 20, kChild | SS_ICON, IDR_MAINFRAME},
    {ControlClass::Static, IDC_STATIC, "vorlexi Version " VORLEXI_VERSION, 41, 7, 119, 8,
     kLabelStyle | SS_NOPREFIX},
    {ControlClass::Static, IDC_STATIC, kCopyrightLine, 41, 17, 119, 8, kLabelStyle},
    {ControlClass::Button, IDOK, "OK", 199, 7, 50, 14,
     kChild | WS_GROUP | WS_TABSTOP | BS_DEFPUSHBUTTON},
    {ControlClass::Static, IDC_STATIC, "Uses the Qt 6 toolkit", 41, 27, 88, 8, kLabelStyle},
    {ControlClass::Static, IDC_STATIC, "vorlexi.example.org", 41, 37, 78, 8, kLabelStyle},
    {ControlClass::Static, IDC_STATIC, "Terms of use", 7, 55, 63, 10, kLabelStyle},
    {ControlClass::Static, IDC_STATIC,
     "vorlexi comes with no warranty of any kind. Check the coefficients it "
     "designs before you rely on them: the authors are not liable for damage to "
     "equipment, recordings or ears.",
     7, 70, 242, 35, kLabelStyle},
    {ControlClass::Static, IDC_STATIC,
     "You may use, copy and pass on this program freely, provided that this notice "
     "goes with every copy.",
     7, 110, 242, 20, kLabelStyle},
};

constexpr DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX, "About vorlexi", 0, 0, 256, 137, kModalDialogStyle, kDialogFont, 8,
     kAboutControls},
    {IDD_PARAMS, "Enter parameters", 0, 0, 155, 102, kModalDialogStyle, kDialogFont, 8,
     kParamsControls},
};

}  // namespace

std::span<const DialogTemplate> Dialogs() { return kDialogs; }

}  // namespace vorlexi::res
