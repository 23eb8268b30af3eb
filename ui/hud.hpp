// The HUD panel: health bar, score, level and wave, loadout.
#pragma once

struct GameState;

void drawHud(const GameState& state);
