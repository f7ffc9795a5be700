#include "view.h"

#include "document.h"
#include "frame_wnd.h"
#include "message_box.h"
#include "print_job.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QWidget>

#include <exception>

namespace platform {

const CRuntimeClass CView::runtimeClass = PlainClass<CView>("CView", &CWnd::runtimeClass);
const MessageMap<CView> CView::messageMap{&CWnd::messageMap, {}};

CView::CView() = default;

CView::~CView() {
    if (m_pDocument != nullptr) {
        m_pDocument->RemoveView(this);
    }
}

CFrameWnd* CView::GetParentFrame() const { return dynamic_cast<CFrameWnd*>(m_pParentWnd); }

BOOL CView::PreCreateWindow(CREATESTRUCT& cs) {
    cs.style |= WS_CHILD | WS_VISIBLE;
    return TRUE;
}

QWidget* CView::CreateViewWidget(const CREATESTRUCT& /*cs*/) {
    auto* widget = new QWidget;
    widget->setFocusPolicy(Qt::StrongFocus);
    return widget;
}

BOOL CView::Create(CFrameWnd* frame, CDocument* document) {
    CREATESTRUCT cs;
    cs.style = WS_CHILD | WS_VISIBLE | WS_BORDER;
    cs.dwExStyle = WS_EX_CLIENTEDGE;
    if (!PreCreateWindow(cs)) {
        return FALSE;
    }
    m_pParentWnd = frame;
    AttachWidget(CreateViewWidget(cs));
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

BOOL CView::OnPreparePrinting(CPrintInfo* info) { return DoPreparePrinting(info); }

void CView::OnBeginPrinting(CDC* /*dc*/, CPrintInfo* /*info*/) {}

void CView::OnPrepareDC(CDC* /*dc*/, CPrintInfo* info) {
    // A view that does not know its page count prints one page.
    if (info != nullptr && info->GetMaxPage() == 0xFFFF) {
        info->m_bContinuePrinting = info->m_nCurPage == 1;
    }
}

void CView::OnPrint(CDC* dc, CPrintInfo* /*info*/) { OnDraw(dc); }

void CView::OnEndPrinting(CDC* /*dc*/, CPrintInfo* /*info*/) {}

BOOL CView::DoPreparePrinting(CPrintInfo* info) {
    QPrinter& printer = AfxPrinter();
    if (!info->m_bDirect) {
        if (const UserPrompts& prompts = GetUserPrompts(); prompts.printDialog) {
            return prompts.printDialog();
        }
        QPrintDialog dialog(&printer, Widget() != nullptr ? Widget()->window() : nullptr);
        return dialog.exec() == QDialog::Accepted;
    }
    if (printer.outputFormat() == QPrinter::NativeFormat && printer.printerName().isEmpty()) {
        AfxMessageBox(
            "There is no printer to print to. Install a printer, or choose "
            "\"Print to File\" in the print dialog.",
            MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

namespace {

CRect PrintableArea(QPrinter& printer) {
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    return CRect(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
}

}  // namespace

// The printing sequence on one print job, shared by Print, print-direct and the preview.
class PrintJobRunner {
public:
    static bool Run(CView& view, QPrinter& printer, CPrintInfo& info) {
        SetLastPrintJobResult(true);
        CDC dc(static_cast<QPaintDevice*>(&printer));
        info.m_rectDraw = PrintableArea(printer);
        view.OnBeginPrinting(&dc, &info);
        for (UINT page = info.GetMinPage(); page <= info.GetMaxPage(); ++page) {
            info.m_nCurPage = page;
            view.OnPrepareDC(&dc, &info);
            if (!info.m_bContinuePrinting) {
                break;
            }
            if (page > info.GetMinPage() && dc.Painter() != nullptr) {
                printer.newPage();
            }
            view.OnPrint(&dc, &info);
            if (!info.m_bContinuePrinting) {
                break;
            }
        }
        view.OnEndPrinting(&dc, &info);
        return LastPrintJobSucceeded();
    }
};

BOOL CView::RunPrintJob(CPrintInfo& info) { return PrintJobRunner::Run(*this, AfxPrinter(), info); }

void CView::OnFilePrint() {
    CPrintInfo info;
    info.m_bDirect = AfxGetCurrentCommandId() == ID_FILE_PRINT_DIRECT;
    SetLastPrintJobResult(false);
    if (!OnPreparePrinting(&info)) {
        return;
    }
    RunPrintJob(info);
}

void CView::OnFilePrintPreview() {
    QWidget* owner = Widget() != nullptr ? Widget()->window() : nullptr;
    QPrintPreviewDialog preview(&AfxPrinter(), owner);
    QObject::connect(
        &preview, &QPrintPreviewDialog::paintRequested, &preview, [this](QPrinter* printer) {
            // Called from inside Qt: a failure is reported, never thrown on.
            try {
                CPrintInfo info;
                info.m_bPreview = TRUE;
                PrintJobRunner::Run(*this, *printer, info);
            } catch (const std::exception& error) {
                AfxMessageBox(CString("The preview could not be drawn:\n") + error.what(),
                              MB_OK | MB_ICONSTOP);
            }
        });
    preview.exec();
}

}  // namespace platform
