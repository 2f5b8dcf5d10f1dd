#pragma once

#include <QLineEdit>
#include <functional>

// A read-only display box that reports a click.
class ClickBox : public QLineEdit {
public:
    explicit ClickBox(QWidget* parent = nullptr);
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
