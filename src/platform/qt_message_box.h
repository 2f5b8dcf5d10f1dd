#pragma once

#include <string>

#include "state/message_box.h"

class QWidget;

namespace kv::platform {

// A modal QMessageBox with the title, the text, the icon and an OK button only.
class QtMessageBox final : public MessageBox {
public:
    explicit QtMessageBox(QWidget* parent = nullptr);

    void Show(const std::string& text, const std::string& title, MessageIcon icon) override;

private:
    QWidget* parent_;
};

}  // namespace kv::platform
