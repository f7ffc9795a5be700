#include "about_dlg.h"

#include "resource_ids.h"

const MessageMap<CAboutDlg> CAboutDlg::messageMap{&CDialog::messageMap, {}};

// Nothing is exchanged: the box shows its template's texts.
CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
