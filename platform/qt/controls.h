// The controls of the window: labels, text fields (optionally digits-only), push buttons,
// the canvas, tool tips and the modal message box.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRect>
#include <QString>

#include "platform/qt/canvas.h"

namespace tarvenix {

// A one-line field with a sunken border that scrolls sideways. Digits-only refuses every
// typed character but 0 to 9; pasted text passes unfiltered, as it does in the classic field.
class TextField final : public QLineEdit {
  public:
    TextField(QWidget* parent, bool digitsOnly);
    bool digitsOnly() const { return digitsOnly_; }

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

  private:
    bool digitsOnly_;
};

// Static left-aligned text without border.
QLabel* createLabel(QWidget* parent, const QRect& rect, const QString& text);
TextField* createTextField(QWidget* parent, const QRect& rect, const QString& text,
                           bool digitsOnly);
QPushButton* createButton(QWidget* parent, const QRect& rect, const QString& text);
PictureCanvas* createCanvas(QWidget* parent, const QRect& rect);

// Shown while the mouse rests on the control.
void setToolTip(QWidget* control, const QString& text);

// Modal box with one OK button and no owner; returns when the user has closed it.
void showMessage(const QString& title, const QString& text);

}  // namespace tarvenix
