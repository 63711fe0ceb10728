// Drawing surface on a QImage: raster shapes on its pixels, QPainter text with a filled box.
#include "platform/qt/imagesurface.h"

#include <QString>
#include <cstdint>

namespace tarvenix {

namespace {

QString fromUtf8(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QColor toQColor(Colour c) {
    return QColor(c.r, c.g, c.b);
}

}  // namespace

QImageSurface::QImageSurface(int width, int height, const PlotFonts& fonts)
    : width_(width),
      height_(height),
      pool_(PicturePool::create(width, height)),
      systemFont_(fonts.system.toQFont()),
      plotFont_(fonts.plot.toQFont()) {}

QImageSurface::~QImageSurface() {
    metrics_.reset();
    painter_.reset();
}

bool QImageSurface::beginDrawing() {
    endDrawing();
    if (width_ <= 0 || height_ <= 0)
        return false;
    image_ = pool_->acquire();
    if (image_.isNull())
        return false;
    setBuffer(
        raster::PixelBuffer::fromBytes(image_.bits(), width_, height_, image_.bytesPerLine()));
    painter_.emplace(&image_);
    if (!painter_->isActive()) {
        painter_.reset();
        image_ = QImage();
        setBuffer({});
        return false;
    }
    selectFont(systemFont_);
    return true;
}

void QImageSurface::endDrawing() {
    if (!painter_)
        return;
    metrics_.reset();
    painter_->end();
    painter_.reset();
    setBuffer({});
    picture_ = std::move(image_);
    image_ = QImage();
}

void QImageSurface::text(int x, int y, std::string_view utf8, Colour front, Colour back) {
    if (!painter_)
        return;
    const QString s = fromUtf8(utf8);
    const int advance = metrics_->horizontalAdvance(s);
    const int height = metrics_->height();
    // The box first, as an opaque text draws it: the advance wide, the font's height high.
    RasterSurface::fillRect(x, y, advance, height, back);
    // Positions far outside (a label of a huge distance) would overflow the baseline sum.
    if (x >= width_ || y >= height_ || std::int64_t{x} + advance <= 0 ||
        std::int64_t{y} + height <= 0) {
        return;
    }
    painter_->setPen(toQColor(front));
    painter_->drawText(x, y + metrics_->ascent(), s);
}

int QImageSurface::textWidth(std::string_view utf8) {
    if (!metrics_)
        return 0;
    return metrics_->horizontalAdvance(fromUtf8(utf8));
}

void QImageSurface::usePlotFont() {
    if (painter_)
        selectFont(plotFont_);
}

void QImageSurface::selectFont(const QFont& font) {
    painter_->setFont(font);
    metrics_.emplace(font, &image_);
}

}  // namespace tarvenix
