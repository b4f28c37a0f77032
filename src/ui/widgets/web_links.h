// The six kinds of web page the program opens, each from one fixed address.
#pragma once

#include <QString>
#include <QUrl>

namespace selmarind {

enum class WebPage { Help, Home, Download, Donation, CoBrand, BrandedEdition };

// The address of each kind of page; the one table of addresses. The help
// page is the one shipped beside the program (selmarind-help.html) where it
// is installed, the online one otherwise.
QUrl WebPageAddress(WebPage page);

// The home page address as shown to the user ("www.selmarind.org").
QString HomePageDisplayText();

// Each opens its page through the link opener. A page that no browser
// opened is not reported (the help menu has its own window for the help).
bool OpenHelpPage();
void OpenHomePage();
void OpenDownloadPage();
void OpenDonationPage();
void OpenCoBrandPage();
void OpenBrandedEditionPage();

} // namespace selmarind
