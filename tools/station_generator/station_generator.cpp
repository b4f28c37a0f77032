// Writes the engine's built-in station tables (src/engine/station_tables.cpp)
// from the Swiss Ephemeris.
//
//   station_generator [--ephe-path DIR] OUTPUT      (OUTPUT "-" writes to stdout)
//
// A station is an instant at which a planet's geocentric tropical ecliptic
// longitude speed changes sign: from positive to negative at the retrograde
// station, from negative to positive at the direct station. The speed comes
// from swe_calc_ut (SEFLG_SPEED | SEFLG_NOABERR, universal time), using the
// ephemeris data files where they are found and the built-in Moshier
// ephemeris otherwise. Each zero is bracketed by a daily scan and refined by
// bisection, then rounded to the minute. A period is a retrograde station with
// the direct station that follows it; a planet's table keeps the periods whose
// retrograde station falls in the years 1900 to 2050.
//
// The reference rows in kReferenceRows replace the computed period with the
// same calendar dates, text for text; the generator fails when one of them has
// no such period, or when a planet's count differs from the expected one.

#include "engine/civil_time.h"

#include <swephexp.h>

#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using selmarind::CivilDateTime;

namespace {

struct Planet {
    std::string_view name;   // as in kRetrogradePlanets
    std::string_view symbol; // name of the array in the generated file
    int sweBody;             // Swiss Ephemeris body number
    std::size_t expectedRows;
};

constexpr std::array<Planet, 5> kPlanets = {{
    {"Mercury", "kMercury", SE_MERCURY, 476},
    {"Venus", "kVenus", SE_VENUS, 95},
    {"Mars", "kMars", SE_MARS, 71},
    {"Jupiter", "kJupiter", SE_JUPITER, 139},
    {"Saturn", "kSaturn", SE_SATURN, 146},
}};

constexpr int kFirstYear = 1900; // retrograde stations kept: kFirstYear..kLastYear, UT
constexpr int kLastYear = 2050;

// Reference periods, row text "month,day,year,hour,minute," in UT. They agree
// with the ephemeris on every calendar date but differ from it by minutes
// (the second Mercury period's start and the second Saturn period's end by
// twelve hours: hour 0 where the ephemeris gives 12); their text is kept.
struct ReferenceRow {
    std::string_view planet;
    std::string_view start;
    std::string_view end;
};

constexpr std::array<ReferenceRow, 20> kReferenceRows = {{
    {"Mercury", "3,15,1900,13,19,", "4,7,1900,18,42,"},
    {"Mercury", "7,18,1900,0,53,", "8,11,1900,14,59,"},
    {"Mercury", "2,26,1980,1,22,", "3,19,1980,13,59,"},
    {"Mercury", "12,1,2050,17,17,", "12,21,2050,11,33,"},
    {"Venus", "6,16,1900,22,56,", "7,30,1900,2,44,"},
    {"Venus", "1,25,1902,3,30,", "3,7,1902,13,41,"},
    {"Venus", "5,24,1980,20,2,", "7,6,1980,21,55,"},
    {"Venus", "9,25,2050,22,15,", "11,6,2050,19,4,"},
    {"Mars", "1,13,1901,6,16,", "4,4,1901,7,21,"},
    {"Mars", "2,18,1903,14,29,", "5,9,1903,16,14,"},
    {"Mars", "1,16,1980,6,22,", "4,6,1980,7,59,"},
    {"Mars", "7,15,2050,5,50,", "9,13,2050,9,41,"},
    {"Jupiter", "3,27,1900,20,39,", "7,29,1900,1,35,"},
    {"Jupiter", "4,30,1901,20,16,", "8,30,1901,20,59,"},
    {"Jupiter", "12,26,1979,14,59,", "4,26,1980,8,21,"},
    {"Jupiter", "12,21,2050,13,21,", "4,21,2051,23,46,"},
    {"Saturn", "4,14,1900,6,2,", "9,2,1900,14,39,"},
    {"Saturn", "4,26,1901,3,57,", "9,14,1901,0,9,"},
    {"Saturn", "1,6,1980,21,1,", "5,22,1980,10,51,"},
    {"Saturn", "5,18,2050,13,6,", "10,6,2050,11,5,"},
}};

constexpr double kJulianDayOfSerialZero = 2415018.5; // 30 December 1899 00:00 UT

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct Station {
    CivilDateTime ut; // rounded to the minute
    bool retrograde;  // true: speed turns negative; false: it turns positive
};

struct Period {
    CivilDateTime start;
    CivilDateTime end;
};

class Ephemeris {
public:
    explicit Ephemeris(const char* ephePath) {
        if (ephePath != nullptr) {
            swe_set_ephe_path(ephePath);
        }
        // The library quietly falls back to Moshier when a data file is
        // missing; probe once and hold every later call to the same choice.
        double xx[6];
        char error[AS_MAXCH] = "";
        const int32 used = swe_calc_ut(kJulianDayOfSerialZero, SE_SATURN,
                                       SEFLG_SWIEPH | SEFLG_SPEED | SEFLG_NOABERR, xx, error);
        flags_ = ((used >= 0 && (used & SEFLG_SWIEPH) != 0) ? SEFLG_SWIEPH : SEFLG_MOSEPH) |
                 SEFLG_SPEED | SEFLG_NOABERR;
    }
    ~Ephemeris() { swe_close(); }
    Ephemeris(const Ephemeris&) = delete;
    Ephemeris& operator=(const Ephemeris&) = delete;

    bool usesDataFiles() const { return (flags_ & SEFLG_SWIEPH) != 0; }

    // Geocentric tropical ecliptic longitude speed, degrees per day.
    double longitudeSpeed(int body, double julianDayUt) const {
        double xx[6];
        char error[AS_MAXCH] = "";
        const int32 used = swe_calc_ut(julianDayUt, body, flags_, xx, error);
        if (used < 0) {
            throw Failure("swe_calc_ut failed: " + std::string(error));
        }
        if ((used & kEphemerisBits) != (flags_ & kEphemerisBits)) {
            throw Failure("ephemeris changed during the run: " + std::string(error));
        }
        return xx[3];
    }

private:
    static constexpr int32 kEphemerisBits = SEFLG_JPLEPH | SEFLG_SWIEPH | SEFLG_MOSEPH;
    int32 flags_ = 0;
};

CivilDateTime RoundToMinute(double julianDayUt) {
    const auto minutes = static_cast<std::int64_t>(
        std::floor((julianDayUt - kJulianDayOfSerialZero) * 1440.0 + 0.5));
    return selmarind::CivilFromSerialSeconds(minutes * 60);
}

double JulianDayUt(int year, int month, int day) {
    return kJulianDayOfSerialZero + static_cast<double>(selmarind::SerialDay({year, month, day}));
}

// Every station of the body between the two dates, in order.
std::vector<Station> FindStations(const Ephemeris& ephemeris, int body, double fromJd,
                                  double toJd) {
    std::vector<Station> stations;
    double previousJd = fromJd;
    double previousSpeed = ephemeris.longitudeSpeed(body, previousJd);
    for (double jd = fromJd + 1.0; jd <= toJd; jd += 1.0) {
        const double speed = ephemeris.longitudeSpeed(body, jd);
        if ((previousSpeed > 0.0) != (speed > 0.0)) {
            const bool retrograde = previousSpeed > 0.0;
            double lo = previousJd;
            double hi = jd;
            // 40 halvings of a day leave under 0.1 ms.
            for (int i = 0; i < 40; ++i) {
                const double mid = 0.5 * (lo + hi);
                if ((ephemeris.longitudeSpeed(body, mid) > 0.0) == retrograde) {
                    lo = mid;
                } else {
                    hi = mid;
                }
            }
            stations.push_back({RoundToMinute(0.5 * (lo + hi)), retrograde});
        }
        previousJd = jd;
        previousSpeed = speed;
    }
    return stations;
}

std::vector<Period> PairPeriods(const std::vector<Station>& stations, std::string_view planet) {
    std::vector<Period> periods;
    for (std::size_t i = 0; i < stations.size(); ++i) {
        const Station& s = stations[i];
        if (!s.retrograde || s.ut.year < kFirstYear || s.ut.year > kLastYear) {
            continue;
        }
        if (i + 1 >= stations.size() || stations[i + 1].retrograde) {
            throw Failure(std::string(planet) + ": retrograde station without a direct station");
        }
        periods.push_back({s.ut, stations[i + 1].ut});
    }
    return periods;
}

// Parses "month,day,year,hour,minute," strictly.
CivilDateTime ParseRow(std::string_view text) {
    std::array<int, 5> fields{};
    std::size_t pos = 0;
    for (int& field : fields) {
        const std::size_t comma = text.find(',', pos);
        if (comma == std::string_view::npos || comma == pos || comma - pos > 4) {
            throw Failure("malformed row \"" + std::string(text) + "\"");
        }
        field = 0;
        for (std::size_t k = pos; k < comma; ++k) {
            if (text[k] < '0' || text[k] > '9') {
                throw Failure("malformed row \"" + std::string(text) + "\"");
            }
            field = field * 10 + (text[k] - '0');
        }
        pos = comma + 1;
    }
    const CivilDateTime t{fields[2], fields[0], fields[1], fields[3], fields[4], 0};
    if (pos != text.size() || !selmarind::IsValidCivilDate(t.year, t.month, t.day) || t.hour > 23 ||
        t.minute > 59) {
        throw Failure("malformed row \"" + std::string(text) + "\"");
    }
    return t;
}

void ApplyReferenceRows(std::vector<Period>& periods, std::string_view planet) {
    for (const ReferenceRow& row : kReferenceRows) {
        if (row.planet != planet) {
            continue;
        }
        const Period given{ParseRow(row.start), ParseRow(row.end)};
        bool matched = false;
        for (Period& p : periods) {
            if (p.start.date() == given.start.date() && p.end.date() == given.end.date()) {
                p = given;
                matched = true;
                break;
            }
        }
        if (!matched) {
            throw Failure(std::string(planet) + ": no computed period has the dates of \"" +
                          std::string(row.start) + "\" -> \"" + std::string(row.end) + "\"");
        }
    }
}

void WriteDateTime(std::ostream& out, const CivilDateTime& t) {
    out << '{' << t.year << ", " << t.month << ", " << t.day << ", " << t.hour << ", " << t.minute
        << '}';
}

std::string Render(const std::vector<std::vector<Period>>& tables, bool dataFiles) {
    std::ostringstream out;
    out << "// Generated by tools/station_generator (\"station_generator OUTPUT\" or the "
           "update_station_tables target); do not edit by hand.\n"
        << "// Per planet, the retrograde periods whose retrograde station falls in " << kFirstYear
        << ".." << kLastYear << " (UT):\n"
        << "// the retrograde station, then the next direct station, UT rounded to the minute. "
           "Stations are\n"
        << "// the sign changes of the geocentric tropical longitude speed from the Swiss "
           "Ephemeris\n"
        << "// (" << (dataFiles ? "data files" : "built-in Moshier ephemeris")
        << "); the reference rows listed in the generator replace the computed periods\n"
        << "// with the same dates.\n"
        << "#include \"engine/station_tables.h\"\n\n"
        << "namespace selmarind {\n\nnamespace {\n";
    for (std::size_t p = 0; p < kPlanets.size(); ++p) {
        out << "\nconstexpr StationPeriod " << kPlanets[p].symbol << "[] = {\n";
        for (const Period& period : tables[p]) {
            out << "    {";
            WriteDateTime(out, period.start);
            out << ", ";
            WriteDateTime(out, period.end);
            out << "},\n";
        }
        out << "};\n";
    }
    out << "\n} // namespace\n\n"
        << "const std::array<std::span<const StationPeriod>, kRetrogradePlanets.size()> "
           "kStationTables = {\n    ";
    for (std::size_t p = 0; p < kPlanets.size(); ++p) {
        out << kPlanets[p].symbol << (p + 1 < kPlanets.size() ? ", " : "};\n");
    }
    out << "\n} // namespace selmarind\n";
    return out.str();
}

int Run(int argc, char** argv) {
    std::string ephePath;
#ifdef SELMARIND_SWE_EPHE_DIR
    ephePath = SELMARIND_SWE_EPHE_DIR;
#endif
    std::string output;
    bool usage = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--ephe-path" && i + 1 < argc) {
            ephePath = argv[++i];
        } else if (output.empty() && !arg.starts_with("--")) {
            output = arg;
        } else {
            usage = true;
        }
    }
    if (usage || output.empty()) {
        std::cerr << "usage: station_generator [--ephe-path DIR] OUTPUT   (OUTPUT - for stdout)\n";
        return 2;
    }

    const auto started = std::chrono::steady_clock::now();
    const Ephemeris ephemeris(ephePath.empty() ? nullptr : ephePath.c_str());
    // Scan from a year before the first kept station to a year after the last
    // one, so every kept retrograde station has its direct station.
    const double fromJd = JulianDayUt(kFirstYear - 1, 1, 1);
    const double toJd = JulianDayUt(kLastYear + 2, 1, 1);

    std::vector<std::vector<Period>> tables;
    for (const Planet& planet : kPlanets) {
        std::vector<Period> periods =
            PairPeriods(FindStations(ephemeris, planet.sweBody, fromJd, toJd), planet.name);
        if (periods.size() != planet.expectedRows) {
            throw Failure(std::string(planet.name) + ": " + std::to_string(periods.size()) +
                          " periods, expected " + std::to_string(planet.expectedRows));
        }
        ApplyReferenceRows(periods, planet.name);
        tables.push_back(std::move(periods));
    }
    const std::string text = Render(tables, ephemeris.usesDataFiles());

    if (output == "-") {
        std::cout << text;
    } else {
        std::ofstream file(output, std::ios::binary | std::ios::trunc);
        file << text;
        file.close();
        if (!file) {
            throw Failure("cannot write " + output);
        }
    }
    const auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started);
    std::cerr << "station_generator: "
              << (ephemeris.usesDataFiles() ? "Swiss Ephemeris data files" : "Moshier ephemeris")
              << " (path " << (ephePath.empty() ? "library default" : ephePath) << "), "
              << elapsed.count() << " s\n";
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "station_generator: " << e.what() << '\n';
        return 1;
    }
}
