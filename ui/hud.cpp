// The HUD panel: health bar, score, level and wave, loadout.
#include "ui/hud.hpp"

#include <algorithm>
#include <string>

#include "draw/font.hpp"
#include "draw/primitives.hpp"
#include "draw/view.hpp"
#include "game/game_state.hpp"

namespace {
constexpr float kTopLineY = 16.0f;
constexpr float kTopLineScale = 2.0f;
constexpr float kHealthLabelX = 20.0f;
constexpr float kBarX = 120.0f;
constexpr float kBarY = 17.0f;
constexpr float kBarWidth = 270.0f;
constexpr float kBarHeight = 20.0f;
constexpr float kFullHealth = 100.0f;

void drawHealthGauge(std::int32_t health)
{
    drawText(kHealthLabelX, kTopLineY, "HEALTH", kTopLineScale, palette::kHudHealthLabel);
    fillRect(kBarX, kBarY, kBarWidth, kBarHeight, palette::kHealthBarEmpty);
    // Health shown is never negative, but the bar must not point left if it ever were.
    const float filled = std::clamp(static_cast<float>(health) / kFullHealth, 0.0f, 1.0f);
    fillRect(kBarX, kBarY, filled * kBarWidth, kBarHeight, palette::kHealthBarFull);
    outlineRect(kBarX, kBarY, kBarWidth, kBarHeight, palette::kHealthBarFrame);
}

// The score's left edge stays put and a longer number grows to the right.
constexpr float kScoreFromRight = 250.0f;

void drawCentredLine(float y, const std::string& text, float scale, Colour colour)
{
    drawText(centredTextX(kLogicalWidth * 0.5f, text, scale), y, text, scale, colour);
}

constexpr float kProgressLineY = 48.0f;
constexpr float kLoadoutLineY = 70.0f;
constexpr float kLoadoutScale = 1.7f;
}  // namespace

void drawHud(const GameState& state)
{
    drawHealthGauge(state.health);
    drawText(kLogicalWidth - kScoreFromRight, kTopLineY, "SCORE:" + std::to_string(state.score), kTopLineScale,
             palette::kScoreText);
    drawCentredLine(kProgressLineY, "LEVEL:" + std::to_string(state.level) + "  WAVE:" + std::to_string(state.wave),
                    kTopLineScale, palette::kProgressText);
    drawCentredLine(kLoadoutLineY,
                    "SHOT:" + std::to_string(state.guns) + "  PWR:" + std::to_string(state.power) +
                        "  SPR:" + (state.supergun ? "ON" : "OFF"),
                    kLoadoutScale, palette::kLoadoutText);
}
