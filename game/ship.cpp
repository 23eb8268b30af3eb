// The player's ship, its guns and the shots they fire.
#include "game/ship.hpp"

#include <algorithm>

#include "game/exact_math.hpp"
#include "game/game_state.hpp"

namespace {
constexpr float kShipSpeedPerSecond = 430.0f;
}

void moveShip(PlayerShip& ship, float dt, bool leftHeld, bool rightHeld)
{
    // Both keys held must cancel exactly; a step left then right could leave a rounding trace.
    if (leftHeld && !rightHeld)
        ship.x -= kShipSpeedPerSecond * dt;
    if (rightHeld && !leftHeld)
        ship.x += kShipSpeedPerSecond * dt;
    if (ship.x < kShipLeftStop)
        ship.x = kShipLeftStop;
    if (ship.x + ship.width > kShipRightStop)
        ship.x = kShipRightStop - ship.width;
}

namespace {
constexpr float kFireCooldownSeconds = 0.16f;
}

void runGuns(GameState& state, float dt, bool fireHeld)
{
    if (state.fireCooldown > 0.0f) {
        state.fireCooldown -= dt;
        if (state.fireCooldown < 0.0f)
            state.fireCooldown = 0.0f;
    }
    // Leftover time is not carried over: the next volley waits a whole cooldown.
    if (fireHeld && !(state.fireCooldown > 0.0f)) {
        fireVolley(state.ship, state.guns, state.power, state.supergun, state.shots);
        state.fireCooldown = kFireCooldownSeconds;
    }
}

namespace {
constexpr float kShotSpeedPerSecond = 640.0f;
constexpr float kShotRadius = 5.0f;
constexpr float kMuzzleDrop = 2.0f;
constexpr float kParallelSpacing = 13.0f;
constexpr float kFanHalfAngleTwoGunsDegrees = 11.0f;
constexpr float kFanHalfAngleThreeGunsDegrees = 15.0f;
constexpr float kPi = 3.14159265f;
}  // namespace

void fireVolley(const PlayerShip& ship, std::int32_t guns, std::int32_t power, bool supergun, std::vector<Shot>& shots)
{
    const float cx = ship.x + ship.width * 0.5f;
    const float y0 = ship.y + kMuzzleDrop;
    if (supergun && guns >= 2) {
        const float halfAngle = guns == 2 ? kFanHalfAngleTwoGunsDegrees : kFanHalfAngleThreeGunsDegrees;
        for (std::int32_t i = 0; i < guns; ++i) {
            const float t = static_cast<float>(i) / static_cast<float>(guns - 1);
            const float angle = ((t * halfAngle) * 2.0f - halfAngle) * kPi / 180.0f;
            shots.push_back({cx, y0, smallAngleSine(angle) * kShotSpeedPerSecond,
                             -smallAngleCosine(angle) * kShotSpeedPerSecond,
                             kShotRadius, power});
        }
        return;
    }
    const float firstX = cx - static_cast<float>(guns - 1) * kParallelSpacing * 0.5f;
    for (std::int32_t i = 0; i < guns; ++i)
        shots.push_back({firstX + static_cast<float>(i) * kParallelSpacing, y0, 0.0f, -kShotSpeedPerSecond, kShotRadius, power});
}

void moveShots(std::vector<Shot>& shots, float dt)
{
    for (Shot& shot : shots) {
        shot.x += shot.vx * dt;
        shot.y += shot.vy * dt;
    }
}

void cullShots(std::vector<Shot>& shots)
{
    std::erase_if(shots, [](const Shot& shot) {
        return kHudBottom > shot.y + shot.radius || 0.0f > shot.x + shot.radius || shot.x - shot.radius > kFieldWidth;
    });
}
