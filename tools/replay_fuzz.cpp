// libFuzzer entry: arbitrary bytes as a replay script, through the same parser and pass loop
// as pexilon-replay, output discarded. Built by scripts/fuzz.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string_view>

#include "tools/replay.hpp"

namespace {

// Keeps each input fast: a script of more lines is skipped, not cut, so a saved input
// runs the same passes in the tests as it ran here.
constexpr std::ptrdiff_t kMostLinesPerInput = 4000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::ptrdiff_t lineCount = std::count(text.begin(), text.end(), '\n') + 1;
    if (lineCount > kMostLinesPerInput)
        return -1;
    std::istringstream script{std::string(text)};
    // No buffer: the printer still formats every line, the stream drops it.
    std::ostream discard(nullptr);
    // The first byte also picks how often to print, so --every's bookkeeping is fuzzed too.
    const std::int64_t every = size == 0 ? 1 : 1 + data[0] % 8;
    const std::optional<ScriptProblem> problem = replayScript(script, discard, every);
    if (problem && (problem->line < 1 || problem->line > lineCount))
        __builtin_trap();
    return 0;
}
