#include "panel/click_box.h"

#include <QKeyEvent>
#include <QMouseEvent>

ClickBox::ClickBox(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::TabFocus);  // a click acts, it does not take the focus
}

void ClickBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onClick) {
        onClick();
    }
    event->accept();
}

void ClickBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (onClick && !event->isAutoRepeat() &&
        (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space)) {
        onClick();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

// A display box shows no selection: Tab into it reads it, it does not mark it.
void ClickBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    deselect();
}
