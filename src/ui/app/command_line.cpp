#include "ui/app/command_line.h"

#include "atlas/atlas.h"
#include "ui/widgets/data_files.h"
#include "ui/widgets/web_links.h"
#include "ui/windows/find_place_dialog.h"
#include "ui/windows/frm_main.h"

#include <QApplication>
#include <QFileInfo>

#include <cstdio>
#include <cstring>
#include <string>

namespace selmarind {

StartMode StartModeOf(int argc, char* argv[]) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            return StartMode::Version;
        }
        if (std::strcmp(argv[i], "--self-test") == 0) {
            return StartMode::SelfTest;
        }
    }
    return StartMode::Windows;
}

int PrintVersion() {
    std::printf("selmarind %s\n", SELMARIND_VERSION);
    return std::fflush(stdout) == 0 ? 0 : 1;
}

void PrepareSelfTest() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
}

int RunSelfTest() {
    int faults = 0;
    const auto fault = [&faults](const QString& text) {
        std::fprintf(stderr, "selmarind: self-test: %s\n", qPrintable(text));
        ++faults;
    };

    {
        FrmMain form;
        form.show();
        QApplication::processEvents();
        if (!form.isVisible()) {
            fault(QStringLiteral("the birth form did not open"));
        }
    }

    const QUrl help = WebPageAddress(WebPage::Help);
    if (!help.isLocalFile()) {
        fault(QStringLiteral("the help page is missing: ") +
              DataFilePath(QStringLiteral("selmarind-help.html")));
    }
    const QString notices = DataFilePath(QStringLiteral("NOTICE"));
    if (!QFileInfo(notices).isFile()) {
        fault(QStringLiteral("the third-party notices are missing: ") + notices);
    }
    std::string atlasFault;
    const QString atlasPath =
        DataFilePath(QStringLiteral("atlas/") + QString::fromUtf8(kAtlasFileName.data()));
    if (!CachedAtlas(atlasPath.toStdString(), atlasFault)) {
        fault(QString::fromStdString(atlasFault));
    }
    if (!SharedZoneResolver().Available()) {
        fault(QString::fromStdString(SharedZoneResolver().UnavailableMessage()));
    }

    if (faults == 0) {
        std::printf("selmarind %s: self-test passed (data in %s)\n", SELMARIND_VERSION,
                    qPrintable(DataFolder()));
    } else {
        std::printf("selmarind %s: self-test failed, %d fault(s)\n", SELMARIND_VERSION, faults);
    }
    std::fflush(stdout);
    return faults == 0 ? 0 : 1;
}

} // namespace selmarind
