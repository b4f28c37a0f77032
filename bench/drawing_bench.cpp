// Time to lay out one chart in each style (every cell's texts fitted) and
// to draw and write the whole SVG document, points and legend included.
#include "chart/chart_driver.h"
#include "drawing/svg_writer.h"
#include "support/sample_entries.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace {

using namespace selmarind;

const ChartResult& SampleChart() {
    static const ChartResult chart = [] {
        ChartOrFailure result = CalculateChart(Delhi1980Entries());
        if (!result) {
            throw std::runtime_error("the sample chart failed");
        }
        return *std::move(result);
    }();
    return chart;
}

// range(0): the style, 0 south, 1 north, 2 east.
void BM_DrawChart(benchmark::State& state) {
    const ChartContents contents = ContentsOfChart(SampleChart(), true);
    const auto style = kChartStyles[static_cast<std::size_t>(state.range(0))];
    const EstimatedTextMeasure measure;
    for (auto _ : state) {
        ChartDrawing drawing = DrawChart(contents, style, DrawingSizes{}, measure);
        benchmark::DoNotOptimize(drawing);
    }
}
BENCHMARK(BM_DrawChart)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_ChartSvg(benchmark::State& state) {
    const ChartResult& chart = SampleChart();
    const auto style = kChartStyles[static_cast<std::size_t>(state.range(0))];
    for (auto _ : state) {
        std::string svg = ChartSvg(chart, style, true);
        benchmark::DoNotOptimize(svg);
    }
}
BENCHMARK(BM_ChartSvg)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
