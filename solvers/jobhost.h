// What a worker job needs from its surroundings. The window's host integrates, draws into
// a picture and posts texts to the GUI thread; tests record and do not sleep.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "flight/parameters.h"
#include "flight/trajectory.h"

namespace tarvenix {

// The fields and labels a job writes.
enum class JobField {
    winkelField,
    v0Field,
    cwField,
    differenzLabel,
    angleLabel18, angleLabel25, angleLabel30, angleLabel40,
    angleLabel50, angleLabel60, angleLabel70, angleLabel90,
    sightLabel18, sightLabel25, sightLabel30, sightLabel40,
    sightLabel50, sightLabel60, sightLabel70, sightLabel90,
};

// Thrown by a host's computeTrajectory or pause to unwind a job when the program closes.
struct JobStopped {};

class JobHost {
public:
    virtual ~JobHost() = default;
    // One integration from the shared parameter set, followed by its drawing.
    virtual void computeTrajectory() = 0;
    // Suspends the job for the given time.
    virtual void pause(int milliseconds) = 0;
    // Shows a text in one of the window's fields.
    virtual void showText(JobField field, std::string text) = 0;
};

// The texts of the fields a job reads, taken on the GUI thread when it starts.
struct JobInputs {
    std::string abstandAugeVisier;
    std::string distanz1;
    std::string sight1;
    std::string distanz2;
    std::string sight2;
};

// The shared state a job works on.
struct JobContext {
    ParameterSet& params;
    const FlightResults& results;        // written by host.computeTrajectory()
    std::atomic<std::int32_t>& cancelFlag;
    JobHost& host;
};

}  // namespace tarvenix
