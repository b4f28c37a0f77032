// Sunrise and sunset of the precise source against times worked out
// independently: the Sun of Meeus ch. 25 (0.01°) on the sky of ch. 12, and
// the almanac rule for each horizon.

#include "ephemeris/sun_events.h"

#include "reference_astronomy.h"

#include <QTest>

#include <cmath>
#include <limits>
#include <optional>

using namespace selmarind::ephemeris;
using namespace selmarind::test;

Q_DECLARE_METATYPE(selmarind::ephemeris::SunEvent)
Q_DECLARE_METATYPE(selmarind::ephemeris::SunHorizon)
Q_DECLARE_METATYPE(selmarind::ephemeris::Source)

namespace {

constexpr double kDeltaTSeconds = 69; // TT - UT around 2021; the Sun moves 3" in that time

// Geocentric altitude of the Sun's centre, without refraction, at which the
// almanac rule counts the event: the United States Naval Observatory's 50'
// below the horizon (34' of refraction, 16' of semidiameter) for the upper
// limb; the horizon itself for the centre without refraction.
double RuleAltitudeDeg(SunHorizon horizon) {
    return horizon == SunHorizon::UpperLimbRefracted ? -50.0 / 60.0 : 0.0;
}

// The reference disagrees with the precise source by the 0.01° of its Sun
// and the 0.6' by which the source's refraction (34.6', true semidiameter)
// and parallax differ from the rule's fixed 50'.
constexpr double kAltitudeToleranceDeg = 1.3 / 60.0;

struct ReferenceDay {
    std::optional<double> event; // first crossing in the window
    // How near the Sun comes to the rule altitude where it turns (its
    // highest or lowest in the window), degrees; large when it does not turn.
    double grazingMarginDeg = 1e9;
};

// First crossing of the rule altitude in [from, to), sampled every two
// minutes and refined by bisection to a tenth of a second.
ReferenceDay ReferenceEvent(double from, double to, const Place& place, SunEvent event,
                            SunHorizon horizon) {
    const double rule = RuleAltitudeDeg(horizon);
    auto above = [&](double jd) {
        return SunAltitude(jd, kDeltaTSeconds, place.latitudeDeg, place.longitudeDeg) - rule;
    };
    ReferenceDay day;
    const double step = 2.0 / 1440;
    double previous = above(from);
    double previousSlope = 0;
    for (double jd = from; jd < to; jd += step) {
        const double next = std::min(jd + step, to);
        const double value = above(next);
        const double slope = value - previous;
        if (slope * previousSlope < 0) {
            day.grazingMarginDeg = std::min(day.grazingMarginDeg, std::fabs(previous));
        }
        previousSlope = slope;
        const bool crosses =
            event == SunEvent::Rise ? (previous < 0 && value >= 0) : (previous >= 0 && value < 0);
        if (crosses && !day.event) {
            double lo = jd;
            double hi = next;
            while (hi - lo > 0.1 * kSecondOfDay) {
                const double mid = 0.5 * (lo + hi);
                ((above(mid) >= 0) == (event == SunEvent::Rise) ? hi : lo) = mid;
            }
            day.event = 0.5 * (lo + hi);
        }
        previous = value;
    }
    return day;
}

// The local day of a place: from its mean midnight, as a chart asks.
double LocalMidnight(int year, int month, int day, const Place& place) {
    return JulianDay(year, month, day) - place.longitudeDeg / 360.0;
}

QByteArray Describe(const char* what, const SunEventResult& r) {
    return QString("%1: %2, source %3, error '%4'")
        .arg(what)
        .arg(r.jdUt ? UtText(*r.jdUt) + QString(" (JD %1)").arg(*r.jdUt, 0, 'f', 6) : "none")
        .arg(QString::fromUtf8(SourceName(r.source).data()))
        .arg(QString::fromStdString(r.error))
        .toUtf8();
}

} // namespace

class TestSunEvents : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { qunsetenv("SE_EPHE_PATH"); }

    void againstTheAlmanacRule_data() {
        QTest::addColumn<double>("latitudeDeg");
        QTest::addColumn<double>("longitudeDeg");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::newRow("Greenwich 51°28'38\"N 0°, June solstice 2021")
            << Dms(51, 28, 38) << 0.0 << 2021 << 6 << 21;
        QTest::newRow("New Delhi 28°36'N 77°12'E, March equinox 2021")
            << Dms(28, 36, 0) << Dms(77, 12, 0) << 2021 << 3 << 20;
        QTest::newRow("Sydney 33°52'S 151°12'E, 1990-07-15")
            << -Dms(33, 52, 0) << Dms(151, 12, 0) << 1990 << 7 << 15;
        QTest::newRow("Quito 0°13'S 78°31'W, 2030-09-23")
            << -Dms(0, 13, 0) << -Dms(78, 31, 0) << 2030 << 9 << 23;
        QTest::newRow("Reykjavik 64°08'N 21°56'W, December solstice 2021")
            << Dms(64, 8, 0) << -Dms(21, 56, 0) << 2021 << 12 << 21;
    }

    // Each event, under each horizon, comes within the reference's accuracy
    // of the rule: within half a minute of its time (an almanac's minute),
    // and with the Sun at the rule's altitude at the instant returned. The
    // centre without refraction rises later and sets earlier than the
    // refracted upper limb, by the time the Sun takes to climb 50' there
    // (within half a minute). Greenwich at the June solstice comes out at
    // 03:43 and 20:21 UT, as almanacs print for London (04:43 and 21:21 BST).
    void againstTheAlmanacRule() {
        QFETCH(double, latitudeDeg);
        QFETCH(double, longitudeDeg);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        const Place place{latitudeDeg, longitudeDeg};
        const double from = LocalMidnight(year, month, day, place);
        const double to = from + 1;
        double found[2][2] = {};
        double reference[2][2] = {};
        for (SunHorizon horizon :
             {SunHorizon::UpperLimbRefracted, SunHorizon::CentreWithoutRefraction}) {
            for (SunEvent event : {SunEvent::Rise, SunEvent::Set}) {
                const SunEventResult r = SunEventBetween(from, to, place, event, horizon);
                const ReferenceDay expected = ReferenceEvent(from, to, place, event, horizon);
                QVERIFY(expected.event);
                const QByteArray text =
                    Describe(event == SunEvent::Rise ? "rise" : "set", r) + ", expected " +
                    UtText(*expected.event).toUtf8() +
                    (horizon == SunHorizon::UpperLimbRefracted ? " (upper limb)" : " (centre)");
                QVERIFY2(r.Ok() && r.jdUt && r.source == Source::Files, text);
                QVERIFY2(std::fabs(*r.jdUt - *expected.event) <= 30 * kSecondOfDay, text);
                const double altitude =
                    SunAltitude(*r.jdUt, kDeltaTSeconds, latitudeDeg, longitudeDeg);
                QVERIFY2(std::fabs(altitude - RuleAltitudeDeg(horizon)) <= kAltitudeToleranceDeg,
                         text + " altitude " + QByteArray::number(altitude * 60, 'f', 2) + "'");
                found[static_cast<int>(horizon)][static_cast<int>(event)] = *r.jdUt;
                reference[static_cast<int>(horizon)][static_cast<int>(event)] = *expected.event;
            }
        }
        const int limb = static_cast<int>(SunHorizon::UpperLimbRefracted);
        const int centre = static_cast<int>(SunHorizon::CentreWithoutRefraction);
        const int rise = static_cast<int>(SunEvent::Rise);
        const int set = static_cast<int>(SunEvent::Set);
        const double riseLaterMinutes = (found[centre][rise] - found[limb][rise]) * 1440;
        const double setEarlierMinutes = (found[limb][set] - found[centre][set]) * 1440;
        const double expectedRiseLater = (reference[centre][rise] - reference[limb][rise]) * 1440;
        const double expectedSetEarlier = (reference[limb][set] - reference[centre][set]) * 1440;
        QVERIFY2(riseLaterMinutes > 1 && std::fabs(riseLaterMinutes - expectedRiseLater) < 0.5,
                 qPrintable(QString("centre rises %1 min after the limb, expected %2")
                                .arg(riseLaterMinutes)
                                .arg(expectedRiseLater)));
        QVERIFY2(setEarlierMinutes > 1 && std::fabs(setEarlierMinutes - expectedSetEarlier) < 0.5,
                 qPrintable(QString("centre sets %1 min before the limb, expected %2")
                                .arg(setEarlierMinutes)
                                .arg(expectedSetEarlier)));
    }

    // Midnight sun and polar night: no event that day, no error.
    void polarDayAndNight_data() {
        QTest::addColumn<double>("latitudeDeg");
        QTest::addColumn<double>("longitudeDeg");
        QTest::addColumn<int>("month");
        QTest::newRow("Tromsø 69°39'N, midnight sun") << Dms(69, 39, 0) << Dms(18, 57, 0) << 6;
        QTest::newRow("Tromsø 69°39'N, polar night") << Dms(69, 39, 0) << Dms(18, 57, 0) << 12;
        QTest::newRow("McMurdo 77°51'S, polar night") << -Dms(77, 51, 0) << Dms(166, 40, 0) << 6;
        QTest::newRow("McMurdo 77°51'S, midnight sun") << -Dms(77, 51, 0) << Dms(166, 40, 0) << 12;
        QTest::newRow("89°59'N, midnight sun") << Dms(89, 59, 0) << 0.0 << 6;
    }

    void polarDayAndNight() {
        QFETCH(double, latitudeDeg);
        QFETCH(double, longitudeDeg);
        QFETCH(int, month);
        const Place place{latitudeDeg, longitudeDeg};
        const double from = LocalMidnight(2021, month, 21, place);
        for (SunHorizon horizon :
             {SunHorizon::UpperLimbRefracted, SunHorizon::CentreWithoutRefraction}) {
            for (SunEvent event : {SunEvent::Rise, SunEvent::Set}) {
                const SunEventResult r = SunEventBetween(from, from + 1, place, event, horizon);
                QVERIFY2(r.Ok() && !r.jdUt && r.source == Source::Files, Describe("event", r));
            }
        }
    }

    // Every day of a year north and south of the polar circles, each day's
    // window searched on its own: an event is found exactly when the
    // reference has one (days on which the Sun turns within 0.25° of the
    // rule are left out: the reference cannot decide them), and at the
    // rule's altitude. Around the midnight sun and the polar night the
    // library's search may run on to an event weeks away; the window keeps
    // it out.
    void everyDayOfAPolarYear_data() {
        QTest::addColumn<double>("latitudeDeg");
        QTest::addColumn<double>("longitudeDeg");
        QTest::newRow("Tromsø 69°39'N 18°57'E") << Dms(69, 39, 0) << Dms(18, 57, 0);
        QTest::newRow("78°S 120°W") << -78.0 << -120.0;
    }

    void everyDayOfAPolarYear() {
        QFETCH(double, latitudeDeg);
        QFETCH(double, longitudeDeg);
        const Place place{latitudeDeg, longitudeDeg};
        int decided = 0;
        int events = 0;
        int none = 0;
        for (int d = 0; d < 365; ++d) {
            const double from = LocalMidnight(2021, 1, 1, place) + d;
            for (SunHorizon horizon :
                 {SunHorizon::UpperLimbRefracted, SunHorizon::CentreWithoutRefraction}) {
                for (SunEvent event : {SunEvent::Rise, SunEvent::Set}) {
                    const ReferenceDay expected =
                        ReferenceEvent(from, from + 1, place, event, horizon);
                    if (expected.grazingMarginDeg < 0.25) {
                        continue;
                    }
                    ++decided;
                    const SunEventResult r = SunEventBetween(from, from + 1, place, event, horizon);
                    const QByteArray text =
                        "day " + QByteArray::number(d) +
                        (event == SunEvent::Rise ? " rise" : " set") +
                        (horizon == SunHorizon::UpperLimbRefracted ? " (upper limb): "
                                                                   : " (centre): ") +
                        Describe("event", r) + ", expected " +
                        (expected.event ? UtText(*expected.event).toUtf8() : QByteArray("none"));
                    QVERIFY2(r.Ok() && r.jdUt.has_value() == expected.event.has_value(), text);
                    if (r.jdUt) {
                        ++events;
                        QVERIFY2(*r.jdUt >= from && *r.jdUt < from + 1, text);
                        const double altitude =
                            SunAltitude(*r.jdUt, kDeltaTSeconds, latitudeDeg, longitudeDeg);
                        QVERIFY2(std::fabs(altitude - RuleAltitudeDeg(horizon)) <=
                                     kAltitudeToleranceDeg,
                                 text);
                    } else {
                        ++none;
                    }
                }
            }
        }
        // Both kinds of day must have been met for the check to mean anything.
        QVERIFY2(
            decided > 1300 && events > 400 && none > 200,
            qPrintable(
                QString("%1 decided, %2 events, %3 without").arg(decided).arg(events).arg(none)));
    }

    // [from, to): an event exactly outside the window is not returned, one
    // inside a window of two minutes is.
    void windowBounds() {
        const Place greenwich{Dms(51, 28, 38), 0.0};
        const double midnight = JulianDay(2021, 6, 21);
        const SunEventResult day = SunEventBetween(midnight, midnight + 1, greenwich,
                                                   SunEvent::Rise, SunHorizon::UpperLimbRefracted);
        QVERIFY2(day.Ok() && day.jdUt, Describe("rise", day));
        const double rise = *day.jdUt;
        const double second = kSecondOfDay;
        const SunEventResult before = SunEventBetween(
            midnight, rise - second, greenwich, SunEvent::Rise, SunHorizon::UpperLimbRefracted);
        QVERIFY2(before.Ok() && !before.jdUt, Describe("window ending before the rise", before));
        const SunEventResult after = SunEventBetween(
            rise + second, midnight + 1, greenwich, SunEvent::Rise, SunHorizon::UpperLimbRefracted);
        QVERIFY2(after.Ok() && !after.jdUt, Describe("window starting after the rise", after));
        const SunEventResult around =
            SunEventBetween(rise - 60 * second, rise + 60 * second, greenwich, SunEvent::Rise,
                            SunHorizon::UpperLimbRefracted);
        QVERIFY2(around.Ok() && around.jdUt && std::fabs(*around.jdUt - rise) < 0.01 * second,
                 Describe("window around the rise", around));
        const SunEventResult empty = SunEventBetween(
            midnight + 1, midnight, greenwich, SunEvent::Rise, SunHorizon::UpperLimbRefracted);
        QVERIFY2(empty.Ok() && !empty.jdUt, Describe("reversed window", empty));
    }

    // Outside the years of the data files (1800 to 2399) the analytical
    // ephemeris serves the Sun, and the result says so, also on a day
    // without an event; inside them the files do.
    void sourceFollowsTheYearsTheFilesCover_data() {
        QTest::addColumn<int>("year");
        QTest::addColumn<double>("latitudeDeg");
        QTest::addColumn<Source>("expected");
        QTest::newRow("1700, New Delhi") << 1700 << 28.6 << Source::Analytical;
        QTest::newRow("1700, Tromsø, midnight sun") << 1700 << 69.65 << Source::Analytical;
        QTest::newRow("2000, New Delhi") << 2000 << 28.6 << Source::Files;
        QTest::newRow("2000, Tromsø, midnight sun") << 2000 << 69.65 << Source::Files;
        QTest::newRow("2450, New Delhi") << 2450 << 28.6 << Source::Analytical;
    }

    void sourceFollowsTheYearsTheFilesCover() {
        QFETCH(int, year);
        QFETCH(double, latitudeDeg);
        QFETCH(Source, expected);
        const Place place{latitudeDeg, 20.0};
        const double from = LocalMidnight(year, 6, 21, place);
        const SunEventResult r = SunEventBetween(from, from + 1, place, SunEvent::Set,
                                                 SunHorizon::CentreWithoutRefraction);
        QVERIFY2(r.Ok() && r.source == expected && r.jdUt.has_value() == (latitudeDeg < 60),
                 Describe("set", r));
    }

    void refusedInputs_data() {
        QTest::addColumn<double>("from");
        QTest::addColumn<double>("to");
        QTest::addColumn<double>("latitudeDeg");
        QTest::addColumn<double>("longitudeDeg");
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::newRow("start NaN") << nan << 2451545.0 << 10.0 << 10.0;
        QTest::newRow("end NaN") << 2451545.0 << nan << 10.0 << 10.0;
        QTest::newRow("end in year 3000") << 2451545.0 << kEndJdUt + 1 << 10.0 << 10.0;
        QTest::newRow("pole") << 2451545.0 << 2451546.0 << 90.0 << 10.0;
        QTest::newRow("latitude NaN") << 2451545.0 << 2451546.0 << nan << 10.0;
        QTest::newRow("longitude 190") << 2451545.0 << 2451546.0 << 10.0 << 190.0;
    }

    void refusedInputs() {
        QFETCH(double, from);
        QFETCH(double, to);
        QFETCH(double, latitudeDeg);
        QFETCH(double, longitudeDeg);
        const SunEventResult r = SunEventBetween(from, to, {latitudeDeg, longitudeDeg},
                                                 SunEvent::Set, SunHorizon::UpperLimbRefracted);
        QVERIFY2(!r.Ok() && !r.jdUt, Describe("set", r));
    }
};

QTEST_APPLESS_MAIN(TestSunEvents)
#include "test_sun_events.moc"
