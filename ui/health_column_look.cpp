// How a health pack looks: a red box with a white cross, and for the bottom pack its hit
// bar and the shots still needed.
#include "ui/health_column_look.hpp"

#include "draw/primitives.hpp"
#include "game/health_column.hpp"
#include "ui/crate_look.hpp"

namespace {
// Both bars of the cross are centred on the 48-unit box.
constexpr float kCrossBarInset = 20.0f;
constexpr float kCrossBarEndInset = 9.0f;
constexpr float kCrossBarThickness = 8.0f;
constexpr float kCrossBarLength = 30.0f;

void drawPackBody(const HealthCrate& crate, float k)
{
    const Colour cross = scaled(palette::kHealthPackCross, k);
    fillRect(crate.x, crate.y, crate.width, crate.height, scaled(palette::kHealthPackBody, k));
    fillRect(crate.x + kCrossBarInset, crate.y + kCrossBarEndInset, kCrossBarThickness, kCrossBarLength, cross);
    fillRect(crate.x + kCrossBarEndInset, crate.y + kCrossBarInset, kCrossBarLength, kCrossBarThickness, cross);
}

}  // namespace

void drawHealthCrate(const HealthCrate& crate, bool isBottom)
{
    drawPackBody(crate, crateBrightness(isBottom));
    outlineRect(crate.x, crate.y, crate.width, crate.height,
                isBottom ? palette::kHealthPackFrameBottom : palette::kHealthPackFrameUpper);
    // Only the bottom pack can be shot, so only it shows how many shots remain.
    if (isBottom) {
        drawCrateHitBar(crate);
        drawShotsStillNeeded(crate);
    }
}
