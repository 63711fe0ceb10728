// Benchmarks of the flight model.
#include <benchmark/benchmark.h>

#include "flight/parameters.h"
#include "flight/trajectory.h"

namespace {

// One integration of the default parameter set (16,220 points), with the list's blocks
// already in place as they are after the program's first run.
void BM_integrateTrajectory(benchmark::State& state) {
    const tarvenix::ParameterSet params = tarvenix::defaultParameterSet();
    tarvenix::TrajectoryList list;
    tarvenix::FlightResults results;
    tarvenix::integrateTrajectory(params, list, results);
    for (auto _ : state) {
        tarvenix::TrajectorySummary summary = tarvenix::integrateTrajectory(params, list, results);
        benchmark::DoNotOptimize(summary);
        benchmark::DoNotOptimize(results);
    }
    state.counters["points"] = static_cast<double>(list.size());
}
BENCHMARK(BM_integrateTrajectory)->Unit(benchmark::kMicrosecond);

}  // namespace
