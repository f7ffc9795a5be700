#include "settings_panel.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

#include "base/design_vocabulary.h"
#include "curves/curve_entry.h"
#include "curves/curve_list.h"
#include "curves/named_curves.h"

namespace {

// The curve box lists the named curves, then these two.
enum ExtraCurveRow { kCustomRow = 0, kTurnoverRow = 1 };

// The rates offered; any other may be typed.
const char* const kCommonRates[] = {"44100", "48000", "88200", "96000", "176400", "192000"};

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLineEdit* Entry(const QString& accessibleName, const QString& placeholder) {
    auto* entry = new QLineEdit;
    entry->setAccessibleName(accessibleName);
    entry->setPlaceholderText(placeholder);
    return entry;
}

QComboBox* Choice(const QString& accessibleName, const QStringList& items) {
    auto* box = new QComboBox;
    box->setAccessibleName(accessibleName);
    box->addItems(items);
    return box;
}

std::string Std(const QString& text) { return text.toStdString(); }

}  // namespace

SettingsPanel::SettingsPanel(QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    BuildCurveGroup(layout);
    BuildDesignGroup(layout);
    layout->addStretch();
    SetSettings(DesignerSettings{});
}

void SettingsPanel::BuildCurveGroup(QVBoxLayout* layout) {
    auto* group = new QGroupBox(tr("Curve"));
    auto* form = new QFormLayout(group);

    m_curve = new QComboBox;
    m_curve->setAccessibleName(tr("Curve"));
    for (const NamedCurve& named : NamedCurves()) {
        m_curve->addItem(Text(named.name), Text(named.name));
        m_curve->setItemData(m_curve->count() - 1, Text(named.description), Qt::ToolTipRole);
    }
    m_curve->addItem(tr("Custom time constants"));
    m_curve->addItem(tr("Turnover, shelf and roll-off"));
    form->addRow(tr("C&urve:"), m_curve);

    m_curveDescription = new QLabel;
    m_curveDescription->setWordWrap(true);
    m_curveDescription->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_curveDescription->setAccessibleName(tr("Curve description"));
    form->addRow(m_curveDescription);

    m_timeConstants = Entry(tr("Time constants"), tr("3180u,318u,75u"));
    m_timeConstants->setToolTip(
        tr("Time constants in seconds, alternating pole, zero, pole; p: and z: mark one, "
           "inf a factor at DC"));
    form->addRow(tr("&Time constants:"), m_timeConstants);

    m_turnover = Entry(tr("Turnover frequency, Hz"), tr("500"));
    m_turnover->setObjectName(QStringLiteral("turnover"));
    m_shelf = Entry(tr("Shelf frequency, Hz"), tr("none: the boost runs to DC"));
    m_rollOff = Entry(tr("Roll-off at 10 kHz, dB"), tr("0: a flat treble"));
    auto* turnoverForm = new QFormLayout;
    turnoverForm->setContentsMargins(0, 0, 0, 0);
    turnoverForm->addRow(tr("Tur&nover, Hz:"), m_turnover);
    turnoverForm->addRow(tr("She&lf, Hz:"), m_shelf);
    turnoverForm->addRow(tr("R&oll-off at 10 kHz, dB:"), m_rollOff);
    m_turnoverRows = new QWidget;
    m_turnoverRows->setLayout(turnoverForm);
    form->addRow(m_turnoverRows);

    m_direction =
        Choice(tr("Direction"), {tr("Playback (de-emphasis)"), tr("Recording (pre-emphasis)")});
    form->addRow(tr("&Direction:"), m_direction);
    layout->addWidget(group);

    connect(m_curve, &QComboBox::currentIndexChanged, this, &SettingsPanel::ShowCurveChoice);
    for (QLineEdit* entry : {m_timeConstants, m_turnover, m_shelf, m_rollOff}) {
        connect(entry, &QLineEdit::textChanged, this, [this] {
            DescribeCurve();
            OnEdited();
        });
    }
    connect(m_direction, &QComboBox::currentIndexChanged, this, &SettingsPanel::OnEdited);
}

void SettingsPanel::BuildDesignGroup(QVBoxLayout* layout) {
    auto* group = new QGroupBox(tr("Design"));
    auto* form = new QFormLayout(group);

    m_rate = new QComboBox;
    m_rate->setEditable(true);
    m_rate->setInsertPolicy(QComboBox::NoInsert);
    m_rate->setAccessibleName(tr("Sampling frequency, Hz"));
    m_rate->setToolTip(tr("Hz; SI prefixes allowed, as in 44.1k"));
    for (const char* rate : kCommonRates) {
        m_rate->addItem(QString::fromLatin1(rate));
    }
    form->addRow(tr("&Sampling frequency, Hz:"), m_rate);

    m_method = Choice(tr("Method"), {tr("Matched z-transform"), tr("Minimax cascade")});
    form->addRow(tr("&Method:"), m_method);

    m_size =
        Choice(tr("Size"), {tr("The method's own"), tr("Number of sections"), tr("Tolerance, dB")});
    form->addRow(tr("Si&ze:"), m_size);
    m_sections = new QSpinBox;
    m_sections->setRange(1, kMaxCascadeSections);
    m_sections->setAccessibleName(tr("Sections"));
    form->addRow(tr("Sect&ions:"), m_sections);
    m_tolerance = Entry(tr("Tolerance, dB"), tr("0.05"));
    form->addRow(tr("Tole&rance, dB:"), m_tolerance);

    m_gain = Entry(tr("Gain, a plain factor"), tr("1"));
    form->addRow(tr("&Gain (factor):"), m_gain);
    m_gainReference = Choice(tr("Gain applies at"), {tr("DC"), tr("1 kHz")});
    form->addRow(tr("Gain &applies at:"), m_gainReference);
    m_rumble = Entry(tr("Rumble filter corner, Hz; 0 for none"), tr("0"));
    m_rumble->setToolTip(
        tr("A Butterworth high-pass after the curve, against rumble, DC offset "
           "and warps; 20 Hz suits most 78s and warped LPs"));
    form->addRow(tr("Rum&ble filter, Hz:"), m_rumble);
    m_rumbleOrder = new QSpinBox;
    m_rumbleOrder->setRange(1, 4);
    m_rumbleOrder->setAccessibleName(tr("Rumble filter order"));
    form->addRow(tr("Rumble filter &poles (order):"), m_rumbleOrder);
    layout->addWidget(group);

    connect(m_rate, &QComboBox::currentTextChanged, this, &SettingsPanel::OnEdited);
    connect(m_method, &QComboBox::currentIndexChanged, this, &SettingsPanel::ShowSizeChoice);
    connect(m_size, &QComboBox::currentIndexChanged, this, &SettingsPanel::ShowSizeChoice);
    connect(m_sections, &QSpinBox::valueChanged, this, &SettingsPanel::OnEdited);
    connect(m_rumbleOrder, &QSpinBox::valueChanged, this, &SettingsPanel::OnEdited);
    for (QLineEdit* entry : {m_tolerance, m_gain, m_rumble}) {
        connect(entry, &QLineEdit::textChanged, this, &SettingsPanel::OnEdited);
    }
    connect(m_gainReference, &QComboBox::currentIndexChanged, this, &SettingsPanel::OnEdited);
}

void SettingsPanel::ShowCurveChoice() {
    const int named = static_cast<int>(NamedCurves().size());
    const int row = m_curve->currentIndex();
    m_timeConstants->setEnabled(row == named + kCustomRow);
    m_turnoverRows->setEnabled(row == named + kTurnoverRow);
    DescribeCurve();
    OnEdited();
}

void SettingsPanel::DescribeCurve() {
    const int named = static_cast<int>(NamedCurves().size());
    const int row = m_curve->currentIndex();
    if (row >= 0 && row < named) {
        const NamedCurve& curve = NamedCurves()[static_cast<std::size_t>(row)];
        m_curveDescription->setText(Text(curve.description) + QStringLiteral("\n") +
                                    QString::fromStdString(CurveConstantsText(curve)));
        return;
    }
    // The entry in words as the core reads it, so a typing slip shows before the design.
    const CurveReading reading = ReadCurveEntry(CurveEntryText(Settings()));
    if (reading.ok()) {
        m_curveDescription->setText(QString::fromStdString(reading->description));
    } else if (row == named + kCustomRow) {
        m_curveDescription->setText(
            tr("Time constants in seconds (u for µs), alternating pole, "
               "zero, pole; p: and z: mark one, inf a factor at DC."));
    } else {
        m_curveDescription->setText(
            tr("The bass turnover (a zero), the shelf below it (a "
               "pole; empty for none) and the treble roll-off at 10 kHz."));
    }
}

void SettingsPanel::ShowSizeChoice() {
    const bool minimax = m_method->currentIndex() == 1;
    m_size->setEnabled(minimax);
    m_sections->setEnabled(minimax && m_size->currentIndex() == 1);
    m_tolerance->setEnabled(minimax && m_size->currentIndex() == 2);
    OnEdited();
}

void SettingsPanel::OnEdited() {
    if (!m_settingUp) {
        emit Changed();
    }
}

DesignerSettings SettingsPanel::Settings() const {
    DesignerSettings settings;
    const int named = static_cast<int>(NamedCurves().size());
    const int row = m_curve->currentIndex();
    if (row == named + kCustomRow) {
        settings.curveSource = CurveSource::Custom;
    } else if (row == named + kTurnoverRow) {
        settings.curveSource = CurveSource::Turnover;
    } else if (row >= 0) {
        settings.curveName = std::string(NamedCurves()[static_cast<std::size_t>(row)].name);
    }
    settings.timeConstants = Std(m_timeConstants->text());
    settings.turnoverHz = Std(m_turnover->text());
    settings.shelfHz = Std(m_shelf->text());
    settings.rollOffDb = Std(m_rollOff->text());
    settings.direction =
        m_direction->currentIndex() == 1 ? Direction::Recording : Direction::Playback;
    settings.samplingFrequency = Std(m_rate->currentText());
    settings.method = m_method->currentIndex() == 1 ? DesignMethod::Minimax : DesignMethod::Matched;
    settings.size = static_cast<SizeChoice>(m_size->currentIndex());
    settings.sections = m_sections->value();
    settings.toleranceDb = Std(m_tolerance->text());
    settings.gain = Std(m_gain->text());
    settings.gainReference =
        m_gainReference->currentIndex() == 1 ? GainReference::OneKilohertz : GainReference::Dc;
    settings.rumbleHz = Std(m_rumble->text());
    settings.rumbleOrder = m_rumbleOrder->value();
    return settings;
}

void SettingsPanel::SetSettings(const DesignerSettings& settings) {
    m_settingUp = true;
    const int named = static_cast<int>(NamedCurves().size());
    int row = 0;
    if (settings.curveSource == CurveSource::Custom) {
        row = named + kCustomRow;
    } else if (settings.curveSource == CurveSource::Turnover) {
        row = named + kTurnoverRow;
    } else if (const NamedCurve* curve = FindNamedCurve(settings.curveName)) {
        row = static_cast<int>(curve - NamedCurves().data());
    }
    m_curve->setCurrentIndex(row);
    m_timeConstants->setText(QString::fromStdString(settings.timeConstants));
    m_turnover->setText(QString::fromStdString(settings.turnoverHz));
    m_shelf->setText(QString::fromStdString(settings.shelfHz));
    m_rollOff->setText(QString::fromStdString(settings.rollOffDb));
    m_direction->setCurrentIndex(settings.direction == Direction::Recording ? 1 : 0);
    m_rate->setCurrentText(QString::fromStdString(settings.samplingFrequency));
    m_method->setCurrentIndex(settings.method == DesignMethod::Minimax ? 1 : 0);
    m_size->setCurrentIndex(static_cast<int>(settings.size));
    m_sections->setValue(settings.sections);
    m_tolerance->setText(QString::fromStdString(settings.toleranceDb));
    m_gain->setText(QString::fromStdString(settings.gain));
    m_gainReference->setCurrentIndex(settings.gainReference == GainReference::OneKilohertz ? 1 : 0);
    m_rumble->setText(QString::fromStdString(settings.rumbleHz));
    m_rumbleOrder->setValue(settings.rumbleOrder);
    ShowCurveChoice();
    ShowSizeChoice();
    m_settingUp = false;
    emit Changed();
}
