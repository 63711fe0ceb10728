// The canvas widget: frame, picture blit, accessible description.
#include "platform/qt/canvas.h"

#include <QPainter>

namespace tarvenix {

PictureCanvas::PictureCanvas(QWidget* parent) : QFrame(parent) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setAccessibleName(QStringLiteral("Flugbahn"));
    // Every repaint covers the whole contents with the picture or the background.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
}

void PictureCanvas::setPicture(QImage picture) {
    if (picture.isNull())
        return;
    picture_ = std::move(picture);
    update();
}

void PictureCanvas::setResultLines(const ResultLines& lines) {
    QString description;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            description += QLatin1Char('\n');
        description += QString::fromStdString(lines[i]);
    }
    setAccessibleDescription(description);
}

void PictureCanvas::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        const QRect contents = contentsRect();
        painter.fillRect(rect(), palette().window());
        painter.setClipRect(contents);
        if (!picture_.isNull())
            painter.drawImage(contents.topLeft(), picture_);
    }
    QFrame::paintEvent(event);
}

}  // namespace tarvenix
