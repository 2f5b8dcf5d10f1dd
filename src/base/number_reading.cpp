#include "base/number_reading.h"

#include <locale.h>
#include <clocale>
#include <cstdlib>
#include <string>

#include "base/checked.h"

namespace kv {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Hands out the characters of the text with the blanks left out.
class Cursor {
public:
    explicit Cursor(std::string_view text) : text_(text) { SkipBlanks(); }
    bool AtEnd() const { return pos_ >= text_.size(); }
    char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
    void Next() {
        ++pos_;
        SkipBlanks();
    }

private:
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) {
            ++pos_;
        }
    }
    std::string_view text_;
    std::size_t pos_ = 0;
};

std::size_t TakeDigits(Cursor& in, std::string& out) {
    std::size_t count = 0;
    while (IsDigit(in.Peek())) {
        out += in.Peek();
        in.Next();
        ++count;
    }
    return count;
}

// The number's text in the "C" notation, whatever locale the process runs in.
double ParseC(const std::string& number) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return strtod_l(number.c_str(), nullptr, cLocale);
}

}  // namespace

double ReadNumber(std::string_view text) {
    Cursor in(text);
    std::string number;
    if (in.Peek() == '+' || in.Peek() == '-') {
        number += in.Peek();
        in.Next();
    }
    std::size_t digits = TakeDigits(in, number);
    if (in.Peek() == '.') {
        number += '.';
        in.Next();
        digits += TakeDigits(in, number);
    }
    if (digits == 0) {
        return 0.0;
    }
    if (in.Peek() == 'e' || in.Peek() == 'E') {
        std::string exponent = "e";
        in.Next();
        if (in.Peek() == '+' || in.Peek() == '-') {
            exponent += in.Peek();
            in.Next();
        }
        if (TakeDigits(in, exponent) > 0) {
            number += exponent;
        }
    }
    const double value = ParseC(number);
    return value == 0.0 ? 0.0 : value;
}

int16_t ReadInt16(std::string_view text) {
    return CInt16(ReadNumber(text));
}

int32_t ReadInt32(std::string_view text) {
    return CInt32(ReadNumber(text));
}

}  // namespace kv
