#include "chart/special_points.h"

#include "engine/chart_text.h"
#include "engine/name_tables.h"
#include "engine/time_conventions.h"
#include "engine/vighati.h"

#include <cmath>
#include <cstdlib>
#include <utility>

namespace selmarind {

namespace {

std::optional<int> SignIndexOf(double longitudeDeg) {
    const std::optional<SignPosition> at = SignPositionOfLongitude(longitudeDeg);
    return at ? std::optional<int>(at->sign) : std::nullopt;
}

CivilDateTime At(const CivilDate& date, const ClockTime& time) {
    return {date.year, date.month, date.day, time.hour, time.minute, 0};
}

void Mark(std::optional<int> sign, std::array<std::string, 12>& markerLabels) {
    if (sign && *sign >= 0 && *sign < 12) {
        markerLabels[static_cast<std::size_t>(*sign)] += "\r\n";
    }
}

// A point that is a longitude: formatted and marked in the sign its text shows.
SpecialPoint LongitudePoint(std::string name, double longitudeDeg,
                            std::array<std::string, 12>& markerLabels) {
    SpecialPoint point;
    point.name = std::move(name);
    point.computed = true;
    point.isLongitude = true;
    point.longitude = NormalizeForText(longitudeDeg);
    point.signIndex = SignOfLongitude(point.longitude, point.chartText);
    Mark(point.signIndex, markerLabels);
    return point;
}

// A point at a body whose chart text is already made: that text, and the
// sign it shows, found from the body's longitude.
SpecialPoint ChartTextPoint(std::string name, const std::string& chartText, double longitudeDeg,
                            std::array<std::string, 12>& markerLabels) {
    SpecialPoint point;
    point.name = std::move(name);
    point.computed = true;
    point.chartText = chartText;
    point.signIndex = SignIndexOf(longitudeDeg);
    Mark(point.signIndex, markerLabels);
    return point;
}

SpecialPoint SignPoint(std::string name, std::optional<int> sign,
                       std::array<std::string, 12>& markerLabels) {
    SpecialPoint point;
    point.name = std::move(name);
    point.computed = true;
    point.signIndex = sign;
    Mark(point.signIndex, markerLabels);
    return point;
}

SpecialPoint NotComputed(std::string name, bool isLongitude) {
    SpecialPoint point;
    point.name = std::move(name);
    point.isLongitude = isLongitude;
    return point;
}

double ReduceAbove360(double x) {
    while (x > 360) {
        x -= 360;
    }
    return x;
}

std::optional<int> NinthLordSign(int induStartSign, int kalaFromLagna, int kalaFromMoon) {
    const int r = (kalaFromLagna + kalaFromMoon) % 12;
    int sign = induStartSign + r - 1;
    while (sign > 12) {
        sign -= 12;
    }
    if (sign < 1) {
        sign += 12;
    }
    if (sign < 1 || sign > 12) {
        return std::nullopt;
    }
    return sign - 1;
}

// The parity point from the ascendant's whole degrees and the whole degrees
// H of the second time point. Signs are odd or even counted from Aries as
// the first: sign index 0 (Aries), 2 (Gemini), ... are the odd signs. An odd
// sign counts its degrees forward (A = degrees), an even one backward from
// the end of the zodiac (A = 360 - degrees). Points of the same parity add,
// of different parity subtract; from an even ascendant the result is again
// counted backward.
double ParityPoint(double ascendantDegree, double h) {
    const auto a = static_cast<long long>(std::floor(ascendantDegree / 30));
    const bool ascendantOdd = a % 2 == 0; // index 0 is Aries, the first (odd) sign
    const double bigA = ascendantOdd ? ascendantDegree : 360 - ascendantDegree;

    const auto b = static_cast<long long>(std::floor(h / 30));
    const bool pointOdd = b % 2 == 0;
    const double bigB = pointOdd ? h : 360 - h;

    double v = ascendantOdd == pointOdd ? std::fabs(bigB + bigA) : std::fabs(bigB - bigA);
    v = ReduceAbove360(v);
    if (!ascendantOdd) {
        v = 360 - v;
    }
    return v;
}

std::optional<int> VighatiSign(long long secondsFromSunrise, double sunriseSunLongitude) {
    // Hours from sunrise to vighatis: 150 vighatis an hour (60 ghatis of 60
    // vighatis in 24 hours); every 15 vighatis advance the point one sign.
    const double x = static_cast<double>(secondsFromSunrise) / 3600 * 150 / 15;
    const PranapadaParts parts = Vighati2Degree(x);

    // The Sun's sign, degrees and minutes as its chart text shows them.
    const std::optional<SignPosition> sun = SignPositionOfLongitude(sunriseSunLongitude);
    if (!sun) {
        return std::nullopt;
    }

    const double m = sun->minutes + parts.PranapadaMinutes;
    const double carry1 = std::floor(m / 60);
    const double d = sun->degrees + parts.PranapadaDegrees + carry1;
    const double carry2 = std::floor(d / 30);
    const double signs = parts.PranapadaSigns + carry2;

    const int k = sun->sign;
    // Movable signs count from the Sun's sign, fixed ones from its ninth,
    // dual ones from its fifth.
    double p = signs + k;
    if (k % 3 == 1) {
        p += 8;
    } else if (k % 3 == 2) {
        p += 4;
    }
    while (p > 11) {
        p -= 12;
    }
    return static_cast<int>(p);
}

} // namespace

long long MinuteBoundariesBetween(const CivilDateTime& from, const CivilDateTime& to) {
    return FloorDiv(SerialSeconds(to), 60) - FloorDiv(SerialSeconds(from), 60);
}

long long SecondBoundariesBetween(const CivilDateTime& from, const CivilDateTime& to) {
    return SerialSeconds(to) - SerialSeconds(from);
}

SunriseReference FindSunriseReference(const BirthRecord& birth) {
    const CivilDate date = birth.date;
    const CivilDate prevDate = CivilFromSerialDay(SerialDay(date) - 1);
    const CivilDate nextDate = CivilFromSerialDay(SerialDay(date) + 1);

    SunriseReference ref;
    ref.today = SunRiseSet(birth, date);
    // Of the days around it only the sunrise counts.
    ref.prevDay = SunRiseSet(birth, prevDate, false);
    ref.nextDay = SunRiseSet(birth, nextDate, false);
    ref.birth = {date.year,       date.month,        date.day,
                 birth.time.hour, birth.time.minute, birth.time.second};

    // The birth's clock runs one hour ahead when its box is ticked; an event
    // computed without the summer hour (its date lies outside the fixed
    // summer-time window) is brought onto that clock before it is compared
    // with the birth or subtracted from it, so both times are on one clock.
    const auto onBirthClock = [&birth](const CivilDate& d, const ClockTime& t,
                                       bool summerHourApplied) {
        const CivilDateTime event = At(d, t);
        if (summerHourApplied == birth.summerHour) {
            return event;
        }
        return ToClock(ToUniversal(event, birth.zone, summerHourApplied), birth.zone,
                       birth.summerHour);
    };
    const auto choose = [&ref, &birth](BirthPeriod period, const CivilDateTime& sunrise) {
        ref.period = period;
        ref.sunrise = sunrise;
        // On the birth's clock the reference carries the summer hour exactly
        // when the box is ticked; the Sun at sunrise takes it off again.
        ref.sunriseIncludesSummerHour = birth.summerHour;
        ref.minutesFromSunrise = std::llabs(MinuteBoundariesBetween(sunrise, ref.birth));
        ref.secondsFromSunrise = std::llabs(SecondBoundariesBetween(sunrise, ref.birth));
    };

    if (!ref.today.sunrise) {
        return ref;
    }
    const std::int64_t birthSeconds = SerialSeconds(ref.birth);
    const CivilDateTime sunriseToday =
        onBirthClock(date, *ref.today.sunrise, ref.today.summerHourApplied);
    if (birthSeconds < SerialSeconds(sunriseToday)) {
        if (ref.prevDay.sunrise) {
            choose(BirthPeriod::BeforeSunrise,
                   onBirthClock(prevDate, *ref.prevDay.sunrise, ref.prevDay.summerHourApplied));
        }
        return ref;
    }
    if (!ref.today.sunset) {
        return ref;
    }
    if (birthSeconds <=
        SerialSeconds(onBirthClock(date, *ref.today.sunset, ref.today.summerHourApplied))) {
        choose(BirthPeriod::Day, sunriseToday);
    } else if (ref.nextDay.sunrise) {
        choose(BirthPeriod::AfterSunset,
               onBirthClock(nextDate, *ref.nextDay.sunrise, ref.nextDay.summerHourApplied));
    }
    return ref;
}

std::optional<int> SignOfLongitude(double longitudeDeg, std::string& chartText) {
    const double normalized = NormalizeForText(longitudeDeg);
    chartText = ChartTextOfLongitude(normalized);
    return SignIndexOf(normalized);
}

std::vector<SpecialPoint> MarkSpecialPoints(const SpecialPointInputs& in,
                                            std::array<std::string, 12>& markerLabels) {
    std::vector<SpecialPoint> points;
    points.reserve(9);

    const bool haveSunrise = in.MinutesFromSunrise && in.SecondsFromSunrise &&
                             in.SunriseSunLongitude && !in.SunriseSunText.empty();

    if (haveSunrise) {
        const double sun = *in.SunriseSunLongitude;
        const auto minutes = static_cast<double>(*in.MinutesFromSunrise);

        points.push_back(
            LongitudePoint("first time point", ReduceAbove360(sun + 1.25 * minutes), markerLabels));
        points.push_back(
            LongitudePoint("second time point", ReduceAbove360(sun + 0.5 * minutes), markerLabels));
        points.push_back(
            LongitudePoint("third time point", ReduceAbove360(sun + 0.25 * minutes), markerLabels));
    } else {
        points.push_back(NotComputed("first time point", true));
        points.push_back(NotComputed("second time point", true));
        points.push_back(NotComputed("third time point", true));
    }

    points.push_back(SignPoint(
        "ninth-lord point",
        NinthLordSign(in.InduStartSign, in.InduKalaFromLagna, in.InduKalaFromMoon), markerLabels));

    if (haveSunrise) {
        // Whole degrees of the second time point, as it was marked.
        const double h = std::floor(points[1].longitude);
        points.push_back(
            LongitudePoint("parity point", ParityPoint(in.AscendantDegree, h), markerLabels));
    } else {
        points.push_back(NotComputed("parity point", true));
    }

    points.push_back(ChartTextPoint("Moon", in.MoonChartText, in.MoonLongitude, markerLabels));
    if (haveSunrise) {
        points.push_back(ChartTextPoint("Sun at sunrise", in.SunriseSunText,
                                        *in.SunriseSunLongitude, markerLabels));
    } else {
        points.push_back(NotComputed("Sun at sunrise", false));
    }

    const double nakshatraPoint =
        (in.MoonLongitude - in.MoonNakshatraStart) * 3 / 40 * 360 + in.AscendantSidereal;
    points.push_back(
        LongitudePoint("nakshatra point", ReduceAbove360(nakshatraPoint), markerLabels));

    if (haveSunrise) {
        points.push_back(SignPoint("vighati point",
                                   VighatiSign(*in.SecondsFromSunrise, *in.SunriseSunLongitude),
                                   markerLabels));
    } else {
        points.push_back(NotComputed("vighati point", false));
    }
    return points;
}

SpecialPointInputs BirthPointInputs(const ChartValues& chart, const std::string& moonChartText,
                                    const ArudhaState& arudha) {
    SpecialPointInputs in;
    in.AscendantDegree = chart.ascendantDegree;
    in.AscendantSidereal = chart.ascendantSidereal;
    in.MoonLongitude = chart.moonLongitude;
    in.MoonNakshatraStart = chart.moonNakshatraStart;
    in.MoonChartText = moonChartText;
    in.InduStartSign = arudha.InduStartSign;
    in.InduKalaFromLagna = arudha.InduKalaFromLagna;
    in.InduKalaFromMoon = arudha.InduKalaFromMoon;
    return in;
}

SunrisePoints ComputeSunrisePoints(const BirthRecord& birth, double ayanamsa, SpecialPointInputs in,
                                   std::array<std::string, 12>& markerLabels) {
    SunrisePoints result;
    result.reference = FindSunriseReference(birth);

    if (result.reference.sunrise) {
        result.sunriseSun = ComputeSunriseSun(birth, ayanamsa, *result.reference.sunrise,
                                              result.reference.sunriseIncludesSummerHour);

        in.MinutesFromSunrise = result.reference.minutesFromSunrise;
        in.SecondsFromSunrise = result.reference.secondsFromSunrise;
        in.SunriseSunLongitude = result.sunriseSun->Longitude;
        in.SunriseSunText = result.sunriseSun->Text;
    }

    result.points = MarkSpecialPoints(in, markerLabels);
    return result;
}

} // namespace selmarind
