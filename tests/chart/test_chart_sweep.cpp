// Every birth the form accepts gives a finished chart: a sweep over the
// whole input space, extremes included, checking the result's invariants.
#include "chart/chart_driver.h"
#include "chart/name_tables.h"
#include "engine/civil_time.h"
#include "input/time_zones.h"
#include "support/sample_entries.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

using namespace selmarind;

namespace {

bool IsChartText(const std::string& text) {
    if (text.size() != 9 || text[2] != ' ' || text[6] != ' ') {
        return false;
    }
    for (std::size_t i : {0u, 1u, 7u, 8u}) {
        if (text[i] < '0' || text[i] > '9') {
            return false;
        }
    }
    const int degrees = std::stoi(text.substr(0, 2));
    const int minutes = std::stoi(text.substr(7, 2));
    const std::string_view sign = std::string_view(text).substr(3, 3);
    return degrees < 30 && minutes < 60 &&
           std::find(kSignAbbrevs.begin(), kSignAbbrevs.end(), sign) != kSignAbbrevs.end();
}

int Count(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++n;
    }
    return n;
}

// Checks what every finished chart must hold; returns the first fault.
QString Fault(const ChartResult& r) {
    const ResultFormTexts& f = r.form;
    int bodies = 0;
    int torviMarks = 0;
    for (int i = 0; i < 10; ++i) {
        if (!IsChartText(f.planet[i])) {
            return QString("planet %1 reads '%2'").arg(i).arg(QString::fromStdString(f.planet[i]));
        }
        if (!std::isfinite(r.chart.longitude[i]) || r.chart.longitude[i] < 0 ||
            r.chart.longitude[i] >= 360) {
            return QString("longitude %1 is %2").arg(i).arg(r.chart.longitude[i]);
        }
    }
    for (int s = 0; s < 12; ++s) {
        bodies += Count(f.signCells[s], "\r\n");
        torviMarks += Count(f.lblArudha[s], "TL");
    }
    if (bodies != 10) {
        return QString("%1 bodies in the cells").arg(bodies);
    }
    if (torviMarks != 1) {
        return QString("%1 TL markers").arg(torviMarks);
    }
    if (r.chart.TorviLagnaHouse < 1 || r.chart.TorviLagnaHouse > 12 || f.lblHoraDesc.empty()) {
        return QString("house %1").arg(r.chart.TorviLagnaHouse);
    }
    for (const std::string& attribute : f.attributes) {
        if (attribute.empty()) {
            return "an empty attribute";
        }
    }
    for (const SpecialPoint& p : r.chart.specialPoints) {
        if (p.computed && !p.signIndex) {
            return QString("%1 marks no sign").arg(QString::fromStdString(p.name));
        }
        if (p.computed && p.isLongitude && !IsChartText(p.chartText)) {
            return QString("%1 reads '%2'")
                .arg(QString::fromStdString(p.name), QString::fromStdString(p.chartText));
        }
    }
    if (r.chart.SunriseToday && r.chart.SunsetToday && r.chart.SunrisePrevDay &&
        r.chart.SunriseNextDay && !r.chart.SunriseSunLongitude) {
        return "every sunrise exists but the Sun at sunrise was not computed";
    }
    return {};
}

BirthEntries Entries(std::mt19937& random) {
    const auto pick = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    const int year = pick(1901, 2050);
    const int month = pick(1, 12);
    const int day = pick(1, DaysInMonth(year, month));
    BirthEntries e = FormEntries(
        year, month, day, pick(0, 23), pick(0, 59), pick(0, 59),
        std::to_string(pick(0, 89)).c_str(), std::to_string(pick(0, 59)).c_str(), pick(0, 1) == 1,
        std::to_string(pick(0, 179)).c_str(), std::to_string(pick(0, 59)).c_str(), pick(0, 1) == 1,
        pick(0, kTimeZoneCount - 1), pick(0, 1) == 1);
    return e;
}

QString Describe(const BirthEntries& e) {
    return QString("%1-%2-%3 %4:%5:%6 lat %7%8%9 lon %10%11%12 zone %13 dst %14")
        .arg(QString::fromStdString(e.cboYear))
        .arg(e.cboMonthIndex + 1)
        .arg(QString::fromStdString(e.cboDate), QString::fromStdString(e.cboHH),
             QString::fromStdString(e.cboMM), QString::fromStdString(e.cboSS),
             QString::fromStdString(e.txtLatD), e.optLatSouth ? "S" : "N",
             QString::fromStdString(e.txtLatM))
        .arg(QString::fromStdString(e.txtLonD), e.optLongEast ? "E" : "W",
             QString::fromStdString(e.txtLonM))
        .arg(e.cmbTimeZoneIndex)
        .arg(e.chkDST);
}

void Check(const BirthEntries& e) {
    const std::optional<ChartResult> result = CalculateChart(e);
    QVERIFY2(result, qPrintable("no chart for " + Describe(e)));
    const QString fault = Fault(*result);
    QVERIFY2(fault.isEmpty(), qPrintable(fault + " for " + Describe(e)));
}

} // namespace

class TestChartSweep : public QObject {
    Q_OBJECT

private slots:
    // Random births over every year, zone, place and time the form offers.
    void randomBirthsGiveFinishedCharts() {
        std::mt19937 random(20261208);
        for (int i = 0; i < 3000; ++i) {
            Check(Entries(random));
            if (QTest::currentTestFailed()) {
                return;
            }
        }
    }

    // The corners of the input space: the first and last instants offered,
    // the poles at both solstices and the date line on the extreme zones.
    void extremeBirthsGiveFinishedCharts() {
        const int westmost = 36; // Int'l Date Line West, 12 h behind
        const int eastmost = 46; // New Zealand Std Summer Time, 13 h ahead
        for (bool south : {false, true}) {
            for (bool east : {false, true}) {
                for (bool dst : {false, true}) {
                    for (int zone : {westmost, eastmost, kGreenwichZoneIndex}) {
                        Check(FormEntries(1901, 1, 1, 0, 0, 0, "89", "59", south, "179", "59", east,
                                          zone, dst));
                        Check(FormEntries(2050, 12, 31, 23, 59, 59, "89", "59", south, "179", "59",
                                          east, zone, dst));
                        Check(FormEntries(1990, 6, 21, 12, 0, 0, "89", "59", south, "0", "0", east,
                                          zone, dst));
                        Check(FormEntries(1990, 12, 21, 0, 0, 0, "66", "33", south, "0", "0", east,
                                          zone, dst));
                        Check(FormEntries(2000, 2, 29, 12, 0, 0, "0", "0", south, "0", "0", east,
                                          zone, dst));
                    }
                }
            }
        }
    }
};

QTEST_APPLESS_MAIN(TestChartSweep)
#include "test_chart_sweep.moc"
