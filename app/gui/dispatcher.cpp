// Button actions on the GUI thread and the start of the worker jobs.
#include "app/gui/dispatcher.h"

#include "app/gui/readback.h"
#include "app/settings/settings.h"
#include "solvers/jobs.h"

namespace tarvenix {

namespace {

std::string textOf(const QLineEdit* field) {
    return field->text().toStdString();
}

}  // namespace

Dispatcher::Dispatcher(ProgramState& state, SettingsDocument& settings, MainWindow& window,
                       const PlotFonts& fonts)
    : state_(state),
      settings_(settings),
      window_(window),
      fonts_(fonts),
      surface_(state.geometry.canvasWidth, state.geometry.canvasHeight, fonts),
      jobs_(*this) {
    const auto on = [this](QPushButton* button, void (Dispatcher::*action)()) {
        QObject::connect(button, &QPushButton::clicked, this, action);
    };
    on(window.speichernButton, &Dispatcher::speichern);
    on(window.berechnenButton, &Dispatcher::berechnen);
    on(window.winkelButton, &Dispatcher::winkelBerechnen);
    on(window.visierButton, &Dispatcher::visierBerechnen);
    on(window.v0Button, &Dispatcher::v0Berechnen);
    on(window.cwButton, &Dispatcher::cwBerechnen);
    on(window.dichteButton, &Dispatcher::dichteBerechnen);
    on(window.abbrechenButton, &Dispatcher::abbrechen);
    QObject::connect(&window.window(), &AppWindow::closing, this, [this] {
        stopJob();
        state_.quitRequested.store(1);
    });
}

Dispatcher::~Dispatcher() {
    stopJob();
}

void Dispatcher::stopJob() {
    closed_ = true;
    jobs_.stop();
}

void Dispatcher::readParameterFields(bool withAbstandAugeVisier) {
    const MainWindow& w = window_;
    ParameterTexts texts{textOf(w.cwField),        textOf(w.rhoField),
                         textOf(w.diameterField),  textOf(w.massField),
                         textOf(w.v0Field),        textOf(w.gField),
                         textOf(w.winkelField),    textOf(w.distanceField),
                         textOf(w.hoeheZielField), textOf(w.abstandAugeVisierField)};
    tarvenix::readParameterFields(texts, state_.params, withAbstandAugeVisier);
}

void Dispatcher::computeOnGuiThread() {
    const ResultLines lines = computeTrajectory(state_.params, state_.trajectory, state_.results,
                                                state_.geometry, surface_);
    takePicture(surface_.takePicture(), lines);
}

void Dispatcher::speichern() {
    if (jobRunning())
        return;
    readParameterFields(true);
    saveSettings(settings_, state_.params);
}

void Dispatcher::berechnen() {
    if (jobRunning())
        return;
    readParameterFields(false);
    computeOnGuiThread();
}

void Dispatcher::winkelBerechnen() {
    if (jobRunning())
        return;
    readParameterFields(false);
    // The search starts from the height at the target distance of the current angle.
    computeOnGuiThread();
    startJob(Job::launchAngle);
}

void Dispatcher::visierBerechnen() {
    if (jobRunning())
        return;
    readParameterFields(false);
    startJob(Job::sightTable);
}

void Dispatcher::v0Berechnen() {
    if (jobRunning())
        return;
    startJob(Job::v0Solve);
}

void Dispatcher::cwBerechnen() {
    if (jobRunning())
        return;
    startJob(Job::cwSolve);
}

void Dispatcher::dichteBerechnen() {
    const MainWindow& w = window_;
    const QString text = QString::fromStdString(
        densityText(textOf(w.altitudeField), textOf(w.pressureField), textOf(w.temperatureField)));
    w.densityLabel->setText(text);
    w.rhoField->setText(text);
}

void Dispatcher::abbrechen() {
    state_.cancelFlag.store(1);
}

void Dispatcher::startJob(Job job) {
    const MainWindow& w = window_;
    // The job reads these texts, not the widgets: they belong to the GUI thread.
    JobInputs inputs{textOf(w.abstandAugeVisierField), textOf(w.distanz1Field),
                     textOf(w.sight1Field), textOf(w.distanz2Field), textOf(w.sight2Field)};
    setComputing(true);
    const bool started = jobs_.start(
        [this, job, inputs = std::move(inputs)](StopSignal& stop) {
            QtJobHost host(
                FlightState{state_.params, state_.trajectory, state_.results, state_.geometry},
                fonts_, *this, stop);
            JobContext ctx{state_.params, state_.results, state_.cancelFlag, host};
            switch (job) {
                case Job::launchAngle:
                    runLaunchAngleJob(ctx);
                    break;
                case Job::sightTable:
                    runSightTable(ctx, inputs);
                    break;
                case Job::v0Solve:
                    runV0Solve(ctx, inputs);
                    break;
                case Job::cwSolve:
                    runCwSolve(ctx, inputs);
                    break;
            }
        },
        [this] { setComputing(false); });
    if (!started)
        setComputing(false);
}

void Dispatcher::setComputing(bool computing) {
    MainWindow& w = window_;
    for (QPushButton* button : {w.berechnenButton, w.winkelButton, w.visierButton, w.v0Button,
                                w.cwButton, w.speichernButton}) {
        button->setEnabled(!computing);
    }
}

void Dispatcher::takePicture(const QImage& picture, const ResultLines& lines) {
    if (closed_)
        return;
    window_.plotCanvas->setPicture(picture);
    window_.plotCanvas->setResultLines(lines);
}

void Dispatcher::takeText(JobField field, const std::string& text) {
    if (closed_)
        return;
    QWidget* control = window_.jobControl(field);
    const QString qtext = QString::fromStdString(text);
    if (auto* edit = dynamic_cast<QLineEdit*>(control)) {
        edit->setText(qtext);
    } else if (auto* label = dynamic_cast<QLabel*>(control)) {
        label->setText(qtext);
    }
}

}  // namespace tarvenix
