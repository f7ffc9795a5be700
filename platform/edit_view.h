#pragma once
// The edit view: a view whose window is a multi-line edit control holding the document's
// text. User edits mark the document modified; SetWindowText replaces the whole text
// without doing so (and can be undone). Without ES_AUTOHSCROLL and WS_HSCROLL in the
// creation style, long lines wrap at the window's edge and there is no horizontal scroll
// bar. The Edit commands Undo, Cut, Copy and Paste are in its map with update handlers.
// It prints its text in the view's font, paginated; OnDraw is left to the program.

#include "archive.h"
#include "view.h"

namespace platform {

class EditControl;

class CEditView : public CView {
public:
    static const CRuntimeClass runtimeClass;
    static const MessageMap<CEditView> messageMap;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    const MessageMapBase* GetMessageMap() const override { return &messageMap; }

    // The whole text, in Windows-1252; a null text empties the view.
    void SetWindowText(LPCTSTR text);

    // The text as raw bytes, to or from the archive: loading takes all its bytes as the
    // new text, storing writes the text's bytes. Storing text that Windows-1252 cannot
    // hold tells the user first and throws CUserException when the user cancels.
    void SerializeRaw(CArchive& archive);

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnDocumentReplaced() override;

    // Standard Edit commands and their update handlers.
    void OnEditUndo();
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnUpdateEditUndo(CCmdUI* ui);
    void OnUpdateNeedSel(CCmdUI* ui);
    void OnUpdateNeedClip(CCmdUI* ui);

    // The edit control; null before the view's window exists.
    EditControl* GetEditCtrl() const;

protected:
    QWidget* CreateViewWidget(const CREATESTRUCT& cs) override;
    bool PrintTo(QPrinter& printer, bool preview) override;
};

}  // namespace platform
