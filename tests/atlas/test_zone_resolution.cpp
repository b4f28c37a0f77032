// Historical UTC offsets from the system tz database, and their mapping to
// the form's zone list. Expected offsets are settled history as the tz
// database records it (its zone files "asia", "europe", "northamerica").
#include "atlas/atlas.h"
#include "atlas/zone_resolution.h"
#include "input/time_zones.h"

#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

using namespace selmarind;

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString Describe(const ZoneOffset& offset) {
    return QString("%1 s%2 %3")
        .arg(offset.utcOffsetSeconds)
        .arg(offset.daylightSaving ? " DST" : "")
        .arg(Q(offset.abbreviation));
}

QString Describe(const ZoneResolutionOrFault& r) {
    if (!r.resolution) {
        return "fault: " + Q(r.message);
    }
    QStringList parts;
    for (const ZoneOffset& offset : r.resolution->candidates) {
        parts << Describe(offset);
    }
    return QString("kind %1: %2").arg(static_cast<int>(r.resolution->kind)).arg(parts.join(", "));
}

constexpr int kHour = 3600;

std::string_view TextOf(int index) {
    return TimeZoneList()[static_cast<std::size_t>(index)].itemText;
}

} // namespace

class TestZoneResolution : public QObject {
    Q_OBJECT
private:
    ZoneResolver resolver_;

private slots:
    void initTestCase() { QVERIFY2(resolver_.Available(), resolver_.UnavailableMessage().c_str()); }

    void uniqueLocalTimes_data() {
        QTest::addColumn<QString>("zone");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("offsetSeconds");
        QTest::addColumn<bool>("dst");
        QTest::addColumn<QString>("abbreviation");

        // India's war time: +6:30 from 1 September 1942 to 15 October 1945.
        QTest::newRow("Kolkata 1942 war time")
            << "Asia/Kolkata" << 1942 << 9 << 1 << 12 << 6 * kHour + 1800 << true << "+0630";
        QTest::newRow("Kolkata 1980 IST")
            << "Asia/Kolkata" << 1980 << 3 << 15 << 1 << 5 * kHour + 1800 << false << "IST";
        // Madras mean time (+5:21:10) was India's railway time from 1870 to 1905.
        QTest::newRow("Kolkata 1900 Madras time")
            << "Asia/Kolkata" << 1900 << 6 << 1 << 12 << 5 * kHour + 21 * 60 + 10 << false << "MMT";
        // The link Asia/Calcutta is the same zone.
        QTest::newRow("Calcutta link")
            << "Asia/Calcutta" << 1942 << 9 << 1 << 12 << 6 * kHour + 1800 << true << "+0630";
        // British double summer time: 13 April to 10 August 1947.
        QTest::newRow("London 1947 double summer time")
            << "Europe/London" << 1947 << 6 << 15 << 12 << 2 * kHour << true << "BDST";
        QTest::newRow("London 1947 winter")
            << "Europe/London" << 1947 << 1 << 15 << 12 << 0 << false << "GMT";
        // British Standard Time: +1 all year, 27 October 1968 to 31 October 1971.
        QTest::newRow("London 1970 January")
            << "Europe/London" << 1970 << 1 << 15 << 12 << kHour << false << "BST";
        // The United States' year-round daylight saving time from 6 January 1974.
        QTest::newRow("New York January 1974")
            << "America/New_York" << 1974 << 1 << 15 << 12 << -4 * kHour << true << "EDT";
        // In 1975 it began on 23 February.
        QTest::newRow("New York January 1975")
            << "America/New_York" << 1975 << 1 << 15 << 12 << -5 * kHour << false << "EST";
        // War time all year: one offset that year, so no daylight saving.
        QTest::newRow("New York war time 1943")
            << "America/New_York" << 1943 << 1 << 15 << 12 << -4 * kHour << false << "EWT";
        QTest::newRow("Kolkata 1943 war time all year")
            << "Asia/Kolkata" << 1943 << 7 << 1 << 12 << 6 * kHour + 1800 << false << "+0630";
        // After 2037 the zone files hold no transitions; their closing rule
        // gives the offsets.
        QTest::newRow("New York 2040 EDT")
            << "America/New_York" << 2040 << 7 << 1 << 12 << -4 * kHour << true << "EDT";
        QTest::newRow("Berlin 2045 CEST")
            << "Europe/Berlin" << 2045 << 7 << 1 << 12 << 2 * kHour << true << "CEST";
        QTest::newRow("Sydney 2045 AEST")
            << "Australia/Sydney" << 2045 << 7 << 15 << 12 << 10 * kHour << false << "AEST";
        QTest::newRow("Sydney 2399 AEDT")
            << "Australia/Sydney" << 2399 << 1 << 15 << 12 << 11 * kHour << true << "AEDT";
        QTest::newRow("Santiago 2045 winter")
            << "America/Santiago" << 2045 << 7 << 15 << 12 << -4 * kHour << false << "-04";
        QTest::newRow("London 2045 BST")
            << "Europe/London" << 2045 << 7 << 15 << 12 << kHour << true << "BST";
        // Irish standard time is the summer one: the tz database flags the
        // winter's GMT as the saving, the user does not.
        QTest::newRow("Dublin summer IST")
            << "Europe/Dublin" << 2021 << 7 << 15 << 12 << kHour << true << "IST";
        QTest::newRow("Dublin winter GMT")
            << "Europe/Dublin" << 2021 << 1 << 15 << 12 << 0 << false << "GMT";
        QTest::newRow("Dublin summer 2100")
            << "Europe/Dublin" << 2100 << 7 << 15 << 12 << kHour << true << "IST";
        QTest::newRow("Windhoek winter 2000")
            << "Africa/Windhoek" << 2000 << 7 << 15 << 12 << kHour << false << "WAT";
        QTest::newRow("Windhoek summer 2000")
            << "Africa/Windhoek" << 2000 << 1 << 15 << 12 << 2 * kHour << true << "CAT";
        // Nepal: +5:30 until 1986, +5:45 since.
        QTest::newRow("Kathmandu 1990")
            << "Asia/Kathmandu" << 1990 << 6 << 15 << 12 << 5 * kHour + 45 * 60 << false << "+0545";
        QTest::newRow("Kathmandu 1980")
            << "Asia/Kathmandu" << 1980 << 6 << 15 << 12 << 5 * kHour + 30 * 60 << false << "+0530";
        // Kiribati's Line Islands moved across the date line at the end of 1994.
        QTest::newRow("Kiritimati 2000")
            << "Pacific/Kiritimati" << 2000 << 1 << 1 << 12 << 14 * kHour << false << "+14";
    }

    void uniqueLocalTimes() {
        QFETCH(QString, zone);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(int, offsetSeconds);
        QFETCH(bool, dst);
        QFETCH(QString, abbreviation);
        const ZoneResolutionOrFault r =
            resolver_.Resolve(zone.toStdString(), {year, month, day, hour, 0, 0});
        QVERIFY2(r.resolution.has_value(), qPrintable(Describe(r)));
        QCOMPARE(r.fault, ZoneFault::None);
        QCOMPARE(r.resolution->kind, LocalTimeKind::Unique);
        QCOMPARE(r.resolution->candidates.size(), std::size_t{1});
        const ZoneOffset expected{offsetSeconds, dst, abbreviation.toStdString()};
        QVERIFY2(r.resolution->candidates[0] == expected,
                 qPrintable(QString("%1 %2-%3-%4 %5:00: expected %6, got %7")
                                .arg(zone)
                                .arg(year)
                                .arg(month)
                                .arg(day)
                                .arg(hour)
                                .arg(Describe(expected), Describe(r))));
    }

    // Clocks went forward at 02:00 EST on 14 March 2021 and back at 02:00
    // EDT on 7 November 2021. Both offsets are given, earlier one first.
    void skippedAndRepeatedLocalTimes_data() {
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("kind");
        QTest::newRow("02:30 skipped") << 3 << 14 << 2 << 30 << int(LocalTimeKind::Nonexistent);
        QTest::newRow("02:00 skipped") << 3 << 14 << 2 << 0 << int(LocalTimeKind::Nonexistent);
        QTest::newRow("01:30 repeated") << 11 << 7 << 1 << 30 << int(LocalTimeKind::Ambiguous);
        QTest::newRow("01:00 repeated") << 11 << 7 << 1 << 0 << int(LocalTimeKind::Ambiguous);
    }

    void skippedAndRepeatedLocalTimes() {
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, kind);
        const ZoneResolutionOrFault r =
            resolver_.Resolve("America/New_York", {2021, month, day, hour, minute, 0});
        QVERIFY2(r.resolution.has_value(), qPrintable(Describe(r)));
        QCOMPARE(int(r.resolution->kind), kind);
        QCOMPARE(r.resolution->candidates.size(), std::size_t{2});
        const ZoneOffset est{-5 * kHour, false, "EST"};
        const ZoneOffset edt{-4 * kHour, true, "EDT"};
        const bool forward = kind == int(LocalTimeKind::Nonexistent);
        QVERIFY2(r.resolution->candidates[0] == (forward ? est : edt), qPrintable(Describe(r)));
        QVERIFY2(r.resolution->candidates[1] == (forward ? edt : est), qPrintable(Describe(r)));
    }

    void boundariesOfTheSkippedHour() {
        // 01:59:59 still EST, 03:00 already EDT: unique on both sides.
        const auto before = resolver_.Resolve("America/New_York", {2021, 3, 14, 1, 59, 59});
        QVERIFY2(before.resolution && before.resolution->kind == LocalTimeKind::Unique &&
                     before.resolution->candidates[0].abbreviation == "EST",
                 qPrintable(Describe(before)));
        const auto after = resolver_.Resolve("America/New_York", {2021, 3, 14, 3, 0, 0});
        QVERIFY2(after.resolution && after.resolution->kind == LocalTimeKind::Unique &&
                     after.resolution->candidates[0].abbreviation == "EDT",
                 qPrintable(Describe(after)));
    }

    // Every zone GeoNames gives a place must be one the system's tzdata
    // knows, or the place could not be used for a birth.
    void everyZoneOfTheAtlasResolves() {
        const AtlasOrFault loaded = LoadAtlas(SELMARIND_ATLAS_FILE);
        QVERIFY2(loaded.atlas.has_value(), loaded.message.c_str());
        const std::vector<std::string> zones = loaded.atlas->ZoneIds();
        QVERIFY(zones.size() > 300);
        for (const std::string& zone : zones) {
            for (const int year : {1900, 1950, 2000}) {
                const ZoneResolutionOrFault r = resolver_.Resolve(zone, {year, 7, 1, 12, 0, 0});
                QVERIFY2(
                    r.resolution.has_value(),
                    qPrintable(QString("%1 in %2: %3").arg(Q(zone)).arg(year).arg(Q(r.message))));
                const int offset = r.resolution->candidates[0].utcOffsetSeconds;
                QVERIFY2(offset >= -12 * kHour && offset <= 14 * kHour,
                         qPrintable(QString("%1 in %2: %3 s").arg(Q(zone)).arg(year).arg(offset)));
            }
        }
    }

    // The batch resolves on many threads at once: zones read for the first
    // time on several threads give what one thread gives.
    void concurrentResolutions() {
        const std::vector<std::string> zones = {
            "Europe/Dublin",   "America/Santiago", "Australia/Lord_Howe", "Africa/Casablanca",
            "Asia/Tehran",     "Pacific/Apia",     "America/St_Johns",    "Europe/Moscow",
            "America/Godthab", "Antarctica/Troll", "Asia/Gaza",           "Africa/Windhoek"};
        const auto sweep = [&zones](const ZoneResolver& resolver) {
            std::vector<ZoneOffset> out;
            for (int year = 1900; year <= 2399; year += 7) {
                for (const std::string& zone : zones) {
                    const auto r = resolver.Resolve(zone, {year, 3 + year % 9, 28, 2, 30, 0});
                    out.push_back(r.resolution ? r.resolution->candidates.back() : ZoneOffset{});
                }
            }
            return out;
        };
        std::vector<std::vector<ZoneOffset>> results(4);
        std::vector<std::thread> threads;
        for (auto& result : results) {
            threads.emplace_back([&] { result = sweep(resolver_); });
        }
        for (std::thread& thread : threads) {
            thread.join();
        }
        const std::vector<ZoneOffset> alone = sweep(resolver_);
        for (const auto& result : results) {
            QVERIFY(result == alone);
        }
    }

    void unknownZones_data() {
        QTest::addColumn<QString>("zone");
        QTest::newRow("no such zone") << "Nowhere/Nothing";
        QTest::newRow("empty") << "";
        QTest::newRow("the index file tzdata.zi") << "tzdata.zi";
        QTest::newRow("the leap second table") << "leapseconds";
        QTest::newRow("a folder") << "America";
        QTest::newRow("outside the folder") << "../../../etc/passwd";
        QTest::newRow("absolute path") << "/usr/share/zoneinfo/UTC";
        QTest::newRow("wrong case") << "asia/kolkata";
        QTest::newRow("trailing slash") << "Asia/Kolkata/";
    }

    void unknownZones() {
        QFETCH(QString, zone);
        const ZoneResolutionOrFault r =
            resolver_.Resolve(zone.toStdString(), {1990, 6, 15, 12, 0, 0});
        QVERIFY2(!r.resolution.has_value(), qPrintable(Describe(r)));
        QCOMPARE(r.fault, ZoneFault::UnknownZone);
        QVERIFY2(r.message.find(zone.toStdString()) != std::string::npos, r.message.c_str());
    }

    void invalidLocalTimes_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("hour");
        QTest::addColumn<int>("minute");
        QTest::addColumn<int>("second");
        QTest::newRow("30 February") << 1990 << 2 << 30 << 12 << 0 << 0;
        QTest::newRow("29 February 1900") << 1900 << 2 << 29 << 12 << 0 << 0;
        QTest::newRow("month 13") << 1990 << 13 << 1 << 12 << 0 << 0;
        QTest::newRow("month 0") << 1990 << 0 << 1 << 12 << 0 << 0;
        QTest::newRow("day 0") << 1990 << 1 << 0 << 12 << 0 << 0;
        QTest::newRow("hour 24") << 1990 << 1 << 1 << 24 << 0 << 0;
        QTest::newRow("minute 60") << 1990 << 1 << 1 << 12 << 60 << 0;
        QTest::newRow("second 60") << 1990 << 1 << 1 << 12 << 0 << 60;
        QTest::newRow("negative hour") << 1990 << 1 << 1 << -1 << 0 << 0;
        QTest::newRow("year 0") << 0 << 1 << 1 << 12 << 0 << 0;
        QTest::newRow("year 10000") << 10000 << 1 << 1 << 12 << 0 << 0;
    }

    void invalidLocalTimes() {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, hour);
        QFETCH(int, minute);
        QFETCH(int, second);
        const ZoneResolutionOrFault r =
            resolver_.Resolve("Asia/Kolkata", {year, month, day, hour, minute, second});
        QVERIFY2(!r.resolution.has_value(), qPrintable(Describe(r)));
        QCOMPARE(r.fault, ZoneFault::InvalidLocalTime);
        QVERIFY(!r.message.empty());
    }

    void leapDayIsAValidDate() {
        const ZoneResolutionOrFault r =
            resolver_.Resolve("Asia/Kolkata", {2000, 2, 29, 23, 59, 59});
        QVERIFY2(r.resolution.has_value(), qPrintable(Describe(r)));
    }

    // Without a tz database, zones cannot be resolved and say so; nothing
    // crashes. A folder that holds a database but is not the one the date
    // library reads is refused with its own message.
    void folderWithoutDatabase() {
        QTemporaryDir empty;
        QVERIFY(empty.isValid());
        for (const std::string& folder :
             {empty.path().toStdString(), empty.path().toStdString() + "/missing"}) {
            const ZoneResolver resolver{std::filesystem::path(folder)};
            QVERIFY(!resolver.Available());
            QVERIFY2(
                resolver.UnavailableMessage().find("install the tzdata") != std::string::npos ||
                    resolver.UnavailableMessage().find("Install the tzdata") != std::string::npos,
                resolver.UnavailableMessage().c_str());
            QVERIFY(resolver.UnavailableMessage().find(folder) != std::string::npos);
            const ZoneResolutionOrFault r = resolver.Resolve("Asia/Kolkata", {1990, 1, 1, 0, 0, 0});
            QVERIFY(!r.resolution.has_value());
            QCOMPARE(r.fault, ZoneFault::ZonesUnavailable);
            QCOMPARE(r.message, resolver.UnavailableMessage());
        }
    }

    void folderOtherThanTheSystemOne() {
        QTemporaryDir copy;
        QVERIFY(copy.isValid());
        const std::filesystem::path folder = copy.path().toStdString();
        std::filesystem::create_directory(folder / "Etc");
        std::filesystem::copy_file(
            std::filesystem::path(std::string(kSystemTzdbFolder)) / "Etc/UTC", folder / "Etc/UTC");
        const ZoneResolver resolver{folder};
        QVERIFY(!resolver.Available());
        QVERIFY2(resolver.UnavailableMessage().find("reads them from /usr/share/zoneinfo only") !=
                     std::string::npos,
                 resolver.UnavailableMessage().c_str());

        const ZoneResolver system{std::filesystem::path(std::string(kSystemTzdbFolder) + "/")};
        QVERIFY2(system.Available(), system.UnavailableMessage().c_str());
    }

    // The form's entry for an offset: its correction is the whole offset,
    // so the daylight-saving box stays unticked. Expected indices are
    // positions in TimeZoneList(), their texts checked alongside.
    void zoneEntryForOffset_data() {
        QTest::addColumn<int>("offsetSeconds");
        QTest::addColumn<QString>("abbreviation");
        QTest::addColumn<QString>("entry"); // empty: no entry

        // An entry is taken only under its own name and offset.
        QTest::newRow("IST") << 5 * kHour + 1800 << "IST"
                             << "Indian Time, IST, +5.3";
        QTest::newRow("+05:30 unnamed") << 5 * kHour + 1800 << "+0530"
                                        << "";
        QTest::newRow("GMT") << 0 << "GMT"
                             << "Greenwich Mean Time,GMT,0.0";
        QTest::newRow("UTC is not GMT") << 0 << "UTC"
                                        << "";
        QTest::newRow("BST") << kHour << "BST"
                             << "British Summer Time,BST,+1.0";
        QTest::newRow("Dublin IST at +1") << kHour << "IST"
                                          << "";
        QTest::newRow("CET") << kHour << "CET"
                             << "Central European Time,CET,+1.0";
        QTest::newRow("BDST") << 2 * kHour << "BDST"
                              << "British Double Summer Time,BDST,+2.0";
        QTest::newRow("CEST: no entry, not EET") << 2 * kHour << "CEST"
                                                 << "";
        QTest::newRow("EST") << -5 * kHour << "EST"
                             << "Eastern Standard Time,EST,-5.0";
        QTest::newRow("CDT") << -5 * kHour << "CDT"
                             << "Central Daylight Time,CDT,-5.0";
        QTest::newRow("EDT") << -4 * kHour << "EDT"
                             << "Eastern Daylight Time,EDT,-4.0";
        QTest::newRow("EWT") << -4 * kHour << "EWT"
                             << "Eastern War Time,EWT,-4.0";
        QTest::newRow("JST") << 9 * kHour << "JST"
                             << "Japan Standard Time,JST,+9.0";
        QTest::newRow("AEST") << 10 * kHour << "AEST"
                              << "Australian Eastern Standard Time,AEST,+10.0";
        QTest::newRow("NST of Newfoundland, not of Sumatra")
            << -(3 * kHour + 1800) << "NST"
            << "Newfoundland Standard Time,NST,-3.5";
        QTest::newRow("+06:30: not North Sumatra Time") << 6 * kHour + 1800 << "+0630"
                                                        << "";
        QTest::newRow("NZST at +12: the list's NZST is +13") << 12 * kHour << "NZST"
                                                             << "";
        QTest::newRow("China CST at +8") << 8 * kHour << "CST"
                                         << "";
        QTest::newRow("EST under another offset") << -4 * kHour << "EST"
                                                  << "";
        QTest::newRow("Kathmandu +5:45") << 5 * kHour + 45 * 60 << "+0545"
                                         << "";
        QTest::newRow("Madras time +5:21:10") << 5 * kHour + 21 * 60 + 10 << "MMT"
                                              << "";
        QTest::newRow("one second off GMT") << 1 << "GMT"
                                            << "";
        QTest::newRow("no abbreviation") << 0 << ""
                                         << "";
    }

    void zoneEntryForOffset() {
        QFETCH(int, offsetSeconds);
        QFETCH(QString, abbreviation);
        QFETCH(QString, entry);
        const std::optional<int> index =
            ZoneEntryForOffset(offsetSeconds, abbreviation.toStdString());
        const QString got = index ? Q(std::string(TextOf(*index))) : QString();
        QVERIFY2(got == entry, qPrintable(QString("%1 %2: expected \"%3\", got \"%4\"")
                                              .arg(offsetSeconds)
                                              .arg(abbreviation, entry, got)));
        if (index) {
            const ZoneCorrection correction = *Zone_Calculation(*index);
            QCOMPARE(correction.hours * 3600 + correction.minutes * 60, -offsetSeconds);
        }
    }

    // Every entry is what its own offset and abbreviation lead back to.
    void everyEntryIsFoundByItsOwnAbbreviation() {
        for (int i = 0; i < kTimeZoneCount; ++i) {
            const TimeZoneEntry& entry = TimeZoneList()[static_cast<std::size_t>(i)];
            const std::string text(entry.itemText);
            const std::size_t first = text.find(',');
            std::string abbreviation =
                text.substr(first + 1, text.find(',', first + 1) - first - 1);
            abbreviation.erase(0, abbreviation.find_first_not_of(' '));
            const int offsetSeconds = -(entry.hours * 3600 + entry.minutes * 60);
            QCOMPARE(ZoneEntryForOffset(offsetSeconds, abbreviation), std::optional<int>(i));
        }
    }

    // From a resolved offset to universal time the way the form computes it:
    // UT = local time + correction (positive west). Kolkata, 15 March
    // 1980 12:00 at +5:30 is 06:30 UT.
    void resolvedOffsetGivesTheFormsUniversalTime() {
        const auto r = resolver_.Resolve("Asia/Kolkata", {1980, 3, 15, 12, 0, 0});
        QVERIFY(r.resolution);
        const auto index = ZoneEntryForOffset(r.resolution->candidates[0].utcOffsetSeconds,
                                              r.resolution->candidates[0].abbreviation);
        QVERIFY(index);
        const ZoneCorrection correction = *Zone_Calculation(*index);
        const int utMinutes = 12 * 60 + correction.hours * 60 + correction.minutes;
        QCOMPARE(utMinutes, 6 * 60 + 30);
    }

    // The box on the extra exact entry: only where the entry is the zone's
    // standard offset and the zone was an hour ahead on daylight saving.
    void boxOnTheExactEntry_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("offsetSeconds");
        QTest::addColumn<QString>("zone"); // the record's; empty: from the label
        QTest::addColumn<int>("month");
        QTest::addColumn<bool>("box");
        QTest::addColumn<QString>("refusal"); // empty: accepted
        QTest::newRow("Nepal never kept it")
            << "Asia/Kathmandu, +05:45" << 20700 << "" << 7 << true << "kept no daylight saving";
        QTest::newRow("summer offset already")
            << "Europe/Madrid, +02:00 CEST" << 7200 << "Europe/Madrid" << 7 << true
            << "daylight saving included";
        QTest::newRow("standard offset in summer")
            << "Europe/Madrid, +01:00 CET" << 3600 << "" << 7 << true << "";
        QTest::newRow("standard offset in winter")
            << "Europe/Madrid, +01:00 CET" << 3600 << "" << 1 << true << "kept no daylight saving";
        QTest::newRow("the record's zone wins over the label")
            << "Europe/Madrid, +01:00 CET" << 3600 << "Asia/Kathmandu" << 7 << true
            << "Asia/Kathmandu kept no daylight saving";
        QTest::newRow("box unticked")
            << "Asia/Kathmandu, +05:45" << 20700 << "" << 7 << false << "";
        QTest::newRow("no zone to ask") << "UTC+05:45" << 20700 << "" << 7 << true << "";
    }

    void boxOnTheExactEntry() {
        QFETCH(QString, label);
        QFETCH(int, offsetSeconds);
        QFETCH(QString, zone);
        QFETCH(int, month);
        QFETCH(bool, box);
        QFETCH(QString, refusal);
        BirthEntries entries;
        entries.cboYear = "1990";
        entries.cboMonthIndex = month - 1;
        entries.cboDate = "15";
        entries.cboHH = "12";
        entries.cmbTimeZoneIndex = kExactZoneIndex;
        entries.exactZone = ExactZoneEntry{label.toStdString(), offsetSeconds};
        entries.chkDST = box;
        const std::optional<std::string> fault =
            ExactZoneDaylightFault(entries, zone.toStdString(), resolver_);
        QVERIFY2(fault.has_value() == !refusal.isEmpty(), fault ? fault->c_str() : "accepted");
        if (fault) {
            QVERIFY2(Q(*fault).contains(refusal) && Q(*fault).contains(label), fault->c_str());
        }
        // A list entry is no business of this check.
        entries.cmbTimeZoneIndex = 24;
        QVERIFY(!ExactZoneDaylightFault(entries, zone.toStdString(), resolver_));
    }

    void offsetTexts_data() {
        QTest::addColumn<int>("offsetSeconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("Kathmandu") << 5 * kHour + 45 * 60 << "+05:45";
        QTest::newRow("Madras time, seconds shown") << 5 * kHour + 21 * 60 + 10 << "+05:21:10";
        QTest::newRow("Newfoundland") << -(3 * kHour + 1800) << "-03:30";
        QTest::newRow("zero") << 0 << "+00:00";
        QTest::newRow("thirty seconds west") << -30 << "-00:00:30";
        QTest::newRow("Kiribati") << 14 * kHour << "+14:00";
        QTest::newRow("Amsterdam mean time") << 1172 << "+00:19:32";
    }

    void offsetTexts() {
        QFETCH(int, offsetSeconds);
        QFETCH(QString, text);
        QCOMPARE(Q(FormatUtcOffset(offsetSeconds)), text);
    }

    // The label names the zone, its offset and, where the tz database has
    // one in letters, its abbreviation.
    void exactOffsetLabel() {
        QCOMPARE(Q(ExactOffsetLabel("Asia/Kathmandu", {5 * kHour + 45 * 60, false, "+0545"})),
                 QString("Asia/Kathmandu, +05:45"));
        QCOMPARE(Q(ExactOffsetLabel("Asia/Kolkata", {5 * kHour + 21 * 60 + 10, false, "MMT"})),
                 QString("Asia/Kolkata, +05:21:10 MMT"));
        const auto summer = resolver_.Resolve("Europe/Madrid", {1990, 7, 15, 12, 0, 0});
        QVERIFY(summer.resolution);
        const ZoneOffset& cest = summer.resolution->candidates[0];
        QVERIFY(!ZoneEntryForOffset(cest.utcOffsetSeconds, cest.abbreviation));
        QCOMPARE(Q(ExactOffsetLabel("Europe/Madrid", cest)), QString("Europe/Madrid, +02:00 CEST"));
        const auto war = resolver_.Resolve("Asia/Kolkata", {1943, 7, 1, 12, 0, 0});
        QVERIFY(war.resolution);
        QCOMPARE(Q(ExactOffsetLabel("Asia/Kolkata", war.resolution->candidates[0])),
                 QString("Asia/Kolkata, +06:30"));
    }
};

QTEST_APPLESS_MAIN(TestZoneResolution)
#include "test_zone_resolution.moc"
