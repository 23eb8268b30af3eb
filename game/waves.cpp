// Waves and levels: the level follows the wave, and each new level is announced once.
#include "game/waves.hpp"

#include <algorithm>
#include <string>

#include "game/playfield.hpp"

namespace {
constexpr std::int32_t kWavesPerLevel = 5;
}

std::int32_t levelForWave(std::int32_t wave)
{
    return (std::max(wave, 1) - 1) / kWavesPerLevel + 1;
}

namespace {
constexpr float kBannerX = (kLaneLeft + kLaneRight) * 0.5f;
constexpr float kBannerLevelY = 300.0f;
constexpr float kBannerWarningY = 345.0f;
}  // namespace

void announceLevel(std::int32_t wave, std::int32_t& level, std::int32_t& announcedLevel, MessageList& messages)
{
    level = levelForWave(wave);
    if (level <= announcedLevel)
        return;
    announcedLevel = level;
    addMessage(messages, "LEVEL " + std::to_string(level), kBannerX, kBannerLevelY, {0.55f, 0.85f, 1.0f});
    addMessage(messages, "MONSTERS STRONGER", kBannerX, kBannerWarningY, {1.0f, 0.72f, 0.25f});
}
