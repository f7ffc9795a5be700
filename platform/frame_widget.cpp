#include "frame_widget.h"

#include "frame_wnd.h"
#include "message_box.h"

#include <QCloseEvent>

#include <exception>
#include <new>

namespace platform {

FrameWidget::FrameWidget(CFrameWnd& frame) : m_frame(frame) {
    setObjectName(QStringLiteral("mainFrame"));
}

void FrameWidget::closeEvent(QCloseEvent* event) {
    // The close box asks to save like File > Exit; Cancel keeps the window open, and so
    // does a save that failed on the way (reported like a failing command).
    bool close = false;
    try {
        close = m_frame.OnClose() != FALSE;
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Out of memory.", MB_OK | MB_ICONSTOP);
    } catch (const std::exception& error) {
        AfxMessageBox(CString("The window could not be closed:\n") + error.what(),
                      MB_OK | MB_ICONSTOP);
    }
    if (close) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool FrameWidget::event(QEvent* event) {
    // Qt's own status tips would overwrite the message pane with empty texts; the frame
    // shows the commands' prompts itself.
    if (event->type() == QEvent::StatusTip) {
        return true;
    }
    return QMainWindow::event(event);
}

}  // namespace platform
