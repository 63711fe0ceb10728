// Job host: integration and drawing on the job's thread, hand-off by queued calls.
#include "platform/qt/qtjobhost.h"

#include <utility>

namespace tarvenix {

QtJobHost::QtJobHost(FlightState state, const PlotFonts& fonts, JobReceiver& receiver,
                     StopSignal& stop)
    : state_(state),
      surface_(state.geometry.canvasWidth, state.geometry.canvasHeight, fonts),
      receiver_(receiver),
      stop_(stop) {}

void QtJobHost::computeTrajectory() {
    if (stop_.requested())
        throw JobStopped{};
    ResultLines lines = tarvenix::computeTrajectory(state_.params, state_.trajectory,
                                                    state_.results, state_.geometry, surface_);
    JobReceiver* receiver = &receiver_;
    receiver->post([receiver, picture = surface_.takePicture(), lines = std::move(lines)] {
        receiver->takePicture(picture, lines);
    });
}

void QtJobHost::pause(int milliseconds) {
    if (!stop_.sleepFor(milliseconds))
        throw JobStopped{};
}

void QtJobHost::showText(JobField field, std::string text) {
    JobReceiver* receiver = &receiver_;
    receiver->post([receiver, field, text = std::move(text)] { receiver->takeText(field, text); });
}

}  // namespace tarvenix
