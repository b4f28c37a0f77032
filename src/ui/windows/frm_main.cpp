#include "ui/windows/frm_main.h"

#include "chart/chart_driver.h"
#include "engine/civil_time.h"
#include "input/key_filters.h"
#include "input/time_zones.h"
#include "ui/widgets/app_icon.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/application_end.h"
#include "ui/widgets/dialog_service.h"
#include "ui/widgets/entry_field_filter.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/place_search.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/help_menus.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <array>
#include <string>

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
    setWindowIcon(ApplicationIcon());
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

    setFixedSize(client->width(), client->height() + menuBar()->sizeHint().height());
    chkDST_->setFocus();
}

void FrmMain::buildMenus() {
    auto action = [this](const char* name, const QString& text, auto handler) {
        auto* entry = Named(new QAction(text, this), name);
        connect(entry, &QAction::triggered, this, handler);
        return entry;
    };

    QMenu* mnuFile = Named(menuBar()->addMenu(QStringLiteral("&File")), "mnuFile");
    mnuFile->addAction(
        action("mnuNext", QStringLiteral("Get My Torvi Lagna"), [this] { cmdRashi_Click(); }));
    mnuFile->addAction(action("mnuExit", QStringLiteral("E&xit"), [this] { close(); }));

    AddHelpAndDonateMenus(
        *menuBar(), *this,
        {.firstSeparator = "mnuHelp1", .secondSeparator = "mnuHelp2", .makeMoney = "mkmoney"});
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
    txtName_ = AddField(personal, "txtName", TwipsRect(1440, 345, 3600, kFieldHeight),
                        QStringLiteral("Name"));
    InstallNameFilter(txtName_);
    AddCaption(personal, "lblNameCaption", QStringLiteral("Name"),
               TwipsRect(150, 345, 1260, kFieldHeight), txtName_);

    cboMonth_ = AddList(personal, "cboMonth", TwipsRect(1440, 810, 1620, kComboHeight),
                        QStringLiteral("Date of Birth Month"));
    cboDate_ = AddList(personal, "cboDate", TwipsRect(3120, 810, 780, kComboHeight),
                       QStringLiteral("Date of Birth Day"));
    cboYear_ = AddList(personal, "cboYear", TwipsRect(3960, 810, 1080, kComboHeight),
                       QStringLiteral("Date of Birth Year"));
    AddCaption(personal, "lblDateCaption", QStringLiteral("Date of Birth"),
               TwipsRect(150, 810, 1260, kComboHeight), cboMonth_);

    cboHH_ = AddList(personal, "cboHH", TwipsRect(1440, 1290, 780, kComboHeight),
                     QStringLiteral("Time of Birth Hours"));
    cboMM_ = AddList(personal, "cboMM", TwipsRect(2280, 1290, 780, kComboHeight),
                     QStringLiteral("Time of Birth Minutes"));
    cboSS_ = AddList(personal, "cboSS", TwipsRect(3120, 1290, 780, kComboHeight),
                     QStringLiteral("Time of Birth Seconds"));
    AddCaption(personal, "lblTimeCaption", QStringLiteral("Time of Birth"),
               TwipsRect(150, 1290, 1260, kComboHeight), cboHH_);
    AddCaption(personal, "lblTimeHint", QStringLiteral("HH:MM:SS"),
               TwipsRect(3960, 1290, 1080, kComboHeight), nullptr);

    // Place Details: city, state, country and the look-up below them.
    QGroupBox* place = AddGroup(panel, "fraPlaceDetails", QStringLiteral("Place Details"),
                                TwipsRect(5280, 240, 4455, 1815));
    txtMCity_ = AddField(place, "txtMCity", TwipsRect(1080, 300, 3240, kFieldHeight),
                         QStringLiteral("City"));
    txtMState_ = AddField(place, "txtMState", TwipsRect(1080, 645, 3240, kFieldHeight),
                          QStringLiteral("State"));
    txtMCountry_ = AddField(place, "txtMCountry", TwipsRect(1080, 990, 3240, kFieldHeight),
                            QStringLiteral("Country"));
    AddCaption(place, "lblCityCaption", QStringLiteral("City"),
               TwipsRect(150, 300, 900, kFieldHeight), txtMCity_);
    AddCaption(place, "lblStateCaption", QStringLiteral("State"),
               TwipsRect(150, 645, 900, kFieldHeight), txtMState_);
    AddCaption(place, "lblCountryCaption", QStringLiteral("Country"),
               TwipsRect(150, 990, 900, kFieldHeight), txtMCountry_);
    cmdBrowser_ = Named(new QPushButton(QStringLiteral("Click for Latitude && Longitude"), place),
                        "cmdBrowser");
    cmdBrowser_->setGeometry(TwipsRect(1080, 1365, 3240, 345));
    connect(cmdBrowser_, &QPushButton::clicked, this, [this] { cmdBrowser_Click(); });

    // Zone: the time-zone list and the daylight-saving box.
    QGroupBox* zone =
        AddGroup(panel, "fraZone", QStringLiteral("Zone"), TwipsRect(120, 2040, 5175, 975));
    cmbTimeZone_ = AddList(zone, "cmbTimeZone", TwipsRect(150, 285, 4875, kComboHeight),
                           QStringLiteral("Zone"));
    chkDST_ = Named(new QCheckBox(QStringLiteral("Daylight Saving Time"), zone), "chkDST");
    chkDST_->setGeometry(TwipsRect(150, 660, 3000, 255));
    GiveVisibleEdge(chkDST_);

    // Latitude and Longitude: degrees and minutes, then the hemisphere.
    auto coordinateGroup = [panel](const char* name, const QString& title, QRect geometry,
                                   QLineEdit*& degrees, const char* degreesName, int degreesWidth,
                                   QLineEdit*& minutes, const char* minutesName,
                                   QRadioButton*(&hemisphere)[2], const char* hemisphereName,
                                   const QString& first, const QString& second) {
        QGroupBox* group = AddGroup(panel, name, title, geometry);
        degrees = AddField(group, degreesName, TwipsRect(555, 285, degreesWidth, kFieldHeight),
                           title + QStringLiteral(" Deg"));
        const int minutesLeft = 555 + degreesWidth + 480;
        minutes = AddField(group, minutesName, TwipsRect(minutesLeft, 285, 480, kFieldHeight),
                           title + QStringLiteral(" Min"));
        AddCaption(group, ("lbl" + std::string(degreesName + 3) + "Caption").c_str(),
                   QStringLiteral("Deg"), TwipsRect(150, 285, 405, kFieldHeight), degrees);
        AddCaption(group, ("lbl" + std::string(minutesName + 3) + "Caption").c_str(),
                   QStringLiteral("Min"), TwipsRect(minutesLeft - 450, 285, 420, kFieldHeight),
                   minutes);
        const std::array<QString, 2> captions = {first, second};
        for (int i = 0; i < 2; ++i) {
            const std::string elementName = std::string(hemisphereName) + "_" + std::to_string(i);
            hemisphere[i] = Named(new QRadioButton(captions[static_cast<std::size_t>(i)], group),
                                  elementName.c_str());
            hemisphere[i]->setGeometry(TwipsRect(150 + i * 1020, 660, 960, 255));
            hemisphere[i]->setAccessibleName(title + u' ' + captions[static_cast<std::size_t>(i)]);
            GiveVisibleEdge(hemisphere[i]);
        }
    };
    coordinateGroup("fraLatitude", QStringLiteral("Latitude"), TwipsRect(5280, 2040, 2295, 975),
                    txtLatD_, "txtLatD", 480, txtLatM_, "txtLatM", optLat_, "optLat",
                    QStringLiteral("North"), QStringLiteral("South"));
    coordinateGroup("fraLongitude", QStringLiteral("Longitude"), TwipsRect(7560, 2040, 2175, 975),
                    txtLonD_, "txtLonD", 540, txtLonM_, "txtLonM", optLong_, "optLong",
                    QStringLiteral("East"), QStringLiteral("West"));
    InstallCoordinateFilter(txtLatD_, kLatitudeDegreesMaxLength);
    InstallCoordinateFilter(txtLatM_, kLatitudeMinutesMaxLength);
    InstallCoordinateFilter(txtLonD_, kLongitudeDegreesMaxLength);
    InstallCoordinateFilter(txtLonM_, kLongitudeMinutesMaxLength);

    cmdRashi_ = Named(new QPushButton(QStringLiteral("Get My Torvi Lagna"), panel), "cmdRashi");
    cmdRashi_->setGeometry(TwipsRect(120, 3240, 9585, 495));
    cmdRashi_->setFont(AppFont(9.75, true));
    connect(cmdRashi_, &QPushButton::clicked, this, [this] { cmdRashi_Click(); });
}

void FrmMain::buildAdvertStrip(QWidget* client) {
    auto* strip = Named(new QWidget(client), "picAdvert");
    strip->setGeometry(TwipsRect(0, 5040, 9825, 735));

    lblFullBrand_ = AddLink(strip, "lblFullBrand", kBrandedEditionAdvertWithLink,
                            TwipsRect(120, 120, 9585, 495));
    connect(lblFullBrand_, &LinkLabel::clicked, this, [] { OpenBrandedEditionPage(); });

    // A label shows "&" as it stands; the caption's "&&" is one ampersand.
    lblCobrand_ = AddLink(strip, "lblCobrand",
                          QStringLiteral("Co-brand this software for your site.  Increase loyalty "
                                         "and traffic to your site. Put your site's name &  link "
                                         "here. See \"Help\" for details.    Click Here for more "
                                         "info on co-branding."),
                          TwipsRect(120, 120, 9585, 495));
    connect(lblCobrand_, &LinkLabel::clicked, this, [] { OpenCoBrandPage(); });

    for (LinkLabel* label : {lblFullBrand_, lblCobrand_}) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignCenter);
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, kTaglineColor);
        label->setPalette(palette);
    }
    bringAdvertToFront(AdvertChoice::Cobrand);
}

void FrmMain::setTabOrder() {
    const std::array<QWidget*, 22> order = {
        chkDST_,     txtLonM_,   optLong_[0], optLong_[1],  txtLatD_,     txtLatM_,
        optLat_[0],  optLat_[1], txtLonD_,    cmbTimeZone_, txtMCountry_, txtMState_,
        cmdBrowser_, txtMCity_,  cmdRashi_,   cboSS_,       txtName_,     cboMonth_,
        cboDate_,    cboYear_,   cboHH_,      cboMM_};
    for (std::size_t i = 0; i + 1 < order.size(); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

void FrmMain::Form_Load() {
    for (int month = 1; month <= 12; ++month) {
        cboMonth_->addItem(QString::fromLatin1(MonthName(month)));
    }
    for (const TimeZoneEntry& entry : TimeZoneList()) {
        cmbTimeZone_->addItem(QString::fromUtf8(entry.itemText.data(),
                                                static_cast<qsizetype>(entry.itemText.size())));
    }
    AddNumbers(cboDate_, 1, 31);
    AddNumbers(cboYear_, 1901, 2050);
    AddNumbers(cboHH_, 0, 23);
    AddNumbers(cboMM_, 0, 59);
    AddNumbers(cboSS_, 0, 59);
    for (QComboBox* list : {cboMonth_, cboDate_, cboYear_, cboHH_, cboMM_, cboSS_}) {
        list->setCurrentIndex(0);
    }
    cmbTimeZone_->setCurrentIndex(kGreenwichZoneIndex);
    chkDST_->setChecked(false);
    optLat_[0]->setChecked(true);
    optLong_[0]->setChecked(true);
    // Each pair of option buttons is one Tab stop, on the selected button;
    // the arrow keys move between the two.
    for (QRadioButton* unselected : {optLat_[1], optLong_[1]}) {
        unselected->setFocusPolicy(Qt::ClickFocus);
    }
}

BirthEntries FrmMain::entries() const {
    BirthEntries e;
    e.txtName = txtName_->text().toStdString();
    e.cboMonthIndex = cboMonth_->currentIndex();
    e.cboDate = cboDate_->currentText().toStdString();
    e.cboYear = cboYear_->currentText().toStdString();
    e.cboHH = cboHH_->currentText().toStdString();
    e.cboMM = cboMM_->currentText().toStdString();
    e.cboSS = cboSS_->currentText().toStdString();
    e.txtMCity = txtMCity_->text().toStdString();
    e.txtMState = txtMState_->text().toStdString();
    e.txtMCountry = txtMCountry_->text().toStdString();
    e.txtLatD = txtLatD_->text().toStdString();
    e.txtLatM = txtLatM_->text().toStdString();
    e.optLatSouth = optLat_[1]->isChecked();
    e.txtLonD = txtLonD_->text().toStdString();
    e.txtLonM = txtLonM_->text().toStdString();
    e.optLongEast = optLong_[0]->isChecked();
    e.cmbTimeZoneIndex = cmbTimeZone_->currentIndex();
    e.chkDST = chkDST_->checkState() != Qt::Unchecked;
    return e;
}

void FrmMain::bringAdvertToFront(AdvertChoice choice) {
    if (choice == AdvertChoice::Unchanged) {
        return;
    }
    LinkLabel* front = choice == AdvertChoice::Cobrand ? lblCobrand_ : lblFullBrand_;
    LinkLabel* back = front == lblCobrand_ ? lblFullBrand_ : lblCobrand_;
    front->raise();
    // The label behind is covered entirely: hidden, it takes no clicks and
    // is not read out.
    front->show();
    back->hide();
}

void FrmMain::cmdRashi_Click() {
    // One reading of the controls serves both the checks and the chart.
    const BirthEntries current = entries();
    if (const std::optional<ValidationFault> fault = ValidateBirthData(current)) {
        showFault(*fault);
        return;
    }
    if (const std::optional<ChartResult> result = CalculateChart(current)) {
        emit chartCalculated(*result);
    }
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
        return txtName_;
    case EntryField::txtLonD:
        return txtLonD_;
    case EntryField::txtLonM:
        return txtLonM_;
    case EntryField::txtLatD:
        return txtLatD_;
    case EntryField::txtLatM:
        return txtLatM_;
    case EntryField::None:
        break;
    }
    return nullptr;
}

void FrmMain::cmdBrowser_Click() {
    const QString city = txtMCity_->text();
    const QString state = txtMState_->text();
    const QString country = txtMCountry_->text();
    if (const std::optional<PlaceFault> fault = CheckPlaceEntries(city, state, country)) {
        Dialogs().showMessage(this, fault->message, DialogIcon::Information);
        switch (fault->field) {
        case PlaceField::City:
            txtMCity_->setFocus();
            break;
        case PlaceField::State:
            txtMState_->setFocus();
            break;
        case PlaceField::Country:
            txtMCountry_->setFocus();
            break;
        }
        return;
    }
    OpenPlaceSearch(PlaceSearchText(city, state, country));
}

void FrmMain::closeEvent(QCloseEvent* event) {
    event->accept();
    CloseAllAndEnd();
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

} // namespace selmarind
