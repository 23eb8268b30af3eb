// The static backdrop: the HUD panel and the playfield with its columns, lane and floor.
#include "draw/backdrop.hpp"

#include "draw/primitives.hpp"
#include "game/playfield.hpp"

namespace {
constexpr float kHudRuleHeight = 4.0f;
}

void drawHudBackdrop()
{
    fillRect(0.0f, 0.0f, kLogicalWidth, kHudBottom, 0.02f, 0.02f, 0.04f);
    fillRect(0.0f, kHudBottom - kHudRuleHeight, kLogicalWidth, kHudRuleHeight, 0.16f, 0.16f, 0.22f);
}

namespace {
struct FramedArea {
    float x;
    float width;
    float body[3];
    float frame[3];
};

constexpr FramedArea kHealthColumnArea{kHealthColumnX, kColumnWidth, {0.08f, 0.02f, 0.02f}, {0.45f, 0.08f, 0.08f}};
constexpr FramedArea kWeaponColumnArea{kWeaponColumnX, kColumnWidth, {0.04f, 0.04f, 0.10f}, {0.10f, 0.20f, 0.65f}};
constexpr FramedArea kLaneArea{kLaneLeft, kLaneRight - kLaneLeft, {0.01f, 0.01f, 0.015f}, {0.18f, 0.18f, 0.25f}};

constexpr int kLanes = 6;
constexpr float kDividerWidth = 1.0f;
constexpr float kFloorStripHeight = 6.0f;

void drawFramedArea(const FramedArea& area)
{
    const float height = kFloorY - kHudBottom;
    fillRect(area.x, kHudBottom, area.width, height, area.body[0], area.body[1], area.body[2]);
    outlineRect(area.x, kHudBottom, area.width, height, area.frame[0], area.frame[1], area.frame[2]);
}

void drawLaneDividers()
{
    const float laneWidth = kLaneRight - kLaneLeft;
    for (int i = 1; i < kLanes; ++i) {
        const float x = static_cast<float>(i) * laneWidth / static_cast<float>(kLanes) + kLaneLeft;
        fillRect(x, kHudBottom, kDividerWidth, kFloorY - kHudBottom, 0.04f, 0.04f, 0.055f);
    }
}
}  // namespace

void drawPlayfield()
{
    drawFramedArea(kHealthColumnArea);
    drawFramedArea(kWeaponColumnArea);
    drawFramedArea(kLaneArea);
    drawLaneDividers();
    fillRect(kLaneLeft, kFloorY, kLaneRight - kLaneLeft, kFloorStripHeight, 0.22f, 0.22f, 0.25f);
}
