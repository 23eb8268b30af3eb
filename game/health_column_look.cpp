// How a health pack looks: a red box with a white cross, and for the bottom pack its hit
// bar and the shots still needed.
#include "game/health_column_look.hpp"

#include "draw/primitives.hpp"
#include "game/crate_look.hpp"
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

}  // namespace

void drawHealthCrate(const HealthCrate& crate, bool isBottom)
{
    drawPackBody(crate, isBottom ? kBottomBrightness : kUpperBrightness);
    if (isBottom)
        outlineRect(crate.x, crate.y, crate.width, crate.height, 1.0f, 0.95f, 0.95f);
    else
        outlineRect(crate.x, crate.y, crate.width, crate.height, 0.45f, 0.18f, 0.18f);
    // Only the bottom pack can be shot, so only it shows how many shots remain.
    if (isBottom) {
        drawCrateHitBar(crate);
        drawShotsStillNeeded(crate);
    }
}
