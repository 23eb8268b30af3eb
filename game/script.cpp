// Replay scripts, the game's own record of a played game.
#include "game/script.hpp"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
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
    file.open(path);
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

// A frame time as a 32-bit float, or nothing when it is not a plain decimal number of
// 0 or more (negative, infinite, NaN, trailing junk).
std::optional<float> parseFrameTime(std::string_view text)
{
    // A minus sign says negative, even on a number that reads as zero ("-0", "-1e-50").
    if (text.starts_with('-'))
        return std::nullopt;
    // A plus sign in front of a number is still a decimal number; from_chars takes none.
    if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+')
        text.remove_prefix(1);
    float value = 0.0f;
    const char* const end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (stop != end)
        return std::nullopt;
    // from_chars rejects a value past float's range without saying which side; strtof
    // rounds it the way a float parse does, to infinity (refused below) or to zero.
    if (error == std::errc::result_out_of_range)
        value = std::strtof(std::string(text).c_str(), nullptr);
    else if (error != std::errc())
        return std::nullopt;
    if (!std::isfinite(value))
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

void appendFloat(std::string& out, float value)
{
    char buffer[32];
    const std::to_chars_result result = std::to_chars(std::begin(buffer), std::end(buffer), value);
    out.append(buffer, result.ptr);
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
