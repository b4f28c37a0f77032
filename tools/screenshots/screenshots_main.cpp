// selmarind-screenshots OUTDIR: renders every window of the program to PNG
// files in OUTDIR, without a screen, on a 1366 × 768 display at 96 dpi.
#include "screenshots/screenshots.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

int main(int argc, char* argv[]) {
    // An option such as --help is not a folder to fill with pictures.
    if (argc != 2 || argv[1][0] == '-') {
        std::fprintf(stderr, "Usage: selmarind-screenshots OUTDIR\n");
        return 2;
    }
    // The offscreen platform with one screen of a common laptop size, so
    // that the maximized frame looks as it would on such a screen.
    QTemporaryDir configDir;
    const QString configPath = configDir.filePath(QStringLiteral("screen.json"));
    QFile config(configPath);
    if (config.open(QIODevice::WriteOnly)) {
        QTextStream(&config) << R"({"screens": [{"name": "screen", "x": 0, "y": 0, )"
                             << R"("width": 1366, "height": 768, "logicalDpi": 96, )"
                             << R"("logicalBaseDpi": 96, "dpr": 1}]})";
        config.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + QFile::encodeName(configPath));
    }
    QApplication app(argc, argv);
    const QStringList files = selmarind::WriteScreenshots(QString::fromLocal8Bit(argv[1]));
    for (const QString& file : files) {
        std::printf("%s\n", qPrintable(file));
    }
    return files.isEmpty() ? 1 : 0;
}
