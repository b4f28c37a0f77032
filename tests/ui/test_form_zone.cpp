// The birth form's zone after Find Place: it follows every change of the
// date and time, asks at a repeated or skipped hour, ignores a ticked box
// (a chart is refused instead), and goes by hand only when the user chooses
// a zone entry or types coordinates, with one click back to the atlas. The
// universal time of the charts is compared with Python's zoneinfo.
#include "window_test_support.h"

#include "input/time_zones.h"
#include "records/record_file.h"
#include "ui/widgets/link_label.h"
#include "ui/windows/frm_main.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <memory>

using namespace selmarind;
using namespace selmarind::test;

namespace {

const QString kAtlasPath = QStringLiteral(SELMARIND_TEST_ATLAS);
const QString kZoneinfoCases = QStringLiteral(SELMARIND_FORM_ZONE_CASES);

template <typename T> T* Child(QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (!child) {
        qFatal("no child %s", name);
    }
    return child;
}

// Sets the lists one after another, as a user does, each change on its own.
void SetBirthTime(FrmMain& form, int year, int month, int day, int hour, int minute,
                  int second = 0) {
    Child<QComboBox>(form, "cboYear")->setCurrentText(QString::number(year));
    Child<QComboBox>(form, "cboMonth")->setCurrentIndex(month - 1);
    Child<QComboBox>(form, "cboDate")->setCurrentText(QString::number(day));
    Child<QComboBox>(form, "cboHH")->setCurrentText(QString::number(hour));
    Child<QComboBox>(form, "cboMM")->setCurrentText(QString::number(minute));
    Child<QComboBox>(form, "cboSS")->setCurrentText(QString::number(second));
}

// Find Place from the Tools menu: the first match of `query`, accepted;
// `firstMatch` gets its line.
bool FindPlace(FrmMain& form, const QString& query, QString* firstMatch = nullptr) {
    bool accepted = false;
    WithModalDialog([&form] { Child<QAction>(form, "mnuFindPlace")->trigger(); },
                    [&](QDialog* dialog) {
                        Child<QLineEdit>(*dialog, "txtFindPlace")->setText(query);
                        auto* list = Child<QListWidget>(*dialog, "lstPlaces");
                        if (firstMatch && list->count() > 0) {
                            *firstMatch = list->item(0)->text();
                        }
                        auto* use = Child<QPushButton>(*dialog, "cmdUsePlace");
                        accepted = use->isEnabled();
                        accepted ? use->click() : dialog->reject();
                    });
    return accepted;
}

QString ZoneText(FrmMain& form) {
    return Child<QComboBox>(form, "cmbTimeZone")->currentText();
}

bool ByHandShown(FrmMain& form) {
    return !Child<QWidget>(form, "fraZoneByHand")->isHidden();
}

} // namespace

Q_DECLARE_METATYPE(selmarind::CivilDateTime)

class TestFormZone : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir_;
    std::unique_ptr<Recorders> recorders_;
    std::unique_ptr<FrmMain> form_;
    std::optional<ChartResult> chart_;

    RecordingDialogs& dialogs() { return recorders_->dialogs(); }

    // "Get My Torvi Lagna"; the chart, or nothing when none was made.
    std::optional<ChartResult> calculate() {
        chart_.reset();
        Child<QPushButton>(*form_, "cmdRashi")->click();
        return chart_;
    }

private slots:
    void initTestCase() {
        UsePrivateSettings(settingsDir_);
        QVERIFY2(QFileInfo(kAtlasPath).isFile(), qPrintable(kAtlasPath));
    }

    void init() {
        recorders_ = std::make_unique<Recorders>();
        form_ = std::make_unique<FrmMain>();
        form_->setAtlasPath(kAtlasPath);
        connect(form_.get(), &FrmMain::chartCalculated, this,
                [this](const ChartResult& result) { chart_ = result; });
        Child<QLineEdit>(*form_, "txtName")->setText("RAVI");
    }

    void cleanup() {
        form_.reset();
        recorders_.reset();
        Settle();
    }

    // A place found on the form's starting date (1 January 1901, when
    // Madrid and Kathmandu kept other offsets), the box ticked and
    // unticked, then the birth set to 15 July 1990 12:00. Madrid was on
    // CEST (+02:00) and Kathmandu on +05:45 that day (tzdata's europe and
    // asia files), so the birth is 10:00 and 06:15 UT.
    void zoneFollowsTheDateAfterTheBox_data() {
        QTest::addColumn<QString>("query");
        QTest::addColumn<CivilDateTime>("universal");
        QTest::newRow("Madrid") << "Madrid" << CivilDateTime{1990, 7, 15, 10, 0, 0};
        QTest::newRow("Kathmandu") << "Kathmandu" << CivilDateTime{1990, 7, 15, 6, 15, 0};
    }

    void zoneFollowsTheDateAfterTheBox() {
        QFETCH(QString, query);
        QFETCH(CivilDateTime, universal);
        QVERIFY(FindPlace(*form_, query));
        auto* box = Child<QCheckBox>(*form_, "chkDST");
        box->click();
        box->click();
        SetBirthTime(*form_, 1990, 7, 15, 12, 0);
        QVERIFY(!ByHandShown(*form_));
        QVERIFY(!box->isChecked());
        const std::optional<ChartResult> chart = calculate();
        QVERIFY2(chart, qPrintable(dialogs().shown.empty() ? QString("no chart")
                                                           : dialogs().shown.front().text));
        QCOMPARE(chart->chart.birthUniversal, universal);
        QVERIFY(dialogs().shown.empty());
    }

    // New York, 7 November 2021 01:30 happened twice (02:00 EDT back to
    // 01:00 EST). Reaching it by changing the date asks once, through the
    // dialog service; the hour and then the minute within the same repeated
    // hour keep the answer, or the refusal. Refused, no chart is made and
    // each press asks again.
    void repeatedHourAsks_data() {
        QTest::addColumn<QList<int>>("choices");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<int>("universalHour"); // -1: no chart
        QTest::newRow("first") << QList<int>{0} << 1 << "Eastern Daylight Time,EDT,-4.0" << 5;
        QTest::newRow("second") << QList<int>{1} << 1 << "Eastern Standard Time,EST,-5.0" << 6;
        QTest::newRow("declined, then second at the press")
            << QList<int>{-1, 1} << 2 << "Eastern Standard Time,EST,-5.0" << 6;
        QTest::newRow("declined twice") << QList<int>{-1, -1} << 2 << QString() << -1;
        QTest::newRow("declined, then no chart twice")
            << QList<int>{-1, -1, -1} << 3 << QString() << -1;
    }

    void repeatedHourAsks() {
        QFETCH(QList<int>, choices);
        QFETCH(int, questions);
        QFETCH(QString, entry);
        QFETCH(int, universalHour);
        SetBirthTime(*form_, 2021, 10, 7, 12, 0);
        QVERIFY(FindPlace(*form_, "New York City"));
        QCOMPARE(ZoneText(*form_), QString("Eastern Daylight Time,EDT,-4.0"));
        // -1 answers as no button would: the question declined.
        dialogs().choices.assign(choices.begin(), choices.end());
        SetBirthTime(*form_, 2021, 11, 7, 1, 30);
        std::optional<ChartResult> chart = calculate();
        if (choices.size() > 2) {
            chart = calculate();
        }
        QCOMPARE(static_cast<int>(dialogs().offered.size()), questions);
        QCOMPARE(dialogs().offered.front(),
                 (QStringList{"-04:00 EDT, the first time", "-05:00 EST, the second time"}));
        QVERIFY2(dialogs().shown.front().text.contains("happened twice"),
                 qPrintable(dialogs().shown.front().text));
        QCOMPARE(static_cast<int>(dialogs().shown.size()), questions);
        if (universalHour < 0) {
            QVERIFY(!chart);
            return;
        }
        QVERIFY(chart);
        QCOMPARE(ZoneText(*form_), entry);
        QCOMPARE(chart->chart.birthUniversal, (CivilDateTime{2021, 11, 7, universalHour, 30, 0}));
    }

    // The box ticked against the atlas: no chart, a message with what the
    // atlas gives; the place stays attached, and the next change of the
    // date sets the box again.
    void boxAgainstTheAtlas() {
        SetBirthTime(*form_, 1990, 7, 15, 12, 0);
        QVERIFY(FindPlace(*form_, "Madrid"));
        auto* box = Child<QCheckBox>(*form_, "chkDST");
        box->click();
        QVERIFY(!calculate());
        QCOMPARE(dialogs().shown.size(), std::size_t(1));
        const QString message = dialogs().shown.front().text;
        QVERIFY2(message.contains("Europe/Madrid") && message.contains("+02:00 CEST") &&
                     message.contains("daylight saving in force"),
                 qPrintable(message));
        QVERIFY(!ByHandShown(*form_));
        Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(0);
        QVERIFY(!box->isChecked());
        const std::optional<ChartResult> chart = calculate();
        QVERIFY(chart);
        QCOMPARE(chart->chart.birthUniversal, (CivilDateTime{1990, 1, 15, 11, 0, 0}));
    }

    // Each case of zoneinfo_form_cases.py: the place found once, then for
    // each of its birth times the date and time set list by list (the day
    // first moved off, so no earlier answer holds), the answer given if the
    // form asks, and the chart's universal time compared with zoneinfo's.
    void agreesWithZoneinfo() {
        QFile file(kZoneinfoCases);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(kZoneinfoCases));
        QString place;
        int cases = 0;
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            if (line.isEmpty() || line.startsWith('#')) {
                continue;
            }
            const QStringList f = line.split('\t');
            QCOMPARE(f.size(), 15);
            std::array<int, 13> n{};
            for (std::size_t i = 0; i < n.size(); ++i) {
                n[i] = f[static_cast<qsizetype>(i) + 2].toInt();
            }
            if (f[0] != place) {
                place = f[0];
                QString firstMatch;
                QVERIFY2(FindPlace(*form_, place, &firstMatch), qPrintable(place));
                QVERIFY2(firstMatch.endsWith(f[1]), qPrintable(firstMatch));
            }
            // Questions on the way (a repeated hour of an earlier list
            // setting) are refused; the press asks again at the birth time.
            dialogs().choices.clear();
            Child<QComboBox>(*form_, "cboDate")->setCurrentText(QString::number(n[2] % 28 + 1));
            SetBirthTime(*form_, n[0], n[1], n[2], n[3], n[4], n[5]);
            const int answer = n[6];
            if (answer >= 0) {
                dialogs().choices.push_back(answer);
            }
            dialogs().offered.clear();
            dialogs().shown.clear();
            const std::optional<ChartResult> chart = calculate();
            QVERIFY2(chart, qPrintable(line + " | " +
                                       (dialogs().shown.empty() ? QString("no message")
                                                                : dialogs().shown.back().text)));
            const CivilDateTime expected{n[7], n[8], n[9], n[10], n[11], n[12]};
            const CivilDateTime& ut = chart->chart.birthUniversal;
            QVERIFY2(ut == expected,
                     qPrintable(line + QStringLiteral(" | zone %1, UT %2-%3-%4 %5:%6:%7")
                                           .arg(ZoneText(*form_))
                                           .arg(ut.year)
                                           .arg(ut.month)
                                           .arg(ut.day)
                                           .arg(ut.hour)
                                           .arg(ut.minute)
                                           .arg(ut.second)));
            QVERIFY2(dialogs().offered.size() == (answer >= 0 ? 1U : 0U),
                     qPrintable(line + QStringLiteral(" | asked %1 times at the press")
                                           .arg(dialogs().offered.size())));
            ++cases;
        }
        QVERIFY2(cases >= 100, qPrintable(QString::number(cases)));
    }

    // Typing a coordinate or choosing an entry puts the zone by hand: the
    // line says so, and the date no longer moves the zone. Its link
    // attaches the atlas zone again, for the date then on the form.
    void byHandAndBack_data() {
        QTest::addColumn<bool>("typeCoordinate");
        QTest::newRow("coordinate typed") << true;
        QTest::newRow("entry chosen") << false;
    }

    void byHandAndBack() {
        QFETCH(bool, typeCoordinate);
        SetBirthTime(*form_, 1990, 7, 15, 12, 0);
        QVERIFY(FindPlace(*form_, "Madrid"));
        QVERIFY(!ByHandShown(*form_));
        const QString summer = ZoneText(*form_);
        if (typeCoordinate) {
            QLineEdit* minutes = Child<QLineEdit>(*form_, "txtLatM");
            minutes->setFocus();
            QTest::keyClick(minutes, Qt::Key_Backspace);
        } else {
            Child<QComboBox>(*form_, "cmbTimeZone")->setCurrentIndex(kGreenwichZoneIndex);
        }
        QVERIFY(ByHandShown(*form_));
        QVERIFY(Child<LinkLabel>(*form_, "lnkUseAtlasZone")->toolTip().contains("Europe/Madrid"));
        const QString byHand = ZoneText(*form_);
        Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(0);
        QCOMPARE(ZoneText(*form_), byHand);

        emit Child<LinkLabel>(*form_, "lnkUseAtlasZone")->clicked();
        QVERIFY(!ByHandShown(*form_));
        QCOMPARE(ZoneText(*form_), QString("Central European Time,CET,+1.0"));
        Child<QComboBox>(*form_, "cboMonth")->setCurrentIndex(6);
        QCOMPARE(ZoneText(*form_), summer);
    }

    // A record's atlas place is followed again when its zone is the
    // atlas's for its date (Kathmandu, 14 August 1987: +05:45); a zone that
    // is not (Greenwich) was set by hand and stays.
    void recordPlace_data() {
        QTest::addColumn<bool>("atlasZone");
        QTest::newRow("the atlas's zone") << true;
        QTest::newRow("a zone by hand") << false;
    }

    void recordPlace() {
        QFETCH(bool, atlasZone);
        BirthRecordContents record;
        record.entries.txtName = "ANANYA RAO";
        record.entries.cboMonthIndex = 7;
        record.entries.cboDate = "14";
        record.entries.cboYear = "1987";
        record.entries.txtMCity = "Kathmandu";
        record.entries.txtLatD = "27";
        record.entries.txtLatM = "42";
        record.entries.txtLonD = "85";
        record.entries.txtLonM = "19";
        record.entries.cmbTimeZoneIndex = kGreenwichZoneIndex;
        if (atlasZone) {
            record.exactZone = ExactZoneOffset{5 * 3600 + 45 * 60, "Asia/Kathmandu, +05:45"};
        }
        record.place = AtlasPlace{1283240, "Asia/Kathmandu"};
        QTemporaryDir dir;
        QFile file(dir.filePath("k.selmarind"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromStdString(WriteBirthRecord(record)));
        file.close();
        QVERIFY(form_->openBirthRecord(file.fileName()));
        QCOMPARE(ByHandShown(*form_), !atlasZone);
        const QString opened = ZoneText(*form_);
        Child<QComboBox>(*form_, "cboYear")->setCurrentText("1980");
        // Nepal kept +05:30 before 1986 under a numeric abbreviation, so the
        // exact entry names the zone rather than India's list entry.
        QCOMPARE(ZoneText(*form_), atlasZone ? QString("Asia/Kathmandu, +05:30") : opened);
    }

    // The real question box: one button per answer, and Cancel, which
    // answers nothing.
    void realQuestionBox_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("expected"); // -1: nothing
        QTest::newRow("second") << "-05:00 EST, the second time" << 1;
        QTest::newRow("cancel") << "Cancel" << -1;
    }

    void realQuestionBox() {
        QFETCH(QString, button);
        QFETCH(int, expected);
        SetDialogService(nullptr);
        std::optional<int> answer = 42;
        QVERIFY(WithModalDialog(
            [&answer] {
                answer = Dialogs().askChoice(
                    nullptr, "01:30 happened twice.",
                    {"-04:00 EDT, the first time", "-05:00 EST, the second time"});
            },
            [&button](QDialog* box) {
                for (QPushButton* candidate : box->findChildren<QPushButton*>()) {
                    if (candidate->text() == button) {
                        candidate->click();
                        return;
                    }
                }
                box->close();
            }));
        QCOMPARE(answer.value_or(-1), expected);
    }
};

SELMARIND_UI_TEST_MAIN(TestFormZone)
#include "test_form_zone.moc"
