// How the ship and a shot look.
#include "ui/ship_look.hpp"

#include "draw/primitives.hpp"
#include "game/ship.hpp"

namespace {
constexpr float kFinInset = 7.0f;
constexpr float kFinDrop = 38.0f;
constexpr float kFinWidth = 8.0f;
constexpr float kFinHeight = 13.0f;
constexpr float kHullInset = 8.0f;
constexpr float kHullDrop = 20.0f;
constexpr float kHullHeight = 22.0f;
constexpr float kDomeDrop = 10.0f;
constexpr float kDomeRadius = 10.0f;
constexpr float kBarrelHalfWidth = 4.0f;
constexpr float kBarrelDrop = 4.0f;
constexpr float kBarrelHeight = 26.0f;
constexpr float kMuzzleCapHalfWidth = 7.0f;
constexpr float kMuzzleCapHeight = 6.0f;
constexpr float kDotSpread = 4.0f;
constexpr float kDotDrop = 8.0f;
constexpr float kDotRadius = 1.5f;

void drawFins(const PlayerShip& ship)
{
    const float finY = ship.y + kFinDrop;
    fillRect(ship.x + kFinInset, finY, kFinWidth, kFinHeight, palette::kShipFin);
    fillRect(ship.x + ship.width - (kFinInset + kFinWidth), finY, kFinWidth, kFinHeight, palette::kShipFin);
}

// The barrel and its cap go over the dome, and the two dots over the barrel.
void drawCockpitAndBarrel(const PlayerShip& ship, float cx)
{
    fillDisc(cx, ship.y + kDomeDrop, kDomeRadius, palette::kShipDome);
    fillRect(cx - kBarrelHalfWidth, ship.y + kBarrelDrop, 2.0f * kBarrelHalfWidth, kBarrelHeight, palette::kShipBarrel);
    fillRect(cx - kMuzzleCapHalfWidth, ship.y, 2.0f * kMuzzleCapHalfWidth, kMuzzleCapHeight, palette::kShipMuzzleCap);
    fillDisc(cx - kDotSpread, ship.y + kDotDrop, kDotRadius, palette::kBlack);
    fillDisc(cx + kDotSpread, ship.y + kDotDrop, kDotRadius, palette::kBlack);
}
}  // namespace

void drawShip(const PlayerShip& ship)
{
    const float cx = ship.x + ship.width * 0.5f;
    drawFins(ship);
    fillRect(ship.x + kHullInset, ship.y + kHullDrop, ship.width - 2.0f * kHullInset, kHullHeight, palette::kShipHull);
    drawCockpitAndBarrel(ship, cx);
}

namespace {
constexpr float kTrailHalfWidth = 2.0f;
constexpr float kTrailLength = 12.0f;
}  // namespace

void drawShot(const Shot& shot)
{
    fillDisc(shot.x, shot.y, shot.radius, palette::kShotCore);
    // Straight down from the centre even for fan shots: a glow, not a heading.
    fillRect(shot.x - kTrailHalfWidth, shot.y, 2.0f * kTrailHalfWidth, kTrailLength, palette::kShotTrail);
}
