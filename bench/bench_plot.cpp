// Benchmarks of the plot drawing on a plain pixel buffer.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string_view>
#include <vector>

#include "flight/parameters.h"
#include "flight/trajectory.h"
#include "plot/plot.h"
#include "plot/rastersurface.h"

namespace {

// Shapes into the buffer; text costs nothing, so the figure is the plot's own work.
class RasterOnlySurface : public tarvenix::RasterSurface {
  public:
    using RasterSurface::RasterSurface;
    void text(int, int, std::string_view, tarvenix::Colour, tarvenix::Colour) override {}
    int textWidth(std::string_view utf8) override { return 6 * static_cast<int>(utf8.size()); }
    void usePlotFont() override {}
};

// One drawing of the default trajectory (16,220 points) into the 1014 x 200 canvas of a
// 1024 x 768 screen.
void BM_renderPlotRaster(benchmark::State& state) {
    const tarvenix::ParameterSet params = tarvenix::defaultParameterSet();
    tarvenix::TrajectoryList list;
    tarvenix::FlightResults results;
    const tarvenix::TrajectorySummary summary =
        tarvenix::integrateTrajectory(params, list, results);
    const tarvenix::PlotGeometry geometry{1014, 200, 1.0f, 1.0f};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(geometry.canvasWidth) *
                                      geometry.canvasHeight);
    RasterOnlySurface surface(
        {pixels.data(), geometry.canvasWidth, geometry.canvasHeight, geometry.canvasWidth});
    for (auto _ : state) {
        tarvenix::ResultLines lines = tarvenix::renderPlot(
            summary, list, results.flightPathLength, params.V0, params.Distance, geometry, surface);
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(pixels.data());
        benchmark::ClobberMemory();
    }
    state.counters["points"] = static_cast<double>(list.size());
}
BENCHMARK(BM_renderPlotRaster)->Unit(benchmark::kMicrosecond);

}  // namespace
