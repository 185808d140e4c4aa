// The values of a printer-language command, read in order: numbers and letters separated by
// commas, counted up to the first that does not match. Numbers are read without any locale.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace vintrel {

class LdfcCommandValues {
public:
    explicit LdfcCommandValues(std::string_view text) : m_text(text) {}

    // Each reads the next value: blanks, a decimal number (a float with an optional fraction and
    // exponent; an integer saturated to 32 bits) or any one character. Every value but the first
    // must follow a comma. False, with the value untouched, when it does not match.
    bool next(float& value);
    bool next(std::int32_t& value);
    bool next(char& value);

    // How many of `values` match, in order, reading from the start of `text`.
    template <class... Values>
    static int scan(std::string_view text, Values&... values)
    {
        LdfcCommandValues cursor(text);
        int count = 0;
        static_cast<void>(((cursor.next(values) ? (++count, true) : false) && ...));
        return count;
    }

private:
    bool separator();
    void skipBlanks();

    std::string_view m_text;
    std::size_t m_pos = 0;
    bool m_first = true;
};

} // namespace vintrel
