#pragma once

#include <QString>
#include <QValidator>
#include <string>
#include <string_view>

// The panel's state holds text as its files do: 8-bit ISO-8859-1, one byte per character.
// The Qt views convert at their edge, so every byte value round-trips.

namespace kv::platform {

inline QString ToQt(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

// A character the 8-bit code cannot hold becomes NUL, which no stored text accepts: the
// logic's checks then refuse it instead of storing a look-alike.
inline std::string FromQt(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text) {
        out += c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '\0';
    }
    return out;
}

// Holds a box's whole text to one character rule, so typing, pasting and input methods agree.
class CharRuleValidator : public QValidator {
public:
    CharRuleValidator(bool (*accepted)(char32_t), QObject* parent)
        : QValidator(parent), accepted_(accepted) {}

    State validate(QString& text, int&) const override {
        for (const QChar c : text) {
            if (!accepted_(c.unicode())) {
                return Invalid;
            }
        }
        return Acceptable;
    }

private:
    bool (*accepted_)(char32_t);
};

}  // namespace kv::platform
