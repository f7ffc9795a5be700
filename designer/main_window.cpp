#include "main_window.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCloseEvent>
#include <QFileDialog>
#include <QImage>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QScrollArea>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>

#include "apply_dialog.h"
#include "apply_run.h"
#include "design_runner.h"
#include "export_pane.h"
#include "file_saving.h"
#include "reports/design_text.h"
#include "response_plot.h"
#include "settings_panel.h"
#include "settings_store.h"
#include "writers/svg_plot.h"

namespace {

// The PNG is drawn at this size whatever the window's, so pictures for a page match.
constexpr QSize kPngSize(1200, 800);

QStringList ToQt(const std::vector<std::string>& items) {
    QStringList list;
    for (const std::string& item : items) {
        list << QString::fromStdString(item);
    }
    return list;
}

}  // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(tr("vorlexi designer"));
    m_panel = new SettingsPanel;
    m_plot = new ResponsePlot;
    m_pane = new ExportPane;
    m_runner = new DesignRunner(this);

    auto* scroll = new QScrollArea;
    scroll->setWidget(m_panel);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setMinimumWidth(m_panel->sizeHint().width() + 24);

    auto* right = new QSplitter(Qt::Vertical);
    right->addWidget(m_plot);
    right->addWidget(m_pane);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 2);
    auto* split = new QSplitter(Qt::Horizontal);
    split->addWidget(scroll);
    split->addWidget(right);
    split->setStretchFactor(1, 1);
    setCentralWidget(split);

    CreateActions();
    CreateMenusAndToolBar();
    statusBar()->showMessage(tr("Designing…"));

    connect(m_panel, &SettingsPanel::Changed, this, &MainWindow::Redesign);
    connect(m_runner, &DesignRunner::Finished, this, &MainWindow::ShowOutcome);
    // Copy and Save follow the pane's text, as Qt's editors follow copyAvailable.
    for (QAction* action : {m_saveTextAction, m_copyTextAction}) {
        action->setEnabled(false);
        connect(m_pane, &ExportPane::TextAvailable, action, &QAction::setEnabled);
    }
    RestoreState();  // the panel's settings, and with them the first design
}

void MainWindow::CreateActions() {
    m_saveTextAction =
        new QAction(QIcon::fromTheme(QStringLiteral("document-save")), tr("&Save Text…"), this);
    m_saveTextAction->setShortcut(QKeySequence::Save);
    m_saveTextAction->setStatusTip(tr("Save the text for the chosen program"));
    connect(m_saveTextAction, &QAction::triggered, m_pane, &ExportPane::SaveText);

    m_copyTextAction =
        new QAction(QIcon::fromTheme(QStringLiteral("edit-copy")), tr("&Copy Text"), this);
    m_copyTextAction->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_copyTextAction->setStatusTip(tr("Copy the text for the chosen program"));
    connect(m_copyTextAction, &QAction::triggered, m_pane, &ExportPane::CopyText);

    m_exportSvgAction = new QAction(tr("Export Plot as S&VG…"), this);
    m_exportSvgAction->setStatusTip(tr("Save the response plot as vorlexi-calc --plot draws it"));
    connect(m_exportSvgAction, &QAction::triggered, this, &MainWindow::ExportSvg);

    m_exportPngAction = new QAction(tr("Export Plot as &PNG…"), this);
    m_exportPngAction->setStatusTip(tr("Save the response plot as a picture"));
    connect(m_exportPngAction, &QAction::triggered, this, &MainWindow::ExportPng);

    m_applyAction = new QAction(QIcon::fromTheme(QStringLiteral("media-playback-start")),
                                tr("&Apply to Files…"), this);
    m_applyAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    m_applyAction->setStatusTip(tr("Equalise audio files with this design (vorlexi-calc apply)"));
    connect(m_applyAction, &QAction::triggered, this, &MainWindow::ApplyToFiles);

    m_quitAction =
        new QAction(QIcon::fromTheme(QStringLiteral("application-exit")), tr("&Quit"), this);
    m_quitAction->setShortcut(QKeySequence::Quit);
    connect(m_quitAction, &QAction::triggered, this, &QWidget::close);

    m_phaseAction = new QAction(tr("Show &Phase"), this);
    m_phaseAction->setCheckable(true);
    m_phaseAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    m_phaseAction->setStatusTip(tr("Plot the phase of the design and of the curve"));
    connect(m_phaseAction, &QAction::toggled, m_plot, &ResponsePlot::SetPhaseShown);

    m_aboutAction = new QAction(tr("&About"), this);
    connect(m_aboutAction, &QAction::triggered, this, &MainWindow::About);
}

void MainWindow::CreateMenusAndToolBar() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(m_saveTextAction);
    file->addAction(m_exportSvgAction);
    file->addAction(m_exportPngAction);
    file->addSeparator();
    file->addAction(m_applyAction);
    file->addSeparator();
    file->addAction(m_quitAction);
    QMenu* edit = menuBar()->addMenu(tr("&Edit"));
    edit->addAction(m_copyTextAction);
    QMenu* view = menuBar()->addMenu(tr("&View"));
    view->addAction(m_phaseAction);
    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(m_aboutAction);

    QToolBar* tools = addToolBar(tr("Main"));
    tools->setObjectName(QStringLiteral("mainToolBar"));
    tools->addAction(m_saveTextAction);
    tools->addAction(m_copyTextAction);
    tools->addAction(m_applyAction);
}

void MainWindow::RestoreState() {
    QSettings store;
    m_panel->SetSettings(LoadSettings(store));
    const int program = store.value(QStringLiteral("view/program"), 0).toInt();
    if (program >= 0 && program < static_cast<int>(ExportPrograms().size())) {
        m_pane->SetProgram(static_cast<ExportProgram>(program));
    }
    m_phaseAction->setChecked(store.value(QStringLiteral("view/phase"), false).toBool());
    restoreGeometry(store.value(QStringLiteral("view/geometry")).toByteArray());
}

void MainWindow::SaveState() const {
    QSettings store;
    StoreSettings(store, m_panel->Settings());
    store.setValue(QStringLiteral("view/program"), static_cast<int>(m_pane->Program()));
    store.setValue(QStringLiteral("view/phase"), m_phaseAction->isChecked());
    store.setValue(QStringLiteral("view/geometry"), saveGeometry());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    SaveState();
    event->accept();
}

void MainWindow::Redesign() {
    statusBar()->showMessage(tr("Designing…"));
    m_runner->Request(m_panel->Settings());
}

void MainWindow::ShowOutcome(std::shared_ptr<const DesignOutcome> outcome) {
    m_outcome = outcome;
    m_plot->SetOutcome(outcome);
    m_pane->SetOutcome(outcome);
    const bool designed = outcome->design.has_value();
    for (QAction* action : {m_exportSvgAction, m_exportPngAction, m_applyAction}) {
        action->setEnabled(designed);
    }
    if (m_runner->IsIdle()) {
        statusBar()->showMessage(designed ? tr("Ready") : QString::fromStdString(outcome->error));
    }
}

bool MainWindow::ShowsCurrentSettings() const {
    return m_outcome && m_runner->IsIdle() && m_outcome->settings == m_panel->Settings();
}

QString MainWindow::StateText() const {
    const QString curve = m_outcome && m_outcome->design
                              ? QString::fromStdString(PlotTitle(*m_outcome->design))
                              : QString::fromStdString(m_outcome ? m_outcome->error : "");
    return curve + QStringLiteral("\n") + m_pane->FiguresText() + QStringLiteral("\n") +
           m_pane->ExportedText();
}

void MainWindow::ExportSvg() {
    if (!m_outcome || !m_outcome->design) {
        return;
    }
    const QString path = QFileDialog::getSaveFileName(this, tr("Export the Plot as SVG"),
                                                      QStringLiteral("vorlexi-response.svg"),
                                                      tr("SVG pictures (*.svg)"));
    if (!path.isEmpty()) {
        SaveOrComplain(this, path, PlotSvg());
    }
}

void MainWindow::ExportPng() {
    if (!m_outcome || !m_outcome->design) {
        return;
    }
    const QString path = QFileDialog::getSaveFileName(this, tr("Export the Plot as PNG"),
                                                      QStringLiteral("vorlexi-response.png"),
                                                      tr("PNG pictures (*.png)"));
    if (!path.isEmpty()) {
        SaveOrComplain(this, path, PlotPng());
    }
}

QByteArray MainWindow::PlotSvg() const {
    if (!m_outcome || !m_outcome->design) {
        return {};
    }
    const Design& design = *m_outcome->design;
    return QByteArray::fromStdString(RenderResponseSvg(UnderTest(design), PlotTitle(design)));
}

QByteArray MainWindow::PlotPng() const {
    QImage image(kPngSize, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        m_plot->Paint(painter, image.rect());
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

void MainWindow::ApplyToFiles() {
    if (!m_outcome || !m_outcome->design) {
        return;
    }
    const QString calc = LocateCalc();
    if (calc.isEmpty()) {
        QMessageBox::warning(this, tr("Apply to Files"),
                             tr("vorlexi-calc was found neither beside this program nor on "
                                "PATH. Install vorlexi-calc and try again."));
        return;
    }
    const QStringList inputs = QFileDialog::getOpenFileNames(
        this, tr("Files to Equalise"), QString(),
        tr("Audio files (*.wav *.w64 *.aif *.aiff *.flac *.caf);;All files (*)"));
    if (inputs.isEmpty()) {
        return;
    }
    const QString outputDir = QFileDialog::getExistingDirectory(
        this, tr("Folder for the Equalised Files (not the inputs' own)"));
    if (outputDir.isEmpty()) {
        return;
    }
    const Design& design = *m_outcome->design;
    auto* run = new ApplyRun(
        calc, ToQt(CalcDesignArguments(m_outcome->settings, design, CalcCommand::Apply)), inputs,
        outputDir);
    auto* dialog = new ApplyDialog(
        run,
        tr("%1. Each file is equalised with this design made for its own sampling rate.")
            .arg(QString::fromStdString(PlotTitle(design))),
        this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void MainWindow::About() {
    QMessageBox::about(this, tr("About vorlexi designer"),
                       tr("<p><b>vorlexi designer</b> %1</p><p>Designs digital phono and tape "
                          "equalisation filters and shows their response beside the curve. "
                          "Every figure and text is what vorlexi-calc prints for the same "
                          "settings.</p>")
                           .arg(QStringLiteral(VORLEXI_VERSION)));
}
