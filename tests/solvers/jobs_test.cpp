// What all four jobs share: a host that stops them on closing unwinds them at once.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "recordinghost.h"
#include "solvers/jobs.h"

namespace tarvenix {
namespace {

using testing::RecordingHost;

TEST(Jobs, JobStoppedFromTheHostUnwindsEveryJob) {
    const JobInputs inputs{"1000", "30", "40", "50", "52"};
    const std::pair<const char*, std::function<void(JobContext&)>> jobs[] = {
        {"Winkel", [](JobContext& ctx) { runLaunchAngleJob(ctx); }},
        {"Visier", [&](JobContext& ctx) { runSightTable(ctx, inputs); }},
        {"V0", [&](JobContext& ctx) { runV0Solve(ctx, inputs); }},
        {"CW", [&](JobContext& ctx) { runCwSolve(ctx, inputs); }},
    };
    for (const auto& [name, job] : jobs) {
        for (bool inPause : {false, true}) {
            SCOPED_TRACE(std::string(name) + (inPause ? " pause" : " integration"));
            RecordingHost host;
            host.params.dt = 0.001;
            host.params.Distance = 30;
            host.params.Winkel = 3.0;  // a few steps from the angle for 30 m
            host.computeTrajectory();
            host.events.clear();
            host.integrations = 0;
            if (inPause) {
                host.atPause = [](RecordingHost&, int n) {
                    if (n == 2)
                        throw JobStopped{};
                };
            } else {
                host.afterIntegration = [](RecordingHost&, int n) {
                    if (n == 3)
                        throw JobStopped{};
                };
            }
            JobContext ctx = host.context();
            EXPECT_THROW(job(ctx), JobStopped);
            // Nothing ran after the host said stop.
            EXPECT_EQ(host.events.back().kind, inPause ? testing::HostEvent::Kind::pause
                                                       : testing::HostEvent::Kind::integration);
            EXPECT_EQ(inPause ? host.pauses : host.integrations, inPause ? 2 : 3);
        }
    }
}

}  // namespace
}  // namespace tarvenix
