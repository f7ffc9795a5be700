#include "frame_widget.h"

#include "frame_wnd.h"

#include <QCloseEvent>

namespace platform {

FrameWidget::FrameWidget(CFrameWnd& frame) : m_frame(frame) {
    setObjectName(QStringLiteral("mainFrame"));
}

void FrameWidget::closeEvent(QCloseEvent* event) {
    // The close box asks to save like File > Exit; Cancel keeps the window open.
    if (m_frame.OnClose()) {
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
