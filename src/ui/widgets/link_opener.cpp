#include "ui/widgets/link_opener.h"

#include "ui/widgets/replaceable_service.h"

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

ReplaceableService<LinkOpener, SystemLinkOpener>& Service() {
    static ReplaceableService<LinkOpener, SystemLinkOpener> service;
    return service;
}

} // namespace

LinkOpener& Links() {
    return Service().get();
}

void SetLinkOpener(std::unique_ptr<LinkOpener> opener) {
    Service().replace(std::move(opener));
}

void OpenWebPage(const QUrl& address) {
    Links().open(address);
}

} // namespace selmarind
