#include "ui/windows/help_window.h"

#include "ui/widgets/app_icon.h"
#include "ui/widgets/app_style.h"
#include "ui/widgets/dialog_service.h"
#include "ui/widgets/link_opener.h"
#include "ui/widgets/web_links.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace selmarind {

HelpWindow::HelpWindow(const QUrl& page, QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Help \u2014 ") + kWindowCaption);
    setWindowIcon(ApplicationIcon());
    browser_ = new QTextBrowser(this);
    browser_->setObjectName(QStringLiteral("txtHelp"));
    // Links are followed here, so that web addresses go to the link opener.
    browser_->setOpenLinks(false);
    connect(browser_, &QTextBrowser::anchorClicked, this, &HelpWindow::follow);
    browser_->setSource(page);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);

    QSize size(900, 700);
    if (const QScreen* shown = parent ? parent->screen() : QGuiApplication::primaryScreen()) {
        size = size.boundedTo(shown->availableGeometry().size());
    }
    resize(size);
}

void HelpWindow::follow(const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    if (target.isLocalFile()) {
        browser_->setSource(target);
    } else {
        OpenWebPage(target);
    }
}

HelpWindow* ShowHelp(QWidget* parent) {
    if (OpenHelpPage()) {
        return nullptr;
    }
    const QUrl page = WebPageAddress(WebPage::Help);
    if (!page.isLocalFile()) {
        Dialogs().showMessage(parent,
                              QStringLiteral("No web browser could be started to show the help. "
                                             "It is on the web at %1")
                                  .arg(page.toString()),
                              DialogIcon::Information);
        return nullptr;
    }
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow(page);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

} // namespace selmarind
