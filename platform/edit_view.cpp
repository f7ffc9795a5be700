#include "edit_view.h"

#include "document.h"
#include "edit_control.h"
#include "message_box_qt.h"
#include "print_job.h"
#include "qt_bridge.h"
#include "text_printer.h"

#include <QPrinter>
#include <QTextDocument>

namespace platform {

const CRuntimeClass CEditView::runtimeClass =
    PlainClass<CEditView>("CEditView", &CView::runtimeClass);
const MessageMap<CEditView> CEditView::messageMap{&CView::messageMap,
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

CEditView::CEditView() = default;

CEditView::~CEditView() = default;

EditControl* CEditView::GetEditCtrl() const { return static_cast<EditControl*>(Widget()); }

BOOL CEditView::PreCreateWindow(CREATESTRUCT& cs) {
    const BOOL result = CView::PreCreateWindow(cs);
    cs.style |=
        ES_MULTILINE | ES_NOHIDESEL | ES_AUTOHSCROLL | ES_AUTOVSCROLL | WS_HSCROLL | WS_VSCROLL;
    return result;
}

QWidget* CEditView::CreateViewWidget(const CREATESTRUCT& cs) {
    m_dwCreateStyle = static_cast<DWORD>(cs.style);
    auto* edit = new EditControl;
    // Without horizontal scrolling a multi-line edit control breaks long lines at its edge.
    const bool scrollsSideways = (m_dwCreateStyle & (ES_AUTOHSCROLL | WS_HSCROLL)) != 0;
    edit->setWordWrapAtWindowEdge(!scrollsSideways);
    if ((m_dwCreateStyle & WS_VSCROLL) == 0) {
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
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

CString CEditView::GetWindowText() const {
    const EditControl* edit = GetEditCtrl();
    return edit != nullptr ? CString(edit->rawText()) : CString();
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

void CEditView::OnDraw(CDC* /*dc: the edit control paints itself*/) {}

BOOL CEditView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CEditView::OnBeginPrinting(CDC* /*dc*/, CPrintInfo* /*info*/) {}

void CEditView::OnPrint(CDC* dc, CPrintInfo* info) {
    // The text printer paginates and prints every page in one pass, so the first page
    // prints the whole job.
    info->m_bContinuePrinting = FALSE;
    auto* printer = dynamic_cast<QPrinter*>(dc->Device());
    const EditControl* edit = GetEditCtrl();
    if (printer == nullptr || edit == nullptr) {
        SetLastPrintJobResult(false);
        return;
    }
    const PrintedText printed = PrintPlainText(*printer, edit->text(), edit->font());
    SetLastPrintJobResult(printed.ok());
    if (!printed.ok() && !info->m_bPreview) {
        ShowMessageBox(printed.error, MB_OK | MB_ICONEXCLAMATION);
    }
}

void CEditView::OnEndPrinting(CDC* /*dc*/, CPrintInfo* /*info*/) {}

void CEditView::OnDocumentReplaced() {
    if (EditControl* edit = GetEditCtrl()) {
        edit->document()->clearUndoRedoStacks();
    }
}

void CEditView::OnEditUndo() {
    if (EditControl* edit = GetEditCtrl()) {
        edit->undo();
    }
}

void CEditView::OnEditCut() {
    if (EditControl* edit = GetEditCtrl()) {
        edit->cut();
    }
}

void CEditView::OnEditCopy() {
    if (EditControl* edit = GetEditCtrl()) {
        edit->copy();
    }
}

void CEditView::OnEditPaste() {
    if (EditControl* edit = GetEditCtrl()) {
        edit->paste();
    }
}

void CEditView::OnUpdateEditUndo(CCmdUI* ui) {
    const EditControl* edit = GetEditCtrl();
    ui->Enable(edit != nullptr && edit->canUndo());
}

void CEditView::OnUpdateNeedSel(CCmdUI* ui) {
    const EditControl* edit = GetEditCtrl();
    ui->Enable(edit != nullptr && edit->hasSelection());
}

void CEditView::OnUpdateNeedClip(CCmdUI* ui) {
    const EditControl* edit = GetEditCtrl();
    ui->Enable(edit != nullptr && edit->canPaste());
}

}  // namespace platform
