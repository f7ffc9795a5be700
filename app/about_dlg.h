#pragma once
// The About box: the program's name, version and terms, all in its dialog template.

#include "afx.h"

class CAboutDlg : public CDialog {
public:
    static const MessageMap<CAboutDlg> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    CAboutDlg();
};
