#include "engine/planets.h"

#include "engine/ascendant.h"
#include "engine/chart_text.h"
#include "engine/time_conventions.h"

#include <cmath>
#include <limits>

namespace selmarind {

namespace {

constexpr double kPi = 3.14159265358979;
constexpr double kTwoPi = 6.28318530717958;

// One row of the element table: value at J2000.0 and rate per Julian
// century. a in AU and AU/cy; e plain; angles in degrees with rates in
// arcseconds per century.
struct ElementRow {
    double a, aRate;
    double e, eRate;
    double i, iRate;
    double node, nodeRate;
    double peri, periRate;
    double L, LRate;
};

// Approximate Keplerian elements of the major planets, mean ecliptic and
// equinox of J2000 (JPL, E. M. Standish), indexed by PlanetIndex.
constexpr ElementRow kElements[6] = {
    {0.38709893, 0.00000066, 0.20563069, 0.00002527, 7.00487, -23.51, 48.33167, -446.30, 77.45645,
     573.57, 252.25084, 538101628.29},
    {0.72333199, 0.00000092, 0.00677323, -0.00004938, 3.39471, -2.86, 76.68069, -996.89, 131.53298,
     -108.80, 181.97973, 210664136.06},
    {1.00000011, -0.00000005, 0.01671022, -0.00003804, 0.00005, -46.94, -11.26064, -18228.25,
     102.94719, 1198.28, 100.46435, 129597740.63},
    {1.52366231, -0.00007221, 0.09341233, 0.00011902, 1.85061, -25.47, 49.57854, -1020.19,
     336.04084, 1560.78, 355.45332, 68905103.78},
    {5.20336301, 0.00060737, 0.04839266, -0.00012880, 1.30530, -4.15, 100.55615, 1217.17, 14.75385,
     839.93, 34.40438, 10925078.35},
    {9.53707032, -0.00301530, 0.05415060, -0.00036762, 2.48446, 6.11, 113.71504, -1591.05, 92.43194,
     -1948.89, 49.94432, 4401052.95},
};

// Mean node: degrees at d = 0 and degrees per day.
constexpr double kNodeAtEpochDeg = 125.1228;
constexpr double kNodeRateDegPerDay = 0.0529538083;

} // namespace

double DaysFromJ2000(const CivilDateTime& u) {
    const double y = u.year;
    const double m = u.month;
    return 367 * y - std::floor(7 * (y + std::floor((m + 9) / 12)) / 4) + std::floor(275 * m / 9) +
           u.day - 730531.5 + (u.hour + u.minute / 60.0) / 24;
}

double Reduce2Pi(double x) {
    double q = x / kTwoPi;
    q = q - std::trunc(q);
    double r = q * kTwoPi;
    if (r < 0) {
        r = r + kTwoPi;
    }
    return r;
}

// Newton steps on Kepler's equation before the last estimate is taken.
constexpr int kMaxKeplerSteps = 100;

double TrueAnomaly(double M, double e) {
    if (!(e >= 0 && e < 1)) {
        return std::numeric_limits<double>::quiet_NaN(); // no ellipse: Newton's method need not end
    }
    double E = M + e * std::sin(M) * (1 + e * std::cos(M));
    double E1 = 0;
    // Newton's method on Kepler's equation E - e sin E = M; the planets'
    // orbits settle in under ten steps, the cap only bounds a rounding cycle.
    int steps = 0;
    do {
        E1 = E;
        E = E1 - (E1 - e * std::sin(E1) - M) / (1 - e * std::cos(E1));
    } while (std::fabs(E - E1) > 1E-12 && ++steps < kMaxKeplerSteps);
    double nu = 2 * std::atan(std::sqrt((1 + e) / (1 - e)) * std::tan(E / 2));
    if (nu < 0) {
        nu = nu + kTwoPi;
    }
    return nu;
}

OrbitalElementSet OrbitalElements(int k, double d) {
    if (k < 0 || k > 5) {
        return {};
    }
    const ElementRow& row = kElements[k];
    const double t = d / kDaysPerJulianCentury;
    OrbitalElementSet el;
    el.a = row.a + row.aRate * t;
    el.e = row.e + row.eRate * t;
    el.i = (row.i + row.iRate * t / 3600) * kDegToRad;
    el.node = (row.node + row.nodeRate * t / 3600) * kDegToRad;
    el.peri = (row.peri + row.periRate * t / 3600) * kDegToRad;
    el.L = Reduce2Pi((row.L + row.LRate * t / 3600) * kDegToRad);
    return el;
}

EarthPosition EarthAt(double d) {
    const OrbitalElementSet earth = OrbitalElements(EarthMoon, d);
    const double mE = Reduce2Pi(earth.L - earth.peri);
    const double nuE = TrueAnomaly(mE, earth.e);
    const double rE = earth.a * (1 - earth.e * earth.e) / (1 + earth.e * std::cos(nuE));
    return {rE * std::cos(nuE + earth.peri), rE * std::sin(nuE + earth.peri)};
}

double GeocentricLongitude(int k, double d, const EarthPosition& earth) {
    // Seen from the Earth, the Sun is the origin of the heliocentric frame.
    double x = 0;
    double y = 0;
    if (k != EarthMoon) {
        const OrbitalElementSet body = OrbitalElements(k, d);
        const double m = Reduce2Pi(body.L - body.peri);
        const double nu = TrueAnomaly(m, body.e);
        const double r = body.a * (1 - body.e * body.e) / (1 + body.e * std::cos(nu));
        const double u = nu + body.peri - body.node;
        x = r * (std::cos(body.node) * std::cos(u) -
                 std::sin(body.node) * std::sin(u) * std::cos(body.i));
        y = r * (std::sin(body.node) * std::cos(u) +
                 std::cos(body.node) * std::sin(u) * std::cos(body.i));
    }

    double lambda = ArcTangent2(y - earth.y, x - earth.x) * 180 / kPi;
    while (lambda > 360) {
        lambda = lambda - 360;
    }
    while (lambda < 0) {
        lambda = lambda + 360;
    }
    return lambda;
}

namespace {

// Sidereal longitude of body k: the ayanamsa taken off and the result
// brought into [0, 360) for its text.
double SiderealLongitudeOf(int k, double d, const EarthPosition& earth, double ayanamsaMagnitude) {
    double sidereal = GeocentricLongitude(k, d, earth) - ayanamsaMagnitude;
    while (sidereal < 0) {
        sidereal = sidereal + 360;
    }
    return NormalizeForText(sidereal);
}

} // namespace

std::optional<PlanetIndex> TheoryIndexOf(Body body) {
    switch (body) {
    case Body::Sun:
        return EarthMoon;
    case Body::Mercury:
        return Mercury;
    case Body::Venus:
        return Venus;
    case Body::Mars:
        return Mars;
    case Body::Jupiter:
        return Jupiter;
    case Body::Saturn:
        return Saturn;
    default:
        return std::nullopt;
    }
}

SunriseSun ComputeSunriseSun(const BirthRecord& birth, double ayanamsa,
                             const CivilDateTime& sunriseLocal, bool includesSummerHour) {
    SunriseSun sun;
    // The sunrise is used to the whole minute; its seconds are dropped.
    CivilDateTime sunriseMinute = sunriseLocal;
    sunriseMinute.second = 0;
    sun.UniversalInstant = ToUniversal(sunriseMinute, birth.zone, includesSummerHour).Civil();
    const double d = DaysFromJ2000(sun.UniversalInstant);
    sun.DaysFromEpoch = d;
    sun.Longitude = SiderealLongitudeOf(EarthMoon, d, EarthAt(d), std::fabs(ayanamsa));
    sun.Text = ChartTextOfLongitude(sun.Longitude);
    return sun;
}

PlanetResult ComputePlanetPositions(const BirthRecord& birth, const PlanetInputs& inputs) {
    PlanetResult r;
    r.UniversalInstant = BirthUniversalTime(birth).civil;
    const double d = DaysFromJ2000(r.UniversalInstant);
    r.DaysFromEpoch = d;
    const double ayanamsaMagnitude = std::fabs(inputs.Ayanamsa);

    const EarthPosition earth = EarthAt(d);
    for (int k = 0; k < 6; ++k) {
        const double sidereal = SiderealLongitudeOf(k, d, earth, ayanamsaMagnitude);
        r.SiderealLongitude[k] = sidereal;
        r.PlanetDmsText[k] = FormatLongitude(sidereal);
    }

    // Mean ascending node; the node's radians-to-degrees factor uses pi = 3.1416.
    const double node =
        Reduce2Pi((kNodeAtEpochDeg - kNodeRateDegPerDay * d) * kDegToRad) * (180 / 3.1416);
    // This position source places Rahu one degree behind the mean node of
    // these elements: a fixed offset of the classic source, which a
    // precise source does not share.
    double rahu = node - 1;
    rahu = rahu - ayanamsaMagnitude;
    while (rahu < 0) {
        rahu = rahu + 360;
    }
    double ketu = rahu + 180;
    while (ketu > 360) {
        ketu = ketu - 360;
    }
    // Ketu of a Rahu at 180 is a full turn; read it as 0 Aries.
    r.RahuLongitude = NormalizeForText(rahu);
    r.KetuLongitude = NormalizeForText(ketu);
    r.RahuDmsText = FormatLongitude(r.RahuLongitude);
    r.KetuDmsText = FormatLongitude(r.KetuLongitude);

    // The chart text of each longitude is that of its text above.
    for (std::size_t i = 0; i < kBodyCount; ++i) {
        if (const auto k = TheoryIndexOf(static_cast<Body>(i))) {
            r.BodyPositionText[i] = ChartTextOfLongitude(r.SiderealLongitude[*k]);
        }
    }
    r.BodyPositionText[Index(Body::Moon)] = ToChartText(inputs.MoonPositionText);
    r.BodyPositionText[Index(Body::Rahu)] = ChartTextOfLongitude(r.RahuLongitude);
    r.BodyPositionText[Index(Body::Ketu)] = ChartTextOfLongitude(r.KetuLongitude);
    r.BodyPositionText[Index(Body::Ascendant)] = ToChartText(inputs.AscendantText);
    return r;
}

} // namespace selmarind
