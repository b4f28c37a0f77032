#include "ui/widgets/chart_look.h"

#include <QSettings>

namespace selmarind {

namespace {

constexpr auto kStyleKey = "chart/style";
constexpr auto kShowPointsKey = "chart/showPoints";

} // namespace

ChartLook LoadChartLook() {
    const QSettings settings;
    ChartLook look;
    const QByteArray style = settings.value(kStyleKey).toString().toUtf8();
    if (auto stored = ChartStyleOfName(style.toStdString())) {
        look.style = *stored;
    }
    // Only a stored true turns the points on; anything else keeps the chart as designed.
    look.showPoints = settings.value(kShowPointsKey).toString() == QStringLiteral("true");
    return look;
}

void SaveChartLook(const ChartLook& look) {
    const ChartLook before = LoadChartLook();
    QSettings settings;
    const std::string_view style = ChartStyleName(look.style);
    settings.setValue(kStyleKey,
                      QString::fromUtf8(style.data(), static_cast<qsizetype>(style.size())));
    settings.setValue(kShowPointsKey, look.showPoints);
    if (before != look) {
        emit ChartLookNotifier::Instance().changed(look);
    }
}

ChartLookNotifier& ChartLookNotifier::Instance() {
    static ChartLookNotifier notifier;
    return notifier;
}

} // namespace selmarind
