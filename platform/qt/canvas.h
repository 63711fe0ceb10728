// The canvas: a drawing area with a sunken border that shows the last finished picture.
// Pictures are drawn elsewhere (on the GUI thread or a job's thread); the widget only blits.
#pragma once

#include <QFrame>
#include <QImage>

#include "plot/plot.h"

namespace tarvenix {

class PictureCanvas final : public QFrame {
  public:
    explicit PictureCanvas(QWidget* parent);

    // Shows a new picture; a null picture (a drawing that could not begin) keeps the old one.
    void setPicture(QImage picture);
    const QImage& picture() const { return picture_; }

    // What a screen reader reads instead of the pixels: the result lines, one per line.
    void setResultLines(const ResultLines& lines);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

}  // namespace tarvenix
