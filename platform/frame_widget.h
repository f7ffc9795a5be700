#pragma once
// The main window widget behind a CFrameWnd. For the layer's own sources and tests.

#include <QMainWindow>

namespace platform {

class CFrameWnd;

class FrameWidget : public QMainWindow {
public:
    explicit FrameWidget(CFrameWnd& frame);

    CFrameWnd& Frame() const { return m_frame; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    CFrameWnd& m_frame;
};

}  // namespace platform
