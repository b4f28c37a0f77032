// Sharing a chart from the result window: the PDF report (its text read
// back with pdftotext), the SVG drawing (parsed as XML), the PNG picture,
// printing to a PDF printer, the plain-text copy, the paper of the locale,
// the failures that must leave an old file alone, and the File menu.
#include "file_dialog_answers.h"
#include "recording_services.h"

#include "chart/chart_driver.h"
#include "chart/vimshottari.h"
#include "engine/name_tables.h"
#include "input/time_zones.h"
#include "report/chart_details.h"
#include "report/report.h"
#include "ui/app/mdi.h"
#include "ui/windows/chart_export.h"
#include "ui/windows/frm_display.h"
#include "ui/windows/report_document.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <memory>

using namespace selmarind;
using namespace selmarind::testing;

namespace {

// 14 August 1987, 6:35:09 at Bengaluru (12° 58' N, 77° 35' E, zone 34 of
// the list, Indian Time). Saturn is retrograde, so the (R) marks are drawn.
BirthEntries SampleEntries() {
    BirthEntries e;
    e.txtName = "ANANYA RAO";
    e.cboMonthIndex = 7;
    e.cboDate = "14";
    e.cboYear = "1987";
    e.cboHH = "6";
    e.cboMM = "35";
    e.cboSS = "9";
    e.txtMCity = "Bengaluru";
    e.txtMState = "Karnataka";
    e.txtMCountry = "India";
    e.txtLatD = "12";
    e.txtLatM = "58";
    e.txtLonD = "77";
    e.txtLonM = "35";
    e.cmbTimeZoneIndex = 34;
    return e;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The text of a PDF as pdftotext reads it, all runs of white space made
// one space (a sentence may wrap across lines); empty without the tool.
QString PdfText(const QString& path) {
    QProcess tool;
    tool.start(QStringLiteral("pdftotext"),
               {QStringLiteral("-enc"), QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!tool.waitForFinished(30000) || tool.exitCode() != 0) {
        return {};
    }
    return QString::fromUtf8(tool.readAllStandardOutput()).simplified();
}

bool HavePdfToText() {
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

} // namespace

class TestChartExport : public QObject {
    Q_OBJECT

    RecordingDialogs* dialogs_ = nullptr;
    FileDialogAnswers* fileDialogs_ = nullptr;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<Mdi> frame_;
    ChartResult result_;
    BirthEntries entries_;

    QString path(const QString& name) const { return dir_->filePath(name); }
    ChartExport& exporter() { return *frame_->chartExport(); }

    // Every text the report must hold, found in the extracted text.
    void checkReportText(const QString& text) {
        QVERIFY2(!text.isEmpty(), "pdftotext gave no text");
        QStringList wanted = {QString::fromStdString(result_.form.lblName),
                              QString::fromStdString(result_.form.lblHoraDesc),
                              QString::fromStdString(result_.form.attributes[0]),
                              QStringLiteral("Selmarind " SELMARIND_VERSION),
                              QString::fromUtf8(TimeZoneList()[34].itemText.data(),
                                                qsizetype(TimeZoneList()[34].itemText.size())),
                              "Ayanamsa: " + QString::fromStdString(result_.chart.ayanamsaName)};
        for (const std::string& position : result_.form.planet) {
            wanted << QString::fromStdString(position);
        }
        for (const QString& piece : wanted) {
            QVERIFY2(text.contains(QString(piece).simplified()),
                     qPrintable("missing \"" + piece + "\" in: " + text.left(3000)));
        }
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        entries_ = SampleEntries();
        const std::optional<ChartResult> result = CalculateChart(entries_);
        QVERIFY(result);
        result_ = *result;
    }

    void init() {
        QSettings().clear();
        dialogs_ = InstallRecorders().first;
        fileDialogs_ = InstallFileDialogAnswers();
        dir_ = std::make_unique<QTemporaryDir>();
        frame_ = std::make_unique<Mdi>();
        frame_->display()->showResult(result_);
        exporter().setChart(result_, entries_);
        frame_->show();
        QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    }

    void cleanup() {
        frame_.reset();
        SetDialogService(nullptr);
        SetLinkOpener(nullptr);
        SetFileDialogService(nullptr);
    }

    // Export, Print, Print Preview and Copy stand between Back and Exit.
    void fileMenu() {
        auto* menu = frame_->findChild<QMenu*>("mnuFile");
        QStringList names;
        for (const QAction* action : menu->actions()) {
            names << action->objectName();
        }
        QCOMPARE(names, QStringList({"mnuBack", "mnuExportChart", "mnuPrintChart",
                                     "mnuPrintPreview", "mnuCopyChartText", "mnuExit"}));
        const struct {
            const char* name;
            const char* caption;
            QKeySequence keys;
        } entries[] = {
            {"mnuExportChart", "&Export Chart...", QKeySequence(Qt::CTRL | Qt::Key_E)},
            {"mnuPrintChart", "&Print...", QKeySequence(Qt::CTRL | Qt::Key_P)},
            {"mnuCopyChartText", "&Copy Chart as Text",
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
        };
        for (const auto& entry : entries) {
            auto* action = frame_->findChild<QAction*>(entry.name);
            QCOMPARE(action->text(), QString(entry.caption));
            QCOMPARE(action->shortcut(), entry.keys);
        }
    }

    // The report ends with the Navamsa (its Torvi Lagna named, each body's
    // D9 sign listed) and the nine periods with their dates at the birth's
    // offset, then the sub-periods of the one running today.
    void pdfReportHoldsTheNavamsaAndThePeriods() {
        if (!HavePdfToText()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QFile file(path("vargas.pdf"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(ChartReportPdf(result_, entries_, QPageSize::A4, QStringLiteral("footer")));
        file.close();
        // Laid out, so that a table's row stays one line.
        QProcess tool;
        tool.start(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"),
                    path("vargas.pdf"), QStringLiteral("-")});
        QVERIFY(tool.waitForFinished(30000) && tool.exitCode() == 0);
        const QString text = QString::fromUtf8(tool.readAllStandardOutput()).simplified();
        const ChartValues& chart = result_.chart;
        const auto name = [](Body body) { return QString::fromUtf8(kBodyNames[Index(body)]); };
        QStringList wanted = {
            QStringLiteral("Navamsa (D9)"),
            QStringLiteral("The Torvi Lagna of the Navamsa is %1.")
                .arg(QString::fromUtf8(kSignNames[chart.navamsa.torviLagnaSign - 1])),
            QStringLiteral("Vimshottari Dasha")};
        wanted << QStringLiteral("Guru/Jupiter : ") +
                      QString::fromUtf8(kSignNames[chart.navamsa.signs[Index(Body::Jupiter)]]);
        QCOMPARE(chart.dasha.size(), std::size_t{9});
        const auto date = [&chart](UtInstant instant) {
            return QString::fromStdString(DateTextAtOffset(instant, chart.utcOffsetSeconds));
        };
        for (const DashaPeriod& period : chart.dasha) {
            wanted << QStringLiteral("%1 %2 %3")
                          .arg(name(period.lord), date(period.start), date(period.end));
        }
        const UtInstant now{QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)
                                .secsTo(QDateTime::currentDateTimeUtc())};
        if (const std::optional<DashaPosition> running = RunningDasha(chart.dasha, now)) {
            const DashaPeriod& period = chart.dasha[running->period];
            wanted << QStringLiteral("Sub-periods of the %1 period").arg(name(period.lord));
            for (const DashaPeriod& sub : period.sub) {
                wanted << QStringLiteral("%1 / %2").arg(name(period.lord), name(sub.lord));
            }
        }
        for (const QString& piece : wanted) {
            // A marked row carries "(running today)" between lord and dates.
            QString found = text;
            found.remove(QStringLiteral(" (running today)"));
            QVERIFY2(found.contains(piece),
                     qPrintable("missing \"" + piece + "\" in: " + text.right(3000)));
        }
        QCOMPARE(text.count(QStringLiteral("(running today)")), 2);
    }

    // The report's text can be searched: the name, each position, the
    // house sentence, the sign and the footer's version.
    void pdfReport() {
        if (!HavePdfToText()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        QVERIFY(exporter().exportTo(path("chart.pdf")));
        QCOMPARE(dialogs_->log(), QStringList());
        QVERIFY(ReadAll(path("chart.pdf")).startsWith("%PDF-"));
        checkReportText(PdfText(path("chart.pdf")));

        // SELMARIND_REPORT_SHOTS=<folder> keeps the report there with its
        // pages drawn by pdftoppm (page-1.png, ...), to be looked at.
        const QString shots = qEnvironmentVariable("SELMARIND_REPORT_SHOTS");
        if (!shots.isEmpty()) {
            QVERIFY(QDir().mkpath(shots));
            QFile::remove(shots + "/chart-report.pdf");
            QVERIFY(QFile::copy(path("chart.pdf"), shots + "/chart-report.pdf"));
            QCOMPARE(QProcess::execute("pdftoppm", {"-png", "-r", "110",
                                                    shots + "/chart-report.pdf", shots + "/page"}),
                     0);
            QVERIFY(exporter().exportTo(shots + "/chart.svg"));
            QVERIFY(exporter().exportTo(shots + "/chart.png"));
            frame_->display()->setChartLook({ChartStyle::East, true});
            QVERIFY(exporter().exportTo(shots + "/chart-east.pdf"));
            QVERIFY(exporter().exportTo(shots + "/chart-east.svg"));
            QVERIFY(exporter().exportTo(shots + "/chart-east.png"));
        }
    }

    // The drawing is well-formed XML in the chosen style: the header names
    // the person and the positions, and each body of the result form stands
    // in the cell of its sign.
    void svgDrawing_data() {
        QTest::addColumn<int>("style");
        for (const ChartStyle style : kChartStyles) {
            QTest::newRow(ChartStyleName(style).data()) << int(style);
        }
    }
    void svgDrawing() {
        QFETCH(int, style);
        frame_->display()->setChartLook({ChartStyle(style), false});
        QVERIFY(exporter().exportTo(path("chart.svg")));
        QXmlStreamReader xml(ReadAll(path("chart.svg")));
        QStringList texts;
        QString title;
        std::array<QStringList, 12> cellTexts;
        int sign = 0; // of the cell being read, 1..12
        while (!xml.atEnd()) {
            xml.readNext();
            if (xml.isStartElement() && xml.name() == u"g") {
                sign = xml.attributes().value("data-sign").toInt();
            } else if (xml.isStartElement() && xml.name() == u"title") {
                title = xml.readElementText();
            } else if (xml.isStartElement() && xml.name() == u"text") {
                texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).simplified();
                if (sign >= 1 && sign <= 12) {
                    cellTexts[static_cast<std::size_t>(sign - 1)] << texts.last();
                }
            } else if (xml.isEndElement() && xml.name() == u"g") {
                sign = 0;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY2(title.contains(ChartStyleTitle(ChartStyle(style)).data()), qPrintable(title));
        QVERIFY(texts.contains(QString::fromStdString(result_.form.lblName)));
        QVERIFY(texts.contains("Positions: classic"));
        for (std::size_t s = 0; s < 12; ++s) {
            for (const QString& body :
                 QString::fromStdString(result_.form.signCells[s]).split("\r\n")) {
                QVERIFY2(body.trimmed().isEmpty() || cellTexts[s].contains(body.trimmed()),
                         qPrintable(body + " not in sign " + QString::number(s + 1) + ": " +
                                    cellTexts[s].join(" | ")));
            }
        }
        // The home-page link of the window's chart is not drawn.
        QVERIFY(!ReadAll(path("chart.svg")).contains("Click here"));
    }

    // The PDF says how the chart was made and what it computes beyond the
    // result form: the source and sunrise rule, the universal time, offset
    // and zone, every special point and the arudhas A1 to A12, in rows as the
    // Chart Details tab has them, and draws the chart in the chosen style.
    void pdfSaysHowTheChartWasMade() {
        if (!HavePdfToText()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        frame_->display()->setChartLook({ChartStyle::North, true});
        QVERIFY(exporter().exportTo(path("north.pdf")));
        const QString text = PdfText(path("north.pdf"));
        // pdftotext reads a column of captions before the column of values.
        QStringList wanted = {"North Indian chart with the special points and arudhas",
                              "Position source :",
                              "classic",
                              "Sunrise convention :",
                              "upper limb, with standard refraction",
                              "GL Ghati Lagna"};
        for (const DetailSection& section : ChartDetailSections(result_, entries_)) {
            if (section.kind == DetailSectionKind::BirthInstant ||
                section.kind == DetailSectionKind::SpecialPoints ||
                section.kind == DetailSectionKind::Arudhas) {
                for (const DetailRow& row : section.rows) {
                    wanted << QString::fromStdString(row.caption + " :")
                           << QString::fromStdString(row.value);
                }
            }
        }
        QVERIFY(wanted.size() == 6 + 2 * (4 + 9 + 12));
        for (const QString& piece : wanted) {
            QVERIFY2(text.contains(piece.simplified()),
                     qPrintable("missing \"" + piece + "\" in: " + text.left(4000)));
        }
        QVERIFY(text.contains("A12 :") && text.contains("A1 = Arudha Lagna :"));
    }

    // The picture is the first tab at twice the screen's pixel density.
    void pngPicture() {
        QVERIFY(exporter().exportTo(path("chart.png")));
        const QImage image(path("chart.png"));
        QVERIFY(!image.isNull());
        const QWidget* tab = frame_->display()->findChild<QWidget*>("tabChart");
        const qreal scale = 2 * tab->devicePixelRatioF();
        QCOMPARE(image.size(), tab->size() * scale);
        QVERIFY(tab->width() > 300);

        // The centre of the chart, where the window shows its home-page
        // link, is plain ground in the picture; the window keeps its link.
        const QWidget* link = frame_->display()->findChild<QWidget*>("Label7");
        QVERIFY(link && link->isVisible());
        const QRect centre(link->mapTo(tab, QPoint(0, 0)) * scale, link->size() * scale);
        const QRgb ground = image.pixel(centre.topLeft());
        for (int y = centre.top(); y <= centre.bottom(); ++y) {
            for (int x = centre.left(); x <= centre.right(); ++x) {
                QVERIFY2(image.pixel(x, y) == ground,
                         qPrintable(QString("(%1, %2)").arg(x).arg(y)));
            }
        }
    }

    // Printing to a PDF printer, without a dialog, gives the same report.
    void printToPdfPrinter() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path("printed.pdf"));
        QVERIFY(exporter().printTo(printer));
        QVERIFY(ReadAll(path("printed.pdf")).startsWith("%PDF-"));
        if (!HavePdfToText()) {
            QSKIP("pdftotext (poppler-utils) is not installed");
        }
        checkReportText(PdfText(path("printed.pdf")));
    }

    // The clipboard holds the tool's plain-text report.
    void copyAsText() {
        QApplication::clipboard()->clear();
        frame_->findChild<QAction*>("mnuCopyChartText")->trigger();
        QCOMPARE(QApplication::clipboard()->text(),
                 QString::fromStdString(PlainReport(result_, entries_)));
    }

    void paper_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("paper");
        // Letter where the locale measures in inches, A4 elsewhere (ISO 216).
        QTest::newRow("United States") << "en_US" << int(QPageSize::Letter);
        QTest::newRow("Britain (imperial, but A4 paper)") << "en_GB" << int(QPageSize::A4);
        QTest::newRow("India") << "hi_IN" << int(QPageSize::A4);
        QTest::newRow("Germany") << "de_DE" << int(QPageSize::A4);
    }

    void paper() {
        QFETCH(QString, locale);
        QFETCH(int, paper);
        QCOMPARE(int(LocalPaperSize(QLocale(locale))), paper);
    }

    // The dialog offers the name and date as the file name; a name without
    // an ending gets the chosen kind's.
    void exportThroughTheDialog() {
        fileDialogs_->answers = {path("mine")};
        fileDialogs_->chosenFilter = "SVG drawing (*.svg)";
        frame_->findChild<QAction*>("mnuExportChart")->trigger();
        QCOMPARE(dialogs_->log(), QStringList());
        QCOMPARE(QFileInfo(fileDialogs_->offeredPath).fileName(),
                 QString("ANANYA RAO 1987-08-14.pdf"));
        QVERIFY(ReadAll(path("mine.svg")).contains("<svg"));
    }

    // The first export dialog opens in the documents folder for the PDF
    // offered first; then in the folder used last, with the kind used last;
    // where that folder is gone, in the pictures folder for a picture; and
    // in the home folder when the standard folders are missing, never in
    // the program's working folder.
    void exportFolders() {
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("HOME", QFile::encodeName(home.path()));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath("config")));
        QVERIFY(QDir(home.path()).mkpath("Documents") && QDir(home.path()).mkpath("Pictures"));
        const auto offeredFolder = [&] {
            return QFileInfo(fileDialogs_->offeredPath).absolutePath();
        };
        const auto offeredName = [&] { return QFileInfo(fileDialogs_->offeredPath).fileName(); };
        QAction* exportEntry = frame_->findChild<QAction*>("mnuExportChart");

        exportEntry->trigger();
        QCOMPARE(offeredFolder(), home.filePath("Documents"));
        QCOMPARE(offeredName(), QString("ANANYA RAO 1987-08-14.pdf"));

        QTemporaryDir pictures;
        fileDialogs_->answers = {pictures.filePath("chart.png")};
        exportEntry->trigger();
        exportEntry->trigger();
        QCOMPARE(offeredFolder(), QFileInfo(pictures.path()).absoluteFilePath());
        QCOMPARE(offeredName(), QString("ANANYA RAO 1987-08-14.png"));

        QVERIFY(pictures.remove());
        exportEntry->trigger();
        QCOMPARE(offeredFolder(), home.filePath("Pictures"));

        QVERIFY(QDir(home.filePath("Pictures")).removeRecursively());
        exportEntry->trigger();
        QCOMPARE(offeredFolder(), home.filePath("Documents"));
        QVERIFY(QDir(home.filePath("Documents")).removeRecursively());
        exportEntry->trigger();
        QCOMPARE(offeredFolder(), QFileInfo(home.path()).absoluteFilePath());
        QCOMPARE(dialogs_->log(), QStringList());

        qputenv("HOME", oldHome);
        oldConfig.isNull() ? qunsetenv("XDG_CONFIG_HOME") : qputenv("XDG_CONFIG_HOME", oldConfig);
    }

    void failedExports_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder that does not exist") << "missing/chart.pdf"
                                                    << "does not exist";
        QTest::newRow("full device") << "/dev/full"
                                     << "PDF report (.pdf)";
        QTest::newRow("full device, PDF name") << "/dev/full.pdf"
                                               << "";
        QTest::newRow("unknown kind") << "chart.txt"
                                      << "none of these";
    }

    // A failed export says so; nothing is reported as saved.
    void failedExports() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        const QString full = target.startsWith('/') ? target : path(target);
        if (target == "/dev/full.pdf") {
            // The device under a name with a known ending, through a link.
            QVERIFY(QFile::link("/dev/full", path("full.pdf")));
            QVERIFY(!exporter().exportTo(path("full.pdf")));
            QVERIFY(dialogs_->shown.constFirst().text.contains("character device, not a file"));
            QVERIFY(QFileInfo("/dev/full").exists() && !QFileInfo("/dev/full").isFile());
            return;
        }
        QVERIFY(!exporter().exportTo(full));
        QCOMPARE(dialogs_->shown.size(), 1);
        QVERIFY2(dialogs_->shown[0].text.contains(reason), qPrintable(dialogs_->shown[0].text));
    }

    // An export onto a file that stays in the way keeps the old file.
    void oldFileKept() {
        QVERIFY(QDir(dir_->path()).mkdir("taken.png"));
        QVERIFY(!exporter().exportTo(path("taken.png")));
        QVERIFY(QFileInfo(path("taken.png")).isDir());
        QCOMPARE(dialogs_->shown.size(), 1);
    }
};

QTEST_MAIN(TestChartExport)
#include "test_chart_export.moc"
