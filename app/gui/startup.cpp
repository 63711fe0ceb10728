// Start-up, event loop and shutdown.
#include "app/gui/startup.h"

#include "app/gui/dispatcher.h"
#include "app/programstate.h"
#include "app/settings/settings.h"
#include "platform/qt/controls.h"
#include "platform/qt/fonts.h"

namespace tarvenix {

QString disclaimerText() {
    const QString crlf = QStringLiteral("\r\n");
    return QStringLiteral(
               "Da sehr viele Faktoren den Pfeilflug beeinflussen, können die berechneten Werte "
               "nur als gobe Einschätzung dienen. Errechnete Visiereinstellungen können falsch "
               "sein und müssen auf einem geeigneten Gelände geprüft werden.") +
           crlf + QStringLiteral("Für etwaige Fehler wird keine Haftung übernommen.") + crlf +
           crlf + QString();
}

int runProgram(QApplication& app, const RunOptions& options) {
    // The window's close ends the loop, not the last window closing (the disclaimer).
    app.setQuitOnLastWindowClosed(false);

    ProgramState state;
    SettingsDocument settings;
    loadSettings(settings, state.params);

    PlotFonts plotFonts{systemFontDescription(), plotFontDescription()};
    const FontDescription controlFont = controlFontDescription();
    state.trajectory.reserve(reservedTrajectoryPoints);
    state.geometry = layoutGeometry(options.usableScreen);

    showMessage(QStringLiteral("Hinweis"), disclaimerText());

    std::unique_ptr<MainWindow> window =
        options.openWindow(state.params, state.geometry, options.usableScreen, controlFont);
    if (!window) {
        // Without a window no event can come: say so and end.
        showMessage(QStringLiteral("Tarvenix"),
                    QStringLiteral("Das Programmfenster konnte nicht geöffnet werden."));
        settings.close();
        return 0;
    }

    {
        Dispatcher dispatcher(state, settings, *window, plotFonts);
        QObject::connect(&window->window(), &AppWindow::closing, &app, [&app] { app.exit(0); });
        app.exec();
        dispatcher.stopJob();
    }
    settings.close();
    window.reset();
    return 0;
}

}  // namespace tarvenix
