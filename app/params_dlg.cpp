#include "params_dlg.h"

#include "resource_ids.h"

// No notification is handled: "Zero Frequency" stays enabled whether or not "Extra zero"
// is ticked, so a frequency typed once survives switching the extra zero off and on.
const MessageMap<CParamsDlg> CParamsDlg::messageMap{&CDialog::messageMap, {}};

CParamsDlg::CParamsDlg(CWnd* parent)
    : CDialog(IDD_PARAMS, parent),
      m_strSampleFreq("96k"),
      m_strGain("1"),
      m_strZeroFreq(""),
      m_bExtraZero(0),
      m_bInverse(0) {}

void CParamsDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, IDC_SAMPLE_FREQ, m_strSampleFreq);
    DDX_Text(dx, IDC_GAIN, m_strGain);
    DDX_Text(dx, IDC_ZERO_FREQ, m_strZeroFreq);
    DDX_Check(dx, IDC_EXTRA_ZERO, m_bExtraZero);
    DDX_Check(dx, IDC_INVERSE, m_bInverse);
}
