// The status line in the window title.
#pragma once

#include <string>

struct GameState;

std::string composeTitle(const GameState& state);
