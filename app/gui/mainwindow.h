// The main window "Tarvenix" with its 86 controls, and the handles the program knows them by.
#pragma once

#include <QLabel>
#include <QPushButton>
#include <array>
#include <memory>
#include <vector>

#include "flight/parameters.h"
#include "platform/qt/appwindow.h"
#include "platform/qt/controls.h"
#include "platform/qt/fonts.h"
#include "platform/qt/screen.h"
#include "plot/plot.h"
#include "solvers/jobhost.h"

namespace tarvenix {

class MainWindow {
  public:
    // Opens the window at the screen's top-left corner and, only when that succeeded,
    // creates the controls with their initial texts; nullptr when it cannot be opened.
    static std::unique_ptr<MainWindow> open(const ParameterSet& params,
                                            const PlotGeometry& geometry, ScreenSize usable,
                                            const FontDescription& controlFont);

    AppWindow& window() { return *window_; }
    // Every control in creation order, plain labels included.
    const std::vector<QWidget*>& controls() const { return controls_; }
    // The label or field a job writes.
    QWidget* jobControl(JobField field) const;

    PictureCanvas* plotCanvas = nullptr;

    TextField* cwField = nullptr;
    TextField* rhoField = nullptr;
    TextField* diameterField = nullptr;
    TextField* massField = nullptr;
    TextField* v0Field = nullptr;
    TextField* gField = nullptr;
    TextField* winkelField = nullptr;
    TextField* distanceField = nullptr;
    TextField* hoeheZielField = nullptr;

    // Sight rows, top to bottom: 18, 25, 30, 40, 50, 60, 70, 90 m.
    std::array<QLabel*, 8> angleLabels{};
    std::array<QLabel*, 8> sightLabels{};
    TextField* abstandAugeVisierField = nullptr;

    TextField* distanz1Field = nullptr;
    TextField* sight1Field = nullptr;
    TextField* distanz2Field = nullptr;
    TextField* sight2Field = nullptr;
    QLabel* differenzLabel = nullptr;

    TextField* pressureField = nullptr;
    TextField* temperatureField = nullptr;
    TextField* altitudeField = nullptr;
    QLabel* densityLabel = nullptr;

    QPushButton* dichteButton = nullptr;
    QPushButton* visierButton = nullptr;
    QPushButton* v0Button = nullptr;
    QPushButton* cwButton = nullptr;
    QPushButton* speichernButton = nullptr;
    QPushButton* berechnenButton = nullptr;
    QPushButton* winkelButton = nullptr;
    QPushButton* abbrechenButton = nullptr;

  private:
    MainWindow() = default;
    void createControls(const ParameterSet& params, const PlotGeometry& geometry);
    void takeHandles();

    std::unique_ptr<AppWindow> window_;
    std::vector<QWidget*> controls_;
};

}  // namespace tarvenix
