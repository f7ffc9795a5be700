// The Calc Filter command: the parameter dialog, the calculation and the new text.

#include "params_dlg.h"
#include "reports/filter_calculation.h"
#include "vorlexi_view.h"

namespace {

// One dialog for the whole run, made on the first command and destroyed at exit, so the
// entries confirmed last are offered again; they are never saved.
CParamsDlg& ParametersDialog() {
    static CParamsDlg dialog;
    return dialog;
}

}  // namespace

void CVorlexiView::OnCalcFilter() {
    CParamsDlg& parameters = ParametersDialog();
    if (parameters.DoModal() != IDOK) {
        return;
    }
    FilterEntries entries;
    entries.sampleFreq = parameters.m_strSampleFreq.Str();
    entries.gain = parameters.m_strGain.Str();
    entries.zeroFreq = parameters.m_strZeroFreq.Str();
    entries.extraZero = parameters.m_bExtraZero != 0;
    entries.inverse = parameters.m_bInverse != 0;
    const FilterCalculation calculation = CalculateFilter(entries);
    // Replacing the whole text leaves the document's modified state alone and stays one
    // undo step, so Edit > Undo brings back what the user had before.
    SetWindowText(calculation.text.c_str());
}
