#include "input/time_zones.h"
#include "input/validation.h"
#include "support/sample_entries.h"

#include <QTest>

#include <functional>
#include <set>

using namespace selmarind;

Q_DECLARE_METATYPE(BirthEntries)
Q_DECLARE_METATYPE(MessageIcon)
Q_DECLARE_METATYPE(EntryField)

namespace {

const QString kName = "Please Enter Name";
const QString kLonD = "Please Enter Value Between 0 And 179 in the Degree of Longitude";
const QString kLonM = "Please Enter Value Between 0 And 59 in the  Minute of Longitude";
const QString kLatD = "Please Enter Value Between 0 And 89 in the Degree of Latitude";
const QString kLatM = "Please Enter Value Between 0 And 59 in the  Minute of Latitude";
const QString kFebruary = "Please Enter Correct Date Or Month!";
const QString kThirtyDays = "Please Enter Correct Date Or Month !";

// New Delhi, 15 March 1980: entries that pass every check.
BirthEntries Valid() {
    return Delhi1980Entries();
}

BirthEntries With(const std::function<void(BirthEntries&)>& change) {
    BirthEntries e = Valid();
    change(e);
    return e;
}

BirthEntries Date(int monthIndex, const char* day, const char* year) {
    return With([&](BirthEntries& e) {
        e.cboMonthIndex = monthIndex;
        e.cboDate = day;
        e.cboYear = year;
    });
}

void Columns() {
    QTest::addColumn<BirthEntries>("entries");
    QTest::addColumn<QString>("message"); // empty: the entries pass
    QTest::addColumn<MessageIcon>("icon");
    QTest::addColumn<EntryField>("focus");
}

void Passes(const char* tag, const BirthEntries& e) {
    QTest::newRow(tag) << e << QString() << MessageIcon::Error << EntryField::None;
}

void Fails(const char* tag, const BirthEntries& e, const QString& message, MessageIcon icon,
           EntryField focus) {
    QTest::newRow(tag) << e << message << icon << focus;
}

void Check() {
    QFETCH(BirthEntries, entries);
    QFETCH(QString, message);
    QFETCH(MessageIcon, icon);
    QFETCH(EntryField, focus);
    const std::optional<ValidationFault> fault = ValidateBirthData(entries);
    if (message.isEmpty()) {
        QVERIFY2(!fault, fault ? fault->message.c_str() : "");
        return;
    }
    QVERIFY(fault.has_value());
    QCOMPARE(QString::fromStdString(fault->message), message);
    QCOMPARE(fault->icon, icon);
    QCOMPARE(fault->focus, focus);
}

} // namespace

class TestValidation : public QObject {
    Q_OBJECT
private slots:
    void nameComesFirst_data() {
        Columns();
        const auto err = MessageIcon::Error;
        Passes("valid entries", Valid());
        Fails("empty name, every coordinate empty too", With([](BirthEntries& e) {
                  e.txtName.clear();
                  e.txtLonD = e.txtLonM = e.txtLatD = e.txtLatM = "";
              }),
              kName, err, EntryField::txtName);
        Fails("name of spaces only", With([](BirthEntries& e) { e.txtName = "   "; }), kName, err,
              EntryField::txtName);
        Passes("a tab is not a space", With([](BirthEntries& e) { e.txtName = "\t"; }));
    }
    void nameComesFirst() { Check(); }

    // Rows 2 and 4 read the longest numeric prefix (0 when there is none).
    void degreeRows_data() {
        Columns();
        const auto err = MessageIcon::Error;
        const auto lonD = [](const char* text) {
            return With([=](BirthEntries& e) { e.txtLonD = text; });
        };
        const auto latD = [](const char* text) {
            return With([=](BirthEntries& e) { e.txtLatD = text; });
        };
        Passes("longitude 179", lonD("179"));
        Fails("longitude 180", lonD("180"), kLonD, err, EntryField::txtLonD);
        Passes("longitude 0", lonD("0"));
        Passes("longitude 00", lonD("00"));
        Passes("longitude with spaces around", lonD(" 179 "));
        Fails("longitude empty", lonD(""), kLonD, err, EntryField::txtLonD);
        Fails("longitude of spaces", lonD("   "), kLonD, err, EntryField::txtLonD);
        Passes("digits then letters count as the digits", lonD("12abc"));
        Fails("180 then letters", lonD("180abc"), kLonD, err, EntryField::txtLonD);
        Passes("no leading digits counts as 0", lonD("abc"));
        Fails("negative", lonD("-1"), kLonD, err, EntryField::txtLonD);
        Passes("minus zero", lonD("-0"));
        Fails("a fraction above 179", lonD("179.5"), kLonD, err, EntryField::txtLonD);
        Fails("an exponent is part of the number", lonD("1e3"), kLonD, err, EntryField::txtLonD);
        Passes("an exponent without digits is not", lonD("1e"));
        Fails("huge digit string", lonD("999999999999999999999999999999"), kLonD, err,
              EntryField::txtLonD);
        Fails("beyond the range of double", lonD("1e999"), kLonD, err, EntryField::txtLonD);
        Fails("400 digits", lonD(std::string(400, '9').c_str()), kLonD, err, EntryField::txtLonD);
        Passes("too small for double is 0", lonD("1e-999"));
        Passes("tiny fraction", lonD(("0." + std::string(400, '0') + "1").c_str()));
        Passes("latitude 89", latD("89"));
        Fails("latitude 90", latD("90"), kLatD, err, EntryField::txtLatD);
        Passes("latitude 0", latD("0"));
        Passes("latitude 00", latD("00"));
        Fails("latitude empty", latD(""), kLatD, err, EntryField::txtLatD);
    }
    void degreeRows() { Check(); }

    // Rows 3 and 5 need the whole trimmed text to be a number.
    void minuteRows_data() {
        Columns();
        const auto err = MessageIcon::Error;
        const auto lonM = [](const char* text) {
            return With([=](BirthEntries& e) { e.txtLonM = text; });
        };
        const auto latM = [](const char* text) {
            return With([=](BirthEntries& e) { e.txtLatM = text; });
        };
        Passes("longitude minutes 59", lonM("59"));
        Fails("longitude minutes 60", lonM("60"), kLonM, err, EntryField::txtLonM);
        Passes("longitude minutes 0", lonM("0"));
        Passes("longitude minutes 00", lonM("00"));
        Fails("longitude minutes empty", lonM(""), kLonM, err, EntryField::txtLonM);
        Passes("spaces around", lonM(" 7 "));
        Fails("digits then letters", lonM("5x"), kLonM, err, EntryField::txtLonM);
        Fails("a tab is not trimmed", lonM("\t5"), kLonM, err, EntryField::txtLonM);
        Fails("negative", lonM("-1"), kLonM, err, EntryField::txtLonM);
        Fails("59 and a half", lonM("59.5"), kLonM, err, EntryField::txtLonM);
        Passes("decimal forms", lonM(".5"));
        Passes("trailing point", lonM("5."));
        Fails("a point alone", lonM("."), kLonM, err, EntryField::txtLonM);
        Fails("a sign alone", lonM("-"), kLonM, err, EntryField::txtLonM);
        Fails("huge digit string", lonM(std::string(400, '9').c_str()), kLonM, err,
              EntryField::txtLonM);
        Passes("latitude minutes 59", latM("59"));
        Fails("latitude minutes 60", latM("60"), kLatM, err, EntryField::txtLatM);
        Fails("latitude minutes empty", latM(""), kLatM, err, EntryField::txtLatM);
        Passes("latitude minutes 00", latM("00"));
    }
    void minuteRows() { Check(); }

    // Longitude before latitude, coordinates before the date.
    void orderOfTheChecks_data() {
        Columns();
        const auto err = MessageIcon::Error;
        Fails("longitude degrees before latitude degrees", With([](BirthEntries& e) {
                  e.txtLonD = "180";
                  e.txtLatD = "90";
              }),
              kLonD, err, EntryField::txtLonD);
        Fails("longitude minutes before latitude degrees", With([](BirthEntries& e) {
                  e.txtLonM = "";
                  e.txtLatD = "90";
              }),
              kLonM, err, EntryField::txtLonM);
        Fails("latitude degrees before latitude minutes", With([](BirthEntries& e) {
                  e.txtLatD = "90";
                  e.txtLatM = "60";
              }),
              kLatD, err, EntryField::txtLatD);
        Fails("latitude minutes before the date", With([](BirthEntries& e) {
                  e.txtLatM = "60";
                  e.cboMonthIndex = 1;
                  e.cboDate = "30";
              }),
              kLatM, err, EntryField::txtLatM);
    }
    void orderOfTheChecks() { Check(); }

    void dateRows_data() {
        Columns();
        const auto info = MessageIcon::Information;
        const auto none = EntryField::None;
        Passes("29 February 2000", Date(1, "29", "2000"));
        Fails("29 February 1999", Date(1, "29", "1999"), kFebruary, info, none);
        Passes("28 February 1999", Date(1, "28", "1999"));
        Fails("30 February 2000", Date(1, "30", "2000"), kFebruary, info, none);
        Fails("31 February 2000", Date(1, "31", "2000"), kFebruary, info, none);
        Fails("31 February 1999", Date(1, "31", "1999"), kFebruary, info, none);
        Passes("29 February 2048", Date(1, "29", "2048"));
        Fails("31 April 2000", Date(3, "31", "2000"), kThirtyDays, info, none);
        Fails("31 June", Date(5, "31", "2000"), kThirtyDays, info, none);
        Fails("31 September", Date(8, "31", "2000"), kThirtyDays, info, none);
        Fails("31 November", Date(10, "31", "2000"), kThirtyDays, info, none);
        Passes("30 April", Date(3, "30", "2000"));
        Passes("31 March", Date(2, "31", "2000"));
        Passes("31 January", Date(0, "31", "1901"));
        Passes("31 December", Date(11, "31", "2050"));
        Passes("31 August", Date(7, "31", "1999"));
    }
    void dateRows() { Check(); }

    // A month, day or year that cannot be read is refused as a wrong date,
    // whatever the month, rather than checked as some other date.
    void unreadableDateIsRefused_data() {
        Columns();
        const auto info = MessageIcon::Information;
        const auto none = EntryField::None;
        Fails("empty year", Date(2, "15", ""), kFebruary, info, none);
        Fails("year of letters", Date(2, "15", "abc"), kFebruary, info, none);
        Fails("year with a fraction", Date(2, "15", "1980.5"), kFebruary, info, none);
        Fails("year of 30 digits", Date(2, "15", "999999999999999999999999999999"), kFebruary, info,
              none);
        Fails("day 0", Date(2, "0", "1980"), kFebruary, info, none);
        Fails("day 32", Date(2, "32", "1980"), kFebruary, info, none);
        Fails("day of letters", Date(2, "x", "1980"), kFebruary, info, none);
        Fails("day of 30 digits", Date(2, "999999999999999999999999999999", "1980"), kFebruary,
              info, none);
        Fails("month index 12", Date(12, "15", "1980"), kFebruary, info, none);
        Fails("month index -1", Date(-1, "15", "1980"), kFebruary, info, none);
        Passes("day and year with spaces around", Date(1, " 29 ", " 2000 "));
    }
    void unreadableDateIsRefused() { Check(); }

    // The list entries that hold the summer hour in their correction, read
    // off the list by eye: the box on top would count it twice.
    void daylightEntryWithTheBox_data() {
        Columns();
        const auto info = MessageIcon::Information;
        const auto none = EntryField::None;
        const std::set<int> daylight = {0,  2,  4,  5,  7,  9,  15, 16, 17, 18, 19, 22, 24, 25,
                                        28, 31, 33, 40, 43, 45, 46, 48, 53, 55, 56, 57, 68, 70};
        for (int index = 0; index < kTimeZoneCount; ++index) {
            const BirthEntries ticked = With([&](BirthEntries& e) {
                e.cmbTimeZoneIndex = index;
                e.chkDST = true;
            });
            const std::string name(ZoneEntryName(TimeZoneList()[std::size_t(index)]));
            const QByteArray tag = QByteArray::number(index) + " " + name.c_str();
            if (daylight.count(index) != 0) {
                Fails(tag, ticked, QString::fromStdString(DaylightEntryMessage(name)), info, none);
            } else {
                Passes(tag, ticked);
            }
        }
        Passes("Eastern Daylight Time without the box", With([](BirthEntries& e) {
                   e.cmbTimeZoneIndex = 24;
                   e.chkDST = false;
               }));
        Fails("the date is checked first", With([](BirthEntries& e) {
                  e.cmbTimeZoneIndex = 24;
                  e.chkDST = true;
                  e.cboMonthIndex = 3;
                  e.cboDate = "31";
              }),
              kThirtyDays, info, none);
        Fails("the message names the entry", With([](BirthEntries& e) {
                  e.cmbTimeZoneIndex = 46;
                  e.chkDST = true;
              }),
              "Please Clear Daylight Saving Time: New Zealand Std Summer Time Already Includes "
              "Daylight Saving",
              info, none);
    }
    void daylightEntryWithTheBox() { Check(); }
};

QTEST_APPLESS_MAIN(TestValidation)
#include "test_validation.moc"
