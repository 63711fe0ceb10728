// Creation of labels, fields, buttons and canvas at pixel rectangles; the message box.
#include "platform/qt/controls.h"

#include <QKeyEvent>
#include <QMessageBox>

// Controls are created in a window that is already shown, so each shows itself.

namespace tarvenix {

TextField::TextField(QWidget* parent, bool digitsOnly)
    : QLineEdit(parent), digitsOnly_(digitsOnly) {}

void TextField::keyPressEvent(QKeyEvent* event) {
    if (digitsOnly_) {
        // Shortcuts (Ctrl+V among them) and editing keys carry no printable text or a
        // control modifier; only printable characters typed as text are refused.
        const QString typed = event->text();
        const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        if (!shortcut && !typed.isEmpty() && typed.at(0).isPrint()) {
            for (const QChar ch : typed) {
                if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
                    event->ignore();
                    return;
                }
            }
        }
    }
    QLineEdit::keyPressEvent(event);
}

QLabel* createLabel(QWidget* parent, const QRect& rect, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFrameStyle(QFrame::NoFrame);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(rect);
    label->show();
    return label;
}

TextField* createTextField(QWidget* parent, const QRect& rect, const QString& text,
                           bool digitsOnly) {
    auto* field = new TextField(parent, digitsOnly);
    field->setText(text);
    field->setCursorPosition(0);
    field->setGeometry(rect);
    field->show();
    return field;
}

QPushButton* createButton(QWidget* parent, const QRect& rect, const QString& text) {
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    button->setGeometry(rect);
    button->show();
    return button;
}

PictureCanvas* createCanvas(QWidget* parent, const QRect& rect) {
    auto* canvas = new PictureCanvas(parent);
    canvas->setGeometry(rect);
    canvas->show();
    return canvas;
}

void setToolTip(QWidget* control, const QString& text) {
    control->setToolTip(text);
}

void showMessage(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.exec();
}

}  // namespace tarvenix
