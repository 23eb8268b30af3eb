// The player's ship, its guns and the shots they fire.
#pragma once

#include <cstdint>
#include <vector>

struct GameState;

struct PlayerShip {
    float x = 0.0f;  // left edge; the only field that changes in play
    float y = 0.0f;  // top edge
    float width = 0.0f;
    float height = 0.0f;
};

struct Shot {
    float x = 0.0f;  // centre
    float y = 0.0f;
    float vx = 0.0f;  // units per second
    float vy = 0.0f;  // negative: upward
    float radius = 0.0f;
    std::int32_t damage = 0;  // power at the moment of firing; 0 marks a spent shot
};

inline constexpr float kShipLeftStop = 50.0f;
inline constexpr float kShipRightStop = 850.0f;

// Moves the ship by the held keys and keeps it between its stops.
void moveShip(PlayerShip& ship, float dt, bool leftHeld, bool rightHeld);

// Counts the cooldown down and fires a volley while fire is held and the guns are ready.
void runGuns(GameState& state, float dt, bool fireHeld);

// Appends one volley: parallel shots, or a fan once the supergun is owned with two or more guns.
void fireVolley(const PlayerShip& ship, std::int32_t guns, std::int32_t power, bool supergun, std::vector<Shot>& shots);

void moveShots(std::vector<Shot>& shots, float dt);

// Removes, keeping the order of the rest, shots wholly above the play area or off either side.
void cullShots(std::vector<Shot>& shots);
