#include "ui/app/mdi.h"

#include "ui/widgets/app_icon.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/link_label.h"
#include "ui/widgets/twips.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/advert_label.h"
#include "ui/windows/chart_export.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/help_menus.h"

#include <QAction>
#include <QCloseEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>

namespace selmarind {

namespace {

constexpr int kTopBarTwips = 795;
constexpr int kBottomBarTwips = 585;
constexpr int kRestoredWidthTwips = 11880;
constexpr int kRestoredHeightTwips = 8190;
// Gap above the result form inside the frame.
constexpr int kDisplayTopTwips = 120;

QWidget* NewBar(QWidget* parent, const QString& name, int heightTwips) {
    auto* bar = new QWidget(parent);
    bar->setObjectName(name);
    bar->setFixedHeight(TwipsToPixels(heightTwips));
    bar->setAutoFillBackground(true);
    return bar;
}

QPushButton* NewButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(AppFont(8.25, true));
    button->resize(TwipsSize(1335, 400));
    button->move(0, TwipsToPixels(120));
    return button;
}

QAction* NewAction(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

} // namespace

Mdi::Mdi(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("MDI"));
    setWindowTitle(kWindowCaption);
    setWindowIcon(ApplicationIcon());
    ApplyAppStyle(this);

    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("mdiCentral"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    QWidget* titleBar = NewBar(central, QStringLiteral("picTop"), kTopBarTwips);
    auto* title = new QLabel(kApplicationTitle, titleBar);
    title->setObjectName(QStringLiteral("Label2"));
    title->setFont(AppFont(21.75, true));
    title->adjustSize();
    title->move(TwipsToPixels(360), TwipsToPixels(120));

    // The frame's client area. It scrolls where the frame is smaller than the
    // result form, so that every part of the form stays within reach.
    clientArea_ = new QScrollArea(central);
    clientArea_->setObjectName(QStringLiteral("mdiClient"));
    clientArea_->setFrameShape(QFrame::NoFrame);
    clientArea_->setWidgetResizable(false);
    clientArea_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    canvas_ = new QWidget;
    canvas_->setObjectName(QStringLiteral("mdiCanvas"));
    canvas_->setAutoFillBackground(true);
    display_ = new FrmDisplay(canvas_);
    clientArea_->setWidget(canvas_);
    clientArea_->viewport()->installEventFilter(this);
    display_->installEventFilter(this);

    QWidget* bottomBar = NewBar(central, QStringLiteral("Picture1"), kBottomBarTwips);
    auto* advert = new LinkLabel(BrandedEditionAdvertWithLink(), bottomBar);
    advert->setObjectName(QStringLiteral("Label10"));
    advert->setWordWrap(true);
    advert->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    advert->setGeometry(TwipsRect(120, 0, 7305, kBottomBarTwips));
    QPalette linkPalette = advert->palette();
    linkPalette.setColor(QPalette::WindowText, kCaptionColor);
    advert->setPalette(linkPalette);
    connect(advert, &LinkLabel::clicked, this, [] { OpenBrandedEditionPage(); });

    backButton_ = NewButton(bottomBar, QStringLiteral("cmdBack"), QStringLiteral("&Back"));
    exitButton_ = NewButton(bottomBar, QStringLiteral("cmdExit"), QStringLiteral("E&xit"));
    connect(backButton_, &QPushButton::clicked, this, &Mdi::backRequested);
    connect(exitButton_, &QPushButton::clicked, this, &Mdi::exitRequested);

    layout->addWidget(titleBar);
    layout->addWidget(clientArea_, 1);
    layout->addWidget(bottomBar);
    setCentralWidget(central);

    buildMenus();
    // The keyboard starts on the result's tabs; the client area would take
    // the focus first and ring the whole area over the bars.
    display_->tabs()->tabBar()->setFocus(Qt::OtherFocusReason);

    // Restored size: the client area below the menu bar, as designed, but
    // never larger than the screen (a small or scaled one), where the title
    // bar or the bottom bar would be out of reach; the client area scrolls.
    QSize restored(TwipsToPixels(kRestoredWidthTwips),
                   TwipsToPixels(kRestoredHeightTwips) + menuBar()->sizeHint().height());
    if (const QScreen* shown = screen()) {
        restored = restored.boundedTo(shown->availableGeometry().size());
    }
    resize(restored);
}

void Mdi::buildMenus() {
    QMenuBar* bar = menuBar();
    // The menus keep the light look of the desktop, dark text on grey.
    ApplyMenuBarStyle(bar);

    QMenu* fileMenu = bar->addMenu(QStringLiteral("&File"));
    fileMenu->setObjectName(QStringLiteral("mnuFile"));
    fileMenu_ = fileMenu;
    connect(NewAction(fileMenu, QStringLiteral("mnuBack"), QStringLiteral("&Back")),
            &QAction::triggered, this, &Mdi::backRequested);
    QAction* exitEntry = NewAction(fileMenu, QStringLiteral("mnuExit"), QStringLiteral("E&xit"));
    connect(exitEntry, &QAction::triggered, this, &Mdi::exitRequested);
    chartExport_ = new ChartExport(*this, *display_);
    chartExport_->addTo(*fileMenu, exitEntry);

    AddHelpAndDonateMenus(
        *bar, *this,
        {.firstSeparator = "mnuHelpSep1", .secondSeparator = "mnuHelpSep2", .makeMoney = "mm"});
}

void Mdi::addFileEntry(QAction* entry) {
    const QList<QAction*> entries = fileMenu_->actions();
    fileMenu_->insertAction(entries.size() > 1 ? entries[1] : nullptr, entry);
}

int Mdi::DisplayLeft(int screenWidth, int displayWidth) {
    return std::max(0, (screenWidth - displayWidth) / 2);
}

void Mdi::applyLayoutRule() {
    // The result form is centred on the width of the screen, whatever the
    // frame's width.
    const int screenWidth = screen() ? screen()->geometry().width() : width();
    display_->move(DisplayLeft(screenWidth, display_->width()), TwipsToPixels(kDisplayTopTwips));
    fitCanvas();

    // Exit 300 twips from the frame's right edge, Back 100 twips to its left.
    const int frameWidth = frameGeometry().width();
    exitButton_->move(frameWidth - exitButton_->width() - TwipsToPixels(300), exitButton_->y());
    backButton_->move(exitButton_->x() - exitButton_->width() - TwipsToPixels(100),
                      backButton_->y());
}

void Mdi::fitCanvas() {
    const QSize viewport = clientArea_->viewport()->size();
    const QRect form = display_->geometry();
    const int margin = TwipsToPixels(kDisplayTopTwips);
    canvas_->resize(std::max(viewport.width(), form.right() + 1),
                    std::max(viewport.height(), form.bottom() + 1 + margin));
}

void Mdi::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    applyLayoutRule();
}

void Mdi::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (QWindow* window = windowHandle()) {
        connect(window, &QWindow::screenChanged, this, &Mdi::applyLayoutRule, Qt::UniqueConnection);
    }
    applyLayoutRule();
}

void Mdi::closeEvent(QCloseEvent* event) {
    event->accept();
    emit exitRequested();
}

bool Mdi::eventFilter(QObject* watched, QEvent* event) {
    // The result form grows while the chart's legend shows.
    if ((watched == clientArea_->viewport() || watched == display_) &&
        event->type() == QEvent::Resize) {
        fitCanvas();
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace selmarind
