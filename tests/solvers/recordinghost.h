// A job host for tests: integrates for real (or takes a height from a formula), records
// every integration, pause and text in order, never sleeps, and can cancel or stop a job
// at a chosen moment.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "flight/parameters.h"
#include "flight/trajectory.h"
#include "solvers/jobhost.h"

namespace tarvenix::testing {

struct HostEvent {
    enum class Kind { integration, pause, text };
    Kind kind = Kind::integration;
    // integration: the parameters it ran with and the height it left
    double winkel = 0.0;
    std::int32_t distance = 0;
    float v0 = 0.0f;
    double cw = 0.0;
    double height = 0.0;
    // pause
    int milliseconds = 0;
    // text
    JobField field = JobField::winkelField;
    std::string text;
};

class RecordingHost : public JobHost {
  public:
    RecordingHost();

    ParameterSet params;
    FlightResults results;
    TrajectoryList trajectory;
    std::atomic<std::int32_t> cancelFlag{0};
    JobContext context() { return JobContext{params, results, cancelFlag, *this}; }

    // Replaces the integration: the height at the target distance as a function of the
    // parameter set, for heights the integrator cannot be made to give exactly.
    std::function<double(const ParameterSet&)> heightModel;
    // Called after the n-th integration and at the n-th pause (both counted from 1), for
    // instance to raise the cancel flag or to throw JobStopped.
    std::function<void(RecordingHost&, int)> afterIntegration;
    std::function<void(RecordingHost&, int)> atPause;
    // A job that would run away fails its test instead of hanging it.
    int integrationLimit = 100'000;

    void computeTrajectory() override;
    void pause(int milliseconds) override;
    void showText(JobField field, std::string text) override;

    std::vector<HostEvent> events;
    int integrations = 0;
    int pauses = 0;

    std::vector<HostEvent> integrationEvents() const;
    std::vector<int> pauseLengths() const;
    std::vector<std::string> textsOf(JobField field) const;
    // Every text in order, as "field=text" with the field's name.
    std::vector<std::string> allTexts() const;
};

const char* fieldName(JobField field);

}  // namespace tarvenix::testing
