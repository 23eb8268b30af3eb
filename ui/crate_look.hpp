// What both crate columns draw alike: the brightness by slot, the hit bar and a centred caption.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "draw/colour.hpp"
#include "draw/font.hpp"
#include "draw/primitives.hpp"

inline constexpr float kCrateHitBarGap = 5.0f;
inline constexpr float kCrateHitBarHeight = 5.0f;
inline constexpr float kCrateCaptionDrop = 13.0f;

// The bottom crate, the one that can be shot, is drawn at full brightness; the rest dimmer.
inline float crateBrightness(bool isBottom)
{
    constexpr float kBottomBrightness = 1.0f;
    constexpr float kUpperBrightness = 0.58f;
    return isBottom ? kBottomBrightness : kUpperBrightness;
}

// The green part shows the shots still needed, so it shrinks as shots land.
template <typename Crate>
void drawCrateHitBar(const Crate& crate)
{
    const float barY = crate.y + crate.height + kCrateHitBarGap;
    const float left =
        std::clamp(1.0f - static_cast<float>(crate.hits) / static_cast<float>(crate.hitsNeeded), 0.0f, 1.0f);
    fillRect(crate.x, barY, crate.width, kCrateHitBarHeight, palette::kCrateHitBarEmpty);
    fillRect(crate.x, barY, left * crate.width, kCrateHitBarHeight, palette::kCrateHitBarFull);
}

// A caption centred under the crate's box.
template <typename Crate>
void drawCrateCaption(const Crate& crate, std::string_view text, float scale, Colour colour)
{
    const float cx = crate.x + crate.width * 0.5f;
    drawText(centredTextX(cx, text, scale), crate.y + crate.height + kCrateCaptionDrop, text, scale, colour);
}

// The number of shots the crate still needs.
template <typename Crate>
void drawShotsStillNeeded(const Crate& crate)
{
    drawCrateCaption(crate, std::to_string(crate.hitsNeeded - crate.hits), 1.3f, palette::kCrateCountCaption);
}
