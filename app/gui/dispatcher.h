// The actions of the eight buttons, the hand-over of job pictures and texts to the window,
// and the guard that lets one computation run at a time.
#pragma once

#include <QObject>

#include "app/gui/mainwindow.h"
#include "app/programstate.h"
#include "app/settings/settingsdocument.h"
#include "platform/qt/fonts.h"
#include "platform/qt/imagesurface.h"
#include "platform/qt/jobthread.h"
#include "platform/qt/qtjobhost.h"

namespace tarvenix {

class Dispatcher final : public JobReceiver {
  public:
    Dispatcher(ProgramState& state, SettingsDocument& settings, MainWindow& window,
               const PlotFonts& fonts);
    ~Dispatcher() override;

    // While a job runs the computing buttons and "Speichern" are disabled.
    bool jobRunning() const { return jobs_.running(); }

    // The window is closing: the running job stops at its next pause or integration, and
    // this returns when its thread has ended. What the job had queued is dropped.
    void stopJob();

    void takePicture(const QImage& picture, const ResultLines& lines) override;
    void takeText(JobField field, const std::string& text) override;

  private:
    enum class Job { launchAngle, sightTable, v0Solve, cwSolve };

    void speichern();
    void berechnen();
    void winkelBerechnen();
    void visierBerechnen();
    void v0Berechnen();
    void cwBerechnen();
    void dichteBerechnen();
    void abbrechen();

    void readParameterFields(bool withAbstandAugeVisier);
    void computeOnGuiThread();
    void startJob(Job job);
    void setComputing(bool computing);

    ProgramState& state_;
    SettingsDocument& settings_;
    MainWindow& window_;
    const PlotFonts fonts_;
    QImageSurface surface_;  // the GUI thread's own drawings
    JobThread jobs_;
    bool closed_ = false;
};

}  // namespace tarvenix
