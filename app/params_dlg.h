#pragma once
// The "Enter parameters" dialog: the five entries of a calculation, kept as the user
// typed them. It reads no numbers and rejects nothing; the Calc Filter command does the
// reading. One object serves the whole run, so entries confirmed with OK come back at
// the next opening.

#include "afx.h"

class CParamsDlg : public CDialog {
public:
    static const MessageMap<CParamsDlg> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    explicit CParamsDlg(CWnd* parent = nullptr);

    CString m_strSampleFreq;  // hertz, engineering notation ("96k")
    CString m_strGain;        // a plain factor ("1")
    CString m_strZeroFreq;    // hertz of the extra zero; read only while m_bExtraZero is set
    int m_bExtraZero;         // 1 while "Extra zero" is ticked
    int m_bInverse;           // 1 while "Inverse" is ticked

protected:
    void DoDataExchange(CDataExchange* dx) override;
};
