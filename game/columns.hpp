// What the two crate columns share: crates slide to their slots, a moving column cannot be
// shot, and the bottom crate counts the shots that claim it.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "game/hits.hpp"
#include "game/playfield.hpp"
#include "game/ship.hpp"

// The fields every crate of either column has; each column's crate adds its own.
struct ColumnCrate {
    float x = 0.0f;  // left edge
    float y = 0.0f;  // top edge now
    float width = 0.0f;
    float height = 0.0f;
    float targetY = 0.0f;  // top edge at rest in its slot
    std::int32_t hits = 0;
    std::int32_t hitsNeeded = 0;
};

inline constexpr int kColumnSlots = 5;
inline constexpr float kCrateSize = 48.0f;
// Crates hang centred in their 90-unit column.
inline constexpr float kCrateInset = 21.0f;
inline constexpr float kSlotPitch = 78.0f;

// Resting top edge of slot i, counted up from the bottom slot 0.
inline float slotTargetY(float floorY, int slot)
{
    constexpr float kBottomSlotRise = 122.0f;
    return floorY - kBottomSlotRise - kSlotPitch * static_cast<float>(slot);
}

// Gives every crate its column x and the resting place of its index; y is left alone, so a
// crate whose slot changed slides there afterwards.
template <typename Crate>
void reslotColumn(std::vector<Crate>& column, float columnX, float floorY)
{
    for (int i = 0; i < static_cast<int>(column.size()); ++i) {
        column[i].x = columnX + kCrateInset;
        column[i].targetY = slotTargetY(floorY, i);
    }
}

// Sets the box of a crate about to become the top one: resting in its slot, or one slot
// above it to slide in.
template <typename Crate>
void placeNewTopCrate(Crate& crate, const std::vector<Crate>& column, float columnX, float floorY, bool appearInPlace)
{
    crate.x = columnX + kCrateInset;
    crate.width = kCrateSize;
    crate.height = kCrateSize;
    crate.targetY = slotTargetY(floorY, static_cast<int>(column.size()));
    crate.y = appearInPlace ? crate.targetY : crate.targetY - kSlotPitch;
}

inline constexpr float kColumnSlideSpeedPerSecond = 39.0f;

// Moves every crate toward its resting place without overshooting it.
template <typename Crate>
void slideColumn(std::vector<Crate>& column, float dt)
{
    for (Crate& crate : column) {
        if (crate.targetY > crate.y) {
            crate.y += kColumnSlideSpeedPerSecond * dt;
            if (crate.y > crate.targetY)
                crate.y = crate.targetY;
        } else if (crate.targetY < crate.y) {
            crate.y -= kColumnSlideSpeedPerSecond * dt;
            if (crate.y < crate.targetY)
                crate.y = crate.targetY;
        }
    }
}

template <typename Crate>
bool columnMoving(const std::vector<Crate>& column)
{
    constexpr float kAtRestTolerance = 0.5f;
    for (const Crate& crate : column)
        if (std::fabs(crate.y - crate.targetY) > kAtRestTolerance)
            return true;
    return false;
}

// Offers each live shot, in order, to the bottom crate while shootable() holds: a touch counts
// one hit and spends the shot, and the hit that completes the count calls claim(). A claim
// leaves the column moving or empty, so shootable() is asked again after it.
template <typename Crate, typename Shootable, typename Claim>
void shootBottomCrate(std::vector<Crate>& column, std::vector<Shot>& shots, Shootable shootable, Claim claim)
{
    bool open = shootable();
    for (Shot& shot : shots) {
        if (!open)
            return;
        if (shot.damage <= 0)
            continue;
        Crate& bottom = column.front();
        if (!circleHitsRect(shot.x, shot.y, shot.radius, bottom.x, bottom.y, bottom.width, bottom.height))
            continue;
        bottom.hits += 1;
        shot.damage = 0;
        if (bottom.hits >= bottom.hitsNeeded) {
            claim();
            open = shootable();
        }
    }
}
