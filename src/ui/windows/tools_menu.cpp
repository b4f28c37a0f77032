#include "ui/windows/tools_menu.h"

#include "ui/widgets/chart_preferences.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>

namespace selmarind {

namespace {

QAction* AddEntry(QMenu& menu, QObject& owner, const char* name, const QString& text) {
    auto* entry = new QAction(text, &owner);
    entry->setObjectName(QString::fromLatin1(name));
    menu.addAction(entry);
    return entry;
}

void AddChartLookEntries(ToolsMenu& tools, QObject& owner) {
    tools.menu->addSeparator()->setObjectName(QStringLiteral("mnuChartLookSeparator"));
    tools.chartStyle = tools.menu->addMenu(QStringLiteral("Chart &Style"));
    tools.chartStyle->setObjectName(QStringLiteral("mnuChartStyle"));
    tools.styleSouth =
        AddEntry(*tools.chartStyle, owner, "mnuStyleSouth", QStringLiteral("&South Indian"));
    tools.styleNorth =
        AddEntry(*tools.chartStyle, owner, "mnuStyleNorth", QStringLiteral("&North Indian"));
    tools.styleEast =
        AddEntry(*tools.chartStyle, owner, "mnuStyleEast", QStringLiteral("&East Indian"));
    auto* styles = new QActionGroup(&owner);
    styles->setObjectName(QStringLiteral("grpChartStyle"));
    styles->setExclusive(true);
    for (QAction* style : {tools.styleSouth, tools.styleNorth, tools.styleEast}) {
        style->setCheckable(true);
        styles->addAction(style);
    }
    tools.showPoints = AddEntry(*tools.menu, owner, "mnuShowPoints",
                                QStringLiteral("Show Special Points and &Arudhas"));
    tools.showPoints->setCheckable(true);

    const ChartLook stored = LoadChartLook();
    tools.styleSouth->setChecked(stored.style == ChartStyle::South);
    tools.styleNorth->setChecked(stored.style == ChartStyle::North);
    tools.styleEast->setChecked(stored.style == ChartStyle::East);
    tools.showPoints->setChecked(stored.showPoints);

    const auto store = [tools] { SaveChartLook(ToolsMenuLook(tools)); };
    QObject::connect(styles, &QActionGroup::triggered, &owner, [store](QAction*) { store(); });
    QObject::connect(tools.showPoints, &QAction::triggered, &owner, [store](bool) { store(); });
}

} // namespace

ToolsMenu AddToolsMenu(QMenuBar& bar, QObject& owner, std::function<void()> findPlace) {
    ToolsMenu tools;
    tools.menu = bar.addMenu(QStringLiteral("&Tools"));
    tools.menu->setObjectName(QStringLiteral("mnuTools"));

    tools.classic =
        AddEntry(*tools.menu, owner, "mnuClassicPositions", QStringLiteral("&Classic Positions"));
    tools.precise = AddEntry(*tools.menu, owner, "mnuPrecisePositions",
                             QStringLiteral("&Precise Positions (Swiss Ephemeris)"));
    auto* sources = new QActionGroup(&owner);
    sources->setObjectName(QStringLiteral("grpPositionSource"));
    sources->setExclusive(true);
    for (QAction* source : {tools.classic, tools.precise}) {
        source->setCheckable(true);
        sources->addAction(source);
    }
    tools.discCentre = AddEntry(*tools.menu, owner, "mnuSunriseCentre",
                                QStringLiteral("Sunrise at the &Disc Centre"));
    tools.discCentre->setCheckable(true);

    const ChartOptions stored = LoadChartPreferences();
    const bool precise = stored.positions == PositionSource::Precise;
    tools.classic->setChecked(!precise);
    tools.precise->setChecked(precise);
    tools.discCentre->setChecked(stored.sunrise == SunriseConvention::Centre);
    tools.discCentre->setEnabled(precise);

    // The menu is the one writer of the preferences in the windows; what it
    // shows is what is stored.
    const auto store = [tools] { ShowChartOptions(tools, ToolsMenuOptions(tools)); };
    QObject::connect(sources, &QActionGroup::triggered, &owner, [store](QAction*) { store(); });
    QObject::connect(tools.discCentre, &QAction::triggered, &owner, [store](bool) { store(); });

    tools.menu->addSeparator()->setObjectName(QStringLiteral("mnuToolsSeparator"));
    tools.findPlace =
        AddEntry(*tools.menu, owner, "mnuFindPlace", QStringLiteral("&Find Place..."));
    tools.findPlace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QObject::connect(tools.findPlace, &QAction::triggered, &owner,
                     [findPlace = std::move(findPlace)] { findPlace(); });
    AddChartLookEntries(tools, owner);
    return tools;
}

ChartOptions ToolsMenuOptions(const ToolsMenu& tools) {
    ChartOptions options;
    options.positions =
        tools.precise->isChecked() ? PositionSource::Precise : PositionSource::Classic;
    options.sunrise =
        tools.discCentre->isChecked() ? SunriseConvention::Centre : SunriseConvention::Limb;
    return options;
}

ChartLook ToolsMenuLook(const ToolsMenu& tools) {
    ChartLook look;
    look.style = tools.styleNorth->isChecked()  ? ChartStyle::North
                 : tools.styleEast->isChecked() ? ChartStyle::East
                                                : ChartStyle::South;
    look.showPoints = tools.showPoints->isChecked();
    return look;
}

void ShowChartLook(const ToolsMenu& tools, const ChartLook& look) {
    tools.styleSouth->setChecked(look.style == ChartStyle::South);
    tools.styleNorth->setChecked(look.style == ChartStyle::North);
    tools.styleEast->setChecked(look.style == ChartStyle::East);
    tools.showPoints->setChecked(look.showPoints);
    SaveChartLook(look);
}

void ShowChartOptions(const ToolsMenu& tools, const ChartOptions& options) {
    const bool precise = options.positions == PositionSource::Precise;
    tools.classic->setChecked(!precise);
    tools.precise->setChecked(precise);
    tools.discCentre->setChecked(options.sunrise == SunriseConvention::Centre);
    tools.discCentre->setEnabled(precise);
    SaveChartPreferences(options);
}

} // namespace selmarind
