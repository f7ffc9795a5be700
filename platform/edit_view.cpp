#include "edit_view.h"

#include "document.h"
#include "edit_control.h"
#include "message_box.h"
#include "text_printer.h"

#include <QTextDocument>

namespace platform {

const CRuntimeClass CEditView::runtimeClass{"CEditView", nullptr, &CView::runtimeClass};
const MessageMap<CEditView> CEditView::messageMap{&CCmdTarget::messageMap,
                                                  {
                                                      {ID_EDIT_UNDO, &CEditView::OnEditUndo},
                                                      {ID_EDIT_UNDO, &CEditView::OnUpdateEditUndo},
                                                      {ID_EDIT_CUT, &CEditView::OnEditCut},
                                                      {ID_EDIT_CUT, &CEditView::OnUpdateNeedSel},
                                                      {ID_EDIT_COPY, &CEditView::OnEditCopy},
                                                      {ID_EDIT_COPY, &CEditView::OnUpdateNeedSel},
                                                      {ID_EDIT_PASTE, &CEditView::OnEditPaste},
                                                      {ID_EDIT_PASTE, &CEditView::OnUpdateNeedClip},
                                                  }};

EditControl* CEditView::GetEditCtrl() const { return static_cast<EditControl*>(Widget()); }

BOOL CEditView::PreCreateWindow(CREATESTRUCT& cs) {
    const BOOL result = CView::PreCreateWindow(cs);
    cs.style |= ES_AUTOHSCROLL | WS_HSCROLL;
    return result;
}

QWidget* CEditView::CreateViewWidget(const CREATESTRUCT& cs) {
    auto* edit = new EditControl;
    // Without horizontal scrolling a multi-line edit control breaks long lines at its edge.
    edit->setWordWrapAtWindowEdge((cs.style & (ES_AUTOHSCROLL | WS_HSCROLL)) == 0);
    QObject::connect(edit, &EditControl::userEdited, edit, [this] {
        if (CDocument* document = GetDocument()) {
            document->SetModifiedFlag(TRUE);
        }
    });
    return edit;
}

void CEditView::SetWindowText(LPCTSTR text) {
    if (EditControl* edit = GetEditCtrl()) {
        edit->setRawText(text != nullptr ? std::string_view(text) : std::string_view());
    }
}

void CEditView::SerializeRaw(CArchive& archive) {
    EditControl* edit = GetEditCtrl();
    if (edit == nullptr) {
        throw CArchiveException{"The document has no view to hold its text."};
    }
    if (archive.IsLoading()) {
        edit->setRawText(archive.ReadAll(), EditControl::UndoHistory::Clear);
        return;
    }
    if (const auto unstorable = edit->firstUnstorableCharacter()) {
        const QString text = edit->text();
        const int line = static_cast<int>(text.left(*unstorable).count(QLatin1Char('\n'))) + 1;
        const char32_t codePoint =
            text.at(*unstorable).isHighSurrogate() && *unstorable + 1 < text.size()
                ? QChar::surrogateToUcs4(text.at(*unstorable), text.at(*unstorable + 1))
                : text.at(*unstorable).unicode();
        const QString message =
            QStringLiteral(
                "The text holds characters that a Windows-1252 file cannot store, "
                "the first in line %1 (U+%2 \"%3\").\n\nSaving writes each of them "
                "as \"?\". Save anyway?")
                .arg(line)
                .arg(static_cast<uint>(codePoint), 4, 16, QLatin1Char('0'))
                .arg(QString::fromUcs4(&codePoint, 1));
        if (ShowMessageBox(message, MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK) {
            throw CUserException{};
        }
    }
    archive.Write(edit->rawText());
}

bool CEditView::PrintTo(QPrinter& printer, bool preview) {
    const EditControl* edit = GetEditCtrl();
    if (edit == nullptr) {
        return false;
    }
    const PrintedText printed = PrintPlainText(printer, edit->text(), edit->font());
    if (!printed.ok() && !preview) {
        ShowMessageBox(printed.error, MB_OK | MB_ICONEXCLAMATION);
    }
    return printed.ok();
}

void CEditView::OnDocumentReplaced() {
    if (EditControl* edit = GetEditCtrl()) {
        edit->document()->clearUndoRedoStacks();
    }
}

void CEditView::OnEditUndo() { GetEditCtrl()->undo(); }

void CEditView::OnEditCut() { GetEditCtrl()->cut(); }

void CEditView::OnEditCopy() { GetEditCtrl()->copy(); }

void CEditView::OnEditPaste() { GetEditCtrl()->paste(); }

void CEditView::OnUpdateEditUndo(CCmdUI* ui) { ui->Enable(GetEditCtrl()->canUndo()); }

void CEditView::OnUpdateNeedSel(CCmdUI* ui) { ui->Enable(GetEditCtrl()->hasSelection()); }

void CEditView::OnUpdateNeedClip(CCmdUI* ui) { ui->Enable(GetEditCtrl()->canPaste()); }

}  // namespace platform
