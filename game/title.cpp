// The status line in the window title.
#include "game/title.hpp"

#include <string>

#include "game/game_state.hpp"

std::string composeTitle(const GameState& state)
{
    std::string title;
    // The fixed text is 151 bytes; with the suffix and seven numbers of up to 11 characters
    // the title never needs more than 242, so it is built without growing.
    title.reserve(256);
    title += "Pexilon  |  Score: ";
    title += std::to_string(state.score);
    title += "  Health: ";
    title += std::to_string(state.health);
    title += "  Level: ";
    title += std::to_string(state.level);
    title += "  Wave: ";
    title += std::to_string(state.wave);
    title += "  Monsters: ";
    title += std::to_string(state.monsters.size());
    // "Shots" is the shots per volley, not the shots in flight.
    title += "  Shots: ";
    title += std::to_string(state.guns);
    title += "  Power: ";
    title += std::to_string(state.power);
    title += "  |  A/D Move  |  SPACE Shoot  |  R Restart  |  F11 Fullscreen  |  ESC Exit";
    if (state.gameOver)
        title += "  |  GAME OVER";
    return title;
}
