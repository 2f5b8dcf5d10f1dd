#include "panel/click_box.h"

#include <QMouseEvent>

ClickBox::ClickBox(QWidget* parent) : QLineEdit(parent) {
    setReadOnly(true);
    setFocusPolicy(Qt::NoFocus);
}

void ClickBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && onClick) {
        onClick();
    }
    event->accept();
}
