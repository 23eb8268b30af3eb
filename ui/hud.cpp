// The HUD panel: health bar, score, level and wave, loadout.
#include "ui/hud.hpp"

#include <algorithm>
#include <string>

#include "draw/font.hpp"
#include "draw/primitives.hpp"

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
    drawText(kHealthLabelX, kTopLineY, "HEALTH", kTopLineScale, 0.85f, 1.0f, 0.85f);
    fillRect(kBarX, kBarY, kBarWidth, kBarHeight, 0.25f, 0.02f, 0.02f);
    // Health shown is never negative, but the bar must not point left if it ever were.
    const float filled = std::clamp(static_cast<float>(health) / kFullHealth, 0.0f, 1.0f);
    fillRect(kBarX, kBarY, filled * kBarWidth, kBarHeight, 0.0f, 0.85f, 0.2f);
    outlineRect(kBarX, kBarY, kBarWidth, kBarHeight, 0.8f, 0.8f, 0.8f);
}

// The score's left edge stays put and a longer number grows to the right.
constexpr float kScoreFromRight = 250.0f;

void drawCentredLine(float width, float y, const std::string& text, float scale, float r, float g, float b)
{
    drawText(width * 0.5f - textWidth(text, scale) * 0.5f, y, text, scale, r, g, b);
}

constexpr float kProgressLineY = 48.0f;
constexpr float kLoadoutLineY = 70.0f;
constexpr float kLoadoutScale = 1.7f;
}  // namespace

void drawHud(float width, std::int32_t health, std::int32_t score, std::int32_t wave, std::int32_t level,
             std::int32_t guns, std::int32_t power, bool supergun)
{
    drawHealthGauge(health);
    drawText(width - kScoreFromRight, kTopLineY, "SCORE:" + std::to_string(score), kTopLineScale, 0.72f, 1.0f, 0.72f);
    drawCentredLine(width, kProgressLineY, "LEVEL:" + std::to_string(level) + "  WAVE:" + std::to_string(wave),
                    kTopLineScale, 0.8f, 0.9f, 1.0f);
    drawCentredLine(width, kLoadoutLineY,
                    "SHOT:" + std::to_string(guns) + "  PWR:" + std::to_string(power) + "  SPR:" + (supergun ? "ON" : "OFF"),
                    kLoadoutScale, 1.0f, 0.95f, 0.55f);
}
