#pragma once
// The view: an edit view that wraps long lines at the window's edge and shows its text in
// 12-point Courier, printing binds, and the Calc Filter command that replaces the whole
// text with a newly calculated filter. It prints as the edit view does, in its own font.

#include "afx.h"

class CVorlexiView : public CEditView {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    static const MessageMap<CVorlexiView> messageMap;
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;

    // Actions > Calc Filter: asks for the parameters and, on OK, sets the summary and the
    // coefficient report as the whole text. Defined in calc_filter.cpp.
    void OnCalcFilter();

protected:
    CFont m_font;
};
