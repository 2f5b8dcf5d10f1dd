#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>

#include "state/colours.h"

// A push button that paints exactly its background colour, flat, with a two-line
// caption; it reports mouse down and up with the mouse button (1 left, 2 right, 4 middle).
class ColourButton : public QWidget {
public:
    explicit ColourButton(QWidget* parent = nullptr);

    void SetCaption(const QString& caption);  // lines split by a carriage return
    void SetBackColour(kv::Colour colour);
    QColor BackColour() const { return back_; }
    QString Caption() const { return caption_; }

    std::function<void(int16_t)> onPress;
    std::function<void(int16_t)> onRelease;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
    QColor back_;
    bool down_ = false;
};
