#pragma once

#include <string>

// Modal message boxes. The logic asks; the Qt stand-in shows them, tests record them.

namespace kv::platform {

enum class MessageIcon { None, Exclamation, Critical, Information };

class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Shows text with title and an OK button; returns when the operator closes it.
    virtual void Show(const std::string& text, const std::string& title, MessageIcon icon) = 0;
};

}  // namespace kv::platform
