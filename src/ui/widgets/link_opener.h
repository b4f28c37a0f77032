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
    // Asks the system to open the address with its default handler. False
    // when no handler took it (no browser is registered or it would not
    // start); the caller decides whether that is worth a word.
    virtual bool open(const QUrl& address) = 0;
};

LinkOpener& Links();

// Installs a replacement (tests); nullptr restores the system opener.
void SetLinkOpener(std::unique_ptr<LinkOpener> opener);

// Opens an address through the link opener in use; false when nothing
// opened it.
bool OpenWebPage(const QUrl& address);

} // namespace selmarind
