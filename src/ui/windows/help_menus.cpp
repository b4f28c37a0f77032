#include "ui/windows/help_menus.h"

#include "ui/widgets/web_links.h"
#include "ui/windows/frm_about.h"
#include "ui/windows/help_window.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace selmarind {

namespace {

template <typename Handler>
QAction* AddEntry(QWidget& container, QWidget& window, const char* name, const QString& caption,
                  Handler handler) {
    auto* action = new QAction(caption, &container);
    action->setObjectName(QString::fromLatin1(name));
    container.addAction(action);
    QObject::connect(action, &QAction::triggered, &window, handler);
    return action;
}

void AddSeparator(QMenu& menu, const char* name) {
    menu.addSeparator()->setObjectName(QString::fromLatin1(name));
}

} // namespace

void AddHelpAndDonateMenus(QMenuBar& bar, QWidget& window, const HelpMenuNames& names) {
    QMenu* help = bar.addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    AddEntry(*help, window, "mnuOnline", QStringLiteral("&Online Help"),
             [&window] { ShowHelp(&window); });
    AddEntry(*help, window, "mnuVisit", QStringLiteral("&Visit Us Online"), [] { OpenHomePage(); });
    AddSeparator(*help, names.firstSeparator);
    AddEntry(*help, window, "mnuUpdate", QStringLiteral("Check for Software &Update"),
             [] { OpenDownloadPage(); });
    AddSeparator(*help, names.secondSeparator);
    AddEntry(*help, window, "mnuAbout", QStringLiteral("&About Software"),
             [&window] { ShowAboutBox(&window); });

    AddEntry(bar, window, "mnuDonate", QStringLiteral("&Donate"), [] { OpenDonationPage(); });

    // Not offered to the user: present, connected, and hidden.
    AddEntry(bar, window, names.makeMoney, QStringLiteral("Make Money &Online"), [] {
        OpenBrandedEditionPage();
    })->setVisible(false);
}

} // namespace selmarind
