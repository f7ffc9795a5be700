#include "settings_store.h"

#include <QSettings>

#include <algorithm>

namespace {

std::string Read(const QSettings& store, const char* key, const std::string& fallback) {
    return store.value(QLatin1String(key), QString::fromStdString(fallback))
        .toString()
        .toStdString();
}

// An enumeration stored as its index, read back only when in range (a settings file from
// another version, or edited by hand, must not pick a value that does not exist).
template <typename Enum>
Enum ReadChoice(const QSettings& store, const char* key, Enum fallback, int count) {
    bool ok = false;
    const int value = store.value(QLatin1String(key), static_cast<int>(fallback)).toInt(&ok);
    return ok && value >= 0 && value < count ? static_cast<Enum>(value) : fallback;
}

}  // namespace

DesignerSettings LoadSettings(const QSettings& store) {
    const DesignerSettings defaults;
    DesignerSettings settings;
    settings.curveSource = ReadChoice(store, "design/curveSource", defaults.curveSource, 3);
    settings.curveName = Read(store, "design/curve", defaults.curveName);
    settings.timeConstants = Read(store, "design/timeConstants", defaults.timeConstants);
    settings.turnoverHz = Read(store, "design/turnoverHz", defaults.turnoverHz);
    settings.shelfHz = Read(store, "design/shelfHz", defaults.shelfHz);
    settings.rollOffDb = Read(store, "design/rollOffDb", defaults.rollOffDb);
    settings.direction = ReadChoice(store, "design/direction", defaults.direction, 2);
    settings.samplingFrequency =
        Read(store, "design/samplingFrequency", defaults.samplingFrequency);
    settings.method = ReadChoice(store, "design/method", defaults.method, 2);
    settings.size = ReadChoice(store, "design/size", defaults.size, 3);
    settings.sections =
        std::clamp(store.value(QStringLiteral("design/sections"), defaults.sections).toInt(), 1, 4);
    settings.toleranceDb = Read(store, "design/toleranceDb", defaults.toleranceDb);
    settings.gain = Read(store, "design/gain", defaults.gain);
    settings.gainReference = ReadChoice(store, "design/gainReference", defaults.gainReference, 2);
    settings.rumbleHz = Read(store, "design/rumbleHz", defaults.rumbleHz);
    settings.rumbleOrder = std::clamp(
        store.value(QStringLiteral("design/rumbleOrder"), defaults.rumbleOrder).toInt(), 1, 4);
    return settings;
}

void StoreSettings(QSettings& store, const DesignerSettings& settings) {
    const auto text = [](const std::string& value) { return QString::fromStdString(value); };
    store.setValue(QStringLiteral("design/curveSource"), static_cast<int>(settings.curveSource));
    store.setValue(QStringLiteral("design/curve"), text(settings.curveName));
    store.setValue(QStringLiteral("design/timeConstants"), text(settings.timeConstants));
    store.setValue(QStringLiteral("design/turnoverHz"), text(settings.turnoverHz));
    store.setValue(QStringLiteral("design/shelfHz"), text(settings.shelfHz));
    store.setValue(QStringLiteral("design/rollOffDb"), text(settings.rollOffDb));
    store.setValue(QStringLiteral("design/direction"), static_cast<int>(settings.direction));
    store.setValue(QStringLiteral("design/samplingFrequency"), text(settings.samplingFrequency));
    store.setValue(QStringLiteral("design/method"), static_cast<int>(settings.method));
    store.setValue(QStringLiteral("design/size"), static_cast<int>(settings.size));
    store.setValue(QStringLiteral("design/sections"), settings.sections);
    store.setValue(QStringLiteral("design/toleranceDb"), text(settings.toleranceDb));
    store.setValue(QStringLiteral("design/gain"), text(settings.gain));
    store.setValue(QStringLiteral("design/gainReference"),
                   static_cast<int>(settings.gainReference));
    store.setValue(QStringLiteral("design/rumbleHz"), text(settings.rumbleHz));
    store.setValue(QStringLiteral("design/rumbleOrder"), settings.rumbleOrder);
}
