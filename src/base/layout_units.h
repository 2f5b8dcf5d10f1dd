#pragma once

// Positions and sizes are given in layout units of 1/1440 inch: 15 to a pixel at 96 dpi.

namespace kv {

constexpr int Px(int units) {
    return (units * 2 + 15) / 30;
}

// Places a widget at a rectangle given in layout units.
template <class Widget>
void Place(Widget* widget, int left, int top, int width, int height) {
    widget->setGeometry(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace kv
