// Replay scripts, the game's own record of a played game: reading and writing their lines.
#include "game/script.hpp"

#include <algorithm>
#include <cmath>
#include <ios>
#include <istream>
#include <streambuf>
#include <system_error>

#include "game/float_text.hpp"
#include "game/quoting.hpp"

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
// 0 or more (negative, infinite, trailing junk).
std::optional<float> parseFrameTime(std::string_view text)
{
    // A minus sign says negative, even on a number that reads as zero ("-0", "-1e-50").
    if (text.starts_with('-'))
        return std::nullopt;
    const std::optional<float> value = readFloat(text);
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
