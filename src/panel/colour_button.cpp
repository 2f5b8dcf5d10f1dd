#include "panel/colour_button.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "panel/colour_button_accessible.h"

namespace {

int16_t MouseCode(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return 1;
        case Qt::RightButton:
            return 2;
        case Qt::MiddleButton:
            return 4;
        default:
            return 0;
    }
}

}  // namespace

ColourButton::ColourButton(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetBackColour(kv::kOffColour);
    InstallColourButtonAccessibility();
}

void ColourButton::SetCaption(const QString& caption) {
    QString lines = caption;
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (lines != caption_) {
        caption_ = lines;
        update();
    }
}

void ColourButton::SetBackColour(kv::Colour colour) {
    const QColor c(colour.Red, colour.Green, colour.Blue);
    if (c != back_) {
        back_ = c;
        update();
    }
}

void ColourButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QRect r = rect();
    p.fillRect(r, back_);
    // A dark outline (neighbouring buttons overlap by one pixel) and a thin inner
    // edge, raised or, while held, sunken, around the flat face.
    p.setPen(QColor(64, 64, 64));
    p.drawRect(r.adjusted(0, 0, -1, -1));
    const QRect inner = r.adjusted(1, 1, -2, -2);
    p.setPen(down_ ? QColor(128, 128, 128) : QColor(255, 255, 255));
    p.drawLine(inner.topLeft(), inner.topRight());
    p.drawLine(inner.topLeft(), inner.bottomLeft());
    p.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(96, 96, 96));
    // The focus frame only once the keyboard moves the focus: a mouse user sees the flat
    // face as ever.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        p.setPen(QPen(QColor(0, 0, 0), 1, Qt::DotLine));
        p.drawRect(r.adjusted(3, 3, -4, -4));
        p.setPen(isEnabled() ? QColor(0, 0, 0) : QColor(96, 96, 96));
    }
    p.setFont(font());
    p.drawText(r.adjusted(2, 2, -2, -2), Qt::AlignCenter | Qt::TextWordWrap, caption_);
}

void ColourButton::mousePressEvent(QMouseEvent* event) {
    const int16_t code = MouseCode(event->button());
    if (code == 0) {
        return;
    }
    down_ = true;
    update();
    if (onPress) {
        onPress(code);
    }
    // A modal window opened by the press takes the release with it.
    if (!(QApplication::mouseButtons() & event->button())) {
        down_ = false;
    }
}

void ColourButton::mouseReleaseEvent(QMouseEvent* event) {
    const int16_t code = MouseCode(event->button());
    if (code == 0) {
        return;
    }
    down_ = false;
    update();
    if (onRelease) {
        onRelease(code);
    }
}

void ColourButton::SetAccessState(const AccessState& state) {
    if (state == access_) {
        return;
    }
    QAccessible::State changed;
    changed.pressed = state.Pressed != access_.Pressed;
    changed.checkable = state.Checkable != access_.Checkable;
    changed.checked = state.Checked != access_.Checked;
    changed.animated = state.Animated != access_.Animated;
    access_ = state;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void ColourButton::KeyHold(bool down) {
    if (spaceDown_ == down) {
        return;
    }
    spaceDown_ = down;
    down_ = down;
    update();
    if (onKeyHold) {
        onKeyHold(down);
    }
}

void ColourButton::keyPressEvent(QKeyEvent* event) {
    const bool menu = event->key() == Qt::Key_Menu ||
                      (event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier);
    if (menu && !event->isAutoRepeat()) {
        if (onKeyMenu) {
            onKeyMenu();
        }
    } else if (event->key() == Qt::Key_Space) {
        if (space_.Press(*event)) {
            KeyHold(true);
        }
    } else if (!menu) {
        event->ignore();  // the digits and the menus' keys go on to the window
    }
}

void ColourButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Space) {
        space_.Release(*event);
    } else {
        event->ignore();
    }
}

void ColourButton::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

// The Space key's release goes to wherever the focus went: let go here.
void ColourButton::focusOutEvent(QFocusEvent* event) {
    KeyHold(false);
    QWidget::focusOutEvent(event);
    update();
}
