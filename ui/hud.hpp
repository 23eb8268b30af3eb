// The HUD panel: health bar, score, level and wave, loadout.
#pragma once

#include <cstdint>

void drawHud(float width, std::int32_t health, std::int32_t score, std::int32_t wave, std::int32_t level,
             std::int32_t guns, std::int32_t power, bool supergun);
