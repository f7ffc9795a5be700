#pragma once
// The left panel: the curve, direction, rate, method and size, gain and its reference,
// each with a mnemonic and an accessible name. It holds the settings as typed and says
// when any of them changes; reading them is the model's business (designer_settings.h).

#include <QWidget>

#include "designer_settings.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

class SettingsPanel : public QWidget {
    Q_OBJECT
public:
    explicit SettingsPanel(QWidget* parent = nullptr);

    DesignerSettings Settings() const;
    void SetSettings(const DesignerSettings& settings);

    QComboBox* CurveBox() const { return m_curve; }
    QComboBox* RateBox() const { return m_rate; }

signals:
    void Changed();

private:
    void BuildCurveGroup(class QVBoxLayout* layout);
    void BuildDesignGroup(class QVBoxLayout* layout);
    void ShowCurveChoice();
    void DescribeCurve();
    void ShowSizeChoice();
    void OnEdited();

    QComboBox* m_curve;
    QLabel* m_curveDescription;
    QLineEdit* m_timeConstants;
    QWidget* m_turnoverRows;
    QLineEdit* m_turnover;
    QLineEdit* m_shelf;
    QLineEdit* m_rollOff;
    QComboBox* m_direction;
    QComboBox* m_rate;
    QComboBox* m_method;
    QComboBox* m_size;
    QSpinBox* m_sections;
    QLineEdit* m_tolerance;
    QLineEdit* m_gain;
    QComboBox* m_gainReference;
    QLineEdit* m_rumble;
    QSpinBox* m_rumbleOrder;
    bool m_settingUp = false;
};
