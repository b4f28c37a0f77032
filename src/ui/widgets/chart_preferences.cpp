#include "ui/widgets/chart_preferences.h"

#include <QSettings>

namespace selmarind {

namespace {

constexpr auto kPositionsKey = "chart/positions";
constexpr auto kSunriseKey = "chart/sunrise";
constexpr auto kAyanamsaKey = "chart/ayanamsa";

} // namespace

ChartOptions LoadChartPreferences() {
    const QSettings settings;
    ChartOptions options;
    const QByteArray positions = settings.value(kPositionsKey).toString().toUtf8();
    if (auto source = PositionSourceOfName(positions.toStdString())) {
        options.positions = *source;
    }
    const QByteArray sunrise = settings.value(kSunriseKey).toString().toUtf8();
    if (auto convention = SunriseConventionOfName(sunrise.toStdString())) {
        options.sunrise = *convention;
    }
    const QByteArray ayanamsa = settings.value(kAyanamsaKey).toString().toUtf8();
    if (const AyanamsaOrError read = AyanamsaOfKey(ayanamsa.toStdString()); read.choice) {
        options.ayanamsa = *read.choice;
    }
    return options;
}

void SaveChartPreferences(const ChartOptions& options) {
    QSettings settings;
    const std::string_view positions = PositionSourceName(options.positions);
    const std::string_view sunrise = SunriseConventionName(options.sunrise);
    settings.setValue(kPositionsKey, QString::fromUtf8(positions.data(),
                                                       static_cast<qsizetype>(positions.size())));
    settings.setValue(kSunriseKey,
                      QString::fromUtf8(sunrise.data(), static_cast<qsizetype>(sunrise.size())));
    settings.setValue(kAyanamsaKey, QString::fromStdString(AyanamsaKey(options.ayanamsa)));
}

} // namespace selmarind
