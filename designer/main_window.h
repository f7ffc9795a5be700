#pragma once
// The designer's window: the settings on the left, the plot and the figures on the
// right, the text for a program below them. Each command is one QAction, created once
// and shared by the menu and the toolbar.

#include <QMainWindow>

#include <memory>

#include "design_outcome.h"

class DesignRunner;
class ExportPane;
class QAction;
class ResponsePlot;
class SettingsPanel;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);

    SettingsPanel* Panel() const { return m_panel; }
    ExportPane* Pane() const { return m_pane; }
    ResponsePlot* Plot() const { return m_plot; }
    DesignRunner* Runner() const { return m_runner; }
    const DesignOutcome* Outcome() const { return m_outcome.get(); }

    // True once the outcome shown is the one for what the panel holds now.
    bool ShowsCurrentSettings() const;

    // The figures and the program's text as shown, for --print-state.
    QString StateText() const;

    // The plot as File > Export Plot writes it: the SVG as vorlexi-calc --plot draws it
    // (empty without a design), the PNG as the window paints it.
    QByteArray PlotSvg() const;
    QByteArray PlotPng() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateActions();
    void CreateMenusAndToolBar();
    void RestoreState();
    void SaveState() const;
    void Redesign();
    void ShowOutcome(std::shared_ptr<const DesignOutcome> outcome);
    void ExportSvg();
    void ExportPng();
    void ApplyToFiles();
    void About();

    SettingsPanel* m_panel;
    ResponsePlot* m_plot;
    ExportPane* m_pane;
    DesignRunner* m_runner;
    std::shared_ptr<const DesignOutcome> m_outcome;

    QAction* m_saveTextAction = nullptr;
    QAction* m_copyTextAction = nullptr;
    QAction* m_exportSvgAction = nullptr;
    QAction* m_exportPngAction = nullptr;
    QAction* m_applyAction = nullptr;
    QAction* m_quitAction = nullptr;
    QAction* m_phaseAction = nullptr;
    QAction* m_aboutAction = nullptr;
};
