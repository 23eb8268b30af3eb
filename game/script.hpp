// Replay scripts, the game's own record of a played game: one line per pass, the frame time
// and then the words of the held keys and restarts.
#pragma once

#include <string>

#include "game/pass.hpp"

// One pass as a script line, with its line end: the frame time written so that it reads back
// to the very same float, then left, right and fire when held, and one restart per restart.
void appendScriptLine(std::string& out, const PassInput& input);
