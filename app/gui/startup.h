// The program's run: start-up, the event loop and shutdown, in their fixed order.
#pragma once

#include <QApplication>
#include <QString>
#include <functional>
#include <memory>

#include "app/gui/mainwindow.h"
#include "platform/qt/screen.h"

namespace tarvenix {

// The disclaimer shown at every start, before any window.
QString disclaimerText();

// Opens the main window; nullptr when it cannot be opened.
using WindowOpener = std::function<std::unique_ptr<MainWindow>(
    const ParameterSet&, const PlotGeometry&, ScreenSize, const FontDescription&)>;

struct RunOptions {
    ScreenSize usableScreen;  // the program passes usableScreenSize()
    WindowOpener openWindow = MainWindow::open;
};

// Loads "Tarvenix.ini" from the working directory, shows the disclaimer, opens the window,
// runs the event loop until the window is closed, then closes the settings document.
// Returns the process's exit code: 0, whatever happened.
int runProgram(QApplication& app, const RunOptions& options);

}  // namespace tarvenix
