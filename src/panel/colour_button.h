#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "panel/held_keys.h"
#include "state/colours.h"

// A push button that paints exactly its background colour, flat, with a two-line
// caption; it reports mouse down and up with the mouse button (1 left, 2 right, 4 middle).
// It takes the keyboard focus (a frame shows it once the keyboard moved it), is held by
// Space, and tells assistive technology it is a button with the states its colour means.
class ColourButton : public QWidget {
public:
    // What the colour means, beyond the accessible name and description.
    struct AccessState {
        bool Pressed = false;
        bool Checkable = false;
        bool Checked = false;
        bool Animated = false;
        friend bool operator==(const AccessState&, const AccessState&) = default;
    };

    explicit ColourButton(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);  // lines split by a carriage return
    void SetBackColour(kv::Colour colour);
    QColor BackColour() const { return back_; }
    QString Caption() const { return caption_; }

    // Changed states go out as an accessibility event.
    void SetAccessState(const AccessState& state);
    const AccessState& Access() const { return access_; }

    std::function<void(int16_t)> onPress;
    std::function<void(int16_t)> onRelease;
    std::function<void(bool down)> onKeyHold;  // Space down and up, or an accessible press
    std::function<void()> onKeyMenu;           // the Menu key or Shift+F10: as a right click

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void KeyHold(bool down);

    QString caption_;
    QColor back_;
    bool down_ = false;
    bool spaceDown_ = false;
    HeldKeys space_{[this](int) { KeyHold(false); }, this};
    AccessState access_;
};
