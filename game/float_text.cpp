// 32-bit floats as decimal text. The digits, and the reading, come from Google's
// double-conversion, as the browser's C++ library has no floating-point to_chars or from_chars;
// the layout is std::to_chars', so every system writes the bytes the desktop's library would.
#include "game/float_text.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <limits>

#include <double-conversion/double-to-string.h>
#include <double-conversion/string-to-double.h>

namespace {

// The shortest digits of a positive finite float: "25" with point -1 is 0.025, with point 3
// is 250.
struct Digits {
    // SHORTEST_SINGLE writes at most 9 digits, but asks for room for a double's 17 and the end.
    char text[double_conversion::DoubleToStringConverter::kBase10MaximalLength + 1];
    int length = 0;
    int point = 0;
};

// Below this every whole number is a float, and floats are at most 1 apart.
constexpr float kWholeFloatsBelow = 16777216.0f;  // 2^24

Digits shortestDigits(float value)
{
    using double_conversion::DoubleToStringConverter;
    Digits digits;
    // Most floats of a trace are whole numbers (sizes, shot speeds, column places): their own
    // digits, less the trailing zeros, are the shortest, as a decimal with fewer digits is at
    // least 1 away, more than half the gap to the next float. Written without the search, as
    // fast as an integer.
    if (value < kWholeFloatsBelow && static_cast<float>(static_cast<std::uint32_t>(value)) == value) {
        const std::to_chars_result end =
            std::to_chars(std::begin(digits.text), std::end(digits.text), static_cast<std::uint32_t>(value));
        digits.point = static_cast<int>(end.ptr - digits.text);
        digits.length = digits.point;
        while (digits.text[digits.length - 1] == '0')
            --digits.length;
        return digits;
    }
    bool negative = false;
    DoubleToStringConverter::DoubleToAscii(value, DoubleToStringConverter::SHORTEST_SINGLE, 0, digits.text,
                                           sizeof digits.text, &negative, &digits.length, &digits.point);
    return digits;
}

int countDecimalDigits(int value)
{
    int count = 1;
    for (; value >= 10; value /= 10)
        ++count;
    return count;
}

// d.ddde+XX, with at least two exponent digits, as printf writes them.
int scientificLength(const Digits& digits)
{
    const int exponent = std::abs(digits.point - 1);
    return digits.length + (digits.length > 1 ? 1 : 0) + 2 + std::max(2, countDecimalDigits(exponent));
}

void appendScientific(std::string& out, const Digits& digits)
{
    out += digits.text[0];
    if (digits.length > 1) {
        out += '.';
        out.append(digits.text + 1, static_cast<std::size_t>(digits.length - 1));
    }
    const int exponent = digits.point - 1;
    out += exponent < 0 ? "e-" : "e+";
    if (std::abs(exponent) < 10)
        out += '0';
    char power[8];
    out.append(power, std::to_chars(std::begin(power), std::end(power), std::abs(exponent)).ptr);
}

// Whole numbers have as many digits as the point says: the shortest digits and then zeros.
int fixedLength(const Digits& digits)
{
    if (digits.point <= 0)
        return 2 - digits.point + digits.length;
    if (digits.point < digits.length)
        return digits.length + 1;
    return digits.point;
}

// A whole number is written out exactly, every digit of the float's value, not the shortest
// digits padded with zeros. The layout chooses it only up to 14 digits, within 64 bits.
void appendFixed(std::string& out, const Digits& digits, float value)
{
    const auto length = static_cast<std::size_t>(digits.length);
    if (digits.point <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-digits.point), '0');
        out.append(digits.text, length);
    } else if (digits.point < digits.length) {
        const auto whole = static_cast<std::size_t>(digits.point);
        out.append(digits.text, whole);
        out += '.';
        out.append(digits.text + whole, length - whole);
    } else {
        char whole[24];
        const auto exact = static_cast<std::uint64_t>(value);
        out.append(whole, std::to_chars(std::begin(whole), std::end(whole), exact).ptr);
    }
}

}  // namespace

// The layout of std::to_chars without a format: the shortest digits, in fixed or scientific
// notation, whichever is shorter, fixed on a tie.
void appendFloat(std::string& out, float value)
{
    if (std::signbit(value))
        out += '-';
    value = std::fabs(value);
    if (value == 0.0f) {
        out += '0';
        return;
    }
    if (!std::isfinite(value)) {
        out += std::isnan(value) ? "nan" : "inf";
        return;
    }
    const Digits digits = shortestDigits(value);
    if (fixedLength(digits) <= scientificLength(digits))
        appendFixed(out, digits, value);
    else
        appendScientific(out, digits);
}

std::optional<float> readFloat(std::string_view text)
{
    using double_conversion::StringToDoubleConverter;
    constexpr float kNotANumber = std::numeric_limits<float>::quiet_NaN();
    // No flags: no spaces, no hexadecimal, no octal, no trailing junk; and with no symbols
    // given, no "inf" or "nan" either.
    const StringToDoubleConverter converter(StringToDoubleConverter::NO_FLAGS, kNotANumber, kNotANumber, nullptr,
                                            nullptr);
    if (text.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return std::nullopt;
    const int length = static_cast<int>(text.size());
    int read = 0;
    const float value = converter.StringToFloat(text.data(), length, &read);
    if (read != length || std::isnan(value))
        return std::nullopt;
    return value;
}
