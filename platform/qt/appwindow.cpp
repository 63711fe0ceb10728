// The top-level window and its close event.
#include "platform/qt/appwindow.h"

#include <QCloseEvent>
#include <QWindow>
#include <algorithm>
#include <new>

namespace tarvenix {

AppWindow::AppWindow()
    // No resize border: honoured on Windows; X11 window managers keep their own frame.
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {}

std::unique_ptr<AppWindow> AppWindow::open(int x, int y, int clientWidth, int clientHeight,
                                           const QString& title, const FontDescription& controlFont) {
    std::unique_ptr<AppWindow> window;
    try {
        window.reset(new AppWindow());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
    window->setWindowTitle(title);
    window->setFont(controlFont.toQFont());
    window->resize(std::max(clientWidth, 1), std::max(clientHeight, 1));
    // move() places the outer frame's corner, resize() sets the client area.
    window->move(x, y);
    window->showNormal();
    if (window->windowHandle() == nullptr || !window->isVisible())
        return nullptr;
    return window;
}

void AppWindow::closeEvent(QCloseEvent* event) {
    emit closing();
    event->accept();
}

}  // namespace tarvenix
