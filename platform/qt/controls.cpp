// Creation of labels, fields, buttons and canvas at pixel rectangles; the message box.
#include "platform/qt/controls.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMessageBox>

namespace tarvenix {

namespace {

bool allDigits(const QString& text) {
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            return false;
    }
    return true;
}

}  // namespace

TextField::TextField(QWidget* parent, bool digitsOnly)
    : QLineEdit(parent), digitsOnly_(digitsOnly) {}

void TextField::keyPressEvent(QKeyEvent* event) {
    if (digitsOnly_) {
        // Shortcuts (Ctrl+V among them) and editing keys carry no printable text or a
        // control modifier; only printable characters typed as text are refused.
        const QString typed = event->text();
        const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        if (!shortcut && !typed.isEmpty() && typed.at(0).isPrint() && !allDigits(typed)) {
            event->ignore();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void TextField::inputMethodEvent(QInputMethodEvent* event) {
    // Text composed by an input method is typed text too.
    if (digitsOnly_ && !allDigits(event->commitString())) {
        event->ignore();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

// Controls are created in a window that is already shown, so each shows itself.

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
