// Replay scripts, the game's own record of a played game.
#include "game/script.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ios>
#include <istream>
#include <iterator>
#include <streambuf>
#include <system_error>

std::string quoteForMessage(std::string_view text, std::size_t mostChars)
{
    constexpr char kHexDigits[] = "0123456789abcdef";
    constexpr std::string_view kCut = "...";
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        std::string form;
        if (c == '\\')
            form = "\\\\";
        else if (byte < 0x20 || byte > 0x7e)
            form = {'\\', 'x', kHexDigits[byte >> 4], kHexDigits[byte & 0xf]};
        else
            form = c;
        if (shown.size() + form.size() > mostChars) {
            shown += kCut;
            break;
        }
        shown += form;
    }
    return '\'' + shown + '\'';
}

std::optional<std::string> openScript(std::ifstream& file, const std::string& path)
{
    // A directory opens like a file on Linux and then reads as empty: refuse it by name.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored))
        return std::make_error_code(std::errc::is_a_directory).message();
    file.open(path, std::ios::binary);
    if (!file)
        return std::generic_category().message(errno);
    return std::nullopt;
}

namespace {

constexpr std::string_view kFieldSeparators = " \t";

// Takes the next field off the front of `rest`; empty when none is left.
std::string_view takeField(std::string_view& rest)
{
    const std::size_t start = rest.find_first_not_of(kFieldSeparators);
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const std::size_t length = std::min(rest.find_first_of(kFieldSeparators), rest.size());
    const std::string_view field = rest.substr(0, length);
    rest.remove_prefix(length);
    return field;
}

// A plain decimal number (digits, a point, a sign, an exponent) as a 32-bit float. Built on
// strtof, not from_chars: Emscripten's C++ library has no floating-point from_chars, and the
// browser build must read every script as the desktop's does.
std::optional<float> parseDecimal(std::string_view text)
{
    // strtof would also take spaces, hexadecimal, "inf" and "nan".
    if (text.empty() || text.find_first_not_of("0123456789.eE+-") != std::string_view::npos)
        return std::nullopt;
    const std::string terminated(text);
    char* stop = nullptr;
    // Past float's range strtof rounds as a float parse does, to infinity or to zero.
    const float value = std::strtof(terminated.c_str(), &stop);
    if (stop != terminated.c_str() + terminated.size())
        return std::nullopt;
    return value;
}

// A frame time as a 32-bit float, or nothing when it is not a plain decimal number of
// 0 or more (negative, infinite, trailing junk).
std::optional<float> parseFrameTime(std::string_view text)
{
    // A minus sign says negative, even on a number that reads as zero ("-0", "-1e-50").
    if (text.starts_with('-'))
        return std::nullopt;
    const std::optional<float> value = parseDecimal(text);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

ScriptLine badLine(std::string problem)
{
    ScriptLine line;
    line.kind = LineKind::Bad;
    line.problem = std::move(problem);
    return line;
}

}  // namespace

ScriptLine parseScriptLine(std::string_view line)
{
    // A script saved with CRLF line ends reads the same.
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    std::string_view rest = line;
    const std::string_view first = takeField(rest);
    if (first.empty() || first.front() == '#')
        return {};
    const std::optional<float> frameTime = parseFrameTime(first);
    if (!frameTime)
        return badLine("bad frame time " + quoteForMessage(first));
    ScriptLine parsed;
    parsed.kind = LineKind::Pass;
    parsed.input.dt = capFrameTime(*frameTime);
    for (std::string_view word = takeField(rest); !word.empty(); word = takeField(rest)) {
        if (word == "left")
            parsed.input.held.left = true;
        else if (word == "right")
            parsed.input.held.right = true;
        else if (word == "fire")
            parsed.input.held.fire = true;
        else if (word == "restart")
            parsed.input.restarts += 1;
        else
            return badLine("unknown word " + quoteForMessage(word));
    }
    return parsed;
}

namespace {

enum class LineRead { Line, TooLong, End };

// Reads one line without its line end into `line` (the last line of a script needs no line
// end). A line longer than kLongestLine is left there, unread past its limit.
LineRead readLine(std::streambuf& script, std::string& line)
{
    using Traits = std::streambuf::traits_type;
    line.clear();
    for (int c = script.sbumpc(); c != Traits::eof(); c = script.sbumpc()) {
        if (c == '\n')
            return LineRead::Line;
        if (line.size() == kLongestLine)
            return LineRead::TooLong;
        line += Traits::to_char_type(c);
    }
    return line.empty() ? LineRead::End : LineRead::Line;
}

}  // namespace

std::optional<PassInput> readPass(ScriptReader& reader)
{
    using Kind = ScriptProblem::Kind;
    if (reader.problem)
        return std::nullopt;
    try {
        for (;;) {
            const LineRead read = readLine(*reader.script.rdbuf(), reader.line);
            if (read == LineRead::End)
                return std::nullopt;
            ++reader.lineNumber;
            ScriptLine parsed = read == LineRead::TooLong
                                    ? badLine("longer than " + std::to_string(kLongestLine) + " bytes")
                                    : parseScriptLine(reader.line);
            if (parsed.kind == LineKind::Pass)
                return parsed.input;
            if (parsed.kind == LineKind::Bad) {
                reader.problem = ScriptProblem{Kind::BadLine, reader.lineNumber, std::move(parsed.problem)};
                return std::nullopt;
            }
        }
    } catch (const std::ios_base::failure& failure) {
        // A file's buffer throws this when the system refuses a read, with the system's
        // reason as its code (reading a directory, a closed or write-only descriptor).
        reader.problem = ScriptProblem{Kind::Unreadable, reader.lineNumber + 1, failure.code().message()};
        return std::nullopt;
    }
}

namespace {

// A positive float's decimal digits with the power of ten of the first: digits "25" with
// exponent -2 is 0.025.
struct Decimal {
    std::uint32_t digits = 0;
    int exponent = 0;
    int length = 1;  // digits counted, trailing zeros included
};

std::uint32_t powerOfTen(int power)
{
    std::uint32_t result = 1;
    for (int i = 0; i < power; ++i)
        result *= 10;
    return result;
}

bool readsBackAs(const Decimal& decimal, float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%ue%d", decimal.digits, decimal.exponent - decimal.length + 1);
    return std::strtof(text, nullptr) == value;
}

// The decimal of `length` digits nearest to the value, as printf rounds it.
Decimal nearestDecimal(float value, int length)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*e", length - 1, static_cast<double>(value));
    Decimal decimal;
    decimal.length = length;
    const char* c = text;
    for (; *c != 'e'; ++c) {
        if (*c != '.')
            decimal.digits = decimal.digits * 10 + static_cast<std::uint32_t>(*c - '0');
    }
    decimal.exponent = std::atoi(c + 1);
    return decimal;
}

// One unit more in the last digit, staying at the same number of digits past a power of ten.
Decimal nextDecimalUp(Decimal decimal)
{
    if (decimal.digits == powerOfTen(decimal.length) - 1) {
        decimal.digits = powerOfTen(decimal.length - 1);
        ++decimal.exponent;
    } else {
        ++decimal.digits;
    }
    return decimal;
}

// The fewest digits that read back as the value, the nearest such when there are several.
// At a power of two the gap to the next float below is half the gap above, so the nearest
// decimal of a length can fall just below and miss while the next one up reads back.
Decimal shortestDecimal(float value)
{
    constexpr int kDigitsThatAlwaysReadBack = 9;
    for (int length = 1;; ++length) {
        const Decimal nearest = nearestDecimal(value, length);
        if (length == kDigitsThatAlwaysReadBack || readsBackAs(nearest, value))
            return nearest;
        const Decimal above = nextDecimalUp(nearest);
        if (readsBackAs(above, value))
            return above;
    }
}

// d.ddde+XX: at least two exponent digits, as printf writes them.
std::string scientificText(const std::string& digits, int exponent)
{
    std::string text(1, digits[0]);
    if (digits.size() > 1) {
        text += '.';
        text.append(digits, 1);
    }
    char power[16];
    std::snprintf(power, sizeof power, "e%c%02d", exponent < 0 ? '-' : '+', exponent < 0 ? -exponent : exponent);
    return text + power;
}

// A whole number is written out exactly, every digit, as printf's %.0f writes it.
std::string fixedText(const std::string& digits, int exponent, float value)
{
    if (exponent < 0)
        return "0." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    const auto whole = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= whole) {
        char text[48];
        std::snprintf(text, sizeof text, "%.0f", static_cast<double>(value));
        return text;
    }
    return digits.substr(0, whole) + '.' + digits.substr(whole);
}

}  // namespace

// What std::to_chars writes for a float: the shortest digits, in fixed or scientific notation,
// whichever is shorter, fixed on a tie. Emscripten's C++ library has no floating-point
// to_chars, and the browser build must write what the desktop's writes, byte for byte.
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
    const Decimal decimal = shortestDecimal(value);
    std::string digits = std::to_string(decimal.digits);
    digits.erase(digits.find_last_not_of('0') + 1);
    const std::string fixed = fixedText(digits, decimal.exponent, value);
    const std::string scientific = scientificText(digits, decimal.exponent);
    out += fixed.size() <= scientific.size() ? fixed : scientific;
}

void appendScriptLine(std::string& out, const PassInput& input)
{
    // Read back, the very same float: a replay takes the very same steps.
    appendFloat(out, input.dt);
    if (input.held.left)
        out += " left";
    if (input.held.right)
        out += " right";
    if (input.held.fire)
        out += " fire";
    for (int i = 0; i < input.restarts; ++i)
        out += " restart";
    out += '\n';
}
