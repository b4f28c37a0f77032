// Birth records from the birth-data form: a record saved and opened again
// gives the same bytes and the same chart; damaged and hostile records are
// refused with a message and leave every control as it was; failed saves
// keep the old file; the recent list, the suggested names, drag and drop
// and the File menu's new entries.
#include "file_dialog_answers.h"
#include "recording_services.h"

#include "chart/chart_driver.h"
#include "ephemeris/data_folder.h"
#include "input/key_filters.h"
#include "input/time_zones.h"
#include "input/validation.h"
#include "records/record_checks.h"
#include "records/record_file.h"
#include "ui/app/mdi.h"
#include "ui/app/navigation.h"
#include "ui/app/start_up.h"
#include "ui/windows/frm_main.h"
#include "ui/windows/record_actions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

using namespace selmarind;
using namespace selmarind::testing;

namespace {

// Every control's state as one line each, so that a failed comparison
// names the control that changed.
QStringList Snapshot(const FrmMain& form) {
    QStringList lines;
    for (const QLineEdit* edit : form.findChildren<QLineEdit*>()) {
        lines << edit->objectName() + "=" + edit->text();
    }
    for (const QComboBox* list : form.findChildren<QComboBox*>()) {
        lines << QStringLiteral("%1=%2 of %3 (%4)")
                     .arg(list->objectName())
                     .arg(list->currentIndex())
                     .arg(list->count())
                     .arg(list->currentText());
    }
    for (const QAbstractButton* box : form.findChildren<QAbstractButton*>()) {
        if (box->isCheckable()) {
            lines << box->objectName() + (box->isChecked() ? "=on" : "=off");
        }
    }
    return lines;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

bool WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Kathmandu: 27° 42' N, 85° 19' E, +05:45, a birth the zone list cannot hold.
BirthRecordContents KathmanduRecord() {
    BirthRecordContents c;
    c.entries.txtName = "ANANYA RAO";
    c.entries.cboMonthIndex = 7;
    c.entries.cboDate = "14";
    c.entries.cboYear = "1987";
    c.entries.cboHH = "6";
    c.entries.cboMM = "35";
    c.entries.cboSS = "9";
    c.entries.txtMCity = "Kathmandu";
    c.entries.txtMCountry = "Nepal";
    c.entries.txtLatD = "27";
    c.entries.txtLatM = "42";
    c.entries.txtLonD = "85";
    c.entries.txtLonM = "19";
    c.entries.optLongEast = true;
    c.exactZone = ExactZoneOffset{5 * 3600 + 45 * 60, "Asia/Kathmandu, +05:45"};
    c.place = AtlasPlace{1283240, "Asia/Kathmandu"};
    return c;
}

// Sydney, southern and western choices, summer hour, a list zone.
BirthRecordContents SouthWestRecord() {
    BirthRecordContents c;
    c.entries.txtName = "LEO MARTIN";
    c.entries.cboMonthIndex = 11;
    c.entries.cboDate = "31";
    c.entries.cboYear = "2050";
    c.entries.cboHH = "23";
    c.entries.cboMM = "59";
    c.entries.cboSS = "59";
    c.entries.txtMCity = "Lima";
    c.entries.txtLatD = "12";
    c.entries.txtLatM = "3";
    c.entries.optLatSouth = true;
    c.entries.txtLonD = "77";
    c.entries.txtLonM = "2";
    c.entries.optLongEast = false;
    c.entries.cmbTimeZoneIndex = 3;
    c.entries.chkDST = true;
    c.positions = PositionSource::Classic;
    return c;
}

} // namespace

class TestBirthRecords : public QObject {
    Q_OBJECT

    RecordingDialogs* dialogs_ = nullptr;
    FileDialogAnswers* fileDialogs_ = nullptr;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<FrmMain> form_;

    QString path(const QString& name) const { return dir_->filePath(name); }

    void writeRecord(const QString& name, const BirthRecordContents& contents) {
        QVERIFY(WriteAll(path(name), QByteArray::fromStdString(WriteBirthRecord(contents))));
    }

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }

    void init() {
        QSettings().clear();
        dialogs_ = InstallRecorders().first;
        fileDialogs_ = InstallFileDialogAnswers();
        dir_ = std::make_unique<QTemporaryDir>();
        QVERIFY(dir_->isValid());
        form_ = std::make_unique<FrmMain>();
    }

    void cleanup() {
        form_.reset();
        SetDialogService(nullptr);
        SetLinkOpener(nullptr);
        SetFileDialogService(nullptr);
    }

    // The new entries stand between "Get My Torvi Lagna" and "E&xit", the
    // designed ones keeping their captions and order.
    void fileMenu() {
        auto* menu = form_->findChild<QMenu*>("mnuFile");
        QStringList names;
        for (const QAction* action : menu->actions()) {
            names << (action->menu() ? action->menu()->objectName() : action->objectName());
        }
        QCOMPARE(names, QStringList({"mnuNext", "mnuOpenRecord", "mnuSaveRecord", "mnuOpenRecent",
                                     "mnuExit"}));
        QCOMPARE(form_->findChild<QAction*>("mnuOpenRecord")->text(),
                 QString("&Open Birth Record..."));
        QCOMPARE(form_->findChild<QAction*>("mnuOpenRecord")->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_O));
        QCOMPARE(form_->findChild<QAction*>("mnuSaveRecord")->text(),
                 QString("&Save Birth Record..."));
        QCOMPARE(form_->findChild<QAction*>("mnuSaveRecord")->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::Key_S));
        QCOMPARE(form_->findChild<QMenu*>("mnuOpenRecent")->title(), QString("Open &Recent"));
    }

    void roundTrip_data() {
        QTest::addColumn<int>("which");
        QTest::newRow("exact zone and atlas place (Kathmandu)") << 0;
        QTest::newRow("south, west, summer hour, last list items") << 1;
    }

    // A record the form saved, opened in another form and saved again,
    // gives the same bytes; the form computes the record's chart. The
    // form's save names the position source, sunrise rule and chart style
    // in force, which a record written by other means may leave out.
    void roundTrip() {
        QFETCH(int, which);
        const BirthRecordContents original = which == 0 ? KathmanduRecord() : SouthWestRecord();
        writeRecord("given.selmarind", original);
        QVERIFY(form_->openBirthRecord(path("given.selmarind")));
        QVERIFY(form_->recordActions()->saveTo(path("first.selmarind")));

        FrmMain other;
        QVERIFY(other.openBirthRecord(path("first.selmarind")));
        QVERIFY(other.recordActions()->saveTo(path("second.selmarind")));
        QCOMPARE(dialogs_->log(), QStringList());
        const QByteArray first = ReadAll(path("first.selmarind"));
        const QByteArray second = ReadAll(path("second.selmarind"));
        QVERIFY2(first == second, qPrintable("first:\n" + first + "\nsecond:\n" + second));
        QCOMPARE(Snapshot(other), Snapshot(*form_));

        // What the form saved is the given record, with the options in force.
        BirthRecordContents expected = original;
        expected.positions = expected.positions.value_or(PositionSource::Classic);
        expected.sunrise = expected.sunrise.value_or(SunriseConvention::Limb);
        expected.chartStyle = expected.chartStyle.value_or("south");
        QCOMPARE(first, QByteArray::fromStdString(WriteBirthRecord(expected)));

        // "Get My Torvi Lagna" on the opened form gives the record's chart.
        const RecordOrFault reread = ReadBirthRecord(first.toStdString());
        QVERIFY(reread.contents);
        std::optional<ChartResult> shown;
        connect(&other, &FrmMain::chartCalculated,
                [&shown](const ChartResult& result) { shown = result; });
        other.findChild<QPushButton*>("cmdRashi")->click();
        QCOMPARE(dialogs_->log(), QStringList());
        QVERIFY(shown);
        const std::optional<ChartResult> chart = CalculateChart(
            reread.contents->entries, {*reread.contents->positions, *reread.contents->sunrise});
        QVERIFY(chart);
        QVERIFY(*shown == *chart);
        QCOMPARE(QString::fromStdString(shown->form.lblName),
                 QString::fromStdString(original.entries.txtName));
    }

    // The extra entry of an exact zone is item 71 of cmbTimeZone; choosing
    // another zone removes it, and the form computes with the list's zone.
    void exactZoneEntry() {
        writeRecord("k.selmarind", KathmanduRecord());
        QVERIFY(form_->openBirthRecord(path("k.selmarind")));
        auto* zones = form_->findChild<QComboBox*>("cmbTimeZone");
        QCOMPARE(zones->count(), kTimeZoneCount + 1);
        QCOMPARE(zones->currentIndex(), kExactZoneIndex);
        QCOMPARE(zones->currentText(), QString("Asia/Kathmandu, +05:45"));
        QVERIFY(form_->entries().exactZone);
        QCOMPARE(form_->entries().exactZone->utcOffsetSeconds, 20700LL);

        zones->setCurrentIndex(10);
        QCOMPARE(zones->count(), kTimeZoneCount);
        QCOMPARE(zones->currentIndex(), 10);
        QVERIFY(!form_->entries().exactZone);
        // Typing a coordinate leaves the atlas's place behind.
        QVERIFY(form_->atlasPlace());
        QLineEdit* minutes = form_->findChild<QLineEdit*>("txtLatM");
        minutes->setFocus();
        QTest::keyClick(minutes, Qt::Key_Backspace);
        QCOMPARE(minutes->text(), QString("4"));
        QVERIFY(!form_->atlasPlace());
    }

    void refusedRecords_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected"); // a part of the message shown

        const QByteArray good = QByteArray::fromStdString(WriteBirthRecord(SouthWestRecord()));
        const auto with = [&good](const char* from, const QByteArray& to) {
            QByteArray copy = good;
            return copy.replace(from, to);
        };
        QTest::newRow("not JSON") << QByteArray("Name: Leo\nBorn: 1987\n")
                                  << "not a Selmarind birth record";
        QTest::newRow("truncated") << good.left(good.size() / 2) << "not a Selmarind birth record";
        QTest::newRow("empty") << QByteArray() << "not a Selmarind birth record";
        QTest::newRow("another format")
            << with("selmarind-birth-record", "other-format") << "not a Selmarind birth record";
        QTest::newRow("newer version")
            << with("\"version\": 1", "\"version\": 7") << "newer version of Selmarind";
        QTest::newRow("name of the wrong type") << with("\"LEO MARTIN\"", "42") << "cannot be read";
        QTest::newRow("huge latitude") << with("\"degrees\": 12", "\"degrees\": 1e308")
                                       << QString::fromLatin1(kLatDegreeMessage.data());
        QTest::newRow("minute of 75")
            << with("23:59:59", "23:75:59") << QString::fromLatin1(kTimeListMessage.data());
        QTest::newRow("zone outside the list") << with("\"index\": 3", "\"index\": 80")
                                               << QString::fromLatin1(kZoneListMessage.data());
        // A name the form would not let anyone type: the message names the
        // record's name, where the form's key filter only says "Please
        // Enter only Letters".
        QTest::newRow("name with digits")
            << with("LEO MARTIN", "LEO 2") << QString::fromLatin1(kRecordNameMessage.data());
        QTest::newRow("name of a million characters")
            << with("LEO MARTIN", QByteArray(1'000'000, 'A')) << "";
    }

    // Each refused record says why and leaves every control as it was.
    void refusedRecords() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        writeRecord("shown.selmarind", KathmanduRecord());
        QVERIFY(form_->openBirthRecord(path("shown.selmarind")));
        const QStringList before = Snapshot(*form_);

        QVERIFY(WriteAll(path("bad.selmarind"), bytes));
        QVERIFY(!form_->openBirthRecord(path("bad.selmarind")));
        QCOMPARE(dialogs_->shown.size(), 1);
        const ShownMessage& shown = dialogs_->shown.constFirst();
        QVERIFY2(shown.text.contains(QDir::toNativeSeparators(path("bad.selmarind"))),
                 qPrintable(shown.text));
        QVERIFY2(shown.text.contains(expected),
                 qPrintable("expected \"" + expected + "\" in: " + shown.text));
        QCOMPARE(Snapshot(*form_), before);
        QCOMPARE(BirthRecordActions::RecentRecords(),
                 QStringList({QFileInfo(path("shown.selmarind")).absoluteFilePath()}));
    }

    // Unknown members are ignored, as the format allows.
    void unknownMembersAreIgnored() {
        QByteArray bytes = QByteArray::fromStdString(WriteBirthRecord(SouthWestRecord()));
        bytes.replace("\"dst\"", "\"comment\": {\"x\": [1, 2]},\n  \"dst\"");
        QVERIFY(WriteAll(path("extra.selmarind"), bytes));
        QVERIFY(form_->openBirthRecord(path("extra.selmarind")));
        QCOMPARE(dialogs_->log(), QStringList());
        QCOMPARE(form_->findChild<QLineEdit*>("txtName")->text(), QString("LEO MARTIN"));
    }

    void failedSaves_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("reason");
        QTest::newRow("folder that does not exist") << "missing/record.selmarind"
                                                    << "does not exist";
        QTest::newRow("full device") << "/dev/full"
                                     << "character device, not a file";
        QTest::newRow("a folder in the way") << "folder.selmarind"
                                             << "folder";
    }

    // A save that cannot be made says why; the file at the path is kept.
    void failedSaves() {
        QFETCH(QString, target);
        QFETCH(QString, reason);
        QVERIFY(QDir(dir_->path()).mkdir("folder.selmarind"));
        const QString full = target.startsWith('/') ? target : path(target);
        QFileInfo before(full);
        const bool wasDevice = before.exists() && !before.isFile() && !before.isDir();
        form_->applyRecord(SouthWestRecord());

        QVERIFY(!form_->recordActions()->saveTo(full));
        QCOMPARE(dialogs_->shown.size(), 1);
        QVERIFY2(dialogs_->shown[0].text.contains(reason), qPrintable(dialogs_->shown[0].text));
        QVERIFY(dialogs_->shown[0].text.contains("could not be saved"));
        QCOMPARE(BirthRecordActions::RecentRecords(), QStringList());
        if (wasDevice) {
            struct stat status {};
            QCOMPARE(stat(full.toLocal8Bit().constData(), &status), 0);
            QVERIFY2(S_ISCHR(status.st_mode), "the device was replaced");
        }
    }

    // A folder the user may not write in: the old record stays as it was.
    // Root may write anywhere, so the test needs another user.
    void readOnlyFolderKeepsTheOldFile() {
        if (geteuid() == 0) {
            QSKIP("running as root, which may write into a read-only folder");
        }
        QVERIFY(QDir(dir_->path()).mkdir("locked"));
        const QString file = path("locked/old.selmarind");
        QVERIFY(WriteAll(file, "old bytes"));
        QVERIFY(QFile::setPermissions(path("locked"), QFile::ReadOwner | QFile::ExeOwner));
        form_->applyRecord(SouthWestRecord());
        QVERIFY(!form_->recordActions()->saveTo(file));
        QFile::setPermissions(path("locked"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QCOMPARE(ReadAll(file), QByteArray("old bytes"));
        QCOMPARE(dialogs_->shown.size(), 1);
    }

    // Entries the form would refuse are refused with its message before
    // the dialog; nothing is written.
    void refusedEntriesAreNotSaved() {
        form_->findChild<QLineEdit*>("txtLatD")->setText("12");
        form_->findChild<QLineEdit*>("txtLatM")->setText("0");
        form_->findChild<QLineEdit*>("txtLonD")->setText("77");
        form_->findChild<QLineEdit*>("txtLonM")->setText("0");
        fileDialogs_->answers = {path("never.selmarind")};
        form_->findChild<QAction*>("mnuSaveRecord")->trigger();
        QCOMPARE(dialogs_->log(),
                 QStringList({"Stop: " + QString::fromLatin1(kNameMessage.data())}));
        QCOMPARE(fileDialogs_->answers.size(), 1); // the dialog never asked
        QVERIFY(!QFileInfo::exists(path("never.selmarind")));
    }

    // Entries that pass the checks but that the ephemeris cannot serve (a
    // damaged data file) give no chart and say why, once.
    void ephemerisFailureIsShown() {
        QTemporaryDir ephe;
        QVERIFY(ephe.isValid());
        for (const char* name : {"sepl_18.se1", "semo_18.se1", "seas_18.se1"}) {
            QVERIFY(WriteAll(ephe.filePath(name), QByteArray(4096, 'x')));
        }
        BirthRecordContents precise = KathmanduRecord();
        precise.positions = PositionSource::Precise;
        form_->applyRecord(precise);
        int charts = 0;
        connect(form_.get(), &FrmMain::chartCalculated, this, [&charts] { ++charts; });
        const std::string folder = ephemeris::DataFolder();
        QCOMPARE(ephemeris::SetDataFolder(ephe.path().toStdString()), std::string());
        form_->findChild<QPushButton*>("cmdRashi")->click();
        QCOMPARE(ephemeris::SetDataFolder(folder), std::string());
        QCOMPARE(charts, 0);
        QCOMPARE(dialogs_->log().size(), 1);
        QVERIFY2(dialogs_->log().front().startsWith("Stop: The chart could not be computed: ") &&
                     dialogs_->log().front().contains("damaged"),
                 qPrintable(dialogs_->log().join('\n')));

        form_->findChild<QPushButton*>("cmdRashi")->click();
        QCOMPARE(charts, 1);
        QCOMPARE(dialogs_->log().size(), 1);
    }

    // The box on an exact offset from the atlas would add an hour Nepal
    // never kept: refused, naming the entry, and no chart. On Madrid's
    // standard offset in summer it gives the offset Madrid kept, and counts.
    void boxOnAnExactOffset() {
        BirthRecordContents nepal = KathmanduRecord();
        nepal.entries.chkDST = true;
        form_->applyRecord(nepal);
        int charts = 0;
        connect(form_.get(), &FrmMain::chartCalculated, this, [&charts] { ++charts; });
        form_->findChild<QPushButton*>("cmdRashi")->click();
        QCOMPARE(charts, 0);
        QCOMPARE(dialogs_->log().size(), 1);
        QVERIFY2(dialogs_->log().front().startsWith("Stop: ") &&
                     dialogs_->log().front().contains("\"Asia/Kathmandu, +05:45\""),
                 qPrintable(dialogs_->log().join('\n')));

        BirthRecordContents madrid = nepal;
        madrid.entries.cboMonthIndex = 6;
        madrid.exactZone = ExactZoneOffset{3600, "Europe/Madrid, +01:00 CET"};
        madrid.place = AtlasPlace{3117735, "Europe/Madrid"};
        form_->applyRecord(madrid);
        form_->findChild<QPushButton*>("cmdRashi")->click();
        QCOMPARE(charts, 1);
        QCOMPARE(dialogs_->log().size(), 1);
    }

    // The save dialog offers the person's name and birth date in the folder
    // used last; a name typed without the ending gets it.
    void saveThroughTheDialog() {
        form_->applyRecord(KathmanduRecord());
        fileDialogs_->answers = {path("chosen")};
        form_->findChild<QAction*>("mnuSaveRecord")->trigger();
        QCOMPARE(dialogs_->log(), QStringList());
        QCOMPARE(QFileInfo(fileDialogs_->offeredPath).fileName(),
                 QString("ANANYA RAO 1987-08-14.selmarind"));
        QVERIFY(QFileInfo::exists(path("chosen.selmarind")));

        fileDialogs_->answers = {path("chosen.selmarind")};
        form_->findChild<QAction*>("mnuOpenRecord")->trigger();
        QCOMPARE(fileDialogs_->offeredFolder, QFileInfo(path("x")).absolutePath());
        QCOMPARE(dialogs_->log(), QStringList());
    }

    // The record's name is in the title of both windows once it is opened
    // or saved, and the chart window saves the record from its own File
    // menu; a refused record leaves the title as it was.
    void recordNameInTheTitles() {
        QCOMPARE(form_->windowTitle(), QString("Selmarind v1.25"));
        writeRecord("RAMESH THAPA 1990-05-10.selmarind", KathmanduRecord());
        QVERIFY(form_->openBirthRecord(path("RAMESH THAPA 1990-05-10.selmarind")));
        QCOMPARE(form_->windowTitle(), QString("RAMESH THAPA 1990-05-10 \u2014 Selmarind v1.25"));
        QVERIFY(WriteAll(path("broken.selmarind"), "{"));
        QVERIFY(!form_->openBirthRecord(path("broken.selmarind")));
        dialogs_->shown.clear();
        QCOMPARE(form_->windowTitle(), QString("RAMESH THAPA 1990-05-10 \u2014 Selmarind v1.25"));

        Navigation navigation(form_.get());
        const std::optional<ChartResult> result = CalculateChart(form_->entries());
        QVERIFY(result);
        navigation.showResult(*result);
        Mdi* frame = navigation.frame();
        QVERIFY(frame);
        QCOMPARE(frame->windowTitle(), form_->windowTitle());
        QStringList names;
        for (const QAction* action : frame->findChild<QMenu*>("mnuFile")->actions()) {
            names << action->objectName();
        }
        QCOMPARE(names.mid(0, 3), QStringList({"mnuBack", "mnuSaveRecord", "mnuExportChart"}));
        QAction* save = frame->findChild<QAction*>("mnuSaveRecord");
        QCOMPARE(save->text(), QString("&Save Birth Record..."));
        QCOMPARE(save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
        fileDialogs_->answers = {path("from the chart")};
        save->trigger();
        QCOMPARE(dialogs_->log(), QStringList());
        QCOMPARE(frame->windowTitle(), QString("from the chart \u2014 Selmarind v1.25"));
        // The form's record as it stands, as its own Save writes it.
        QVERIFY(form_->recordActions()->saveTo(path("from the form.selmarind")));
        QCOMPARE(ReadAll(path("from the chart.selmarind")),
                 ReadAll(path("from the form.selmarind")));
        QCOMPARE(frame->windowTitle(), QString("from the form \u2014 Selmarind v1.25"));
        QCOMPARE(form_->windowTitle(), frame->windowTitle());
        navigation.back();
    }

    void suggestedNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("monthIndex");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("expected");
        QTest::newRow("name and date") << "ANANYA RAO" << 7 << "14"
                                       << "1987"
                                       << ".selmarind"
                                       << "ANANYA RAO 1987-08-14.selmarind";
        QTest::newRow("no name") << "" << 0 << "1"
                                 << "1901"
                                 << ".pdf"
                                 << "1901-01-01.pdf";
        QTest::newRow("spaces gathered") << "  LEO   MARTIN " << 11 << "31"
                                         << "2050"
                                         << ".svg"
                                         << "LEO MARTIN 2050-12-31.svg";
        // A name from elsewhere may hold what no file name may.
        QTest::newRow("separators left out") << "A/B\\C:D*E?\"F<G>H|I\x01J" << 1 << "2"
                                             << "2000"
                                             << ".png"
                                             << "ABCDEFGHIJ 2000-02-02.png";
    }

    void suggestedNames() {
        QFETCH(QString, name);
        QFETCH(int, monthIndex);
        QFETCH(QString, day);
        QFETCH(QString, year);
        QFETCH(QString, extension);
        QFETCH(QString, expected);
        BirthEntries e;
        e.txtName = name.toStdString();
        e.cboMonthIndex = monthIndex;
        e.cboDate = day.toStdString();
        e.cboYear = year.toStdString();
        QCOMPARE(SuggestedFileName(e, extension), expected);
    }

    // The last eight records, latest first; a vanished one is taken off
    // the list with a message when chosen.
    void recentRecords() {
        for (int i = 0; i < 10; ++i) {
            writeRecord(QStringLiteral("r%1.selmarind").arg(i), SouthWestRecord());
            QVERIFY(form_->openBirthRecord(path(QStringLiteral("r%1.selmarind").arg(i))));
        }
        QStringList expected;
        for (int i = 9; i >= 2; --i) {
            expected << QFileInfo(path(QStringLiteral("r%1.selmarind").arg(i))).absoluteFilePath();
        }
        QCOMPARE(BirthRecordActions::RecentRecords(), expected);

        auto* menu = form_->findChild<QMenu*>("mnuOpenRecent");
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 8);
        QCOMPARE(menu->actions()[0]->text(), QString("&1 r9.selmarind"));

        QVERIFY(QFile::remove(path("r9.selmarind")));
        const QStringList before = Snapshot(*form_);
        menu->actions()[0]->trigger();
        QCOMPARE(dialogs_->shown.size(), 1);
        QVERIFY(dialogs_->shown[0].text.contains("no longer there"));
        QCOMPARE(BirthRecordActions::RecentRecords(), expected.mid(1));
        QCOMPARE(Snapshot(*form_), before);
    }

    // `selmarind FILE`: the first argument that is not an option is opened;
    // a file that is not there says so and the form keeps its defaults.
    void commandLine() {
        writeRecord("argument.selmarind", KathmanduRecord());
        RunningProgram program;
        program.frmMain = std::make_unique<FrmMain>();
        const QStringList before = Snapshot(*program.frmMain);
        OpenRecordOfArguments(program, {"selmarind", path("gone.selmarind")});
        QCOMPARE(dialogs_->shown.size(), 1);
        QVERIFY2(dialogs_->shown[0].text.contains("cannot be read"),
                 qPrintable(dialogs_->shown[0].text));
        QCOMPARE(Snapshot(*program.frmMain), before);

        OpenRecordOfArguments(program, {"selmarind", "--verbose", path("argument.selmarind"),
                                        path("gone.selmarind")});
        QCOMPARE(dialogs_->shown.size(), 1);
        QCOMPARE(program.frmMain->findChild<QLineEdit*>("txtName")->text(), QString("ANANYA RAO"));
    }

    // A FIFO handed over as a record (on the command line, by a second
    // start, dropped) is refused at once, naming what it is; the window's
    // thread never waits for a writer. Should the open wait, a writer
    // comes after 5 s and the time taken fails the test.
    void fifoIsRefusedWithoutWaiting() {
        const QString fifo = path("pipe.selmarind");
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        std::atomic<bool> done{false};
        std::thread rescuer([&] {
            for (int i = 0; i < 50 && !done; ++i) {
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            }
            if (!done) {
                const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    ::close(fd);
                }
            }
        });
        RunningProgram program;
        program.frmMain = std::make_unique<FrmMain>();
        QElapsedTimer clock;
        clock.start();
        OpenRecordOfArguments(program, {"selmarind", fifo});
        const qint64 elapsedMs = clock.elapsed();
        done = true;
        rescuer.join();
        QVERIFY2(elapsedMs < 2000, qPrintable(QString("waited %1 ms").arg(elapsedMs)));
        QCOMPARE(dialogs_->shown.size(), 1);
        QVERIFY2(dialogs_->shown[0].text.contains("is a named pipe (FIFO), not a file"),
                 qPrintable(dialogs_->shown[0].text));
        QCOMPARE(BirthRecordActions::RecentRecords(), QStringList());
    }

    // A record dropped on the form opens in it; other files are not taken.
    void dragAndDrop() {
        writeRecord("dropped.selmarind", KathmanduRecord());
        for (const QString& name :
             {QStringLiteral("notes.txt"), QStringLiteral("dropped.selmarind")}) {
            QMimeData mime;
            mime.setUrls({QUrl::fromLocalFile(path(name))});
            QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(form_.get(), &enter);
            QCOMPARE(enter.isAccepted(), name.endsWith(".selmarind"));
            QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
            QApplication::sendEvent(form_.get(), &drop);
            QCoreApplication::processEvents();
        }
        QCOMPARE(form_->findChild<QLineEdit*>("txtName")->text(), QString("ANANYA RAO"));
        QCOMPARE(dialogs_->log(), QStringList());

        // Dropped on an entry field, the record opens and the field does not
        // take the file's address as text.
        writeRecord("on-field.selmarind", SouthWestRecord());
        QLineEdit* city = form_->findChild<QLineEdit*>("txtMCity");
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path("on-field.selmarind"))});
        mime.setText(path("on-field.selmarind"));
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(city, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, {});
        QApplication::sendEvent(city, &drop);
        QCOMPARE(city->text(), QString("Kathmandu"));
        QCoreApplication::processEvents();
        QCOMPARE(city->text(), QString("Lima"));
        QCOMPARE(form_->findChild<QLineEdit*>("txtName")->text(), QString("LEO MARTIN"));
    }
};

QTEST_MAIN(TestBirthRecords)
#include "test_birth_records.moc"
