// libFuzzer entry: arbitrary bytes as a replay script, through the same parser and pass loop
// as pexilon-replay, output discarded. Built and run by `cmake --workflow --preset fuzz`.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <streambuf>
#include <string_view>

#include "tools/replay.hpp"

namespace {

// Keeps each input fast: a script of more lines is skipped, not cut, so a saved input
// runs the same passes in the tests as it ran here.
constexpr std::ptrdiff_t kMostLinesPerInput = 4000;

// Takes every byte and keeps none: the printer still formats every line, and the pass loop,
// which stops at a failed write, sees none.
struct DiscardingBuffer : std::streambuf {
    int overflow(int c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::ptrdiff_t lineCount = std::count(text.begin(), text.end(), '\n') + 1;
    if (lineCount > kMostLinesPerInput)
        return -1;
    std::istringstream script{std::string(text)};
    DiscardingBuffer nowhere;
    std::ostream discard(&nowhere);
    // The first byte also picks how often to print, so --every's bookkeeping is fuzzed too.
    const std::int64_t every = size == 0 ? 1 : 1 + data[0] % 8;
    const std::optional<ScriptProblem> problem = replayScript(script, discard, every);
    if (problem && (problem->line < 1 || problem->line > lineCount))
        __builtin_trap();
    return 0;
}
