// Font descriptions: loading by face and points, the system font, the program's two fonts.
#include "platform/qt/fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace tarvenix {

namespace {

// Points to pixels, halves away from zero as the classic MulDiv does.
int pointsToPixels(double points, int dpi) {
    const double pixels = points * dpi / 72.0;
    if (!(pixels > 0.0))
        return 1;
    if (pixels > 10000.0)
        return 10000;
    return static_cast<int>(std::floor(pixels + 0.5));
}

}  // namespace

QFont FontDescription::toQFont() const {
    QFont font(family);
    font.setPixelSize(pixelSize > 0 ? pixelSize : 1);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setItalic(italic);
    return font;
}

int screenDpiY() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return 96;
    const double dpi = screen->logicalDotsPerInchY();
    if (!(dpi >= 1.0) || dpi > 10000.0)
        return 96;
    return static_cast<int>(std::floor(dpi + 0.5));
}

FontDescription loadFont(const QString& face, int points, bool bold) {
    return {face, pointsToPixels(points, screenDpiY()), bold, false};
}

FontDescription systemFontDescription() {
    const QFont system = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    FontDescription font;
    font.family = system.family();
    font.pixelSize = system.pixelSize() > 0 ? system.pixelSize()
                                            : pointsToPixels(system.pointSizeF(), screenDpiY());
    font.bold = system.weight() >= QFont::Bold;
    font.italic = system.italic();
    return font;
}

FontDescription plotFontDescription() {
    return loadFont(QStringLiteral("Arial"), 8, false);
}

FontDescription controlFontDescription() {
    return loadFont(QStringLiteral("Arial"), 10, true);
}

}  // namespace tarvenix
