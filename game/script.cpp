// Replay scripts, the game's own record of a played game.
#include "game/script.hpp"

#include <charconv>
#include <iterator>

void appendScriptLine(std::string& out, const PassInput& input)
{
    // The shortest form that reads back as the same float: a replay takes the very same steps.
    char frameTime[32];
    const std::to_chars_result written = std::to_chars(std::begin(frameTime), std::end(frameTime), input.dt);
    out.append(frameTime, written.ptr);
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
