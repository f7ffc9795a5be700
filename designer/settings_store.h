#pragma once
// The panel's settings, kept between runs in QSettings under "design/".

#include "designer_settings.h"

class QSettings;

DesignerSettings LoadSettings(const QSettings& store);
void StoreSettings(QSettings& store, const DesignerSettings& settings);
