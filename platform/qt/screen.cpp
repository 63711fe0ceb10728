// Usable screen size from the primary screen, and the scale factors derived from it.
#include "platform/qt/screen.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

#include "platform/conversions.h"

namespace tarvenix {

ScreenSize usableScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    const QRect work = screen->availableGeometry();
    const QStyle* style = QApplication::style();
    // A maximised window keeps its title bar inside the work area; its frame lies outside.
    const int titleBar = style != nullptr ? style->pixelMetric(QStyle::PM_TitleBarHeight) : 0;
    const int frame = style != nullptr ? style->pixelMetric(QStyle::PM_MdiSubWindowFrameWidth) : 0;
    return {work.width() - 2 * frame, work.height() - titleBar - 2 * frame};
}

PlotGeometry layoutGeometry(ScreenSize usable) {
    PlotGeometry g;
    g.scaleX = static_cast<float>(static_cast<double>(usable.width) / 1024.0);
    g.scaleY = static_cast<float>(static_cast<double>(usable.height - 30) / 738.0);
    g.canvasWidth = nearestInt(static_cast<double>(g.scaleX) * 1014.0);
    g.canvasHeight = nearestInt(static_cast<double>(g.scaleY) * 200.0);
    return g;
}

}  // namespace tarvenix
