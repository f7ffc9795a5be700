#include "vorlexi_view.h"

#include "resource_ids.h"

const CRuntimeClass CVorlexiView::runtimeClass =
    DynamicClass<CVorlexiView>("CVorlexiView", &CEditView::runtimeClass);

// Print and print-direct share one handler, which tells them apart by the command id.
const MessageMap<CVorlexiView> CVorlexiView::messageMap{
    &CEditView::messageMap,
    {
        {ID_CALC_FILTER, &CVorlexiView::OnCalcFilter},
        {ID_FILE_PRINT, &CView::OnFilePrint},
        {ID_FILE_PRINT_DIRECT, &CView::OnFilePrint},
        {ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview},
    }};

BOOL CVorlexiView::PreCreateWindow(CREATESTRUCT& cs) {
    const BOOL created = CEditView::PreCreateWindow(cs);
    // Without automatic horizontal scrolling the control wraps long lines at its right
    // edge; the text itself keeps them whole.
    cs.style &= ~static_cast<LONG>(ES_AUTOHSCROLL | WS_HSCROLL);
    return created;
}

void CVorlexiView::OnInitialUpdate() {
    CView::OnInitialUpdate();
    // Each new or opened document brings another initial update; creating the font again
    // releases the one made before, and the control takes the new one at once.
    m_font.CreatePointFont(120, "COURIER");
    SetFont(&m_font, TRUE);
}

// The edit control paints itself.
void CVorlexiView::OnDraw(CDC*) {}
