// Fonts by face, size and weight. A font is kept as a plain description so that every
// thread builds its own QFont from it: QFont copies share state that is not thread-safe.
#pragma once

#include <QFont>
#include <QString>

namespace tarvenix {

struct FontDescription {
    QString family;
    int pixelSize = 0;  // character height in pixels
    bool bold = false;
    bool italic = false;

    QFont toQFont() const;
};

// The vertical resolution of the primary screen in dots per inch; 96 when it gives none.
int screenDpiY();

// A font of `points` size: character height = points x screen resolution / 72, rounded.
// Where the face is missing, fontconfig picks its metric-compatible substitute.
FontDescription loadFont(const QString& face, int points, bool bold);

// The system's general GUI font, as Qt reports it, in pixels.
FontDescription systemFontDescription();

// The fonts a drawing uses: it starts with the system font and switches to the plot font.
struct PlotFonts {
    FontDescription system;
    FontDescription plot;
};

// "Arial" 8 pt regular for the plot, "Arial" 10 pt bold for every control.
FontDescription plotFontDescription();
FontDescription controlFontDescription();

}  // namespace tarvenix
