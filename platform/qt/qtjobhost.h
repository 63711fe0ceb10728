// The window's job host: a job integrates on the shared flight state, draws into a picture
// of its own and hands pictures and texts to the GUI thread through queued calls.
#pragma once

#include <QImage>
#include <QObject>
#include <string>

#include "flight/parameters.h"
#include "flight/trajectory.h"
#include "platform/qt/guicall.h"
#include "platform/qt/imagesurface.h"
#include "platform/qt/jobthread.h"
#include "plot/plot.h"
#include "solvers/jobhost.h"

namespace tarvenix {

// Takes what a job hands over. Lives on the GUI thread, whose event loop calls it; calls
// still queued when it is destroyed are dropped.
class JobReceiver : public CallTarget {
  public:
    using CallTarget::CallTarget;
    virtual void takePicture(const QImage& picture, const ResultLines& lines) = 0;
    virtual void takeText(JobField field, const std::string& text) = 0;
};

// The shared state every integration works on.
struct FlightState {
    ParameterSet& params;
    TrajectoryList& trajectory;
    FlightResults& results;
    const PlotGeometry& geometry;
};

// Build it on the job's thread: its picture belongs to that thread.
class QtJobHost final : public JobHost {
  public:
    QtJobHost(FlightState state, const PlotFonts& fonts, JobReceiver& receiver, StopSignal& stop);

    // Throws JobStopped when the program is closing.
    void computeTrajectory() override;
    void pause(int milliseconds) override;
    void showText(JobField field, std::string text) override;

  private:
    FlightState state_;
    QImageSurface surface_;
    JobReceiver& receiver_;
    StopSignal& stop_;
};

}  // namespace tarvenix
