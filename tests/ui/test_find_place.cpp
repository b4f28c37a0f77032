// Find Place through the birth form: the zone and daylight-saving box it
// sets for settled historical offsets, the extra exact entry, the times that
// did not exist or happened twice, the zone following a later change of the
// date, and the form working on without an atlas.
#include "window_test_support.h"

#include "input/time_zones.h"
#include "ui/widgets/app_style.h"
#include "ui/windows/find_place_dialog.h"
#include "ui/windows/frm_main.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>

#include <algorithm>
#include <functional>
#include <memory>

using namespace selmarind;
using namespace selmarind::test;

namespace {

const QString kAtlasPath = QStringLiteral(SELMARIND_TEST_ATLAS);

struct BirthTime {
    int year, month, day, hour, minute;
};

template <typename T> T* Child(QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child) {
        qFatal("no child %s", name);
    }
    return child;
}

void SetBirthTime(FrmMain& form, const BirthTime& when) {
    Child<QComboBox>(form, "cboYear")->setCurrentText(QString::number(when.year));
    Child<QComboBox>(form, "cboMonth")->setCurrentIndex(when.month - 1);
    Child<QComboBox>(form, "cboDate")->setCurrentText(QString::number(when.day));
    Child<QComboBox>(form, "cboHH")->setCurrentText(QString::number(when.hour));
    Child<QComboBox>(form, "cboMM")->setCurrentText(QString::number(when.minute));
}

// What the dialog showed before the test's step closed it.
struct DialogSeen {
    QString firstMatch;
    QString setting;
    bool candidatesShown = false;
    bool useEnabled = false;
};

// Opens Find Place from the Tools menu, searches `query`, lets `step` act
// on the dialog (choose, accept or cancel), and returns what it showed.
DialogSeen RunFindPlace(FrmMain& form, const QString& query,
                        const std::function<void(QDialog&)>& step) {
    DialogSeen seen;
    const bool opened = WithModalDialog(
        [&form] { Child<QAction>(form, "mnuFindPlace")->trigger(); },
        [&](QDialog* dialog) {
            Child<QLineEdit>(*dialog, "txtFindPlace")->setText(query);
            auto* list = Child<QListWidget>(*dialog, "lstPlaces");
            seen.firstMatch = list->count() > 0 ? list->item(0)->text() : QString();
            seen.setting = Child<QLabel>(*dialog, "lblZoneSetting")->text();
            seen.candidatesShown = !Child<QComboBox>(*dialog, "cboZoneCandidate")->isHidden();
            seen.useEnabled = Child<QPushButton>(*dialog, "cmdUsePlace")->isEnabled();
            step(*dialog);
        });
    if (!opened) {
        qWarning("Find Place did not open a dialog");
    }
    return seen;
}

void Accept(QDialog& dialog) {
    QTest::keyClick(Child<QLineEdit>(dialog, "txtFindPlace"), Qt::Key_Return);
}

QString ZoneText(FrmMain& form) {
    return Child<QComboBox>(form, "cmbTimeZone")->currentText();
}

// The average colour of a picture, each channel weighted alike.
QColor MeanColour(const QPixmap& picture) {
    const QImage image = picture.toImage().convertToFormat(QImage::Format_RGB32);
    double red = 0, green = 0, blue = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.redF();
            green += c.greenF();
            blue += c.blueF();
        }
    }
    const double n = std::max(1, image.width() * image.height());
    return QColor::fromRgbF(static_cast<float>(red / n), static_cast<float>(green / n),
                            static_cast<float>(blue / n));
}

bool DstTicked(FrmMain& form) {
    return Child<QCheckBox>(form, "chkDST")->isChecked();
}

} // namespace

Q_DECLARE_METATYPE(BirthTime)

class TestFindPlace : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir_;
    std::unique_ptr<Recorders> recorders_;
    std::unique_ptr<FrmMain> form_;

private slots:
    void initTestCase() {
        UsePrivateSettings(settingsDir_);
        QVERIFY2(QFileInfo(kAtlasPath).isFile(), qPrintable(kAtlasPath));
    }

    void init() {
        recorders_ = std::make_unique<Recorders>();
        form_ = std::make_unique<FrmMain>();
        form_->setAtlasPath(kAtlasPath);
    }

    void cleanup() {
        form_.reset();
        recorders_.reset();
        Settle();
    }

    // Settled offsets, each from the tz database's history of the zone
    // (tzdata's asia, europe and northamerica files) and the accounts it
    // cites: India's war time of 1942-45, Britain's double summer time of
    // 1947, the United States' year-round daylight saving of 1974 (the
    // Emergency Daylight Saving Time Energy Conservation Act), over by
    // January 1975; Nepal's +05:45 since 1986. The entry is the list entry
    // whose correction is the whole offset and whose abbreviation is the
    // zone's, the box unticked; Kathmandu's offset, India's war time and
    // Madrid's summer have none and take the extra entry, named by the zone.
    void settledOffsets_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("zoneId");
        QTest::addColumn<BirthTime>("when");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("setting");
        QTest::newRow("Kolkata 1942 war time")
            << "Kolkata"
            << "Asia/Kolkata" << BirthTime{1942, 9, 1, 12, 0} << "Asia/Kolkata, +06:30"
            << "+06:30 on 1 September 1942 12:00";
        QTest::newRow("Madrid summer")
            << "Madrid"
            << "Europe/Madrid" << BirthTime{1990, 7, 15, 12, 0} << "Europe/Madrid, +02:00 CEST"
            << "+02:00 CEST on 15 July 1990 12:00, daylight saving in force";
        QTest::newRow("London 1947 double summer time")
            << "London, England"
            << "Europe/London" << BirthTime{1947, 6, 15, 12, 0}
            << "British Double Summer Time,BDST,+2.0"
            << "+02:00 BDST on 15 June 1947 12:00, daylight saving in force";
        QTest::newRow("New York January 1974")
            << "New York City"
            << "America/New_York" << BirthTime{1974, 1, 15, 12, 0}
            << "Eastern Daylight Time,EDT,-4.0"
            << "-04:00 EDT on 15 January 1974 12:00";
        QTest::newRow("New York January 1975")
            << "New York City"
            << "America/New_York" << BirthTime{1975, 1, 15, 12, 0}
            << "Eastern Standard Time,EST,-5.0"
            << "-05:00 EST on 15 January 1975 12:00";
        QTest::newRow("Kathmandu 1990")
            << "Kathmandu"
            << "Asia/Kathmandu" << BirthTime{1990, 6, 1, 12, 0} << "Asia/Kathmandu, +05:45"
            << "+05:45 on 1 June 1990 12:00";
    }

    void settledOffsets() {
        QFETCH(QString, query);
        QFETCH(QString, zoneId);
        QFETCH(BirthTime, when);
        QFETCH(QString, entry);
        QFETCH(QString, setting);
        SetBirthTime(*form_, when);
        Child<QCheckBox>(*form_, "chkDST")->setChecked(true);
        const DialogSeen seen = RunFindPlace(*form_, query, Accept);
        QVERIFY2(seen.firstMatch.endsWith(zoneId), qPrintable(seen.firstMatch));
        QVERIFY2(seen.setting.startsWith(setting),
                 qPrintable("expected " + setting + "\nshown " + seen.setting));
        QCOMPARE(ZoneText(*form_), entry);
        QVERIFY2(!DstTicked(*form_), "the entry carries the whole offset");
        const bool exact = entry.contains(QLatin1Char('/'));
        const BirthEntries entries = form_->entries();
        QCOMPARE(entries.cmbTimeZoneIndex == kExactZoneIndex, exact);
        QCOMPARE(entries.exactZone.has_value(), exact);
        QCOMPARE(Child<QComboBox>(*form_, "cmbTimeZone")->count(),
                 exact ? kTimeZoneCount + 1 : kTimeZoneCount);
        if (exact) {
            QCOMPARE(QString::fromStdString(entries.exactZone->label), entry);
            QVERIFY2(seen.setting.contains("is added at the end of the list"),
                     qPrintable(seen.setting));
        }
    }

    // Accepting fills the place and the coordinates, rounded to the minute
    // with their hemispheres (Chennai: 13.08784 N, 80.27847 E in GeoNames;
    // New York City 40.71427 N, 74.00597 W).
    void placeAndCoordinates() {
        RunFindPlace(*form_, "Madras", Accept);
        QCOMPARE(Child<QLineEdit>(*form_, "txtMCity")->text(), QString("Chennai"));
        QCOMPARE(Child<QLineEdit>(*form_, "txtMState")->text(), QString("Tamil Nadu"));
        QCOMPARE(Child<QLineEdit>(*form_, "txtMCountry")->text(), QString("India"));
        QCOMPARE(Child<QLineEdit>(*form_, "txtLatD")->text(), QString("13"));
        QCOMPARE(Child<QLineEdit>(*form_, "txtLatM")->text(), QString("5"));
        QCOMPARE(Child<QLineEdit>(*form_, "txtLonD")->text(), QString("80"));
        QCOMPARE(Child<QLineEdit>(*form_, "txtLonM")->text(), QString("17"));
        QVERIFY(Child<QRadioButton>(*form_, "optLat_0")->isChecked());
        QVERIFY(Child<QRadioButton>(*form_, "optLong_0")->isChecked());

        RunFindPlace(*form_, "New York City", Accept);
        QCOMPARE(Child<QLineEdit>(*form_, "txtLatD")->text(), QString("40"));
        QCOMPARE(Child<QLineEdit>(*form_, "txtLatM")->text(), QString("43"));
        QCOMPARE(Child<QLineEdit>(*form_, "txtLonD")->text(), QString("74"));
        QCOMPARE(Child<QLineEdit>(*form_, "txtLonM")->text(), QString("0"));
        QVERIFY(Child<QRadioButton>(*form_, "optLong_1")->isChecked());
    }

    // 2021-03-14 02:30 did not exist in New York (clocks 02:00 EST -> 03:00
    // EDT); 2021-11-07 01:30 happened twice (02:00 EDT -> 01:00 EST). The
    // dialog names both offsets and will not accept until one is chosen.
    void skippedAndRepeatedTimes_data() {
        QTest::addColumn<BirthTime>("when");
        QTest::addColumn<QString>("words");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QString>("entry");
        QTest::newRow("nonexistent, after") << BirthTime{2021, 3, 14, 2, 30} << "did not exist" << 2
                                            << "Eastern Daylight Time,EDT,-4.0";
        QTest::newRow("nonexistent, before") << BirthTime{2021, 3, 14, 2, 30} << "did not exist"
                                             << 1 << "Eastern Standard Time,EST,-5.0";
        QTest::newRow("ambiguous, first") << BirthTime{2021, 11, 7, 1, 30} << "happened twice" << 1
                                          << "Eastern Daylight Time,EDT,-4.0";
        QTest::newRow("ambiguous, second") << BirthTime{2021, 11, 7, 1, 30} << "happened twice" << 2
                                           << "Eastern Standard Time,EST,-5.0";
    }

    void skippedAndRepeatedTimes() {
        QFETCH(BirthTime, when);
        QFETCH(QString, words);
        QFETCH(int, choice);
        QFETCH(QString, entry);
        // The form's list ends in 2050, so these dates are on it.
        SetBirthTime(*form_, when);
        Child<QComboBox>(*form_, "cmbTimeZone")->setCurrentIndex(kGreenwichZoneIndex);
        bool refusedUnchosen = false;
        const DialogSeen seen = RunFindPlace(*form_, "New York City", [&](QDialog& dialog) {
            Accept(dialog); // Enter with nothing chosen: refused, the dialog stays
            refusedUnchosen = dialog.isVisible();
            Child<QComboBox>(dialog, "cboZoneCandidate")->setCurrentIndex(choice);
            Child<QPushButton>(dialog, "cmdUsePlace")->click();
        });
        QVERIFY(refusedUnchosen);
        QVERIFY(seen.candidatesShown);
        QVERIFY2(!seen.useEnabled, "accepting must wait for a choice");
        QVERIFY2(seen.setting.contains(words), qPrintable(seen.setting));
        QVERIFY2(seen.setting.contains("-05:00 EST") && seen.setting.contains("-04:00 EDT"),
                 qPrintable(seen.setting));
        QCOMPARE(ZoneText(*form_), entry);
    }

    // After Find Place, the zone follows the date, a ticked box included;
    // once the user chooses a zone entry, it no longer does.
    void zoneFollowsTheDate() {
        SetBirthTime(*form_, {1947, 6, 15, 12, 0});
        RunFindPlace(*form_, "London, England", Accept);
        QCOMPARE(ZoneText(*form_), QString("British Double Summer Time,BDST,+2.0"));
        Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(0); // 15 January 1947: GMT
        QCOMPARE(ZoneText(*form_), QString("Greenwich Mean Time,GMT,0.0"));
        // 20 March 1947: summer time (from 16 March), not yet double (from 13 April).
        SetBirthTime(*form_, {1947, 3, 20, 12, 0});
        QCOMPARE(ZoneText(*form_), QString("British Summer Time,BST,+1.0"));

        Child<QCheckBox>(*form_, "chkDST")->setChecked(true);
        Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(0);
        QCOMPARE(ZoneText(*form_), QString("Greenwich Mean Time,GMT,0.0"));
        QVERIFY(!DstTicked(*form_));

        Child<QComboBox>(*form_, "cmbTimeZone")
            ->setCurrentIndex(kGreenwichZoneIndex - 1); // by hand
        const QString byHand = ZoneText(*form_);
        Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(5);
        QCOMPARE(ZoneText(*form_), byHand);
    }

    // Kathmandu's extra entry follows the date back to Nepal's +05:30 (before
    // 1986; no list entry names it, Indian Time is India's), and gives way
    // to any entry chosen by hand.
    void extraEntryComesAndGoes() {
        auto* zones = Child<QComboBox>(*form_, "cmbTimeZone");
        SetBirthTime(*form_, {1990, 6, 1, 12, 0});
        RunFindPlace(*form_, "Kathmandu", Accept);
        QCOMPARE(zones->count(), kTimeZoneCount + 1);
        Child<QComboBox>(*form_, "cboYear")->setCurrentText("1980");
        QCOMPARE(ZoneText(*form_), QString("Asia/Kathmandu, +05:30"));
        QCOMPARE(zones->count(), kTimeZoneCount + 1);
        QCOMPARE(form_->entries().exactZone->utcOffsetSeconds, 5 * 3600 + 30 * 60);

        Child<QComboBox>(*form_, "cboYear")->setCurrentText("1990");
        QCOMPARE(ZoneText(*form_), QString("Asia/Kathmandu, +05:45"));
        zones->setCurrentIndex(kGreenwichZoneIndex); // by hand
        QCOMPARE(zones->count(), kTimeZoneCount);
        QCOMPARE(zones->itemText(kTimeZoneCount - 1), QString("Yukon War Time,YWT,-8.0"));
        QCOMPARE(form_->entries().cmbTimeZoneIndex, kGreenwichZoneIndex);
    }

    // A chart computed with the extra entry uses its exact offset: 12:00 in
    // Kathmandu on 1 June 1990 is 06:15 UT.
    void chartWithTheExtraEntry() {
        std::optional<ChartResult> chart;
        connect(form_.get(), &FrmMain::chartCalculated, this,
                [&chart](const ChartResult& result) { chart = result; });
        Child<QLineEdit>(*form_, "txtName")->setText("RAVI");
        SetBirthTime(*form_, {1990, 6, 1, 12, 0});
        RunFindPlace(*form_, "Kathmandu", Accept);
        Child<QPushButton>(*form_, "cmdRashi")->click();
        QVERIFY2(chart.has_value(), qPrintable(recorders_->dialogs().shown.empty()
                                                   ? QString("no chart, no message")
                                                   : recorders_->dialogs().shown.front().text));
        QCOMPARE(chart->chart.birthUniversal, (CivilDateTime{1990, 6, 1, 6, 15, 0}));
    }

    // A date the calendar does not have (31 February) cannot be resolved:
    // the place and coordinates are set, the zone and the box stay.
    void impossibleDateKeepsTheZone() {
        SetBirthTime(*form_, {1987, 2, 31, 6, 30});
        Child<QComboBox>(*form_, "cmbTimeZone")->setCurrentIndex(kGreenwichZoneIndex);
        const DialogSeen seen = RunFindPlace(*form_, "Kathmandu", Accept);
        QVERIFY2(seen.setting.contains("stay as they are"), qPrintable(seen.setting));
        QCOMPARE(Child<QLineEdit>(*form_, "txtMCity")->text(), QString("Kathmandu"));
        QCOMPARE(form_->entries().cmbTimeZoneIndex, kGreenwichZoneIndex);
    }

    // Without the tz database the dialog still gives the place, and no zone.
    void withoutZones() {
        std::string fault;
        const std::shared_ptr<const Atlas> atlas = CachedAtlas(kAtlasPath.toStdString(), fault);
        QVERIFY2(atlas, fault.c_str());
        const ZoneResolver noZones(QDir(QDir::tempPath()).filePath("no-tzdb-here").toStdString());
        QVERIFY(!noZones.Available());
        FindPlaceDialog dialog(*atlas, noZones, "Kathmandu", LocalDateTime{1990, 6, 1, 12, 0, 0});
        const QString setting = Child<QLabel>(dialog, "lblZoneSetting")->text();
        QVERIFY2(setting.contains("tzdata"), qPrintable(setting));
        QVERIFY(Child<QPushButton>(dialog, "cmdUsePlace")->isEnabled());
        dialog.accept();
        const std::optional<PlaceChoice> choice = dialog.choice();
        QVERIFY(choice.has_value());
        QCOMPARE(choice->place.zoneId, std::string("Asia/Kathmandu"));
        QVERIFY(!choice->zone.has_value());
    }

    // Cancel changes nothing.
    void cancelKeepsTheForm() {
        const BirthEntries before = form_->entries();
        RunFindPlace(*form_, "Kathmandu", [](QDialog& dialog) { dialog.reject(); });
        const BirthEntries after = form_->entries();
        QCOMPARE(after.txtMCity, before.txtMCity);
        QCOMPARE(after.txtLatD, before.txtLatD);
        QCOMPARE(after.txtLonD, before.txtLonD);
        QCOMPARE(after.cmbTimeZoneIndex, before.cmbTimeZoneIndex);
        QCOMPARE(after.chkDST, before.chkDST);
    }

    // Without a usable atlas, Find Place says what is wrong with the file
    // and the form calculates as before.
    void missingOrCorruptAtlas_data() {
        QTest::addColumn<QByteArray>("contents"); // empty: no file at all
        QTest::addColumn<QString>("words");
        QTest::newRow("missing") << QByteArray() << "was not found";
        QTest::newRow("not gzip") << QByteArray("name\tlat\tlon\n") << "places.tsv.gz";
        QTest::newRow("truncated gzip") << QByteArray("\x1f\x8b\x08\x00\x00", 5) << "places.tsv.gz";
    }

    void missingOrCorruptAtlas() {
        QFETCH(QByteArray, contents);
        QFETCH(QString, words);
        QTemporaryDir dir;
        const QString path = dir.filePath("places.tsv.gz");
        if (!contents.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(contents);
        }
        form_->setAtlasPath(path);
        Child<QAction>(*form_, "mnuFindPlace")->trigger();
        const auto& shown = recorders_->dialogs().shown;
        QCOMPARE(shown.size(), std::size_t(1));
        QVERIFY2(shown.front().text.contains(words), qPrintable(shown.front().text));
        QVERIFY(!QApplication::activeModalWidget());

        std::optional<ChartResult> chart;
        connect(form_.get(), &FrmMain::chartCalculated, this,
                [&chart](const ChartResult& result) { chart = result; });
        Child<QLineEdit>(*form_, "txtName")->setText("RAVI");
        Child<QLineEdit>(*form_, "txtLatD")->setText("12");
        Child<QLineEdit>(*form_, "txtLatM")->setText("58");
        Child<QLineEdit>(*form_, "txtLonD")->setText("77");
        Child<QLineEdit>(*form_, "txtLonM")->setText("35");
        Child<QPushButton>(*form_, "cmdRashi")->click();
        QVERIFY(chart.has_value());
    }

    // Every new control has a name a screen reader reads out; the verdict
    // is read as its sentence, what it is about as its description.
    void accessibleNames() {
        RunFindPlace(*form_, "Bombay", [](QDialog& dialog) {
            for (const char* name : {"txtFindPlace", "lstPlaces", "cboZoneCandidate", "cmdUsePlace",
                                     "cmdCancelPlace", "lblAtlasAttribution"}) {
                QVERIFY2(!Child<QWidget>(dialog, name)->accessibleName().isEmpty(), name);
            }
            auto* verdict = Child<QLabel>(dialog, "lblZoneSetting");
            QAccessibleInterface* read = QAccessible::queryAccessibleInterface(verdict);
            QCOMPARE(read->role(), QAccessible::StaticText);
            QVERIFY2(read->text(QAccessible::Name).contains(" on "),
                     qPrintable(read->text(QAccessible::Name)));
            QCOMPARE(read->text(QAccessible::Name), verdict->text());
            QCOMPARE(read->text(QAccessible::Description), QString("Zone for the birth time"));
            QVERIFY(Child<QListWidget>(dialog, "lstPlaces")
                        ->item(0)
                        ->text()
                        .startsWith("Mumbai, Maharashtra, India · 19°"));
            dialog.reject();
        });
    }

    // A list cut short says so, with the atlas' full count; a short one
    // says nothing.
    void cutListSaysHowManyMatch() {
        std::string message;
        const auto atlas = CachedAtlas(kAtlasPath.toStdString(), message);
        QVERIFY2(atlas, message.c_str());
        std::size_t matches = 0;
        atlas->Search("San", 1, &matches);
        QString cut, whole;
        int listed = 0;
        bool scrollsSideways = true;
        RunFindPlace(*form_, "San", [&](QDialog& dialog) {
            // The longest lines wrap: nothing needs a scroll bar at the
            // list's foot.
            dialog.show();
            auto* list = Child<QListWidget>(dialog, "lstPlaces");
            scrollsSideways = list->horizontalScrollBar()->isVisible();
            cut = Child<QLabel>(dialog, "lblMatchCount")->text();
            listed = Child<QListWidget>(dialog, "lstPlaces")->count();
            Child<QLineEdit>(dialog, "txtFindPlace")->setText("Kathmandu");
            whole = Child<QLabel>(dialog, "lblMatchCount")->text();
            dialog.reject();
        });
        QVERIFY(!scrollsSideways);
        QVERIFY(listed > 0 && static_cast<std::size_t>(listed) < matches);
        QCOMPARE(cut, QString("%1 of %2 matches: type more of the name, or add the division "
                              "or country")
                          .arg(listed)
                          .arg(matches));
        QVERIFY2(whole.isEmpty(), qPrintable(whole));
    }

    // While a skipped time waits for its offset, "Use This Place" is drawn
    // unmistakably unlike the enabled Cancel beside it, not in the same
    // light grey with slightly paler text.
    void disabledUseLooksDisabled() {
        SetBirthTime(*form_, {2021, 3, 14, 2, 30});
        double contrast = 0;
        RunFindPlace(*form_, "New York City", [&](QDialog& dialog) {
            dialog.show();
            auto* use = Child<QPushButton>(dialog, "cmdUsePlace");
            QVERIFY(!use->isEnabled());
            contrast =
                ContrastRatio(MeanColour(use->grab()),
                              MeanColour(Child<QPushButton>(dialog, "cmdCancelPlace")->grab()));
            dialog.reject();
        });
        QVERIFY2(contrast >= 3.0, qPrintable(QString::number(contrast)));
    }
};

SELMARIND_UI_TEST_MAIN(TestFindPlace)
#include "test_find_place.moc"
