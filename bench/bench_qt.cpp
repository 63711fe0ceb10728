// Benchmarks of the Qt layer: one drawing into the canvas picture, and one step of the
// launch-angle search as a job takes it (integration, drawing, hand-off to the GUI thread).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QWidget>
#include <memory>
#include <string>

#include "flight/parameters.h"
#include "flight/trajectory.h"
#include "platform/numbertext.h"
#include "platform/qt/canvas.h"
#include "platform/qt/fonts.h"
#include "platform/qt/imagesurface.h"
#include "platform/qt/qtjobhost.h"
#include "platform/qt/screen.h"
#include "plot/plot.h"

namespace {

// Fonts and widgets need an application; the benchmarks run headless.
QApplication& application() {
    static int argc = 1;
    static char name[] = "tarvenix_bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

tarvenix::PlotFonts plotFonts() {
    return {tarvenix::systemFontDescription(), tarvenix::plotFontDescription()};
}

// One drawing of the default trajectory (about 16,000 points) into a 1014 x 200 picture,
// text included.
void BM_renderPlot(benchmark::State& state) {
    application();
    const tarvenix::ParameterSet params = tarvenix::defaultParameterSet();
    tarvenix::TrajectoryList list;
    tarvenix::FlightResults results;
    const tarvenix::TrajectorySummary summary =
        tarvenix::integrateTrajectory(params, list, results);
    const tarvenix::PlotGeometry geometry = tarvenix::layoutGeometry({1024, 768});
    tarvenix::QImageSurface surface(geometry.canvasWidth, geometry.canvasHeight, plotFonts());
    for (auto _ : state) {
        tarvenix::ResultLines lines = tarvenix::renderPlot(
            summary, list, results.flightPathLength, params.V0, params.Distance, geometry, surface);
        benchmark::DoNotOptimize(lines);
        benchmark::DoNotOptimize(surface.picture().constBits());
    }
    state.counters["points"] = static_cast<double>(list.size());
}
BENCHMARK(BM_renderPlot)->Unit(benchmark::kMicrosecond);

// Hands pictures and texts to widgets, as the window does.
class WidgetReceiver final : public tarvenix::JobReceiver {
  public:
    WidgetReceiver() : canvas_(&parent_), field_(&parent_) {}
    void takePicture(const QImage& picture, const tarvenix::ResultLines& lines) override {
        canvas_.setPicture(picture);
        canvas_.setResultLines(lines);
    }
    void takeText(tarvenix::JobField, const std::string& text) override {
        field_.setText(QString::fromStdString(text));
    }

  private:
    QWidget parent_;
    tarvenix::PictureCanvas canvas_;
    QLineEdit field_;
};

// One 0.01 deg step of the launch-angle search without its 10 ms pause: the integration,
// the drawing into the job's picture, the queued hand-off of picture and angle text, and
// their arrival at the widgets.
void BM_searchStep(benchmark::State& state) {
    application();
    tarvenix::ParameterSet params = tarvenix::defaultParameterSet();
    tarvenix::TrajectoryList list;
    tarvenix::FlightResults results;
    const tarvenix::PlotGeometry geometry = tarvenix::layoutGeometry({1024, 768});
    WidgetReceiver receiver;
    tarvenix::StopSignal stop;
    tarvenix::QtJobHost host({params, list, results, geometry}, plotFonts(), receiver, stop);
    double step = 0.01;
    for (auto _ : state) {
        params.Winkel = params.Winkel + step;
        if (params.Winkel > 8.0 || params.Winkel < 6.0)
            step = -step;
        host.computeTrajectory();
        host.showText(tarvenix::JobField::winkelField,
                      tarvenix::formatDecimals(static_cast<float>(params.Winkel), 2));
        QCoreApplication::sendPostedEvents();
    }
    state.counters["points"] = static_cast<double>(list.size());
}
BENCHMARK(BM_searchStep)->Unit(benchmark::kMicrosecond);

}  // namespace
