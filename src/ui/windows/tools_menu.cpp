#include "ui/windows/tools_menu.h"

#include "ui/widgets/chart_preferences.h"
#include "ui/widgets/dialog_service.h"

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

constexpr std::array<std::pair<const char*, const char*>, 7> kNamedAyanamsas = {{
    {"mnuAyanamsaLahiri", "&Lahiri"},
    {"mnuAyanamsaTrueChitra", "True &Chitrapaksha"},
    {"mnuAyanamsaRaman", "&Raman"},
    {"mnuAyanamsaKrishnamurti", "&Krishnamurti"},
    {"mnuAyanamsaYukteshwar", "&Yukteshwar"},
    {"mnuAyanamsaFaganBradley", "&Fagan-Bradley"},
    {"mnuAyanamsaTruePushya", "True &Pushya"},
}};

const QString kAyanamsaClassicTip =
    QStringLiteral("The classic positions have their own built-in ayanamsa. Choose Precise "
                   "Positions to pick another.");
const QString kAyanamsaPreciseTip = QStringLiteral("The ayanamsa of the precise positions");
const QString kUserAyanamsaQuestion =
    QStringLiteral("Ayanamsa in degrees at 2000-01-01 12:00 (J2000), from 0 to 40, moved by "
                   "precession to the birth:");
const QString kUserAyanamsaMessage =
    QStringLiteral("Please enter the ayanamsa as a number of degrees from 0 to 40, with a point "
                   "before any decimals, such as 23.85.");

// The user entry's caption, with the value it holds once there is one.
void ShowUserValue(const ToolsMenu& tools, std::optional<double> degrees) {
    tools.ayanamsaUser->setData(degrees ? QVariant(*degrees) : QVariant());
    tools.ayanamsaUser->setText(degrees ? QStringLiteral("&User Value: %1%2 at J2000...")
                                              .arg(QString::fromStdString(AyanamsaKey(
                                                  AyanamsaChoice{AyanamsaMode::User, *degrees})))
                                              .arg(QChar(0x00B0))
                                        : QStringLiteral("&User Value..."));
}

AyanamsaChoice MenuAyanamsa(const ToolsMenu& tools) {
    for (std::size_t i = 0; i < tools.ayanamsaNamed.size(); ++i) {
        if (tools.ayanamsaNamed[i]->isChecked()) {
            return AyanamsaChoice{static_cast<AyanamsaMode>(i), 0};
        }
    }
    if (tools.ayanamsaUser->isChecked() && tools.ayanamsaUser->data().isValid()) {
        return AyanamsaChoice{AyanamsaMode::User, tools.ayanamsaUser->data().toDouble()};
    }
    return {};
}

void TickAyanamsa(const ToolsMenu& tools, const AyanamsaChoice& choice) {
    if (choice.mode == AyanamsaMode::User) {
        ShowUserValue(tools, choice.userDegreesAtJ2000);
        tools.ayanamsaUser->setChecked(true);
        return;
    }
    const auto index = static_cast<std::size_t>(choice.mode);
    tools.ayanamsaNamed[index < tools.ayanamsaNamed.size() ? index : 0]->setChecked(true);
}

void EnableAyanamsa(const ToolsMenu& tools, bool precise) {
    tools.ayanamsa->setEnabled(precise);
    tools.ayanamsa->menuAction()->setToolTip(precise ? kAyanamsaPreciseTip : kAyanamsaClassicTip);
}

// Asks for the user's degrees; a value refused or a Cancel leaves the
// previous choice ticked.
void AskUserAyanamsa(const ToolsMenu& tools, QWidget* parent, const AyanamsaChoice& previous) {
    const QString initial = previous.mode == AyanamsaMode::User
                                ? QString::fromStdString(AyanamsaKey(previous))
                                : QString();
    const std::optional<QString> typed = Dialogs().askText(parent, kUserAyanamsaQuestion, initial);
    if (!typed) {
        TickAyanamsa(tools, previous);
        return;
    }
    const AyanamsaOrError read = AyanamsaOfKey(typed->trimmed().toStdString());
    if (!read.choice || read.choice->mode != AyanamsaMode::User) {
        Dialogs().showMessage(parent, kUserAyanamsaMessage, DialogIcon::Stop);
        TickAyanamsa(tools, previous);
        return;
    }
    TickAyanamsa(tools, *read.choice);
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
                                QStringLiteral("Show Special Points and A&rudhas"));
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

    tools.menu->addSeparator()->setObjectName(QStringLiteral("mnuToolsSeparator"));
    tools.findPlace =
        AddEntry(*tools.menu, owner, "mnuFindPlace", QStringLiteral("&Find Place..."));
    tools.findPlace->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_L));
    QObject::connect(tools.findPlace, &QAction::triggered, &owner,
                     [findPlace = std::move(findPlace)] { findPlace(); });

    tools.menu->addSeparator()->setObjectName(QStringLiteral("mnuAyanamsaSeparator"));
    // The disabled submenu's tooltip says why it is disabled.
    tools.menu->setToolTipsVisible(true);
    tools.ayanamsa = tools.menu->addMenu(QStringLiteral("&Ayanamsa"));
    tools.ayanamsa->setObjectName(QStringLiteral("mnuAyanamsa"));
    auto* ayanamsas = new QActionGroup(&owner);
    ayanamsas->setObjectName(QStringLiteral("grpAyanamsa"));
    ayanamsas->setExclusive(true);
    for (std::size_t i = 0; i < kNamedAyanamsas.size(); ++i) {
        const auto& [name, text] = kNamedAyanamsas[i];
        tools.ayanamsaNamed[i] = AddEntry(*tools.ayanamsa, owner, name, QString::fromUtf8(text));
    }
    tools.ayanamsa->addSeparator();
    tools.ayanamsaUser = AddEntry(*tools.ayanamsa, owner, "mnuAyanamsaUser", {});
    ShowUserValue(tools, std::nullopt);
    for (QAction* entry : tools.ayanamsa->actions()) {
        if (!entry->isSeparator()) {
            entry->setCheckable(true);
            ayanamsas->addAction(entry);
        }
    }
    TickAyanamsa(tools, stored.ayanamsa);
    EnableAyanamsa(tools, precise);

    // The menu is the one writer of the preferences in the windows; what it
    // shows is what is stored.
    const auto store = [tools] { ShowChartOptions(tools, ToolsMenuChoices(tools)); };
    QObject::connect(sources, &QActionGroup::triggered, &owner, [store](QAction*) { store(); });
    QObject::connect(tools.discCentre, &QAction::triggered, &owner, [store](bool) { store(); });
    QObject::connect(
        ayanamsas, &QActionGroup::triggered, &owner, [tools, store, parent = &bar](QAction* entry) {
            if (entry == tools.ayanamsaUser) {
                // What is stored is the choice before this click.
                AskUserAyanamsa(tools, parent->window(), LoadChartPreferences().ayanamsa);
            }
            store();
        });

    AddChartLookEntries(tools, owner);
    return tools;
}

ChartOptions ToolsMenuChoices(const ToolsMenu& tools) {
    ChartOptions options;
    options.positions =
        tools.precise->isChecked() ? PositionSource::Precise : PositionSource::Classic;
    options.sunrise =
        tools.discCentre->isChecked() ? SunriseConvention::Centre : SunriseConvention::Limb;
    options.ayanamsa = MenuAyanamsa(tools);
    return options;
}

ChartOptions ToolsMenuOptions(const ToolsMenu& tools) {
    ChartOptions options = ToolsMenuChoices(tools);
    if (options.positions == PositionSource::Classic) {
        options.ayanamsa = {};
    }
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
    TickAyanamsa(tools, options.ayanamsa);
    EnableAyanamsa(tools, precise);
    SaveChartPreferences(options);
}

} // namespace selmarind
