// How a weapon crate looks, locked or open, with its emblem, frame, hit bar and caption.
#include "ui/weapon_column_look.hpp"

#include <string>

#include "draw/font.hpp"
#include "draw/primitives.hpp"
#include "game/weapon_column.hpp"
#include "ui/crate_look.hpp"

namespace {
// A locked crate is dimmed hard so that an open one stands out at a glance.
constexpr float kLockedDimming = 0.28f;

float weaponCrateBrightness(bool isBottom, bool unlocked)
{
    const float k = crateBrightness(isBottom);
    return unlocked ? k : k * kLockedDimming;
}

constexpr float kIconLineWidthPixels = 3.0f;
constexpr float kIconTopDrop = 12.0f;
constexpr float kIconSideTopDrop = 14.0f;
constexpr float kIconSideSpread = 5.0f;
constexpr float kIconFootInset = 11.0f;
constexpr float kIconFootRise = 10.0f;
constexpr float kIconSightDrop = 7.0f;
constexpr float kIconSightSize = 4.0f;

// Three barrels fanning out from the top, like the volley the supergun fires.
void drawSupergunIcon(const UpgradeCrate& crate, float cx)
{
    const float footY = crate.y + crate.height - kIconFootRise;
    const LineSegment barrels[] = {
        {cx, crate.y + kIconTopDrop, cx, footY},
        {cx - kIconSideSpread, crate.y + kIconSideTopDrop, crate.x + kIconFootInset, footY},
        {cx + kIconSideSpread, crate.y + kIconSideTopDrop, crate.x + crate.width - kIconFootInset, footY},
    };
    drawLines(barrels, kIconLineWidthPixels, palette::kSupergunIcon);
    fillRect(cx - kIconSightSize * 0.5f, crate.y + kIconSightDrop, kIconSightSize, kIconSightSize,
             palette::kSupergunIcon);
}

constexpr float kEmblemDrop = 15.0f;
constexpr float kGunEmblemInset = 8.0f;
constexpr float kPowerEmblemInset = 4.0f;
constexpr float kLockedSupergunInsetX = 18.0f;
constexpr float kLockedSupergunInsetY = 12.0f;
constexpr float kLockedSupergunWidth = 12.0f;
constexpr float kLockedSupergunHeight = 24.0f;

// Only the body dims with the lock; the text emblems keep their colours.
void drawBodyAndEmblem(const UpgradeCrate& crate, float k, bool unlocked, float cx)
{
    const float x = crate.x;
    const float y = crate.y;
    switch (crate.type) {
    case UpgradeType::Gun:
        fillRect(x, y, crate.width, crate.height, scaled(palette::kGunCrateBody, k));
        drawText(x + kGunEmblemInset, y + kEmblemDrop, "+1", 2.1f, palette::kGunEmblem);
        break;
    case UpgradeType::Power:
        fillRect(x, y, crate.width, crate.height, scaled(palette::kPowerCrateBody, k));
        drawText(x + kPowerEmblemInset, y + kEmblemDrop, "+1P", 1.7f, palette::kPowerEmblem);
        break;
    case UpgradeType::Supergun:
        fillRect(x, y, crate.width, crate.height, scaled(palette::kSupergunCrateBody, k));
        if (unlocked)
            drawSupergunIcon(crate, cx);
        else
            fillRect(x + kLockedSupergunInsetX, y + kLockedSupergunInsetY, kLockedSupergunWidth, kLockedSupergunHeight,
                     palette::kSupergunLockedMark);
        break;
    }
}

constexpr float kInnerRingGap = 4.0f;
constexpr float kOuterRingGap = 8.0f;

void drawCrateFrame(const UpgradeCrate& crate, bool unlocked)
{
    const float x = crate.x;
    const float y = crate.y;
    const float w = crate.width;
    const float h = crate.height;
    if (!unlocked) {
        outlineRect(x, y, w, h, palette::kLockedFrame);
        return;
    }
    outlineRect(x, y, w, h, palette::kOpenFrame);
    if (crate.unlockFlash > 0.0f) {
        outlineRect(x - kInnerRingGap, y - kInnerRingGap, w + 2.0f * kInnerRingGap, h + 2.0f * kInnerRingGap,
                    palette::kFlashInnerRing);
        outlineRect(x - kOuterRingGap, y - kOuterRingGap, w + 2.0f * kOuterRingGap, h + 2.0f * kOuterRingGap,
                    palette::kFlashOuterRing);
    }
}

// A locked crate shows only a dark bar: there is nothing to count yet.
void drawHitBar(const UpgradeCrate& crate, bool unlocked)
{
    if (unlocked)
        drawCrateHitBar(crate);
    else
        fillRect(crate.x, crate.y + crate.height + kCrateHitBarGap, crate.width, kCrateHitBarHeight, palette::kLockedHitBar);
}

constexpr float kLockRise = 17.0f;
constexpr float kLockScale = 1.1f;

// An open crate counts down the shots still needed; a locked one names the score that opens it.
void drawBottomCaptions(const UpgradeCrate& crate, bool unlocked, std::int32_t neededScore, float cx)
{
    if (unlocked) {
        drawShotsStillNeeded(crate);
        return;
    }
    // Appended rather than "S" + ...: g++ 12 warns falsely about that operator+.
    std::string neededCaption = "S";
    neededCaption += std::to_string(neededScore);
    drawCrateCaption(crate, neededCaption, 1.0f, palette::kNeededScoreCaption);
    drawText(centredTextX(cx, "LOCK", kLockScale), crate.y - kLockRise, "LOCK", kLockScale, palette::kLockCaption);
}
}  // namespace

void drawUpgradeCrate(const UpgradeCrate& crate, bool isBottom, bool unlocked, std::int32_t neededScore)
{
    const float cx = crate.x + crate.width * 0.5f;
    drawBodyAndEmblem(crate, weaponCrateBrightness(isBottom, unlocked), unlocked, cx);
    drawCrateFrame(crate, unlocked);
    drawHitBar(crate, unlocked);
    if (isBottom)
        drawBottomCaptions(crate, unlocked, neededScore, cx);
}
