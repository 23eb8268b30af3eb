// Watching a recorded game: the recording is checked whole before the window opens, then read
// again pass by pass while it is shown, so that no length of recording is ever held whole.
#include "app/watching.hpp"

#include <string_view>

#include "game/quoting.hpp"
#include "game/script_file.hpp"

std::optional<std::string> checkRecording(const std::string& path, CheckedRecording& checked)
{
    const std::string shownPath = quoteForMessage(path, std::string_view::npos);
    if (const std::optional<std::string> reason = openScript(checked.file, path))
        return "cannot open " + shownPath + ": " + *reason;
    ScriptReader reader{checked.file};
    checked.passes = 0;
    while (readPass(reader))
        ++checked.passes;
    if (reader.problem && reader.problem->kind == ScriptProblem::Kind::Unreadable)
        return "cannot read " + shownPath + ": " + reader.problem->problem;
    if (reader.problem)
        return shownPath + ": line " + std::to_string(reader.problem->line) + ": " + reader.problem->problem;
    checked.file.clear();
    if (!checked.file.seekg(0))
        return "cannot read " + shownPath + " again to show it (a pipe can be watched only through a file)";
    return std::nullopt;
}

std::optional<PassInput> nextWatchedPass(WatchedScript& script)
{
    if (script.passesLeft == 0)
        return std::nullopt;
    const std::optional<PassInput> pass = readPass(script.reader);
    script.passesLeft = pass ? script.passesLeft - 1 : 0;
    return pass;
}
