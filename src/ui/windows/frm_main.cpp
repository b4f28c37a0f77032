#include "ui/windows/frm_main.h"

#include "chart/chart_driver.h"
#include "engine/civil_time.h"
#include "input/key_filters.h"
#include "input/time_zones.h"
#include "ui/widgets/app_icon.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/application_end.h"
#include "ui/widgets/data_files.h"
#include "ui/widgets/dialog_service.h"
#include "ui/widgets/enter_key.h"
#include "ui/widgets/entry_field_filter.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/list_accessibility.h"
#include "ui/widgets/place_search.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/find_place_dialog.h"
#include "ui/windows/help_menus.h"
#include "ui/windows/record_actions.h"
#include "ui/windows/tools_menu.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <algorithm>
#include <array>
#include <climits>
#include <memory>
#include <string>
#include <tuple>

namespace selmarind {

namespace {

// Client area of the window, in twips.
constexpr int kClientWidth = 9810;
constexpr int kClientHeight = 5775;

// Rows inside the groups, in twips from the group's top edge.
constexpr int kFieldHeight = 300;
constexpr int kComboHeight = 315;

// The colour the style darkens for the outline of an input: a lighter green
// gives fields, lists and boxes a visible edge on the dark ground.
const QColor kInputEdgeColor{130, 160, 135};

void GiveVisibleEdge(QWidget* input) {
    QPalette palette = input->palette();
    palette.setColor(QPalette::Window, kInputEdgeColor);
    input->setPalette(palette);
}

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QGroupBox* AddGroup(QWidget* parent, const char* name, const QString& title, QRect geometry) {
    auto* group = Named(new QGroupBox(title, parent), name);
    group->setGeometry(geometry);
    return group;
}

// A caption beside an input; the input is its buddy, so a screen reader
// announces the caption with the input.
QLabel* AddCaption(QWidget* parent, const char* name, const QString& text, QRect geometry,
                   QWidget* buddy) {
    auto* label = Named(new QLabel(text, parent), name);
    label->setGeometry(geometry);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    if (buddy) {
        label->setBuddy(buddy);
    }
    return label;
}

QLineEdit* AddField(QWidget* parent, const char* name, QRect geometry,
                    const QString& accessibleName) {
    auto* field = Named(new QLineEdit(parent), name);
    field->setGeometry(geometry);
    field->setAccessibleName(accessibleName);
    GiveVisibleEdge(field);
    return field;
}

// A pure selection list: the user picks an item and cannot type.
QComboBox* AddList(QWidget* parent, const char* name, QRect geometry,
                   const QString& accessibleName) {
    // Read by its field's name, not by its current item.
    InstallListAccessibility();
    auto* list = Named(new QComboBox(parent), name);
    list->setEditable(false);
    list->setGeometry(geometry);
    list->setAccessibleName(accessibleName);
    // Some desktops announce a list by its current item alone; the
    // description carries the caption there.
    list->setAccessibleDescription(accessibleName);
    // Drop-down lists read like the entry fields: dark green, white text.
    QPalette palette = list->palette();
    palette.setColor(QPalette::Button, kBackgroundColor);
    palette.setColor(QPalette::ButtonText, kCaptionColor);
    palette.setColor(QPalette::Window, kInputEdgeColor);
    list->setPalette(palette);
    return list;
}

void AddNumbers(QComboBox* list, int first, int last) {
    for (int n = first; n <= last; ++n) {
        list->addItem(QString::number(n));
    }
}

// The design of a Latitude or Longitude group; lengths in twips.
struct CoordinateDesign {
    const char* group; // "fraLatitude"
    const char* title; // "Latitude"
    int left, top, width, height;
    const char* degreesName; // "txtLatD"; its caption is lblLatDCaption
    int degreesWidth;
    const char* minutesName;            // "txtLatM"
    const char* optionName;             // "optLat": the options are optLat_0 and optLat_1
    std::array<const char*, 2> options; // "North", "South"
};

constexpr CoordinateDesign kLatitudeGroup = {
    "fraLatitude", "Latitude",        5280, 2040, 2295, 975, "txtLatD", 480, "txtLatM",
    "optLat",      {"North", "South"}};
constexpr CoordinateDesign kLongitudeGroup = {
    "fraLongitude", "Longitude",     7560, 2040, 2175, 975, "txtLonD", 540, "txtLonM",
    "optLong",      {"East", "West"}};

// A coordinate group: degrees and minutes with their captions, then the
// hemisphere options below them. Returns the degrees field, the minutes
// field and the two options.
std::tuple<QLineEdit*, QLineEdit*, QRadioButton*, QRadioButton*>
AddCoordinateGroup(QWidget* panel, const CoordinateDesign& design) {
    const QString title = QString::fromLatin1(design.title);
    QGroupBox* group = AddGroup(panel, design.group, title,
                                TwipsRect(design.left, design.top, design.width, design.height));
    QLineEdit* degrees =
        AddField(group, design.degreesName, TwipsRect(555, 285, design.degreesWidth, kFieldHeight),
                 title + QStringLiteral(" Deg"));
    const int minutesLeft = 555 + design.degreesWidth + 480;
    QLineEdit* minutes =
        AddField(group, design.minutesName, TwipsRect(minutesLeft, 285, 480, kFieldHeight),
                 title + QStringLiteral(" Min"));
    // "txtLatD" + 3 is "LatD".
    AddCaption(group, ("lbl" + std::string(design.degreesName + 3) + "Caption").c_str(),
               QStringLiteral("Deg"), TwipsRect(150, 285, 405, kFieldHeight), degrees);
    AddCaption(group, ("lbl" + std::string(design.minutesName + 3) + "Caption").c_str(),
               QStringLiteral("Min"), TwipsRect(minutesLeft - 450, 285, 420, kFieldHeight),
               minutes);
    std::array<QRadioButton*, 2> options{};
    for (std::size_t i = 0; i < options.size(); ++i) {
        const QString caption = QString::fromLatin1(design.options[i]);
        const std::string name = std::string(design.optionName) + "_" + std::to_string(i);
        options[i] = Named(new QRadioButton(caption, group), name.c_str());
        options[i]->setGeometry(TwipsRect(150 + static_cast<int>(i) * 1020, 660, 960, 255));
        options[i]->setAccessibleName(title + u' ' + caption);
        GiveVisibleEdge(options[i]);
    }
    return {degrees, minutes, options[0], options[1]};
}

LinkLabel* AddLink(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* link = Named(new LinkLabel(text, parent), name);
    link->setGeometry(geometry);
    // Out of the Tab chain, which holds the entries alone in their fixed
    // order.
    link->setFocusPolicy(Qt::NoFocus);
    return link;
}

} // namespace

FrmMain::FrmMain(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                              Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(ThemedApplicationIcon());
    ApplyAppStyle(this);

    auto* client = Named(new QWidget(this), "clientArea");
    client->setFixedSize(TwipsSize(kClientWidth, kClientHeight));
    setCentralWidget(client);

    buildMenus();
    buildHeader(client);
    buildEntryPanel(client);
    buildAdvertStrip(client);
    setTabOrder();
    Form_Load();
    atlasPath_ = DataFilePath(QStringLiteral("atlas/") + QString::fromUtf8(kAtlasFileName.data()));
    connect(timeZoneCombo_, &QComboBox::currentIndexChanged, this,
            [this](int index) { zoneEntryChanged(index); });
    for (QComboBox* list :
         {monthCombo_, dayCombo_, yearCombo_, hourCombo_, minuteCombo_, secondCombo_}) {
        connect(list, &QComboBox::currentIndexChanged, this, [this] { followBirthTime(); });
    }

    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
    daylightSavingCheck_->setFocus();

    setAcceptDrops(true);
    PressOnEnter(*this, *calculateButton_);
    for (QLineEdit* typed : {cityEdit_, latitudeDegreesEdit_, latitudeMinutesEdit_,
                             longitudeDegreesEdit_, longitudeMinutesEdit_}) {
        connect(typed, &QLineEdit::textEdited, this, [this] { atlasPlace_.reset(); });
    }
    // Other coordinates make the zone the user's; the city's spelling does not.
    for (QLineEdit* typed : {latitudeDegreesEdit_, latitudeMinutesEdit_, longitudeDegreesEdit_,
                             longitudeMinutesEdit_}) {
        connect(typed, &QLineEdit::textEdited, this, [this] { zoneSetByHand(); });
    }
    for (QRadioButton* option : {northOption_, southOption_, eastOption_, westOption_}) {
        connect(option, &QRadioButton::toggled, this, [this](bool on) {
            if (on) {
                zoneSetByHand();
            }
        });
    }
    for (QLineEdit* field : findChildren<QLineEdit*>()) {
        field->installEventFilter(this);
    }
}

void FrmMain::buildMenus() {
    auto action = [this](const char* name, const QString& text, auto handler) {
        auto* entry = Named(new QAction(text, this), name);
        connect(entry, &QAction::triggered, this, handler);
        return entry;
    };

    // Dark text on light grey, as the frame's menus: the window's own
    // colours would draw the menu titles black on the dark green.
    ApplyMenuBarStyle(menuBar());
    QMenu* fileMenu = Named(menuBar()->addMenu(QStringLiteral("&File")), "mnuFile");
    fileMenu->addAction(
        action("mnuNext", QStringLiteral("Get My Torvi Lagna"), [this] { cmdRashi_Click(); }));
    QAction* exitEntry = action("mnuExit", QStringLiteral("E&xit"), [this] { close(); });
    fileMenu->addAction(exitEntry);
    recordActions_ = new BirthRecordActions(*this);
    recordActions_->addTo(*fileMenu, exitEntry);

    AddHelpAndDonateMenus(
        *menuBar(), *this,
        {.firstSeparator = "mnuHelp1", .secondSeparator = "mnuHelp2", .makeMoney = "mkmoney"});
    tools_ = AddToolsMenu(*menuBar(), *this, [this] { findPlace(); });
}

void FrmMain::buildHeader(QWidget* client) {
    LinkLabel* forum = AddLink(client, "Label61",
                               QStringLiteral("Talk about your chart in the Selmarind forum at ") +
                                   HomePageDisplayText(),
                               TwipsRect(-15, 120, 9840, 465));
    forum->setAlignment(Qt::AlignCenter);
    forum->setFont(AppFont(9.75, true));
    connect(forum, &LinkLabel::clicked, this, [] { OpenHomePage(); });

    auto* tagline = Named(
        new QLabel(QStringLiteral("Know more about your field of intelligence with Selmarind"),
                   client),
        "Label2");
    tagline->setGeometry(TwipsRect(1508, 720, 6795, 240));
    tagline->setAlignment(Qt::AlignCenter);
    QPalette palette = tagline->palette();
    palette.setColor(QPalette::WindowText, kTaglineColor);
    tagline->setPalette(palette);
}

void FrmMain::buildEntryPanel(QWidget* client) {
    auto* panel = Named(new QWidget(client), "picEntry");
    panel->setGeometry(TwipsRect(0, 1080, 9825, 3975));

    // Personal Details: name, date and time of birth. Captions in a column
    // on the left, inputs from x = 1440.
    QGroupBox* personal = AddGroup(panel, "fraPersonalDetails", QStringLiteral("Personal Details"),
                                   TwipsRect(120, 240, 5175, 1815));
    nameEdit_ = AddField(personal, "txtName", TwipsRect(1440, 345, 3600, kFieldHeight),
                         QStringLiteral("Name"));
    InstallNameFilter(nameEdit_);
    AddCaption(personal, "lblNameCaption", QStringLiteral("Name"),
               TwipsRect(150, 345, 1260, kFieldHeight), nameEdit_);

    monthCombo_ = AddList(personal, "cboMonth", TwipsRect(1440, 810, 1620, kComboHeight),
                          QStringLiteral("Birth month"));
    dayCombo_ = AddList(personal, "cboDate", TwipsRect(3120, 810, 780, kComboHeight),
                        QStringLiteral("Birth day"));
    yearCombo_ = AddList(personal, "cboYear", TwipsRect(3960, 810, 1080, kComboHeight),
                         QStringLiteral("Birth year"));
    AddCaption(personal, "lblDateCaption", QStringLiteral("Date of Birth"),
               TwipsRect(150, 810, 1260, kComboHeight), monthCombo_);

    hourCombo_ = AddList(personal, "cboHH", TwipsRect(1440, 1290, 780, kComboHeight),
                         QStringLiteral("Birth hour"));
    minuteCombo_ = AddList(personal, "cboMM", TwipsRect(2280, 1290, 780, kComboHeight),
                           QStringLiteral("Birth minute"));
    secondCombo_ = AddList(personal, "cboSS", TwipsRect(3120, 1290, 780, kComboHeight),
                           QStringLiteral("Birth second"));
    AddCaption(personal, "lblTimeCaption", QStringLiteral("Time of Birth"),
               TwipsRect(150, 1290, 1260, kComboHeight), hourCombo_);
    AddCaption(personal, "lblTimeHint", QStringLiteral("HH:MM:SS"),
               TwipsRect(3960, 1290, 1080, kComboHeight), nullptr);

    // Place Details: city, state, country and the look-up below them.
    QGroupBox* place = AddGroup(panel, "fraPlaceDetails", QStringLiteral("Place Details"),
                                TwipsRect(5280, 240, 4455, 1815));
    cityEdit_ = AddField(place, "txtMCity", TwipsRect(1080, 300, 3240, kFieldHeight),
                         QStringLiteral("City"));
    stateEdit_ = AddField(place, "txtMState", TwipsRect(1080, 645, 3240, kFieldHeight),
                          QStringLiteral("State"));
    countryEdit_ = AddField(place, "txtMCountry", TwipsRect(1080, 990, 3240, kFieldHeight),
                            QStringLiteral("Country"));
    AddCaption(place, "lblCityCaption", QStringLiteral("City"),
               TwipsRect(150, 300, 900, kFieldHeight), cityEdit_);
    AddCaption(place, "lblStateCaption", QStringLiteral("State"),
               TwipsRect(150, 645, 900, kFieldHeight), stateEdit_);
    AddCaption(place, "lblCountryCaption", QStringLiteral("Country"),
               TwipsRect(150, 990, 900, kFieldHeight), countryEdit_);
    placeSearchButton_ = Named(
        new QPushButton(QStringLiteral("Click for Latitude && Longitude"), place), "cmdBrowser");
    placeSearchButton_->setGeometry(TwipsRect(1080, 1365, 3240, 345));
    connect(placeSearchButton_, &QPushButton::clicked, this, [this] { cmdBrowser_Click(); });

    // Zone: the time-zone list and the daylight-saving box.
    QGroupBox* zone =
        AddGroup(panel, "fraZone", QStringLiteral("Zone"), TwipsRect(120, 2040, 5175, 975));
    timeZoneCombo_ = AddList(zone, "cmbTimeZone", TwipsRect(150, 285, 4875, kComboHeight),
                             QStringLiteral("Time zone"));
    daylightSavingCheck_ =
        Named(new QCheckBox(QStringLiteral("Daylight Saving Time"), zone), "chkDST");
    daylightSavingCheck_->setGeometry(TwipsRect(150, 660, 3000, 255));
    GiveVisibleEdge(daylightSavingCheck_);
    buildZoneByHandLine(panel);

    // Latitude and Longitude: degrees and minutes, then the hemisphere.
    std::tie(latitudeDegreesEdit_, latitudeMinutesEdit_, northOption_, southOption_) =
        AddCoordinateGroup(panel, kLatitudeGroup);
    std::tie(longitudeDegreesEdit_, longitudeMinutesEdit_, eastOption_, westOption_) =
        AddCoordinateGroup(panel, kLongitudeGroup);
    InstallCoordinateFilter(latitudeDegreesEdit_, kLatitudeDegreesMaxLength);
    InstallCoordinateFilter(latitudeMinutesEdit_, kLatitudeMinutesMaxLength);
    InstallCoordinateFilter(longitudeDegreesEdit_, kLongitudeDegreesMaxLength);
    InstallCoordinateFilter(longitudeMinutesEdit_, kLongitudeMinutesMaxLength);

    calculateButton_ =
        Named(new QPushButton(QStringLiteral("Get My Torvi Lagna"), panel), "cmdRashi");
    calculateButton_->setGeometry(TwipsRect(120, 3240, 9585, 495));
    calculateButton_->setFont(AppFont(9.75, true));
    connect(calculateButton_, &QPushButton::clicked, this, [this] { cmdRashi_Click(); });
}

void FrmMain::buildAdvertStrip(QWidget* client) {
    auto* strip = Named(new QWidget(client), "picAdvert");
    strip->setGeometry(TwipsRect(0, 5040, 9825, 735));

    fullBrandAdvert_ = AddLink(strip, "lblFullBrand", BrandedEditionAdvertWithLink(),
                               TwipsRect(120, 120, 9585, 495));
    connect(fullBrandAdvert_, &LinkLabel::clicked, this, [] { OpenBrandedEditionPage(); });

    // A label shows "&" as it stands; the caption's "&&" is one ampersand.
    cobrandAdvert_ =
        AddLink(strip, "lblCobrand",
                QStringLiteral("Co-brand this software for your site.  Increase loyalty "
                               "and traffic to your site. Put your site's name &  link "
                               "here. See \"Help\" for details.    Click Here for more "
                               "info on co-branding."),
                TwipsRect(120, 120, 9585, 495));
    connect(cobrandAdvert_, &LinkLabel::clicked, this, [] { OpenCoBrandPage(); });

    for (LinkLabel* label : {fullBrandAdvert_, cobrandAdvert_}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kCaptionColor);
        label->setPalette(palette);
    }
    bringAdvertToFront(AdvertChoice::Cobrand);
}

void FrmMain::setTabOrder() {
    const std::array<QWidget*, 22> order = {daylightSavingCheck_,
                                            longitudeMinutesEdit_,
                                            eastOption_,
                                            westOption_,
                                            latitudeDegreesEdit_,
                                            latitudeMinutesEdit_,
                                            northOption_,
                                            southOption_,
                                            longitudeDegreesEdit_,
                                            timeZoneCombo_,
                                            countryEdit_,
                                            stateEdit_,
                                            placeSearchButton_,
                                            cityEdit_,
                                            calculateButton_,
                                            secondCombo_,
                                            nameEdit_,
                                            monthCombo_,
                                            dayCombo_,
                                            yearCombo_,
                                            hourCombo_,
                                            minuteCombo_};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

void FrmMain::Form_Load() {
    for (int month = 1; month <= 12; ++month) {
        monthCombo_->addItem(QString::fromLatin1(MonthName(month)));
    }
    for (const TimeZoneEntry& entry : TimeZoneList()) {
        timeZoneCombo_->addItem(QString::fromUtf8(entry.itemText.data(),
                                                  static_cast<qsizetype>(entry.itemText.size())));
    }
    AddNumbers(dayCombo_, 1, 31);
    AddNumbers(yearCombo_, 1901, 2050);
    AddNumbers(hourCombo_, 0, 23);
    AddNumbers(minuteCombo_, 0, 59);
    AddNumbers(secondCombo_, 0, 59);
    for (QComboBox* list :
         {monthCombo_, dayCombo_, yearCombo_, hourCombo_, minuteCombo_, secondCombo_}) {
        list->setCurrentIndex(0);
    }
    timeZoneCombo_->setCurrentIndex(kGreenwichZoneIndex);
    daylightSavingCheck_->setChecked(false);
    northOption_->setChecked(true);
    eastOption_->setChecked(true);
    // Each pair of option buttons is one Tab stop, on the selected button;
    // the arrow keys move between the two.
    for (QRadioButton* unselected : {southOption_, westOption_}) {
        unselected->setFocusPolicy(Qt::ClickFocus);
    }
}

BirthEntries FrmMain::entries() const {
    BirthEntries e;
    e.txtName = nameEdit_->text().toStdString();
    e.cboMonthIndex = monthCombo_->currentIndex();
    e.cboDate = dayCombo_->currentText().toStdString();
    e.cboYear = yearCombo_->currentText().toStdString();
    e.cboHH = hourCombo_->currentText().toStdString();
    e.cboMM = minuteCombo_->currentText().toStdString();
    e.cboSS = secondCombo_->currentText().toStdString();
    e.txtMCity = cityEdit_->text().toStdString();
    e.txtMState = stateEdit_->text().toStdString();
    e.txtMCountry = countryEdit_->text().toStdString();
    e.txtLatD = latitudeDegreesEdit_->text().toStdString();
    e.txtLatM = latitudeMinutesEdit_->text().toStdString();
    e.optLatSouth = southOption_->isChecked();
    e.txtLonD = longitudeDegreesEdit_->text().toStdString();
    e.txtLonM = longitudeMinutesEdit_->text().toStdString();
    e.optLongEast = eastOption_->isChecked();
    e.cmbTimeZoneIndex = timeZoneCombo_->currentIndex();
    e.chkDST = daylightSavingCheck_->checkState() != Qt::Unchecked;
    if (e.cmbTimeZoneIndex == kExactZoneIndex) {
        e.exactZone = exactZone_;
    }
    return e;
}

void FrmMain::setEntries(const BirthEntries& e) {
    // The entries say nothing of an atlas place.
    zoneTracker_.forget();
    showZoneState();
    const auto select = [](QComboBox* list, const std::string& item) {
        list->setCurrentIndex(list->findText(QString::fromStdString(item)));
    };
    nameEdit_->setText(QString::fromStdString(e.txtName));
    monthCombo_->setCurrentIndex(e.cboMonthIndex);
    select(dayCombo_, e.cboDate);
    select(yearCombo_, e.cboYear);
    select(hourCombo_, e.cboHH);
    select(minuteCombo_, e.cboMM);
    select(secondCombo_, e.cboSS);
    cityEdit_->setText(QString::fromStdString(e.txtMCity));
    stateEdit_->setText(QString::fromStdString(e.txtMState));
    countryEdit_->setText(QString::fromStdString(e.txtMCountry));
    latitudeDegreesEdit_->setText(QString::fromStdString(e.txtLatD));
    latitudeMinutesEdit_->setText(QString::fromStdString(e.txtLatM));
    longitudeDegreesEdit_->setText(QString::fromStdString(e.txtLonD));
    longitudeMinutesEdit_->setText(QString::fromStdString(e.txtLonM));
    // The selected button of each pair is its Tab stop, as after a click.
    for (auto [chosen, other] : {e.optLatSouth ? std::pair{southOption_, northOption_}
                                               : std::pair{northOption_, southOption_},
                                 e.optLongEast ? std::pair{eastOption_, westOption_}
                                               : std::pair{westOption_, eastOption_}}) {
        chosen->setChecked(true);
        chosen->setFocusPolicy(Qt::StrongFocus);
        other->setFocusPolicy(Qt::ClickFocus);
    }
    daylightSavingCheck_->setChecked(e.chkDST);
    if (e.cmbTimeZoneIndex == kExactZoneIndex) {
        setExactZone(e.exactZone);
    } else {
        timeZoneCombo_->setCurrentIndex(e.cmbTimeZoneIndex);
    }
}

void FrmMain::setExactZone(const std::optional<ExactZoneEntry>& zone) {
    exactZone_ = zone;
    if (zone) {
        const QString label = QString::fromStdString(zone->label);
        if (timeZoneCombo_->count() > kExactZoneIndex) {
            timeZoneCombo_->setItemText(kExactZoneIndex, label);
        } else {
            timeZoneCombo_->addItem(label);
        }
        timeZoneCombo_->setCurrentIndex(kExactZoneIndex);
        return;
    }
    if (timeZoneCombo_->count() > kExactZoneIndex) {
        if (timeZoneCombo_->currentIndex() == kExactZoneIndex) {
            timeZoneCombo_->setCurrentIndex(kGreenwichZoneIndex);
        }
        timeZoneCombo_->removeItem(kExactZoneIndex);
    }
}

ChartOptions FrmMain::chartOptions() const {
    return ToolsMenuOptions(tools_);
}

BirthRecordContents FrmMain::recordContents() const {
    BirthRecordContents contents;
    contents.entries = entries();
    if (const std::optional<ExactZoneEntry>& zone = contents.entries.exactZone) {
        // Clamped into the record's integer; CheckBirthRecord refuses any
        // offset beyond 18 hours before a save.
        contents.exactZone = ExactZoneOffset{static_cast<std::int32_t>(std::clamp<long long>(
                                                 zone->utcOffsetSeconds, INT32_MIN, INT32_MAX)),
                                             zone->label};
    }
    contents.place = atlasPlace_;
    const ChartOptions options = chartOptions();
    contents.positions = options.positions;
    contents.sunrise = options.sunrise;
    contents.chartStyle = std::string(ChartStyleName(ToolsMenuLook(tools_).style));
    return contents;
}

void FrmMain::applyRecord(const BirthRecordContents& contents) {
    BirthEntries e = contents.entries;
    if (contents.exactZone) {
        e.cmbTimeZoneIndex = kExactZoneIndex;
        e.exactZone =
            ExactZoneEntry{contents.exactZone->label, contents.exactZone->utcOffsetSeconds};
    }
    setEntries(e);
    atlasPlace_ = contents.place;
    if (contents.place) {
        attachRecordPlace(contents.place->timeZone);
    }
    // The menu shows what the chart will use, until the user chooses again.
    if (contents.positions || contents.sunrise) {
        ChartOptions options = chartOptions();
        options.positions = contents.positions.value_or(options.positions);
        options.sunrise = contents.sunrise.value_or(options.sunrise);
        ShowChartOptions(tools_, options);
    }
    // The style the record was drawn in; the points option stays the user's.
    if (contents.chartStyle) {
        if (const std::optional<ChartStyle> style = ChartStyleOfName(*contents.chartStyle)) {
            ChartLook look = ToolsMenuLook(tools_);
            look.style = *style;
            ShowChartLook(tools_, look);
        }
    }
}

bool FrmMain::openBirthRecord(const QString& path) {
    return recordActions_->open(path);
}

void FrmMain::bringAdvertToFront(AdvertChoice choice) {
    if (choice == AdvertChoice::Unchanged) {
        return;
    }
    LinkLabel* front = choice == AdvertChoice::Cobrand ? cobrandAdvert_ : fullBrandAdvert_;
    LinkLabel* back = front == cobrandAdvert_ ? fullBrandAdvert_ : cobrandAdvert_;
    front->raise();
    // The label behind is covered entirely: hidden, it takes no clicks and
    // is not read out.
    front->show();
    back->hide();
}

void FrmMain::cmdRashi_Click() {
    // One reading of the controls serves both the checks and the chart.
    BirthEntries current = entries();
    if (const std::optional<ValidationFault> fault = ValidateBirthData(current)) {
        showFault(*fault);
        return;
    }
    if (zoneTracker_.attached()) {
        if (!zoneReadyForChart()) {
            return;
        }
        // The atlas may have set the zone just now, for the time on the form;
        // the chart checks the entries again and says what it refuses.
        current = entries();
    }
    // The box on an exact offset from the atlas would count an hour twice.
    if (const std::optional<std::string> fault = ExactZoneDaylightFault(
            current, atlasPlace_ ? atlasPlace_->timeZone : std::string(), SharedZoneResolver())) {
        Dialogs().showMessage(this, QString::fromStdString(*fault), DialogIcon::Stop);
        daylightSavingCheck_->setFocus();
        return;
    }
    const ChartOrFailure result = CalculateChart(current, chartOptions());
    if (!result) {
        showChartFailure(result.failure());
        return;
    }
    emit chartCalculated(*result);
}

void FrmMain::showChartFailure(const ChartFailure& failure) {
    if (failure.fault) {
        showFault(*failure.fault);
        return;
    }
    // Entries that pass the checks fail only where the ephemeris refuses
    // (a damaged data file, say): say so instead of doing nothing.
    const QString reason = QString::fromStdString(failure.reason);
    Dialogs().showMessage(
        this,
        reason.isEmpty() ? QStringLiteral("The chart could not be computed from these entries.")
                         : QStringLiteral("The chart could not be computed: %1").arg(reason),
        DialogIcon::Stop);
}

void FrmMain::showFault(const ValidationFault& fault) {
    Dialogs().showMessage(this, QString::fromStdString(fault.message), ToDialogIcon(fault.icon));
    if (QLineEdit* field = fieldOf(fault.focus)) {
        field->setFocus();
    }
}

QLineEdit* FrmMain::fieldOf(EntryField field) const {
    switch (field) {
    case EntryField::txtName:
        return nameEdit_;
    case EntryField::txtLonD:
        return longitudeDegreesEdit_;
    case EntryField::txtLonM:
        return longitudeMinutesEdit_;
    case EntryField::txtLatD:
        return latitudeDegreesEdit_;
    case EntryField::txtLatM:
        return latitudeMinutesEdit_;
    case EntryField::None:
        break;
    }
    return nullptr;
}

void FrmMain::cmdBrowser_Click() {
    const QString city = cityEdit_->text();
    const QString state = stateEdit_->text();
    const QString country = countryEdit_->text();
    if (const std::optional<PlaceFault> fault = CheckPlaceEntries(city, state, country)) {
        Dialogs().showMessage(this, fault->message, DialogIcon::Information);
        switch (fault->field) {
        case PlaceField::City:
            cityEdit_->setFocus();
            break;
        case PlaceField::State:
            stateEdit_->setFocus();
            break;
        case PlaceField::Country:
            countryEdit_->setFocus();
            break;
        }
        return;
    }
    OpenPlaceSearch(PlaceSearchText(city, state, country));
}

void FrmMain::setAtlasPath(const QString& path) {
    atlasPath_ = path;
}

namespace {

// The date and time on the form as a wall-clock time; an impossible date
// (31 February) is left for the zone resolver to refuse.
LocalDateTime FormLocalTime(const BirthEntries& e) {
    LocalDateTime local;
    local.year = QString::fromStdString(e.cboYear).toInt();
    local.month = e.cboMonthIndex + 1;
    local.day = QString::fromStdString(e.cboDate).toInt();
    local.hour = QString::fromStdString(e.cboHH).toInt();
    local.minute = QString::fromStdString(e.cboMM).toInt();
    local.second = QString::fromStdString(e.cboSS).toInt();
    return local;
}

QString Digits(int value) {
    return QString::number(value);
}

} // namespace

void FrmMain::findPlace() {
    std::string fault;
    const std::shared_ptr<const Atlas> atlas = CachedAtlas(atlasPath_.toStdString(), fault);
    if (!atlas) {
        Dialogs().showMessage(this,
                              QString::fromStdString(fault) +
                                  QStringLiteral("\n\nFind Place cannot be used. Enter the "
                                                 "coordinates and the zone by hand."),
                              DialogIcon::Information);
        return;
    }
    FindPlaceDialog dialog(*atlas, SharedZoneResolver(), cityEdit_->text(),
                           FormLocalTime(entries()), this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const std::optional<PlaceChoice> choice = dialog.choice();
    if (!choice) {
        return;
    }
    const PlaceMatch& place = choice->place;
    cityEdit_->setText(QString::fromStdString(place.name));
    stateEdit_->setText(QString::fromStdString(place.division));
    countryEdit_->setText(QString::fromStdString(place.country));
    latitudeDegreesEdit_->setText(Digits(place.latitude.degrees));
    latitudeMinutesEdit_->setText(Digits(place.latitude.minutes));
    (place.latitude.negative ? southOption_ : northOption_)->setChecked(true);
    longitudeDegreesEdit_->setText(Digits(place.longitude.degrees));
    longitudeMinutesEdit_->setText(Digits(place.longitude.minutes));
    (place.longitude.negative ? westOption_ : eastOption_)->setChecked(true);
    // Kept in a saved record; typing into the city or a coordinate gives it up.
    atlasPlace_ = AtlasPlace{place.geonameId, place.zoneId};
    // Without the tz database the zone stays the user's to set, as Find
    // Place said.
    if (SharedZoneResolver().Available()) {
        zoneTracker_.attach(place.zoneId);
    } else {
        zoneTracker_.forget();
    }
    if (choice->zone) {
        applyZoneSetting(*choice->zone);
        zoneTracker_.applied(*choice->zone, FormLocalTime(entries()),
                             daylightSavingCheck_->isChecked());
    }
    showZoneState();
}

void FrmMain::applyZoneSetting(const ZoneSetting& setting) {
    settingZone_ = true;
    if (setting.entryIndex) {
        timeZoneCombo_->setCurrentIndex(*setting.entryIndex);
    } else {
        setExactZone(ExactZoneEntry{setting.exactLabel, setting.offset.utcOffsetSeconds});
    }
    // The entry carries the whole offset, summer time included.
    daylightSavingCheck_->setChecked(false);
    settingZone_ = false;
}

void FrmMain::zoneEntryChanged(int index) {
    if (!settingZone_) {
        zoneSetByHand();
    }
    if (index != kExactZoneIndex && timeZoneCombo_->count() > kExactZoneIndex) {
        // The extra entry belongs to the birth Find Place set; choosing
        // any list entry gives it up.
        timeZoneCombo_->removeItem(kExactZoneIndex);
        exactZone_.reset();
    }
}

void FrmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    CloseAllAndEnd();
}

namespace {

// The one birth record a drag carries, or empty.
QString DraggedRecord(const QMimeData* mime) {
    if (!mime || !mime->hasUrls() || mime->urls().size() != 1) {
        return {};
    }
    const QString path = mime->urls().constFirst().toLocalFile();
    return path.endsWith(QString::fromLatin1(kBirthRecordExtension), Qt::CaseInsensitive)
               ? path
               : QString();
}

} // namespace

void FrmMain::dragEnterEvent(QDragEnterEvent* event) {
    if (!DraggedRecord(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void FrmMain::dropEvent(QDropEvent* event) {
    const QString path = DraggedRecord(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    // Opened after the drop has finished, so that a message box does not
    // stand inside the drag of another program.
    QMetaObject::invokeMethod(
        this, [this, path] { openBirthRecord(path); }, Qt::QueuedConnection);
}

bool FrmMain::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto* drag = static_cast<QDropEvent*>(event);
        if (DraggedRecord(drag->mimeData()).isEmpty()) {
            break;
        }
        if (event->type() == QEvent::Drop) {
            dropEvent(drag);
        } else {
            drag->acceptProposedAction();
        }
        return true;
    }
    default:
        break;
    }
    return QMainWindow::eventFilter(watched, event);
}

void FrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (placed_) {
        return;
    }
    // Centred once; after that the window stays where the user puts it.
    placed_ = true;
    if (const QScreen* display = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(display->availableGeometry().center());
        move(frame.topLeft());
    }
}

// The atlas place's zone: attached, it follows the date and time; set by
// hand, a line under the zone says so and offers it back.

void FrmMain::buildZoneByHandLine(QWidget* panel) {
    // In the free strip between the Zone group and "Get My Torvi Lagna".
    zoneByHandLine_ = Named(new QWidget(panel), "fraZoneByHand");
    zoneByHandLine_->setGeometry(TwipsRect(120, 3015, 5175, 225));
    auto* line = new QHBoxLayout(zoneByHandLine_);
    line->setContentsMargins(TwipsToPixels(150), 0, 0, 0);
    line->setSpacing(TwipsToPixels(120));
    zoneByHandLabel_ =
        Named(new QLabel(QStringLiteral("Zone set by hand."), zoneByHandLine_), "lblZoneByHand");
    atlasZoneAgainLink_ =
        Named(new LinkLabel(QStringLiteral("Use the atlas zone again"), zoneByHandLine_),
              "lnkUseAtlasZone");
    atlasZoneAgainLink_->setFocusPolicy(Qt::NoFocus);
    for (QLabel* label : {zoneByHandLabel_, static_cast<QLabel*>(atlasZoneAgainLink_)}) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kCaptionColor);
        label->setPalette(palette);
        line->addWidget(label);
    }
    line->addStretch(1);
    connect(atlasZoneAgainLink_, &LinkLabel::clicked, this, [this] { useAtlasZoneAgain(); });
    zoneByHandLine_->hide();
}

void FrmMain::showZoneState() {
    const bool byHand = zoneTracker_.state() == PlaceZoneTracker::State::ByHand;
    if (byHand) {
        const QString zone = QString::fromStdString(zoneTracker_.zoneId());
        // The zone's name goes in the tip: a long one would not fit the line.
        const QString tip = QStringLiteral("Set the zone and the box from the atlas's %1 for "
                                           "the date and time on the form")
                                .arg(zone);
        atlasZoneAgainLink_->setToolTip(tip);
        atlasZoneAgainLink_->setAccessibleDescription(tip);
    }
    zoneByHandLine_->setVisible(byHand);
}

void FrmMain::followBirthTime() {
    if (zoneTracker_.attached()) {
        // A question refused at this hour is not put again for each list.
        refreshAttachedZone(false);
    }
}

// Sets the zone and the box from the atlas for the form's date and time;
// false when they could not be set (no tz database, an impossible date, a
// question left unanswered).
bool FrmMain::refreshAttachedZone(bool askAgain, QString* fault) {
    const LocalDateTime local = FormLocalTime(entries());
    if (zoneTracker_.appliedFor(local)) {
        return true;
    }
    const ZoneLookup lookup = zoneTracker_.lookUp(this, SharedZoneResolver(), local, askAgain);
    if (!lookup.setting) {
        zoneTracker_.stale();
        if (fault) {
            *fault = lookup.fault;
        }
        return false;
    }
    applyZoneSetting(*lookup.setting);
    zoneTracker_.applied(*lookup.setting, local, daylightSavingCheck_->isChecked());
    return true;
}

void FrmMain::zoneSetByHand() {
    if (zoneTracker_.attached()) {
        zoneTracker_.detachByHand();
        showZoneState();
    }
}

void FrmMain::useAtlasZoneAgain() {
    if (zoneTracker_.state() != PlaceZoneTracker::State::ByHand) {
        return;
    }
    zoneTracker_.attach(zoneTracker_.zoneId());
    showZoneState();
    refreshAttachedZone(true);
}

// A record's atlas place stays attached when its zone and box are what the
// atlas gives for its date and time; otherwise its zone was set by hand.
void FrmMain::attachRecordPlace(const std::string& zoneId) {
    zoneTracker_.attach(zoneId);
    const LocalDateTime local = FormLocalTime(entries());
    const ZoneResolutionOrFault resolved = SharedZoneResolver().Resolve(zoneId, local);
    bool shown = false;
    if (resolved.resolution) {
        for (const ZoneOffset& offset : resolved.resolution->candidates) {
            const ZoneSetting setting = ZoneSettingFor(zoneId, offset);
            if (formShows(setting)) {
                zoneTracker_.applied(setting, local, false);
                shown = true;
                break;
            }
        }
    }
    if (!shown) {
        zoneTracker_.detachByHand();
    }
    showZoneState();
}

bool FrmMain::formShows(const ZoneSetting& setting) const {
    const BirthEntries e = entries();
    if (e.chkDST) {
        return false;
    }
    if (setting.entryIndex) {
        return e.cmbTimeZoneIndex == *setting.entryIndex;
    }
    return e.cmbTimeZoneIndex == kExactZoneIndex && e.exactZone &&
           e.exactZone->utcOffsetSeconds == setting.offset.utcOffsetSeconds;
}

// An attached zone must be the atlas's for the time on the form, and the
// box as the atlas set it: a ticked box would count an hour twice.
bool FrmMain::zoneReadyForChart() {
    if (!zoneTracker_.attached()) {
        return true;
    }
    QString fault;
    if (!refreshAttachedZone(true, &fault)) {
        // An unanswered question makes no chart and needs no message.
        if (!fault.isEmpty()) {
            Dialogs().showMessage(this, fault, DialogIcon::Information);
        }
        return false;
    }
    const PlaceZoneTracker::Applied* applied = zoneTracker_.appliedFor(FormLocalTime(entries()));
    if (applied && daylightSavingCheck_->isChecked() != applied->boxTicked) {
        Dialogs().showMessage(this, BoxAgainstAtlasMessage(applied->setting, applied->local),
                              DialogIcon::Information);
        daylightSavingCheck_->setFocus();
        return false;
    }
    return true;
}

} // namespace selmarind
