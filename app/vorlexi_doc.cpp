#include "vorlexi_doc.h"

#include "vorlexi_view.h"

const CRuntimeClass CVorlexiDoc::runtimeClass =
    DynamicClass<CVorlexiDoc>("CVorlexiDoc", &CDocument::runtimeClass);

const MessageMap<CVorlexiDoc> CVorlexiDoc::messageMap{&CDocument::messageMap, {}};

CVorlexiView* CVorlexiDoc::FirstView() const { return static_cast<CVorlexiView*>(GetFirstView()); }

void CVorlexiDoc::Serialize(CArchive& archive) { FirstView()->SerializeRaw(archive); }

BOOL CVorlexiDoc::OnNewDocument() {
    if (!CDocument::OnNewDocument()) {
        return FALSE;
    }
    // The single-document template reuses this document and its view for every New,
    // so the previous text has to go here.
    FirstView()->SetWindowText(nullptr);
    return TRUE;
}
