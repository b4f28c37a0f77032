#include "ui/widgets/web_links.h"

#include "ui/widgets/data_files.h"
#include "ui/widgets/link_opener.h"

#include <QFileInfo>

namespace selmarind {

QUrl WebPageAddress(WebPage page) {
    switch (page) {
    case WebPage::Help: {
        // The help page shipped in the program's data folder, where it is;
        // the one on the web otherwise.
        const QFileInfo shipped(DataFilePath(QStringLiteral("selmarind-help.html")));
        if (shipped.isFile()) {
            return QUrl::fromLocalFile(shipped.absoluteFilePath());
        }
        return QUrl(QStringLiteral("https://www.selmarind.org/help/"));
    }
    case WebPage::Home:
        return QUrl(QStringLiteral("https://www.selmarind.org/forum/"));
    case WebPage::Download:
        return QUrl(QStringLiteral("https://www.selmarind.org/download/"));
    case WebPage::Donation:
        return QUrl(QStringLiteral("https://www.selmarind.org/donate/"));
    case WebPage::CoBrand:
        return QUrl(QStringLiteral("https://www.selmarind.org/cobrand/"));
    case WebPage::BrandedEdition:
        return QUrl(QStringLiteral("https://www.selmarind.org/branded-edition/"));
    }
    return {};
}

QString HomePageDisplayText() {
    return QStringLiteral("www.selmarind.org");
}

bool OpenHelpPage() {
    return OpenWebPage(WebPageAddress(WebPage::Help));
}

void OpenHomePage() {
    OpenWebPage(WebPageAddress(WebPage::Home));
}

void OpenDownloadPage() {
    OpenWebPage(WebPageAddress(WebPage::Download));
}

void OpenDonationPage() {
    OpenWebPage(WebPageAddress(WebPage::Donation));
}

void OpenCoBrandPage() {
    OpenWebPage(WebPageAddress(WebPage::CoBrand));
}

void OpenBrandedEditionPage() {
    OpenWebPage(WebPageAddress(WebPage::BrandedEdition));
}

} // namespace selmarind
