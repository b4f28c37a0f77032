// Compares the classic and the precise position sources over a fixed sample
// of births and prints, as a Markdown table, how often they disagree: each
// body's sign, each retrograde mark, the ascendant's sign and the Torvi
// Lagna, with the largest difference of each longitude in minutes of arc.
//
//   source_comparison [COUNT]        (default 5000 births, 1901 to 2050)
//
// The sample is the same on every run: a fixed seed draws the date, the
// clock time, a place between 60 S and 60 N and a zone near its longitude.
#include "chart/chart_driver.h"
#include "engine/name_tables.h"
#include "input/time_zones.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>

using namespace selmarind;

namespace {

// The list entry whose correction is nearest the place's mean solar time.
int ZoneNear(double longitudeEastDeg) {
    const double correctionHours = -longitudeEastDeg / 15;
    int best = kGreenwichZoneIndex;
    double bestGap = 1e9;
    const auto& zones = TimeZoneList();
    for (int i = 0; i < kTimeZoneCount; ++i) {
        const auto& z = zones[static_cast<std::size_t>(i)];
        const double gap = std::fabs(z.hours + z.minutes / 60.0 - correctionHours);
        if (gap < bestGap) {
            bestGap = gap;
            best = i;
        }
    }
    return best;
}

BirthEntries Draw(std::mt19937& random) {
    std::uniform_int_distribution<int> year(1901, 2050), month(0, 11), day(1, 28), hour(0, 23),
        minute(0, 59), latitude(0, 59), longitude(0, 179), arcMinute(0, 59), coin(0, 1);
    BirthEntries e;
    e.txtName = "SAMPLE";
    e.cboYear = std::to_string(year(random));
    e.cboMonthIndex = month(random);
    e.cboDate = std::to_string(day(random));
    e.cboHH = std::to_string(hour(random));
    e.cboMM = std::to_string(minute(random));
    e.txtLatD = std::to_string(latitude(random));
    e.txtLatM = std::to_string(arcMinute(random));
    e.optLatSouth = coin(random) == 1;
    const int lonD = longitude(random);
    const int lonM = arcMinute(random);
    e.txtLonD = std::to_string(lonD);
    e.txtLonM = std::to_string(lonM);
    e.optLongEast = coin(random) == 1;
    const double east = (lonD + lonM / 60.0) * (e.optLongEast ? 1 : -1);
    e.cmbTimeZoneIndex = ZoneNear(east);
    return e;
}

double ArcMinutes(double a, double b) {
    const double d = std::fmod(a - b + 540.0, 360.0) - 180.0;
    return std::fabs(d) * 60;
}

int SignOf(double longitude) {
    return static_cast<int>(std::floor(longitude / 30)) % 12;
}

} // namespace

int main(int argc, char** argv) {
    const int count = argc > 1 ? std::atoi(argv[1]) : 5000;
    if (count <= 0) {
        std::fprintf(stderr, "usage: source_comparison [COUNT]\n");
        return 2;
    }
    std::mt19937 random(20261208);
    std::array<int, 10> signDiffers{};
    std::array<double, 10> largest{};
    std::array<double, 10> total{};
    std::array<int, 5> markDiffers{};
    int torviDiffers = 0;
    int anyBodySign = 0;
    int charts = 0;
    for (int i = 0; i < count; ++i) {
        const BirthEntries e = Draw(random);
        const auto classic = CalculateChart(e);
        const auto precise =
            CalculateChart(e, {PositionSource::Precise, SunriseConvention::Limb, {}});
        if (!classic || !precise) {
            continue;
        }
        ++charts;
        bool anySign = false;
        for (std::size_t b = 0; b < 10; ++b) {
            const double c = classic->chart.longitude[b];
            const double p = precise->chart.longitude[b];
            const double gap = ArcMinutes(c, p);
            largest[b] = std::max(largest[b], gap);
            total[b] += gap;
            if (SignOf(c) != SignOf(p)) {
                ++signDiffers[b];
                anySign = anySign || b < 9;
            }
        }
        anyBodySign += anySign ? 1 : 0;
        for (std::size_t p = 0; p < 5; ++p) {
            if (classic->chart.retrogradeFlags[p] != precise->chart.retrogradeFlags[p]) {
                ++markDiffers[p];
            }
        }
        if (classic->chart.torviLagnaSign != precise->chart.torviLagnaSign) {
            ++torviDiffers;
        }
    }
    const auto percent = [charts](int n) { return charts ? 100.0 * n / charts : 0.0; };
    std::printf("Classic against precise positions, %d births 1901-2050 (fixed sample)\n\n",
                charts);
    std::printf("| Body | Sign differs | Retrograde mark differs | Mean difference | Largest "
                "difference |\n|---|---|---|---|---|\n");
    for (std::size_t b = 0; b < 10; ++b) {
        const std::string_view name = b == 9 ? std::string_view("Ascendant") : kBodyNames[b];
        std::string mark = "-";
        if (b >= 2 && b <= 6) {
            char buffer[32];
            std::snprintf(buffer, sizeof buffer, "%.2f %%", percent(markDiffers[b - 2]));
            mark = buffer;
        }
        std::printf("| %.*s | %.2f %% | %s | %.1f' | %.1f' |\n", static_cast<int>(name.size()),
                    name.data(), percent(signDiffers[b]), mark.c_str(),
                    charts ? total[b] / charts : 0.0, largest[b]);
    }
    std::printf("\nSome body (not the ascendant) in another sign: %.2f %% of charts.\n",
                percent(anyBodySign));
    std::printf("Torvi Lagna in another sign: %.2f %% of charts.\n", percent(torviDiffers));
    return 0;
}
