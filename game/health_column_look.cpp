// How a health pack looks: a red box with a white cross, and for the bottom pack its hit
// bar and the shots still needed.
#include "game/health_column_look.hpp"

#include <algorithm>
#include <string>

#include "draw/font.hpp"
#include "draw/primitives.hpp"
#include "game/health_column.hpp"

namespace {
constexpr float kBottomBrightness = 1.0f;
constexpr float kUpperBrightness = 0.58f;
// Both bars of the cross are centred on the 48-unit box.
constexpr float kCrossBarInset = 20.0f;
constexpr float kCrossBarEndInset = 9.0f;
constexpr float kCrossBarThickness = 8.0f;
constexpr float kCrossBarLength = 30.0f;

void drawPackBody(const HealthCrate& crate, float k)
{
    fillRect(crate.x, crate.y, crate.width, crate.height, 0.82f * k, 0.05f * k, 0.05f * k);
    fillRect(crate.x + kCrossBarInset, crate.y + kCrossBarEndInset, kCrossBarThickness, kCrossBarLength, k, k, k);
    fillRect(crate.x + kCrossBarEndInset, crate.y + kCrossBarInset, kCrossBarLength, kCrossBarThickness, k, k, k);
}

constexpr float kHitBarGap = 5.0f;
constexpr float kHitBarHeight = 5.0f;
constexpr float kCaptionDrop = 13.0f;
constexpr float kCaptionScale = 1.3f;

// The green part and the number both show the shots still needed.
void drawShotsStillNeeded(const HealthCrate& crate)
{
    const float barY = crate.y + crate.height + kHitBarGap;
    const float left = std::clamp(1.0f - static_cast<float>(crate.hits) / static_cast<float>(crate.hitsNeeded), 0.0f, 1.0f);
    fillRect(crate.x, barY, crate.width, kHitBarHeight, 0.18f, 0.02f, 0.02f);
    fillRect(crate.x, barY, left * crate.width, kHitBarHeight, 0.0f, 0.9f, 0.1f);

    const std::string count = std::to_string(crate.hitsNeeded - crate.hits);
    const float cx = crate.x + crate.width * 0.5f;
    drawText(cx - textWidth(count, kCaptionScale) * 0.5f, crate.y + crate.height + kCaptionDrop, count, kCaptionScale,
             0.95f, 0.95f, 0.95f);
}
}  // namespace

void drawHealthCrate(const HealthCrate& crate, bool isBottom)
{
    drawPackBody(crate, isBottom ? kBottomBrightness : kUpperBrightness);
    if (isBottom)
        outlineRect(crate.x, crate.y, crate.width, crate.height, 1.0f, 0.95f, 0.95f);
    else
        outlineRect(crate.x, crate.y, crate.width, crate.height, 0.45f, 0.18f, 0.18f);
    // Only the bottom pack can be shot, so only it shows how many shots remain.
    if (isBottom)
        drawShotsStillNeeded(crate);
}
