#include "about_dlg.h"

#include "resource_ids.h"

const MessageMap<CAboutDlg> CAboutDlg::messageMap{&CDialog::messageMap, {}};

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(CDataExchange* dx) { CDialog::DoDataExchange(dx); }
