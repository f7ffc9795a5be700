#include "view.h"

#include "document.h"
#include "message_box.h"
#include "print_job.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>

namespace platform {

namespace {

// Where the machine has no printer, Qt hands out a PDF printer without a file name; a
// native printer without a name has none either.
bool HasNowhereToPrint(const QPrinter& printer) {
    switch (printer.outputFormat()) {
        case QPrinter::NativeFormat:
            return printer.printerName().isEmpty();
        case QPrinter::PdfFormat:
            return printer.outputFileName().isEmpty();
    }
    return false;
}

}  // namespace

const CRuntimeClass CView::runtimeClass{"CView", nullptr, &CWnd::runtimeClass};

CView::~CView() {
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

BOOL CView::PreCreateWindow(CREATESTRUCT& /*cs*/) { return TRUE; }

BOOL CView::Create(CDocument* document) {
    CREATESTRUCT cs;
    cs.style = WS_CHILD | WS_VISIBLE;
    if (!PreCreateWindow(cs)) {
        return FALSE;
    }
    AttachWidget(CreateViewWidget(cs));
    m_pDocument = document;
    if (document != nullptr) {
        document->AddView(this);
    }
    return TRUE;
}

BOOL CView::OnCmdMsg(UINT id, int code, CCmdUI* ui) {
    if (DispatchToOwnMap(id, code, ui)) {
        return TRUE;
    }
    return m_pDocument != nullptr && m_pDocument->OnCmdMsg(id, code, ui);
}

void CView::OnInitialUpdate() {
    if (QWidget* widget = Widget()) {
        widget->update();
    }
}

bool CView::PrintTo(QPrinter& printer, bool /*preview*/) {
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    CDC dc(painter);
    OnDraw(&dc);
    return painter.end();
}

BOOL CView::Print(BOOL direct) {
    QPrinter& printer = AfxPrinter();
    if (!direct) {
        if (const UserPrompts& prompts = GetUserPrompts(); prompts.printDialog) {
            if (!prompts.printDialog()) {
                return FALSE;
            }
        } else if (QPrintDialog dialog(&printer, MainWindowWidget());
                   dialog.exec() != QDialog::Accepted) {
            return FALSE;
        }
    } else if (HasNowhereToPrint(printer)) {
        AfxMessageBox(
            "There is no printer to print to. Install a printer, or choose "
            "\"Print to File\" in the print dialog.",
            MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return PrintTo(printer, false);
}

void CView::OnFilePrint() { Print(AfxGetCurrentCommandId() == ID_FILE_PRINT_DIRECT); }

void CView::OnFilePrintPreview() {
    QPrintPreviewDialog preview(&AfxPrinter(), MainWindowWidget());
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [this](QPrinter* printer) {
                         // Called from inside Qt: a failure is reported, never thrown on.
                         AfxReportingFailures([this, printer] { PrintTo(*printer, true); });
                     });
    preview.exec();
}

}  // namespace platform
