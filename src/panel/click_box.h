#pragma once

#include <QLineEdit>
#include <functional>

// A read-only display box that reports a click, or Enter or Space once Tab reached it.
class ClickBox : public QLineEdit {
public:
    explicit ClickBox(QWidget* parent = nullptr);
    std::function<void()> onClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
};
