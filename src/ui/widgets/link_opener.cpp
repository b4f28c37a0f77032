#include "ui/widgets/link_opener.h"

#include <QDesktopServices>

namespace selmarind {

namespace {

class SystemLinkOpener final : public LinkOpener {
public:
    void open(const QUrl& address) override {
        // The result is not looked at: a browser that cannot be started is
        // no reason to interrupt the user.
        QDesktopServices::openUrl(address);
    }
};

std::unique_ptr<LinkOpener>& Installed() {
    static std::unique_ptr<LinkOpener> opener;
    return opener;
}

} // namespace

LinkOpener& Links() {
    static SystemLinkOpener real;
    if (auto& installed = Installed()) {
        return *installed;
    }
    return real;
}

void SetLinkOpener(std::unique_ptr<LinkOpener> opener) {
    Installed() = std::move(opener);
}

void OpenWebPage(const QUrl& address) {
    Links().open(address);
}

} // namespace selmarind
