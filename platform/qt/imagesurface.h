// The canvas picture: a drawing surface on a QImage. Shapes are the raster surface's, so
// they are pixel for pixel those of every other surface; QPainter draws the text.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <memory>
#include <optional>

#include "platform/qt/fonts.h"
#include "platform/qt/picturepool.h"
#include "plot/rastersurface.h"

namespace tarvenix {

// Belongs to one thread: build it on the thread that draws on it.
class QImageSurface final : public RasterSurface {
  public:
    QImageSurface(int width, int height, const PlotFonts& fonts);
    ~QImageSurface() override;

    // Every drawing gets a picture of its own, so a picture handed to the window is never
    // drawn on again and needs no lock.
    bool beginDrawing() override;
    void endDrawing() override;

    void text(int x, int y, std::string_view utf8, Colour front, Colour back) override;
    int textWidth(std::string_view utf8) override;
    void usePlotFont() override;

    // The picture of the last drawing (null before the first).
    const QImage& picture() const { return picture_; }
    // Hands the picture of the last drawing over; the surface keeps no reference to it.
    QImage takePicture() { return std::move(picture_); }

  private:
    void selectFont(const QFont& font);

    int width_;
    int height_;
    std::shared_ptr<PicturePool> pool_;
    QFont systemFont_;
    QFont plotFont_;
    QImage image_;    // the drawing in progress
    QImage picture_;  // the last finished drawing
    std::optional<QPainter> painter_;
    std::optional<QFontMetrics> metrics_;
};

}  // namespace tarvenix
