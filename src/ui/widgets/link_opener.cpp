#include "ui/widgets/link_opener.h"

#include "ui/widgets/replaceable_service.h"

#include <QDesktopServices>

namespace selmarind {

namespace {

class SystemLinkOpener final : public LinkOpener {
public:
    bool open(const QUrl& address) override { return QDesktopServices::openUrl(address); }
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

bool OpenWebPage(const QUrl& address) {
    return Links().open(address);
}

} // namespace selmarind
