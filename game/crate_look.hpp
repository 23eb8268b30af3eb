// What both crate columns draw alike under a crate: the hit bar and a centred caption.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

#include "draw/font.hpp"
#include "draw/primitives.hpp"

inline constexpr float kCrateHitBarGap = 5.0f;
inline constexpr float kCrateHitBarHeight = 5.0f;
inline constexpr float kCrateCaptionDrop = 13.0f;

// The green part shows the shots still needed, so it shrinks as shots land.
template <typename Crate>
void drawCrateHitBar(const Crate& crate)
{
    const float barY = crate.y + crate.height + kCrateHitBarGap;
    const float left =
        std::clamp(1.0f - static_cast<float>(crate.hits) / static_cast<float>(crate.hitsNeeded), 0.0f, 1.0f);
    fillRect(crate.x, barY, crate.width, kCrateHitBarHeight, 0.18f, 0.02f, 0.02f);
    fillRect(crate.x, barY, left * crate.width, kCrateHitBarHeight, 0.0f, 0.9f, 0.1f);
}

// A grey caption centred under the crate's box.
template <typename Crate>
void drawCrateCaption(const Crate& crate, std::string_view text, float scale, float grey)
{
    const float cx = crate.x + crate.width * 0.5f;
    drawText(cx - textWidth(text, scale) * 0.5f, crate.y + crate.height + kCrateCaptionDrop, text, scale, grey, grey,
             grey);
}

// The number of shots the crate still needs.
template <typename Crate>
void drawShotsStillNeeded(const Crate& crate)
{
    drawCrateCaption(crate, std::to_string(crate.hitsNeeded - crate.hits), 1.3f, 0.95f);
}
