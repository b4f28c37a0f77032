// Every web page the program opens goes through one link opener, so that
// tests can replace it with a recording one.
#pragma once

#include <QString>
#include <QUrl>

#include <memory>

namespace selmarind {

class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    // Asks the system to open the address with its default handler. A
    // failure is silent.
    virtual void open(const QUrl& address) = 0;
};

LinkOpener& Links();

// Installs a replacement (tests); nullptr restores the system opener.
void SetLinkOpener(std::unique_ptr<LinkOpener> opener);

// Opens an address through the link opener in use.
void OpenWebPage(const QUrl& address);

} // namespace selmarind
