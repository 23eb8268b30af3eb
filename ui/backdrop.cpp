// The static backdrop: the HUD panel and the playfield with its columns, lane and floor.
#include "ui/backdrop.hpp"

#include "draw/colour.hpp"
#include "draw/primitives.hpp"
#include "draw/view.hpp"
#include "game/playfield.hpp"

namespace {
constexpr float kHudRuleHeight = 4.0f;
}

void drawHudBackdrop()
{
    fillRect(0.0f, 0.0f, kLogicalWidth, kHudBottom, palette::kHudPanel);
    fillRect(0.0f, kHudBottom - kHudRuleHeight, kLogicalWidth, kHudRuleHeight, palette::kHudRule);
}

namespace {
struct FramedArea {
    float x;
    float width;
    Colour body;
    Colour frame;
};

constexpr FramedArea kHealthColumnArea{kHealthColumnX, kColumnWidth, palette::kHealthColumnBody,
                                      palette::kHealthColumnFrame};
constexpr FramedArea kWeaponColumnArea{kWeaponColumnX, kColumnWidth, palette::kWeaponColumnBody,
                                      palette::kWeaponColumnFrame};
constexpr FramedArea kLaneArea{kLaneLeft, kLaneRight - kLaneLeft, palette::kLaneBody, palette::kLaneFrame};

constexpr int kLanes = 6;
constexpr float kDividerWidth = 1.0f;
constexpr float kFloorStripHeight = 6.0f;

void drawFramedArea(const FramedArea& area)
{
    const float height = kFloorY - kHudBottom;
    fillRect(area.x, kHudBottom, area.width, height, area.body);
    outlineRect(area.x, kHudBottom, area.width, height, area.frame);
}

void drawLaneDividers()
{
    const float laneWidth = kLaneRight - kLaneLeft;
    for (int i = 1; i < kLanes; ++i) {
        const float x = static_cast<float>(i) * laneWidth / static_cast<float>(kLanes) + kLaneLeft;
        fillRect(x, kHudBottom, kDividerWidth, kFloorY - kHudBottom, palette::kLaneDivider);
    }
}
}  // namespace

void drawPlayfield()
{
    drawFramedArea(kHealthColumnArea);
    drawFramedArea(kWeaponColumnArea);
    drawFramedArea(kLaneArea);
    drawLaneDividers();
    fillRect(kLaneLeft, kFloorY, kLaneRight - kLaneLeft, kFloorStripHeight, palette::kFloorStrip);
}
