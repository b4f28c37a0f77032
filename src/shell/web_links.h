// The six kinds of web page the program opens, each from one fixed address.
#pragma once

#include <QString>
#include <QUrl>

namespace selmarind {

enum class WebPage { Help, Home, Download, Donation, CoBrand, BrandedEdition };

// The address of each kind of page; the one table of addresses.
QUrl WebPageAddress(WebPage page);

// The home page address as shown to the user ("www.selmarind.org").
QString HomePageDisplayText();

void OpenHelpPage();
void OpenHomePage();
void OpenDownloadPage();
void OpenDonationPage();
void OpenCoBrandPage();
void OpenBrandedEditionPage();

} // namespace selmarind
