// Support for the window tests: an offscreen start, a watchdog that answers expected modal
// dialogs and closes unexpected ones (so no test can hang on a box), a recorder of Qt
// warnings, and a window with its dispatcher over a fresh program state.
#pragma once

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <cstdlib>
#include <functional>
#include <memory>
#include <mutex>

#include "app/gui/dispatcher.h"
#include "app/gui/mainwindow.h"
#include "app/programstate.h"
#include "app/settings/settings.h"
#include "app/settings/settingsdocument.h"
#include "flight/parameters.h"
#include "platform/qt/fonts.h"
#include "platform/qt/screen.h"

namespace tarvenix::testing {

// Runs before the QApplication exists: headless, with a private runtime folder so Qt has
// nothing to warn about.
inline void prepareEnvironment() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        static char runtimeDir[] = "/tmp/tarvenix-gui-test-XXXXXX";
        if (mkdtemp(runtimeDir) != nullptr)
            qputenv("XDG_RUNTIME_DIR", runtimeDir);
    }
}

// Collects every warning, critical and fatal message, from any thread.
class WarningRecorder {
  public:
    WarningRecorder() {
        std::lock_guard lock(mutex());
        messages().clear();
        previous() = qInstallMessageHandler(&WarningRecorder::handle);
    }
    ~WarningRecorder() { qInstallMessageHandler(previous()); }
    QStringList warnings() const {
        std::lock_guard lock(mutex());
        return messages();
    }

  private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        // The headless platform's own stub, said whenever a window with size limits (a
        // message box) shows; no real platform says it.
        const bool offscreenStub = text == "This plugin does not support propagateSizeHints()";
        if (type != QtDebugMsg && type != QtInfoMsg && !offscreenStub) {
            std::lock_guard lock(mutex());
            messages().append(text);
        }
        if (previous() != nullptr)
            previous()(type, context, text);
    }
    static std::mutex& mutex() {
        static std::mutex m;
        return m;
    }
    static QStringList& messages() {
        static QStringList list;
        return list;
    }
    static QtMessageHandler& previous() {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
};

// Looks for a modal dialog every few milliseconds. An expected one goes to the handler,
// which returns true when it has dealt with it; any other is recorded and closed.
class ModalWatchdog {
  public:
    using Handler = std::function<bool(QWidget* modal)>;

    explicit ModalWatchdog(Handler handler = {}) : handler_(std::move(handler)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { poll(); });
        timer_.start(20);
    }
    const QStringList& unexpected() const { return unexpected_; }

  private:
    void poll() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible())
            return;
        if (handler_ && handler_(modal))
            return;
        unexpected_.append(modal->windowTitle());
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            box->done(QMessageBox::Ok);
        } else {
            modal->close();
        }
    }

    Handler handler_;
    QTimer timer_;
    QStringList unexpected_;
};

// A working directory of its own for as long as the object lives.
class TemporaryWorkingDirectory {
  public:
    TemporaryWorkingDirectory() : previous_(QDir::currentPath()) { QDir::setCurrent(dir_.path()); }
    ~TemporaryWorkingDirectory() { QDir::setCurrent(previous_); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }

  private:
    QTemporaryDir dir_;
    QString previous_;
};

// The main window with its dispatcher over a program state loaded from a new settings file
// in a working directory of its own, laid out for a chosen usable screen.
struct WindowUnderTest {
    explicit WindowUnderTest(ScreenSize usable = {1024, 768}) {
        loadSettings(settings, state.params);  // creates the file with the defaults
        state.trajectory.reserve(reservedTrajectoryPoints);  // as start-up does
        state.geometry = layoutGeometry(usable);
        fonts = {systemFontDescription(), plotFontDescription()};
        window = MainWindow::open(state.params, state.geometry, usable, controlFontDescription());
        if (window)
            dispatcher = std::make_unique<Dispatcher>(state, settings, *window, fonts);
    }
    ~WindowUnderTest() {
        dispatcher.reset();
        window.reset();
        settings.close();
    }

    TemporaryWorkingDirectory workingDirectory;
    ProgramState state;
    SettingsDocument settings;
    PlotFonts fonts;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<Dispatcher> dispatcher;
};

}  // namespace tarvenix::testing

// main() for a window test: the environment first, then the application and the tests.
#define TARVENIX_GUI_TEST_MAIN(TestClass)        \
    int main(int argc, char** argv) {            \
        tarvenix::testing::prepareEnvironment(); \
        QApplication app(argc, argv);            \
        TestClass test;                          \
        return QTest::qExec(&test, argc, argv);  \
    }
